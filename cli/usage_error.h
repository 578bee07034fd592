// What `qorv` prints for a command line it cannot run: one line with the cause, in our own
// words, and where the options of the command are told.
#pragma once

#include <iosfwd>
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

// "qorv: CAUSE", then "Run 'COMMAND --help' for the options."
void WriteUsageError(std::ostream& err, const std::string& cause, const std::string& command);

}  // namespace qorv
