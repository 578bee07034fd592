// Attempts and names per second of the generator, by Chapter size, level, switches and log.
//
// Arguments: Chapter (0 small, 1 large), generation level 0..3, switches (0 all off, 1 all on:
// Structural, Statistical, Prefixes, Suffixes), log (0 off, 1 on). Validation is at level 2.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/loader.h"
#include "generator/name_generator.h"
#include "generator/validation.h"

namespace {

const char* const kChapters[] = {"coastal_villages.qrv", "towns_of_the_realm.qrv"};

struct LoadedChapter {
  qorv::PlainChapterClient client;
  qorv::TQorvChapter chapter;
};

std::unique_ptr<LoadedChapter> Load(int which) {
  auto loaded = std::make_unique<LoadedChapter>();
  const std::string path = std::string(QORV_CHAPTERS_DIR) + "/" + kChapters[which];
  qorv::LoadChapter(loaded->chapter, path, qorv::EstimateNameCount(path), loaded->client);
  return loaded;
}

void BM_GenerateOnce(benchmark::State& state) {
  const auto loaded = Load(static_cast<int>(state.range(0)));
  if (!loaded->chapter.Loaded) {
    state.SkipWithError(loaded->chapter.Message.c_str());
    return;
  }
  const bool switches = state.range(2) != 0;
  const bool log = state.range(3) != 0;
  const std::string log_path = log ? "bench_qrv_log.txt" : "";
  qorv::NameGenerator generator(log_path, [] { return 12345u; });
  qorv::GenerationRequest request;
  request.Chapter = &loaded->chapter;
  request.GenerationLevel = static_cast<int>(state.range(1));
  request.ValidationLevel = 2;
  request.Structural = request.Statistical = request.Prefixes = request.Suffixes = switches;

  for (auto _ : state) benchmark::DoNotOptimize(generator.GenerateOnce(request));

  const qorv::AttemptCounts& counts = generator.Counts();
  state.counters["attempts/s"] =
      benchmark::Counter(static_cast<double>(counts.Attempts()), benchmark::Counter::kIsRate);
  state.counters["names/s"] =
      benchmark::Counter(static_cast<double>(counts.Accepted), benchmark::Counter::kIsRate);
  state.counters["attempts/name"] = counts.Accepted ? static_cast<double>(counts.Attempts()) /
                                                          static_cast<double>(counts.Accepted)
                                                    : 0.0;
  if (log) std::remove(log_path.c_str());
}

BENCHMARK(BM_GenerateOnce)
    ->ArgNames({"chapter", "level", "switches", "log"})
    ->ArgsProduct({{0, 1}, {0, 1, 2, 3}, {0, 1}, {0, 1}});

// The validation of one very long candidate (seed names may be thousands of letters long): its
// four-letter windows never recur, so the repetition rule has to look at all of them.
void BM_ValidateLongName(benchmark::State& state) {
  const auto loaded = Load(0);
  std::string name;
  constexpr std::string_view kLetters = "BCDFGHJKLMNPQRSTVWXZ";
  // Base-20 counting: every four-letter window of consecutive numbers differs.
  for (int n = 0; static_cast<int>(name.size()) < state.range(0); ++n) {
    for (int digit = n, i = 0; i < 4; ++i, digit /= 20) name += kLetters[digit % 20];
  }
  name.resize(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(qorv::ValidateName(loaded->client.Statistics(), name, 1));
  }
}

BENCHMARK(BM_ValidateLongName)->Arg(30000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
