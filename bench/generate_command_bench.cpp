// Names per second of `qorv generate` as a whole (load, generation, filters, output), in-process,
// with the output thrown away: without filters, with each filter, and in each output form.
//
// Argument: 0 no filter, 1 --unique, 2 --novel, 3 lengths, 4 texts, 5 json, 6 csv.
#include <benchmark/benchmark.h>

#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "cli/generate_command.h"

namespace {

// Takes every byte and keeps none.
class Discard : public std::streambuf {
 protected:
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
  int_type overflow(int_type c) override { return c; }
};

constexpr std::uint32_t kNames = 20000;

qorv::GenerateOptions Options(int which) {
  qorv::GenerateOptions options;
  options.chapter_path = std::string(QORV_CHAPTERS_DIR) + "/towns_of_the_realm.qrv";
  options.count = kNames;
  options.seed = 12345;
  switch (which) {
    case 1:
      options.filters.unique = true;
      break;
    case 2:
      options.filters.novel = true;
      break;
    case 3:
      options.filters.min_length = 5;
      options.filters.max_length = 12;
      break;
    case 4:
      options.filters.contains = "e";
      options.filters.excludes = {"q", "x"};
      break;
    case 5:
      options.format = qorv::NameFormat::kJson;
      break;
    case 6:
      options.format = qorv::NameFormat::kCsv;
      break;
    default:
      break;
  }
  return options;
}

void BM_GenerateCommand(benchmark::State& state) {
  const qorv::GenerateOptions options = Options(static_cast<int>(state.range(0)));
  Discard discard;
  std::ostream out(&discard);
  for (auto _ : state) {
    std::ostringstream err;
    if (qorv::RunGenerate(options, out, err) != qorv::kExitSuccess) {
      state.SkipWithError(err.str().c_str());
      return;
    }
  }
  state.counters["names/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * kNames,
                                                 benchmark::Counter::kIsRate);
}

BENCHMARK(BM_GenerateCommand)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
