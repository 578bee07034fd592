// Small Chapters, fixed seeds and log files for the generator tests.
//
// A TestChapter assembles a Chapter text (CR LF line ends) from a handful of seed names and
// options and loads it into its own PlainChapterClient, so every test owns its statistics block
// and history ring. Tests may edit the statistics after the load to reach values that no small
// Chapter yields; element texts and special consonants must be left as loaded, since the
// generator derives facts from them at its first attempt.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "chapter/chapter.h"
#include "chapter/client.h"
#include "chapter/loader.h"
#include "generator/generation_log.h"
#include "generator/generation_request.h"
#include "generator/name_generator.h"
#include "generator/placement.h"
#include "generator/random_source.h"
#include "tests/chapter_source.h"

namespace qorv::test {

inline constexpr std::uint32_t kSeed = 12345;

// Test Chapters are built by the one builder of the tests.
using testing::ChapterSource;

class TestChapter {
 public:
  explicit TestChapter(const ChapterSource& source) { Load(source); }
  TestChapter(const TestChapter&) = delete;
  TestChapter& operator=(const TestChapter&) = delete;

  void Load(const ChapterSource& source) {
    LoadChapterFromBytes(chapter_, source.Text(), static_cast<int>(source.names.size()), client_);
    if (!chapter_.Loaded) ADD_FAILURE() << "test Chapter did not load: " << chapter_.Message;
  }

  TQorvChapter& chapter() { return chapter_; }
  ChapterStatistics& stats() { return client_.Statistics(); }
  NameHistory& history() { return client_.History(); }

  GenerationRequest Request() {
    GenerationRequest request;
    request.Chapter = &chapter_;
    request.Statistics = &client_.Statistics();
    return request;
  }

  // The ElementId of an element given by its coded form; fails the test when there is none.
  ElementId Id(std::string_view coded) {
    for (int v = 0; v < chapter_.VowelElementCount; ++v) {
      if (stats().VowelElements[v] == coded) return v;
    }
    for (int k = 0; k < chapter_.ConsonantElementCount; ++k) {
      if (stats().ConsonantElements[k] == coded) return kConsonantIdBase + k;
    }
    ADD_FAILURE() << "no element " << coded;
    return 0;
  }

  // Position counts: every element leaves all slots, or enters one slot.
  void ClearPositions() {
    for (auto& row : stats().VowelPositionCounts) row.fill(0);
    for (auto& row : stats().ConsonantPositionCounts) row.fill(0);
  }
  void SetPosition(std::string_view coded, int slot, int count = 1) {
    const ElementId id = Id(coded);
    if (IsVowelId(id)) {
      stats().VowelPositionCounts[id][slot] = count;
    } else {
      stats().ConsonantPositionCounts[id - kConsonantIdBase][slot] = count;
    }
  }

 private:
  PlainChapterClient client_;
  TQorvChapter chapter_;
};

inline RandomSource SeededRandom(std::uint32_t seed = kSeed) {
  RandomSource random;
  random.Seed(seed);
  return random;
}

// How many values the generator drew between two states of its source (at most `limit`).
inline int DrawsBetween(RandomSource before, const RandomSource& after, int limit = 1000) {
  for (int n = 0; n <= limit; ++n) {
    if (before.State() == after.State()) return n;
    before.Next();
  }
  return -1;
}

// The coded forms of a row of elements, separated by spaces, up to the -1 entry.
inline std::string Row(const ChapterStatistics& stats, const NameElementRow& row) {
  std::string text;
  for (ElementId id : row) {
    if (id == kEndOfRow) break;
    if (!text.empty()) text += ' ';
    text += ElementText(stats, id);
  }
  return text;
}

inline std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool FileExists(const std::string& path) {
  return ::access(path.c_str(), F_OK) == 0;
}

// A path in the test's temporary directory, removed again when the test ends.
class TempPath {
 public:
  TempPath() {
    static int counter = 0;
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::ostringstream name;
    name << ::testing::TempDir() << "qorv_" << ::getpid() << '_' << (info ? info->name() : "none")
         << '_' << counter++ << ".txt";
    path_ = name.str();
    std::remove(path_.c_str());
  }
  ~TempPath() { std::remove(path_.c_str()); }
  TempPath(const TempPath&) = delete;
  TempPath& operator=(const TempPath&) = delete;

  const std::string& str() const { return path_; }
  std::string Read() const { return ReadWholeFile(path_); }
  void Write(std::string_view text) const { std::ofstream(path_, std::ios::binary) << text; }

 private:
  std::string path_;
};

// The generator with a fixed clock, so that every test starts from a known seed.
inline NameGenerator FixedGenerator(std::string log_path = {}, std::uint32_t seed = kSeed) {
  return NameGenerator(std::move(log_path), [seed] { return seed; });
}

// One run of the placement loop on a loaded test Chapter, with its log captured.
struct PlacementResult {
  bool placed = false;
  std::string row;  // coded forms, space-separated
  std::string log;
  NameElementRow elements{};
};

inline PlacementResult RunPlacement(TestChapter& chapter, const PlacementSettings& settings,
                                    RandomSource& random) {
  ElementFacts facts;
  facts.Build(chapter.stats(), chapter.chapter().VowelElementCount,
              chapter.chapter().ConsonantElementCount);
  TempPath log_path;
  PlacementResult result;
  {
    AttemptLog log(log_path.str(), true);
    Placement placement(chapter.stats(), facts, random, log, settings);
    result.placed = placement.Run();
    result.elements = placement.Elements();
    log.Close();
  }
  result.row = Row(chapter.stats(), result.elements);
  result.log = log_path.Read();
  return result;
}

inline PlacementResult RunPlacement(TestChapter& chapter, const PlacementSettings& settings) {
  RandomSource random = SeededRandom();
  return RunPlacement(chapter, settings, random);
}

// The lines of a log text, split at CR LF (the text after the last CR LF is the last line).
inline std::vector<std::string> LogLines(const std::string& log) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t at = log.find("\r\n"); at != std::string::npos; at = log.find("\r\n", start)) {
    lines.push_back(log.substr(start, at - start));
    start = at + 2;
  }
  lines.push_back(log.substr(start));
  return lines;
}

// The candidates part of a position line: everything before " : " (or the whole failure word).
inline std::string Candidates(const std::string& line) {
  const std::size_t at = line.find(": ");
  return at == std::string::npos ? line : line.substr(0, at);
}

}  // namespace qorv::test
