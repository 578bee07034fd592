// `qorv chapter check` on Chapters whose faults are known, and the scores `qorv generate` gives
// its names, against the library's own Score.
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/chapter_check.h"
#include "cli_test_support.h"
#include "quorvane/lexicon.h"
#include "wordlist/default_options.h"

namespace qorv {
namespace {

using Json = nlohmann::json;
using testing::RunCommandLine;

std::string SourcePath(const std::string& relative) {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  return (std::filesystem::path(source ? source : ".") / relative).string();
}

TEST(ChapterCheck, KnownChaptersGetTheirVerdicts) {
  struct Case {
    const char* chapter;
    int count;
    const char* verdict;
    Json folded, far, tripled;
  } cases[] = {
      {"tests/data/poor_chapter.qrv", 12, "too few", Json::parse(R"([["Aren","Árén"]])"),
       Json::parse(R"(["Valdimarsgrondolinhaven"])"), Json::parse(R"(["Kaaarth"])")},
      {"chapters/elder_folk.qrv", 78, "few", Json::array(), Json::array(), Json::array()},
      {"chapters/towns_of_the_realm.qrv", 900, "good", Json::array(), Json::array(), Json::array()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chapter);
    const testing::Run run = RunCommandLine({"chapter", "check", SourcePath(c.chapter), "--json"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    const Json check = Json::parse(run.out);
    EXPECT_EQ(check["seeds"]["count"], c.count);
    EXPECT_EQ(check["seeds"]["verdict"], c.verdict);
    EXPECT_EQ(check["seeds"]["same_after_folding"], c.folded);
    EXPECT_EQ(check["seeds"]["far_lengths"], c.far);
    EXPECT_EQ(check["seeds"]["tripled_letters"], c.tripled);
    ASSERT_EQ(check["levels"].size(), 12u);
    for (const Json& level : check["levels"]) {
      EXPECT_EQ(level["names"], 20000);
      EXPECT_GT(level["unique_percent"].get<double>(), 0);
      EXPECT_LE(level["novel_percent"].get<double>(), 100);
      EXPECT_LE(level["not_a_piece_percent"], level["novel_percent"]);
    }
    EXPECT_LE(check["capacity"]["distinct_novel_names"].get<int>(), 100000);
    EXPECT_TRUE(check["suggested"]["genopt"].get<std::string>().starts_with(
        DefaultGenOpt(static_cast<std::size_t>(c.count))));
  }
  EXPECT_STREQ(SeedCountVerdict(29), "too few");
  EXPECT_STREQ(SeedCountVerdict(30), "few");
  EXPECT_STREQ(SeedCountVerdict(99), "few");
  EXPECT_STREQ(SeedCountVerdict(100), "good");
}

TEST(ChapterCheck, SuggestsWhatChapterNewWritesAndRefusesAChapterThatDoesNotLoad) {
  const testing::TempFolder folder;
  const testing::Run check =
      RunCommandLine({"chapter", "check", SourcePath("tests/data/poor_chapter.qrv"), "--json"});
  const std::string list =
      folder.Write("poor.txt", "Aren\nBardo\nBelda\nBorin\nDara\nDoran\nKaaarth\nMira\nMorn\n");
  const std::string made = folder.Path("poor.qrv");
  ASSERT_EQ(RunCommandLine({"chapter", "new", list, "-o", made, "--quiet"}).exit_code, 0);
  std::ifstream file(made, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(file)), {});
  const std::string genopt = Json::parse(check.out)["suggested"]["genopt"];
  EXPECT_NE(text.find("GENOPT \"" + genopt + "\";"), std::string::npos) << text;

  const testing::Run refused =
      RunCommandLine({"chapter", "check", folder.Write("bad.qrv", "NAMES \"Aren\";")});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_NE(refused.err.find(": Invalid or missing TITLE tag"), std::string::npos) << refused.err;
  EXPECT_EQ(refused.out, "");
}

TEST(GenerateScores, JsonScoresAgreeWithTheLibraryAndTheFiltersKeepToThem) {
  const std::string chapter = SourcePath("chapters/elder_folk.qrv");
  const quorvane::Result<quorvane::Lexicon> lexicon = quorvane::Lexicon::LoadFile(chapter);
  ASSERT_TRUE(lexicon);
  using Check = std::function<bool(const Json& line, const quorvane::NameScore& score)>;
  struct Case {
    std::vector<std::string> options;
    Check holds;
  } cases[] = {
      {{}, [](const Json&, const quorvane::NameScore&) { return true; }},
      {{"--typical"}, [](const Json&, const quorvane::NameScore& s) { return s.typical; }},
      {{"--min-typicality", "4"},
       [](const Json&, const quorvane::NameScore& s) { return s.bits_per_letter >= 4; }},
      {{"--max-typicality", "3.8"},
       [](const Json&, const quorvane::NameScore& s) { return s.bits_per_letter <= 3.8; }},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"generate", chapter,    "-n",   "30",     "--seed",
                                     "3",        "--format", "json", "--sort", "typicality"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const testing::Run run = RunCommandLine(args);
    ASSERT_EQ(run.exit_code, 0) << run.err;
    std::istringstream lines(run.out);
    double last = 0;
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
      const Json object = Json::parse(line);
      const quorvane::Result<quorvane::NameScore> score =
          quorvane::Score(*lexicon, object["name"].get<std::string>());
      ASSERT_TRUE(score);
      EXPECT_NEAR(object["typicality"].get<double>(), score->bits_per_letter, 0.005) << line;
      EXPECT_EQ(object["nearest_seed"], score->nearest_seed);
      EXPECT_EQ(object["edit_distance"], score->edit_distance);
      EXPECT_TRUE(c.holds(object, *score)) << line;
      EXPECT_GE(score->bits_per_letter, last) << "best first: " << line;
      last = score->bits_per_letter;
    }
    EXPECT_EQ(count, 30);
  }
}

}  // namespace
}  // namespace qorv
