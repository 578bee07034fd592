#include "chapter/statistics.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chapter/letter_statistics.h"
#include "chapter/letters.h"
#include "chapter/pair_tables.h"
#include "tests/chapter_source.h"
#include "tests/statistics_compare.h"

namespace qorv {
namespace {

using testing::ChapterSource;
using testing::Load;
using testing::SameChapterStatistics;
using testing::SameStatistics;
using testing::WithNames;

int L(char c) {
  return LetterIndex(c);
}
int C(char c) {
  return ConsonantIndex(c);
}

// The number of cells set in a table of rows.
template <typename Table>
int SetCells(const Table& table) {
  int set = 0;
  for (const auto& row : table) {
    for (auto cell : row) set += cell != 0 ? 1 : 0;
  }
  return set;
}

template <typename Row>
int SetCellsInRow(const Row& row) {
  int set = 0;
  for (auto cell : row) set += cell != 0 ? 1 : 0;
  return set;
}

class ChapterStatisticsTest : public ::testing::Test {
 protected:
  const ChapterStatistics& LoadNames(std::vector<std::string> names, std::string spcvow = "",
                                     std::string spccon = "") {
    ChapterSource source = WithNames(std::move(names));
    source.spcvow = spcvow;
    source.spccon = spccon;
    chapter_ = Load(source, client_);
    EXPECT_EQ(chapter_.Loaded, 1) << chapter_.Message;
    return client_.Statistics();
  }

  PlainChapterClient client_;
  TQorvChapter chapter_;
};

// --- Letter statistics ---

TEST_F(ChapterStatisticsTest, RepeatDistanceIsTheClosestRepetitionTwoOrMoreApart) {
  const ChapterStatistics& stats = LoadNames({"Anna"});
  EXPECT_EQ(stats.MinRepeatDistance[L('A')], 3);
  EXPECT_EQ(stats.MinRepeatDistance[L('N')], 255);  // side by side counts for nothing
  EXPECT_EQ(stats.MinRepeatDistance[L('B')], 255);

  LoadNames({"Anna", "Ana"});
  EXPECT_EQ(stats.MinRepeatDistance[L('A')], 2);
  EXPECT_EQ(stats.MinRepeatDistance[L('N')], 255);

  // Only the nearest equal letter after each position is looked at.
  LoadNames({"Rabarbar"});
  EXPECT_EQ(stats.MinRepeatDistance[L('R')], 3);
  EXPECT_EQ(stats.MinRepeatDistance[L('A')], 2);
  EXPECT_EQ(stats.MinRepeatDistance[L('B')], 3);
}

TEST_F(ChapterStatisticsTest, RepeatDistanceOfAccentedLettersUsesTheirIndex) {
  const ChapterStatistics& stats = LoadNames({"\xC9t\xE9"});  // Été -> ÉTÉ
  EXPECT_EQ(stats.MinRepeatDistance[L('\xC9')], 2);
  EXPECT_EQ(stats.MinRepeatDistance[L('\xE9')], 255);
}

TEST_F(ChapterStatisticsTest, LetterShareIsTheRoundedPercentOfTheName) {
  const ChapterStatistics& stats = LoadNames({"Anna"});
  EXPECT_EQ(stats.MaxLetterPercent[L('A')], 50);
  EXPECT_EQ(stats.MaxLetterPercent[L('N')], 50);
  EXPECT_EQ(stats.MaxLetterPercent[L('B')], 0);

  LoadNames({"Abc"});
  EXPECT_EQ(stats.MaxLetterPercent[L('A')], 33);
  EXPECT_EQ(stats.MaxLetterPercent[L('B')], 33);
  EXPECT_EQ(stats.MaxLetterPercent[L('C')], 33);

  LoadNames({"Kalabana"});  // 8 letters, one K: 12.5 rounds up
  EXPECT_EQ(stats.MaxLetterPercent[L('K')], 13);
  EXPECT_EQ(stats.MaxLetterPercent[L('A')], 50);

  // 23 of 40: (0.575 + 0.005) * 100 falls just below 58 in double.
  LoadNames({std::string(23, 'A') + "BCDFGHJKLMNPQRSTV"});
  EXPECT_EQ(stats.MaxLetterPercent[L('A')], 57);
  EXPECT_EQ(stats.MaxLetterPercent[L('B')], 3);
}

TEST_F(ChapterStatisticsTest, LetterShareKeepsTheHighestOverAllNames) {
  const ChapterStatistics& stats = LoadNames({"Anna", "Ana", "Abc"});
  EXPECT_EQ(stats.MaxLetterPercent[L('A')], 67);
  EXPECT_EQ(stats.MaxLetterPercent[L('N')], 50);
  EXPECT_EQ(stats.MaxLetterPercent[L('C')], 33);
}

TEST(LetterShareTest, ComputedInDoubleAndCutToItsIntegerPart) {
  EXPECT_EQ(static_cast<int>(LetterShare(23, 40)), 57);
  EXPECT_EQ(static_cast<int>(LetterShare(1, 8)), 13);
  EXPECT_EQ(static_cast<int>(LetterShare(1, 2)), 50);
  EXPECT_EQ(static_cast<int>(LetterShare(2, 3)), 67);
  EXPECT_EQ(static_cast<int>(LetterShare(1, 1)), 100);
}

TEST_F(ChapterStatisticsTest, LetterStatisticsReadTheNameBeforeRewriting) {
  // With SOFT, ATHATH is coded AtAt; the letters counted are still A, T, H.
  const ChapterStatistics& stats = LoadNames({"Athath"}, "", "SOFT");
  EXPECT_EQ(stats.MinRepeatDistance[L('H')], 3);
  EXPECT_EQ(stats.MaxLetterPercent[L('H')], 33);
  EXPECT_EQ(stats.MaxLetterPercent[L('t')], 0);
}

// --- Pair tables ---

TEST_F(ChapterStatisticsTest, TwoElementNameIsOneInitialAndOneFinalPairWithoutContext) {
  const ChapterStatistics& stats = LoadNames({"Pa"});
  ASSERT_EQ(stats.InitialPairCount, 1);
  ASSERT_EQ(stats.FinalPairCount, 1);
  EXPECT_EQ(stats.InitialPairs[0].first, 1000);
  EXPECT_EQ(stats.InitialPairs[0].second, 0);
  EXPECT_EQ(stats.FinalPairs[0].first, 1000);
  EXPECT_EQ(stats.FinalPairs[0].second, 0);
  EXPECT_EQ(stats.InitialPairWeights[0], 1);
  EXPECT_EQ(stats.FinalPairWeights[0], 1);
  EXPECT_EQ(SetCells(stats.FinalPairThirdLast), 0);
  EXPECT_EQ(SetCells(stats.FinalPairFourthLast), 0);
}

TEST_F(ChapterStatisticsTest, PairsAreCountedInOrderOfFirstAppearance) {
  const ChapterStatistics& stats = LoadNames({"Bo", "Ba", "Boran", "Tan"});
  // B 1000, O 0, A 1, R 1001, N 1002, T 1003.
  ASSERT_EQ(stats.InitialPairCount, 3);
  EXPECT_EQ(stats.InitialPairs[0].second, 0);
  EXPECT_EQ(stats.InitialPairWeights[0], 2);
  EXPECT_EQ(stats.InitialPairs[1].second, 1);
  EXPECT_EQ(stats.InitialPairWeights[1], 1);
  EXPECT_EQ(stats.InitialPairs[2].first, 1003);
  ASSERT_EQ(stats.FinalPairCount, 3);
  EXPECT_EQ(stats.FinalPairs[2].first, 1);
  EXPECT_EQ(stats.FinalPairs[2].second, 1002);
  EXPECT_EQ(stats.FinalPairWeights[2], 2);  // BORAN and TAN both end in A, N
}

TEST_F(ChapterStatisticsTest, SharedFinalPairFlagsEveryNamesContext) {
  // Vowel element then consonant element at the end.
  const ChapterStatistics& stats = LoadNames({"Bolan", "Tiran"});
  // B 1000, O 0, L 1001, A 1, N 1002, T 1003, I 2, R 1004.
  ASSERT_EQ(stats.FinalPairCount, 1);
  EXPECT_EQ(stats.FinalPairs[0].first, 1);
  EXPECT_EQ(stats.FinalPairs[0].second, 1002);
  EXPECT_EQ(stats.FinalPairWeights[0], 2);
  EXPECT_EQ(stats.FinalPairThirdLast[0][1000 + C('L')], 1);
  EXPECT_EQ(stats.FinalPairThirdLast[0][1000 + C('R')], 1);
  EXPECT_EQ(SetCellsInRow(stats.FinalPairThirdLast[0]), 2);
  EXPECT_EQ(stats.FinalPairFourthLast[0][0], 1);  // O
  EXPECT_EQ(stats.FinalPairFourthLast[0][2], 1);  // I
  EXPECT_EQ(SetCellsInRow(stats.FinalPairFourthLast[0]), 2);
}

TEST_F(ChapterStatisticsTest, FinalPairOfConsonantThenVowelFlagsVowelThenConsonant) {
  const ChapterStatistics& stats = LoadNames({"Loma", "Rima"});
  // L 1000, O 0, M 1001, A 1, R 1002, I 2.
  ASSERT_EQ(stats.FinalPairCount, 1);
  EXPECT_EQ(stats.FinalPairWeights[0], 2);
  EXPECT_EQ(stats.FinalPairThirdLast[0][0], 1);
  EXPECT_EQ(stats.FinalPairThirdLast[0][2], 1);
  EXPECT_EQ(SetCells(stats.FinalPairThirdLast), 2);
  EXPECT_EQ(stats.FinalPairFourthLast[0][1000 + C('L')], 1);
  EXPECT_EQ(stats.FinalPairFourthLast[0][1000 + C('R')], 1);
  EXPECT_EQ(SetCells(stats.FinalPairFourthLast), 2);
}

TEST_F(ChapterStatisticsTest, ConsonantContextIsNotedByItsLastLetter) {
  const ChapterStatistics& stats = LoadNames({"Ornal", "Sma"});
  // ORNAL: O, RN, A, L. SMA: SM, A (no context: two elements).
  ASSERT_EQ(stats.FinalPairCount, 2);
  EXPECT_EQ(stats.FinalPairThirdLast[0][1000 + C('N')], 1);
  EXPECT_EQ(stats.FinalPairThirdLast[0][1000 + C('R')], 0);
  EXPECT_EQ(stats.FinalPairFourthLast[0][0], 1);
  EXPECT_EQ(SetCells(stats.FinalPairThirdLast), 1);
  EXPECT_EQ(SetCells(stats.FinalPairFourthLast), 1);
}

TEST_F(ChapterStatisticsTest, ThreeElementNameHasNoFourthLastContext) {
  const ChapterStatistics& stats = LoadNames({"Ana"});
  EXPECT_EQ(stats.FinalPairThirdLast[0][0], 1);
  EXPECT_EQ(SetCells(stats.FinalPairThirdLast), 1);
  EXPECT_EQ(SetCells(stats.FinalPairFourthLast), 0);
}

// --- Transition tables ---

TEST_F(ChapterStatisticsTest, TransitionsUseTheTouchingLettersOfConsonantElements) {
  const ChapterStatistics& stats = LoadNames({"Barto"});
  // B 1000, A 0, RT 1001, O 1.
  EXPECT_EQ(stats.VowelAfterConsonant[0][C('B')], 1);
  EXPECT_EQ(stats.VowelAfterConsonant[1][C('T')], 1);  // the last letter of RT
  EXPECT_EQ(SetCells(stats.VowelAfterConsonant), 2);
  EXPECT_EQ(stats.ConsonantAfterVowel[C('R')][0], 1);  // the first letter of RT
  EXPECT_EQ(SetCells(stats.ConsonantAfterVowel), 1);
  EXPECT_EQ(stats.ConsonantAcrossVowel[C('R')][C('B')], 1);
  EXPECT_EQ(SetCells(stats.ConsonantAcrossVowel), 1);
  EXPECT_EQ(stats.VowelAcrossConsonant[1][0], 1);
  EXPECT_EQ(SetCells(stats.VowelAcrossConsonant), 1);
}

TEST_F(ChapterStatisticsTest, FirstElementHasNoTransition) {
  const ChapterStatistics& stats = LoadNames({"Ab"});
  EXPECT_EQ(stats.ConsonantAfterVowel[C('B')][0], 1);
  EXPECT_EQ(SetCells(stats.ConsonantAfterVowel), 1);
  EXPECT_EQ(SetCells(stats.VowelAfterConsonant), 0);
  EXPECT_EQ(SetCells(stats.ConsonantAcrossVowel), 0);
  EXPECT_EQ(SetCells(stats.VowelAcrossConsonant), 0);
}

TEST_F(ChapterStatisticsTest, NoConsonantAcrossAMultiVowel) {
  const ChapterStatistics& stats = LoadNames({"Danat", "Bot"}, "MULTI");
  // DANAT: D 1000, ANA 0, T 1001. BOT: B 1002, O 1, T.
  EXPECT_EQ(stats.ConsonantAfterVowel[C('T')][0], 1);
  EXPECT_EQ(stats.ConsonantAcrossVowel[C('T')][C('D')], 0);
  EXPECT_EQ(stats.ConsonantAcrossVowel[C('T')][C('B')], 1);
  EXPECT_EQ(SetCells(stats.ConsonantAcrossVowel), 1);
  // The vowel side still sees the multi vowel.
  EXPECT_EQ(stats.VowelAfterConsonant[0][C('D')], 1);

  LoadNames({"Danat", "Bot"});
  EXPECT_EQ(stats.ConsonantAcrossVowel[C('N')][C('D')], 1);
  EXPECT_EQ(stats.ConsonantAcrossVowel[C('T')][C('N')], 1);
  EXPECT_EQ(SetCells(stats.ConsonantAcrossVowel), 3);
}

TEST_F(ChapterStatisticsTest, CodedLettersAreLettersOfTheirOwn) {
  const ChapterStatistics& stats = LoadNames({"Atha", "Otto"}, "", "<TT> SOFT");
  // ATHA -> AtA, OTTO -> O0O.
  EXPECT_EQ(stats.VowelAfterConsonant[0][C('t')], 1);
  EXPECT_EQ(stats.VowelAfterConsonant[0][C('T')], 0);
  EXPECT_EQ(stats.ConsonantAfterVowel[C('0')][1], 1);
  EXPECT_EQ(stats.VowelAcrossConsonant[1][1], 1);
}

// --- Loading again ---

ChapterSource FirstChapter() {
  ChapterSource source = WithNames({"Arnhelm", "Brisa", "Corwen", "Dunmarra", "Eskil", "Fenwith",
                                    "Gallan", "Harnessy", "Ingolf", "Jorunn", "Kettil", "Lodmar",
                                    "Mirabel", "Norwen", "Osric", "Pellam", "Quenby", "Rowan"});
  source.spccon = "<NG><TH>";
  source.spcvow = "MULTI";
  source.genopt = "Y:SEMI U:SEMI";
  return source;
}

ChapterSource SecondChapter() {
  ChapterSource source = WithNames({"Tula", "Mika", "Sefo"});
  source.spccon = "<K>";
  return source;
}

TEST(ReloadTest, SecondChapterLeavesNothingOfTheFirst) {
  PlainChapterClient reused;
  ASSERT_EQ(Load(FirstChapter(), reused).Loaded, 1);
  // The second Chapter's list is longer than its estimate: rows beyond it must be clear too.
  const TQorvChapter second = Load(SecondChapter(), reused, 1);
  ASSERT_EQ(second.Loaded, 1) << second.Message;

  PlainChapterClient fresh;
  const TQorvChapter alone = Load(SecondChapter(), fresh, 1);
  ASSERT_EQ(alone.Loaded, 1) << alone.Message;
  EXPECT_EQ(second.VowelElementCount, alone.VowelElementCount);
  EXPECT_EQ(second.ConsonantElementCount, alone.ConsonantElementCount);
  EXPECT_TRUE(SameChapterStatistics(reused.Statistics(), fresh.Statistics(), alone));
}

TEST(ReloadTest, FailedLoadIsFollowedByACleanOne) {
  PlainChapterClient reused;
  ChapterSource failing = FirstChapter();
  failing.names.push_back("A");
  ASSERT_EQ(Load(failing, reused).Message, "Too few elements in name #19 (A)");
  ASSERT_EQ(Load(SecondChapter(), reused, 3).Loaded, 1);

  PlainChapterClient fresh;
  const TQorvChapter alone = Load(SecondChapter(), fresh, 3);
  EXPECT_TRUE(SameChapterStatistics(reused.Statistics(), fresh.Statistics(), alone));
}

TEST(ReloadTest, SameChapterTwiceGivesIdenticalStatistics) {
  PlainChapterClient twice;
  PlainChapterClient once;
  ASSERT_EQ(Load(FirstChapter(), twice).Loaded, 1);
  ASSERT_EQ(Load(FirstChapter(), twice).Loaded, 1);
  ASSERT_EQ(Load(FirstChapter(), once).Loaded, 1);
  EXPECT_TRUE(SameStatistics(twice.Statistics(), once.Statistics()));
}

}  // namespace
}  // namespace qorv
