#include <optional>

#include "generator/name_filters.h"
#include "lexicon/loaded_chapter.h"
#include "quorvane/lexicon.h"
#include "text/encoding.h"

namespace quorvane {

namespace detail {

const qorv::NameScorer& ScorerOf(const LoadedChapter& loaded) {
  std::call_once(loaded.ScorerMade, [&loaded] {
    loaded.Scorer =
        std::make_unique<const qorv::NameScorer>(qorv::FinishedSeedList(loaded.Chapter));
  });
  return *loaded.Scorer;
}

}  // namespace detail

Result<NameScore> Score(const Lexicon& lexicon, std::string_view name) {
  const std::optional<std::string> cp1252 = qorv::Utf8ToCp1252(name);
  if (!cp1252) return Error{"Windows-1252 cannot hold " + std::string(name)};
  const qorv::NameScorer& scorer = detail::ScorerOf(*lexicon.chapter_);
  const qorv::NameScore score = scorer.Score(*cp1252);
  return NameScore{score.BitsPerLetter, scorer.TypicalBar(),
                   score.BitsPerLetter <= scorer.TypicalBar(),
                   qorv::Cp1252ToUtf8(score.NearestSeed), score.EditDistance};
}

}  // namespace quorvane
