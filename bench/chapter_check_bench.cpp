// The time of `qorv chapter check` as a whole (load, seeds, variety, the twelve sample runs, the
// capacity run and the suggestion), in-process with the report thrown away, on a Chapter of 1000
// seed names: the first 1000 distinct seed names of the sample Chapters, the largest first
// (chapter new leaves out the names that would break a Chapter's limits), made into a Chapter by
// `qorv chapter new` in a temporary folder. The counter "seeds" is the seed names it holds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/qorv_app.h"
#include "quorvane/lexicon.h"

namespace {

class Discard : public std::streambuf {
 protected:
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
  int_type overflow(int_type c) override { return c; }
};

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<const char*> argv{"qorv"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  return qorv::RunQorv(static_cast<int>(argv.size()), argv.data(), out, err);
}

// The Chapter of 1000 seed names, made once.
std::string ThousandNameChapter() {
  std::vector<std::filesystem::path> samples;
  for (const auto& entry : std::filesystem::directory_iterator(QORV_CHAPTERS_DIR)) {
    if (entry.path().extension() == ".qrv") samples.push_back(entry.path());
  }
  std::vector<quorvane::Lexicon> loaded;
  for (const auto& sample : samples) {
    if (auto lexicon = quorvane::Lexicon::LoadFile(sample.string())) loaded.push_back(*lexicon);
  }
  std::sort(loaded.begin(), loaded.end(), [](const auto& a, const auto& b) {
    return a.NameCount() != b.NameCount() ? a.NameCount() > b.NameCount() : a.Title() < b.Title();
  });
  std::set<std::string> seen;
  std::string list;
  for (const quorvane::Lexicon& lexicon : loaded) {
    for (const std::string& name : lexicon.SeedNames()) {
      if (seen.size() < 1000 && seen.insert(name).second) list += name + "\n";
    }
  }
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / "qorv_chapter_check_bench";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "names.txt", std::ios::binary) << list;
  const std::string chapter = (folder / "thousand.qrv").string();
  std::ostringstream out;
  std::ostringstream err;
  Run({"chapter", "new", (folder / "names.txt").string(), "-o", chapter, "--force", "--quiet"}, out,
      err);
  return chapter;
}

void BM_ChapterCheck(benchmark::State& state) {
  static const std::string chapter = ThousandNameChapter();
  const auto lexicon = quorvane::Lexicon::LoadFile(chapter);
  if (!lexicon) {
    state.SkipWithError(
        ("the 1000-name Chapter does not load: " + lexicon.error().message).c_str());
    return;
  }
  Discard discard;
  std::ostream out(&discard);
  std::ostringstream err;
  for (auto _ : state) {
    if (Run({"chapter", "check", chapter}, out, err) != 0) {
      state.SkipWithError(("the check failed: " + err.str()).c_str());
      return;
    }
  }
  state.counters["seeds"] = lexicon->NameCount();
}
BENCHMARK(BM_ChapterCheck)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
