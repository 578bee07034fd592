// Whole names of several parts in `qorv generate`: --part NAME=CHAPTER OPTIONS and --template
// TEXT (each may be given again), or a recipe file (".recipe") in the place of the Chapter.
#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace qorv {

struct GenerateOptions;

struct ComposeOptions {
  std::vector<std::string> parts;      // --part, as given (UTF-8)
  std::vector<std::string> templates;  // --template, as given (UTF-8)
};

// Whether `path` names a recipe: it ends with ".recipe".
bool IsRecipePath(const std::string& path);

// Whether the options ask for whole names of parts: --part, --template or a recipe.
bool IsComposedRun(const GenerateOptions& options);

// Adds the group "Parts and templates" to the generate command.
void AddComposeOptions(CLI::App& command, ComposeOptions& options);

// Refuses, as usage errors, what a run of whole names cannot take: no CHAPTER and no part; a
// CHAPTER with --part or --template; --part without --template; the generation options of one
// Chapter (they go with each part), --log and --stats.
void CheckComposeCombinations(const CLI::App& command, const GenerateOptions& options);

}  // namespace qorv
