#include "chapter/tag_reader.h"

#include <string>

#include <gtest/gtest.h>

#include "chapter/limits.h"
#include "tests/chapter_source.h"

namespace qorv {
namespace {

using testing::ChapterSource;
using testing::Load;

TEST(ReadTagTest, ValueRunsFromTheFirstQuoteAfterTheNameToTheTerminator) {
  EXPECT_EQ(ReadTag("TITLE \"Coast\";", "TITLE", 64), "Coast");
  // Whatever stands between the name and the opening quote is skipped, line breaks included.
  EXPECT_EQ(ReadTag("TITLE = \r\n  \"Coast\";", "TITLE", 64), "Coast");
  // Line breaks inside the value are part of it.
  EXPECT_EQ(ReadTag("LINE1 \"one\r\ntwo\";", "LINE1", 64), "one\r\ntwo");
}

TEST(ReadTagTest, InnerQuotesNotFollowedBySemicolonAreKept) {
  EXPECT_EQ(ReadTag("TITLE \"The \"Old\" Coast\";", "TITLE", 64), "The \"Old\" Coast");
  EXPECT_EQ(ReadTag("TITLE \"a\" ; b\";", "TITLE", 64), "a\" ; b");
}

TEST(ReadTagTest, EmptyValueIsValid) {
  const auto value = ReadTag("SPCVOW \"\";", "SPCVOW", 128);
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(*value, "");
}

TEST(ReadTagTest, MissingNameQuoteOrTerminatorMakesTheTagInvalid) {
  EXPECT_FALSE(ReadTag("LINE1 \"x\";", "TITLE", 64).has_value());
  EXPECT_FALSE(ReadTag("TITLE only", "TITLE", 64).has_value());
  EXPECT_FALSE(ReadTag("TITLE \"never closed\"", "TITLE", 64).has_value());
  // A quote before the name does not open its value.
  EXPECT_FALSE(ReadTag("\"x\"; TITLE", "TITLE", 64).has_value());
  // The name is searched case-sensitively.
  EXPECT_FALSE(ReadTag("genopt \"SHUFFLE\";", "GENOPT", 128).has_value());
}

TEST(ReadTagTest, FirstOccurrenceCountsWhereverItStands) {
  // Inside a longer word.
  EXPECT_EQ(ReadTag("SUBTITLE \"A\";\r\nTITLE \"B\";", "TITLE", 64), "A");
  // Inside another tag's value: the value opens at the closing quote of that value.
  EXPECT_EQ(ReadTag("LINE1 \"see DATE\";\r\nDATE \"1998\";", "DATE", 64), ";\r\nDATE \"1998");
}

TEST(ReadTagTest, LongValuesAreCutToTheLimit) {
  const std::string seventy(70, 'x');
  EXPECT_EQ(ReadTag("TITLE \"" + seventy + "\";", "TITLE", 64), std::string(64, 'x'));
  EXPECT_EQ(ReadTag("TITLE \"" + std::string(64, 'y') + "\";", "TITLE", 64), std::string(64, 'y'));
  const std::string two_hundred(200, 'g');
  EXPECT_EQ(ReadTag("GENOPT \"" + two_hundred + "\";", "GENOPT", 128), std::string(128, 'g'));
}

TEST(BlankCommentsTest, BlanksFromTheSlashesUpToTheCarriageReturn) {
  std::string text = "A // note\r\nB";
  BlankComments(text);
  EXPECT_EQ(text, "A " + std::string(7, ' ') + "\r\nB");
}

TEST(BlankCommentsTest, LineFeedDoesNotEndAComment) {
  std::string text = "A // x\nB\nC\r\nD";
  BlankComments(text);
  EXPECT_EQ(text, "A " + std::string(8, ' ') + "\r\nD");
}

TEST(BlankCommentsTest, CommentWithoutCarriageReturnRunsToTheEnd) {
  std::string text = "A\nB // x\nC";
  BlankComments(text);
  EXPECT_EQ(text, "A\nB " + std::string(6, ' '));
}

TEST(BlankCommentsTest, EveryCommentIsBlankedAndTheLengthKept) {
  std::string text = "//a\r\nX//b\r\n\"//q\";///\r\n";
  const std::size_t length = text.size();
  BlankComments(text);
  EXPECT_EQ(text, "   \r\nX   \r\n\"" + std::string(8, ' ') + "\r\n");
  EXPECT_EQ(text.size(), length);
}

TEST(BlankCommentsTest, SingleSlashIsNoComment) {
  std::string text = "A / B\r\n/";
  BlankComments(text);
  EXPECT_EQ(text, "A / B\r\n/");
}

TEST(HasKeywordTest, ValueIsUpperCasedBeforeTheSearch) {
  EXPECT_TRUE(HasKeyword("multi", "MULTI"));
  EXPECT_TRUE(HasKeyword("xMuLtIx", "MULTI"));
  EXPECT_FALSE(HasKeyword("MULT I", "MULTI"));
  EXPECT_FALSE(HasKeyword("", "MULTI"));
}

// The same rules as the loader applies them to a whole Chapter.

TEST(ChapterTagsTest, HeaderTagInsideACommentIsTakenFromThere) {
  ChapterSource source;
  const std::string text = "// TITLE \"From the comment\"; more\r\n" + source.Text();
  PlainChapterClient client;
  const TQorvChapter chapter = Load(text, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.Title, "From the comment");
}

TEST(ChapterTagsTest, HeaderTagNameInsideAnotherValueIsTakenFromThere) {
  ChapterSource source;
  source.title = "On the DATE line";
  PlainChapterClient client;
  const TQorvChapter chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  // From the closing quote of TITLE to the first terminator after it.
  EXPECT_EQ(chapter.Date, ";\r\nLINE1 \"First line");
}

TEST(ChapterTagsTest, OptionTagInACommentIsBlankedAway) {
  ChapterSource source;
  source.genopt = "PREFIX";
  const std::string text = "// GENOPT \"SHUFFLE\";\r\n" + source.Text();
  PlainChapterClient client;
  const TQorvChapter chapter = Load(text, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.Shuffle, 0);
  EXPECT_EQ(chapter.Prefix, 1);
}

TEST(ChapterTagsTest, OptionTagNameInsideAWordCounts) {
  // "XGENOPT" holds GENOPT; its value is the first one after it.
  ChapterSource source;
  source.genopt = "PREFIX";
  const std::string text = "XGENOPT \"SUFFIX\";\r\n" + source.Text();
  PlainChapterClient client;
  const TQorvChapter chapter = Load(text, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.Suffix, 1);
  EXPECT_EQ(chapter.Prefix, 0);
}

TEST(ChapterTagsTest, HeaderValuesAreCutTo64AndKeepInnerQuotes) {
  ChapterSource source;
  source.title = std::string(70, 'T');
  source.line1 = "A \"quoted\" word";
  source.line2 = "";
  source.date = std::string(64, 'D');
  PlainChapterClient client;
  const TQorvChapter chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.Title, std::string(64, 'T'));
  EXPECT_EQ(chapter.Line1, "A \"quoted\" word");
  EXPECT_EQ(chapter.Line2, "");
  EXPECT_EQ(chapter.Date, std::string(64, 'D'));
}

TEST(ChapterTagsTest, HeaderValuesAreNotTouchedByCommentBlanking) {
  ChapterSource source;
  source.line1 = "http://coast";
  PlainChapterClient client;
  const TQorvChapter chapter = Load(source, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  EXPECT_EQ(chapter.Line1, "http://coast");
}

TEST(ChapterTagsTest, TextKeepsTheFileWithItsCommentsBlanked) {
  const std::string text = ChapterSource{}.Text() + "// the end\r\n";
  PlainChapterClient client;
  const TQorvChapter chapter = Load(text, client);
  ASSERT_EQ(chapter.Loaded, 1) << chapter.Message;
  std::string expected = text;
  expected.replace(expected.size() - 12, 10, std::string(10, ' '));
  EXPECT_EQ(chapter.Text, expected);
}

TEST(ChapterTagsTest, BareLineFeedCommentSwallowsTheTagsAfterIt) {
  std::string text = ChapterSource{}.Text();
  // Every line now ends with a bare line feed.
  std::string bare;
  for (char c : text) {
    if (c != '\r') bare += c;
  }
  const std::size_t spccon_at = bare.find("SPCCON");
  bare.insert(spccon_at, "// options follow\n");
  PlainChapterClient client;
  const TQorvChapter chapter = Load(bare, client);
  EXPECT_EQ(chapter.Loaded, 0);
  EXPECT_EQ(chapter.Message, "Invalid or missing SPCCON tag");
  // The header tags came before the blanking.
  EXPECT_EQ(chapter.Title, "Test Chapter");
  EXPECT_EQ(chapter.Date, "2024");
}

TEST(ChapterTagsTest, BareLineFeedFileWithoutCommentsLoads) {
  std::string bare;
  for (char c : ChapterSource{}.Text()) {
    if (c != '\r') bare += c;
  }
  PlainChapterClient client;
  const TQorvChapter chapter = Load(bare, client);
  EXPECT_EQ(chapter.Loaded, 1) << chapter.Message;
}

TEST(ChapterTagsTest, LowerCaseTagNameIsNotTheTag) {
  ChapterSource source;
  source.genopt.reset();
  const std::string text = source.Text() + "genopt \"STRUCTGEN\";\r\n";
  PlainChapterClient client;
  const TQorvChapter chapter = Load(text, client);
  EXPECT_EQ(chapter.Loaded, 0);
  EXPECT_EQ(chapter.Message, "Invalid or missing GENOPT tag");
}

}  // namespace
}  // namespace qorv
