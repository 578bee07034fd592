// The price of whole names: one name of the two-part template "{given} of {place}" per
// iteration, against one name of each of the same two Chapters from two plain Generators with the
// same options (the work the template cannot avoid).
#include <benchmark/benchmark.h>

#include <string>

#include "quorvane/composer.h"

namespace {

std::string Sample(const char* file) {
  return std::string(QORV_CHAPTERS_DIR) + "/" + file;
}

quorvane::Recipe TwoParts() {
  quorvane::Recipe recipe;
  for (const auto& [name, file] :
       {std::pair{"given", "elder_folk.qrv"}, std::pair{"place", "western_valleys.qrv"}}) {
    recipe.parts.push_back(
        *quorvane::ParsePart(std::string(name) + " = " + Sample(file) + " --auto", name));
  }
  recipe.templates.push_back({"{given} of {place}", "template"});
  return recipe;
}

void BM_TwoPartTemplate(benchmark::State& state) {
  const auto composer = quorvane::Composer::Load(TwoParts());
  if (!composer) {
    state.SkipWithError(composer.error().message.c_str());
    return;
  }
  quorvane::ComposedGenerator names(*composer, 42);
  for (auto _ : state) benchmark::DoNotOptimize(names.Next());
  state.counters["names/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TwoPartTemplate);

void BM_TwoSingleChapterRuns(benchmark::State& state) {
  const quorvane::Recipe recipe = TwoParts();
  const auto lexicons = quorvane::LoadParts(recipe);
  if (!lexicons) {
    state.SkipWithError(lexicons.error().message.c_str());
    return;
  }
  quorvane::Generator given((*lexicons)[0], recipe.parts[0].options, 42);
  quorvane::Generator place((*lexicons)[1], recipe.parts[1].options, 43);
  for (auto _ : state) {
    benchmark::DoNotOptimize(given.Next());
    benchmark::DoNotOptimize(place.Next());
  }
  state.counters["names/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TwoSingleChapterRuns);

}  // namespace

BENCHMARK_MAIN();
