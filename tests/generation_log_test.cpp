// The generation log, byte for byte.
#include "generator/generation_log.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chapter/chapter_title.h"
#include "chapter/letters.h"
#include "generator/retry_until_name.h"
#include "tests/generator_test_support.h"

namespace qorv {
namespace {

using test::FixedGenerator;
using test::TempPath;
using test::TestChapter;

// The first seed whose draws, each taken modulo its range, give the wanted values (-1: any).
std::uint32_t SeedFor(const std::vector<std::pair<int, int>>& draws) {
  for (std::uint32_t seed = 1;; ++seed) {
    RandomSource random = test::SeededRandom(seed);
    bool fits = true;
    for (const auto& [range, wanted] : draws) {
      const int value = RandomBelow(random, range);
      fits = fits && (wanted < 0 || value == wanted);
    }
    if (fits) return seed;
  }
}

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

TEST(GenerationLogTest, ARejectionThenAnAcceptance) {
  // BA and BE; Ba is a recent name. The seed makes attempt 1 choose A and attempt 2 choose E.
  TestChapter chapter({.names = {"BA", "BE"}});
  const std::uint32_t seed = SeedFor({{2, -1}, {1, 0}, {2, 0}, {1, 0}, {2, 1}});
  TempPath log;
  NameGenerator generator = FixedGenerator(log.str(), seed);
  generator.History().Add("Ba");
  EXPECT_EQ(generator.GenerateOnce(chapter.Request()), "");
  EXPECT_EQ(log.Read(), "0\r\n\r\nB : B\r\nA E : A\r\n\r\n-> BA\r\nFail: !HIST");
  EXPECT_EQ(generator.GenerateOnce(chapter.Request()), "Be");
  EXPECT_EQ(log.Read(),
            "0\r\n\r\n"
            "B : B\r\nA E : A\r\n\r\n-> BA\r\nFail: !HIST\r\n\r\n"
            "B : B\r\nA E : E\r\n\r\n-> BE -> Be");
}

TEST(GenerationLogTest, TheRequestLineShowsThePatternWhenStructuralIsOn) {
  TestChapter chapter({.names = {"BA", "BE"}});
  const std::uint32_t seed = SeedFor({{2, -1}, {1, 0}, {1, 0}, {2, 0}, {1, 0}, {2, 1}});
  TempPath log;
  NameGenerator generator = FixedGenerator(log.str(), seed);
  generator.History().Add("Ba");
  GenerationRequest request = chapter.Request();
  request.Structural = true;
  EXPECT_EQ(generator.GenerateOnce(request), "");
  EXPECT_EQ(generator.GenerateOnce(request), "Be");
  EXPECT_EQ(log.Read(),
            "0: 11\r\n\r\n"
            "B : B\r\nA E : A\r\n\r\n-> BA\r\nFail: !HIST\r\n\r\n"
            "B : B\r\nA E : E\r\n\r\n-> BE -> Be");
}

TEST(GenerationLogTest, TheNextRequestStartsTheFileAnew) {
  TestChapter chapter({.names = {"BA"}});
  TempPath log;
  NameGenerator generator = FixedGenerator(log.str());
  ASSERT_EQ(generator.GenerateOnce(chapter.Request()), "Ba");
  EXPECT_EQ(log.Read(), "0\r\n\r\nB : B\r\nA : A\r\n\r\n-> BA -> Ba");
  ASSERT_EQ(generator.GenerateOnce(chapter.Request()), "");
  EXPECT_EQ(log.Read(), "0\r\n\r\nB : B\r\nA : A\r\n\r\n-> BA\r\nFail: !HIST");
}

TEST(GenerationLogTest, ARuleFailureNamesItsReason) {
  TestChapter chapter({.names = {"ABA"}});
  chapter.stats().MinRepeatDistance[LetterIndex('A')] = 3;
  TempPath log;
  NameGenerator generator = FixedGenerator(log.str());
  GenerationRequest request = chapter.Request();
  request.ValidationLevel = 1;
  EXPECT_EQ(generator.GenerateOnce(request), "");
  EXPECT_EQ(generator.GenerateOnce(request), "");
  const std::string attempt = "A : A\r\nB : B\r\nA : A\r\n\r\n-> ABA\r\nFail: !DIST: A";
  EXPECT_EQ(log.Read(), "3\r\n\r\n" + attempt + "\r\n\r\n" + attempt);
}

TEST(GenerationLogTest, NoCandidateAtPositionZeroLeavesOnlyNoopt) {
  TestChapter chapter({.names = {"BA"}});
  TempPath log;
  NameGenerator generator = FixedGenerator(log.str());
  GenerationRequest request = chapter.Request();
  request.InitialLetter = 'Z';
  EXPECT_EQ(generator.GenerateOnce(request), "");
  EXPECT_EQ(log.Read(), "0\r\n\r\nNOOPT");
  EXPECT_EQ(generator.GenerateOnce(request), "");
  EXPECT_EQ(log.Read(), "0\r\n\r\nNOOPT\r\n\r\nNOOPT");
}

TEST(GenerationLogTest, NoInitialPairLeavesPreNoopt) {
  TestChapter chapter({.names = {"KARA"}, .spccon = "<K>"});
  TempPath log;
  NameGenerator generator = FixedGenerator(log.str());
  GenerationRequest request = chapter.Request();
  request.Prefixes = true;
  request.InitialLetter = 'K';
  EXPECT_EQ(generator.GenerateOnce(request), "");
  EXPECT_EQ(log.Read(), "4\r\n\r\nPRE/NOOPT");
}

TEST(GenerationLogTest, NoFinalPairEndsTheLinesWithSufNoopt) {
  TestChapter chapter({.names = {"BARO"}});
  for (auto& row : chapter.stats().FinalPairThirdLast) row.fill(0);
  TempPath log;
  NameGenerator generator = FixedGenerator(log.str());
  GenerationRequest request = chapter.Request();
  request.Suffixes = true;
  request.Structural = true;
  request.GenerationLevel = 1;
  EXPECT_EQ(generator.GenerateOnce(request), "");
  EXPECT_EQ(log.Read(), "4: 1111\r\n\r\nB : B\r\nA : A\r\nSUF/NOOPT");
}

TEST(GenerationLogTest, PairLinesEndWithASpace) {
  TestChapter chapter({.names = {"BARO"}});
  TempPath log;
  NameGenerator generator = FixedGenerator(log.str());
  GenerationRequest request = chapter.Request();
  request.Prefixes = true;
  EXPECT_EQ(generator.GenerateOnce(request), "Baro");
  EXPECT_EQ(log.Read(), "4\r\n\r\nBA : BA \r\nR : R\r\nO : O\r\n\r\n-> BARO -> Baro");
}

TEST(GenerationLogTest, AGiveUpLeavesTheSeparatorAndTheNextAttemptEmptiesTheFile) {
  TestChapter chapter({.names = {"BA"}});
  TempPath log;
  NameGenerator generator = FixedGenerator(log.str());
  generator.History().Add("Ba");
  for (int attempt = 1; attempt <= 77; ++attempt) generator.GenerateOnce(chapter.Request());
  const std::string attempt = "B : B\r\nA : A\r\n\r\n-> BA\r\nFail: !HIST";
  EXPECT_EQ(log.Read(), "0\r\n\r\n" + attempt + Repeat("\r\n\r\n" + attempt, 75) + "\r\n\r\n");
  generator.GenerateOnce(chapter.Request());
  EXPECT_EQ(log.Read(), "0\r\n\r\n" + attempt);
}

TEST(GenerationLogTest, TheFirstAttemptAfterALoadEmptiesAnOldLog) {
  TempPath log;
  log.Write(Repeat("left by an earlier run\r\n", 10));  // longer than the new log
  TestChapter chapter({.names = {"BA"}});
  NameGenerator generator = FixedGenerator(log.str());
  ASSERT_EQ(generator.GenerateOnce(chapter.Request()), "Ba");
  EXPECT_EQ(log.Read(), "0\r\n\r\nB : B\r\nA : A\r\n\r\n-> BA -> Ba");
}

TEST(GenerationLogTest, EveryAttemptWritesAtTheEndOfTheFile) {
  TestChapter chapter({.names = {"BA"}});
  TempPath log;
  NameGenerator generator = FixedGenerator(log.str());
  generator.History().Add("Ba");
  generator.GenerateOnce(chapter.Request());
  {
    std::ofstream viewer(log.str(), std::ios::binary | std::ios::app);
    viewer << "|";
  }
  generator.GenerateOnce(chapter.Request());
  EXPECT_EQ(log.Read(),
            "0\r\n\r\nB : B\r\nA : A\r\n\r\n-> BA\r\nFail: !HIST|\r\n\r\n"
            "B : B\r\nA : A\r\n\r\n-> BA\r\nFail: !HIST");
}

// The descriptors this process holds open.
int OpenFiles() {
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++files;
  }
  return files;
}

TEST(GenerationLogTest, TheFileIsOpenWhileARequestLastsAndANewRequestEmptiesIt) {
  TestChapter chapter({.names = {"BA"}});
  const std::string attempt = "B : B\r\nA : A\r\n\r\n-> BA\r\nFail: !HIST";
  TempPath log;
  const int files = OpenFiles();
  {
    NameGenerator generator = FixedGenerator(log.str());
    generator.History().Add("Ba");
    // A caller that stops asking leaves its request open ...
    EXPECT_EQ(RetryUntilName(generator, chapter.Request(), {}, 3), std::nullopt);
    EXPECT_EQ(log.Read(), "0\r\n\r\n" + attempt + Repeat("\r\n\r\n" + attempt, 2));
    EXPECT_EQ(OpenFiles(), files + 1);
    // ... and the next request empties the file all the same.
    generator.GenerateOnce(chapter.Request());
    EXPECT_EQ(log.Read(), "0\r\n\r\n" + attempt);
    // So does the first attempt on a Chapter loaded in the middle of a request; the accepted name
    // ends the request and closes the file.
    TestChapter other({.names = {"BE"}});
    EXPECT_EQ(generator.GenerateOnce(other.Request()), "Be");
    EXPECT_EQ(log.Read(), "0\r\n\r\nB : B\r\nE : E\r\n\r\n-> BE -> Be");
    EXPECT_EQ(OpenFiles(), files);
    generator.GenerateOnce(chapter.Request());
    EXPECT_EQ(OpenFiles(), files + 1);
  }
  EXPECT_EQ(OpenFiles(), files);  // closed when the generator goes
}

TEST(GenerationLogTest, APipeTakesTheAttemptsInOrder) {
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  TestChapter chapter({.names = {"BA"}});
  {
    NameGenerator generator = FixedGenerator("/proc/self/fd/" + std::to_string(ends[1]));
    generator.History().Add("Ba");
    generator.GenerateOnce(chapter.Request());
    generator.GenerateOnce(chapter.Request());
  }
  ::close(ends[1]);
  std::string piped;
  char buffer[256];
  for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;) piped.append(buffer, n);
  ::close(ends[0]);
  const std::string attempt = "B : B\r\nA : A\r\n\r\n-> BA\r\nFail: !HIST";
  EXPECT_EQ(piped, "0\r\n\r\n" + attempt + "\r\n\r\n" + attempt);
}

TEST(GenerationLogTest, AnEmptyPathWritesNoLog) {
  std::remove(kLogFileName);
  TestChapter chapter({.names = {"BA"}});
  NameGenerator generator = FixedGenerator();
  EXPECT_EQ(generator.LogPath(), "");
  EXPECT_EQ(generator.GenerateOnce(chapter.Request()), "Ba");
  EXPECT_FALSE(test::FileExists(kLogFileName));
}

TEST(GenerationLogTest, AttemptLogWritesNothingUntilItIsClosed) {
  TempPath path;
  AttemptLog log(path.str(), true);
  ASSERT_TRUE(log.enabled());
  log.Write("ab");
  log.Write('c');
  EXPECT_EQ(path.Read(), "");
  log.Close();
  EXPECT_FALSE(log.enabled());
  EXPECT_EQ(path.Read(), "abc");
  log.Write("lost");
  log.Close();
  EXPECT_EQ(path.Read(), "abc");
}

// Names from a sample Chapter, asked for with every box on.
std::vector<std::string> SampleNames(const std::string& log_path) {
  const char* source_dir = std::getenv("QORV_SOURCE_DIR");
  const std::string chapter_path =
      std::string(source_dir ? source_dir : ".") + "/chapters/coastal_villages.qrv";
  PlainChapterClient client;
  TQorvChapter chapter;
  LoadChapter(chapter, chapter_path, EstimateNameCount(chapter_path), client);
  EXPECT_EQ(chapter.Loaded, 1) << chapter.Message;
  if (!chapter.Loaded) return {};
  NameGenerator generator = FixedGenerator(log_path);
  GenerationRequest request;
  request.Chapter = &chapter;
  request.Statistics = &client.Statistics();
  request.GenerationLevel = 2;
  request.ValidationLevel = 2;
  request.Structural = request.Statistical = request.Prefixes = request.Suffixes = true;
  std::vector<std::string> names;
  for (int i = 0; i < 40; ++i) names.push_back(RetryUntilName(generator, request).value_or("-"));
  return names;
}

TEST(GenerationLogTest, ALogThatCannotBeOpenedChangesNoName) {
  const std::vector<std::string> without_log = SampleNames("");
  ASSERT_EQ(without_log.size(), 40u);
  TempPath log;
  EXPECT_EQ(SampleNames(log.str()), without_log);
  EXPECT_FALSE(log.Read().empty());
  EXPECT_EQ(SampleNames(::testing::TempDir() + "no_such_directory/!qrv_log.txt"), without_log);
  EXPECT_EQ(SampleNames(::testing::TempDir()), without_log);  // a directory
}

}  // namespace
}  // namespace qorv
