// AddLetterStatistics against a plain reference: the closest repetition found by scanning on from
// every position, and the share of every one of the 127 letters, over many random names.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "chapter/letter_statistics.h"
#include "chapter/letters.h"
#include "chapter/statistics.h"

namespace qorv {
namespace {

struct LetterTables {
  std::array<int, kLetterCount> distance;
  std::array<int, kLetterCount> percent;
};

// The rule word for word: for each position, the first equal letter two or more places on; for
// each letter of AllLetters, its count over the name's length.
LetterTables Reference(const std::vector<std::string>& names) {
  LetterTables t;
  t.distance.fill(255);
  t.percent.fill(0);
  for (const std::string& s : names) {
    const int length = static_cast<int>(s.size());
    for (int i = 0; i + 2 < length; ++i) {
      for (int j = i + 2; j < length; ++j) {
        if (s[j] == s[i]) {
          int& d = t.distance[LetterIndex(s[i])];
          if (d > j - i) d = j - i;
          break;
        }
      }
    }
    for (int k = 0; k < kLetterCount; ++k) {
      const int c = static_cast<int>(std::count(s.begin(), s.end(), AllLetters[k]));
      const double p = (static_cast<double>(c) / length + 0.005) * 100;
      if (t.percent[k] < p) t.percent[k] = static_cast<int>(p);
    }
  }
  return t;
}

class LetterStatisticsTest : public ::testing::Test {
 protected:
  void Run(const std::vector<std::string>& names) {
    ClearCountsAndLetterTables(*stats_);
    AddLetterStatistics(*stats_, names);
  }
  int Distance(char c) const { return stats_->MinRepeatDistance[LetterIndex(c)]; }
  int Percent(char c) const { return stats_->MaxLetterPercent[LetterIndex(c)]; }

  std::unique_ptr<ChapterStatistics> stats_ = std::make_unique<ChapterStatistics>();
};

TEST_F(LetterStatisticsTest, ClosestRepetitionSkipsNeighboursAndKeepsTheMinimum) {
  Run({"ANNA"});
  EXPECT_EQ(Distance('A'), 3);
  EXPECT_EQ(Distance('N'), 255);  // side by side counts for nothing
  Run({"ANNA", "ANA"});
  EXPECT_EQ(Distance('A'), 2);
  Run({"NNN"});  // the first N finds the third two places on
  EXPECT_EQ(Distance('N'), 2);
  Run({"AB", "A"});
  EXPECT_EQ(Distance('A'), 255);
}

TEST_F(LetterStatisticsTest, ShareIsRoundedHalfUpAndKeepsTheMaximum) {
  Run({"ANNA"});
  EXPECT_EQ(Percent('A'), 50);
  EXPECT_EQ(Percent('N'), 50);
  Run({"ABC"});
  EXPECT_EQ(Percent('B'), 33);
  Run({"KAAAAAAA"});  // 12.5 rounds up
  EXPECT_EQ(Percent('K'), 13);
  Run({"BBBA", "AB"});
  EXPECT_EQ(Percent('B'), 75);
  EXPECT_EQ(Percent('A'), 50);
  EXPECT_EQ(Percent('E'), 0);
}

TEST_F(LetterStatisticsTest, AgreesWithTheReferenceOnRandomNames) {
  std::mt19937 random(20261208);
  for (int round = 0; round < 300; ++round) {
    // Few distinct letters per round, so that repetitions at every distance occur.
    const int alphabet = 1 + static_cast<int>(random() % 12);
    std::string letters;
    for (int i = 0; i < alphabet; ++i) letters += AllLetters[random() % kLetterCount];
    std::vector<std::string> names(1 + random() % 20);
    for (std::string& name : names) {
      const int length = 1 + static_cast<int>(random() % 40);
      for (int i = 0; i < length; ++i) name += letters[random() % letters.size()];
    }
    Run(names);
    const LetterTables expected = Reference(names);
    ASSERT_EQ(stats_->MinRepeatDistance, expected.distance) << "round " << round;
    ASSERT_EQ(stats_->MaxLetterPercent, expected.percent) << "round " << round;
  }
}

}  // namespace
}  // namespace qorv
