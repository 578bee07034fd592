#include "chapter/names_list.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/chapter_source.h"

namespace qorv {
namespace {

using testing::ChapterSource;
using testing::Load;
using testing::WithNames;

// Reads the whole list: the names, then "<end>" or "<ran out>".
std::vector<std::string> ReadAll(std::string_view text) {
  NamesListReader reader(text);
  EXPECT_EQ(reader.status(), NamesListReader::Status::kReady);
  std::vector<std::string> read;
  std::string name;
  for (int guard = 0; guard < 100; ++guard) {
    switch (reader.Next(name)) {
      case NamesListReader::Step::kName:
        read.push_back(name);
        break;
      case NamesListReader::Step::kEnd:
        read.push_back("<end>");
        return read;
      case NamesListReader::Step::kRanOut:
        read.push_back("<ran out>");
        return read;
    }
  }
  ADD_FAILURE() << "the reading does not end";
  return read;
}

using Names = std::vector<std::string>;

TEST(NamesListReaderTest, ReadsEachQuotedNameUpToTheTerminator) {
  EXPECT_EQ(ReadAll("NAMES \"Ann\", \"Bo\";"), (Names{"Ann", "Bo", "<end>"}));
  EXPECT_EQ(ReadAll("NAMES \"Ann\";"), (Names{"Ann", "<end>"}));
  // What stands between the quotes is skipped, commas or not.
  EXPECT_EQ(ReadAll("NAMES =\r\n\"Ann\"\r\n\t\"Bo\" x \"Cy\";"),
            (Names{"Ann", "Bo", "Cy", "<end>"}));
}

TEST(NamesListReaderTest, FirstTerminatorEndsTheListEvenIfMoreNamesFollow) {
  EXPECT_EQ(ReadAll("NAMES \"Ann\"; \"Bo\", \"Cy\";"), (Names{"Ann", "<end>"}));
}

TEST(NamesListReaderTest, EmptyNameIsReadAsEmpty) {
  EXPECT_EQ(ReadAll("NAMES \"Ann\", \"\";"), (Names{"Ann", "", "<end>"}));
}

TEST(NamesListReaderTest, RunningOutOfQuotesIsReported) {
  // After Bo the only quote left opens a name that never closes.
  EXPECT_EQ(ReadAll("NAMES \"Ann\", \"Bo\"x\";"), (Names{"Ann", "Bo", "<ran out>"}));
  // The terminator's quote is taken as the opening quote of the name after x.
  EXPECT_EQ(ReadAll("NAMES \"Ann\" x\";"), (Names{"Ann", "<ran out>"}));
}

TEST(NamesListReaderTest, MissingOrUnterminatedList) {
  EXPECT_EQ(NamesListReader("TITLE \"x\";").status(), NamesListReader::Status::kMissing);
  EXPECT_EQ(NamesListReader("names \"Ann\";").status(), NamesListReader::Status::kMissing);
  // A terminator before NAMES does not count.
  EXPECT_EQ(NamesListReader("TITLE \"x\"; NAMES \"Ann\"").status(),
            NamesListReader::Status::kInvalid);
  EXPECT_EQ(NamesListReader("NAMES").status(), NamesListReader::Status::kInvalid);
}

TEST(NamesListReaderTest, FirstNamesAnywhereStartsTheList) {
  EXPECT_EQ(ReadAll("SURNAMES \"Ann\"; NAMES \"Bo\";"), (Names{"Ann", "<end>"}));
}

TEST(NormaliseNameTest, UpperCasesAsciiAndAccentedLetters) {
  std::string name = "\xE5nne";  // ånne
  EXPECT_TRUE(NormaliseName(name));
  EXPECT_EQ(name, "\xC5NNE");
  name = "\xC5nne";  // Ånne
  EXPECT_TRUE(NormaliseName(name));
  EXPECT_EQ(name, "\xC5NNE");
  name = "Jos\xE9";  // José
  EXPECT_TRUE(NormaliseName(name));
  EXPECT_EQ(name, "JOS\xC9");
  name = "\xFFves";  // ÿ has its capital at 9F
  EXPECT_TRUE(NormaliseName(name));
  EXPECT_EQ(name, "\x9FVES");
  name =
      "Stra\xDF"
      "e";  // ß has no capital
  EXPECT_TRUE(NormaliseName(name));
  EXPECT_EQ(name,
            "STRA\xDF"
            "E");
}

TEST(NormaliseNameTest, ApostropheDigitsAndHyphenAreLetters) {
  std::string name = "O'Neil";
  EXPECT_TRUE(NormaliseName(name));
  EXPECT_EQ(name, "O'NEIL");
  name = "Jean-Luc2";
  EXPECT_TRUE(NormaliseName(name));
  EXPECT_EQ(name, "JEAN-LUC2");
}

TEST(NormaliseNameTest, CharactersOutsideTheClassesAndEmptyNamesFail) {
  std::string name = "Anne Marie";
  EXPECT_FALSE(NormaliseName(name));
  EXPECT_EQ(name, "ANNE MARIE");  // normalised all the same, for the message
  for (std::string bad : std::vector<std::string>{"Ann!", "A.B", "Ann\x80", "\t", ""}) {
    EXPECT_FALSE(NormaliseName(bad)) << bad;
  }
}

// --- The NAMES list inside a load ---

TQorvChapter LoadWithNamesText(std::string_view names_text, PlainChapterClient& client) {
  ChapterSource source;
  source.names_tag = false;
  return Load(source.Text() + std::string(names_text), client);
}

TEST(ChapterNamesTest, TwoNamesOneNameAndAnEarlyTerminator) {
  PlainChapterClient client;
  TQorvChapter chapter = LoadWithNamesText("NAMES \"Ann\", \"Bo\";\r\n", client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.NameCount, 2);

  chapter = LoadWithNamesText("NAMES \"Ann\";\r\n", client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.NameCount, 1);

  chapter = LoadWithNamesText("NAMES \"Ann\"; \"Bo\", \"Cy\";\r\n", client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.NameCount, 1);
  EXPECT_EQ(chapter.InitialLetters, "A");
}

TEST(ChapterNamesTest, ListFailures) {
  PlainChapterClient client;
  TQorvChapter chapter = LoadWithNamesText("", client);
  EXPECT_EQ(chapter.Message, "Missing NAMES tag");
  chapter = LoadWithNamesText("names \"Ann\";\r\n", client);
  EXPECT_EQ(chapter.Message, "Missing NAMES tag");
  chapter = LoadWithNamesText("NAMES \"Ann\", \"Bo\"\r\n", client);
  EXPECT_EQ(chapter.Message, "Invalid NAMES tag");
  chapter = LoadWithNamesText("NAMES \"Ann\", \"Bo\"x\";\r\n", client);
  EXPECT_EQ(chapter.Message, "Invalid NAMES tag");
  EXPECT_EQ(chapter.Loaded, 0);
}

TEST(ChapterNamesTest, BadNameIsReportedWithItsNumberAndNormalisedText) {
  PlainChapterClient client;
  TQorvChapter chapter = Load(WithNames({"Ann", "Anne Marie", "Bo"}), client);
  EXPECT_EQ(chapter.Loaded, 0);
  EXPECT_EQ(chapter.Message, "Invalid character in name #2 (ANNE MARIE)");
  EXPECT_EQ(chapter.NameCount, 1);
  EXPECT_EQ(chapter.InitialLetters, "A");

  chapter = Load(WithNames({"Ann", "Bo", ""}), client);
  EXPECT_EQ(chapter.Message, "Invalid character in name #3 ()");

  chapter = Load(WithNames({"caf\xE9!"}), client);
  EXPECT_EQ(chapter.Message, "Invalid character in name #1 (CAF\xC9!)");
}

TEST(ChapterNamesTest, NormalisedNamesLoad) {
  PlainChapterClient client;
  const TQorvChapter chapter = Load(WithNames({"\xC5nne", "Jos\xE9", "O'Neil"}), client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.NameCount, 3);
  EXPECT_EQ(chapter.InitialLetters, "\xC5JO");
  // JOSÉ ends with the upper-case É, an element of its own kind.
  const ChapterStatistics& stats = client.Statistics();
  ASSERT_EQ(chapter.VowelElementCount, 6);
  EXPECT_EQ(stats.VowelElements[0], "\xC5");
  EXPECT_EQ(stats.VowelElements[1], "E");
  EXPECT_EQ(stats.VowelElements[2], "O");
  EXPECT_EQ(stats.VowelElements[3], "\xC9");
  EXPECT_EQ(stats.VowelElements[4], "O'");  // the apostrophe is a vowel
  EXPECT_EQ(stats.VowelElements[5], "EI");
}

TEST(ChapterNamesTest, InitialLettersKeepTheOrderOfFirstAppearance) {
  PlainChapterClient client;
  const TQorvChapter chapter = Load(WithNames({"Bo", "ann", "Bea",
                                               "\xE9"
                                               "da",
                                               "Cy", "Al", "\xC9tan"}),
                                    client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.InitialLetters,
            "BA\xC9"
            "C");
}

std::vector<std::string> ManyNames(int count) {
  const std::vector<std::string> pool = {"Ann", "Bo", "Cara", "Dunmar", "Eskil"};
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(pool[i % pool.size()]);
  return names;
}

TEST(ChapterNamesTest, AThousandNamesLoad) {
  PlainChapterClient client;
  const TQorvChapter chapter = Load(WithNames(ManyNames(1000)), client, 1000);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.NameCount, 1000);
  EXPECT_EQ(chapter.InitialLetters, "ABCDE");
  EXPECT_EQ(client.Statistics().InitialPairWeights[0], 200);
}

TEST(ChapterNamesTest, TheThousandAndFirstNameFails) {
  PlainChapterClient client;
  TQorvChapter chapter = Load(WithNames(ManyNames(1001)), client, 1000);
  EXPECT_EQ(chapter.Loaded, 0);
  EXPECT_EQ(chapter.Message, "Too many names");
  EXPECT_EQ(chapter.NameCount, 1000);

  // Fires on the 1001st name as soon as it is read, before its characters are checked.
  std::vector<std::string> names = ManyNames(1000);
  names.push_back("not a name");
  chapter = Load(WithNames(names), client, 1);
  EXPECT_EQ(chapter.Message, "Too many names");

  // A bad name at 1000 is still reported as such.
  names = ManyNames(1001);
  names[999] = "bad name";
  chapter = Load(WithNames(names), client, 1000);
  EXPECT_EQ(chapter.Message, "Invalid character in name #1000 (BAD NAME)");
}

TEST(ChapterNamesTest, CommentAboveTheListIsBlankedWithItsWordNames) {
  const std::string above = "NAMES of the coast, \"old\" and new\r\n";
  PlainChapterClient client;
  TQorvChapter chapter = LoadWithNamesText("// " + above + "NAMES \"Ann\", \"Bo\";\r\n", client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.NameCount, 2);
  EXPECT_EQ(chapter.InitialLetters, "AB");

  // Without the slashes the list starts at the words: OLD, ANN, BO.
  chapter = LoadWithNamesText(above + "NAMES \"Ann\", \"Bo\";\r\n", client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.NameCount, 3);
  EXPECT_EQ(chapter.InitialLetters, "OAB");
}

TEST(ChapterNamesTest, FirstNamesEvenInsideAHeaderValueStartsTheList) {
  ChapterSource source;
  source.title = "Old NAMES";
  PlainChapterClient client;
  const TQorvChapter chapter = Load(source, client);
  EXPECT_EQ(chapter.Loaded, 0);
  // The first name runs from the title's closing quote to the quote that opens LINE1's value.
  EXPECT_EQ(chapter.Message, "Invalid character in name #1 (;\r\nLINE1 )");
}

TEST(ChapterNamesTest, CommentInsideTheListHidesTheRestOfItsLine) {
  PlainChapterClient client;
  const TQorvChapter chapter =
      LoadWithNamesText("NAMES \"Ann\", // \"Bo\",\r\n \"Cy\";\r\n", client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.NameCount, 2);
  EXPECT_EQ(chapter.InitialLetters, "AC");
}

}  // namespace
}  // namespace qorv
