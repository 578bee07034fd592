#include "cli/usage_error.h"

#include <algorithm>
#include <ostream>
#include <regex>
#include <sstream>
#include <vector>

#include <CLI/CLI.hpp>

namespace qorv {
namespace {

// The commands the parser has started on, from `app` down.
std::vector<const CLI::App*> ParsedChain(const CLI::App& app) {
  std::vector<const CLI::App*> chain{&app};
  while (true) {
    const std::vector<const CLI::App*> parsed =
        chain.back()->get_subcommands([](const CLI::App* command) { return command->parsed(); });
    if (parsed.empty()) return chain;
    chain.push_back(parsed.front());
  }
}

// "inspect, generate or chapter".
std::string CommandChoices(const CLI::App& app) {
  std::string text;
  const std::vector<const CLI::App*> commands = app.get_subcommands({});
  for (std::size_t i = 0; i < commands.size(); ++i) {
    if (i > 0) text += i + 1 == commands.size() ? " or " : ", ";
    text += commands[i]->get_name();
  }
  return text;
}

// The arguments the parser did not expect, in the order given (it lists them last first).
std::string NotExpected(const std::string& listed) {
  std::vector<std::string> words;
  std::istringstream in(listed);
  for (std::string word; in >> word;) words.push_back(word);
  std::reverse(words.begin(), words.end());
  std::string joined;
  for (const std::string& word : words) joined += (joined.empty() ? "" : " ") + word;
  if (words.front().starts_with("-")) {
    return (words.size() > 1 ? "unknown options: " : "unknown option: ") + joined;
  }
  return (words.size() > 1 ? "arguments too many: " : "one argument too many: ") + joined;
}

// The parser's messages and ours: `$1`... stand for the pattern's groups.
struct Rewording {
  const char* parser;
  const char* ours;
};

constexpr Rewording kRewordings[] = {
    {"(.+): At Most 1 required but received \\d+", "$1: given more than once"},
    {"(.+): At Most (\\d+) required but received (\\d+)", "$1: at most $2 values, not $3"},
    {"(.+): At least (\\d+) required but received (\\d+)", "$1: needs a value"},
    {"(.+): \\d+ required (.+) missing", "$1: needs a value ($2)"},
    {"(.+): too many inputs for a flag", "$1: takes no value"},
    {"(.+): Should be true/false or a number", "$1: takes no value"},
    {"Could not convert: (.+) = (.*)", "$1: not a value it takes: $2"},
    {"The value (.+) is not an allowed value for (.+)", "$2: not a value it takes: $1"},
    {"(.+) excludes (.+)", "$1 cannot come with $2"},
    {"(.+) requires (.+)", "$1 goes with $2"},
    {"(.+) is required", "$1 is missing"},
};

}  // namespace

std::string UsageCause(const CLI::ParseError& error, const CLI::App& app) {
  const std::string message = error.what();
  const CLI::App& command = *ParsedChain(app).back();
  static const std::regex not_expected("The following arguments? (?:was|were) not expected: (.+)");
  static const std::regex subcommand_missing(
      "A subcommand is required|Requires at least \\d+ subcommands?");
  std::smatch match;
  if (std::regex_match(message, match, not_expected)) return NotExpected(match[1].str());
  if (std::regex_match(message, subcommand_missing)) {
    return "a command is missing: " + CommandChoices(command);
  }
  for (const Rewording& rewording : kRewordings) {
    const std::regex pattern(rewording.parser);
    if (std::regex_match(message, match, pattern)) return match.format(rewording.ours);
  }
  // Our own checks already speak for themselves: "--count: not a number: abc".
  return message;
}

std::string ParsedCommand(const CLI::App& app) {
  std::string names;
  for (const CLI::App* command : ParsedChain(app)) {
    names += (names.empty() ? "" : " ") + command->get_name();
  }
  return names;
}

std::optional<UsageMistake> MistakeBeforeCommand(const CLI::App& app, int argc,
                                                 const char* const* argv) {
  const CLI::App* at = &app;
  std::string names = app.get_name();
  for (int i = 1; i < argc; ++i) {
    const std::vector<const CLI::App*> commands = at->get_subcommands({});
    if (commands.empty()) break;
    const std::string word = argv[i];
    if (word.starts_with("-")) {
      // --help and --version, which need no command.
      if (at->get_option_no_throw(word.substr(0, word.find('='))) != nullptr) continue;
      return UsageMistake{"unknown option: " + word, names};
    }
    const auto named =
        std::find_if(commands.begin(), commands.end(),
                     [&word](const CLI::App* command) { return command->check_name(word); });
    if (named == commands.end()) return UsageMistake{"unknown command: " + word, names};
    at = *named;
    names += " " + at->get_name();
  }
  return std::nullopt;
}

void WriteUsageError(std::ostream& err, const std::string& cause, const std::string& command) {
  err << "qorv: " << cause << "\n"
      << "Run '" << command << " --help' for the options.\n";
}

}  // namespace qorv
