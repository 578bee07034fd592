// `qorv generate --explain` and `--deny`: what they tell and refuse, and that neither changes the
// names a run makes otherwise.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli_test_support.h"
#include "deny/deny_fold.h"

namespace qorv {
namespace {

using nlohmann::json;
using testing::MakeChapter;
using testing::RunCommandLine;
using testing::TempFolder;

std::string SourcePath(const std::string& relative) {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  return (std::filesystem::path(source ? source : ".") / relative).string();
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::vector<json> JsonLines(const std::string& out) {
  std::vector<json> lines;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) lines.push_back(json::parse(line));
  return lines;
}

// Each name's explanation holds it together: its elements spell it, every seed listed holds the
// element at its position or begins or ends with the pair, and every rejection has its reason.
TEST(QorvExplain, TellsWhereEachNameCameFromWithoutChangingIt) {
  const std::vector<std::string> args = {
      "generate",     SourcePath("chapters/towns_of_the_realm.qrv"),
      "-n",           "200",
      "-g",           "2",
      "-v",           "2",
      "--structural", "--prefixes",
      "--suffixes",   "--seed",
      "11",           "--format",
      "json"};
  std::vector<std::string> explained_args = args;
  explained_args.push_back("--explain");
  const auto plain = RunCommandLine(args);
  const auto explained = RunCommandLine(explained_args);
  ASSERT_EQ(explained.exit_code, 0) << explained.err;
  const std::vector<json> names = JsonLines(plain.out);
  const std::vector<json> lines = JsonLines(explained.out);
  ASSERT_EQ(lines.size(), names.size());
  int rejected = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const json& why = lines[i]["explanation"];
    ASSERT_EQ(lines[i]["name"], names[i]["name"]);
    std::string spelled;
    for (const json& element : why["elements"]) spelled += element["text"].get<std::string>();
    EXPECT_EQ(spelled, Upper(lines[i]["name"]));
    const bool structural = why["length_pattern"].is_string();
    for (std::size_t e = 0; e < why["elements"].size(); ++e) {
      const std::string text = why["elements"][e]["text"];
      for (const json& seed : why["elements"][e]["seeds"]) {
        EXPECT_NE(Upper(seed).find(text), std::string::npos) << seed << " " << text;
      }
      if (structural && e == 0 && !why["elements"][e]["seeds"].empty()) {
        EXPECT_EQ(Upper(why["elements"][e]["seeds"][0]).rfind(text, 0), 0u);
      }
    }
    for (const char* end : {"initial_pair", "final_pair"}) {
      const json& pair = why[end];
      const std::string both =
          pair["elements"][0].get<std::string>() + pair["elements"][1].get<std::string>();
      for (const json& seed : pair["seeds"]) {
        const std::string upper = Upper(seed);
        const std::size_t at = std::string(end) == "initial_pair" ? 0 : upper.size() - both.size();
        EXPECT_EQ(upper.compare(at, both.size(), both), 0) << seed << " " << end;
      }
    }
    for (const json& candidate : why["rejected"]) {
      ++rejected;
      EXPECT_FALSE(candidate["reason"].get<std::string>().empty());
    }
  }
  EXPECT_GT(rejected, 0);
}

// On a Chapter of a few names the recent names turn most candidates down: each says how many
// printed names ago it came out, and the text form says it in words.
TEST(QorvExplain, CountsRecentNamesBackToTheSameName) {
  TempFolder folder;
  const std::string chapter =
      folder.Write("few.qrv", MakeChapter("", "", "", "\"Anna\", \"Bodo\", \"Ida\", \"Otto\""));
  const auto run = RunCommandLine(
      {"generate", chapter, "-n", "6", "--seed", "3", "--explain", "--format", "json"});
  const std::vector<json> lines = JsonLines(run.out);
  int recent = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    for (const json& candidate : lines[i]["explanation"]["rejected"]) {
      if (candidate["rule"] != "history") continue;
      ++recent;
      const std::size_t ago = candidate["names_ago"];
      ASSERT_TRUE(ago >= 1 && ago <= i) << candidate;
      EXPECT_EQ(candidate["name"], lines[i - ago]["name"]);
    }
  }
  EXPECT_GT(recent, 0);
  const auto text = RunCommandLine({"generate", chapter, "-n", "6", "--seed", "3", "--explain"});
  EXPECT_NE(text.out.find(" names ago\n"), std::string::npos) << text.out;
  EXPECT_NE(RunCommandLine({"generate", chapter, "--explain", "--format", "csv"}).exit_code, 0);
}

// The starter list refuses what it should, --stats counts it, and the explanation tells it.
TEST(QorvDeny, RefusesNamesThatHoldADeniedWordAndCountsThem) {
  TempFolder folder;
  const std::string words = folder.Write("words.txt", "# ours\nan\n");
  const std::vector<std::string> args = {"generate",   SourcePath("chapters/coastal_villages.qrv"),
                                         "-n",         "100",
                                         "--seed",     "7",
                                         "--deny",     words,
                                         "--deny",     "default",
                                         "--stats",    "--explain",
                                         "--encoding", "cp1252"};
  const auto run = RunCommandLine(args);
  ASSERT_EQ(run.exit_code, 0) << run.err;
  int denied = 0;
  int denied_an = 0;
  std::istringstream in(run.out);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("  ", 0) != 0) {
      EXPECT_EQ(DenyFold(line).find("an"), std::string::npos) << line;
    } else if (line.find(": holds the denied word ") != std::string::npos) {
      ++denied;
      denied_an += line.ends_with(" word \"an\"") ? 1 : 0;
    }
  }
  EXPECT_GT(denied_an, 0);
  const std::size_t total = run.err.find("  refused by --deny ");
  ASSERT_NE(total, std::string::npos) << run.err;
  EXPECT_EQ(std::stoi(run.err.substr(total + 20)), denied) << run.err;
  EXPECT_NE(run.err.find("    holding an "), std::string::npos) << run.err;

  const std::string bad = folder.Write("bad.txt", "fine\nnot fine\n");
  const auto refused =
      RunCommandLine({"generate", SourcePath("chapters/coastal_villages.qrv"), "--deny", bad});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_EQ(refused.err, "qorv: " + bad + ": line 2: more than one word: not fine\n");
}

}  // namespace
}  // namespace qorv
