// Every sample Chapter under a table of option sets and seeds gives the names, attempt counts and
// log bytes recorded in tests/golden/generate/, both through `qorv generate` and attempt by
// attempt through the generator.
//
// The recorded files were written by an earlier build; they pin down the algorithm, the order of
// every random draw and every log byte. Set QORV_UPDATE_GOLDEN=1 to write them anew from this
// build (only when a change of output is intended, and say so in the commit).
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/loader.h"
#include "cli/generate_command.h"
#include "cli_test_support.h"
#include "generator/name_generator.h"
#include "generator/retry_until_name.h"
#include "text/encoding.h"

namespace qorv {
namespace {

constexpr int kNamesPerRun = 100;
constexpr std::uint32_t kSeeds[] = {1, 12345, 4294967295u};

// One option set, as `qorv generate` arguments and as the request they stand for.
struct OptionSet {
  int level = 0;
  int validation = 0;
  bool structural = false;
  bool statistical = false;
  bool prefixes = false;
  bool suffixes = false;
  bool automatic = false;
  bool initial = false;  // the second initial letter of the Chapter (the first when it has one)
};

const OptionSet kOptionSets[] = {
    {.level = 0, .validation = 0},
    {.level = 1, .validation = 1},
    {.level = 2, .validation = 2, .structural = true},
    {.level = 3,
     .validation = 2,
     .structural = true,
     .statistical = true,
     .prefixes = true,
     .suffixes = true},
    {.level = 3, .validation = 0, .statistical = true},
    {.level = 1, .validation = 2, .prefixes = true, .suffixes = true},
    {.automatic = true},
    {.level = 2, .validation = 1, .structural = true, .statistical = true, .initial = true},
    {.level = 3, .validation = 1, .structural = true, .suffixes = true},
};

char InitialLetterOf(const TQorvChapter& chapter) {
  return chapter.InitialLetters.size() > 1 ? chapter.InitialLetters[1] : chapter.InitialLetters[0];
}

std::vector<std::string> Arguments(const OptionSet& set, const TQorvChapter& chapter) {
  if (set.automatic) return {"--auto"};
  std::vector<std::string> args = {"-g", std::to_string(set.level), "-v",
                                   std::to_string(set.validation)};
  if (set.structural) args.push_back("--structural");
  if (set.statistical) args.push_back("--statistical");
  if (set.prefixes) args.push_back("--prefixes");
  if (set.suffixes) args.push_back("--suffixes");
  if (set.initial) {
    args.push_back("-i");
    args.push_back(Cp1252ToUtf8(std::string(1, InitialLetterOf(chapter))));
  }
  return args;
}

// The request of `qorv generate` with the same options.
GenerationRequest Request(const OptionSet& set, const TQorvChapter& chapter,
                          const ChapterStatistics& stats) {
  GenerateOptions options;
  options.level = set.level;
  options.validation = set.validation;
  options.structural = set.structural;
  options.statistical = set.statistical;
  options.prefixes = set.prefixes;
  options.suffixes = set.suffixes;
  options.automatic = set.automatic;
  if (set.initial) options.initial = InitialLetterOf(chapter);
  GenerationRequest request = MakeRequest(options, chapter);
  request.Chapter = &chapter;
  request.Statistics = &stats;
  return request;
}

std::string Joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
  return text;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// FNV-1a, continued over each snapshot of the log.
std::uint64_t Fold(std::uint64_t hash, std::string_view bytes) {
  for (char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
  return (hash ^ 0xff) * 0x100000001b3ull;  // marks the end of one snapshot
}

std::string Hex(std::uint64_t value, int digits) {
  std::ostringstream out;
  out << std::hex << std::setw(digits) << std::setfill('0') << value;
  return out.str().substr(out.str().size() - static_cast<std::size_t>(digits));
}

// Fixed at build time, so that the test list is known without the test's environment.
std::filesystem::path SourceDir() {
  return QORV_SOURCE_DIR_FOR_GOLDEN;
}

std::filesystem::path GoldenDir() {
  return SourceDir() / "tests" / "golden" / "generate";
}

// A log file of the test's own.
std::string LogPath(const std::string& what) {
  return (std::filesystem::temp_directory_path() /
          ("qorv_golden_" + std::to_string(::getpid()) + "_" + what + ".txt"))
      .string();
}

// The names of one run, attempt by attempt: each line "name attempts log", where log is the low
// 32 bits of a hash over the log file's bytes after every attempt so far.
std::string GeneratorRecord(const std::string& path, const OptionSet& set, std::uint32_t seed) {
  PlainChapterClient client;
  TQorvChapter chapter;
  LoadChapter(chapter, path, EstimateNameCount(path), client);
  const std::string log_path = LogPath("attempts");
  std::remove(log_path.c_str());
  NameGenerator generator(log_path, [seed] { return seed; });
  const GenerationRequest request = Request(set, chapter, client.Statistics());
  std::uint64_t hash = 0xcbf29ce484222325ull;
  std::string record;
  for (int i = 0; i < kNamesPerRun; ++i) {
    int attempts = 0;
    const auto attempt = [&](const GenerationRequest& r) {
      std::string name = generator.GenerateOnce(r);
      ++attempts;
      hash = Fold(hash, ReadFile(log_path));
      return name;
    };
    const std::optional<std::string> name = RetryUntilName(attempt, request);
    if (!name) {
      record += "(no new name) " + std::to_string(attempts) + "\n";
      break;
    }
    record += Cp1252ToUtf8(*name) + " " + std::to_string(attempts) + " " + Hex(hash, 8) + "\n";
  }
  std::remove(log_path.c_str());
  return record;
}

// What `qorv generate` prints and exits with, and a hash of the log it leaves.
std::string CommandRecord(const std::string& path, const std::vector<std::string>& options,
                          std::uint32_t seed) {
  const std::string log_path = LogPath("command");
  std::remove(log_path.c_str());
  std::vector<std::string> args = {
      "generate", path,    "--seed", std::to_string(seed), "-n", std::to_string(kNamesPerRun),
      "--log",    log_path};
  args.insert(args.end(), options.begin(), options.end());
  const testing::Run run = testing::RunCommandLine(args);
  const std::string log = ReadFile(log_path);
  std::remove(log_path.c_str());
  return "exit " + std::to_string(run.exit_code) + ", last log " +
         Hex(Fold(0xcbf29ce484222325ull, log), 16) + "\n" + run.out;
}

// The sample Chapters that have a record (all of them when the records are being written).
std::vector<std::string> SampleChapterStems() {
  const bool update = std::getenv("QORV_UPDATE_GOLDEN") != nullptr;
  const std::filesystem::path dir = update ? SourceDir() / "chapters" : GoldenDir();
  std::vector<std::string> stems;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const auto extension = entry.path().extension();
    if (extension == ".qrv" || extension == ".txt") stems.push_back(entry.path().stem().string());
  }
  std::sort(stems.begin(), stems.end());
  return stems;
}

// The whole record of one sample Chapter: every option set with every seed.
std::string ChapterRecord(const std::string& stem) {
  const std::string path = (SourceDir() / "chapters" / (stem + ".qrv")).string();
  PlainChapterClient client;
  TQorvChapter chapter;
  LoadChapter(chapter, path, EstimateNameCount(path), client);
  if (!chapter.Loaded) return "did not load: " + chapter.Message + "\n";
  std::string record;
  for (const OptionSet& set : kOptionSets) {
    const std::vector<std::string> args = Arguments(set, chapter);
    for (const std::uint32_t seed : kSeeds) {
      record += "== " + Joined(args) + " --seed " + std::to_string(seed) + "\n";
      record += "-- generator\n" + GeneratorRecord(path, set, seed);
      record += "-- qorv generate: " + CommandRecord(path, args, seed);
    }
  }
  return record;
}

class GoldenGeneration : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenGeneration, GivesTheRecordedNamesAndLogs) {
  const std::string& stem = GetParam();
  const std::filesystem::path golden = GoldenDir() / (stem + ".txt");
  const std::string record = ChapterRecord(stem);
  if (std::getenv("QORV_UPDATE_GOLDEN") != nullptr) {
    std::filesystem::create_directories(GoldenDir());
    std::ofstream(golden, std::ios::binary) << record;
    return;
  }
  ASSERT_TRUE(std::filesystem::exists(golden)) << golden << " is missing";
  const std::string expected = ReadFile(golden.string());
  if (record == expected) return;
  // Report the first line that differs, with its option heading.
  std::istringstream got(record), want(expected);
  std::string got_line, want_line, heading;
  for (int line = 1; std::getline(want, want_line); ++line) {
    if (want_line.starts_with("== ")) heading = want_line;
    if (!std::getline(got, got_line) || got_line != want_line) {
      ADD_FAILURE() << golden.filename() << " line " << line << " (" << heading << "):\n"
                    << "  expected: " << want_line << "\n  got:      " << got_line;
      return;
    }
  }
  ADD_FAILURE() << golden.filename() << ": more lines than recorded";
}

INSTANTIATE_TEST_SUITE_P(SampleChapters, GoldenGeneration,
                         ::testing::ValuesIn(SampleChapterStems()),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace qorv
