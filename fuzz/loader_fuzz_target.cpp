// libFuzzer target for the Chapter loader: any bytes, as if they were a Chapter file.
//
// Each input is loaded the way the Chapter list loads a file, with the name count it would
// estimate from the same bytes, into one client whose statistics block every load reuses (as the
// program's dialog does). Then:
//   - the load is checked (fuzz/load_checks.h): a refusal gives one of the loader's messages, a
//     success leaves tables that agree with their counts;
//   - the history ring is untouched by a "Too many names" refusal and empty after any other load;
//   - the progress gauge only climbs within 1..15 and a success ends with the steps 1..15;
//   - the same bytes are loaded a second time, over a statistics block scribbled full of stale
//     values, and must give the same result, table for table: every table a load uses is cleared
//     first, and nothing of an earlier load leaks into the next.
// An input whose estimate is above 1000 is refused before it is read; its second load uses 1000
// instead, so that its text is still parsed.
#include <cstddef>
#include <cstdint>
#include <cstring>
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
                  PlainChapterClient& client) {
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
  if (chapter.Loaded) {
    CheckLoadedChapter(chapter, client.Statistics());
  } else {
    CheckRefusal(chapter);
  }
  CheckGauge(client, trail_before, chapter.Loaded != 0);
}

// Overwrites every count and every numeric and flag table of the block with stale values, as if
// a very different Chapter had been loaded before; strings are left alone (a load overwrites the
// ones below its counts). The byte alternates between calls, so that the two loads of one input
// never start from the same leftovers: a table that a load forgets to clear then shows up as a
// difference between them (or, in the flag tables, as a flag of 2).
void ScribbleOver(ChapterStatistics& stats) {
  static int calls = 0;
  const int byte = 1 + calls++ % 2;
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

// The client every load uses, as the program's dialog does. It is replaced by a fresh one every
// so many inputs only because PlainChapterClient keeps every gauge value it was given, which
// would otherwise grow through a long run.
PlainChapterClient& SharedClient() {
  constexpr int kInputsPerClient = 10000;
  static std::unique_ptr<PlainChapterClient> client;
  static int inputs = 0;
  if (inputs++ % kInputsPerClient == 0) client = std::make_unique<PlainChapterClient>();
  return *client;
}

}  // namespace
}  // namespace qorv::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace qorv;
  using namespace qorv::fuzz;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  PlainChapterClient& client = SharedClient();

  const int expected = EstimateNameCountInText(bytes);
  TQorvChapter first;
  LoadAndCheck(first, bytes, expected, client);
  const std::uint64_t first_print = first.Loaded ? Fingerprint(first, client.Statistics()) : 0;

  ScribbleOver(client.Statistics());
  TQorvChapter second;
  LoadAndCheck(second, bytes, expected > kMaxNames ? kMaxNames : expected, client);
  if (expected <= kMaxNames) {
    Require(second.Loaded == first.Loaded && second.Message == first.Message,
            "loading the same bytes twice gives the same outcome");
    if (second.Loaded) {
      Require(Fingerprint(second, client.Statistics()) == first_print,
              "loading the same bytes twice gives the same tables");
    }
  }
  return 0;
}
