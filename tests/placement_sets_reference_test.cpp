// Placement by sets against placement one by one, the plain statement of the rules: on every
// sample Chapter and every Chapter of the generator's fuzz corpus, placements at settings drawn
// at random take the same steps, each with the same candidates in the same order and with the
// same weights, draw the same values, log the same bytes and assemble the same candidate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/loader.h"
#include "generator/element_facts.h"
#include "generator/finishing.h"
#include "generator/placement.h"
#include "tests/generator_test_support.h"

namespace qorv {
namespace {

constexpr int kPlacementsPerChapter = 400;
// A corpus input ends with the fuzz target's option bytes.
constexpr std::size_t kOptionBytes = 16;

// Fixed at build time, so that the test list is known without the test's environment.
std::filesystem::path SourceDir() {
  return QORV_SOURCE_DIR_FOR_LISTING;
}

std::string ChapterBytes(const std::string& file) {
  std::string bytes = test::ReadWholeFile((SourceDir() / file).string());
  if (!file.ends_with(".qrv"))
    bytes.resize(bytes.size() < kOptionBytes ? 0 : bytes.size() - kOptionBytes);
  return bytes;
}

// The Chapters to compare on: every sample Chapter, then each Chapter of the fuzz corpus that is
// not among them.
std::vector<std::string> ChapterFiles() {
  std::vector<std::string> files;
  std::set<std::string> seen;
  for (const std::string dir : {"chapters", "fuzz/corpus/generator"}) {
    std::vector<std::string> in_dir;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(SourceDir() / dir, error)) {
      const std::string name = entry.path().filename().string();
      if (dir == "chapters" && !name.ends_with(".qrv")) continue;
      in_dir.push_back(dir + "/" + name);
    }
    std::sort(in_dir.begin(), in_dir.end());
    for (const std::string& file : in_dir) {
      if (seen.insert(ChapterBytes(file)).second) files.push_back(file);
    }
  }
  return files;
}

// Settings as an attempt may have them, drawn from `draw`: any level (4 acts as 3), any switches,
// with Structural a pattern of the class or (as after a request that drew none) no pattern, and
// an initial letter that is '*', one the seed names begin with, or any byte.
PlacementSettings DrawSettings(RandomSource& draw, const TQorvChapter& chapter,
                               const ChapterStatistics& stats) {
  PlacementSettings settings;
  settings.Level = RandomBelow(draw, 5);
  settings.Structural = RandomBelow(draw, 2);
  settings.Statistical = RandomBelow(draw, 2);
  settings.Prefixes = RandomBelow(draw, 2);
  settings.Suffixes = RandomBelow(draw, 2);
  const int letter = RandomBelow(draw, 10);
  const std::string& letters = chapter.InitialLetters;
  settings.InitialLetter = letter < 5 || letters.empty() ? '*'
                           : letter < 9
                               ? letters[RandomBelow(draw, static_cast<int>(letters.size()))]
                               : static_cast<char>(RandomBelow(draw, 256));
  settings.RequestClass = WeightedPick(draw, stats.StructureNameCounts, chapter.NameCount);
  if (settings.Structural && RandomBelow(draw, 5) > 0) {
    settings.Pattern = &stats.StructurePatterns[settings.RequestClass][RandomBelow(
        draw, stats.StructureCounts[settings.RequestClass])];
  }
  settings.ElementTotal = settings.RequestClass / 2 + 2;
  settings.SplitPoint = 1 + RandomBelow(draw, settings.ElementTotal - 2);
  settings.Shuffle = chapter.Shuffle != 0;
  return settings;
}

struct Outcome {
  bool placed = false;
  NameElementRow row{};
  std::vector<Placement::StepCandidates> steps;
  std::string log;
  std::uint64_t random_state = 0;
};

Outcome Place(const ChapterStatistics& stats, const ElementFacts& facts,
              const PlacementSettings& settings, std::uint32_t seed, Placement::Method method) {
  const test::TempPath log_path;
  Outcome outcome;
  RandomSource random = test::SeededRandom(seed);
  AttemptLog log(log_path.str(), true);
  Placement placement(stats, facts, random, log, settings, method);
  placement.TraceSteps(&outcome.steps);
  outcome.placed = placement.Run();
  outcome.row = placement.Elements();
  log.Close();
  outcome.log = log_path.Read();
  outcome.random_state = random.State();
  return outcome;
}

class PlacementSetsTest : public ::testing::TestWithParam<std::string> {};

TEST_P(PlacementSetsTest, EveryStepFindsWhatTheOneByOneTestsFind) {
  const std::string bytes = ChapterBytes(GetParam());
  PlainChapterClient client;
  TQorvChapter chapter;
  LoadChapterFromBytes(chapter, bytes, std::clamp(ReadChapterTitle(bytes).NameCount, 1, kMaxNames),
                       client);
  if (!chapter.Loaded) GTEST_SKIP() << "does not load: " << chapter.Message;
  const ChapterStatistics& stats = client.Statistics();
  ElementFacts facts;
  facts.Build(stats, chapter.VowelElementCount, chapter.ConsonantElementCount);

  RandomSource draw = test::SeededRandom();
  int steps_with_candidates = 0;
  for (int i = 0; i < kPlacementsPerChapter; ++i) {
    const PlacementSettings settings = DrawSettings(draw, chapter, stats);
    const std::uint32_t seed = draw.Next();
    const Outcome sets = Place(stats, facts, settings, seed, Placement::Method::kSets);
    const Outcome one_by_one = Place(stats, facts, settings, seed, Placement::Method::kOneByOne);
    SCOPED_TRACE("placement " + std::to_string(i) + ": class " +
                 std::to_string(settings.RequestClass) + ", pattern " +
                 (settings.Pattern ? *settings.Pattern : "none") + ", level " +
                 std::to_string(settings.Level) + ", letter " +
                 std::to_string(static_cast<unsigned char>(settings.InitialLetter)));
    ASSERT_EQ(sets.steps, one_by_one.steps);
    ASSERT_EQ(sets.placed, one_by_one.placed);
    ASSERT_EQ(sets.row, one_by_one.row);
    ASSERT_EQ(sets.log, one_by_one.log);
    ASSERT_EQ(sets.random_state, one_by_one.random_state);
    for (const auto& step : sets.steps) steps_with_candidates += step.empty() ? 0 : 1;
    if (!sets.placed) continue;
    std::string joined;
    AssembleCandidate(sets.row, facts, stats, joined);
    ASSERT_EQ(joined, AssembleCandidate(sets.row, stats));
  }
  EXPECT_GT(steps_with_candidates, kPlacementsPerChapter);
}

INSTANTIATE_TEST_SUITE_P(Chapters, PlacementSetsTest, ::testing::ValuesIn(ChapterFiles()),
                         [](const auto& info) {
                           std::string name = info.param;
                           std::replace_if(
                               name.begin(), name.end(), [](char c) { return !std::isalnum(c); },
                               '_');
                           return name;
                         });

}  // namespace
}  // namespace qorv
