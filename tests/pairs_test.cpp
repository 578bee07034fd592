// Initial and final pairs: the room they need, their candidate tests and their choice.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chapter/letters.h"
#include "generator/placement.h"
#include "tests/generator_test_support.h"

namespace qorv {
namespace {

using test::Candidates;
using test::LogLines;
using test::RunPlacement;
using test::TestChapter;

PlacementSettings PairSettings(int structure_class, bool prefixes, bool suffixes) {
  PlacementSettings settings;
  settings.RequestClass = structure_class;
  settings.ElementTotal = structure_class / 2 + 2;
  settings.Prefixes = prefixes;
  settings.Suffixes = suffixes;
  return settings;
}

// The candidates of every log line, the trailing empty line left out.
std::vector<std::string> LineCandidates(const test::PlacementResult& result) {
  std::vector<std::string> lines = LogLines(result.log);
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  for (std::string& line : lines) line = Candidates(line);
  return lines;
}

bool IsFinalPair(const ChapterStatistics& stats, ElementId first, ElementId second) {
  for (int i = 0; i < stats.FinalPairCount; ++i) {
    if (stats.FinalPairs[i].first == first && stats.FinalPairs[i].second == second) return true;
  }
  return false;
}

TEST(PairRoomTest, FivePositionsWithBothBoxesPlaceOnlyTheFinalPair) {
  TestChapter chapter({.names = {"BALAN", "DOREK"}});
  const test::PlacementResult result = RunPlacement(chapter, PairSettings(6, true, true));
  ASSERT_TRUE(result.placed) << result.log;
  EXPECT_EQ(LineCandidates(result), (std::vector<std::string>{"B D ", "A O ", "L R ", "AN EK "}));
  EXPECT_TRUE(IsFinalPair(chapter.stats(), result.elements[3], result.elements[4]));
}

TEST(PairRoomTest, SixPositionsWithBothBoxesPlaceBothPairs) {
  TestChapter chapter({.names = {"BALANO", "DEREKU"}});
  const test::PlacementResult result = RunPlacement(chapter, PairSettings(8, true, true));
  ASSERT_TRUE(result.placed) << result.log;
  EXPECT_EQ(LineCandidates(result), (std::vector<std::string>{"BA DE ", "L R ", "A E ", "NO KU "}));
}

TEST(PairRoomTest, FourPositionsWithBothBoxesPlaceOnlyTheFinalPair) {
  TestChapter chapter({.names = {"BARO", "DENU"}});
  const test::PlacementResult result = RunPlacement(chapter, PairSettings(4, true, true));
  EXPECT_EQ(LineCandidates(result), (std::vector<std::string>{"B D ", "A E ", "RO NU "}));
}

TEST(PairRoomTest, SuffixesWithFourPositionsFillPositionsTwoAndThree) {
  TestChapter chapter({.names = {"BARO", "DENU"}});
  const test::PlacementResult result = RunPlacement(chapter, PairSettings(4, false, true));
  ASSERT_TRUE(result.placed);
  EXPECT_EQ(LineCandidates(result), (std::vector<std::string>{"B D ", "A E ", "RO NU "}));
  EXPECT_TRUE(IsFinalPair(chapter.stats(), result.elements[2], result.elements[3]));
  EXPECT_EQ(result.elements[4], kEndOfRow);
}

TEST(PairRoomTest, SuffixesWithThreePositionsPlaceNoPair) {
  TestChapter chapter({.names = {"BAR", "DEN"}});
  const test::PlacementResult result = RunPlacement(chapter, PairSettings(2, false, true));
  EXPECT_EQ(LineCandidates(result), (std::vector<std::string>{"B D ", "A E ", "R N "}));
}

TEST(PairRoomTest, PrefixesWithFourPositionsPlaceTheInitialPair) {
  TestChapter chapter({.names = {"BARO", "DENU"}});
  const test::PlacementResult result = RunPlacement(chapter, PairSettings(4, true, false));
  ASSERT_TRUE(result.placed);
  EXPECT_EQ(LineCandidates(result), (std::vector<std::string>{"BA DE ", "R N ", "O U "}));
}

TEST(PairRoomTest, PrefixesWithThreePositionsPlaceNoPair) {
  TestChapter chapter({.names = {"BAR", "DEN"}});
  const test::PlacementResult result = RunPlacement(chapter, PairSettings(2, true, false));
  EXPECT_EQ(LineCandidates(result), (std::vector<std::string>{"B D ", "A E ", "R N "}));
}

TEST(PairLogTest, PairLinesHoldBothCodedFormsAndEndWithASpace) {
  TestChapter chapter({.names = {"BARO", "DENU"}});
  const test::PlacementResult result = RunPlacement(chapter, PairSettings(4, false, true));
  const std::vector<std::string> lines = LogLines(result.log);
  ASSERT_EQ(lines.size(), 4u);
  const std::string chosen = test::Row(chapter.stats(), result.elements);
  const std::string pair = chosen.substr(4, 1) + chosen.substr(6, 1);  // e.g. "B A R O"
  EXPECT_EQ(lines[2], "RO NU : " + pair + " ");
  EXPECT_EQ(lines[3], "");
}

TEST(InitialPairTest, TheFirstElementMustHaveTheKindOfPositionZero) {
  TestChapter chapter({.names = {"BANA", "ABAN"}});
  EXPECT_EQ(LineCandidates(RunPlacement(chapter, PairSettings(4, true, false)))[0], "BA ");
  EXPECT_EQ(LineCandidates(RunPlacement(chapter, PairSettings(5, true, false)))[0], "AB ");
}

TEST(InitialPairTest, TheInitialLetterIsComparedWithTheCodedForm) {
  // K is special consonant 0: KARA is coded 0ARA, and its initial pair is 0 A.
  TestChapter chapter({.names = {"KARA"}, .spccon = "<K>"});
  PlacementSettings settings = PairSettings(4, true, false);
  settings.InitialLetter = 'K';
  const test::PlacementResult by_letter = RunPlacement(chapter, settings);
  EXPECT_FALSE(by_letter.placed);
  EXPECT_EQ(by_letter.log, "PRE/NOOPT");
  settings.InitialLetter = '0';
  EXPECT_EQ(LogLines(RunPlacement(chapter, settings).log)[0], "0A : 0A ");
}

TEST(InitialPairTest, SingleElementsUseTheExpandedFormForTheSameLetter) {
  TestChapter chapter({.names = {"KARA"}, .spccon = "<K>"});
  PlacementSettings settings = PairSettings(4, false, false);
  settings.InitialLetter = 'K';
  EXPECT_EQ(LogLines(RunPlacement(chapter, settings).log)[0], "0 : 0");
  settings.InitialLetter = '0';
  EXPECT_EQ(RunPlacement(chapter, settings).log, "NOOPT");
}

TEST(InitialPairTest, TheInitialLetterSelectsAmongPairs) {
  TestChapter chapter({.names = {"BARO", "DENU", "BELO"}});
  PlacementSettings settings = PairSettings(4, true, false);
  settings.InitialLetter = 'B';
  EXPECT_EQ(LineCandidates(RunPlacement(chapter, settings))[0], "BA BE ");
}

// The first line of a placement with an initial pair under a given length pattern.
std::string InitialPairLine(TestChapter& chapter, int structure_class, const std::string& pattern) {
  PlacementSettings settings = PairSettings(structure_class, true, false);
  settings.Structural = true;
  settings.Pattern = &pattern;
  return Candidates(LogLines(RunPlacement(chapter, settings).log)[0]);
}

TEST(InitialPairTest, AConsonantFirstPairWithAMultiVowelNeedsZeroAtPositionOne) {
  // B ANA N A (pattern 1011) and ANA N A B (pattern 0111).
  TestChapter chapter({.names = {"BANANA", "ANANAB"}, .spcvow = "MULTI"});
  EXPECT_EQ(InitialPairLine(chapter, 4, "1011"), "BANA ");
  EXPECT_EQ(InitialPairLine(chapter, 4, "1111"), "PRE/NOOPT");
  EXPECT_EQ(InitialPairLine(chapter, 4, "1311"), "PRE/NOOPT");
  EXPECT_EQ(InitialPairLine(chapter, 4, "2011"), "PRE/NOOPT");
}

TEST(InitialPairTest, AVowelFirstPairWithAMultiVowelNeedsZeroAtPositionZero) {
  TestChapter chapter({.names = {"BANANA", "ANANAB"}, .spcvow = "MULTI"});
  EXPECT_EQ(InitialPairLine(chapter, 5, "0111"), "ANAN ");
  EXPECT_EQ(InitialPairLine(chapter, 5, "3111"), "PRE/NOOPT");
  EXPECT_EQ(InitialPairLine(chapter, 5, "0211"), "PRE/NOOPT");
}

TEST(InitialPairTest, PlainVowelsAreMeasuredByTheirLength) {
  TestChapter chapter({.names = {"BEAUNA", "EAUNAB"}, .spcvow = "MULTI"});
  EXPECT_EQ(InitialPairLine(chapter, 4, "1311"), "BEAU ");
  EXPECT_EQ(InitialPairLine(chapter, 4, "1011"), "PRE/NOOPT");
  EXPECT_EQ(InitialPairLine(chapter, 5, "3111"), "EAUN ");
  EXPECT_EQ(InitialPairLine(chapter, 5, "0111"), "PRE/NOOPT");
}

TEST(InitialPairTest, ConsonantsAreMeasuredExpanded) {
  TestChapter chapter({.names = {"TSANA"}, .spccon = "<TS>"});
  EXPECT_EQ(InitialPairLine(chapter, 4, "2111"), "0A ");
  EXPECT_EQ(InitialPairLine(chapter, 4, "1111"), "PRE/NOOPT");
}

TEST(InitialPairTest, StatisticalChoiceFollowsThePairWeights) {
  TestChapter chapter({.names = {"BANO", "BANO", "BANO", "DANO"}});
  PlacementSettings settings = PairSettings(4, true, false);
  settings.Statistical = true;
  RandomSource random = test::SeededRandom();
  RandomSource reference = test::SeededRandom();
  int b_count = 0;
  for (int i = 0; i < 400; ++i) {
    const test::PlacementResult result = RunPlacement(chapter, settings, random);
    const bool expect_b = reference.Next() % 4 < 3;
    reference.Next();  // N at position 2
    reference.Next();  // O at position 3
    ASSERT_EQ(result.row, expect_b ? "B A N O" : "D A N O") << i;
    b_count += expect_b;
  }
  EXPECT_NEAR(b_count, 300, 40);
}

TEST(FinalPairTest, TheFirstElementMustHaveTheKindOfItsPosition) {
  TestChapter chapter({.names = {"BANO", "ABAN"}});
  EXPECT_EQ(LineCandidates(RunPlacement(chapter, PairSettings(4, false, true)))[2], "NO ");
  EXPECT_EQ(LineCandidates(RunPlacement(chapter, PairSettings(5, false, true)))[2], "AN ");
}

TEST(FinalPairTest, WithStructuralTheLengthPatternMustFit) {
  TestChapter chapter({.names = {"BARO", "BATTU"}});
  PlacementSettings settings = PairSettings(4, false, true);
  settings.Structural = true;
  std::string pattern = "1111";
  settings.Pattern = &pattern;
  EXPECT_EQ(LineCandidates(RunPlacement(chapter, settings))[2], "RO ");
  pattern = "1121";
  EXPECT_EQ(LineCandidates(RunPlacement(chapter, settings))[2], "TTU ");
}

TEST(FinalPairTest, StatisticalChoiceFollowsThePairWeights) {
  TestChapter chapter({.names = {"BANO", "BANO", "BANO", "BARU"}});
  PlacementSettings settings = PairSettings(4, false, true);
  settings.Statistical = true;
  RandomSource random = test::SeededRandom();
  RandomSource reference = test::SeededRandom();
  for (int i = 0; i < 200; ++i) {
    const test::PlacementResult result = RunPlacement(chapter, settings, random);
    reference.Next();  // B
    reference.Next();  // A
    ASSERT_EQ(result.row, reference.Next() % 4 < 3 ? "B A N O" : "B A R U") << i;
  }
}

// Consonant-first final pairs: R O was seen after A and two after B; N U after E and two after D.
class ConsonantFirstFinalPairTest : public ::testing::Test {
 protected:
  ConsonantFirstFinalPairTest() : chapter_({.names = {"BARO", "DENU"}}) {}

  // The final pair candidates after the given first two elements.
  std::string After(const char* first, const char* second, int level, bool structural = true) {
    chapter_.ClearPositions();
    chapter_.SetPosition(first, 0);
    chapter_.SetPosition(second, 1);
    // Let the single elements join at every level, so that only the pair is judged.
    chapter_.stats().VowelAfterConsonant[chapter_.Id(second)][ConsonantIndex(first[0])] = 1;
    PlacementSettings settings = PairSettings(4, false, true);
    settings.Level = level;
    settings.Structural = structural;
    settings.Pattern = structural ? &pattern_ : nullptr;
    return LineCandidates(RunPlacement(chapter_, settings))[2];
  }

  TestChapter chapter_;
  const std::string pattern_ = "1111";
};

TEST_F(ConsonantFirstFinalPairTest, LevelZeroTestsNoNeighbour) {
  EXPECT_EQ(After("B", "E", 0), "RO NU ");
}

TEST_F(ConsonantFirstFinalPairTest, LevelOneTestsTheVowelJustBefore) {
  EXPECT_EQ(After("B", "E", 1), "NU ");
  EXPECT_EQ(After("B", "A", 1), "RO ");
}

TEST_F(ConsonantFirstFinalPairTest, LevelTwoAddsTheConsonantTwoBefore) {
  EXPECT_EQ(After("B", "E", 2), "SUF/NOOPT");
  EXPECT_EQ(After("D", "E", 2), "NU ");
}

TEST_F(ConsonantFirstFinalPairTest, LevelThreeAddsNothingMore) {
  EXPECT_EQ(After("D", "E", 3), "NU ");
}

TEST_F(ConsonantFirstFinalPairTest, WithoutStructuralNoNeighbourIsTested) {
  EXPECT_EQ(After("B", "E", 3, false), "RO NU ");
}

TEST_F(ConsonantFirstFinalPairTest, StructuralWithoutADrawnPatternStillTestsNeighbours) {
  chapter_.ClearPositions();
  chapter_.SetPosition("B", 0);
  chapter_.SetPosition("E", 1);
  chapter_.stats().VowelAfterConsonant[chapter_.Id("E")][ConsonantIndex('B')] = 1;
  PlacementSettings settings = PairSettings(4, false, true);
  settings.Level = 1;
  settings.Structural = true;  // Pattern stays nullptr
  EXPECT_EQ(LineCandidates(RunPlacement(chapter_, settings))[2], "NU ");
}

// Vowel-first final pairs: O R was seen after B and two after A; U N after D and two after E.
class VowelFirstFinalPairTest : public ::testing::Test {
 protected:
  VowelFirstFinalPairTest() : chapter_({.names = {"ABOR", "EDUN"}}) {}

  std::string After(const char* first, const char* second, int level, bool structural = true) {
    chapter_.ClearPositions();
    chapter_.SetPosition(first, 0);
    chapter_.SetPosition(second, 1);
    chapter_.stats().ConsonantAfterVowel[ConsonantIndex(second[0])][chapter_.Id(first)] = 1;
    PlacementSettings settings = PairSettings(5, false, true);
    settings.Level = level;
    settings.Structural = structural;
    settings.Pattern = structural ? &pattern_ : nullptr;
    return LineCandidates(RunPlacement(chapter_, settings))[2];
  }

  TestChapter chapter_;
  const std::string pattern_ = "1111";
};

TEST_F(VowelFirstFinalPairTest, LevelZeroTestsNoNeighbour) {
  EXPECT_EQ(After("E", "B", 0), "OR UN ");
}

TEST_F(VowelFirstFinalPairTest, LevelOneTestsTheConsonantJustBefore) {
  EXPECT_EQ(After("E", "B", 1), "OR ");
  EXPECT_EQ(After("E", "D", 1), "UN ");
}

TEST_F(VowelFirstFinalPairTest, LevelTwoAddsNothingForVowelFirstPairs) {
  EXPECT_EQ(After("E", "B", 2), "OR ");
}

TEST_F(VowelFirstFinalPairTest, LevelThreeAddsTheVowelTwoBefore) {
  EXPECT_EQ(After("E", "B", 3), "SUF/NOOPT");
  EXPECT_EQ(After("A", "B", 3), "OR ");
}

TEST_F(VowelFirstFinalPairTest, WithoutStructuralNoNeighbourIsTested) {
  EXPECT_EQ(After("E", "B", 3, false), "OR UN ");
}

}  // namespace
}  // namespace qorv
