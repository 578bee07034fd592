// qorv generate with parts and templates or a recipe, and qorv inspect of a recipe: the refusals
// with their exit codes, the output forms, the Store's title line, one golden run per sample
// recipe.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli_test_support.h"

namespace qorv {
namespace {

using testing::RunCommandLine;

std::string Source(const std::string& path) {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  return std::string(source ? source : ".") + "/" + path;
}

const std::string kElder = Source("chapters/elder_folk.qrv");
const std::string kValleys = Source("chapters/western_valleys.qrv");

std::string FirstLine(const std::string& text) {
  return text.substr(0, text.find('\n'));
}

TEST(ComposedRun, RefusesWhatCannotMakeWholeNamesInOneLine) {
  const testing::TempFolder folder;
  const std::string recipe =
      folder.Write("bad.recipe", "title T\npart given = " + kElder + "\n\ntemplate {given\n");
  const std::string given = "given=" + kElder + " --auto";
  const struct {
    std::vector<std::string> args;
    int exit_code;
    std::string message;
  } cases[] = {
      {{"--part", given, "--template", "{given} {clan}"},
       2,
       "qorv: --template \"{given} {clan}\": the template names the part clan, which is not "
       "given"},
      {{"--part", given, "--part", "x=" + kElder, "--template", "{given}"},
       2,
       "qorv: --part: the part x is used by no template"},
      {{"--part", given, "--template", "{given {x}"},
       2,
       "qorv: --template \"{given {x}\": the brace at character 1 is not closed"},
      {{"--part", "given=/nowhere/x.qrv", "--template", "{given}"},
       1,
       "qorv: --part: part given: /nowhere/x.qrv: Couldn't open file (No such file or directory)"},
      {{"--part", "given=" + kElder + " -g 9", "--template", "{given}"},
       2,
       "qorv: --part: part given: --level must be 0 to 3: 9"},
      {{"--part", given, "--template", "{given}", "-g", "2"},
       2,
       "qorv: --level: cannot come with --part (options of generation go with each "
       "part)"},
      {{"--part", given}, 2, "qorv: --part: goes with --template"},
      {{recipe, "--deny", "default"},
       2,
       "qorv: --deny: cannot come with a recipe (it works on the names of one Chapter)"},
      {{kElder, "--template", "{a|b}"},
       2,
       "qorv: --template: makes whole names of its own; CHAPTER cannot come with it (a "
       "recipe holds its own parts and templates)"},
      {{recipe}, 2, "qorv: " + recipe + ":4: the brace at character 1 is not closed"},
      {{folder.Path("none.recipe")},
       1,
       "qorv: " + folder.Path("none.recipe") + ": No such file or directory"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"generate", "-n", "2"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const testing::Run run = RunCommandLine(args);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.message;
    EXPECT_EQ(FirstLine(run.err), c.message);
    EXPECT_EQ(run.out, "") << c.message;
  }
}

TEST(ComposedRun, GivesJsonCsvAndTheStoreWholeNamesWithTheirParts) {
  const std::vector<std::string> run_of = {"generate",
                                           "-n",
                                           "5",
                                           "--seed",
                                           "3",
                                           "--part",
                                           "given=" + kElder + " --auto",
                                           "--part",
                                           "place=" + kValleys + " --auto",
                                           "--template",
                                           "{given} of {place}",
                                           "--template",
                                           "{given}"};
  std::vector<std::string> json = run_of;
  json.insert(json.end(), {"--format", "json"});
  const testing::Run json_run = RunCommandLine(json);
  ASSERT_EQ(json_run.exit_code, 0) << json_run.err;
  std::istringstream lines(json_run.out);
  std::vector<std::string> names;
  for (std::string line; std::getline(lines, line);) {
    const nlohmann::json object = nlohmann::json::parse(line);
    const nlohmann::json& parts = object["parts"];
    const std::string whole = parts.contains("place") ? parts["given"].get<std::string>() + " of " +
                                                            parts["place"].get<std::string>()
                                                      : parts["given"].get<std::string>();
    EXPECT_EQ(object["name"], whole);
    names.push_back(whole);
  }
  ASSERT_EQ(names.size(), 5u);

  std::vector<std::string> csv = run_of;
  csv.insert(csv.end(), {"--format", "csv"});
  const testing::Run csv_run = RunCommandLine(csv);
  EXPECT_EQ(FirstLine(csv_run.out), "name,given,place");
  EXPECT_EQ(FirstLine(csv_run.out.substr(csv_run.out.find('\n') + 1)).substr(0, names[0].size()),
            names[0]);

  const testing::TempFolder folder;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path(""));
  std::vector<std::string> store = run_of;
  store.push_back("--store");
  const testing::Run stored = RunCommandLine(store);
  std::filesystem::current_path(before);
  ASSERT_EQ(stored.exit_code, 0) << stored.err;
  std::ifstream file(folder.Path("STORED.txt"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(file)), {});
  EXPECT_NE(bytes.find("\r\n[{given} of {place} | {given} - "), std::string::npos) << bytes;
  EXPECT_EQ(stored.out.substr(0, stored.out.find('\n')), names[0]);
}

TEST(ComposedRun, SampleRecipesGiveTheirGoldenNamesAndInspectTheirParts) {
  for (const std::string name : {"full_names", "place_names", "titled_names"}) {
    const std::string recipe = Source("chapters/" + name + ".recipe");
    const testing::Run run =
        RunCommandLine({"generate", recipe, "-n", "20", "--seed", "7", "--format", "csv"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    std::ifstream golden(Source("tests/golden/recipes/" + name + ".csv"), std::ios::binary);
    EXPECT_EQ(run.out, std::string((std::istreambuf_iterator<char>(golden)), {})) << name;

    const testing::Run key = RunCommandLine({"generate", recipe, "--key", "npc-42"});
    EXPECT_EQ(key.out, RunCommandLine({"generate", recipe, "--key", "npc-42"}).out) << name;
  }
  const testing::Run inspect = RunCommandLine({"inspect", Source("chapters/full_names.recipe")});
  ASSERT_EQ(inspect.exit_code, 0) << inspect.err;
  EXPECT_NE(inspect.out.find("Parts: 2\n  given: "), std::string::npos) << inspect.out;
  EXPECT_NE(inspect.out.find("(\"The Silver Tongue\": 78 seed names, 22 vowel and 37 consonant "
                             "elements)"),
            std::string::npos)
      << inspect.out;
}

}  // namespace
}  // namespace qorv
