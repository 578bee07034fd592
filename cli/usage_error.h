// What `qorv` prints for a command line it cannot run: one line with the cause, in our own
// words, and where the options of the command are told.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

namespace CLI {
class App;
class ParseError;
}  // namespace CLI

namespace qorv {

// The cause of a parse error of `app` (the command line's parser) in our words, e.g.
// "--count: given more than once" for the parser's "--count: At Most 1 required but received 2".
std::string UsageCause(const CLI::ParseError& error, const CLI::App& app);

// The names of the command the parser had reached: "qorv", "qorv generate", "qorv chapter new".
std::string ParsedCommand(const CLI::App& app);

struct UsageMistake {
  std::string Cause;
  std::string Command;  // "qorv", "qorv chapter"
};

// A word where a command is expected that names no command, or an option there that the command
// does not have, which the parser would report as a missing command; nullopt when there is none.
std::optional<UsageMistake> MistakeBeforeCommand(const CLI::App& app, int argc,
                                                 const char* const* argv);

// "qorv: CAUSE", then "Run 'COMMAND --help' for the options."
void WriteUsageError(std::ostream& err, const std::string& cause, const std::string& command);

}  // namespace qorv
