// `qorv chapter check CHAPTER [--json]`: the health report of a Chapter (chapter_check.h), as
// text for people or as one JSON object.
#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

namespace qorv {

struct ChapterCheckOptions {
  std::string chapter_path;  // "-": standard input
  bool json = false;
};

// Adds "check" to the `chapter` command.
CLI::App* AddCheckCommand(CLI::App& chapter, ChapterCheckOptions& options);

// Returns 0 with the report on `out`; 1 when the Chapter does not load (the load's message on
// `err`, as `qorv inspect` gives it).
int RunCheck(const ChapterCheckOptions& options, std::ostream& out, std::ostream& err);

}  // namespace qorv
