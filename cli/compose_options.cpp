#include "cli/compose_options.h"

#include <CLI/CLI.hpp>

#include "cli/generate_command.h"

namespace qorv {
namespace {

constexpr const char* kComposeGroup = "Parts and templates (whole names from several Chapters)";

}  // namespace

bool IsRecipePath(const std::string& path) {
  return path.ends_with(".recipe");
}

bool IsComposedRun(const GenerateOptions& options) {
  return !options.compose.parts.empty() || !options.compose.templates.empty() ||
         IsRecipePath(options.chapter_path);
}

void AddComposeOptions(CLI::App& command, ComposeOptions& options) {
  command
      .add_option("--part", options.parts,
                  "a part of the whole names: \"NAME=CHAPTER [OPTIONS]\", the options of "
                  "generation and the filters for this part's names (may be given again)")
      ->allow_extra_args(false)
      ->type_name("NAME=CHAPTER")
      ->group(kComposeGroup);
  command
      .add_option("--template", options.templates,
                  "a whole name, [N*]TEXT: {NAME} takes a name of the part, {a|b|N*c} one of the "
                  "texts (may be given again, drawn by weight N)")
      ->allow_extra_args(false)
      ->type_name("TEXT")
      ->group(kComposeGroup);
}

void CheckComposeCombinations(const CLI::App& command, const GenerateOptions& options) {
  const ComposeOptions& compose = options.compose;
  const bool from_options = !compose.parts.empty() || !compose.templates.empty();
  if (!from_options && options.chapter_path.empty()) throw CLI::RequiredError("CHAPTER");
  if (!from_options && !IsRecipePath(options.chapter_path)) return;
  if (from_options && !options.chapter_path.empty()) {
    throw CLI::ValidationError(compose.parts.empty() ? "--template" : "--part",
                               "makes whole names of its own; CHAPTER cannot come with it (a "
                               "recipe holds its own parts and templates)");
  }
  if (!compose.parts.empty() && compose.templates.empty()) {
    throw CLI::ValidationError("--part", "goes with --template");
  }
  const char* composed = from_options ? "--part" : "a recipe";
  for (const char* name : {"--level", "--validation", "--structural", "--statistical", "--prefixes",
                           "--suffixes", "--auto", "--initial", "--log", "--stats"}) {
    const CLI::Option* other = command.get_option_no_throw(name);
    if (other && other->count() > 0) {
      throw CLI::ValidationError(name, std::string("cannot come with ") + composed +
                                           " (options of generation go with each part)");
    }
  }
  // An explanation, the deny list and the typicality measures follow one Chapter's generator
  // and seed names, not a template's.
  for (const char* name :
       {"--explain", "--deny", "--min-typicality", "--max-typicality", "--typical", "--sort"}) {
    const CLI::Option* other = command.get_option_no_throw(name);
    if (other && other->count() > 0) {
      throw CLI::ValidationError(name, std::string("cannot come with ") + composed +
                                           " (it works on the names of one Chapter)");
    }
  }
}

}  // namespace qorv
