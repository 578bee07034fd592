// Whole names from several Chapters: parts, templates and recipes.
//
//   #include <quorvane/composer.h>
//   auto composer = quorvane::Composer::LoadRecipe("dwarves.recipe");
//   if (!composer) { std::cerr << composer.error().message << '\n'; return 1; }
//   quorvane::ComposedGenerator names(*composer, /*seed=*/42);
//   std::optional<quorvane::ComposedName> name = names.Next();   // "Thrain Ironhand"
//
// A part is a name made from one Chapter with its own Options ("given", "clan"). A template is
// the text of a whole name: "{given} {clan}" fills each {part} with a name of that part, and
// "{the Bold|the Grim|3*Ironhand}" is a choice of literal texts, each drawn in proportion to its
// weight (1 unless a whole number and "*" come before it; an alternative may be empty). A
// template may begin with a weight too ("2*{given} {clan}"): one template is drawn per name, in
// proportion to the weights. A part named twice in one template gives the same name at both
// places. Braces hold either one part's name or a choice with at least one "|".
//
// A recipe keeps all this in a UTF-8 text file (".recipe"), one setting a line; blank lines and
// lines whose first non-blank character is "#" are skipped:
//
//   title     Dwarves of the Stone-kin
//   part      given = stone_kin_holds.qrv --auto
//   part      clan  = stone_kin_holds.qrv -g 3 --suffixes --max-length 9
//   template  {given} {clan}
//   template  2* {given} {the Bold|the Grim|Ironhand}
//
// A part line is "NAME = CHAPTER OPTIONS": NAME is letters, digits and "_" (not beginning with a
// digit); CHAPTER a path, relative to the recipe's folder, in double quotes when it holds a
// space; OPTIONS the generation options and filters of `qorv generate`, in its spelling (-g 3,
// -g3, --level 3, --level=3, -v, --structural, --statistical, --prefixes, --suffixes, --auto,
// -i, --unique, --novel, --min-length, --max-length, --starts-with, --ends-with, --contains,
// --exclude).
//
// Ownership and threads: a Composer is immutable and shares its Lexicons; copies are cheap and
// any number of threads may read one. A ComposedGenerator is one stream of whole names, with one
// Generator per part; like a Generator it is used by one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "quorvane/lexicon.h"
#include "quorvane/result.h"

namespace quorvane {

namespace detail {
struct Composition;
struct ComposedState;
}  // namespace detail

// One part of the whole names: its name, its Chapter and the options its names are made with.
struct PartSetting {
  std::string name;
  std::string chapter;  // the Chapter file's path
  Options options;
  std::string where;  // how messages name the setting: "dwarves.recipe:3", "--part clan"
};

// One template, with its weight prefix if it has one ("2*{given} {clan}").
struct TemplateSetting {
  std::string text;
  std::string where;  // how messages name the setting: "dwarves.recipe:4", "--template ..."
};

// Parts and templates, as a recipe file or a command line gives them.
struct Recipe {
  std::string title;  // "" when none is given
  std::vector<PartSetting> parts;
  std::vector<TemplateSetting> templates;
};

// A recipe is a few lines: a larger file is no recipe, and is not read to its end.
inline constexpr std::size_t kMaxRecipeBytes = 1 << 20;

// "NAME = CHAPTER OPTIONS", the form of a recipe's part line and of `qorv generate --part`. The
// error is "WHERE: ..." and says what is wrong.
Result<PartSetting> ParsePart(std::string_view setting, const std::string& where);

// The options of a part in the spelling of `qorv generate`, one word an element.
Result<Options> ParsePartOptions(const std::vector<std::string>& words);

// A recipe's text (UTF-8): `name` is how messages name the file ("dwarves.recipe:3: ..."), and
// relative Chapter paths are taken from `folder`. Checks the settings' form only.
Result<Recipe> ParseRecipe(std::string_view text, const std::string& name,
                           const std::string& folder);
// Reads and parses the recipe file at `path`; its Chapters are relative to its folder.
Result<Recipe> ReadRecipe(const std::string& path);

// Whether the templates can be read and the parts fit them: every template's braces closed,
// every part it names given, every part named by some template, no part given twice. Nothing
// is loaded; the error names the setting.
Result<void> CheckRecipe(const Recipe& recipe);

// The Chapter of each part, in the order of the parts (parts with the same path share one
// Lexicon). The error is "WHERE: part NAME: CHAPTER: the loader's message".
Result<std::vector<Lexicon>> LoadParts(const Recipe& recipe);

// One whole name and the names of the parts it holds.
struct ComposedName {
  std::string name;
  std::vector<std::pair<std::string, std::string>> parts;  // part name, its name; in part order
  std::size_t template_index = 0;                          // into the recipe's templates
};

class Composer {
 public:
  // The recipe over `lexicons` (one for each part, in order). `filters` holds the filters on
  // the whole names: unique, min_length, max_length (spaces are not counted either),
  // starts_with, ends_with, contains and exclude apply to the whole name; novel refuses a name
  // any part of which equals a seed name of that part's Chapter. The generation fields of
  // `filters` must keep their defaults. The error says what cannot be made (CheckRecipe's
  // errors, a part's options that CheckOptions refuses, a text Windows-1252 cannot hold).
  static Result<Composer> Make(const Recipe& recipe, const std::vector<Lexicon>& lexicons,
                               const Options& filters = {});
  // CheckRecipe, then LoadParts, then Make.
  static Result<Composer> Load(const Recipe& recipe, const Options& filters = {});
  // ReadRecipe, then Load.
  static Result<Composer> LoadRecipe(const std::string& path, const Options& filters = {});

  const Recipe& recipe() const;
  const std::string& Title() const { return recipe().title; }
  // The Lexicon of part `index` (in the recipe's order).
  const Lexicon& PartLexicon(std::size_t index) const;

 private:
  friend class ComposedGenerator;
  explicit Composer(std::shared_ptr<const detail::Composition> composition);

  std::shared_ptr<const detail::Composition> composition_;
};

// A stream of whole names. Seeded alike, it gives the same names; each part's Generator is seeded
// from the seed and the part's name.
class ComposedGenerator {
 public:
  ComposedGenerator(const Composer& composer, std::uint32_t seed);
  ~ComposedGenerator();
  ComposedGenerator(ComposedGenerator&&) noexcept;
  ComposedGenerator& operator=(ComposedGenerator&&) noexcept;
  ComposedGenerator(const ComposedGenerator&) = delete;
  ComposedGenerator& operator=(const ComposedGenerator&) = delete;

  // The next whole name that passes the filters; nullopt when a part found no name within its
  // attempt limit, or 20000 whole names in a row were refused.
  std::optional<ComposedName> Next();

 private:
  std::unique_ptr<detail::ComposedState> state_;
};

// The whole name an entity keyed `key` has in the world `world_seed`: the first name of a
// ComposedGenerator seeded as NameFor seeds a Generator. nullopt when no name can be made.
std::optional<ComposedName> NameFor(const Composer& composer, std::uint64_t world_seed,
                                    std::string_view key);

}  // namespace quorvane
