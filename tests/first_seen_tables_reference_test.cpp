// The tables kept in order of first appearance (pairs and length patterns) against plain
// references that walk the table for every lookup; and the index behind them, on its own.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "chapter/decomposition.h"
#include "chapter/first_seen_index.h"
#include "chapter/pair_tables.h"
#include "chapter/statistics.h"
#include "chapter/structure.h"

namespace qorv {
namespace {

TEST(FirstSeenIndexTest, FindsEveryKeyAddedEvenWhenAllHashesCollide) {
  std::vector<std::string> table;
  FirstSeenIndex<64> index;
  const auto add = [&](const std::string& key, std::uint64_t hash) {
    const auto [position, inserted] = index.FindOrAdd(
        hash, [&](int p) { return table[p] == key; }, static_cast<int>(table.size()));
    if (inserted) table.push_back(key);
    return std::make_pair(position, inserted);
  };
  for (int i = 0; i < 32; ++i) {
    EXPECT_EQ(add("k" + std::to_string(i), 7), std::make_pair(i, true));
  }
  for (int i = 31; i >= 0; --i) {
    EXPECT_EQ(add("k" + std::to_string(i), 7), std::make_pair(i, false));
  }
  // The probe wraps around the end of the slots.
  EXPECT_EQ(add("last", 63), std::make_pair(32, true));
  EXPECT_EQ(add("last", 63), std::make_pair(32, false));
}

struct PairEntry {
  ElementId first;
  ElementId second;
  int weight;
  bool operator==(const PairEntry&) const = default;
};

int Length(const ElementRow& r) {
  int n = 0;
  while (r[n] != kEndOfRow) ++n;
  return n;
}

void AddPair(std::vector<PairEntry>& table, ElementId first, ElementId second) {
  for (PairEntry& entry : table) {
    if (entry.first == first && entry.second == second) {
      ++entry.weight;
      return;
    }
  }
  table.push_back({first, second, 1});
}

std::vector<PairEntry> Pairs(const std::array<ElementPair, kMaxNames>& pairs,
                             const std::array<int, kMaxNames>& weights, int count) {
  std::vector<PairEntry> out;
  for (int i = 0; i < count; ++i) out.push_back({pairs[i].first, pairs[i].second, weights[i]});
  return out;
}

struct PatternEntry {
  std::string pattern;
  int weight;
  bool operator==(const PatternEntry&) const = default;
};

// Random coded names split into rows, with the element tables in `stats`.
std::vector<ElementRow> RandomRows(std::mt19937& random, ChapterStatistics& stats) {
  const std::string vowels = "AEIOU'";
  const std::string consonants = "BDKLNRSTy";
  std::vector<std::string> coded(1 + random() % 1000);
  const int longest = 2 + static_cast<int>(random() % 8);
  for (std::string& name : coded) {
    const int runs = 2 + static_cast<int>(random() % (longest - 1));
    bool vowel = random() % 2 == 0;
    for (int r = 0; r < runs; ++r, vowel = !vowel) {
      const std::string& letters = vowel ? vowels : consonants;
      const int run = 1 + static_cast<int>(random() % 2);
      for (int i = 0; i < run; ++i) name += letters[random() % letters.size()];
    }
  }
  TQorvChapter chapter;
  std::vector<ElementRow> rows;
  stats.MaxElementsPerName = 0;
  std::string error;
  EXPECT_TRUE(SplitNames(coded, false, stats, chapter, rows, &error)) << error;
  return rows;
}

TEST(FirstSeenTablesReferenceTest, PairTablesAgreeWithAWalkOverTheTable) {
  std::mt19937 random(7);
  auto stats = std::make_unique<ChapterStatistics>();
  for (int round = 0; round < 40; ++round) {
    const std::vector<ElementRow> rows = RandomRows(random, *stats);
    std::vector<PairEntry> initial;
    std::vector<PairEntry> final_pairs;
    for (const ElementRow& r : rows) {
      const int n = Length(r);
      AddPair(initial, r[0], r[1]);
      AddPair(final_pairs, r[n - 2], r[n - 1]);
    }
    ClearCountsAndLetterTables(*stats);
    BuildPairTables(*stats, rows);
    ASSERT_EQ(Pairs(stats->InitialPairs, stats->InitialPairWeights, stats->InitialPairCount),
              initial);
    ASSERT_EQ(Pairs(stats->FinalPairs, stats->FinalPairWeights, stats->FinalPairCount),
              final_pairs);
  }
}

TEST(FirstSeenTablesReferenceTest, StructurePatternsAgreeWithAWalkOverTheTable) {
  std::mt19937 random(11);
  auto stats = std::make_unique<ChapterStatistics>();
  for (int round = 0; round < 40; ++round) {
    const std::vector<ElementRow> rows = RandomRows(random, *stats);
    std::vector<std::vector<PatternEntry>> expected(kStructureClasses);
    for (const ElementRow& r : rows) {
      std::string pattern;
      for (int i = 0; r[i] != kEndOfRow; ++i)
        pattern += LengthPatternChar(PatternLength(*stats, r[i]));
      auto& table = expected[StructureClass(r, Length(r))];
      bool found = false;
      for (PatternEntry& entry : table) {
        if (entry.pattern == pattern) {
          ++entry.weight;
          found = true;
          break;
        }
      }
      if (!found) table.push_back({pattern, 1});
    }
    ClearRemainingTables(*stats);
    BuildStructurePatterns(*stats, rows);
    for (int c = 0; c < kStructureClasses; ++c) {
      std::vector<PatternEntry> actual;
      for (int j = 0; j < stats->StructureCounts[c]; ++j) {
        actual.push_back({stats->StructurePatterns[c][j], stats->StructureWeights[c][j]});
      }
      ASSERT_EQ(actual, expected[c]) << "round " << round << ", class " << c;
    }
  }
}

}  // namespace
}  // namespace qorv
