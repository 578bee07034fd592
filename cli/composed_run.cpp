#include "cli/composed_run.h"

#include <cstring>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/csv_field.h"
#include "cli/exit_codes.h"
#include "cli/generate_command.h"
#include "cli/key_names.h"
#include "cli/name_output.h"
#include "cli/run_files.h"
#include "generator/name_generator.h"
#include "io/file_bytes.h"
#include "io/regular_file.h"
#include "quorvane/composer.h"
#include "text/encoding.h"

namespace qorv {
namespace {

// Whole names in the chosen form; names arrive in UTF-8.
class ComposedWriter {
 public:
  ComposedWriter(std::ostream& out, const GenerateOptions& options, const quorvane::Recipe& recipe,
                 bool keys)
      : out_(out),
        format_(options.format),
        cp1252_(options.encoding == GenerateOptions::Encoding::kCp1252),
        keys_(keys) {
    for (const quorvane::PartSetting& part : recipe.parts) part_names_.push_back(part.name);
  }

  void Begin() {
    if (format_ != NameFormat::kCsv) return;
    std::string line = keys_ ? "key,name" : "name";
    for (const std::string& part : part_names_) line += ',' + part;
    Emit(line);
  }

  // `key` only for a run of keys; `name` nullopt when the key got no name.
  void Write(const std::optional<quorvane::ComposedName>& name, const std::string* key) {
    switch (format_) {
      case NameFormat::kText:
        Emit(name ? Text(name->name) : std::string());
        break;
      case NameFormat::kJson: {
        nlohmann::ordered_json object;
        if (key) object["key"] = *key;
        object["name"] = name ? nlohmann::ordered_json(name->name) : nlohmann::ordered_json();
        object["parts"] = nlohmann::ordered_json::object();
        if (name) {
          for (const auto& [part, text] : name->parts) object["parts"][part] = text;
        }
        Emit(object.dump());
        break;
      }
      case NameFormat::kCsv: {
        std::string line;
        if (key) {
          AppendCsvField(line, Text(*key));
          line += ',';
        }
        if (name) AppendCsvField(line, Text(name->name));
        for (const std::string& part : part_names_) {
          line += ',';
          if (!name) continue;
          for (const auto& [used, text] : name->parts) {
            if (used == part) AppendCsvField(line, Text(text));
          }
        }
        Emit(line);
        break;
      }
    }
  }

 private:
  // A text in the output's encoding (JSON: always UTF-8).
  std::string Text(const std::string& utf8) const {
    return cp1252_ ? Utf8ToCp1252(utf8).value_or(utf8) : utf8;
  }
  void Emit(std::string line) {
    line += '\n';
    out_.write(line.data(), static_cast<std::streamsize>(line.size()));
  }

  std::ostream& out_;
  NameFormat format_;
  bool cp1252_;
  bool keys_;
  std::vector<std::string> part_names_;
};

// The parts and templates of the command line, or of the recipe file; the exit status when they
// cannot be read.
int ReadComposition(const GenerateOptions& options, quorvane::Recipe& recipe, std::ostream& err) {
  if (IsRecipePath(options.chapter_path)) {
    const std::string& path = options.chapter_path;
    const FileBytes file = ReadFileBytes(path, quorvane::kMaxRecipeBytes + 1);
    if (file.Error != 0) {
      err << "qorv: " << path << ": " << std::strerror(file.Error) << '\n';
      return kExitFailure;
    }
    quorvane::Result<quorvane::Recipe> read =
        quorvane::ParseRecipe(file.Bytes, path, std::filesystem::path(path).parent_path().string());
    if (!read) {
      err << "qorv: " << read.error().message << '\n';
      return kExitUsage;
    }
    recipe = std::move(*read);
    return kExitSuccess;
  }
  for (const std::string& text : options.compose.parts) {
    quorvane::Result<quorvane::PartSetting> part = quorvane::ParsePart(text, "--part");
    if (!part) {
      err << "qorv: " << part.error().message << '\n';
      return kExitUsage;
    }
    recipe.parts.push_back(std::move(*part));
  }
  for (const std::string& text : options.compose.templates) {
    recipe.templates.push_back({text, "--template \"" + text + "\""});
  }
  return kExitSuccess;
}

std::vector<RunFile> ComposedRunFiles(const GenerateOptions& options,
                                      const quorvane::Recipe& recipe) {
  std::vector<RunFile> files = {{"the recipe", options.chapter_path, false},
                                {"-o", options.output_path, true}};
  for (const quorvane::PartSetting& part : recipe.parts) {
    files.push_back({"the Chapter of part " + part.name, part.chapter, false});
  }
  if (options.store) {
    files.push_back({"the Store", kStoreFileName, false});
    files.push_back({"the Store's backup", kStoreBackupFileName, false});
  }
  // Parts may share a Chapter: only the first of a path is checked against the others.
  std::vector<RunFile> distinct;
  for (const RunFile& file : files) {
    bool seen = false;
    for (const RunFile& kept : distinct) seen = seen || (!file.Output && kept.Path == file.Path);
    if (!seen) distinct.push_back(file);
  }
  return distinct;
}

// The Store's title line: the recipe's title, or the templates.
std::string StoreTitle(const quorvane::Recipe& recipe) {
  std::string title = recipe.title;
  for (std::size_t i = 0; recipe.title.empty() && i < recipe.templates.size(); ++i) {
    if (i > 0) title += " | ";
    title += recipe.templates[i].text;
  }
  return Utf8ToCp1252(title).value_or(title);
}

// The filters of the whole names: the command line's generation options are refused by now.
quorvane::Options WholeFilters(const GenerateOptions& given) {
  quorvane::Options filters = LibraryOptions(given);
  filters.unique = given.filters.unique;
  return filters;
}

int OutputNotWritten(std::ostream& err, const NameOutput& output, int error) {
  if (!output.IsStandardOutput()) {
    err << "qorv: " << output.Name() << ": " << FileErrorText(error) << '\n';
  }
  return kExitOutputNotWritten;
}

// The whole name of each key.
int PrintKeys(const GenerateOptions& options, const quorvane::Composer& composer,
              ComposedWriter& writer, std::ostream& out, std::ostream& err) {
  std::vector<std::string> keys;
  if (!ReadKeys(options.keys, keys, err)) return kExitFailure;
  std::size_t nameless = 0;
  writer.Begin();
  for (const std::string& key : keys) {
    const std::optional<quorvane::ComposedName> name =
        quorvane::NameFor(composer, options.keys.world_seed, key);
    nameless += name ? 0 : 1;
    writer.Write(name, &key);
    if (!out) return kExitOutputNotWritten;
  }
  if (nameless == 0) return kExitSuccess;
  err << "qorv: " << nameless << (nameless == 1 ? " key" : " keys") << " got no name\n";
  return kExitNoNewName;
}

// `count` whole names, each stored as soon as it is printed.
int PrintNames(const GenerateOptions& options, const quorvane::Composer& composer,
               ComposedWriter& writer, NameOutput& output, std::optional<StoreFile>& store,
               std::ostream& err) {
  quorvane::ComposedGenerator names(composer, options.seed.value_or(NameGenerator::SystemClock()));
  writer.Begin();
  for (std::uint32_t printed = 0; printed < options.count; ++printed) {
    const std::optional<quorvane::ComposedName> name = names.Next();
    if (!name) {
      output.Stream().flush();
      err << "qorv: no new name found";
      if (options.filters.Any()) err << " with " << Cp1252ToUtf8(options.filters.Describe());
      err << '\n';
      return kExitNoNewName;
    }
    writer.Write(name, nullptr);
    if (output.Error() != 0) return OutputNotWritten(err, output, output.Error());
    if (store) {
      const std::string stored = Utf8ToCp1252(name->name).value_or(name->name);
      if (const Result<void> written = store->WriteName(stored, options.trailing_line); !written) {
        output.Stream().flush();
        err << "qorv: " << written.error().message << '\n';
        return kExitOutputNotWritten;
      }
    }
  }
  return kExitSuccess;
}

}  // namespace

int RunComposed(const GenerateOptions& options, std::ostream& out, std::ostream& err,
                const StoreClock& store_clock) {
  quorvane::Recipe recipe;
  if (const int status = ReadComposition(options, recipe, err)) return status;
  if (const quorvane::Result<void> checked = quorvane::CheckRecipe(recipe); !checked) {
    err << "qorv: " << checked.error().message << '\n';
    return kExitUsage;
  }
  if (const int refused = CheckRunFiles(ComposedRunFiles(options, recipe), err)) return refused;
  const quorvane::Result<std::vector<quorvane::Lexicon>> lexicons = quorvane::LoadParts(recipe);
  if (!lexicons) {
    err << "qorv: " << lexicons.error().message << '\n';
    return kExitFailure;
  }
  const quorvane::Result<quorvane::Composer> composer =
      quorvane::Composer::Make(recipe, *lexicons, WholeFilters(options));
  if (!composer) {
    err << "qorv: " << composer.error().message << '\n';
    return kExitUsage;
  }

  NameOutput output(out, options.output_path);
  if (output.Error() != 0) return OutputNotWritten(err, output, output.Error());
  ComposedWriter writer(output.Stream(), options, recipe, options.keys.Any());
  int status = kExitSuccess;
  if (options.keys.Any()) {
    status = PrintKeys(options, *composer, writer, output.Stream(), err);
  } else {
    std::optional<StoreFile> store;
    StoreRun run;
    if (options.store) {
      store.emplace(".", store_clock);
      const Result<void> opened = store->Open(StoreTitle(recipe), run);
      if (store->KeptForeignFile()) err << "qorv: " << kForeignFileKept << '\n';
      if (!opened) {
        err << "qorv: " << opened.error().message << '\n';
        return kExitOutputNotWritten;
      }
    }
    status = PrintNames(options, *composer, writer, output, store, err);
    if (store && store->Error()) {
      if (const Result<void> closed = store->Close(); !closed) {
        err << "qorv: " << closed.error().message << '\n';
        status = kExitOutputNotWritten;
      }
    }
  }
  const bool keep = status == kExitSuccess || status == kExitNoNewName;
  if (output.Finish(keep) != 0 && status != kExitOutputNotWritten) {
    status = OutputNotWritten(err, output, output.Error());
  }
  return status;
}

}  // namespace qorv
