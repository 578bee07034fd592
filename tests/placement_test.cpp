#include "generator/placement.h"

#include <gtest/gtest.h>

#include <string>

#include "chapter/letters.h"
#include "tests/generator_test_support.h"

namespace qorv {
namespace {

using test::Candidates;
using test::ChapterSource;
using test::LogLines;
using test::RunPlacement;
using test::TestChapter;

// Seven consonant and seven vowel elements; each test gives every element one slot of its own,
// so the element placed at a position names the slot the position used.
class SlotTest : public ::testing::Test {
 protected:
  SlotTest() : chapter_({.names = {"BA", "CE", "DI", "FO", "GU", "HY", "JAE"}}) {
    chapter_.stats().MaxElementsPerName = 7;
    chapter_.ClearPositions();
    const char* consonants[] = {"B", "C", "D", "F", "G", "H", "J"};
    const char* vowels[] = {"A", "E", "I", "O", "U", "Y", "AE"};
    for (int slot = 0; slot < 7; ++slot) {
      chapter_.SetPosition(consonants[slot], slot);
      chapter_.SetPosition(vowels[slot], slot);
    }
  }

  std::string Place(int structure_class, int split_point, bool shuffle) {
    PlacementSettings settings;
    settings.RequestClass = structure_class;
    settings.ElementTotal = structure_class / 2 + 2;
    settings.SplitPoint = split_point;
    settings.Shuffle = shuffle;
    const test::PlacementResult result = RunPlacement(chapter_, settings);
    EXPECT_TRUE(result.placed) << result.log;
    return result.row;
  }

  TestChapter chapter_;
};

TEST_F(SlotTest, FiveElementsWithSplitPointTwoUseSlotsZeroOneOneThreeSix) {
  // B: slot 0, E: 1, C: 1, O: 3, J: 6.
  EXPECT_EQ(Place(6, 2, false), "B E C O J");
}

TEST_F(SlotTest, FiveElementsWithSplitPointThreeUseSlotsZeroOneOneTwoSix) {
  EXPECT_EQ(Place(6, 3, false), "B E C I J");
}

TEST_F(SlotTest, SplitPointOneSendsEveryLaterMiddlePositionTowardsTheEnd) {
  // Positions 2 and 3 lie after the split point: slots 1 + 1 and 2 + 1.
  EXPECT_EQ(Place(6, 1, false), "B E D O J");
}

TEST_F(SlotTest, OddClassesUseTheSameEndOffsetAsEvenOnes) {
  // Class 7: vowel first. Slots 0, 1, 1, then 2 + (7 - 5) / 2 = 3, and 6.
  EXPECT_EQ(Place(7, 2, false), "A C E F AE");
}

TEST_F(SlotTest, ShuffleUsesSlotOneForEveryMiddlePosition) {
  EXPECT_EQ(Place(6, 2, true), "B E C E J");
  EXPECT_EQ(Place(6, 3, true), "B E C E J");
  EXPECT_EQ(Place(7, 1, true), "A C E C AE");
}

TEST_F(SlotTest, ClassZeroIsConsonantThenVowelAtTheLastSlot) {
  EXPECT_EQ(Place(0, 1, false), "B AE");
}

TEST_F(SlotTest, ClassOneIsVowelThenConsonantAtTheLastSlot) {
  EXPECT_EQ(Place(1, 1, false), "A J");
}

TEST_F(SlotTest, APositionWithoutCandidatesEndsThePlacementWithNoopt) {
  chapter_.stats().VowelPositionCounts[chapter_.Id("O")][3] = 0;
  PlacementSettings settings;
  settings.RequestClass = 6;
  settings.ElementTotal = 5;
  settings.SplitPoint = 2;
  const test::PlacementResult result = RunPlacement(chapter_, settings);
  EXPECT_FALSE(result.placed);
  EXPECT_EQ(result.log, "B : B\r\nE : E\r\nC : C\r\nNOOPT");
}

TEST(PlacementLogTest, EveryCandidateInTableOrderThenTheChosenOne) {
  TestChapter chapter({.names = {"BA", "DA", "KA"}});
  PlacementSettings settings;
  RandomSource random = test::SeededRandom();
  const test::PlacementResult result = RunPlacement(chapter, settings, random);
  ASSERT_TRUE(result.placed);
  // One draw per position: 68391300 % 3 = 0 picks B; 482790092 % 1 picks A.
  EXPECT_EQ(result.log, "B D K : B\r\nA : A\r\n");
  EXPECT_EQ(result.row, "B A");
  EXPECT_EQ(test::DrawsBetween(test::SeededRandom(), random), 2);
}

TEST(InitialLetterTest, ConsonantsAreComparedByTheirExpandedForm) {
  // TS is special consonant 0: TSA is coded 0A.
  TestChapter chapter({.names = {"TSA", "TA", "SA"}, .spccon = "<TS>"});
  PlacementSettings settings;
  settings.InitialLetter = 'T';
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[0]), "0 T ");
  settings.InitialLetter = 'S';
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[0]), "S ");
  settings.InitialLetter = '0';
  const test::PlacementResult digit = RunPlacement(chapter, settings);
  EXPECT_FALSE(digit.placed);
  EXPECT_EQ(digit.log, "NOOPT");
}

TEST(InitialLetterTest, SoftConsonantsMatchTheirCapital) {
  TestChapter chapter({.names = {"THALA", "TALA", "PALA"}, .spccon = "SOFT"});
  PlacementSettings settings;
  settings.InitialLetter = 'T';
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[0]), "t T ");
}

TEST(InitialLetterTest, VowelsAreComparedByTheirFirstLetter) {
  TestChapter chapter({.names = {"AB", "ELB", "EAB", "OB"}});
  PlacementSettings settings;
  settings.RequestClass = 1;
  settings.InitialLetter = 'E';
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[0]), "E EA ");
}

TEST(InitialLetterTest, OnlyPositionZeroIsTested) {
  TestChapter chapter({.names = {"BA", "AB"}});
  PlacementSettings settings;
  settings.RequestClass = 1;
  settings.InitialLetter = 'A';
  const test::PlacementResult result = RunPlacement(chapter, settings);
  ASSERT_TRUE(result.placed);
  EXPECT_EQ(result.row, "A B");  // B at position 1 does not begin with A
}

// Vowel elements of every pattern kind: the multi vowel ANA, A, and the plain three-letter EAU.
class VowelPatternTest : public ::testing::Test {
 protected:
  VowelPatternTest() : chapter_({.names = {"BANANA", "BEAUN"}, .spcvow = "MULTI"}) {
    chapter_.stats().MaxElementsPerName = 3;
    chapter_.ClearPositions();
    chapter_.SetPosition("B", 0);
    chapter_.SetPosition("ANA", 1);
    chapter_.SetPosition("A", 1);
    chapter_.SetPosition("EAU", 1);
    chapter_.SetPosition("N", 2);
  }

  std::string VowelCandidates(const std::string& pattern) {
    PlacementSettings settings;
    settings.Structural = true;
    settings.Pattern = &pattern;
    settings.RequestClass = 2;
    settings.ElementTotal = 3;
    return Candidates(LogLines(RunPlacement(chapter_, settings).log)[1]);
  }

  TestChapter chapter_;
};

TEST_F(VowelPatternTest, ZeroAdmitsOnlyMultiVowels) {
  EXPECT_EQ(VowelCandidates("101"), "ANA ");
}

TEST_F(VowelPatternTest, ThreeAdmitsThreeLetterVowelsThatAreNotMulti) {
  EXPECT_EQ(VowelCandidates("131"), "EAU ");
}

TEST_F(VowelPatternTest, OneAdmitsOneLetterVowels) {
  EXPECT_EQ(VowelCandidates("111"), "A ");
}

TEST_F(VowelPatternTest, WithoutAPatternEveryLengthIsAdmitted) {
  PlacementSettings settings;
  settings.Structural = true;  // switched on, but no pattern drawn for the request
  settings.RequestClass = 2;
  settings.ElementTotal = 3;
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter_, settings).log)[1]), "ANA A EAU ");
}

TEST(ConsonantPatternTest, ConsonantsAreMeasuredInExpandedCharacters) {
  TestChapter chapter({.names = {"TSA", "TA", "STA"}, .spccon = "<TS>"});
  PlacementSettings settings;
  settings.Structural = true;
  std::string pattern = "21";
  settings.Pattern = &pattern;
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[0]), "0 ST ");
  pattern = "11";
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[0]), "T ");
}

TEST(ConsonantPatternTest, SoftConsonantsCountOneCharacter) {
  TestChapter chapter({.names = {"THA", "TA", "STA"}, .spccon = "SOFT"});
  PlacementSettings settings;
  settings.Structural = true;
  const std::string pattern = "11";
  settings.Pattern = &pattern;
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[0]), "t T ");
}

// B ANA N A: a consonant after a multi vowel, with the pattern asking for the multi vowel.
class MultiVowelRuleTest : public ::testing::Test {
 protected:
  MultiVowelRuleTest() : chapter_({.names = {"BANANA"}, .spcvow = "MULTI"}) {
    // B may also stand in the middle, and may follow ANA; no junction across ANA is recorded.
    chapter_.SetPosition("B", 1);
    chapter_.SetPosition("N", 1);
    chapter_.SetPosition("ANA", 1);
    ChapterStatistics& stats = chapter_.stats();
    stats.ConsonantAfterVowel[ConsonantIndex('B')][chapter_.Id("ANA")] = 1;
    settings_.RequestClass = 4;
    settings_.ElementTotal = 4;
    settings_.Shuffle = true;  // every middle position at slot 1
    settings_.InitialLetter = 'B';
  }

  std::string ThirdPosition(const std::string* pattern, int level) {
    settings_.Structural = pattern != nullptr;
    settings_.Pattern = pattern;
    settings_.Level = level;
    const std::vector<std::string> lines = LogLines(RunPlacement(chapter_, settings_).log);
    return lines.size() > 2 ? Candidates(lines[2]) : "(none)";
  }

  TestChapter chapter_;
  PlacementSettings settings_;
};

TEST_F(MultiVowelRuleTest, TheConsonantMustDifferFromTheOneBeforeTheMultiVowel) {
  const std::string pattern = "1011";
  EXPECT_EQ(ThirdPosition(&pattern, 0), "N ");
  EXPECT_EQ(ThirdPosition(&pattern, 1), "N ");
}

TEST_F(MultiVowelRuleTest, ItReplacesTheLevelTwoTest) {
  ASSERT_EQ(chapter_.stats().ConsonantAcrossVowel[ConsonantIndex('N')][ConsonantIndex('B')], 0);
  const std::string pattern = "1011";
  EXPECT_EQ(ThirdPosition(&pattern, 2), "N ");
  EXPECT_EQ(ThirdPosition(&pattern, 3), "N ");
}

TEST_F(MultiVowelRuleTest, WithoutAPatternLevelTwoAdmitsNoConsonantAfterAMultiVowel) {
  EXPECT_EQ(ThirdPosition(nullptr, 1), "B N ");
  EXPECT_EQ(ThirdPosition(nullptr, 2), "NOOPT");
}

TEST(AdjacencyTest, LevelOneTestsAVowelAgainstTheConsonantBeforeIt) {
  // A followed R in the seed names, O never did.
  TestChapter chapter({.names = {"RA", "BO"}});
  PlacementSettings settings;
  settings.InitialLetter = 'R';
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[1]), "A O ");
  settings.Level = 1;
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[1]), "A ");
}

TEST(AdjacencyTest, LevelOneTestsAConsonantAgainstTheVowelBeforeIt) {
  TestChapter chapter({.names = {"AR", "OB"}});
  PlacementSettings settings;
  settings.RequestClass = 1;
  settings.InitialLetter = 'A';
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[1]), "R B ");
  settings.Level = 1;
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[1]), "R ");
}

TEST(AdjacencyTest, AVowelIsJoinedToTheLastLetterOfTheConsonantBeforeIt) {
  // A followed TN (last letter N); O followed T and K but nothing ending in N.
  TestChapter chapter({.names = {"TNA", "TO", "KO"}});
  chapter.stats().ConsonantPositionCounts[chapter.Id("T") - kConsonantIdBase][0] = 0;
  PlacementSettings settings;
  settings.Level = 1;
  settings.InitialLetter = 'T';
  const std::vector<std::string> lines = LogLines(RunPlacement(chapter, settings).log);
  EXPECT_EQ(Candidates(lines[0]), "TN ");
  EXPECT_EQ(Candidates(lines[1]), "A ");
}

TEST(AdjacencyTest, AConsonantIsJoinedByItsFirstLetter) {
  // RK (first letter R) followed O; SR (last letter R) followed only A.
  TestChapter chapter({.names = {"ORK", "ASR"}});
  PlacementSettings settings;
  settings.RequestClass = 1;
  settings.Level = 1;
  settings.InitialLetter = 'O';
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[1]), "RK ");
  settings.InitialLetter = 'A';
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[1]), "SR ");
}

TEST(AdjacencyTest, LevelTwoTestsAConsonantAcrossTheVowelBeforeIt) {
  // R was seen two places after B; N only after D.
  TestChapter chapter({.names = {"BAR", "DAN"}});
  PlacementSettings settings;
  settings.RequestClass = 2;
  settings.ElementTotal = 3;
  settings.InitialLetter = 'B';
  settings.Level = 1;
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[2]), "R N ");
  settings.Level = 2;
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[2]), "R ");
}

TEST(AdjacencyTest, LevelThreeTestsAVowelAcrossTheConsonantBeforeIt) {
  // A was seen two places after A; O only after E.
  TestChapter chapter({.names = {"ABA", "EBO"}});
  PlacementSettings settings;
  settings.RequestClass = 3;
  settings.ElementTotal = 3;
  settings.InitialLetter = 'A';
  settings.Level = 2;
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[2]), "A O ");
  settings.Level = 3;
  EXPECT_EQ(Candidates(LogLines(RunPlacement(chapter, settings).log)[2]), "A ");
}

TEST(AdjacencyTest, LevelZeroJoinsAnyElementsSeenAtTheSlot) {
  TestChapter chapter({.names = {"BAR", "DON"}});
  PlacementSettings settings;
  settings.RequestClass = 2;
  settings.ElementTotal = 3;
  settings.InitialLetter = 'D';
  const std::vector<std::string> lines = LogLines(RunPlacement(chapter, settings).log);
  EXPECT_EQ(Candidates(lines[1]), "A O ");
  EXPECT_EQ(Candidates(lines[2]), "R N ");
}

TEST(StatisticalChoiceTest, ACandidateSeenNineTimesIsChosenNineTimesAsOften) {
  TestChapter chapter({.names = {"BA", "BA", "BA", "BA", "BA", "BA", "BA", "BA", "BA", "BO"}});
  PlacementSettings settings;
  settings.Statistical = true;
  RandomSource random = test::SeededRandom();
  RandomSource reference = test::SeededRandom();
  int a_count = 0;
  for (int i = 0; i < 2000; ++i) {
    const test::PlacementResult result = RunPlacement(chapter, settings, random);
    ASSERT_TRUE(result.placed);
    reference.Next();  // B, the only consonant
    const bool expect_a = reference.Next() % 10 < 9;
    ASSERT_EQ(result.row, expect_a ? "B A" : "B O") << i;
    a_count += expect_a;
  }
  EXPECT_NEAR(a_count, 1800, 60);
}

TEST(StatisticalChoiceTest, StatisticalOffChoosesUniformly) {
  TestChapter chapter({.names = {"BA", "BA", "BA", "BA", "BA", "BA", "BA", "BA", "BA", "BO"}});
  PlacementSettings settings;
  RandomSource random = test::SeededRandom();
  int a_count = 0;
  for (int i = 0; i < 2000; ++i) a_count += RunPlacement(chapter, settings, random).row == "B A";
  EXPECT_NEAR(a_count, 1000, 80);
}

}  // namespace
}  // namespace qorv
