// libFuzzer target for the Chapter loader: any bytes, as if they were a Chapter file.
//
// Each input is loaded once the way the Chapter list loads a file, with the name count it would
// estimate from the same bytes, into one client whose statistics block every load reuses (as the
// program's dialog does), so that each load starts from the tables of the input before. Then:
//   - the load is checked (fuzz/load_checks.h): a refusal gives one of the loader's messages, a
//     success leaves tables that agree with their counts and nothing beyond them, so that a table
//     the load forgot to clear shows up as a leftover of the input before;
//   - the history ring is untouched by a "Too many names" refusal and empty after any other load;
//   - the progress gauge only climbs within 1..15 and a success ends with the steps 1..15.
// One input in kReloadEvery (chosen by a hash of its bytes, so that it is chosen again when it is
// replayed alone) is loaded a second time, over a statistics block scribbled full of stale values,
// and must give the same result, table for table: every table a load uses is cleared first, and
// nothing of an earlier load leaks into the next.
// An input whose estimate is above 1000 is refused before it is read (which costs nothing); it is
// then loaded with 1000 instead, so that its text is still parsed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "chapter/chapter_format.h"
#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/limits.h"
#include "chapter/loader.h"
#include "fuzz/load_checks.h"

namespace qorv::fuzz {
namespace {

// One input in this many is loaded a second time over a scribbled block and compared.
constexpr std::size_t kReloadEvery = 16;

// The client every load uses, as the program's dialog does, and what is known of its block.
struct SharedClient {
  PlainChapterClient client;
  // Final pair context rows from this one on are 0: checked so after the last load, and not
  // touched by any load since (a load touches only the rows below its NameCount).
  int clear_context_rows_from = kMaxNames;
};

void CheckGauge(const PlainChapterClient& client, std::size_t trail_before, bool loaded) {
  const std::vector<int>& trail = client.ProgressTrail();
  int previous = 0;
  for (std::size_t i = trail_before; i < trail.size(); ++i) {
    Require(trail[i] > previous && trail[i] <= kLoadProgressSteps, "the gauge climbs within 1..15");
    previous = trail[i];
  }
  if (!loaded) return;
  Require(trail.size() - trail_before == kLoadProgressSteps,
          "a successful load takes 15 gauge steps");
  Require(client.GaugeShown() && client.Progress() == kLoadProgressSteps,
          "a successful load ends at 15");
}

void LoadAndCheck(TQorvChapter& chapter, std::string_view bytes, int expected,
                  SharedClient& shared) {
  PlainChapterClient& client = shared.client;
  NameHistory& history = client.History();
  history.Add("SENTINEL");
  const int history_before = history.NameHistoryCount;
  const std::size_t trail_before = client.ProgressTrail().size();

  LoadChapterFromBytes(chapter, bytes, expected, client);

  if (expected > kMaxNames) {
    Require(chapter.Message == "Too many names", "an estimate above 1000 is refused first");
    Require(history.NameHistoryCount == history_before, "a refused estimate keeps the history");
    Require(client.ProgressTrail().size() == trail_before, "a refused estimate moves no gauge");
  } else {
    Require(history.NameHistoryCount == 0 && history.NameHistoryNext == 0,
            "a load empties the history ring");
    if (bytes.size() > kMaxFileBytes) {
      Require(chapter.Message == "File too large", "a file above 32768 bytes is refused");
    }
  }
  int& clear_from = shared.clear_context_rows_from;
  if (chapter.Loaded) {
    CheckLoadedChapter(chapter, client.Statistics(), clear_from);
    clear_from = client.Statistics().FinalPairCount;
  } else {
    CheckRefusal(chapter);
    clear_from = std::max(clear_from, chapter.NameCount);
  }
  CheckGauge(client, trail_before, chapter.Loaded != 0);
}

// Overwrites every count and every numeric and flag table of the block with stale values (`byte`,
// 1 or 2), as if a very different Chapter had been loaded before; strings are left alone (a load
// overwrites the ones below its counts). A table that a load forgets to clear then shows up as a
// difference from the load before (or, in the flag tables, as a flag of 2).
void ScribbleOver(ChapterStatistics& stats, int byte) {
  const auto fill = [byte](auto& table) { std::memset(table.data(), byte, sizeof(table)); };
  fill(stats.VowelPositionCounts);
  fill(stats.ConsonantPositionCounts);
  fill(stats.InitialPairWeights);
  fill(stats.FinalPairWeights);
  stats.InitialPairs.fill({byte, byte});
  stats.FinalPairs.fill({byte, byte});
  fill(stats.MinRepeatDistance);
  fill(stats.MaxLetterPercent);
  fill(stats.StructureNameCounts);
  fill(stats.StructureCounts);
  fill(stats.StructureWeights);
  fill(stats.VowelAfterConsonant);
  fill(stats.ConsonantAfterVowel);
  fill(stats.ConsonantAcrossVowel);
  fill(stats.VowelAcrossConsonant);
  fill(stats.FinalPairThirdLast);
  fill(stats.FinalPairFourthLast);
  // Counts that still index inside their tables.
  stats.SpecialConsonantCount = 3;
  stats.MaxElementsPerName = 20;
  stats.InitialPairCount = stats.FinalPairCount = 500;
  stats.StructureCounts.fill(100);
}

// The shared client is replaced by a fresh one every so many inputs only because
// PlainChapterClient keeps every gauge value it was given, which would otherwise grow through a
// long run.
SharedClient& Shared() {
  constexpr int kInputsPerClient = 10000;
  static std::unique_ptr<SharedClient> shared;
  static int inputs = 0;
  if (inputs++ % kInputsPerClient == 0) shared = std::make_unique<SharedClient>();
  return *shared;
}

}  // namespace
}  // namespace qorv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qorv;
  using namespace qorv::fuzz;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  SharedClient& shared = Shared();
  ChapterStatistics& stats = shared.client.Statistics();

  const int expected = EstimateNameCountInText(bytes);
  if (expected > kMaxNames) {
    TQorvChapter refused;
    LoadAndCheck(refused, bytes, expected, shared);
  }
  const int name_count = std::min(expected, kMaxNames);
  TQorvChapter first;
  LoadAndCheck(first, bytes, name_count, shared);

  const std::size_t hash = std::hash<std::string_view>{}(bytes);
  if (hash % kReloadEvery != 0) return 0;
  const std::uint64_t first_print = first.Loaded ? Fingerprint(first, stats) : 0;
  ScribbleOver(stats, 1 + static_cast<int>(hash / kReloadEvery % 2));
  shared.clear_context_rows_from = kMaxNames;
  TQorvChapter second;
  LoadAndCheck(second, bytes, name_count, shared);
  Require(second.Loaded == first.Loaded && second.Message == first.Message,
          "loading the same bytes twice gives the same outcome");
  if (second.Loaded) {
    Require(Fingerprint(second, stats) == first_print,
            "loading the same bytes twice gives the same tables");
  }
  return 0;
}
