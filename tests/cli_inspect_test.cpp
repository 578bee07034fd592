// `qorv inspect`: the JSON object, the readable summary, the author warnings and the exit codes,
// run in-process through RunQorv.
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli_test_support.h"

namespace qorv {
namespace {

using Json = nlohmann::json;
using testing::CrLf;
using testing::MakeChapter;
using testing::RunCommandLine;
using testing::TempFolder;

// BANANA, ANNA and PA: small enough to work every table out by hand.
//   rows: B A N A N A = 1000 0 1001 0 1001 0;  A NN A = 0 1002 0;  P A = 1003 0
const std::string kBananaChapter = CrLf({
    "TITLE \"Caf\xE9 \x80 Banana\";",
    "LINE1 \"Three names\";",
    "LINE2 \"\";",
    "DATE \"1998\";",
    "SPCCON \"\";",
    "SPCVOW \"\";",
    "GENOPT \"fit:2 VAL:1 PUNCT:2 suffix Y:SEMI\";",
    "NAMES \"Banana\", \"Anna\", \"Pa\";",
});

Json InspectJson(const std::string& path) {
  const testing::Run run = RunCommandLine({"inspect", path, "--json"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  return Json::parse(run.out);
}

TEST(InspectJson, KeysAreExactlyTheDocumentedOnesInOrder) {
  TempFolder folder;
  const Json json = InspectJson(folder.Write("banana.qrv", kBananaChapter));
  std::vector<std::string> keys;
  // nlohmann::json sorts keys; read the order from the text instead.
  const testing::Run run = RunCommandLine({"inspect", folder.Path("banana.qrv"), "--json"});
  const nlohmann::ordered_json ordered = nlohmann::ordered_json::parse(run.out);
  for (const auto& item : ordered.items()) keys.push_back(item.key());
  const std::vector<std::string> expected = {"Loaded",
                                             "Message",
                                             "Title",
                                             "Line1",
                                             "Line2",
                                             "Date",
                                             "NameCount",
                                             "VowelElementCount",
                                             "ConsonantElementCount",
                                             "MaxElementsPerName",
                                             "StructGen",
                                             "StatGen",
                                             "Shuffle",
                                             "Prefix",
                                             "Suffix",
                                             "FitLevel",
                                             "ValLevel",
                                             "PunctMode",
                                             "YMode",
                                             "UMode",
                                             "InitialLetters",
                                             "SpecialConsonants",
                                             "VowelElements",
                                             "ConsonantElements",
                                             "VowelPositionCounts",
                                             "ConsonantPositionCounts",
                                             "InitialPairs",
                                             "FinalPairs",
                                             "MinRepeatDistance",
                                             "MaxLetterPercent",
                                             "StructureNameCounts",
                                             "StructurePatterns",
                                             "VowelAfterConsonant",
                                             "ConsonantAfterVowel",
                                             "ConsonantAcrossVowel",
                                             "VowelAcrossConsonant",
                                             "FinalPairThirdLast",
                                             "FinalPairFourthLast"};
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(json.size(), expected.size());
  EXPECT_EQ(run.out.back(), '\n');
  EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << "one object on one line";
}

TEST(InspectJson, RecordAndCountsOfASmallChapter) {
  TempFolder folder;
  const Json json = InspectJson(folder.Write("banana.qrv", kBananaChapter));
  EXPECT_EQ(json["Loaded"], 1);
  EXPECT_EQ(json["Message"], "");
  EXPECT_EQ(json["Title"], "Caf\xC3\xA9 \xE2\x82\xAC Banana");  // converted to UTF-8
  EXPECT_EQ(json["Line1"], "Three names");
  EXPECT_EQ(json["Line2"], "");
  EXPECT_EQ(json["Date"], "1998");
  EXPECT_EQ(json["NameCount"], 3);
  EXPECT_EQ(json["VowelElementCount"], 1);
  EXPECT_EQ(json["ConsonantElementCount"], 4);
  EXPECT_EQ(json["MaxElementsPerName"], 6);
  EXPECT_EQ(json["StructGen"], 0);
  EXPECT_EQ(json["StatGen"], 0);
  EXPECT_EQ(json["Shuffle"], 0);
  EXPECT_EQ(json["Prefix"], 0);
  EXPECT_EQ(json["Suffix"], 1);
  EXPECT_EQ(json["FitLevel"], 2);
  EXPECT_EQ(json["ValLevel"], 1);
  EXPECT_EQ(json["PunctMode"], 2);
  EXPECT_EQ(json["YMode"], 2);
  EXPECT_EQ(json["UMode"], 0);
  EXPECT_EQ(json["InitialLetters"], "BAP");
  EXPECT_EQ(json["SpecialConsonants"], Json::array());
  EXPECT_EQ(json["VowelElements"], Json({"A"}));
  EXPECT_EQ(json["ConsonantElements"], Json({"B", "N", "NN", "P"}));
}

TEST(InspectJson, TablesOfASmallChapter) {
  TempFolder folder;
  const Json json = InspectJson(folder.Write("banana.qrv", kBananaChapter));

  // M = 6. BANANA: d = 0, middles twice in slots 1,1,2,2. ANNA (vowel first): d = 1, NN in 1 and 2.
  std::vector<int> a(32, 0), b(32, 0), n(32, 0), nn(32, 0), p(32, 0);
  a[0] = 1, a[1] = 2, a[2] = 2, a[5] = 3;
  b[0] = 1;
  n[1] = 2, n[2] = 2;
  nn[1] = 1, nn[2] = 1;
  p[0] = 1;
  EXPECT_EQ(json["VowelPositionCounts"], Json({a}));
  EXPECT_EQ(json["ConsonantPositionCounts"], Json({b, n, nn, p}));

  EXPECT_EQ(json["InitialPairs"], Json::parse("[[1000,0,1],[0,1002,1],[1003,0,1]]"));
  EXPECT_EQ(json["FinalPairs"], Json::parse("[[1001,0,1],[1002,0,1],[1003,0,1]]"));

  // Letter index: B 0, N 10, P 11, A 64.
  ASSERT_EQ(json["MinRepeatDistance"].size(), 127u);
  ASSERT_EQ(json["MaxLetterPercent"].size(), 127u);
  EXPECT_EQ(json["MinRepeatDistance"][64], 2);
  EXPECT_EQ(json["MinRepeatDistance"][10], 2);
  EXPECT_EQ(json["MinRepeatDistance"][0], 255);
  EXPECT_EQ(json["MaxLetterPercent"][64], 50);
  EXPECT_EQ(json["MaxLetterPercent"][10], 50);
  EXPECT_EQ(json["MaxLetterPercent"][0], 17);
  EXPECT_EQ(json["MaxLetterPercent"][11], 50);
  EXPECT_EQ(json["MaxLetterPercent"][1], 0);

  ASSERT_EQ(json["StructureNameCounts"].size(), 64u);
  EXPECT_EQ(json["StructureNameCounts"][0], 1);
  EXPECT_EQ(json["StructureNameCounts"][3], 1);
  EXPECT_EQ(json["StructureNameCounts"][8], 1);
  EXPECT_EQ(json["StructurePatterns"], Json::parse(R"([[0,"11",1],[3,"121",1],[8,"111111",1]])"));

  // Consonant index: B 0, N 10, P 11.
  EXPECT_EQ(json["VowelAfterConsonant"], Json::parse("[[0,0],[0,10],[0,11]]"));
  EXPECT_EQ(json["ConsonantAfterVowel"], Json::parse("[[10,0]]"));
  EXPECT_EQ(json["ConsonantAcrossVowel"], Json::parse("[[10,0],[10,10]]"));
  EXPECT_EQ(json["VowelAcrossConsonant"], Json::parse("[[0,0]]"));
  EXPECT_EQ(json["FinalPairThirdLast"], Json::parse("[[0,0],[1,0]]"));
  EXPECT_EQ(json["FinalPairFourthLast"], Json::parse("[[0,1010]]"));
}

TEST(InspectJson, CodedElementsAndSpecialConsonantsInUtf8) {
  TempFolder folder;
  // SOFT: TH -> t; NG is special consonant 0; Å (C5) is a vowel.
  const Json json = InspectJson(
      folder.Write("soft.qrv", MakeChapter("<NG> soft", "", "", "\"Thengol\", \"\xC5ngar\"")));
  EXPECT_EQ(json["SpecialConsonants"], Json({"NG"}));
  EXPECT_EQ(json["VowelElements"], Json({"E", "O", "\xC3\x85", "A"}));
  EXPECT_EQ(json["ConsonantElements"], Json({"t", "0", "L", "R"}));
  EXPECT_EQ(json["InitialLetters"], "T\xC3\x85");
  // NG counts as two letters in a length pattern.
  EXPECT_EQ(json["StructurePatterns"], Json::parse(R"([[5,"1211",1],[6,"11211",1]])"));
}

TEST(InspectJson, FailedLoadPrintsOnlyLoadedAndMessage) {
  TempFolder folder;
  const std::string path = folder.Write("bad.qrv", MakeChapter("", "", "",
                                                               "\"Jos\xE9\", \"Mar\xED"
                                                               "a Luisa\""));
  const testing::Run run = RunCommandLine({"inspect", "--json", path});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out,
            "{\"Loaded\":0,\"Message\":\"Invalid character in name #2 (MAR\xC3\x8D"
            "A LUISA)\"}\n");
  EXPECT_EQ(run.err, "qorv: " + path +
                         ": Invalid character in name #2 (MAR\xC3\x8D"
                         "A LUISA)\n");
}

TEST(InspectSummary, ShowsHeaderOptionsCountsElementsStructuresAndPairs) {
  TempFolder folder;
  const testing::Run run = RunCommandLine({"inspect", folder.Write("banana.qrv", kBananaChapter)});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const std::string& text = run.out;
  EXPECT_EQ(text.rfind("Caf\xC3\xA9 \xE2\x82\xAC Banana\n  Three names\n  Date: 1998\n", 0), 0u)
      << text;
  EXPECT_NE(text.find("  Flags               SUFFIX  (off: STRUCTGEN STATGEN SHUFFLE PREFIX)\n"),
            std::string::npos);
  EXPECT_NE(text.find("  Levels              FIT:2  VAL:1\n"), std::string::npos);
  EXPECT_NE(text.find("  Punctuation         PUNCT:2, accents and diaeresis\n"), std::string::npos);
  EXPECT_NE(text.find("  Letter Y            a consonant before a vowel (Y:SEMI)\n"),
            std::string::npos);
  EXPECT_NE(text.find("  Names               3  (the Chapter list expects 3)\n"),
            std::string::npos);
  EXPECT_NE(text.find("  Initial letters     BAP\n"), std::string::npos);
  EXPECT_NE(text.find("  Elements per name   at most 6\n"), std::string::npos);
  EXPECT_NE(text.find("(0 first, 1-4 middle, 5 last)"), std::string::npos);
  // Each element with its nonzero slots only.
  EXPECT_NE(text.find("\n       0  A  0:1 1:2 2:2 5:3\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n    1002  NN  1:1 2:1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("class  8   6 elements  consonant first     1 name   111111 x1\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("class  3   3 elements  vowel first         1 name   121 x1\n"),
            std::string::npos);
  EXPECT_NE(
      text.find("Initial pairs (first two elements)\n  B + A   x1\n  A + NN  x1\n  P + A   x1\n"),
      std::string::npos)
      << text;
  EXPECT_NE(text.find("Final pairs (last two elements)\n  N + A   x1\n  NN + A  x1\n"),
            std::string::npos);
  EXPECT_NE(text.find("  A  50% 2"), std::string::npos);
  EXPECT_NE(text.find("  B  17% -"), std::string::npos);
  EXPECT_NE(text.find("\nNo warnings.\n"), std::string::npos);
}

TEST(InspectSummary, SpellsOutCodedElementsAndShowsSoftAndMulti) {
  TempFolder folder;
  const testing::Run run = RunCommandLine(
      {"inspect", folder.Write("soft.qrv", MakeChapter("<NG> SOFT", "multi", "SHUFFLE",
                                                       "\"Thengol\", \"Banana\""))});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::string& text = run.out;
  EXPECT_NE(text.find("  Special consonants  0=NG\n"), std::string::npos);
  EXPECT_NE(text.find("  Soft consonants     on"), std::string::npos);
  EXPECT_NE(text.find("  Multi vowels        on"), std::string::npos);
  EXPECT_NE(text.find(" t (TH) "), std::string::npos) << text;
  EXPECT_NE(text.find(" 0 (NG) "), std::string::npos);
  EXPECT_NE(text.find(" ANA "), std::string::npos);  // the multi vowel of BANANA
  EXPECT_NE(text.find("(0 first, 1 any middle, 4 last)"), std::string::npos) << text;
}

TEST(InspectSummary, SoftAndMultiOffWhenNotGiven) {
  TempFolder folder;
  const testing::Run run = RunCommandLine({"inspect", folder.Write("banana.qrv", kBananaChapter)});
  EXPECT_NE(run.out.find("  Soft consonants     off\n"), std::string::npos);
  EXPECT_NE(run.out.find("  Multi vowels        off\n"), std::string::npos);
  EXPECT_NE(run.out.find("  Special consonants  none\n"), std::string::npos);
}

// A comment ends only at a carriage return: over bare line feeds it hides every tag after it.
TEST(InspectWarnings, BareLineFeedsWithACommentExplainTheFailure) {
  TempFolder folder;
  const std::string path = folder.Write(
      "lf.qrv",
      "TITLE \"Lf\";\nLINE1 \"a\";\nLINE2 \"b\";\nDATE \"c\";\n// options next\nSPCCON \"\";\n"
      "SPCVOW \"\";\nGENOPT \"\";\nNAMES \"Ann\", \"Bo\";\n");
  const testing::Run run = RunCommandLine({"inspect", path});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, "");
  const std::string prefix = "qorv: " + path + ": ";
  // The load message, then the pointer to the conversion, then the warnings.
  EXPECT_EQ(run.err.substr(0, run.err.find(prefix + "warning")),
            prefix + "Invalid or missing SPCCON tag\nqorv: " + path +
                " looks like UTF-8 text (or has LF line ends): `qorv chapter convert " + path +
                " -o NEW.qrv` makes it a Chapter\n");
  EXPECT_NE(run.err.find(prefix + "warning: 9 lines end with a bare line feed (LF without CR), "
                                  "the first on line 1; Chapter lines end with CR LF.\n"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find(prefix + "warning: The comment on line 5 hides the rest of the file "
                                  "(lines 6 to 9): only a carriage return ends a comment.\n"),
            std::string::npos)
      << run.err;
}

TEST(InspectWarnings, SummaryListsWarningsWrappedToTheTerminal) {
  TempFolder folder;
  std::string text = MakeChapter("<th>", "", "FIT:7", "\"Ann\" \"Bo\"");
  text.replace(text.find("Test Chapter"), 12, "Caf\xC3\xA9");
  const testing::Run run = RunCommandLine({"inspect", folder.Write("hints.qrv", text)});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::size_t section = run.out.find("\nWarnings\n");
  ASSERT_NE(section, std::string::npos) << run.out;
  // Four warnings: UTF-8 look, comma estimate, FIT level, unused special consonant.
  int marks = 0;
  for (std::size_t at = section; (at = run.out.find("\n  ! ", at)) != std::string::npos; ++at) {
    ++marks;
  }
  EXPECT_EQ(marks, 4) << run.out;
  EXPECT_NE(run.out.find("  ! The file looks like UTF-8"), std::string::npos);
  std::istringstream lines(run.out.substr(section));
  for (std::string line; std::getline(lines, line);) {
    std::size_t columns = 0;
    for (char c : line) columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    EXPECT_LE(columns, 96u) << line;
    if (line.rfind("  ! ", 0) != 0 && !line.empty() && line != "Warnings") {
      EXPECT_EQ(line.rfind("    ", 0), 0u) << "continuation lines are indented: " << line;
    }
  }
}

TEST(InspectWarnings, TooManyNamesFromCommasInComments) {
  TempFolder folder;
  std::string text = MakeChapter("", "", "", "\"Ann\", \"Bo\"");
  text += "// " + std::string(1000, ',') + "\r\n";
  const std::string path = folder.Write("commas.qrv", text);
  const testing::Run run = RunCommandLine({"inspect", path});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "qorv: " + path + ": Too many names\nqorv: " + path +
                         ": warning: The Chapter list expects 1002 names: it counts the commas "
                         "after the first NAMES, comments included, and adds one.\n");
}

TEST(InspectExitCodes, AFileThatCannotBeReadGivesTheLoadersCauseAndTheSystemsReason) {
  TempFolder folder;
  const struct {
    std::string path;
    const char* reason;
  } cases[] = {
      {folder.Path("absent.qrv"), "No such file or directory"},
      {folder.Path(""), "Is a directory"},
  };
  for (const auto& c : cases) {
    const testing::Run text = RunCommandLine({"inspect", c.path});
    EXPECT_EQ(text.exit_code, 1);
    EXPECT_EQ(text.out, "");
    EXPECT_EQ(text.err,
              "qorv: " + c.path + ": Couldn't open file\nqorv: " + c.path + ": " + c.reason + "\n");
    const testing::Run json = RunCommandLine({"inspect", c.path, "--json"});
    EXPECT_EQ(json.exit_code, 1);
    EXPECT_EQ(json.out, "{\"Loaded\":0,\"Message\":\"Couldn't open file\"}\n");
    EXPECT_EQ(json.err, text.err);
  }
}

TEST(InspectExitCodes, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> command_lines = {{},
                                                               {"frobnicate"},
                                                               {"inspect"},
                                                               {"inspect", "--bogus", "a.qrv"},
                                                               {"inspect", "a.qrv", "b.qrv"},
                                                               {"--json"}};
  for (const auto& args : command_lines) {
    const testing::Run run = RunCommandLine(args);
    const std::string shown = args.empty() ? "(none)" : args[0] + (args.size() > 1 ? " ..." : "");
    EXPECT_EQ(run.exit_code, 2) << shown;
    EXPECT_EQ(run.out, "") << shown;
    EXPECT_EQ(run.err.rfind("qorv: ", 0), 0u) << shown;
    EXPECT_NE(run.err.find(" --help' for the options.\n"), std::string::npos) << shown;
  }
}

TEST(InspectExitCodes, HelpGoesToStandardOutput) {
  const testing::Run run = RunCommandLine({"inspect", "--help"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_NE(run.out.find("CHAPTER"), std::string::npos);
  EXPECT_NE(run.out.find("--json"), std::string::npos);
  EXPECT_EQ(run.err, "");
}

}  // namespace
}  // namespace qorv
