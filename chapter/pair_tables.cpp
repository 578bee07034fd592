#include "chapter/pair_tables.h"

#include "chapter/first_seen_index.h"
#include "chapter/letters.h"

namespace qorv {
namespace {

int RowLength(const ElementRow& row) {
  int n = 0;
  while (row[n] != kEndOfRow) ++n;
  return n;
}

// One pair table (pairs, weights, count) with a hash index beside it; the table keeps the order
// of first appearance, the index only saves the walk over up to 1000 entries.
class PairTable {
 public:
  PairTable(std::array<ElementPair, kMaxNames>& pairs, std::array<int, kMaxNames>& weights,
            int& count)
      : pairs_(pairs), weights_(weights), count_(count) {}

  // Counts one more occurrence of the pair and returns its index.
  int Add(ElementId first, ElementId second) {
    const auto key = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(first)) << 32) |
                     static_cast<std::uint32_t>(second);
    const auto [index, inserted] = index_.FindOrAdd(
        HashKey(key),
        [this, first, second](int i) {
          return pairs_[i].first == first && pairs_[i].second == second;
        },
        count_);
    if (inserted) {
      pairs_[index] = {first, second};
      weights_[index] = 0;
      ++count_;
    }
    ++weights_[index];
    return index;
  }

 private:
  std::array<ElementPair, kMaxNames>& pairs_;
  std::array<int, kMaxNames>& weights_;
  int& count_;
  FirstSeenIndex<2048> index_;  // at most kMaxNames pairs
};

}  // namespace

void BuildPairTables(ChapterStatistics& stats, const std::vector<ElementRow>& rows) {
  PairTable initial(stats.InitialPairs, stats.InitialPairWeights, stats.InitialPairCount);
  PairTable final_pairs(stats.FinalPairs, stats.FinalPairWeights, stats.FinalPairCount);
  for (const ElementRow& r : rows) {
    const int n = RowLength(r);
    initial.Add(r[0], r[1]);
    const int x = final_pairs.Add(r[n - 2], r[n - 1]);
    // Final pair context: the element right before the pair and the one before that. Vowel
    // elements are noted by their ElementId, consonant elements by 1000 + their last letter.
    if (n >= 3) stats.FinalPairThirdLast[x][ContextColumn(stats, r[n - 3])] = 1;
    if (n >= 4) stats.FinalPairFourthLast[x][ContextColumn(stats, r[n - 4])] = 1;
  }
}

void BuildTransitionTables(ChapterStatistics& stats, const std::vector<ElementRow>& rows) {
  for (const ElementRow& r : rows) {
    for (int i = 1; r[i] != kEndOfRow; ++i) {
      const ElementId id = r[i];
      if (IsVowelId(id)) {
        const int after = ConsonantIndex(ElementText(stats, r[i - 1]).back());
        stats.VowelAfterConsonant[id][after] = 1;
        if (i >= 2) stats.VowelAcrossConsonant[id][r[i - 2]] = 1;
      } else {
        const int first = ConsonantIndex(ElementText(stats, id).front());
        stats.ConsonantAfterVowel[first][r[i - 1]] = 1;
        if (i >= 2 && !IsMultiVowel(stats.VowelElements[r[i - 1]])) {
          const int across = ConsonantIndex(ElementText(stats, r[i - 2]).back());
          stats.ConsonantAcrossVowel[first][across] = 1;
        }
      }
    }
  }
}

}  // namespace qorv
