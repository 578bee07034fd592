#include "cli/recipe_inspection.h"

#include <cstring>
#include <filesystem>

#include <nlohmann/json.hpp>

#include "cli/exit_codes.h"
#include "cli/inspect_command.h"
#include "io/file_bytes.h"
#include "quorvane/composer.h"

namespace qorv {
namespace {

void WriteText(std::ostream& out, const std::string& path, const quorvane::Recipe& recipe,
               const std::vector<quorvane::Lexicon>& lexicons) {
  out << "Recipe: " << path << '\n';
  if (!recipe.title.empty()) out << "Title: " << recipe.title << '\n';
  out << "Parts: " << recipe.parts.size() << '\n';
  for (std::size_t i = 0; i < recipe.parts.size(); ++i) {
    const quorvane::Lexicon& lexicon = lexicons[i];
    out << "  " << recipe.parts[i].name << ": " << recipe.parts[i].chapter << " (\""
        << lexicon.Title() << "\": " << lexicon.NameCount() << " seed names, "
        << lexicon.VowelElementCount() << " vowel and " << lexicon.ConsonantElementCount()
        << " consonant elements)\n";
  }
  out << "Templates: " << recipe.templates.size() << '\n';
  for (const quorvane::TemplateSetting& setting : recipe.templates) {
    out << "  " << setting.text << '\n';
  }
}

nlohmann::ordered_json Json(const std::string& path, const quorvane::Recipe& recipe,
                            const std::vector<quorvane::Lexicon>& lexicons) {
  nlohmann::ordered_json object;
  object["recipe"] = path;
  object["title"] = recipe.title;
  object["parts"] = nlohmann::ordered_json::array();
  for (std::size_t i = 0; i < recipe.parts.size(); ++i) {
    object["parts"].push_back({{"name", recipe.parts[i].name},
                               {"chapter", recipe.parts[i].chapter},
                               {"title", lexicons[i].Title()},
                               {"name_count", lexicons[i].NameCount()},
                               {"vowel_element_count", lexicons[i].VowelElementCount()},
                               {"consonant_element_count", lexicons[i].ConsonantElementCount()}});
  }
  object["templates"] = nlohmann::ordered_json::array();
  for (const quorvane::TemplateSetting& setting : recipe.templates) {
    object["templates"].push_back(setting.text);
  }
  return object;
}

}  // namespace

int RunInspectRecipe(const InspectOptions& options, std::ostream& out, std::ostream& err) {
  const std::string& path = options.chapter_path;
  const FileBytes file = ReadFileBytes(path, quorvane::kMaxRecipeBytes + 1);
  if (file.Error != 0) {
    err << "qorv: " << path << ": " << std::strerror(file.Error) << '\n';
    return kExitFailure;
  }
  const quorvane::Result<quorvane::Recipe> recipe =
      quorvane::ParseRecipe(file.Bytes, path, std::filesystem::path(path).parent_path().string());
  if (!recipe) {
    err << "qorv: " << recipe.error().message << '\n';
    return kExitUsage;
  }
  if (const quorvane::Result<void> checked = quorvane::CheckRecipe(*recipe); !checked) {
    err << "qorv: " << checked.error().message << '\n';
    return kExitUsage;
  }
  const quorvane::Result<std::vector<quorvane::Lexicon>> lexicons = quorvane::LoadParts(*recipe);
  if (!lexicons) {
    err << "qorv: " << lexicons.error().message << '\n';
    return kExitFailure;
  }
  if (options.json) {
    out << Json(path, *recipe, *lexicons).dump() << '\n';
  } else {
    WriteText(out, path, *recipe, *lexicons);
  }
  return kExitSuccess;
}

}  // namespace qorv
