// From Unicode text to Chapter letters: the letter mapping, the detection of the input's
// encoding and line ends, the word list's skips and merges, and the values a tag can hold.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "wordlist/chapter_text.h"
#include "wordlist/letter_mapping.h"
#include "wordlist/text_input.h"
#include "wordlist/word_list.h"

namespace qorv {
namespace {

const LetterMapper& Mapper() {
  static const std::unique_ptr<LetterMapper> mapper = [] {
    std::string error;
    auto created = LetterMapper::Create(error);
    EXPECT_NE(created, nullptr) << error;
    return created;
  }();
  return *mapper;
}

TEST(LetterMapping, NamesKeepWindows1252LettersAndReduceTheRest) {
  struct Case {
    const char* utf8;
    bool join_words;
    const char* name;  // Windows-1252; empty when the name has a problem
    NameProblem problem;
    char32_t character;
    std::size_t reductions;
  };
  const Case cases[] = {
      {"Arnhelm", false, "Arnhelm", NameProblem::kNone, 0, 0},
      {"  José\t", false, "Jos\xE9", NameProblem::kNone, 0, 0},
      {"Jose\xCC\x81", false, "Jos\xE9", NameProblem::kNone, 0, 0},  // e + combining acute: NFC
      {"Þórsmörk", false, "\xDE\xF3rsm\xF6rk", NameProblem::kNone, 0, 0},
      {"Straße", false,
       "Stra\xDF"
       "e",
       NameProblem::kNone, 0, 0},
      {"Œdøn", false,
       "\x8C"
       "d\xF8n",
       NameProblem::kNone, 0, 0},
      {"Łódź", false,
       "L\xF3"
       "dz",
       NameProblem::kNone, 0, 2},  // Ł by transliteration
      {"řeka", false, "reka", NameProblem::kNone, 0, 1},
      {"Nguyễn", false, "Nguyen", NameProblem::kNone, 0, 1},  // the base letter, not ê
      {"ğaz", false, "gaz", NameProblem::kNone, 0, 1},
      {"žilina", false, "zilina", NameProblem::kNone, 0, 1},  // Windows-1252, but no letter here
      {"Đakovo Ħamrun Kırşehir", true, "Dakovo-Hamrun-Kirsehir", NameProblem::kNone, 0, 4},
      {"O’Neil", false, "O'Neil", NameProblem::kNone, 0, 1},
      {"ʻOkina", false, "'Okina", NameProblem::kNone, 0, 1},
      {"Αθήνα", false, "Athena", NameProblem::kNone, 0, 1},  // one run, transliterated whole
      {"Port Royal", false, "", NameProblem::kSpace, U' ', 0},
      {"Port  Royal", true, "Port-Royal", NameProblem::kNone, 0, 0},
      {"Port - Royal", true, "Port-Royal", NameProblem::kNone, 0, 0},
      {"Bo3", false, "", NameProblem::kDigit, U'3', 0},
      {"Snow☃man", false, "", NameProblem::kNoLetter, U'☃', 0},
      {"Say\"hi", false, "", NameProblem::kNoLetter, U'"', 0},
      {"Ar;n", false, "", NameProblem::kNoLetter, U';', 0},
      {"Ar,n", false, "", NameProblem::kNoLetter, U',', 0},
      {" \xC2\xA0 ", false, "", NameProblem::kEmpty, 0, 0},
  };
  for (const Case& c : cases) {
    const MappedName mapped = Mapper().MapName(c.utf8, c.join_words);
    EXPECT_EQ(mapped.Name, c.name) << c.utf8;
    EXPECT_EQ(mapped.Problem, c.problem) << c.utf8;
    EXPECT_EQ(mapped.Character, c.character) << c.utf8;
    EXPECT_EQ(mapped.Reductions.size(), c.reductions) << c.utf8;
  }
  EXPECT_TRUE(Mapper().MapName("Port Royal", true).Joined);
  EXPECT_FALSE(Mapper().MapName("Port-Royal", true).Joined);
}

TEST(LetterMapping, TextKeepsAnyWindows1252CharacterAndMarksTheUnmapped) {
  const MappedText mapped = Mapper().MapText("“Ễ” 5 € ☃ Łuk");
  EXPECT_EQ(mapped.Text,
            "\x93"
            "E\x94 5 \x80 ? Luk");
  ASSERT_EQ(mapped.Reductions.size(), 2u);
  EXPECT_EQ(mapped.Reductions[0].From, "Ễ");
  EXPECT_EQ(mapped.Reductions[0].To, "E");
  EXPECT_EQ(mapped.Unmapped, std::vector<char32_t>{U'☃'});
  EXPECT_EQ(LetterMapper::TitleCase("coastal villages of ÉLAN"), "Coastal Villages Of Élan");
}

TEST(TextInput, EncodingIsDetectedAndBinaryRefused) {
  struct Case {
    std::string bytes;
    TextEncoding encoding;
    std::string utf8;
    std::string error_start;
  };
  const Case cases[] = {
      {"\xEF\xBB\xBF"
       "Ann\n",
       TextEncoding::kUtf8WithByteOrderMark, "Ann\n", ""},
      {"Jos\xC3\xA9", TextEncoding::kUtf8, "Jos\xC3\xA9", ""},
      {"Jos\xE9 \x80", TextEncoding::kCp1252, "Jos\xC3\xA9 \xE2\x82\xAC", ""},
      {"\xEF\xBB\xBF"
       "A\nJos\xE9",
       TextEncoding::kUtf8, "",
       "begins with a UTF-8 byte order mark"
       " but is not UTF-8 (line 2)"},
      {"\xFF\xFE"
       "A\0",
       TextEncoding::kUtf8, "", "is UTF-16 text"},
      {std::string("A\r\nB\rC\n\0", 8), TextEncoding::kUtf8, "",
       "is not a text file (a NUL byte on line 4)"},
  };
  for (const Case& c : cases) {
    const DecodedText decoded = DecodeText(c.bytes);
    EXPECT_EQ(decoded.Error.substr(0, c.error_start.size()), c.error_start) << c.bytes;
    EXPECT_EQ(decoded.Error.empty(), c.error_start.empty()) << decoded.Error;
    if (!c.error_start.empty()) continue;
    EXPECT_EQ(decoded.Encoding, c.encoding) << c.bytes;
    EXPECT_EQ(decoded.Utf8, c.utf8);
  }

  const std::vector<TextLine> lines = SplitLines("a\r\nb\rc\n\nd");
  ASSERT_EQ(lines.size(), 5u);
  const char* texts[] = {"a", "b", "c", "", "d"};
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].Number, static_cast<int>(i) + 1);
    EXPECT_EQ(lines[i].Text, texts[i]);
    EXPECT_EQ(lines[i].Ended, i + 1 < lines.size());
  }
}

TEST(WordList, SkipsCommentsAndMergesRepeatsOnceUpperCased) {
  const WordList list = ReadWordList(
      "# a comment\n\nArnhelm\n  brisa \nARNHELM\nŁodz\nLodz\n#Hidden\nBo3\n", Mapper(), {});
  std::vector<std::string> names;
  for (const WordListEntry& name : list.Names) names.push_back(name.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Arnhelm", "brisa", "Lodz"}));
  EXPECT_EQ(list.Names[1].Line, 4);
  ASSERT_EQ(list.Merged.size(), 2u);
  EXPECT_EQ(list.Merged[0].Line, 5);
  EXPECT_EQ(list.Merged[0].FirstLine, 3);
  EXPECT_EQ(list.Merged[1].Written, "Lodz");  // the same name as the reduced Łodz before it
  EXPECT_EQ(list.Merged[1].FirstLine, 6);
  ASSERT_EQ(list.Skipped.size(), 1u);
  EXPECT_EQ(list.Skipped[0].Line, 9);
  EXPECT_EQ(list.Skipped[0].Problem, NameProblem::kDigit);
}

TEST(ChapterText, ValuesThatWouldBreakTheFileAreRefused) {
  struct Case {
    std::string value;
    std::size_t limit;
    bool option_tag;
    bool accepted;
  };
  const Case cases[] = {
      {"The \"Old\" Roads", 64, false, true},  // quotes not followed by ; stay in the value
      {"Names of the north", 64, false, true},
      {"a // b", 64, false, true},  // header tags are read before comments are blanked
      {"Ends\";here", 64, false, false},
      {"NAMES OF THE NORTH", 64, false, false},
      {"see LINE2", 64, false, false},
      {"two\r\nlines", 64, false, false},
      {std::string(65, 'a'), 64, false, false},
      {"STRUCTGEN // note", 128, true, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TagValueProblem(c.value, c.limit, c.option_tag).empty(), c.accepted) << c.value;
  }

  ChapterHeader header{"T", "L1", "L2", "D", "<NG>", "MULTI", "STATGEN", "from a,b\r\nTITLE"};
  const std::vector<std::string> names = {"Arnhelm", "Brisa", "Corwen"};
  EXPECT_EQ(FormatChapter(header, names, 3),
            "TITLE \"T\";\r\nLINE1 \"L1\";\r\nLINE2 \"L2\";\r\nDATE \"D\";\r\nSPCCON \"<NG>\";\r\n"
            "SPCVOW \"MULTI\";\r\nGENOPT \"STATGEN\";\r\n// from a b  TITLE\r\n"
            "NAMES \"Arnhelm\", \"Brisa\", \"Corwen\";\r\n");
  // Lines wrap before the width, each continuation under the first name.
  const std::vector<std::string> many(40, "Abcdefgh");
  const std::string text = FormatChapter(header, many, many.size());
  for (const TextLine& line : SplitLines(text)) {
    EXPECT_LE(line.Text.size(), kNamesLineWidth) << line.Text;
  }
  EXPECT_NE(text.find("\r\n      \"Abcdefgh\","), std::string::npos);
}

}  // namespace
}  // namespace qorv
