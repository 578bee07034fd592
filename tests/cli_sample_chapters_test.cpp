// The sample Chapters under chapters/, through `qorv inspect`: each loads, its author left no
// fault that the hints catch, and the first one shows the options its header promises.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli_test_support.h"

namespace qorv {
namespace {

using testing::RunCommandLine;

std::filesystem::path ChaptersFolder() {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  return std::filesystem::path(source ? source : ".") / "chapters";
}

std::vector<std::string> SampleChapters() {
  std::vector<std::string> paths;
  if (!std::filesystem::is_directory(ChaptersFolder())) return paths;
  for (const auto& entry : std::filesystem::directory_iterator(ChaptersFolder())) {
    if (entry.path().extension() == ".qrv") paths.push_back(entry.path().string());
  }
  return paths;
}

TEST(SampleChapters, EveryOneLoadsWithoutWarnings) {
  const std::vector<std::string> paths = SampleChapters();
  ASSERT_FALSE(paths.empty()) << "no Chapters in " << ChaptersFolder();
  for (const std::string& path : paths) {
    const testing::Run text = RunCommandLine({"inspect", path});
    EXPECT_EQ(text.exit_code, 0) << path << ": " << text.err;
    EXPECT_NE(text.out.find("\nNo warnings.\n"), std::string::npos) << path << "\n" << text.out;

    const testing::Run json = RunCommandLine({"inspect", path, "--json"});
    ASSERT_EQ(json.exit_code, 0) << path;
    const nlohmann::json chapter = nlohmann::json::parse(json.out);
    EXPECT_EQ(chapter["Loaded"], 1) << path;
    EXPECT_EQ(chapter["VowelElements"].size(), chapter["VowelElementCount"].get<std::size_t>());
    EXPECT_EQ(chapter["ConsonantElements"].size(),
              chapter["ConsonantElementCount"].get<std::size_t>());
    // Every seed name has one initial and one final pair, and one structure class.
    int initial_weights = 0;
    for (const auto& pair : chapter["InitialPairs"]) initial_weights += pair[2].get<int>();
    int pattern_weights = 0;
    for (const auto& pattern : chapter["StructurePatterns"])
      pattern_weights += pattern[2].get<int>();
    EXPECT_EQ(initial_weights, chapter["NameCount"]) << path;
    EXPECT_EQ(pattern_weights, chapter["NameCount"]) << path;
  }
}

TEST(SampleChapters, CoastalVillagesShowsItsOptions) {
  const std::string path = (ChaptersFolder() / "coastal_villages.qrv").string();
  const testing::Run run = RunCommandLine({"inspect", path, "--json"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const nlohmann::json chapter = nlohmann::json::parse(run.out);
  EXPECT_EQ(chapter["Title"], "Coastal Villages");
  EXPECT_EQ(chapter["NameCount"], 95);
  EXPECT_EQ(chapter["SpecialConsonants"], nlohmann::json({"NG"}));
  EXPECT_EQ(chapter["StructGen"], 1);
  EXPECT_EQ(chapter["StatGen"], 1);
  EXPECT_EQ(chapter["Prefix"], 1);
  EXPECT_EQ(chapter["Suffix"], 0);
  EXPECT_EQ(chapter["FitLevel"], 2);
  EXPECT_EQ(chapter["ValLevel"], 1);
  EXPECT_EQ(chapter["PunctMode"], 1);
  const testing::Run text = RunCommandLine({"inspect", path});
  EXPECT_NE(text.out.find("  Multi vowels        on"), std::string::npos);
  EXPECT_NE(text.out.find("  Special consonants  0=NG\n"), std::string::npos);
}

}  // namespace
}  // namespace qorv
