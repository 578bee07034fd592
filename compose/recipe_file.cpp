// Recipe files: UTF-8 text, one setting a line ("title", "part", "template"), "#" comments.
#include <cstring>
#include <filesystem>

#include "compose/setting_words.h"
#include "io/file_bytes.h"
#include "quorvane/composer.h"
#include "wordlist/text_input.h"

namespace quorvane {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// A Chapter's path as the recipe gives it, taken from the recipe's folder unless absolute.
std::string ChapterPath(const std::string& folder, const std::string& chapter) {
  const std::filesystem::path path(chapter);
  if (path.is_absolute() || folder.empty()) return chapter;
  return (std::filesystem::path(folder) / path).string();
}

// The first word of a line and what follows it.
std::pair<std::string_view, std::string_view> KeywordAndRest(std::string_view line) {
  const std::size_t end = line.find_first_of(" \t");
  if (end == std::string_view::npos) return {line, {}};
  return {line.substr(0, end), detail::Trimmed(line.substr(end))};
}

}  // namespace

Result<Recipe> ParseRecipe(std::string_view text, const std::string& name,
                           const std::string& folder) {
  if (!qorv::IsWellFormedUtf8(text)) return Error{name + ": the recipe is not UTF-8"};
  if (text.starts_with(kUtf8Mark)) text.remove_prefix(kUtf8Mark.size());
  Recipe recipe;
  bool titled = false;
  std::size_t number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = detail::Trimmed(line);
    if (line.empty() || line.front() == '#') continue;
    const std::string where = name + ":" + std::to_string(number);
    const auto [keyword, rest] = KeywordAndRest(line);
    if (keyword == "title") {
      if (titled) return Error{where + ": the recipe has a title already"};
      if (rest.empty()) return Error{where + ": the title is empty"};
      recipe.title = std::string(rest);
      titled = true;
    } else if (keyword == "part") {
      Result<PartSetting> part = ParsePart(rest, where);
      if (!part) return part.error();
      part->chapter = ChapterPath(folder, part->chapter);
      recipe.parts.push_back(std::move(*part));
    } else if (keyword == "template") {
      if (rest.empty()) return Error{where + ": the template is empty"};
      recipe.templates.push_back({std::string(rest), where});
    } else {
      return Error{where + ": \"" + std::string(keyword) +
                   "\" is no setting of a recipe (title, part or template)"};
    }
  }
  if (recipe.parts.empty()) return Error{name + ": the recipe has no part"};
  if (recipe.templates.empty()) return Error{name + ": the recipe has no template"};
  return recipe;
}

Result<Recipe> ReadRecipe(const std::string& path) {
  const qorv::FileBytes file = qorv::ReadFileBytes(path, kMaxRecipeBytes + 1);
  if (file.Error != 0) return Error{path + ": " + std::strerror(file.Error)};
  if (file.Bytes.size() > kMaxRecipeBytes) return Error{path + ": a recipe holds at most 1 MiB"};
  return ParseRecipe(file.Bytes, path, std::filesystem::path(path).parent_path().string());
}

}  // namespace quorvane
