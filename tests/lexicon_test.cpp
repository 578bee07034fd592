// The public library against `qorv generate` and `qorv inspect`: the same names for the same
// seed and options on every sample Chapter, the same answers, and its failures as values.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <quorvane/lexicon.h>
#include <nlohmann/json.hpp>

#include "cli/exit_codes.h"
#include "cli_test_support.h"

namespace qorv {
namespace {

std::vector<std::string> SampleChapters() {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  const std::filesystem::path folder = std::filesystem::path(source ? source : ".") / "chapters";
  std::vector<std::string> paths;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".qrv") paths.push_back(entry.path().string());
  }
  return paths;
}

// One option set, as the command line and as the library take it.
struct OptionSet {
  std::vector<std::string> args;
  quorvane::Options options;
};

std::vector<OptionSet> OptionSets() {
  std::vector<OptionSet> sets;
  sets.push_back({{}, {}});
  quorvane::Options all;
  all.level = 3;
  all.validation = 2;
  all.structural = all.statistical = all.prefixes = all.suffixes = true;
  sets.push_back(
      {{"-g", "3", "-v", "2", "--structural", "--statistical", "--prefixes", "--suffixes"}, all});
  quorvane::Options automatic;
  automatic.automatic = true;
  automatic.unique = true;
  automatic.novel = true;
  sets.push_back({{"--auto", "--unique", "--novel"}, automatic});
  quorvane::Options filtered;
  filtered.level = 1;
  filtered.validation = 1;
  filtered.min_length = 5;
  filtered.max_length = 9;
  filtered.exclude = {"ar", "é"};
  filtered.contains = "e";
  sets.push_back({{"-g", "1", "-v", "1", "--min-length", "5", "--max-length", "9", "--exclude",
                   "ar", "--exclude", "é", "--contains", "e"},
                  filtered});
  return sets;
}

TEST(Lexicon, GeneratorGivesTheNamesOfQorvGenerate) {
  constexpr int kNames = 150;
  constexpr std::uint32_t kSeed = 2024;
  for (const std::string& path : SampleChapters()) {
    const quorvane::Result<quorvane::Lexicon> lexicon = quorvane::Lexicon::LoadFile(path);
    ASSERT_TRUE(lexicon) << path << ": " << lexicon.error().message;
    for (OptionSet& set : OptionSets()) {
      // An initial letter the Chapter has, through the filter that sets it.
      set.options.starts_with = lexicon->InitialLetters().front();
      std::vector<std::string> args = {"generate",
                                       path,
                                       "-n",
                                       std::to_string(kNames),
                                       "--seed",
                                       std::to_string(kSeed),
                                       "--starts-with",
                                       set.options.starts_with};
      args.insert(args.end(), set.args.begin(), set.args.end());
      const testing::Run run = testing::RunCommandLine(args);
      // A run may end early when the filters refuse too much; the Generator then ends there too.
      ASSERT_TRUE(run.exit_code == kExitSuccess || run.exit_code == kExitNoNewName)
          << path << " " << ::testing::PrintToString(args) << run.err;
      EXPECT_FALSE(run.out.empty()) << path << " " << ::testing::PrintToString(args);
      std::string names;
      quorvane::Generator generator(*lexicon, set.options, kSeed);
      for (int i = 0; i < kNames; ++i) {
        const std::optional<std::string> name = generator.Next();
        if (!name) break;
        names += *name + "\n";
      }
      EXPECT_EQ(names, run.out) << path << " " << ::testing::PrintToString(args) << run.err;
    }
  }
}

TEST(Lexicon, AnswersWhatInspectShows) {
  for (const std::string& path : SampleChapters()) {
    const quorvane::Result<quorvane::Lexicon> lexicon = quorvane::Lexicon::LoadFile(path);
    ASSERT_TRUE(lexicon) << path;
    const nlohmann::json shown =
        nlohmann::json::parse(testing::RunCommandLine({"inspect", path, "--json"}).out);
    EXPECT_EQ(lexicon->Title(), shown["Title"]) << path;
    EXPECT_EQ(lexicon->Line2(), shown["Line2"]) << path;
    EXPECT_EQ(lexicon->NameCount(), shown["NameCount"]) << path;
    EXPECT_EQ(lexicon->ConsonantElementCount(), shown["ConsonantElementCount"]) << path;
    EXPECT_EQ(lexicon->MaxElementsPerName(), shown["MaxElementsPerName"]) << path;
    EXPECT_EQ(lexicon->Options().level, shown["FitLevel"]) << path;
    EXPECT_EQ(lexicon->SeedNames().size(), static_cast<std::size_t>(lexicon->NameCount()));
  }
}

TEST(Lexicon, FailuresAreErrorsWithTheirMessage) {
  const testing::TempFolder folder;
  const std::string chapter = testing::WithNames({"ANDOR", "BELIN", "CORAN"}).Text();
  std::string no_line2 = chapter;
  no_line2.replace(no_line2.find("LINE2"), 5, "LINE9");
  const std::vector<std::string> one_element = {"A", "E"};
  quorvane::ChapterDetails bad_title;
  bad_title.title = "a\";b";
  quorvane::ChapterDetails bad_special;
  bad_special.special_consonants = "<Ae>";
  struct Case {
    const char* what;
    quorvane::Result<quorvane::Lexicon> result;
    std::string message;  // empty: it loads
  };
  const Case cases[] = {
      {"a missing file", quorvane::Lexicon::LoadFile(folder.Path("none.qrv")),
       "Couldn't open file (No such file or directory)"},
      {"a folder", quorvane::Lexicon::LoadFile(folder.Path("")),
       "Couldn't open file (Is a directory)"},
      {"a loadable file", quorvane::Lexicon::LoadFile(folder.Write("ok.qrv", chapter)), ""},
      {"no LINE2", quorvane::Lexicon::Load(no_line2), "Invalid or missing LINE2 tag"},
      {"a bad name", quorvane::Lexicon::Load(testing::WithNames({"ANDOR", "BE!LIN"}).Text()),
       "Invalid character in name #2 (BE!LIN)"},
      {"names", quorvane::Lexicon::FromNames({"Andor", "Belin", "Çoran"}), ""},
      {"only single elements", quorvane::Lexicon::FromNames(one_element),
       "no name left to make a Chapter of"},
      {"a title that ends a tag", quorvane::Lexicon::FromNames({"Andor"}, bad_title),
       "title: the value "},
      {"an unknown special consonant", quorvane::Lexicon::FromNames({"Andor"}, bad_special),
       "special_consonants: Invalid character in special consonant #1"},
      {"a line break", quorvane::Lexicon::FromNames({"An\ndor"}), "name #1 holds a line break"},
  };
  for (const Case& c : cases) {
    if (c.message.empty()) {
      EXPECT_TRUE(c.result) << c.what << ": " << c.result.error().message;
    } else {
      ASSERT_FALSE(c.result) << c.what;
      EXPECT_TRUE(c.result.error().message.starts_with(c.message))
          << c.what << ": " << c.result.error().message;
    }
  }
}

}  // namespace
}  // namespace qorv
