// `qorv chapter blend`, run in-process: the shares drawn, the settings kept and dropped, and the
// command lines refused.
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chapter/names_list.h"
#include "chapter/tag_reader.h"
#include "cli_test_support.h"

namespace qorv {
namespace {

using testing::RunCommandLine;
using testing::TempFolder;

// `count` distinct names C V C V C over the given letters, so that every name tells its Chapter.
std::vector<std::string> Names(const std::string& consonants, const std::string& vowels,
                               std::size_t count) {
  std::vector<std::string> names;
  for (std::size_t k = 0; names.size() < count; ++k) {
    std::string name;
    for (std::size_t at = 0, rest = k; at < 5; ++at) {
      const std::string& letters = at % 2 == 0 ? consonants : vowels;
      name += letters[rest % letters.size()];
      rest /= letters.size();
    }
    names.push_back(name);
  }
  return names;
}

struct Blend {
  testing::Run run;
  std::string text;  // the written Chapter, comments blanked
  std::vector<std::string> names;
};

Blend RunBlend(const TempFolder& folder, std::vector<std::string> args) {
  args.insert(args.begin(), {"chapter", "blend"});
  Blend blend{RunCommandLine(args), "", {}};
  std::ifstream file(folder.Path("out.qrv"), std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  blend.text = bytes.str();
  BlankComments(blend.text);
  NamesListReader reader(blend.text);
  for (std::string name; reader.Next(name) == NamesListReader::Step::kName;) {
    blend.names.push_back(name);
  }
  return blend;
}

TEST(ChapterBlend, DrawsTheSharesOfDistinctNamesAndLoads) {
  TempFolder folder;
  const std::string a =
      folder.Write("a.qrv", testing::WithNames(Names("BDLMN", "AEI", 700)).Text());
  const std::string b = folder.Write("b.qrv", testing::WithNames(Names("KTRPS", "OU", 700)).Text());
  struct Case {
    std::string weights;
    std::size_t names;
    std::size_t from_a;
    std::string note;  // in the error stream
  };
  for (const Case& c :
       {Case{"70,30", 1000, 700, ""}, Case{"50,50", 1000, 500, ""},
        Case{"90,10", 777, 699, "a.qrv: its 700 names fill its share of a blend of 777"}}) {
    SCOPED_TRACE(c.weights);
    const Blend blend = RunBlend(folder, {a, b, "--weights", c.weights, "-o",
                                          folder.Path("out.qrv"), "--seed", "5", "--force"});
    ASSERT_EQ(blend.run.exit_code, 0) << blend.run.err;
    ASSERT_EQ(blend.names.size(), c.names);
    EXPECT_EQ(std::set<std::string>(blend.names.begin(), blend.names.end()).size(), c.names);
    std::size_t from_a = 0;
    for (const std::string& name : blend.names) from_a += name.find_first_of("BDLMN") == 0;
    EXPECT_EQ(from_a, c.from_a);
    EXPECT_NE(blend.run.out.find(std::to_string(c.from_a) + " from " + a), std::string::npos);
    EXPECT_NE(blend.run.err.find(c.note), std::string::npos) << blend.run.err;
    EXPECT_EQ(RunCommandLine({"inspect", folder.Path("out.qrv")}).exit_code, 0);
  }
  // The same seed draws the same blend; another seed another.
  const auto drawn = [&](const char* seed) {
    return RunBlend(folder, {a, b, "-o", folder.Path("out.qrv"), "--seed", seed, "--force"}).names;
  };
  EXPECT_EQ(drawn("9"), drawn("9"));
  EXPECT_NE(drawn("9"), drawn("10"));
}

TEST(ChapterBlend, KeepsSharedSpecialConsonantsAndWritesCodesAsLetters) {
  TempFolder folder;
  // A typed digit reads as the special consonant of that number in its own Chapter.
  const std::string a =
      folder.Write("a.qrv", testing::ChapterSource{.names = {"Ba0e", "Tharo", "Bashi"},
                                                   .spccon = "<TH><SH> SOFT",
                                                   .spcvow = "MULTI"}
                                .Text());
  const std::string b = folder.Write(
      "b.qrv", testing::ChapterSource{.names = {"Ko0u", "Kasha"}, .spccon = "<SH>"}.Text());
  const Blend blend =
      RunBlend(folder, {a, b, "--weights", "3,2", "-o", folder.Path("out.qrv"), "--seed", "1"});
  ASSERT_EQ(blend.run.exit_code, 0) << blend.run.err;
  EXPECT_EQ(ReadTag(blend.text, "SPCCON", 128), "<SH>");
  EXPECT_EQ(ReadTag(blend.text, "SPCVOW", 128), "");
  EXPECT_EQ(std::set<std::string>(blend.names.begin(), blend.names.end()),
            (std::set<std::string>{"BATHE", "THARO", "BASHI", "KOSHU", "KASHA"}));
  for (const std::string& note : {"special consonant <TH> of " + a, std::string("SOFT is not set"),
                                  std::string("MULTI is not set")}) {
    EXPECT_NE(blend.run.err.find(note), std::string::npos) << blend.run.err;
  }
}

TEST(ChapterBlend, RefusesWeightsOutputsAndInputsThatCannotStand) {
  TempFolder folder;
  const std::string a = folder.Write("a.qrv", testing::WithNames({"Anna", "Bors"}).Text());
  const std::string b = folder.Write("b.qrv", testing::WithNames({"Kato", "Rune"}).Text());
  const std::string broken = folder.Write("c.qrv", testing::WithNames({"Anna", "A"}).Text());
  const std::string out = folder.Path("out.qrv");
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    std::string err;
  };
  for (const Case& c : {
           Case{{a, b, "--weights", "1,2,3", "-o", out},
                2,
                "qorv: --weights: 3 weights for 2 Chapters; give one for each, as in 70,30\n"},
           Case{{a, b, "--weights", "70,x", "-o", out},
                2,
                "qorv: --weights: \"x\" is not a number of 0 or more\n"},
           Case{{a, b, "--weights", "0,0", "-o", out},
                2,
                "qorv: --weights: the weights add up to 0\n"},
           Case{{a, b, "-o", b},
                2,
                "qorv: the Chapter " + b + " and -o " + b + " are the same file\n"},
           Case{{a, broken, "-o", out},
                1,
                "qorv: " + broken + ": does not load: Too few elements in name #2 (A)\n"},
       }) {
    SCOPED_TRACE(c.args.back());
    const Blend blend = RunBlend(folder, c.args);
    EXPECT_EQ(blend.run.exit_code, c.exit_code);
    EXPECT_EQ(blend.run.err, c.err);
    EXPECT_FALSE(std::filesystem::exists(out));
  }
}

}  // namespace
}  // namespace qorv
