#include "generator/validation.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "chapter/letters.h"
#include "generator/retry_until_name.h"
#include "tests/generator_test_support.h"

namespace qorv {
namespace {

using test::TestChapter;

// Statistics that let every name pass until a test tightens one letter.
class ValidateNameTest : public ::testing::Test {
 protected:
  ValidateNameTest() : stats_(std::make_unique<ChapterStatistics>()) {
    stats_->MinRepeatDistance.fill(0);
    stats_->MaxLetterPercent.fill(100);
  }

  int& Distance(char letter) { return stats_->MinRepeatDistance[LetterIndex(letter)]; }
  int& Percent(char letter) { return stats_->MaxLetterPercent[LetterIndex(letter)]; }
  std::string Validate(const std::string& name, int level) {
    const std::optional<Rejection> rejection = ValidateName(*stats_, name, level);
    return rejection ? rejection->Reason() : "";
  }

  std::unique_ptr<ChapterStatistics> stats_;
};

TEST_F(ValidateNameTest, LevelZeroPassesEverything) {
  stats_->MinRepeatDistance.fill(255);
  stats_->MaxLetterPercent.fill(0);
  EXPECT_EQ(Validate("ABCDABCDXAAAA", 0), "");
}

TEST_F(ValidateNameTest, TheLastFourLetterWindowIsNotCompared) {
  EXPECT_EQ(Validate("ABCDABCD", 1), "");
  EXPECT_EQ(Validate("ABCDABCDX", 1), "!REP");
}

TEST_F(ValidateNameTest, KarakaComparesOnlyKaraWithArak) {
  EXPECT_EQ(Validate("KARAKA", 1), "");
}

TEST_F(ValidateNameTest, NamesOfFiveLettersOrFewerNeverRepeat) {
  EXPECT_EQ(Validate("AAAAA", 1), "");
  EXPECT_EQ(Validate("AAAA", 1), "");
  EXPECT_EQ(Validate("AAAAAA", 1), "!REP");  // windows at 0 and 1
}

TEST_F(ValidateNameTest, OverlappingAndDistantWindowsCount) {
  EXPECT_EQ(Validate("XABCDYABCDZ", 1), "!REP");  // windows 1 and 6
  EXPECT_EQ(Validate("ABABABX", 1), "!REP");      // windows 0 and 2
  EXPECT_EQ(Validate("ABCDEFGHIJ", 1), "");
}

// A text whose four-letter windows never recur: the start of a de Bruijn sequence of order 4
// over 20 consonants (Lyndon words of lengths 1, 2 and 4 in order).
std::string WindowsNeverRecurring(std::size_t length) {
  constexpr std::string_view kLetters = "BCDFGHJKLMNPQRSTVWXZ";
  constexpr std::size_t kOrder = 4;
  std::string text;
  std::vector<int> word = {-1};
  while (!word.empty() && text.size() < length) {
    ++word.back();
    const std::size_t size = word.size();
    if (kOrder % size == 0) {
      for (int letter : word) text += kLetters[letter];
    }
    while (word.size() < kOrder) word.push_back(word[word.size() - size]);
    while (!word.empty() && word.back() == static_cast<int>(kLetters.size()) - 1) word.pop_back();
  }
  text.resize(length);
  return text;
}

// A candidate as long as a seed name may make it: the windows are compared by sorting them (every
// pair took about a second for 30000 letters), and must find the same repeats as comparing every
// pair. Its speed is measured by generation_bench (BM_ValidateLongName).
TEST_F(ValidateNameTest, LongCandidatesAreJudgedByTheSameWindows) {
  const std::string text = WindowsNeverRecurring(30000);
  std::set<std::string> windows;
  for (std::size_t i = 0; i + 4 <= text.size(); ++i) windows.insert(text.substr(i, 4));
  ASSERT_EQ(windows.size(), text.size() - 3);

  std::string first_window_again = text;
  first_window_again.replace(text.size() - 5, 4, text.substr(0, 4));
  std::string middle_window_again = text;
  middle_window_again.replace(20001, 4, text.substr(20000, 4));  // windows 20000 and 20001

  EXPECT_EQ(Validate(text, 1), "");
  EXPECT_EQ(Validate(first_window_again, 1), "!REP");
  EXPECT_EQ(Validate(middle_window_again, 1), "!REP");
}

// The repetition rule against its plain reading (every window starting at 0..L-5 compared with
// every later one), on random texts of every length up to 300 over alphabets small enough to
// repeat and large enough not to, and on never-recurring texts with one window copied over
// another: names of ordinary length are compared pair by pair, longer ones through a table.
TEST_F(ValidateNameTest, RepetitionIsFoundJustWhereSomeWindowRecurs) {
  const auto recurs = [](const std::string& s) {
    for (std::size_t i = 0; i + 5 <= s.size(); ++i) {
      for (std::size_t j = i + 1; j + 5 <= s.size(); ++j) {
        if (s.compare(i, 4, s, j, 4) == 0) return true;
      }
    }
    return false;
  };
  std::vector<std::string> texts;
  std::mt19937 random(20);
  for (std::string_view letters : {"AB", "ABC", "\xC1\xC9Y", "BCDFGHJKLMNPQRSTVWXZ"}) {
    for (std::size_t length = 0; length <= 300; ++length) {
      std::string text;
      for (std::size_t k = 0; k < length; ++k) text += letters[random() % letters.size()];
      texts.push_back(text);
    }
  }
  for (std::size_t length : {28, 29, 68, 69, 70, 500, 1500}) {
    const std::string text = WindowsNeverRecurring(length);
    texts.push_back(text);
    for (std::size_t from : {std::size_t{0}, length / 3, length - 6}) {
      for (std::size_t to : {from + 1, length / 2, length - 5, length - 4}) {
        std::string copied = text;
        copied.replace(to, 4, text.substr(from, 4));
        texts.push_back(copied);
      }
    }
  }
  int repeating = 0;
  for (const std::string& text : texts) {
    const bool expected = recurs(text);
    repeating += expected;
    EXPECT_EQ(Validate(text, 1) == "!REP", expected) << text;
  }
  EXPECT_GT(repeating, 500);
  EXPECT_GT(static_cast<int>(texts.size()) - repeating, 300);
}

TEST_F(ValidateNameTest, ALetterRecurringCloserThanInAnySeedNameFails) {
  Distance('A') = 3;
  EXPECT_EQ(Validate("ALANA", 1), "!DIST: A");
}

TEST_F(ValidateNameTest, NeighbouringEqualLettersAreNotJudged) {
  Distance('A') = 3;
  Distance('N') = 255;
  EXPECT_EQ(Validate("ANNA", 1), "");  // A at distance 3 passes, the N stand side by side
  Distance('A') = 4;
  EXPECT_EQ(Validate("ANNA", 1), "!DIST: A");
}

TEST_F(ValidateNameTest, OnlyTheNearestRecurrenceIsJudged) {
  Distance('A') = 3;
  EXPECT_EQ(Validate("AXXAXA", 1), "!DIST: A");  // A at 3 and 5, distance 2
  EXPECT_EQ(Validate("AXXAXXA", 1), "");
}

TEST_F(ValidateNameTest, TheLeftmostFailureIsReported) {
  Distance('A') = 2;
  Distance('B') = 4;
  Distance('C') = 3;
  EXPECT_EQ(Validate("ABACBC", 1), "!DIST: B");
}

TEST_F(ValidateNameTest, NamesShorterThanThreeLettersHaveNoPairToJudge) {
  stats_->MinRepeatDistance.fill(255);
  EXPECT_EQ(Validate("AA", 2), "");
  EXPECT_EQ(Validate("A", 2), "");
}

TEST_F(ValidateNameTest, RepetitionIsJudgedBeforeDistance) {
  stats_->MinRepeatDistance.fill(255);
  EXPECT_EQ(Validate("ABCDABCDX", 1), "!REP");
}

TEST_F(ValidateNameTest, TwoEInEightLettersShareTwentyFive) {
  stats_->MaxLetterPercent.fill(0);  // every other letter occurs once and never fails
  Percent('E') = 25;
  EXPECT_EQ(Validate("ABCDEFGE", 2), "");
  Percent('E') = 24;
  EXPECT_EQ(Validate("ABCDEFGE", 2), "!FREQ: E");
}

TEST_F(ValidateNameTest, AShareOfHalfAPercentIsRoundedUp) {
  stats_->MaxLetterPercent.fill(0);
  Percent('E') = 12;
  // Three E in 24 letters are 12.5 percent, which the share formula rounds up to 13.
  EXPECT_EQ(Validate("EBCDFGHJKLMNPEQRSTVWXZEY", 2), "!FREQ: E");
  Percent('E') = 13;
  EXPECT_EQ(Validate("EBCDFGHJKLMNPEQRSTVWXZEY", 2), "");
}

TEST_F(ValidateNameTest, ConsonantsAreJudgedBeforeVowels) {
  stats_->MaxLetterPercent.fill(0);
  EXPECT_EQ(Validate("AABBC", 2), "!FREQ: B");
}

TEST_F(ValidateNameTest, LevelOneDoesNotApplyTheShareRule) {
  stats_->MaxLetterPercent.fill(0);
  EXPECT_EQ(Validate("AABBC", 1), "");
}

TEST_F(ValidateNameTest, EveryLevelOtherThanZeroAndOneActsAsTwo) {
  stats_->MaxLetterPercent.fill(0);
  for (int level : {2, 3, 7, -1, 1000}) EXPECT_EQ(Validate("AABBC", level), "!FREQ: B") << level;
  Distance('A') = 3;
  for (int level : {2, -5}) EXPECT_EQ(Validate("ALANA", level), "!DIST: A") << level;
}

TEST_F(ValidateNameTest, DistanceIsJudgedBeforeShare) {
  stats_->MaxLetterPercent.fill(0);
  Distance('A') = 3;
  EXPECT_EQ(Validate("ALANA", 2), "!DIST: A");
}

// The validation stage inside the driver: history, accents and the request state.
class ValidationStageTest : public ::testing::Test {
 protected:
  static GenerationRequest Level(TestChapter& chapter, int validation_level) {
    GenerationRequest request = chapter.Request();
    request.ValidationLevel = validation_level;
    return request;
  }
};

// Under Y:SEMI the consonant y of YA and the vowel Y of BY join to YY, which PUNCT:1 contracts:
// a name of two elements may finish as one letter.
TEST_F(ValidationStageTest, TwoElementsMayFinishAsOneLetter) {
  TestChapter chapter({.names = {"YA", "BY"}, .genopt = "Y:SEMI PUNCT:1"});
  NameGenerator generator = test::FixedGenerator();
  std::set<std::string> names;
  for (int i = 0; i < 4; ++i) {
    if (const std::optional<std::string> name = RetryUntilName(generator, Level(chapter, 0))) {
      names.insert(*name);
    }
  }
  EXPECT_EQ(names, (std::set<std::string>{"Ba", "By", "Ya", "\xDD"}));
}

TEST_F(ValidationStageTest, ANameInTheHistoryIsRejectedAtEveryLevel) {
  for (int level : {0, 1, 2}) {
    TestChapter chapter({.names = {"BA"}});
    NameGenerator generator = test::FixedGenerator();
    EXPECT_EQ(generator.GenerateOnce(Level(chapter, level)), "Ba");
    EXPECT_EQ(generator.State().NewRequest, 1);
    EXPECT_EQ(generator.GenerateOnce(Level(chapter, level)), "") << level;
    EXPECT_EQ(generator.State().NewRequest, 0);  // the request goes on
    EXPECT_EQ(generator.History().NameHistoryCount, 1);
  }
}

TEST_F(ValidationStageTest, TheOldestNameMayComeAgainOnceTheRingHasOverwrittenIt) {
  TestChapter chapter({.names = {"BA"}});
  NameGenerator generator = test::FixedGenerator();
  NameHistory& history = generator.History();
  history.Add("Ba");
  for (int i = 1; i < 100; ++i) history.Add("Name" + std::to_string(i));
  EXPECT_EQ(generator.GenerateOnce(Level(chapter, 0)), "");
  history.Add("Name100");  // the 101st name takes the oldest slot
  EXPECT_EQ(history.NameHistoryCount, 100);
  EXPECT_EQ(history.NameHistoryNext, 1);
  EXPECT_EQ(generator.GenerateOnce(Level(chapter, 0)), "Ba");
  EXPECT_EQ(history.Newest(0), "Ba");
  EXPECT_EQ(history.Newest(1), "Name100");
  EXPECT_EQ(history.Newest(99), "Name2");
  EXPECT_EQ(history.NameHistoryNext, 2);
}

TEST_F(ValidationStageTest, ARestoredRingFindsTheNameItHadAndNotTheOneTakenBack) {
  NameHistory history;
  for (int i = 0; i < 100; ++i) history.Add("Name" + std::to_string(i));
  const NameHistory::Mark before = history.Save();
  history.Add("Brisa");  // overwrites "Name0"
  EXPECT_TRUE(history.Contains("Brisa"));
  EXPECT_FALSE(history.Contains("Name0"));
  history.Restore(before);
  EXPECT_TRUE(history.Contains("Name0"));
  EXPECT_FALSE(history.Contains("Brisa"));
  EXPECT_FALSE(history.Contains("Name"));  // a prefix of every name is none of them
  EXPECT_EQ(history.Newest(0), "Name99");
}

// Over several laps of the ring, and after a take-back and a clear, a name is found exactly
// when it is among the last 100 added (the ring keeps a lookup table beside its slots).
TEST_F(ValidationStageTest, TheRingFindsJustItsLastHundredNamesLapAfterLap) {
  NameHistory history;
  const auto name = [](int i) { return "N" + std::to_string(i % 7) + std::to_string(i); };
  const auto expect_last = [&](int added) {
    for (int i = 0; i < added + 5; ++i) {
      ASSERT_EQ(history.Contains(name(i)), i < added && i >= added - 100) << name(i);
    }
  };
  for (int i = 0; i < 50; ++i) history.Add(name(i));
  const NameHistory::Mark half = history.Save();
  history.Add(name(50));
  history.Restore(half);
  expect_last(50);
  for (int i = 50; i < 350; ++i) history.Add(name(i));
  expect_last(350);
  history.Clear();
  expect_last(0);
}

TEST_F(ValidationStageTest, TheNewestEntryIsTheNameJustAccepted) {
  TestChapter chapter({.names = {"BA"}});
  NameGenerator generator = test::FixedGenerator();
  ASSERT_EQ(generator.GenerateOnce(Level(chapter, 0)), "Ba");
  const NameHistory& history = generator.History();
  EXPECT_EQ(history.Newest(0), "Ba");
  EXPECT_EQ(history.Newest(history.NameHistoryCount), "");
  EXPECT_EQ(history.Newest(-1), "");
}

TEST_F(ValidationStageTest, ARejectedCandidateLeavesTheHistoryAlone) {
  TestChapter chapter({.names = {"ABA"}});
  chapter.stats().MinRepeatDistance[LetterIndex('A')] = 3;
  NameGenerator generator = test::FixedGenerator();
  EXPECT_EQ(generator.GenerateOnce(Level(chapter, 1)), "");
  EXPECT_EQ(generator.History().NameHistoryCount, 0);
  EXPECT_EQ(generator.State().NewRequest, 0);
  EXPECT_EQ(generator.GenerateOnce(Level(chapter, 0)), "Aba");  // the same request, level 0
}

TEST_F(ValidationStageTest, PunctOneContractsAndTheHistoryKeepsTheFinishedForm) {
  TestChapter chapter({.names = {"TAAVI"}, .genopt = "PUNCT:1"});
  NameGenerator generator = test::FixedGenerator();
  EXPECT_EQ(generator.GenerateOnce(Level(chapter, 0)), "T\xE1vi");
  EXPECT_EQ(generator.History().Newest(0), "T\xE1vi");
}

TEST_F(ValidationStageTest, PunctTwoAddsTheDiaeresis) {
  TestChapter chapter({.names = {"LEANE"}, .genopt = "PUNCT:2"});
  NameGenerator generator = test::FixedGenerator();
  EXPECT_EQ(generator.GenerateOnce(Level(chapter, 0)),
            "L\xEB"
            "an\xEB");
}

TEST_F(ValidationStageTest, WithoutPunctTheVowelsStay) {
  TestChapter chapter({.names = {"TAAVI"}});
  NameGenerator generator = test::FixedGenerator();
  EXPECT_EQ(generator.GenerateOnce(Level(chapter, 0)), "Taavi");
}

}  // namespace
}  // namespace qorv
