#include "cli/key_names.h"

#include <unistd.h>

#include <charconv>
#include <cstring>
#include <ostream>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "cli/chapter_input.h"
#include "cli/csv_field.h"
#include "cli/exit_codes.h"
#include "cli/generate_command.h"
#include "cli/name_writer.h"
#include "generator/retry_until_name.h"
#include "io/file_bytes.h"
#include "quorvane/lexicon.h"
#include "text/encoding.h"
#include "wordlist/output_file.h"

namespace qorv {
namespace {

constexpr const char* kKeyGroup = "Names by key";

bool IsUtf8(std::string_view text) {
  while (!text.empty()) {
    const std::optional<Utf8Char> c = DecodeUtf8Char(text);
    if (!c) return false;
    text.remove_prefix(c->length);
  }
  return true;
}

std::uint64_t ParseWorldSeed(const std::string& text) {
  std::uint64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || text[0] == '-' || text[0] == '+' || stop != end || error != std::errc{}) {
    throw CLI::ValidationError("--world-seed", "must be 0 to 18446744073709551615: " + text);
  }
  return value;
}

// One key's line in the chosen form; texts UTF-8, or Windows-1252 for text and csv under
// --encoding cp1252 (a key the code page cannot hold stays as given).
std::string KeyLine(const GenerateOptions& options, const std::string& key,
                    const std::string& name) {
  const bool cp1252 = options.encoding == GenerateOptions::Encoding::kCp1252;
  const auto text = [cp1252](const std::string& utf8) {
    if (!cp1252) return utf8;
    return Utf8ToCp1252(utf8).value_or(utf8);
  };
  std::string line;
  switch (options.format) {
    case NameFormat::kText:
      line = text(name);
      break;
    case NameFormat::kJson: {
      nlohmann::ordered_json object;
      object["key"] = key;
      object["name"] = name.empty() ? nlohmann::ordered_json() : nlohmann::ordered_json(name);
      line = object.dump();
      break;
    }
    case NameFormat::kCsv:
      AppendCsvField(line, text(key));
      line += ',';
      AppendCsvField(line, text(name));
      break;
  }
  return line + '\n';
}

}  // namespace

quorvane::Options LibraryOptions(const GenerateOptions& given) {
  quorvane::Options options;
  options.automatic = given.automatic;
  if (!given.automatic) {
    options.level = given.level;
    options.validation = given.validation;
    options.structural = given.structural;
    options.statistical = given.statistical;
    options.prefixes = given.prefixes;
    options.suffixes = given.suffixes;
  }
  if (given.initial != '*') options.initial = Cp1252ToUtf8(std::string(1, given.initial));
  const NameFilterOptions& filters = given.filters;
  options.novel = filters.novel;
  options.min_length = filters.min_length;
  options.max_length = filters.max_length;
  options.starts_with = Cp1252ToUtf8(filters.starts_with);
  options.ends_with = Cp1252ToUtf8(filters.ends_with);
  options.contains = Cp1252ToUtf8(filters.contains);
  for (const std::string& exclude : filters.excludes)
    options.exclude.push_back(Cp1252ToUtf8(exclude));
  return options;
}

std::optional<std::vector<std::string>> SplitKeys(const std::string& bytes, std::size_t* bad_line) {
  std::vector<std::string> keys;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string::npos ? bytes.size() : end + 1;
    if (end == std::string::npos) end = bytes.size();
    if (end > start && bytes[end - 1] == '\r') --end;
    std::string key = bytes.substr(start, end - start);
    if (!IsUtf8(key)) {
      if (bad_line) *bad_line = keys.size() + 1;
      return std::nullopt;
    }
    keys.push_back(std::move(key));
    start = next;
  }
  return keys;
}

bool ReadKeys(const KeyOptions& options, std::vector<std::string>& keys, std::ostream& err) {
  if (options.key) {
    keys.push_back(*options.key);
    return true;
  }
  const bool standard_input = options.keys_path == kStandardInputArgument;
  const std::string name = standard_input ? "standard input" : options.keys_path;
  const FileBytes file =
      standard_input ? ReadDescriptorBytes(STDIN_FILENO) : ReadFileBytes(options.keys_path);
  if (file.Error != 0) {
    err << "qorv: " << name << ": " << std::strerror(file.Error) << '\n';
    return false;
  }
  std::size_t bad_line = 0;
  std::optional<std::vector<std::string>> split = SplitKeys(file.Bytes, &bad_line);
  if (!split) {
    err << "qorv: " << name << ": line " << bad_line << ": the key is not UTF-8\n";
    return false;
  }
  keys = std::move(*split);
  return true;
}

void AddKeyOptions(CLI::App& command, KeyOptions& options) {
  auto* key = command
                  .add_option_function<std::string>(
                      "--key",
                      [&options](const std::string& text) {
                        if (!IsUtf8(text)) {
                          throw CLI::ValidationError("--key", "is not UTF-8");
                        }
                        options.key = text;
                      },
                      "print the name of KEY (the same on every machine)")
                  ->type_name("KEY")
                  ->group(kKeyGroup);
  auto* keys = command
                   .add_option("--keys", options.keys_path,
                               "print the name of each key of FILE, one key per line (-: "
                               "standard input)")
                   ->type_name("FILE")
                   ->group(kKeyGroup);
  auto* world =
      command
          .add_option_function<std::string>(
              "--world-seed",
              [&options](const std::string& text) { options.world_seed = ParseWorldSeed(text); },
              "the world the keys name in (0..18446744073709551615, default 0)")
          ->type_name("S")
          ->group(kKeyGroup);
  command.parse_complete_callback([&command, key, keys, world] {
    if (key->count() > 0 && keys->count() > 0) {
      throw CLI::ValidationError("--key", "cannot come with --keys");
    }
    if (key->count() == 0 && keys->count() == 0) {
      if (world->count() > 0)
        throw CLI::ValidationError("--world-seed", "goes with --key or --keys");
      return;
    }
    // A key's name is a pure function of the Chapter, the options and the key: nothing of a run
    // of names goes with it.
    // The typicality filters are the run's, not the library's that names a key.
    for (const char* name : {"--count", "--seed", "--unique", "--log", "--store", "--stats",
                             "--sort", "--typical", "--min-typicality", "--max-typicality"}) {
      const CLI::Option* other = command.get_option_no_throw(name);
      if (other && other->count() > 0) {
        throw CLI::ValidationError(
            key->count() > 0 ? "--key" : "--keys",
            std::string("names no run of names; ") + name + " cannot come with it");
      }
    }
  });
}

int RunNamesByKey(const GenerateOptions& options, std::ostream& out, std::ostream& err) {
  const KeyOptions& by_key = options.keys;
  if (options.chapter_path == kStandardInputArgument &&
      by_key.keys_path == kStandardInputArgument) {
    err << "qorv: CHAPTER and --keys cannot both be standard input\n";
    return kExitUsage;
  }
  const ChapterInput input = ReadChapterInput(options.chapter_path);
  if (input.File.Error != 0) {
    err << "qorv: " << input.Name << ": Couldn't open file\n"
        << "qorv: " << input.Name << ": " << std::strerror(input.File.Error) << '\n';
    return kExitFailure;
  }
  const quorvane::Result<quorvane::Lexicon> lexicon = quorvane::Lexicon::Load(input.File.Bytes);
  if (!lexicon) {
    err << "qorv: " << input.Name << ": " << lexicon.error().message << '\n';
    return kExitFailure;
  }
  const quorvane::Options library_options = LibraryOptions(options);
  if (const quorvane::Result<void> usable = quorvane::CheckOptions(*lexicon, library_options);
      !usable) {
    err << "qorv: " << input.Name << ": " << usable.error().message << '\n';
    return kExitUsage;
  }

  std::vector<std::string> keys;
  if (!ReadKeys(by_key, keys, err)) return kExitFailure;

  // Standard output gets each line as it is made; the file of -o is written whole at the end.
  std::string lines;
  const auto emit = [&](const std::string& line) {
    if (options.output_path.empty()) {
      out.write(line.data(), static_cast<std::streamsize>(line.size()));
    } else {
      lines += line;
    }
  };
  if (options.format == NameFormat::kCsv) emit("key,name\n");
  std::size_t nameless = 0;
  for (const std::string& key : keys) {
    const std::string name = quorvane::NameFor(*lexicon, library_options, by_key.world_seed, key);
    if (name.empty()) ++nameless;
    emit(KeyLine(options, key, name));
    if (!out) return kExitOutputNotWritten;
  }
  if (!options.output_path.empty()) {
    if (const OutputResult written = WriteWholeFile(options.output_path, lines, true);
        written.Error != 0) {
      err << "qorv: " << options.output_path << ": " << std::strerror(written.Error) << '\n';
      return kExitOutputNotWritten;
    }
  }
  if (nameless > 0) {
    out.flush();
    err << "qorv: " << nameless << (nameless == 1 ? " key" : " keys") << " got no name within "
        << kMaxCallsPerName << " attempts\n";
    return kExitNoNewName;
  }
  return kExitSuccess;
}

}  // namespace qorv
