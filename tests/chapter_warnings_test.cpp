// The author hints of `qorv inspect`: each fires on the file fault it names, and stays silent on a
// clean Chapter.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/loader.h"
#include "cli/chapter_warnings.h"
#include "cli_test_support.h"

namespace qorv {
namespace {

using testing::ChapterSource;
using testing::CrLf;
using testing::MakeChapter;

struct Inspected {
  bool loaded = false;
  std::string message;
  std::vector<std::string> warnings;
};

// Loads `raw` with the Chapter list's estimate, as `qorv inspect` does, and collects the hints.
Inspected Inspect(const std::string& raw) {
  const int listed = ReadChapterTitle(raw).NameCount;
  const int estimate = listed > 0 ? listed : 1;
  PlainChapterClient client;
  TQorvChapter chapter;
  LoadChapterFromBytes(chapter, raw, estimate, client);
  return {chapter.Loaded == 1, chapter.Message,
          ChapterWarnings(raw, chapter, client.Statistics(), estimate)};
}

bool Has(const Inspected& inspected, const std::string& warning) {
  return std::find(inspected.warnings.begin(), inspected.warnings.end(), warning) !=
         inspected.warnings.end();
}

std::string AllOf(const Inspected& inspected) {
  std::string all;
  for (const std::string& warning : inspected.warnings) all += warning + "\n";
  return all;
}

const std::string kClean = MakeChapter("<NG>", "MULTI", "STRUCTGEN FIT:2 VAL:1",
                                       "\"Anna\", \"Bo\", \"Jos\xE9\", \"\xC5ngar\"");

TEST(ChapterWarnings, CleanChapterHasNone) {
  const Inspected inspected = Inspect("// a comment on its own line\r\n" + kClean);
  EXPECT_TRUE(inspected.loaded) << inspected.message;
  EXPECT_TRUE(inspected.warnings.empty()) << AllOf(inspected);
}

TEST(ChapterWarnings, BareLineFeedsAreCountedFromTheirFirstLine) {
  std::string text = kClean;
  text.erase(text.find("\r\nLINE2"), 1);  // line 2 ends with a bare LF
  text.erase(text.find("\r\nGENOPT"), 1);
  const Inspected inspected = Inspect(text);
  EXPECT_TRUE(inspected.loaded);
  EXPECT_TRUE(Has(inspected,
                  "2 lines end with a bare line feed (LF without CR), the first on "
                  "line 2; Chapter lines end with CR LF."))
      << AllOf(inspected);
}

TEST(ChapterWarnings, CommentOverBareLineFeedsHidesTheRestOfTheFile) {
  const std::string text =
      "// Lf file\nTITLE \"Lf\";\nLINE1 \"a\";\nLINE2 \"b\";\nDATE \"c\";\nSPCCON \"\";\n"
      "SPCVOW \"\";\nGENOPT \"\";\nNAMES \"Ann\", \"Bo\";\n";
  const Inspected inspected = Inspect(text);
  EXPECT_FALSE(inspected.loaded);
  EXPECT_EQ(inspected.message, "Invalid or missing SPCCON tag");
  EXPECT_TRUE(Has(inspected,
                  "The comment on line 1 hides the rest of the file (lines 2 to 9): "
                  "only a carriage return ends a comment."))
      << AllOf(inspected);
  // The header tags after the comment line are read as tags, not from the comment.
  EXPECT_EQ(AllOf(inspected).find("is read from the comment"), std::string::npos);
}

TEST(ChapterWarnings, ACommentAtTheEndHidesOnlyTheLinesAfterIt) {
  const struct {
    std::string tail;     // after the clean Chapter's 8 lines
    const char* warning;  // nullptr: no comment warning
  } cases[] = {
      {"// last note\n", nullptr},
      {"// last note\n\n",
       "The comment on line 9 hides the rest of the file (line 10): only a "
       "carriage return ends a comment."},
      {"// last note\nDATE \"x\"\n\n",
       "The comment on line 9 hides the rest of the file (lines "
       "10 to 11): only a carriage return ends a comment."},
  };
  for (const auto& c : cases) {
    const Inspected inspected = Inspect(kClean + c.tail);
    EXPECT_TRUE(inspected.loaded);
    const std::string all = AllOf(inspected);
    if (c.warning == nullptr) {
      EXPECT_EQ(all.find("The comment on line"), std::string::npos) << all;
    } else {
      EXPECT_TRUE(Has(inspected, c.warning)) << all;
    }
  }
}

TEST(ChapterWarnings, TagReadFromInsideAnotherTagsValue) {
  const struct {
    ChapterSource source;
    const char* warning;  // nullptr: none of this kind
  } cases[] = {
      {{.title = "The DATE palms"},
       "DATE is read from inside the TITLE value on line 1: the first \"DATE\" anywhere in the "
       "file counts, even inside another value."},
      {{.genopt = "STRUCTGEN", .title = "GENOPT test"},
       "GENOPT is read from inside the TITLE value on line 1: the first \"GENOPT\" anywhere in "
       "the file counts, even inside another value."},
      {{.line2 = "Seed NAMES of the coast"},
       "NAMES is read from inside the LINE2 value on line 3: the first \"NAMES\" anywhere in the "
       "file counts, even inside another value."},
      // A tag named in a value after the tag itself is harmless.
      {{.line1 = "After the TITLE"}, nullptr},
  };
  for (const auto& c : cases) {
    const Inspected inspected = Inspect(c.source.Text());
    const std::string all = AllOf(inspected);
    if (c.warning == nullptr) {
      EXPECT_EQ(all.find("is read from inside"), std::string::npos) << all;
    } else {
      EXPECT_TRUE(Has(inspected, c.warning)) << all;
      EXPECT_EQ(all.find("is read from inside the"), all.rfind("is read from inside the")) << all;
    }
  }
}

TEST(ChapterWarnings, CommentRunningOnThroughALaterLine) {
  std::string text = kClean + "// one more note\nand its second line\r\n";
  const Inspected inspected = Inspect(text);
  EXPECT_TRUE(inspected.loaded);
  EXPECT_TRUE(Has(inspected,
                  "The comment on line 9 runs on through line 10: only a carriage "
                  "return ends a comment."))
      << AllOf(inspected);
}

TEST(ChapterWarnings, Utf8LookingFile) {
  std::string text = kClean;
  text.replace(text.find("Jos\xE9"), 4, "Jos\xC3\xA9");
  text.replace(text.find("\xC5ngar"), 5, "\xC3\x85ngar");
  const Inspected inspected = Inspect(text);
  // Each byte of a UTF-8 letter is read as a character of its own; the second byte of é is ©.
  EXPECT_EQ(inspected.message, "Invalid character in name #3 (JOS\xC3\xA9)");
  EXPECT_TRUE(Has(inspected,
                  "The file looks like UTF-8: it holds 2 UTF-8 sequences, the first on "
                  "line 8 (\"\xC3\xA9\", bytes C3 A9, read as \"\xC3\x83\xC2\xA9\"). "
                  "Chapters are Windows-1252, one byte per character."))
      << AllOf(inspected);
}

TEST(ChapterWarnings, CommaEstimateDiffersFromNamesRead) {
  const Inspected missing_comma = Inspect(MakeChapter("", "", "", "\"Ann\" \"Bo\", \"Cy\""));
  EXPECT_TRUE(missing_comma.loaded);
  EXPECT_TRUE(Has(missing_comma,
                  "The Chapter list expects 2 names (the commas after the first "
                  "NAMES, comments included, plus one), but the NAMES list holds "
                  "3."))
      << AllOf(missing_comma);

  const Inspected comment_commas =
      Inspect(MakeChapter("", "", "", "\"Ann\", \"Bo\"") + "// a, b\r\n");
  EXPECT_TRUE(Has(comment_commas,
                  "The Chapter list expects 3 names (the commas after the first "
                  "NAMES, comments included, plus one), but the NAMES list holds "
                  "2."))
      << AllOf(comment_commas);
}

TEST(ChapterWarnings, EstimateOverTheLimitExplainsTooManyNames) {
  const Inspected inspected =
      Inspect(MakeChapter("", "", "", "\"Ann\", \"Bo\"") + "// " + std::string(1000, ',') + "\r\n");
  EXPECT_EQ(inspected.message, "Too many names");
  EXPECT_TRUE(Has(inspected,
                  "The Chapter list expects 1002 names: it counts the commas after the "
                  "first NAMES, comments included, and adds one."))
      << AllOf(inspected);
}

TEST(ChapterWarnings, FileTheChapterListWouldNotShow) {
  std::string text = kClean;
  text.replace(text.find("NAMES"), 5, "NOMES");
  const Inspected inspected = Inspect(text);
  EXPECT_EQ(inspected.message, "Missing NAMES tag");
  EXPECT_TRUE(Has(inspected,
                  "The Chapter list would not show this file: it needs a TITLE whose "
                  "value opens with a quote and ends with \"; and a NAMES tag."))
      << AllOf(inspected);
}

TEST(ChapterWarnings, HeaderTagTakenFromAComment) {
  const Inspected inspected = Inspect("// TITLE and the DATE follow\r\n" + kClean);
  EXPECT_TRUE(inspected.loaded);
  EXPECT_TRUE(Has(inspected,
                  "TITLE is read from the comment on line 1: the first \"TITLE\" "
                  "anywhere in the file counts, comments included."))
      << AllOf(inspected);
  EXPECT_TRUE(Has(inspected,
                  "DATE is read from the comment on line 1: the first \"DATE\" "
                  "anywhere in the file counts, comments included."));
  EXPECT_EQ(inspected.warnings.size(), 2u) << AllOf(inspected);
}

TEST(ChapterWarnings, ValuesCutAtTheirLimits) {
  std::string text = MakeChapter("", "", std::string(130, ' ') + "STRUCTGEN", "\"Ann\", \"Bo\"");
  text.replace(text.find("First line"), 10, std::string(70, 'x'));
  const Inspected inspected = Inspect(text);
  EXPECT_TRUE(inspected.loaded);
  EXPECT_TRUE(Has(inspected, "LINE1 holds 70 characters; only the first 64 are kept."))
      << AllOf(inspected);
  EXPECT_TRUE(Has(inspected,
                  "GENOPT holds 139 characters; only the first 128 are read, so "
                  "keywords after them are ignored."));
  EXPECT_EQ(inspected.warnings.size(), 2u) << AllOf(inspected);
}

TEST(ChapterWarnings, LevelsOutsideTheirRange) {
  const Inspected inspected = Inspect(MakeChapter("", "", "FIT:7 VAL:", "\"Ann\", \"Bo\""));
  EXPECT_TRUE(
      Has(inspected, "FIT: gives 7, outside the generation levels 0 to 3: no level is suggested."))
      << AllOf(inspected);
  EXPECT_TRUE(Has(inspected,
                  "VAL: gives -48, outside the validation levels 0 to 2: no level is suggested."));
  const Inspected in_range = Inspect(MakeChapter("", "", "FIT:3 VAL:2", "\"Ann\", \"Bo\""));
  EXPECT_TRUE(in_range.warnings.empty()) << AllOf(in_range);
}

TEST(ChapterWarnings, SpecialConsonantThatMatchesNoName) {
  // th is lower case: the coded names are upper case, so it never matches.
  const Inspected inspected = Inspect(MakeChapter("<th><NN>", "", "", "\"Anna\", \"Thor\""));
  EXPECT_TRUE(inspected.loaded);
  EXPECT_TRUE(Has(inspected,
                  "Special consonant #1 \"th\" matches no seed name; special consonants "
                  "are matched against the upper-cased names, case-sensitively."))
      << AllOf(inspected);
  EXPECT_EQ(inspected.warnings.size(), 1u) << AllOf(inspected);
}

}  // namespace
}  // namespace qorv
