// Speed of name generation, and of what the generator derives from a loaded Chapter.
//
// BM_GenerateOnce: one attempt per iteration. Arguments: Chapter (0 small, 1 large), generation
// level 0..3, switches (0 all off, 1 all on: Structural, Statistical, Prefixes, Suffixes), log
// (0 off, 1 on). Validation is at level 2.
//
// BM_Names/CHAPTER/OPTIONS[/log]: one name per iteration, asked for as the generate commands ask
// (GenerateName), on every sample Chapter, seeded with 12345. OPTIONS is "plain" (level 0,
// validation 0, every switch off) or "strict" (level 3, validation 2, every switch on).
// BM_MillionNames/CHAPTER/OPTIONS: the same, 1,000,000 names in one run, on the large Chapter.
//
// BM_DeriveElementFacts/CHAPTER: the facts and candidate sets the generator derives once per
// loaded Chapter, at its first attempt.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/loader.h"
#include "generator/element_facts.h"
#include "generator/name_generator.h"
#include "generator/retry_until_name.h"
#include "generator/validation.h"

namespace {

const char* const kChapters[] = {"coastal_villages.qrv", "towns_of_the_realm.qrv"};
constexpr std::string_view kLargeChapter = "towns_of_the_realm.qrv";
constexpr std::uint32_t kSeed = 12345;

struct LoadedChapter {
  qorv::PlainChapterClient client;
  qorv::TQorvChapter chapter;
};

std::unique_ptr<LoadedChapter> Load(std::string_view file) {
  auto loaded = std::make_unique<LoadedChapter>();
  const std::string path = std::string(QORV_CHAPTERS_DIR) + "/" + std::string(file);
  qorv::LoadChapter(loaded->chapter, path, qorv::EstimateNameCount(path), loaded->client);
  return loaded;
}

std::vector<std::string> SampleChapters() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(QORV_CHAPTERS_DIR)) {
    if (entry.path().extension() == ".qrv") files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

void SetRates(benchmark::State& state, const qorv::AttemptCounts& counts) {
  state.counters["attempts/s"] =
      benchmark::Counter(static_cast<double>(counts.Attempts()), benchmark::Counter::kIsRate);
  state.counters["names/s"] =
      benchmark::Counter(static_cast<double>(counts.Accepted), benchmark::Counter::kIsRate);
  state.counters["attempts/name"] = counts.Accepted ? static_cast<double>(counts.Attempts()) /
                                                          static_cast<double>(counts.Accepted)
                                                    : 0.0;
}

void BM_GenerateOnce(benchmark::State& state) {
  const auto loaded = Load(kChapters[state.range(0)]);
  if (!loaded->chapter.Loaded) {
    state.SkipWithError(loaded->chapter.Message.c_str());
    return;
  }
  const bool switches = state.range(2) != 0;
  const bool log = state.range(3) != 0;
  const std::string log_path = log ? "bench_qrv_log.txt" : "";
  qorv::NameGenerator generator(log_path, [] { return kSeed; });
  qorv::GenerationRequest request;
  request.Chapter = &loaded->chapter;
  request.Statistics = &loaded->client.Statistics();
  request.GenerationLevel = static_cast<int>(state.range(1));
  request.ValidationLevel = 2;
  request.Structural = request.Statistical = request.Prefixes = request.Suffixes = switches;

  for (auto _ : state) benchmark::DoNotOptimize(generator.GenerateOnce(request));

  SetRates(state, generator.Counts());
  if (log) std::remove(log_path.c_str());
}

BENCHMARK(BM_GenerateOnce)
    ->ArgNames({"chapter", "level", "switches", "log"})
    ->ArgsProduct({{0, 1}, {0, 1, 2, 3}, {0, 1}, {0, 1}});

// One name per iteration, on `file` with the plain or the strict options.
void BM_Names(benchmark::State& state, const std::string& file, bool strict, bool log) {
  const auto loaded = Load(file);
  if (!loaded->chapter.Loaded) {
    state.SkipWithError(loaded->chapter.Message.c_str());
    return;
  }
  const std::string log_path = log ? "bench_qrv_log.txt" : "";
  qorv::NameGenerator generator(log_path, [] { return kSeed; });
  qorv::GenerationRequest request;
  request.Chapter = &loaded->chapter;
  request.Statistics = &loaded->client.Statistics();
  request.GenerationLevel = strict ? 3 : 0;
  request.ValidationLevel = strict ? 2 : 0;
  request.Structural = request.Statistical = request.Prefixes = request.Suffixes = strict;

  for (auto _ : state) benchmark::DoNotOptimize(qorv::RetryUntilName(generator, request));

  SetRates(state, generator.Counts());
  if (log) std::remove(log_path.c_str());
}

void BM_DeriveElementFacts(benchmark::State& state, const std::string& file) {
  const auto loaded = Load(file);
  const qorv::TQorvChapter& chapter = loaded->chapter;
  qorv::ElementFacts facts;
  for (auto _ : state) {
    facts.Build(loaded->client.Statistics(), chapter.VowelElementCount,
                chapter.ConsonantElementCount);
    benchmark::ClobberMemory();
  }
}

[[maybe_unused]] const bool kRegistered = [] {
  for (const std::string& file : SampleChapters()) {
    const std::string stem = file.substr(0, file.size() - 4);
    for (const bool strict : {false, true}) {
      for (const bool log : {false, true}) {
        const std::string name =
            "BM_Names/" + stem + (strict ? "/strict" : "/plain") + (log ? "/log" : "");
        benchmark::RegisterBenchmark(name.c_str(), BM_Names, file, strict, log);
      }
      if (file == kLargeChapter) {
        const std::string name = "BM_MillionNames/" + stem + (strict ? "/strict" : "/plain");
        benchmark::RegisterBenchmark(name.c_str(), BM_Names, file, strict, false)
            ->Iterations(1000000)
            ->Unit(benchmark::kMillisecond);
      }
    }
    benchmark::RegisterBenchmark(("BM_DeriveElementFacts/" + stem).c_str(), BM_DeriveElementFacts,
                                 file)
        ->Unit(benchmark::kMicrosecond);
  }
  return true;
}();

// The validation of one very long candidate (seed names may be thousands of letters long): its
// four-letter windows never recur, so the repetition rule has to look at all of them.
void BM_ValidateLongName(benchmark::State& state) {
  const auto loaded = Load(kChapters[0]);
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
