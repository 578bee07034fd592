#include "cli/chapter_check.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_set>

#include "chapter/option_tags.h"
#include "chapter/seed_rows.h"
#include "generator/name_filters.h"
#include "generator/name_generator.h"
#include "generator/retry_until_name.h"
#include "scoring/folded_name.h"
#include "scoring/name_scorer.h"
#include "scoring/seed_pieces.h"
#include "wordlist/default_options.h"

namespace qorv {
namespace {

constexpr std::uint32_t kSampleSeed = 1;  // the random source's seed of every measured run

double Mean(double sum, std::size_t count) {
  return count == 0 ? 0 : sum / static_cast<double>(count);
}

std::vector<std::vector<std::string>> SameAfterFolding(const std::vector<std::string>& seeds) {
  std::map<std::string, std::vector<std::string>> by_fold;
  for (const std::string& seed : seeds) by_fold[FoldedName(seed)].push_back(seed);
  std::vector<std::vector<std::string>> groups;
  for (auto& [fold, group] : by_fold) {
    if (group.size() > 1) groups.push_back(std::move(group));
  }
  return groups;
}

std::vector<std::string> FarLengths(const std::vector<std::string>& seeds) {
  std::vector<std::size_t> lengths;
  for (const std::string& seed : seeds) lengths.push_back(CountedLetters(seed));
  if (lengths.size() < 4) return {};
  std::sort(lengths.begin(), lengths.end());
  const double low = static_cast<double>(lengths[lengths.size() / 4]);
  const double high = static_cast<double>(lengths[lengths.size() * 3 / 4]);
  const double reach = 3 * std::max(1.0, high - low);
  std::vector<std::string> far;
  for (const std::string& seed : seeds) {
    const double length = static_cast<double>(CountedLetters(seed));
    if (length < low - reach || length > high + reach) far.push_back(seed);
  }
  return far;
}

// The letters (or doubled letters) that only one or two seeds hold, in the order of the letters.
std::vector<SeedLetterUse> RareUses(const std::vector<std::string>& seeds, bool doubled) {
  std::map<std::string, std::vector<std::string>> users;
  for (const std::string& seed : seeds) {
    const std::string upper = UpperCased(seed);
    std::set<std::string> held;
    for (std::size_t i = 0; i < upper.size(); ++i) {
      if (!doubled) {
        if (upper[i] != '\'' && upper[i] != '-') held.insert(upper.substr(i, 1));
      } else if (i > 0 && upper[i] == upper[i - 1]) {
        held.insert(upper.substr(i - 1, 2));
      }
    }
    for (const std::string& letters : held) users[letters].push_back(seed);
  }
  std::vector<SeedLetterUse> rare;
  for (auto& [letters, holders] : users) {
    if (holders.size() <= 2) rare.push_back({letters, std::move(holders)});
  }
  return rare;
}

std::vector<std::string> Tripled(const std::vector<std::string>& seeds) {
  std::vector<std::string> tripled;
  for (const std::string& seed : seeds) {
    const std::string upper = UpperCased(seed);
    for (std::size_t i = 2; i < upper.size(); ++i) {
      if (upper[i] == upper[i - 1] && upper[i] == upper[i - 2]) {
        tripled.push_back(seed);
        break;
      }
    }
  }
  return tripled;
}

SeedFacts FactsOfSeeds(const std::vector<std::string>& seeds, const NameScorer& scorer) {
  SeedFacts facts;
  facts.Count = static_cast<int>(seeds.size());
  double letters = 0;
  for (const std::string& seed : seeds) letters += static_cast<double>(CountedLetters(seed));
  facts.MeanLength = Mean(letters, seeds.size());
  double bits = 0;
  for (const double seed_bits : scorer.SeedBits()) bits += seed_bits;
  facts.MeanBits = Mean(bits, seeds.size());
  facts.TypicalBar = scorer.TypicalBar();
  facts.SameAfterFolding = SameAfterFolding(seeds);
  facts.FarLengths = FarLengths(seeds);
  facts.RareLetters = RareUses(seeds, false);
  facts.RareDoubles = RareUses(seeds, true);
  facts.Tripled = Tripled(seeds);
  return facts;
}

// The followers of each element, over the rows' places `position` (-1: every place).
Variety VarietyAt(const std::vector<SeedRow>& seeds, int position) {
  std::map<ElementId, std::set<ElementId>> followers;
  for (const SeedRow& seed : seeds) {
    const ElementRow& row = seed.Elements;
    for (int i = 0; i + 1 < kElementRowSize && row[i] != kEndOfRow; ++i) {
      if (row[i + 1] == kEndOfRow) break;
      if (position < 0 || i == position) followers[row[i]].insert(row[i + 1]);
    }
  }
  Variety variety{position, static_cast<int>(followers.size()), 0, 0};
  for (const auto& [element, after] : followers) {
    variety.MeanFollowers += static_cast<double>(after.size());
    variety.OneFollowerShare += after.size() == 1 ? 1 : 0;
  }
  variety.MeanFollowers = Mean(variety.MeanFollowers, followers.size());
  variety.OneFollowerShare = Mean(variety.OneFollowerShare, followers.size());
  return variety;
}

std::vector<Variety> Varieties(const TQorvChapter& chapter) {
  const std::vector<SeedRow> rows = SeedRows(chapter);
  std::vector<Variety> varieties{VarietyAt(rows, -1)};
  if (chapter.StructGen == 0) return varieties;
  for (int position = 0; position + 1 < kMaxElementsPerName; ++position) {
    const Variety at = VarietyAt(rows, position);
    if (at.Elements == 0) break;
    varieties.push_back(at);
  }
  return varieties;
}

// Names of one request from a fresh generator, until `count` or the first name not found.
std::vector<std::string> MakeNames(GenerationRequest request, const TQorvChapter& chapter,
                                   const ChapterStatistics& stats, int count) {
  request.Chapter = &chapter;
  request.Statistics = &stats;
  NameGenerator generator("", [] { return kSampleSeed; });
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(count));
  while (static_cast<int>(names.size()) < count) {
    std::optional<std::string> name = RetryUntilName(generator, request);
    if (!name) break;
    names.push_back(std::move(*name));
  }
  return names;
}

struct Seeds {
  std::unordered_set<std::string> upper;
  SeedPieces pieces;
  const NameScorer& scorer;
};

SampleFigures Measure(const GenerationRequest& request, const std::vector<std::string>& names,
                      const Seeds& seeds) {
  SampleFigures figures{request, static_cast<int>(names.size())};
  std::unordered_set<std::string> distinct;
  double letters = 0;
  double bits = 0;
  for (const std::string& name : names) {
    const std::string upper = UpperCased(name);
    distinct.insert(upper);
    figures.Novel += seeds.upper.contains(upper) ? 0 : 1;
    figures.NotPart += seeds.pieces.Holds(upper) ? 0 : 1;
    letters += static_cast<double>(CountedLetters(name));
    bits += seeds.scorer.BitsPerLetter(upper);
  }
  figures.Unique = Mean(static_cast<double>(distinct.size()), names.size());
  figures.Novel = Mean(figures.Novel, names.size());
  figures.NotPart = Mean(figures.NotPart, names.size());
  figures.MeanLength = Mean(letters, names.size());
  figures.MeanBits = Mean(bits, names.size());
  return figures;
}

int Capacity(const std::vector<std::string>& names, const Seeds& seeds) {
  std::unordered_set<std::string> novel;
  for (const std::string& name : names) {
    std::string upper = UpperCased(name);
    if (!seeds.upper.contains(upper)) novel.insert(std::move(upper));
  }
  return static_cast<int>(novel.size());
}

// The options `chapter new` gives a list of this many names, with the keywords of the Chapter
// that shape its load rather than its requests (SHUFFLE, PUNCT:, Y:, U:) kept as they are.
std::string SuggestedGenOpt(const TQorvChapter& chapter) {
  std::string genopt = DefaultGenOpt(static_cast<std::size_t>(chapter.NameCount));
  if (chapter.Shuffle) genopt += " SHUFFLE";
  if (chapter.PunctMode) genopt += " PUNCT:" + std::to_string(chapter.PunctMode);
  if (chapter.YMode == 1) genopt += " Y:CON";
  if (chapter.YMode == 2) genopt += " Y:SEMI";
  if (chapter.UMode == 2) genopt += " U:SEMI";
  return genopt;
}

}  // namespace

const char* SeedCountVerdict(int seeds) {
  return seeds < 30 ? "too few" : seeds < 100 ? "few" : "good";
}

ChapterCheck CheckChapter(const TQorvChapter& chapter, const ChapterStatistics& stats,
                          int sample_names, int capacity_run) {
  ChapterCheck check;
  const std::vector<std::string> seed_list = FinishedSeedList(chapter);
  const NameScorer scorer(seed_list);
  const Seeds seeds{
      {scorer.Seeds().begin(), scorer.Seeds().end()}, SeedPieces(scorer.Seeds()), scorer};
  check.Seeds = FactsOfSeeds(seed_list, scorer);
  check.Varieties = Varieties(chapter);

  check.SampleNames = sample_names;
  check.OwnRequest = SuggestedRequest(chapter);
  for (int level = 0; level <= 3; ++level) {
    for (int validation = 0; validation <= 2; ++validation) {
      GenerationRequest request = check.OwnRequest;
      request.GenerationLevel = level;
      request.ValidationLevel = validation;
      check.Levels.push_back(
          Measure(request, MakeNames(request, chapter, stats, sample_names), seeds));
    }
  }
  check.CapacityRun = capacity_run;
  check.Capacity = Capacity(MakeNames(check.OwnRequest, chapter, stats, capacity_run), seeds);

  check.SuggestedGenOpt = SuggestedGenOpt(chapter);
  TQorvChapter suggested;
  ParseGenOpt(check.SuggestedGenOpt, suggested);
  const GenerationRequest request = SuggestedRequest(suggested);
  check.Suggested = Measure(request, MakeNames(request, chapter, stats, sample_names), seeds);
  return check;
}

}  // namespace qorv
