#include "chapter/decomposition.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/chapter_source.h"

namespace qorv {
namespace {

using testing::ChapterSource;
using testing::DistinctConsonantRun;
using testing::DistinctVowelRun;
using testing::Load;
using testing::WithNames;

RewriteOptions Soft() {
  return {.Soft = true};
}
RewriteOptions Y(int mode) {
  return {.YMode = mode};
}
RewriteOptions USemi() {
  return {.UMode = 2};
}

// --- Rewriting ---

TEST(RewriteNameTest, WithoutOptionsTheNameStaysAsItIs) {
  EXPECT_EQ(RewriteName("BANANA", {}), "BANANA");
  EXPECT_EQ(RewriteName("THYQUA", {}), "THYQUA");
}

TEST(RewriteNameTest, SoftTurnsAConsonantAndHIntoOneLowerCaseCharacter) {
  EXPECT_EQ(RewriteName("KATHARINA", Soft()), "KAtARINA");
  // An accented consonant, a digit or the hyphen keeps its form; the H is consumed all the same.
  EXPECT_EQ(RewriteName("\xC7HA", Soft()),
            "\xC7"
            "A");
  EXPECT_EQ(RewriteName("A2HA", Soft()), "A2A");
  EXPECT_EQ(RewriteName("A-HA", Soft()), "A-A");
  EXPECT_EQ(RewriteName("HHA", Soft()), "hA");
  EXPECT_EQ(RewriteName("ASH", Soft()), "As");
  // A vowel before H, or an H with nothing before it, stays.
  EXPECT_EQ(RewriteName("AHA", Soft()), "AHA");
  EXPECT_EQ(RewriteName("HAT", Soft()), "HAT");
  // The pair is consumed left to right: S+H, then C+H.
  EXPECT_EQ(RewriteName("SHCH", Soft()), "sc");
}

TEST(RewriteNameTest, YConMakesEveryYAConsonant) {
  EXPECT_EQ(RewriteName("MYRA", Y(1)), "MyRA");
  EXPECT_EQ(RewriteName("MARY", Y(1)), "MARy");
  EXPECT_EQ(RewriteName("YARA", Y(1)), "yARA");
}

TEST(RewriteNameTest, YSemiMakesAConsonantOnlyOfAYBeforeAVowel) {
  EXPECT_EQ(RewriteName("MYRA", Y(2)), "MYRA");
  EXPECT_EQ(RewriteName("YARA", Y(2)), "yARA");
  EXPECT_EQ(RewriteName("MARY", Y(2)), "MARY");  // a final Y is always a vowel
  // The look-ahead reads the seed name: the second Y is still a vowel there.
  EXPECT_EQ(RewriteName("AYYA", Y(2)), "AyyA");
}

TEST(RewriteNameTest, USemiCodesTheUOfQuBeforeAVowel) {
  EXPECT_EQ(RewriteName("QUINN", USemi()), "QuINN");
  EXPECT_EQ(RewriteName("ALQU", USemi()), "ALQU");  // at the end
  EXPECT_EQ(RewriteName("AQUB", USemi()), "AQUB");  // before a consonant
  EXPECT_EQ(RewriteName("AQUA", USemi()), "AQuA");
  // The look-ahead reads the seed name: Y is a vowel there even when it becomes y.
  EXPECT_EQ(RewriteName("QUYA", {.YMode = 1, .UMode = 2}), "QuyA");
}

TEST(RewriteNameTest, SoftComesBeforeQu) {
  EXPECT_EQ(RewriteName("QHUA", {.Soft = true, .UMode = 2}), "qUA");
}

// --- Special consonants ---

using Specials = std::array<std::string, kMaxSpecialConsonants>;

std::string Replaced(std::string coded, const Specials& specials, int count) {
  ReplaceSpecialConsonants(coded, specials, count);
  return coded;
}

TEST(SpecialConsonantsReplaceTest, EachMatchBecomesItsNumber) {
  const Specials specials = {"TS", "CH"};
  EXPECT_EQ(Replaced("TSCHAD", specials, 2), "01AD");
  EXPECT_EQ(Replaced("ACHTS", specials, 2), "A10");
  EXPECT_EQ(Replaced("TSCHAD", specials, 0), "TSCHAD");
  EXPECT_EQ(Replaced("TSCHAD", specials, 1), "0CHAD");  // only the counted entries
}

TEST(SpecialConsonantsReplaceTest, ListOrderDecidesAtEachPosition) {
  EXPECT_EQ(Replaced("SCHA", {"S", "SCH"}, 2), "0CHA");
  EXPECT_EQ(Replaced("SCHA", {"SCH", "S"}, 2), "0A");
}

TEST(SpecialConsonantsReplaceTest, LaterEntriesSeeTheTextAsItStands) {
  // TS becomes 0, and at the same position the next entry then matches "0C".
  EXPECT_EQ(Replaced("TSCHA", {"TS", "0C"}, 2), "1HA");
}

TEST(SpecialConsonantsReplaceTest, MatchesAreExactAndStayInsideTheName) {
  EXPECT_EQ(Replaced("AT", {"TS"}, 1), "AT");
  EXPECT_EQ(Replaced("ATS", {"TS"}, 1), "A0");
  EXPECT_EQ(Replaced("tA", {"TH"}, 1), "tA");  // a soft code is not TH
  EXPECT_EQ(Replaced("tA", {"t"}, 1), "0A");
  EXPECT_EQ(Replaced("TTT", {"TT"}, 1), "0T");  // the scan moves on after the digit
}

// --- Splitting ---

struct Split {
  std::string message;
  std::vector<ElementRow> rows;
  TQorvChapter chapter;
};

Split SplitAll(const std::vector<std::string>& coded, bool multi, ChapterStatistics& stats) {
  Split split;
  SplitNames(coded, multi, stats, split.chapter, split.rows, &split.message);
  return split;
}

std::vector<ElementId> RowOf(const ElementRow& row) {
  std::vector<ElementId> ids;
  for (ElementId id : row) {
    ids.push_back(id);
    if (id == kEndOfRow) break;
  }
  return ids;
}

using Ids = std::vector<ElementId>;

class SplitNamesTest : public ::testing::Test {
 protected:
  PlainChapterClient client_;
  ChapterStatistics& stats_ = client_.Statistics();
};

TEST_F(SplitNamesTest, BananaWithoutMulti) {
  const Split split = SplitAll({"BANANA"}, false, stats_);
  ASSERT_EQ(split.message, "");
  EXPECT_EQ(RowOf(split.rows[0]), (Ids{1000, 0, 1001, 0, 1001, 0, -1}));
  EXPECT_EQ(split.chapter.VowelElementCount, 1);
  EXPECT_EQ(split.chapter.ConsonantElementCount, 2);
  EXPECT_EQ(stats_.VowelElements[0], "A");
  EXPECT_EQ(stats_.ConsonantElements[0], "B");
  EXPECT_EQ(stats_.ConsonantElements[1], "N");
  EXPECT_EQ(stats_.MaxElementsPerName, 6);
}

TEST_F(SplitNamesTest, BananaWithMulti) {
  const Split split = SplitAll({"BANANA"}, true, stats_);
  ASSERT_EQ(split.message, "");
  EXPECT_EQ(RowOf(split.rows[0]), (Ids{1000, 0, 1001, 1, -1}));
  EXPECT_EQ(stats_.VowelElements[0], "ANA");
  EXPECT_EQ(stats_.VowelElements[1], "A");
  EXPECT_EQ(stats_.MaxElementsPerName, 4);
}

TEST_F(SplitNamesTest, MultiVowelNeedsTheSameVowelAroundOneNonVowelThenNoVowel) {
  const Split split = SplitAll({"ANAN", "ANAE", "BANA", "BEAEB", "BAMMA", "BANAN"}, true, stats_);
  ASSERT_EQ(split.message, "");
  // ANA then N.
  EXPECT_EQ(RowOf(split.rows[0]), (Ids{0, 1000, -1}));
  // A vowel after the second A: A, N, AE.
  EXPECT_EQ(RowOf(split.rows[1]), (Ids{1, 1000, 2, -1}));
  // At the end of the name.
  EXPECT_EQ(RowOf(split.rows[2]), (Ids{1001, 0, -1}));
  // A vowel in the middle is no multi vowel: EAE is one run.
  EXPECT_EQ(RowOf(split.rows[3]), (Ids{1001, 3, 1001, -1}));
  // Two characters in the middle: A, MM, A.
  EXPECT_EQ(RowOf(split.rows[4]), (Ids{1001, 1, 1002, 1, -1}));
  EXPECT_EQ(RowOf(split.rows[5]), (Ids{1001, 0, 1000, -1}));
  EXPECT_EQ(stats_.VowelElements[3], "EAE");
}

TEST_F(SplitNamesTest, ElementsAreSharedAcrossNamesInOrderOfFirstAppearance) {
  const Split split = SplitAll({"KAtARINA", "MyRA", "TIRA"}, false, stats_);
  ASSERT_EQ(split.message, "");
  EXPECT_EQ(RowOf(split.rows[0]), (Ids{1000, 0, 1001, 0, 1002, 1, 1003, 0, -1}));
  EXPECT_EQ(RowOf(split.rows[1]), (Ids{1004, 0, -1}));  // MyR, A
  EXPECT_EQ(RowOf(split.rows[2]), (Ids{1005, 1, 1002, 0, -1}));
  EXPECT_EQ(stats_.ConsonantElements[1], "t");
  EXPECT_EQ(stats_.ConsonantElements[4], "MyR");
  EXPECT_EQ(split.chapter.ConsonantElementCount, 6);
  EXPECT_EQ(split.chapter.VowelElementCount, 2);
  EXPECT_EQ(stats_.MaxElementsPerName, 8);
}

TEST_F(SplitNamesTest, OneElementIsTooFew) {
  EXPECT_EQ(SplitAll({"BA", "A"}, false, stats_).message, "Too few elements in name #2 (A)");
}

TEST_F(SplitNamesTest, OneMultiVowelIsTooFew) {
  EXPECT_EQ(SplitAll({"BANANA", "ALA"}, true, stats_).message, "Too few elements in name #2 (ALA)");
}

TEST_F(SplitNamesTest, ThirtyOneElementsFitAndTheThirtySecondFails) {
  std::string name;
  for (int i = 0; i < 15; ++i) name += "BA";
  name += "B";
  Split split = SplitAll({name}, false, stats_);
  ASSERT_EQ(split.message, "");
  EXPECT_EQ(stats_.MaxElementsPerName, 31);
  EXPECT_EQ(split.rows[0][31], kEndOfRow);

  PlainChapterClient fresh;
  split = SplitAll({"BA", name + "A"}, false, fresh.Statistics());
  EXPECT_EQ(split.message, "Too many elements in name #2 (" + name + "A)");
}

// --- Decomposition inside a load ---

TEST(ChapterDecompositionTest, BananaFirstInTheList) {
  PlainChapterClient client;
  TQorvChapter chapter = Load(WithNames({"Banana"}), client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.VowelElementCount, 1);
  EXPECT_EQ(chapter.ConsonantElementCount, 2);
  EXPECT_EQ(client.Statistics().MaxElementsPerName, 6);

  ChapterSource multi = WithNames({"Banana"});
  multi.spcvow = "MULTI";
  chapter = Load(multi, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.VowelElementCount, 2);
  EXPECT_EQ(client.Statistics().VowelElements[0], "ANA");
  EXPECT_EQ(client.Statistics().VowelElements[1], "A");
  EXPECT_EQ(client.Statistics().MaxElementsPerName, 4);

  multi.names = {"Banana", "Ala"};
  chapter = Load(multi, client);
  EXPECT_EQ(chapter.Loaded, 0);
  EXPECT_EQ(chapter.Message, "Too few elements in name #2 (ALA)");
}

TEST(ChapterDecompositionTest, SoftConsonants) {
  ChapterSource source = WithNames({"Katharina", "\xE7ha"});  // çha
  source.spccon = "SOFT";
  PlainChapterClient client;
  const TQorvChapter chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  const ChapterStatistics& stats = client.Statistics();
  ASSERT_EQ(chapter.ConsonantElementCount, 5);
  EXPECT_EQ(stats.ConsonantElements[0], "K");
  EXPECT_EQ(stats.ConsonantElements[1], "t");
  EXPECT_EQ(stats.ConsonantElements[2], "R");
  EXPECT_EQ(stats.ConsonantElements[3], "N");
  EXPECT_EQ(stats.ConsonantElements[4], "\xC7");  // Ç keeps its case
  ASSERT_EQ(chapter.VowelElementCount, 2);
  EXPECT_EQ(stats.VowelElements[0], "A");
  EXPECT_EQ(stats.VowelElements[1], "I");
}

TEST(ChapterDecompositionTest, YModes) {
  ChapterSource source = WithNames({"Myra"});
  source.genopt = "Y:CON";
  PlainChapterClient client;
  TQorvChapter chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.ConsonantElementCount, 1);
  EXPECT_EQ(client.Statistics().ConsonantElements[0], "MyR");

  source.genopt = "Y:SEMI";
  source.names = {"Myra", "Yara", "Mary"};
  chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  const ChapterStatistics& stats = client.Statistics();
  // M, Y, R, A / y, A, R, A / M, A, R, Y
  ASSERT_EQ(chapter.VowelElementCount, 2);
  EXPECT_EQ(stats.VowelElements[0], "Y");
  EXPECT_EQ(stats.VowelElements[1], "A");
  ASSERT_EQ(chapter.ConsonantElementCount, 3);
  EXPECT_EQ(stats.ConsonantElements[0], "M");
  EXPECT_EQ(stats.ConsonantElements[1], "R");
  EXPECT_EQ(stats.ConsonantElements[2], "y");
  EXPECT_EQ(stats.MaxElementsPerName, 4);
}

TEST(ChapterDecompositionTest, QuWithUSemi) {
  ChapterSource source = WithNames({"Quinn", "Iraqu", "Aqub"});
  source.genopt = "U:SEMI";
  PlainChapterClient client;
  const TQorvChapter chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  const ChapterStatistics& stats = client.Statistics();
  // Qu, I, NN / I, R, A, Q, U / A, Q, U, B
  ASSERT_EQ(chapter.ConsonantElementCount, 5);
  EXPECT_EQ(stats.ConsonantElements[0], "Qu");
  EXPECT_EQ(stats.ConsonantElements[1], "NN");
  EXPECT_EQ(stats.ConsonantElements[2], "R");
  EXPECT_EQ(stats.ConsonantElements[3], "Q");
  EXPECT_EQ(stats.ConsonantElements[4], "B");
  ASSERT_EQ(chapter.VowelElementCount, 3);
  EXPECT_EQ(stats.VowelElements[2], "U");
}

TEST(ChapterDecompositionTest, SpecialConsonantsAndTypedDigitsReadAlike) {
  ChapterSource source = WithNames({"Tschad", "01ad"});
  source.spccon = "<TS><CH>";
  PlainChapterClient client;
  const TQorvChapter chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  const ChapterStatistics& stats = client.Statistics();
  ASSERT_EQ(chapter.ConsonantElementCount, 2);
  EXPECT_EQ(stats.ConsonantElements[0], "01");
  EXPECT_EQ(stats.ConsonantElements[1], "D");
  EXPECT_EQ(chapter.VowelElementCount, 1);
  // Both names are one pair, one pattern.
  EXPECT_EQ(stats.InitialPairCount, 1);
  EXPECT_EQ(stats.InitialPairWeights[0], 2);
}

TEST(ChapterDecompositionTest, SpecialConsonantsMatchTheCodedName) {
  // With SOFT, TH is coded t: the special consonant TH no longer matches, but "t" would.
  ChapterSource source = WithNames({"Athan", "Atan"});
  source.spccon = "<TH> SOFT";
  PlainChapterClient client;
  TQorvChapter chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(client.Statistics().ConsonantElements[0], "t");

  source.spccon = "<t> SOFT";
  chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(client.Statistics().ConsonantElements[0], "0");
  EXPECT_EQ(client.Statistics().ConsonantElements[2], "T");
}

TEST(ChapterDecompositionTest, OneLetterNameHasTooFewElements) {
  PlainChapterClient client;
  TQorvChapter chapter = Load(WithNames({"Bo", "Ae"}), client);
  EXPECT_EQ(chapter.Loaded, 0);
  EXPECT_EQ(chapter.Message, "Too few elements in name #2 (AE)");
  // The counts stay as they were when the load stopped.
  EXPECT_EQ(chapter.VowelElementCount, 2);
  EXPECT_EQ(chapter.ConsonantElementCount, 1);

  chapter = Load(WithNames({"A"}), client);
  EXPECT_EQ(chapter.Message, "Too few elements in name #1 (A)");
  chapter = Load(WithNames({"Ann", "Brr"}), client);
  EXPECT_EQ(chapter.Message, "Too few elements in name #2 (BRR)");
  ChapterSource soft = WithNames({"Ann", "th"});
  soft.spccon = "SOFT";
  chapter = Load(soft, client);
  EXPECT_EQ(chapter.Message, "Too few elements in name #2 (t)");  // the coded name
}

std::vector<std::string> VowelRunNames(int count) {
  std::vector<std::string> names;
  for (int k = 0; k < count; ++k) names.push_back("B" + DistinctVowelRun(k));
  return names;
}

TEST(ChapterDecompositionTest, TwoHundredFiftyFiveDistinctElementsOfEachKindFit) {
  // B and A come with the runs: 254 runs of each kind make 255 elements of each kind.
  std::vector<std::string> names = VowelRunNames(254);
  for (int k = 0; k < 254; ++k) names.push_back(DistinctConsonantRun(k) + "A");
  PlainChapterClient client;
  const TQorvChapter chapter = Load(WithNames(names), client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.VowelElementCount, 255);
  EXPECT_EQ(chapter.ConsonantElementCount, 255);
}

TEST(ChapterDecompositionTest, TheLastNameBringsTheTwoHundredFiftySixthVowelElement) {
  PlainChapterClient client;
  const TQorvChapter chapter = Load(WithNames(VowelRunNames(256)), client);
  EXPECT_EQ(chapter.Loaded, 0);
  EXPECT_EQ(chapter.Message, "Too many different elements");
  EXPECT_EQ(chapter.VowelElementCount, 256);
  EXPECT_EQ(chapter.ConsonantElementCount, 1);
}

TEST(ChapterDecompositionTest, TwoHundredFiftySixthConsonantElementFails) {
  std::vector<std::string> names;
  for (int k = 0; k < 256; ++k) names.push_back("A" + DistinctConsonantRun(k));
  PlainChapterClient client;
  const TQorvChapter chapter = Load(WithNames(names), client);
  EXPECT_EQ(chapter.Message, "Too many different elements");
  EXPECT_EQ(chapter.ConsonantElementCount, 256);
}

// A name of 31 elements B, AA, B, AA, ..., B, then one more vowel element.
std::string ThirtyTwoElements(const std::string& last) {
  std::string name;
  for (int i = 0; i < 15; ++i) name += "B" + DistinctVowelRun(0);
  return name + "B" + last;
}

TEST(ChapterDecompositionTest, ThirtySecondElementOfANameFails) {
  std::vector<std::string> names = VowelRunNames(3);
  names.push_back(ThirtyTwoElements(DistinctVowelRun(1)));
  PlainChapterClient client;
  const TQorvChapter chapter = Load(WithNames(names), client);
  EXPECT_EQ(chapter.Loaded, 0);
  EXPECT_EQ(chapter.Message, "Too many elements in name #4 (" + names[3] + ")");
  EXPECT_EQ(client.ProgressTrail().back(), 11);

  // Thirty-one elements load.
  names[3].resize(names[3].size() - 2);
  EXPECT_EQ(Load(WithNames(names), client).Loaded, 1);
  EXPECT_EQ(client.Statistics().MaxElementsPerName, 31);
}

TEST(ChapterDecompositionTest, NewElementInTheThirtySecondPlaceIsReportedAsTooManyDifferent) {
  std::vector<std::string> names = VowelRunNames(255);
  names.push_back(ThirtyTwoElements(DistinctVowelRun(255)));
  PlainChapterClient client;
  TQorvChapter chapter = Load(WithNames(names), client);
  EXPECT_EQ(chapter.Message, "Too many different elements");

  names.back() = ThirtyTwoElements(DistinctVowelRun(254));
  chapter = Load(WithNames(names), client);
  EXPECT_EQ(chapter.Message, "Too many elements in name #256 (" + names.back() + ")");
}

}  // namespace
}  // namespace qorv
