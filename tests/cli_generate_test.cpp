// `qorv generate`: the names it prints, its determinism under --seed, its options and exit codes.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli/generate_command.h"
#include "cli_test_support.h"

namespace qorv {
namespace {

using testing::MakeChapter;
using testing::RunCommandLine;
using testing::TempFolder;

std::string SampleChapter(const std::string& name) {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  return (std::filesystem::path(source ? source : ".") / "chapters" / name).string();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Slurp(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(QorvGenerate, SameSeedGivesTheSameNamesAndAnotherSeedOthers) {
  const std::string chapter = SampleChapter("towns_of_the_realm.qrv");
  const std::vector<std::string> args = {"generate", chapter, "-n", "50", "-g", "3", "-v", "2",
                                         "--structural", "--statistical", "--prefixes",
                                         "--suffixes", "--seed", "4242"};
  const auto first = RunCommandLine(args);
  const auto second = RunCommandLine(args);
  ASSERT_EQ(first.exit_code, 0) << first.err;
  EXPECT_EQ(first.out, second.out);
  EXPECT_EQ(Lines(first.out).size(), 50u);
  EXPECT_EQ(first.err, "");

  std::vector<std::string> other_args = args;
  other_args.back() = "4243";
  EXPECT_NE(RunCommandLine(other_args).out, first.out);
}

TEST(QorvGenerate, NamesAreCapitalisedAndNoneRepeatsWithinAHundred) {
  const auto run = RunCommandLine(
      {"generate", SampleChapter("coastal_villages.qrv"), "--auto", "-n", "100", "--seed", "7"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<std::string> names = Lines(run.out);
  ASSERT_EQ(names.size(), 100u);
  for (std::size_t i = 0; i < names.size(); ++i) {
    ASSERT_GE(names[i].size(), 2u);
    EXPECT_TRUE(names[i][0] >= 'A' && names[i][0] <= 'Z') << names[i];
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(names[i], names[j]);
  }
}

TEST(QorvGenerate, AutoTakesTheChapterOptionsAsTheDialogWould) {
  TempFolder folder;
  // FIT:7 and VAL:9 lie outside the buttons' range and so act as level 0 and validation 0.
  const std::string chapter = folder.Write(
      "auto.qrv", MakeChapter("", "", "STRUCTGEN FIT:7 VAL:9",
                              "\"Bada\", \"Keno\", \"Lusi\", \"Marot\", \"Tavi\""));
  const auto automatic = RunCommandLine({"generate", chapter, "--auto", "-n", "5", "--seed", "3"});
  const auto by_hand =
      RunCommandLine({"generate", chapter, "--structural", "-n", "5", "--seed", "3"});
  ASSERT_EQ(automatic.exit_code, 0) << automatic.err;
  EXPECT_EQ(automatic.out, by_hand.out);
}

TEST(QorvGenerate, InitialLetterIsTakenInUtf8AndUpperCased) {
  const std::string chapter = SampleChapter("sunlit_vineyards.qrv");
  for (const char* letter : {"É", "é"}) {
    const auto run = RunCommandLine({"generate", chapter, "-i", letter, "-n", "5", "--seed", "9"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    for (const std::string& name : Lines(run.out)) EXPECT_EQ(name.rfind("É", 0), 0u) << name;
  }
  const auto lower =
      RunCommandLine({"generate", SampleChapter("coastal_villages.qrv"), "-i", "b", "-n", "3"});
  for (const std::string& name : Lines(lower.out)) EXPECT_EQ(name[0], 'B') << name;
}

TEST(QorvGenerate, EncodingChoosesTheBytesOfTheNames) {
  TempFolder folder;
  const std::string chapter =
      folder.Write("accents.qrv", MakeChapter("", "", "", "\"\xC9" "bo\""));
  const auto utf8 = RunCommandLine({"generate", chapter, "-n", "1", "--seed", "1"});
  const auto cp1252 =
      RunCommandLine({"generate", chapter, "-n", "1", "--seed", "1", "--encoding", "cp1252"});
  EXPECT_EQ(utf8.out, "\xC3\x89" "bo\n");
  EXPECT_EQ(cp1252.out, "\xC9" "bo\n");
}

TEST(QorvGenerate, LogIsWrittenOnlyWhenAsked) {
  TempFolder folder;
  const std::string chapter = folder.Write("pa.qrv", MakeChapter("", "", "", "\"Pa\""));
  const std::string log = folder.Path("gen.log");
  const auto run = RunCommandLine({"generate", chapter, "-n", "1", "--seed", "1", "--log", log});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  // One class (0), one pattern, one candidate at each position.
  EXPECT_EQ(Slurp(log), "0\r\n\r\nP : P\r\nA : A\r\n\r\n-> PA -> Pa");
  EXPECT_FALSE(std::filesystem::exists(folder.Path("!qrv_log.txt")));
}

TEST(QorvGenerate, ExhaustedChapterStopsWithExitThreeAfterTheNamesItFound) {
  TempFolder folder;
  // Only one name can be made; the second is always in the history.
  const std::string chapter = folder.Write("pa.qrv", MakeChapter("", "", "", "\"Pa\""));
  const auto run = RunCommandLine({"generate", chapter, "-n", "2", "--seed", "1", "--stats"});
  EXPECT_EQ(run.exit_code, kExitNoNewName);
  EXPECT_EQ(run.out, "Pa\n");
  EXPECT_NE(run.err.find("qorv: no new name found after 20000 attempts\n"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("1 names from 20001 attempts"), std::string::npos) << run.err;
}

TEST(QorvGenerate, StatsCountSeedNames) {
  TempFolder folder;
  const std::string chapter = folder.Write("pa.qrv", MakeChapter("", "", "", "\"Pa\""));
  const auto run = RunCommandLine({"generate", chapter, "-n", "1", "--stats"});
  ASSERT_EQ(run.exit_code, 0);
  const std::size_t line = run.err.find("names equal to a seed name");
  ASSERT_NE(line, std::string::npos) << run.err;
  EXPECT_EQ(run.err.substr(line).find("1   100.0 %\n"), run.err.size() - line - 12) << run.err;
}

TEST(QorvGenerate, ChapterThatDoesNotLoadExitsWithOne) {
  TempFolder folder;
  const auto run = RunCommandLine({"generate", folder.Path("missing.qrv")});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "qorv: " + folder.Path("missing.qrv") + ": Couldn't open file\n");
  EXPECT_EQ(run.out, "");
}

TEST(QorvGenerate, UsageErrorsExitWithTwo) {
  const std::string chapter = SampleChapter("coastal_villages.qrv");
  const std::vector<std::vector<std::string>> bad = {
      {"generate"},
      {"generate", chapter, "-n", "0"},
      {"generate", chapter, "-n", "100001"},
      {"generate", chapter, "-g", "4"},
      {"generate", chapter, "-v", "3"},
      {"generate", chapter, "--seed", "4294967296"},
      {"generate", chapter, "--seed", "-1"},
      {"generate", chapter, "-i", "ab"},
      {"generate", chapter, "-i", "\xE2\x82\xAC\xE2\x82\xAC"},
      {"generate", chapter, "--encoding", "latin1"},
      {"generate", chapter, "--auto", "-g", "1"},
      {"generate", chapter, "--auto", "--structural"},
      {"generate", chapter, "--unknown"},
  };
  for (const auto& args : bad) {
    const auto run = RunCommandLine(args);
    EXPECT_EQ(run.exit_code, 2) << args.back();
    EXPECT_NE(run.err.find("usage:"), std::string::npos) << args.back();
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(RunCommandLine({"generate", chapter, "--seed", "4294967295", "-n", "1"}).exit_code, 0);
}

}  // namespace
}  // namespace qorv
