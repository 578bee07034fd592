#include "quorvane/composer.h"

#include <map>
#include <set>

#include "compose/template_text.h"
#include "generator/key_seed.h"
#include "generator/name_filters.h"
#include "text/encoding.h"

namespace quorvane {
namespace detail {

// A run of whole names gives up after this many refused in a row, as a Generator counts its
// attempts across the names its filters refuse.
constexpr int kMaxWholeAttempts = 20000;

// What a Composer shares: the recipe read, a Lexicon and the options of each part, and the
// filters of the whole names in Windows-1252.
struct Composition {
  Recipe recipe;
  std::vector<Lexicon> lexicons;
  std::vector<Options> part_options;
  std::vector<TemplateText> templates;
  long long total_weight = 0;
  qorv::NameFilterOptions filters;
};

// One stream of whole names: a Generator for each part, the filters' memory of the names given
// and the random source of the templates and choices (SplitMix64, the same on every machine).
struct ComposedState {
  std::shared_ptr<const Composition> composition;
  std::vector<Generator> generators;
  qorv::NameFilters filters;
  std::uint64_t random = 0;

  // A number from 0 to `total` - 1.
  std::uint64_t Draw(long long total) {
    const std::uint64_t drawn = qorv::SplitMix64(random);
    random += 0x9E3779B97F4A7C15u;
    return drawn % static_cast<std::uint64_t>(total);
  }
};

namespace {

// The item of `items` whose weight the draw falls in.
template <typename Item>
const Item& Drawn(const std::vector<Item>& items, std::uint64_t draw) {
  for (const Item& item : items) {
    if (draw < static_cast<std::uint64_t>(item.weight)) return item;
    draw -= static_cast<std::uint64_t>(item.weight);
  }
  return items.back();
}

std::size_t Drawn(const std::vector<TemplateText>& templates, std::uint64_t draw) {
  return static_cast<std::size_t>(&Drawn<TemplateText>(templates, draw) - templates.data());
}

Result<void> Cp1252Text(const std::string& where, const std::string& utf8) {
  if (qorv::Utf8ToCp1252(utf8)) return {};
  return Error{where + ": Windows-1252, the code page of names, cannot hold \"" + utf8 + "\""};
}

// Every literal text of the template in Windows-1252, so that the filters can read whole names.
Result<void> CheckLiterals(const std::string& where, const TemplateText& read) {
  for (const Piece& piece : read.pieces) {
    if (piece.kind == Piece::Kind::kText) {
      if (Result<void> text = Cp1252Text(where, piece.text); !text) return text;
    }
    for (const Alternative& alternative : piece.alternatives) {
      if (Result<void> text = Cp1252Text(where, alternative.text); !text) return text;
    }
  }
  return {};
}

// The filters of whole names in Windows-1252; `options` may hold nothing else.
Result<qorv::NameFilterOptions> WholeFilters(const Options& options) {
  const Options defaults;
  if (options.level != defaults.level || options.validation != defaults.validation ||
      options.structural || options.statistical || options.prefixes || options.suffixes ||
      options.automatic || !options.initial.empty()) {
    return Error{"the filters of whole names take no generation options (they go with each part)"};
  }
  qorv::NameFilterOptions filters;
  filters.unique = options.unique;
  filters.min_length = options.min_length;
  filters.max_length = options.max_length;
  struct Text {
    const char* field;
    const std::string& utf8;
    std::string& cp1252;
  };
  for (const Text& text : {Text{"starts_with", options.starts_with, filters.starts_with},
                           Text{"ends_with", options.ends_with, filters.ends_with},
                           Text{"contains", options.contains, filters.contains}}) {
    const std::optional<std::string> converted = qorv::Utf8ToCp1252(text.utf8);
    if (!converted)
      return Error{std::string(text.field) + ": Windows-1252 cannot hold " + text.utf8};
    text.cp1252 = *converted;
  }
  for (const std::string& exclude : options.exclude) {
    const std::optional<std::string> converted = qorv::Utf8ToCp1252(exclude);
    if (!converted || exclude.empty()) {
      return Error{"exclude: Windows-1252 cannot hold \"" + exclude + "\""};
    }
    filters.excludes.push_back(*converted);
  }
  if (filters.min_length && filters.max_length && *filters.min_length > *filters.max_length) {
    return Error{"min_length is above max_length"};
  }
  if (const std::vector<std::string> refusals = qorv::ContradictoryFilters(filters, '*');
      !refusals.empty()) {
    return Error{refusals.front()};
  }
  return filters;
}

// Gives each part piece its part's index.
void NumberParts(const Recipe& recipe, TemplateText& read) {
  for (Piece& piece : read.pieces) {
    if (piece.kind != Piece::Kind::kPart) continue;
    for (std::size_t i = 0; i < recipe.parts.size(); ++i) {
      if (recipe.parts[i].name == piece.text) piece.part = i;
    }
  }
}

}  // namespace
}  // namespace detail

Result<void> CheckRecipe(const Recipe& recipe) {
  if (recipe.templates.empty()) return Error{"no template is given"};
  std::set<std::string> given;
  for (const PartSetting& part : recipe.parts) {
    if (!given.insert(part.name).second) {
      return Error{part.where + ": the part " + part.name + " is given twice"};
    }
  }
  std::set<std::string> used;
  for (const TemplateSetting& setting : recipe.templates) {
    const Result<detail::TemplateText> read = detail::ReadTemplate(setting.text);
    if (!read) return Error{setting.where + ": " + read.error().message};
    for (const std::string& name : read->part_names) {
      if (!given.contains(name)) {
        return Error{setting.where + ": the template names the part " + name +
                     ", which is not given"};
      }
      used.insert(name);
    }
  }
  for (const PartSetting& part : recipe.parts) {
    if (!used.contains(part.name)) {
      return Error{part.where + ": the part " + part.name + " is used by no template"};
    }
  }
  return {};
}

Result<std::vector<Lexicon>> LoadParts(const Recipe& recipe) {
  std::vector<Lexicon> lexicons;
  std::map<std::string, std::size_t> loaded;  // a Chapter's path, and its first part
  for (const PartSetting& part : recipe.parts) {
    if (const auto found = loaded.find(part.chapter); found != loaded.end()) {
      lexicons.push_back(lexicons[found->second]);
      continue;
    }
    Result<Lexicon> lexicon = Lexicon::LoadFile(part.chapter);
    if (!lexicon) {
      return Error{part.where + ": part " + part.name + ": " + part.chapter + ": " +
                   lexicon.error().message};
    }
    loaded.emplace(part.chapter, lexicons.size());
    lexicons.push_back(std::move(*lexicon));
  }
  return lexicons;
}

Composer::Composer(std::shared_ptr<const detail::Composition> composition)
    : composition_(std::move(composition)) {}

Result<Composer> Composer::Make(const Recipe& recipe, const std::vector<Lexicon>& lexicons,
                                const Options& filters) {
  if (Result<void> checked = CheckRecipe(recipe); !checked) return checked.error();
  if (lexicons.size() != recipe.parts.size()) {
    return Error{"a Lexicon is needed for each part: " + std::to_string(recipe.parts.size()) +
                 " parts, " + std::to_string(lexicons.size()) + " Lexicons"};
  }
  Result<qorv::NameFilterOptions> whole = detail::WholeFilters(filters);
  if (!whole) return whole.error();
  auto composition = std::make_shared<detail::Composition>();
  composition->recipe = recipe;
  composition->lexicons = lexicons;
  composition->filters = std::move(*whole);
  for (std::size_t i = 0; i < recipe.parts.size(); ++i) {
    const PartSetting& part = recipe.parts[i];
    Options options = part.options;
    options.novel = options.novel || filters.novel;
    if (Result<void> usable = CheckOptions(lexicons[i], options); !usable) {
      return Error{part.where + ": part " + part.name + ": " + usable.error().message};
    }
    composition->part_options.push_back(std::move(options));
  }
  for (const TemplateSetting& setting : recipe.templates) {
    Result<detail::TemplateText> read = detail::ReadTemplate(setting.text);
    if (Result<void> literals = detail::CheckLiterals(setting.where, *read); !literals) {
      return literals.error();
    }
    detail::NumberParts(recipe, *read);
    composition->total_weight += read->weight;
    composition->templates.push_back(std::move(*read));
  }
  return Composer(std::move(composition));
}

Result<Composer> Composer::Load(const Recipe& recipe, const Options& filters) {
  if (Result<void> checked = CheckRecipe(recipe); !checked) return checked.error();
  Result<std::vector<Lexicon>> lexicons = LoadParts(recipe);
  if (!lexicons) return lexicons.error();
  return Make(recipe, *lexicons, filters);
}

Result<Composer> Composer::LoadRecipe(const std::string& path, const Options& filters) {
  Result<Recipe> recipe = ReadRecipe(path);
  if (!recipe) return recipe.error();
  return Load(*recipe, filters);
}

const Recipe& Composer::recipe() const {
  return composition_->recipe;
}

const Lexicon& Composer::PartLexicon(std::size_t index) const {
  return composition_->lexicons.at(index);
}

ComposedGenerator::ComposedGenerator(const Composer& composer, std::uint32_t seed)
    : state_(std::make_unique<detail::ComposedState>(
          detail::ComposedState{composer.composition_,
                                {},
                                qorv::NameFilters(composer.composition_->filters, {}),
                                seed})) {
  const detail::Composition& composition = *composer.composition_;
  for (std::size_t i = 0; i < composition.lexicons.size(); ++i) {
    state_->generators.emplace_back(composition.lexicons[i], composition.part_options[i],
                                    qorv::KeySeed(seed, composition.recipe.parts[i].name));
  }
}

ComposedGenerator::~ComposedGenerator() = default;
ComposedGenerator::ComposedGenerator(ComposedGenerator&&) noexcept = default;
ComposedGenerator& ComposedGenerator::operator=(ComposedGenerator&&) noexcept = default;

std::optional<ComposedName> ComposedGenerator::Next() {
  detail::ComposedState& state = *state_;
  const detail::Composition& composition = *state.composition;
  std::vector<std::optional<std::string>> part_names(composition.lexicons.size());
  for (int attempt = 0; attempt < detail::kMaxWholeAttempts; ++attempt) {
    const std::size_t chosen =
        detail::Drawn(composition.templates, state.Draw(composition.total_weight));
    const detail::TemplateText& read = composition.templates[chosen];
    std::fill(part_names.begin(), part_names.end(), std::nullopt);
    for (const std::string& name : read.part_names) {
      for (std::size_t i = 0; i < part_names.size(); ++i) {
        if (composition.recipe.parts[i].name != name) continue;
        part_names[i] = state.generators[i].Next();
        if (!part_names[i]) return std::nullopt;
      }
    }
    ComposedName composed;
    composed.template_index = chosen;
    for (const detail::Piece& piece : read.pieces) {
      switch (piece.kind) {
        case detail::Piece::Kind::kText:
          composed.name += piece.text;
          break;
        case detail::Piece::Kind::kPart:
          composed.name += *part_names[piece.part];
          break;
        case detail::Piece::Kind::kChoice:
          composed.name += detail::Drawn(piece.alternatives, state.Draw(piece.total_weight)).text;
          break;
      }
    }
    // The filters read Windows-1252; a run without filters needs no conversion.
    if (composition.filters.Any() &&
        state.filters.Refusal(qorv::Utf8ToCp1252(composed.name).value_or(composed.name))) {
      continue;
    }
    for (std::size_t i = 0; i < part_names.size(); ++i) {
      if (part_names[i])
        composed.parts.emplace_back(composition.recipe.parts[i].name, *part_names[i]);
    }
    return composed;
  }
  return std::nullopt;
}

std::optional<ComposedName> NameFor(const Composer& composer, std::uint64_t world_seed,
                                    std::string_view key) {
  ComposedGenerator generator(composer, qorv::KeySeed(world_seed, key));
  return generator.Next();
}

}  // namespace quorvane
