#include "chapter/option_tags.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/chapter_source.h"

namespace qorv {
namespace {

using testing::ChapterSource;
using testing::Load;

// --- SPCCON ---

TEST(SpecialConsonantsTest, EntriesAreStoredInOrderAndInTheCaseWritten) {
  const SpecialConsonantList list = ParseSpecialConsonants("<TH> <sh>, <Ng>");
  EXPECT_EQ(list.Message, "");
  ASSERT_EQ(list.Count, 3);
  EXPECT_EQ(list.Texts[0], "TH");
  EXPECT_EQ(list.Texts[1], "sh");
  EXPECT_EQ(list.Texts[2], "Ng");
  EXPECT_FALSE(list.Soft);
}

TEST(SpecialConsonantsTest, EmptyEntriesAreSkipped) {
  const SpecialConsonantList list = ParseSpecialConsonants("<TH><><SH><>");
  EXPECT_EQ(list.Message, "");
  ASSERT_EQ(list.Count, 2);
  EXPECT_EQ(list.Texts[0], "TH");
  EXPECT_EQ(list.Texts[1], "SH");
}

TEST(SpecialConsonantsTest, NoBracketsMeansNoEntries) {
  const SpecialConsonantList list = ParseSpecialConsonants("TH SH");
  EXPECT_EQ(list.Count, 0);
  EXPECT_EQ(list.Message, "");
}

TEST(SpecialConsonantsTest, OpeningBracketWithoutCloseTakesTheRest) {
  SpecialConsonantList list = ParseSpecialConsonants("<TH><SCH");
  EXPECT_EQ(list.Message, "");
  ASSERT_EQ(list.Count, 2);
  EXPECT_EQ(list.Texts[1], "SCH");

  // The rest includes the space, which is no consonant.
  list = ParseSpecialConsonants("<TH><SH soft");
  EXPECT_EQ(list.Message, "Invalid character in special consonant #2");

  // A second "<" before the ">" is part of the entry.
  list = ParseSpecialConsonants("<T<H>");
  EXPECT_EQ(list.Message, "Invalid character in special consonant #1");
}

TEST(SpecialConsonantsTest, TenEntriesFitAndAnEleventhFails) {
  const std::string ten = "<B><C><D><F><G><J><K><L><M><N>";
  SpecialConsonantList list = ParseSpecialConsonants(ten + "<>");
  EXPECT_EQ(list.Message, "");
  EXPECT_EQ(list.Count, 10);

  list = ParseSpecialConsonants(ten + "<P>");
  EXPECT_EQ(list.Message, "Too many special consonants");
  // The count is checked before the characters of the eleventh entry.
  list = ParseSpecialConsonants(ten + "<ae>");
  EXPECT_EQ(list.Message, "Too many special consonants");
}

TEST(SpecialConsonantsTest, InvalidCharacterIsNumberedByTheEntriesStoredBeforeIt) {
  EXPECT_EQ(ParseSpecialConsonants("<Ae>").Message, "Invalid character in special consonant #1");
  EXPECT_EQ(ParseSpecialConsonants("<TH><><Ae>").Message,
            "Invalid character in special consonant #2");
  EXPECT_EQ(ParseSpecialConsonants("<><><TH><SH><T H>").Message,
            "Invalid character in special consonant #3");
  // Upper-case vowels (Y among them) and lower-case a, e, i, o are no consonants; lower-case
  // y and u, the digits, the hyphen and the accented consonants are.
  EXPECT_EQ(ParseSpecialConsonants("<TA>").Message, "Invalid character in special consonant #1");
  EXPECT_EQ(ParseSpecialConsonants("<TY>").Message, "Invalid character in special consonant #1");
  EXPECT_EQ(ParseSpecialConsonants("<To>").Message, "Invalid character in special consonant #1");
  EXPECT_EQ(ParseSpecialConsonants("<yu-9\xDF\xC7\xF0>").Message, "");
}

TEST(SpecialConsonantsTest, SoftIsFoundAnywhereInAnyCase) {
  EXPECT_TRUE(ParseSpecialConsonants("SOFT").Soft);
  EXPECT_TRUE(ParseSpecialConsonants("<TH> soft").Soft);
  EXPECT_TRUE(ParseSpecialConsonants("xSoFtx<SH>").Soft);
  EXPECT_FALSE(ParseSpecialConsonants("<TH> SOF T").Soft);
  EXPECT_FALSE(ParseSpecialConsonants("").Soft);
}

// --- SPCVOW ---

TEST(SpecialVowelsTest, MultiInAnyCase) {
  EXPECT_TRUE(ParseMulti("MULTI"));
  EXPECT_TRUE(ParseMulti("multi vowels"));
  EXPECT_FALSE(ParseMulti(""));
  EXPECT_FALSE(ParseMulti("MULT"));
}

// --- GENOPT ---

TQorvChapter GenOpt(std::string_view value) {
  TQorvChapter chapter;
  ParseGenOpt(value, chapter);
  return chapter;
}

TEST(GenOptTest, AbsentKeywordsLeaveEveryFieldZero) {
  TQorvChapter chapter;
  chapter.StructGen = chapter.StatGen = chapter.Shuffle = chapter.Prefix = chapter.Suffix = 1;
  chapter.FitLevel = chapter.ValLevel = chapter.PunctMode = chapter.YMode = chapter.UMode = 7;
  ParseGenOpt("nothing here", chapter);
  EXPECT_EQ(chapter.StructGen, 0);
  EXPECT_EQ(chapter.StatGen, 0);
  EXPECT_EQ(chapter.Shuffle, 0);
  EXPECT_EQ(chapter.Prefix, 0);
  EXPECT_EQ(chapter.Suffix, 0);
  EXPECT_EQ(chapter.FitLevel, 0);
  EXPECT_EQ(chapter.ValLevel, 0);
  EXPECT_EQ(chapter.PunctMode, 0);
  EXPECT_EQ(chapter.YMode, 0);
  EXPECT_EQ(chapter.UMode, 0);
}

TEST(GenOptTest, EveryKeywordSetsItsField) {
  const TQorvChapter chapter =
      GenOpt("STRUCTGEN STATGEN SHUFFLE PREFIX SUFFIX FIT:3 VAL:2 PUNCT:1 Y:CON U:SEMI");
  EXPECT_EQ(chapter.StructGen, 1);
  EXPECT_EQ(chapter.StatGen, 1);
  EXPECT_EQ(chapter.Shuffle, 1);
  EXPECT_EQ(chapter.Prefix, 1);
  EXPECT_EQ(chapter.Suffix, 1);
  EXPECT_EQ(chapter.FitLevel, 3);
  EXPECT_EQ(chapter.ValLevel, 2);
  EXPECT_EQ(chapter.PunctMode, 1);
  EXPECT_EQ(chapter.YMode, 1);
  EXPECT_EQ(chapter.UMode, 2);
}

TEST(GenOptTest, KeywordsAreCaseInsensitiveSubstrings) {
  const TQorvChapter chapter = GenOpt("structgen fit:3,xprefixx");
  EXPECT_EQ(chapter.StructGen, 1);
  EXPECT_EQ(chapter.FitLevel, 3);
  EXPECT_EQ(chapter.Prefix, 1);
  EXPECT_EQ(chapter.StatGen, 0);
}

TEST(GenOptTest, StrongerModesWin) {
  EXPECT_EQ(GenOpt("Y:CON Y:SEMI").YMode, 2);
  EXPECT_EQ(GenOpt("Y:SEMI Y:CON").YMode, 2);
  EXPECT_EQ(GenOpt("PUNCT:2 PUNCT:1").PunctMode, 2);
  EXPECT_EQ(GenOpt("PUNCT:1 PUNCT:2").PunctMode, 2);
  EXPECT_EQ(GenOpt("PUNCT:3").PunctMode, 0);
  EXPECT_EQ(GenOpt("U:CON").UMode, 0);
}

TEST(GenOptTest, LevelIsTheByteAfterTheColonMinusZero) {
  EXPECT_EQ(GenOpt("FIT:2").FitLevel, 2);
  EXPECT_EQ(GenOpt("FIT:12").FitLevel, 1);
  // Only the first occurrence counts.
  EXPECT_EQ(GenOpt("FIT:2 FIT:3").FitLevel, 2);
  // The value is upper-cased first: 'X' - '0'.
  EXPECT_EQ(GenOpt("fit:x").FitLevel, 'X' - '0');
  EXPECT_EQ(GenOpt("FIT: 1").FitLevel, ' ' - '0');
  // Nothing after the colon.
  EXPECT_EQ(GenOpt("FIT:").FitLevel, -48);
  EXPECT_EQ(GenOpt("VAL:").ValLevel, -48);
  // A byte above 127 counts as its unsigned code.
  EXPECT_EQ(GenOpt("VAL:\xE9").ValLevel, 0xE9 - '0');
  EXPECT_EQ(GenOpt("VAL:0 FIT:9").ValLevel, 0);
  EXPECT_EQ(GenOpt("VAL:0 FIT:9").FitLevel, 9);
}

// --- The option tags inside a load ---

TEST(ChapterOptionsTest, LoaderStoresSpecialConsonantsAndSwitches) {
  ChapterSource source;
  source.spccon = "<TH><><SH> soft";
  source.spcvow = "multi";
  source.names = {"Bathsheba", "Banana"};
  PlainChapterClient client;
  const TQorvChapter chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  const ChapterStatistics& stats = client.Statistics();
  ASSERT_EQ(stats.SpecialConsonantCount, 2);
  EXPECT_EQ(stats.SpecialConsonants[0], "TH");
  EXPECT_EQ(stats.SpecialConsonants[1], "SH");
  // SOFT codes TH and SH as t and s before the special consonants are tried, so neither
  // matches: BAtsEBA gives B, A, ts, E, B, A. MULTI makes ANA one element of BANANA.
  ASSERT_EQ(chapter.ConsonantElementCount, 3);
  EXPECT_EQ(stats.ConsonantElements[0], "B");
  EXPECT_EQ(stats.ConsonantElements[1], "ts");
  EXPECT_EQ(stats.ConsonantElements[2], "N");
  ASSERT_EQ(chapter.VowelElementCount, 3);
  EXPECT_EQ(stats.VowelElements[2], "ANA");
}

TEST(ChapterOptionsTest, EmptySpecialVowelValueIsValidAndLeavesMultiOff) {
  ChapterSource source;
  source.spcvow = "";
  source.names = {"Banana"};
  PlainChapterClient client;
  const TQorvChapter chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.VowelElementCount, 1);  // only A: no ANA
}

TEST(ChapterOptionsTest, GenOptKeywordsInsideTheValueAreCaseInsensitive) {
  ChapterSource source;
  source.genopt = "structgen fit:3";
  PlainChapterClient client;
  const TQorvChapter chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.StructGen, 1);
  EXPECT_EQ(chapter.FitLevel, 3);
}

TEST(ChapterOptionsTest, OptionValuesAreSearchedOnlyInTheirFirst128Characters) {
  ChapterSource source;
  source.genopt = std::string(122, '.') + "PREFIX" + std::string(65, '.') + "SHUFFLE";
  ASSERT_EQ(source.genopt->size(), 200u);
  PlainChapterClient client;
  TQorvChapter chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.Prefix, 1);   // its X is the 128th character
  EXPECT_EQ(chapter.Shuffle, 0);  // lies beyond 128

  source.genopt = std::string(123, '.') + "SUFFIX" + std::string(71, '.');  // cut in the middle
  chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.Suffix, 0);

  source.genopt = "";
  source.spcvow = std::string(130, ' ') + "MULTI";
  source.spccon = std::string(130, ' ') + "SOFT";
  source.names = {"Banana", "Athan"};
  chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(client.Statistics().VowelElements[0], "A");       // no MULTI: not ANA
  EXPECT_EQ(client.Statistics().ConsonantElements[2], "TH");  // no SOFT: not t
}

TEST(ChapterOptionsTest, SpecialConsonantFailuresStopTheLoad) {
  ChapterSource source;
  source.spccon = "<TH><><Ae>";
  PlainChapterClient client;
  TQorvChapter chapter = Load(source, client);
  EXPECT_EQ(chapter.Loaded, 0);
  EXPECT_EQ(chapter.Message, "Invalid character in special consonant #2");

  source.spccon = "<B><C><D><F><G><J><K><L><M><N><P>";
  chapter = Load(source, client);
  EXPECT_EQ(chapter.Loaded, 0);
  EXPECT_EQ(chapter.Message, "Too many special consonants");

  source.spccon = "<B><C><D><F><G><J><K><L><M><N>";
  chapter = Load(source, client);
  EXPECT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(client.Statistics().SpecialConsonantCount, 10);
}

}  // namespace
}  // namespace qorv
