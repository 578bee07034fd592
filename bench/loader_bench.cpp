// Speed of a Chapter load on the largest sample Chapter: the whole load, the clearing of the
// statistics block alone, and each analysis stage alone.
//
// The stage benchmarks start from the state the loader hands each stage (names parsed, names
// coded, rows split), prepared once with the same functions the loader calls. Each iteration
// restores the counts the stage starts from; flags that a stage sets are left set, which costs the
// same time.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "chapter/chapter_file.h"
#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/decomposition.h"
#include "chapter/letter_statistics.h"
#include "chapter/loader.h"
#include "chapter/names_list.h"
#include "chapter/option_tags.h"
#include "chapter/pair_tables.h"
#include "chapter/structure.h"
#include "chapter/tag_reader.h"

namespace qorv {
namespace {

std::string LargestSampleChapter() {
  std::string largest;
  std::uintmax_t largest_size = 0;
  for (const auto& entry : std::filesystem::directory_iterator(QORV_CHAPTERS_DIR)) {
    if (entry.path().extension() != ".qrv" || entry.file_size() <= largest_size) continue;
    largest = entry.path().string();
    largest_size = entry.file_size();
  }
  return largest;
}

// The largest sample Chapter, and everything each analysis stage starts from.
struct PreparedChapter {
  std::string path;
  std::string bytes;
  int expected_name_count = 0;
  RewriteOptions rewrite;
  bool multi = false;
  bool shuffle = false;
  std::vector<std::string> names;  // normalised
  std::vector<std::string> coded;  // rewritten, special consonants replaced
  std::vector<ElementRow> rows;
  mutable PlainChapterClient client;  // its statistics hold the split element tables
  bool ok = false;
};

const PreparedChapter& Prepared() {
  static PreparedChapter* const prepared = [] {
    auto* p = new PreparedChapter;
    p->path = LargestSampleChapter();
    p->bytes = ReadChapterFile(p->path).Bytes;
    p->expected_name_count = EstimateNameCount(p->path);

    std::string text = p->bytes;
    BlankComments(text);
    ChapterStatistics& stats = p->client.Statistics();
    ClearCountsAndLetterTables(stats);
    ClearRemainingTables(stats);
    const SpecialConsonantList specials = ParseSpecialConsonants(
        ReadTag(text, tag::kSpecialConsonants, kOptionTagLimit).value_or(""));
    for (int k = 0; k < specials.Count; ++k) stats.SpecialConsonants[k] = specials.Texts[k];
    stats.SpecialConsonantCount = specials.Count;
    TQorvChapter options;
    ParseGenOpt(ReadTag(text, tag::kGenerationOptions, kOptionTagLimit).value_or(""), options);
    p->rewrite = {specials.Soft, options.YMode, options.UMode};
    p->multi = ParseMulti(ReadTag(text, tag::kSpecialVowels, kOptionTagLimit).value_or(""));
    p->shuffle = options.Shuffle != 0;

    NamesListReader reader(text);
    std::string name;
    while (reader.status() == NamesListReader::Status::kReady &&
           reader.Next(name) == NamesListReader::Step::kName && NormaliseName(name)) {
      p->names.push_back(name);
    }
    for (const std::string& seed : p->names) {
      p->coded.push_back(RewriteName(seed, p->rewrite));
      ReplaceSpecialConsonants(p->coded.back(), stats.SpecialConsonants,
                               stats.SpecialConsonantCount);
    }
    TQorvChapter counts;
    std::string error;
    p->ok = !p->names.empty() && SplitNames(p->coded, p->multi, stats, counts, p->rows, &error);
    return p;
  }();
  return *prepared;
}

// Set when a benchmark could not do its work; the program then exits with 1.
bool failed = false;

void Fail(benchmark::State& state, const std::string& why) {
  failed = true;
  state.SkipWithError(why.c_str());
}

bool Ready(benchmark::State& state) {
  if (Prepared().ok) return true;
  Fail(state, "the largest sample Chapter could not be prepared");
  return false;
}

void SetLoadLabel(benchmark::State& state, const TQorvChapter& chapter) {
  const PreparedChapter& p = Prepared();
  if (!chapter.Loaded) Fail(state, "load failed: " + chapter.Message);
  state.SetLabel(std::filesystem::path(p.path).filename().string() + ", " +
                 std::to_string(chapter.NameCount) + " names");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * p.bytes.size()));
}

// The whole load from the file: open, read, parse, clear, analyse.
void BM_LoadChapter(benchmark::State& state) {
  if (!Ready(state)) return;
  const PreparedChapter& p = Prepared();
  PlainChapterClient client;
  TQorvChapter chapter;
  for (auto _ : state) {
    LoadChapter(chapter, p.path, p.expected_name_count, client);
    benchmark::DoNotOptimize(chapter.Loaded);
  }
  SetLoadLabel(state, chapter);
}
BENCHMARK(BM_LoadChapter)->Unit(benchmark::kMicrosecond);

// The same load from bytes already in memory.
void BM_LoadChapterFromBytes(benchmark::State& state) {
  if (!Ready(state)) return;
  const PreparedChapter& p = Prepared();
  PlainChapterClient client;
  TQorvChapter chapter;
  for (auto _ : state) {
    LoadChapterFromBytes(chapter, p.bytes, p.expected_name_count, client);
    benchmark::DoNotOptimize(chapter.Loaded);
  }
  SetLoadLabel(state, chapter);
}
BENCHMARK(BM_LoadChapterFromBytes)->Unit(benchmark::kMicrosecond);

// The clearing of the statistics block that every load makes, both halves.
void BM_ClearStatistics(benchmark::State& state) {
  PlainChapterClient client;
  ChapterStatistics& stats = client.Statistics();
  for (auto _ : state) {
    ClearCountsAndLetterTables(stats);
    ClearRemainingTables(stats);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ClearStatistics)->Unit(benchmark::kMicrosecond);

void BM_ClearCountsAndLetterTables(benchmark::State& state) {
  PlainChapterClient client;
  for (auto _ : state) {
    ClearCountsAndLetterTables(client.Statistics());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ClearCountsAndLetterTables)->Unit(benchmark::kMicrosecond);

void BM_ClearRemainingTables(benchmark::State& state) {
  PlainChapterClient client;
  for (auto _ : state) {
    ClearRemainingTables(client.Statistics());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ClearRemainingTables)->Unit(benchmark::kMicrosecond);

// The analysis stages, in the loader's order, each over all seed names of the Chapter.
void BM_AddLetterStatistics(benchmark::State& state) {
  if (!Ready(state)) return;
  PlainChapterClient client;
  for (auto _ : state) {
    AddLetterStatistics(client.Statistics(), Prepared().names);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_AddLetterStatistics)->Unit(benchmark::kMicrosecond);

void BM_RewriteNames(benchmark::State& state) {
  if (!Ready(state)) return;
  const PreparedChapter& p = Prepared();
  const ChapterStatistics& stats = p.client.Statistics();
  for (auto _ : state) {
    for (const std::string& name : p.names) {
      std::string coded = RewriteName(name, p.rewrite);
      ReplaceSpecialConsonants(coded, stats.SpecialConsonants, stats.SpecialConsonantCount);
      benchmark::DoNotOptimize(coded.data());
    }
  }
}
BENCHMARK(BM_RewriteNames)->Unit(benchmark::kMicrosecond);

void BM_SplitNames(benchmark::State& state) {
  if (!Ready(state)) return;
  const PreparedChapter& p = Prepared();
  PlainChapterClient client;
  TQorvChapter chapter;
  std::vector<ElementRow> rows;
  for (auto _ : state) {
    chapter.VowelElementCount = chapter.ConsonantElementCount = 0;
    client.Statistics().MaxElementsPerName = 0;
    std::string error;
    benchmark::DoNotOptimize(
        SplitNames(p.coded, p.multi, client.Statistics(), chapter, rows, &error));
  }
}
BENCHMARK(BM_SplitNames)->Unit(benchmark::kMicrosecond);

// The table stages read the element texts that the split left in the prepared client's block, so
// they work on a copy of the split's results in a block of their own.
class SplitBlock {
 public:
  SplitBlock() {
    const ChapterStatistics& from = Prepared().client.Statistics();
    ChapterStatistics& to = client_.Statistics();
    to.SpecialConsonants = from.SpecialConsonants;
    to.SpecialConsonantCount = from.SpecialConsonantCount;
    to.VowelElements = from.VowelElements;
    to.ConsonantElements = from.ConsonantElements;
    to.MaxElementsPerName = from.MaxElementsPerName;
  }
  ChapterStatistics& stats() { return client_.Statistics(); }

 private:
  PlainChapterClient client_;
};

void BM_BuildPairTables(benchmark::State& state) {
  if (!Ready(state)) return;
  SplitBlock block;
  ChapterStatistics& stats = block.stats();
  for (auto _ : state) {
    stats.InitialPairCount = stats.FinalPairCount = 0;
    BuildPairTables(stats, Prepared().rows);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BuildPairTables)->Unit(benchmark::kMicrosecond);

void BM_BuildTransitionTables(benchmark::State& state) {
  if (!Ready(state)) return;
  SplitBlock block;
  for (auto _ : state) {
    BuildTransitionTables(block.stats(), Prepared().rows);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BuildTransitionTables)->Unit(benchmark::kMicrosecond);

void BM_BuildStructurePatterns(benchmark::State& state) {
  if (!Ready(state)) return;
  SplitBlock block;
  ChapterStatistics& stats = block.stats();
  for (auto _ : state) {
    for (int c = 0; c < kStructureClasses; ++c) {
      for (int j = 0; j < stats.StructureCounts[c]; ++j) stats.StructureWeights[c][j] = 0;
    }
    stats.StructureCounts.fill(0);
    stats.StructureNameCounts.fill(0);
    BuildStructurePatterns(stats, Prepared().rows);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BuildStructurePatterns)->Unit(benchmark::kMicrosecond);

void BM_CountPositions(benchmark::State& state) {
  if (!Ready(state)) return;
  SplitBlock block;
  ChapterStatistics& stats = block.stats();
  std::int64_t runs = 0;
  for (auto _ : state) {
    CountPositions(stats, Prepared().rows, Prepared().shuffle);
    benchmark::ClobberMemory();
    // The counts only grow; empty them now and then, untimed, long before an int could overflow.
    if (++runs % 65536 == 0) {
      state.PauseTiming();
      for (auto& row : stats.VowelPositionCounts) row.fill(0);
      for (auto& row : stats.ConsonantPositionCounts) row.fill(0);
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_CountPositions)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qorv

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return qorv::failed ? 1 : 0;
}
