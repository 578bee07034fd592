// `qorv chapter new` and `qorv chapter convert`, run in-process: what a word list becomes, the
// limits, the values and inputs that are refused, and the conversion of every sample Chapter.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "chapter/names_list.h"
#include "chapter/tag_reader.h"
#include "cli_test_support.h"
#include "text/encoding.h"

namespace qorv {
namespace {

using Json = nlohmann::json;
using testing::RunCommandLine;
using testing::TempFolder;

std::string Slurp(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The names of a written Chapter as its NAMES list holds them, in UTF-8.
std::vector<std::string> WrittenNames(const std::string& path) {
  std::string text = Slurp(path);
  BlankComments(text);
  NamesListReader reader(text);
  std::vector<std::string> names;
  std::string name;
  while (reader.Next(name) == NamesListReader::Step::kName) names.push_back(Cp1252ToUtf8(name));
  return names;
}

Json InspectJson(const std::string& path) {
  const testing::Run run = RunCommandLine({"inspect", path, "--json"});
  EXPECT_EQ(run.exit_code, 0) << path << ": " << run.err;
  return Json::parse(run.out);
}

// Loads as `qorv inspect` does, with CR LF line ends only and nothing for an author to fix.
void ExpectCleanChapter(const std::string& path) {
  const std::string bytes = Slurp(path);
  EXPECT_LE(bytes.size(), 32768u);
  for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
    ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << path << ": bare LF at byte " << at;
  }
  const testing::Run run = RunCommandLine({"inspect", path});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("\nNo warnings.\n"), std::string::npos) << run.out;
}

TEST(ChapterNew, Utf8WordListBecomesAChapterWithEveryNameAccountedFor) {
  TempFolder folder;
  const std::string list =
      folder.Write("harbour_towns.txt",
                   "\xEF\xBB\xBF# Harbour "
                   "towns\nArnhelm\nbrisa\n\n\xC5\x81\xC3\xB3\x64\xC5\xBA\nNguy\xE1\xBB\x85n\n"
                   "Port Royal\nARNHELM\nBo3\nO\xE2\x80\x99Neil\nSay\"hi\nA\n");
  const std::string out = folder.Path("harbour.qrv");
  const testing::Run run = RunCommandLine({"chapter", "new", list, "-o", out, "--date", "2026"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, out + ": 5 names kept, 3 skipped, 1 merged, 1 left out\n");
  const std::string at = "qorv: " + list + ": line ";
  EXPECT_EQ(run.err,
            at + "5: \"Łódź\" written as \"Lódz\"\n" + at +
                "6: \"Nguyễn\" written as \"Nguyen\"\n" + at +
                "7: \"Port Royal\" skipped: a name holds no spaces (--join-words joins the words "
                "with hyphens)\n" +
                at + "8: \"ARNHELM\" merged: the same name as line 2\n" + at +
                "9: \"Bo3\" skipped: a name holds no digits\n" + at +
                "10: \"O’Neil\" written as \"O'Neil\"\n" + at +
                "11: \"Say\"hi\" skipped: \"\"\" (U+0022) is no letter a Chapter can hold\n" + at +
                "12: \"A\" left out: a seed name needs at least two elements (groups of vowels "
                "and of consonants)\n");
  EXPECT_EQ(WrittenNames(out),
            (std::vector<std::string>{"Arnhelm", "brisa", "Lódz", "Nguyen", "O'Neil"}));
  ExpectCleanChapter(out);
  const Json json = InspectJson(out);
  EXPECT_EQ(json["Title"], "Harbour Towns");
  EXPECT_EQ(json["Date"], "2026");
  EXPECT_EQ(json["NameCount"], 5);
}

TEST(ChapterNew, OptionsBecomeTheTagsTheyName) {
  TempFolder folder;
  const std::string list = folder.Write("list.txt", "Thorn\nPort Royal\nQuaylen\nYsolde\n");
  const std::string out = folder.Path("out.qrv");
  const testing::Run run = RunCommandLine({"chapter",
                                           "new",
                                           list,
                                           "-o",
                                           out,
                                           "--title",
                                           "The \"Old\" Roads",
                                           "--line1",
                                           "Ways",
                                           "--line2",
                                           "a // b",
                                           "--options",
                                           "structgen FIT:2 VAL:1",
                                           "--special-consonants",
                                           "<TH>",
                                           "--soft",
                                           "--multi",
                                           "--y-semi",
                                           "--u-semi",
                                           "--join-words"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string text = Slurp(out);
  EXPECT_NE(text.find("SPCCON \"<TH> SOFT\";\r\nSPCVOW \"MULTI\";\r\n"
                      "GENOPT \"structgen FIT:2 VAL:1 Y:SEMI U:SEMI\";\r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(WrittenNames(out),
            (std::vector<std::string>{"Thorn", "Port-Royal", "Quaylen", "Ysolde"}));
  const Json json = InspectJson(out);
  EXPECT_EQ(json["Title"], "The \"Old\" Roads");
  EXPECT_EQ(json["Line2"], "a // b");
  EXPECT_EQ(json["StructGen"], 1);
  EXPECT_EQ(json["FitLevel"], 2);
  EXPECT_EQ(json["ValLevel"], 1);
  EXPECT_EQ(json["YMode"], 2);
  EXPECT_EQ(json["UMode"], 2);
  EXPECT_EQ(json["SpecialConsonants"], Json::array({"TH"}));
}

TEST(ChapterNew, ValuesAChapterCannotHoldAreUsageErrors) {
  TempFolder folder;
  const std::string list = folder.Write("list.txt", "Arnhelm\nBrisa\n");
  const std::string out = folder.Path("out.qrv");
  const std::vector<std::vector<std::string>> cases = {
      {"--title", "Ends\";here"},       {"--title", "NAMES OF OLD"},
      {"--line1", "Snow \xE2\x98\x83"}, {"--date", std::string(65, '1')},
      {"--options", "STRUCTGEN FIT:5"}, {"--special-consonants", "<TH><Ae>"},
      {"--y-semi", "--y-consonant"},
  };
  for (const std::vector<std::string>& options : cases) {
    std::vector<std::string> args = {"chapter", "new", list, "-o", out};
    args.insert(args.end(), options.begin(), options.end());
    const testing::Run run = RunCommandLine(args);
    EXPECT_EQ(run.exit_code, 2) << options[0] << " " << options[1];
    EXPECT_EQ(run.err.rfind("qorv: --", 0), 0u) << run.err;
    EXPECT_FALSE(std::filesystem::exists(out)) << options[0];
  }
}

// Names of two syllables or more, distinct for every `i`.
std::string SyllableName(int i, int filler_syllables) {
  static const std::string consonants = "bdfgklmnprstvz";
  static const std::string vowels = "aeiou";
  std::string name;
  for (int rest = i;; rest /= 70) {
    name += consonants[rest % 14];
    name += vowels[(rest / 14) % 5];
    if (rest < 70 && name.size() >= 4) break;
  }
  for (int k = 0; k < filler_syllables; ++k) name += "ra";
  return name;
}

TEST(ChapterNew, LimitsKeepWhatFitsInInputOrderAndSayWhatWasLeftOut) {
  struct Case {
    const char* label;
    std::string list;
    int kept;          // -1: as many leading names as the file size allows
    std::string note;  // in the notes on stderr
  };
  std::string names_1200;
  for (int i = 0; i < 1200; ++i) names_1200 += SyllableName(i, 0) + "\n";
  // Every name brings one new consonant element: the 256th would not load.
  const std::string letters = "BCDFGHJKLMNPQRSTVWXZ";
  std::string clusters;
  for (char a : letters) {
    for (char b : letters) clusters += std::string("A") + a + b + "A\n";
  }
  const std::string name_256 = std::string("A") + letters[255 / 20] + letters[255 % 20] + "A";
  std::string wide;
  for (int i = 0; i < 1000; ++i) wide += SyllableName(i, 12) + "\n";
  const Case cases[] = {
      {"1200 names", names_1200, 1000,
       "200 names left out from line 1001 (\"" + SyllableName(1000, 0) +
           "\") on: a Chapter holds at most 1000 names"},
      {"element tables", clusters, 255,
       "line 256: \"" + name_256 +
           "\" left out: it would bring the different consonant elements past 255"},
      {"32 elements", "BaBaBaBaBaBaBaBaBaBaBaBaBaBaBaBa\nBaBaBaBaBaBaBaBaBaBaBaBaBaBaBaB\nArn\n", 2,
       "line 1: \"BaBaBaBaBaBaBaBaBaBaBaBaBaBaBaBa\" left out: a seed name has at most 31 "
       "elements"},
      {"file size", wide, -1, ") on: the Chapter file would grow past 32768 bytes"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const std::string out = folder.Path("out.qrv");
    const testing::Run run =
        RunCommandLine({"chapter", "new", folder.Write("list.txt", c.list), "-o", out});
    ASSERT_EQ(run.exit_code, 0) << c.label << ": " << run.err;
    EXPECT_NE(run.err.find(c.note), std::string::npos) << c.label << ": " << run.err;
    ExpectCleanChapter(out);
    const Json json = InspectJson(out);
    if (c.kept >= 0) {
      EXPECT_EQ(json["NameCount"], c.kept) << c.label;
      continue;
    }
    // The next name, `, "name"` at the least, would no longer fit.
    const int kept = json["NameCount"];
    EXPECT_LT(kept, 1000);
    EXPECT_GT(Slurp(out).size() + SyllableName(kept, 12).size() + 4, 32768u);
    EXPECT_NE(run.err.find("left out from line " + std::to_string(kept + 1) + " "),
              std::string::npos)
        << run.err;
  }
}

TEST(ChapterNew, BadInputFailsWithAMessageAndWritesNothing) {
  struct Case {
    const char* label;
    const char* input;  // nullptr: no such file
    std::size_t size;
    int exit_code;
    const char* message;
  };
  const Case cases[] = {
      {"binary",
       "\x7F"
       "ELF\x02\x01\0\0",
       8, 1, ": is not a text file (a NUL byte on line 1)\n"},
      {"UTF-16",
       "\xFF\xFE"
       "A\0\n\0",
       6, 1, ": is UTF-16 text; save it as UTF-8 or Windows-1252\n"},
      {"empty", "", 0, 1, ": holds no names (one name a line); nothing was written\n"},
      {"unreadable", nullptr, 0, 1, ": No such file or directory\n"},
      {"nothing usable", "123\nA B\n", 8, 1, ": no name left to write; nothing was written\n"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const std::string list =
        c.input ? folder.Write("list.txt", std::string(c.input, c.size)) : folder.Path("list.txt");
    const std::string out = folder.Path("out.qrv");
    const testing::Run run = RunCommandLine({"chapter", "new", list, "-o", out});
    EXPECT_EQ(run.exit_code, c.exit_code) << c.label;
    EXPECT_TRUE(run.err.ends_with("qorv: " + list + c.message)) << c.label << ": " << run.err;
    EXPECT_EQ(run.out, "") << c.label;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.label;
  }

  TempFolder folder;
  const std::string list = folder.Write("list.txt", "Arnhelm\nBrisa\n");
  const std::string existing = folder.Write("existing.qrv", "keep me");
  const testing::Run refused = RunCommandLine({"chapter", "new", list, "-o", existing});
  EXPECT_EQ(refused.exit_code, 2);
  EXPECT_EQ(refused.err, "qorv: " + existing + ": already exists; --force replaces it\n");
  EXPECT_EQ(Slurp(existing), "keep me");
  EXPECT_EQ(RunCommandLine({"chapter", "new", list, "-o", existing, "--force"}).exit_code, 0);
  EXPECT_EQ(WrittenNames(existing), (std::vector<std::string>{"Arnhelm", "Brisa"}));

  const std::string nowhere = folder.Path("no_folder/out.qrv");
  const testing::Run unwritable = RunCommandLine({"chapter", "new", list, "-o", nowhere});
  EXPECT_EQ(unwritable.exit_code, 4);
  EXPECT_EQ(unwritable.err, "qorv: " + nowhere + ": No such file or directory\n");
  EXPECT_EQ(unwritable.out, "");
  // Only the one Chapter is left in the folder: no temporary file stays behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path("")), {}), 2);
}

TEST(ChapterNew, TitleComesFromTheFileNameAndTagNamesInItBreakNothing) {
  TempFolder folder;
  const std::string out = folder.Path("elven_towns.qrv");
  // Standard input has no name: the title comes from the output file.
  const testing::Run piped =
      RunCommandLine({"chapter", "new", "-", "-o", out}, "Arnhelm\r\nBrisa\rCorwen");
  ASSERT_EQ(piped.exit_code, 0) << piped.err;
  EXPECT_EQ(InspectJson(out)["Title"], "Elven Towns");
  EXPECT_EQ(WrittenNames(out), (std::vector<std::string>{"Arnhelm", "Brisa", "Corwen"}));

  // The file name stands in the comment, after the tags; its commas are not written there.
  const std::string list = folder.Write("TITLE, NAMES_list.txt", "Arnhelm\nBrisa\n");
  const std::string tagged = folder.Path("tagged.qrv");
  ASSERT_EQ(RunCommandLine({"chapter", "new", list, "-o", tagged}).exit_code, 0);
  EXPECT_NE(Slurp(tagged).find("// Made with qorv chapter new from TITLE  NAMES_list.txt\r\n"),
            std::string::npos);
  EXPECT_EQ(InspectJson(tagged)["Title"], "Title, Names List");
  ExpectCleanChapter(tagged);
}

// Odd lines as people's lists have them: the encoding of each line, forced encodings, every skip
// reason, the plain forms of the special consonants, and which 1000 of 1200 names are picked.
TEST(ChapterNew, OddListsAreReadLineByLineWithTheRealCause) {
  std::string names_1200;
  for (int i = 0; i < 1200; ++i) names_1200 += SyllableName(i, 0) + "\n";
  std::string digits_30;
  for (int i = 0; i < 30; ++i) digits_30 += "Bo" + std::to_string(i) + "\n";
  const std::string mixed = "Arnhelm\nCaf\xE9\nJos\xC3\xA9\n";
  struct Case {
    const char* label;
    std::string list;
    std::vector<std::string> args;
    int exit_code;
    std::vector<std::string> notes;  // each in stderr
    std::vector<std::string> names;  // the first names written, or a tag and its value
  };
  const Case cases[] = {
      {"per line",
       mixed,
       {},
       0,
       {"line 2: not UTF-8; read as Windows-1252\n"},
       {"Arnhelm", "Café", "José"}},
      {"forced utf-8",
       mixed,
       {"--input-encoding", "utf-8"},
       0,
       {"line 2: skipped: byte 4 (0xE9) is not UTF-8\n"},
       {"Arnhelm", "José"}},
      {"forced cp1252",
       mixed,
       {"--input-encoding", "cp1252"},
       0,
       {"line 3: \"JosÃ©\" skipped: \"©\" (U+00A9) is no letter a Chapter can hold\n"},
       {"Arnhelm", "Café"}},
      {"skip reasons",
       "Smith & Sons\nPort\tRoyal\n; comment\n// note\nBo3 Bay\nPort Royal\n" +
           std::string(5000, 'a') + "\nArnhelm\nBrisa\n",
       {},
       0,
       {"line 1: \"Smith & Sons\" skipped: \"&\" (U+0026) is no letter a Chapter can hold\n",
        "line 2: \"Port\tRoyal\" skipped: a name holds no tabs (one name a line, not columns)\n",
        "line 3: \"; comment\" skipped: a comment line starts with \"#\"\n",
        "line 4: \"// note\" skipped: a comment line starts with \"#\"\n",
        "line 5: \"Bo3 Bay\" skipped: a name holds no digits\n",
        "line 6: \"Port Royal\" skipped: a name holds no spaces (--join-words joins",
        "line 7: \"" + std::string(80, 'a') +
            "...\" skipped: a line of more than 4096 bytes is no name\n"},
       {"Arnhelm", "Brisa"}},
      {"notes of a kind",
       digits_30 + "Arnhelm\nBrisa\n",
       {},
       0,
       {"line 20: \"Bo19\" skipped", "10 more lines skipped (20 shown)\n"},
       {"Arnhelm", "Brisa"}},
      {"quiet", digits_30 + "Arnhelm\nBrisa\n", {"--quiet"}, 0, {}, {"Arnhelm", "Brisa"}},
      {"plain specials",
       "Thorn\nSchaal\n",
       {"--special-consonants", "th,sch soft"},
       0,
       {},
       {"SPCCON", "<TH> <SCH> SOFT"}},
      {"spaced specials",
       "Thorn\nSchaal\n",
       {"--special-consonants", "TH SCH"},
       0,
       {},
       {"SPCCON", "<TH> <SCH>"}},
      {"vowel special",
       "Thorn\n",
       {"--special-consonants", "TH,AE"},
       2,
       {"qorv: --special-consonants: \"AE\" is no special consonant"},
       {}},
      {"mixed specials",
       "Thorn\n",
       {"--special-consonants", "<TH> NG"},
       2,
       {"qorv: --special-consonants: \"NG\" stands outside the angle brackets"},
       {}},
      {"digit special",
       "Thorn\n",
       {"--special-consonants", "<T3>"},
       2,
       {"\"T3\" is no special"},
       {}},
      {"unknown pick", "Thorn\n", {"--pick", "best"}, 2, {}, {}},
      {"short list's options",
       "Arnhelm\nBrisa\n",
       {},
       0,
       {},
       {"GENOPT", "STATGEN PREFIX SUFFIX FIT:2 VAL:1"}},
      {"long list's options",
       names_1200,
       {"--y-semi", "--quiet"},
       0,
       {},
       {"GENOPT", "STRUCTGEN STATGEN PREFIX SUFFIX FIT:1 VAL:1 Y:SEMI"}},
      {"pick first",
       names_1200,
       {},
       0,
       {"200 names left out from line 1001"},
       {SyllableName(0, 0), SyllableName(1, 0)}},
      {"pick spread",
       names_1200,
       {"--pick", "spread"},
       0,
       {"200 names left out: --pick spread keeps 1000 spread across the list\n"},
       {SyllableName(0, 0), SyllableName(1, 0), SyllableName(2, 0), SyllableName(3, 0),
        SyllableName(4, 0), SyllableName(6, 0)}},
      {"pick random",
       names_1200,
       {"--pick", "random", "--seed", "7"},
       0,
       {"200 names left out: --pick random keeps 1000 drawn at random\n"},
       {}},
  };
  std::vector<std::string> random_names;
  for (const Case& c : cases) {
    TempFolder folder;
    const std::string list = folder.Write("list.txt", c.list);
    const std::string out = folder.Path("out.qrv");
    std::vector<std::string> args = {"chapter", "new", list, "-o", out};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const testing::Run run = RunCommandLine(args);
    ASSERT_EQ(run.exit_code, c.exit_code) << c.label << ": " << run.err;
    for (const std::string& note : c.notes) {
      EXPECT_NE(run.err.find(note), std::string::npos) << c.label << ": " << run.err;
    }
    if (c.exit_code != 0) continue;
    if (c.notes.empty()) {
      EXPECT_EQ(run.err.find(list), std::string::npos) << c.label << run.err;
    }
    if (!c.names.empty() && (c.names[0] == "SPCCON" || c.names[0] == "GENOPT")) {
      EXPECT_NE(Slurp(out).find(c.names[0] + " \"" + c.names[1] + "\";"), std::string::npos)
          << c.label;
      continue;
    }
    const std::vector<std::string> written = WrittenNames(out);
    ASSERT_GE(written.size(), c.names.size()) << c.label;
    EXPECT_EQ(std::vector<std::string>(written.begin(), written.begin() + c.names.size()), c.names)
        << c.label;
    if (c.list != names_1200) continue;
    ASSERT_EQ(written.size(), 1000u) << c.label;
    // Spread and random reach into the last 200 lines, in input order.
    const bool past_1000 =
        std::find(written.begin(), written.end(), SyllableName(1199, 0)) != written.end() ||
        std::find(written.begin(), written.end(), SyllableName(1150, 0)) != written.end();
    EXPECT_EQ(past_1000, c.args.size() > 0) << c.label;
    if (c.args.size() > 2) random_names = written;
  }
  // The same seed draws the same names again.
  TempFolder folder;
  const std::string out = folder.Path("again.qrv");
  ASSERT_EQ(RunCommandLine({"chapter", "new", folder.Write("list.txt", names_1200), "-o", out,
                            "--pick", "random", "--seed", "7"})
                .exit_code,
            0);
  EXPECT_EQ(WrittenNames(out), random_names);
}

std::vector<std::filesystem::path> SampleChapters() {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  const std::filesystem::path folder = std::filesystem::path(source ? source : ".") / "chapters";
  std::vector<std::filesystem::path> paths;
  if (!std::filesystem::is_directory(folder)) return paths;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".qrv") paths.push_back(entry.path());
  }
  return paths;
}

TEST(ChapterConvert, Utf8LfCopiesOfTheSamplesConvertBackToTheSamples) {
  const std::vector<std::filesystem::path> samples = SampleChapters();
  ASSERT_GE(samples.size(), 11u) << "set QORV_SOURCE_DIR to the source tree";
  for (const std::filesystem::path& sample : samples) {
    TempFolder folder;
    std::string copy = Cp1252ToUtf8(Slurp(sample.string()));
    std::erase(copy, '\r');
    const std::string utf8 = folder.Write("utf8.qrv", copy);
    // The copy itself does not load: a comment swallows the rest of it.
    EXPECT_EQ(RunCommandLine({"inspect", utf8}).exit_code, 1) << sample;
    const std::string out = folder.Path("out.qrv");
    const testing::Run run = RunCommandLine({"chapter", "convert", utf8, "-o", out});
    ASSERT_EQ(run.exit_code, 0) << sample << ": " << run.err;
    EXPECT_EQ(run.err, "") << sample;
    EXPECT_EQ(InspectJson(out), InspectJson(sample.string())) << sample;
  }
}

TEST(ChapterConvert, LettersOutsideWindows1252AreReducedAndAFailingResultIsNotWritten) {
  TempFolder folder;
  const std::string chapter =
      "TITLE \"\xC5\x81\xC3\xB3\x64\xC5\xBA\";\nLINE1 \"\";\nLINE2 \"\";\nDATE \"\";\nSPCCON "
      "\"\";\n"
      "SPCVOW \"\";\nGENOPT \"\";\n// \xE2\x98\x83 a comment\nNAMES \"Arn\", \"\xC5\x81ukas\";\n";
  const std::string in = folder.Write("in.qrv", chapter);
  const std::string out = folder.Path("out.qrv");
  const testing::Run run = RunCommandLine({"chapter", "convert", in, "-o", out});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, out +
                         ": 2 names; converted from UTF-8, 9 line ends made CR LF, 3 characters "
                         "reduced, 1 written as ?\n");
  const std::string at = "qorv: " + in + ": line ";
  EXPECT_EQ(run.err, at + "1: \"Ł\" written as \"L\"\n" + at + "1: \"ź\" written as \"z\"\n" + at +
                         "8: \"☃\" (U+2603) has no Windows-1252 form; written as ?\n" + at +
                         "9: \"Ł\" written as \"L\"\n");
  EXPECT_EQ(InspectJson(out)["Title"], "Lódz");
  EXPECT_EQ(WrittenNames(out), (std::vector<std::string>{"Arn", "Lukas"}));

  std::string broken = chapter;
  broken.replace(broken.find("Arn"), 3, "A\xE2\x98\x83n");
  const std::string bad = folder.Write("bad.qrv", broken);
  const std::string bad_out = folder.Path("bad_out.qrv");
  const testing::Run refused = RunCommandLine({"chapter", "convert", bad, "-o", bad_out});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_NE(refused.err.find("qorv: " + bad +
                             ": the converted Chapter does not load: Invalid character in name "
                             "#1 (A?N); nothing was written\n"),
            std::string::npos)
      << refused.err;
  EXPECT_FALSE(std::filesystem::exists(bad_out));
}

}  // namespace
}  // namespace qorv
