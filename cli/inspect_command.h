// `qorv inspect CHAPTER [--json]`: loads one Chapter as the desktop program would and shows what
// the load made of it.
#pragma once

#include <ostream>
#include <string>

namespace CLI {
class App;
}

namespace qorv {

struct InspectOptions {
  std::string chapter_path;  // as given on the command line
  bool json = false;
};

// Adds the "inspect" subcommand to `app`; parsing fills `options`.
CLI::App* AddInspectCommand(CLI::App& app, InspectOptions& options);

// Runs the command: 0 when the Chapter loads, 1 when it does not (the cause on `err`, and as JSON
// on `out` with --json).
int RunInspect(const InspectOptions& options, std::ostream& out, std::ostream& err);

}  // namespace qorv
