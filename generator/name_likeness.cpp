#include "generator/name_likeness.h"

#include <set>

#include "scoring/name_scorer.h"
#include "scoring/seed_pieces.h"

namespace qorv {

LikenessScores ScoreNames(const std::vector<std::string>& seed_names,
                          const std::vector<std::string>& names) {
  LikenessScores scores;
  const NameScorer scorer(seed_names);
  const std::set<std::string> seed_set(scorer.Seeds().begin(), scorer.Seeds().end());
  const SeedPieces pieces(scorer.Seeds());
  scores.TypicalBar = scorer.LeftOutTypicalBar();
  if (names.empty()) return scores;

  std::set<std::string> seen;
  for (const std::string& generated : names) {
    const std::string name = UpperCased(generated);
    const bool novel = seed_set.count(name) == 0;
    const bool not_part = !pieces.Holds(name);
    const double bits = scorer.BitsPerLetter(name);
    const bool typical = bits <= scores.TypicalBar;
    const bool first = seen.insert(name).second;
    scores.Novel += novel;
    scores.NotPart += not_part;
    scores.BitsPerLetter += bits;
    scores.Typical += typical;
    scores.Good += first && novel && not_part && typical;
  }
  const double count = static_cast<double>(names.size());
  scores.Novel /= count;
  scores.NotPart /= count;
  scores.BitsPerLetter /= count;
  scores.Typical /= count;
  scores.Good /= count;
  return scores;
}

}  // namespace qorv
