// A part's options in the spelling of `qorv generate`, and the part setting "NAME = CHAPTER
// OPTIONS".
#include <algorithm>
#include <functional>
#include <optional>

#include "compose/setting_words.h"
#include "compose/template_text.h"
#include "quorvane/composer.h"

namespace quorvane {
namespace {

// What one option does to the Options, given its value ("" for a switch).
struct PartOption {
  const char* short_name;  // "" when none
  const char* long_name;
  bool takes_value;
  std::function<Result<void>(Options&, const std::string&)> apply;
};

Result<void> Number(const std::string& option, const std::string& text, std::uint64_t highest,
                    std::uint64_t& value) {
  if (text.empty() || text.size() > 10 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
      std::stoull(text) > highest) {
    return Error{option + " must be 0 to " + std::to_string(highest) + ": " + text};
  }
  value = std::stoull(text);
  return {};
}

Result<void> Level(const std::string& option, const std::string& text, int highest, int& level) {
  std::uint64_t value = 0;
  if (Result<void> read = Number(option, text, static_cast<std::uint64_t>(highest), value); !read) {
    return read;
  }
  level = static_cast<int>(value);
  return {};
}

Result<void> Length(const std::string& option, const std::string& text,
                    std::optional<std::uint32_t>& length) {
  std::uint64_t value = 0;
  if (Result<void> read = Number(option, text, 4294967295u, value); !read) return read;
  length = static_cast<std::uint32_t>(value);
  return {};
}

Result<void> Switch(bool& field) {
  field = true;
  return {};
}

Result<void> Text(const std::string& option, const std::string& text, std::string& field) {
  if (text.empty()) return Error{option + " must not be empty"};
  field = text;
  return {};
}

const std::vector<PartOption>& PartOptions() {
  static const std::vector<PartOption> options = {
      {"-g", "--level", true,
       [](Options& o, const std::string& v) { return Level("--level", v, 3, o.level); }},
      {"-v", "--validation", true,
       [](Options& o, const std::string& v) { return Level("--validation", v, 2, o.validation); }},
      {"", "--structural", false,
       [](Options& o, const std::string&) { return Switch(o.structural); }},
      {"", "--statistical", false,
       [](Options& o, const std::string&) { return Switch(o.statistical); }},
      {"", "--prefixes", false, [](Options& o, const std::string&) { return Switch(o.prefixes); }},
      {"", "--suffixes", false, [](Options& o, const std::string&) { return Switch(o.suffixes); }},
      {"", "--auto", false, [](Options& o, const std::string&) { return Switch(o.automatic); }},
      {"-i", "--initial", true,
       [](Options& o, const std::string& v) { return Text("--initial", v, o.initial); }},
      {"", "--unique", false, [](Options& o, const std::string&) { return Switch(o.unique); }},
      {"", "--novel", false, [](Options& o, const std::string&) { return Switch(o.novel); }},
      {"", "--min-length", true,
       [](Options& o, const std::string& v) { return Length("--min-length", v, o.min_length); }},
      {"", "--max-length", true,
       [](Options& o, const std::string& v) { return Length("--max-length", v, o.max_length); }},
      {"", "--starts-with", true,
       [](Options& o, const std::string& v) { return Text("--starts-with", v, o.starts_with); }},
      {"", "--ends-with", true,
       [](Options& o, const std::string& v) { return Text("--ends-with", v, o.ends_with); }},
      {"", "--contains", true,
       [](Options& o, const std::string& v) { return Text("--contains", v, o.contains); }},
      {"", "--exclude", true,
       [](Options& o, const std::string& v) {
         std::string text;
         if (Result<void> read = Text("--exclude", v, text); !read) return read;
         o.exclude.push_back(std::move(text));
         return Result<void>();
       }},
  };
  return options;
}

// The option `word` names, and the value it carries itself ("--level=3", "-g3"), if any.
const PartOption* FindOption(const std::string& word, std::optional<std::string>& attached) {
  for (const PartOption& option : PartOptions()) {
    const std::string long_name = option.long_name;
    const std::string short_name = option.short_name;
    if (word == long_name || (!short_name.empty() && word == short_name)) return &option;
    if (word.starts_with(long_name + "=")) {
      attached = word.substr(long_name.size() + 1);
      return &option;
    }
    if (option.takes_value && !short_name.empty() && word.starts_with(short_name)) {
      attached = word.substr(short_name.size());
      return &option;
    }
  }
  return nullptr;
}

}  // namespace

Result<Options> ParsePartOptions(const std::vector<std::string>& words) {
  Options options;
  for (std::size_t i = 0; i < words.size(); ++i) {
    std::optional<std::string> value;
    const PartOption* option = FindOption(words[i], value);
    if (option == nullptr) return Error{"unknown option " + words[i]};
    if (!option->takes_value && value)
      return Error{std::string(option->long_name) + " takes no value"};
    if (option->takes_value && !value) {
      if (i + 1 == words.size()) return Error{std::string(option->long_name) + " needs a value"};
      value = words[++i];
    }
    if (Result<void> applied = option->apply(options, value.value_or("")); !applied) {
      return applied.error();
    }
  }
  return options;
}

Result<PartSetting> ParsePart(std::string_view setting, const std::string& where) {
  const std::size_t equals = setting.find('=');
  if (equals == std::string_view::npos) {
    return Error{where + ": a part is NAME = CHAPTER [OPTIONS]"};
  }
  PartSetting part;
  part.where = where;
  part.name = std::string(detail::Trimmed(setting.substr(0, equals)));
  if (!detail::IsPartName(part.name)) {
    return Error{where + ": \"" + part.name +
                 "\" is no part's name (letters, digits and _, not beginning with a digit)"};
  }
  const Result<std::vector<std::string>> words = detail::SplitWords(setting.substr(equals + 1));
  if (!words) return Error{where + ": part " + part.name + ": " + words.error().message};
  if (words->empty()) return Error{where + ": part " + part.name + ": the Chapter is missing"};
  part.chapter = words->front();
  const Result<Options> options =
      ParsePartOptions(std::vector<std::string>(words->begin() + 1, words->end()));
  if (!options) return Error{where + ": part " + part.name + ": " + options.error().message};
  part.options = *options;
  return part;
}

}  // namespace quorvane
