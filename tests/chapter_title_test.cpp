#include "chapter/chapter_title.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/chapter_source.h"

namespace qorv {
namespace {

using testing::ChapterSource;
using testing::TempDir;
using testing::TempFile;

TEST(ReadChapterTitleTest, TitleAndCommasAfterNamesPlusOne) {
  const ChapterTitle title =
      ReadChapterTitle("TITLE \"Coast\";\r\nNAMES \"Ann\", \"Bo\", \"Cy\";\r\n");
  EXPECT_EQ(title.Title, "Coast");
  EXPECT_EQ(title.NameCount, 3);
}

TEST(ReadChapterTitleTest, SampleLayoutCountsItsNames) {
  ChapterSource source;
  source.names = {"Arnhelm", "Brisa",   "Corwen", "Dunmarra",
                  "Eskil",   "Fenwith", "Gallan", "Harnessy"};
  source.line1 = "Hamlets, coves, and capes";  // commas before NAMES do not count
  const ChapterTitle title = ReadChapterTitle(source.Text());
  EXPECT_EQ(title.Title, "Test Chapter");
  EXPECT_EQ(title.NameCount, 8);
}

TEST(ReadChapterTitleTest, CommasInCommentsAfterNamesCount) {
  const ChapterTitle title =
      ReadChapterTitle("TITLE \"T\";\r\nNAMES \"Ann\", \"Bo\"; // one, two\r\n// three,\r\n");
  EXPECT_EQ(title.NameCount, 4);
}

TEST(ReadChapterTitleTest, FirstNamesAnywhereStartsTheCount) {
  // NAMES inside the title itself: the title's comma counts too.
  const ChapterTitle title = ReadChapterTitle("TITLE \"NAMES, old\";\r\nNAMES \"Ann\";\r\n");
  EXPECT_EQ(title.Title, "NAMES, old");
  EXPECT_EQ(title.NameCount, 2);
  // NAMES in a comment before the list.
  EXPECT_EQ(ReadChapterTitle("TITLE \"T\"; // NAMES, x\r\nNAMES \"A\", \"B\";").NameCount, 3);
  // A list with no comma at all is one name.
  EXPECT_EQ(ReadChapterTitle("TITLE \"T\"; NAMES").NameCount, 1);
}

TEST(ReadChapterTitleTest, TitleIsNeitherCutNorTrimmed) {
  const std::string long_title = "  " + std::string(100, 'x') + " \"quoted\"  ";
  const ChapterTitle title = ReadChapterTitle("TITLE \"" + long_title + "\"; NAMES");
  EXPECT_EQ(title.Title, long_title);
}

TEST(ReadChapterTitleTest, TitleIsTakenFromTheFirstTitleEvenInAComment) {
  const ChapterTitle title =
      ReadChapterTitle("// SUBTITLE \"Draft\";\r\nTITLE \"Real\";\r\nNAMES \"A\";");
  EXPECT_EQ(title.Title, "Draft");
}

TEST(ReadChapterTitleTest, NotListedWithoutTitleQuoteTerminatorOrNames) {
  EXPECT_EQ(ReadChapterTitle("LINE1 \"x\"; NAMES \"A\";").NameCount, 0);
  EXPECT_EQ(ReadChapterTitle("title \"x\"; NAMES \"A\";").NameCount, 0);
  EXPECT_EQ(ReadChapterTitle("NAMES \"A\"; TITLE").NameCount, 0);
  EXPECT_EQ(ReadChapterTitle("TITLE \"unterminated\" NAMES \"A\"").NameCount, 0);
  EXPECT_EQ(ReadChapterTitle("TITLE \"T\"; LINE1 \"x\";").NameCount, 0);
  EXPECT_EQ(ReadChapterTitle("TITLE \"T\"; names \"A\";").NameCount, 0);
  EXPECT_EQ(ReadChapterTitle("").NameCount, 0);
}

TEST(ReadChapterTitleFileTest, ReadsTheFileOrListsNothing) {
  TempFile file("TITLE \"Coast\";\r\nNAMES \"Ann\", \"Bo\";\r\n");
  const ChapterTitle title = ReadChapterTitleFile(file.path());
  EXPECT_EQ(title.Title, "Coast");
  EXPECT_EQ(title.NameCount, 2);

  TempDir dir;
  EXPECT_EQ(ReadChapterTitleFile((dir.path() / "absent.qrv").string()).NameCount, 0);
  // A directory opens but cannot be read: not listed, and no exception.
  EXPECT_EQ(ReadChapterTitleFile(dir.path().string()).NameCount, 0);
}

// Only the first kChapterTitleReadBytes are read: commas beyond them are not counted, and a title
// beyond them is not found.
TEST(ReadChapterTitleFileTest, ReadsNoFurtherThanItsBound) {
  std::string text = "TITLE \"Big\";\r\nNAMES \"A\", \"B\"";
  text.resize(kChapterTitleReadBytes - 1, ' ');
  text += ",,,, \"C\";";
  TempFile file(text);
  EXPECT_EQ(ReadChapterTitleFile(file.path()).NameCount, 3);
  TempFile late(std::string(kChapterTitleReadBytes, ' ') + "TITLE \"Late\"; NAMES \"A\";");
  EXPECT_EQ(ReadChapterTitleFile(late.path()).NameCount, 0);
}

TEST(EstimateNameCountTest, CountOfAListedFileOrOne) {
  TempFile listed(ChapterSource{}.Text());
  EXPECT_EQ(EstimateNameCount(listed.path()), 2);

  ChapterSource no_names;
  no_names.names_tag = false;
  TempFile unlisted(no_names.Text());
  EXPECT_EQ(EstimateNameCount(unlisted.path()), 1);

  TempDir dir;
  EXPECT_EQ(EstimateNameCount((dir.path() / "absent.qrv").string()), 1);
  EXPECT_EQ(EstimateNameCount(dir.path().string()), 1);
}

}  // namespace
}  // namespace qorv
