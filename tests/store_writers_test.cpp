// Several writers storing into one folder at once: two loops of `qorv generate --store` runs and
// one desktop-like writer through the session, each with a Chapter of its own title. The Store
// must hold the header once, then blocks of a title line and names, every name each writer
// reported in its order and under a title line of its own run.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "cli_test_support.h"
#include "session/lexicon_session.h"
#include "store/store_file.h"

namespace qorv {
namespace {

// Each qorv loop's runs and names per run; small, so that the runs interleave often.
constexpr int kQorvRuns = 100;
constexpr int kNamesPerRun = 2;
// The desktop-like writer loads its Chapter again (a new run) after this many stores.
constexpr int kStoresPerDesktopRun = 10;

// What one writer stored, in its order: each name with the run it belongs to.
struct Writer {
  std::string Title;
  std::vector<std::pair<int, std::string>> Names;
};

std::string SamplePath(const std::string& file) {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  return std::filesystem::absolute(std::filesystem::path(source ? source : ".") / "chapters" / file)
      .string();
}

std::string Slurp(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The pieces of `text` between the `end`s, after the last one too.
std::vector<std::string> Split(const std::string& text, const std::string& end) {
  std::vector<std::string> pieces;
  std::size_t at = 0;
  for (std::size_t next; (next = text.find(end, at)) != std::string::npos; at = next + end.size()) {
    pieces.push_back(text.substr(at, next - at));
  }
  pieces.push_back(text.substr(at));
  return pieces;
}

// Runs `kQorvRuns` runs of qorv in `folder`, their names in the Store's bytes on standard output
// and a "---" line after each run. Returns the loop's exit code.
int QorvLoop(const std::string& folder, const std::string& chapter, const std::string& out) {
  const std::string script =
      "cd '" + folder + "' && i=0 && while [ $i -lt " + std::to_string(kQorvRuns) + " ]; do '" +
      QORV_BINARY + "' generate '" + chapter + "' -n " + std::to_string(kNamesPerRun) +
      " --store --encoding cp1252 || exit 9; echo ---; i=$((i+1)); done >'" + out + "'";
  const int status = std::system(script.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Writer NamesOfLoop(const std::string& title, const std::string& out) {
  Writer writer{title, {}};
  int run = 0;
  for (const std::string& line : Split(Slurp(out), "\n")) {
    if (line == "---") ++run;
    if (line != "---" && !line.empty()) writer.Names.emplace_back(run, line);
  }
  return writer;
}

// Stores one or two names at a time through the session, as the desktop's Store Name and Store
// page do, until `stop`; a millisecond apart, so that it does not crowd out the qorv runs.
Writer DesktopWriter(const std::string& folder, const std::string& chapter,
                     const std::atomic<bool>& stop) {
  LexiconSession session(LexiconSession::Settings{.LogPath = "", .StoreDirectory = folder});
  Writer writer;
  for (int store_count = 0, run = -1; !stop || store_count == 0; ++store_count) {
    if (store_count % kStoresPerDesktopRun == 0) {
      session.SetChapter(session.LoadChapterFile(chapter, 1000));
      writer.Title = session.Chapter()->Title;
      ++run;
    }
    StoreFile store = session.OpenStore();
    for (int i = 0; i <= store_count % 2; ++i) {
      const std::optional<std::string> name = session.NextName({});
      if (!name || !store.WriteName(*name, false)) return writer;
      writer.Names.emplace_back(run, *name);
    }
    store.Close();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return writer;
}

// Reads the Store block by block: a blank line, "[" title " - " date "]", then at least one name,
// each the next name its writer reported and of the same run as the block's first.
void ExpectEveryNameUnderATitleLineOfItsOwnRun(const std::string& store,
                                               const std::vector<Writer>& writers, int& blocks) {
  const std::string header(kStoreHeader);
  ASSERT_EQ(store.substr(0, header.size()), header);
  EXPECT_EQ(store.find(header, 1), std::string::npos) << "a second header";
  ASSERT_EQ(store.substr(store.size() - 2), "\r\n") << "the last line is cut";
  const std::vector<std::string> lines =
      Split(store.substr(header.size(), store.size() - header.size() - 2), "\r\n");
  std::vector<std::size_t> next(writers.size(), 0);
  for (std::size_t at = 0; at < lines.size();) {
    ASSERT_EQ(lines[at], "") << "line " << at << " begins no block";
    ASSERT_LT(at + 2, lines.size()) << "a title line without names";
    std::size_t w = 0;
    while (w < writers.size() && lines[at + 1].rfind("[" + writers[w].Title + " - ", 0) != 0) ++w;
    ASSERT_LT(w, writers.size()) << "a title line of no writer: " << lines[at + 1];
    ASSERT_EQ(lines[at + 1].back(), ']') << lines[at + 1];
    ++blocks;
    const auto& names = writers[w].Names;
    const int run = next[w] < names.size() ? names[next[w]].first : -1;
    for (at += 2; at < lines.size() && !lines[at].empty(); ++at, ++next[w]) {
      ASSERT_LT(next[w], names.size()) << writers[w].Title << " stored more than it reported";
      ASSERT_EQ(lines[at], names[next[w]].second) << "line " << at << " of " << writers[w].Title;
      ASSERT_EQ(names[next[w]].first, run) << "line " << at << " under another run's title";
    }
  }
  for (std::size_t w = 0; w < writers.size(); ++w) {
    EXPECT_EQ(next[w], writers[w].Names.size()) << writers[w].Title << " lost names";
  }
}

TEST(StoreWriters, TwoQorvLoopsAndADesktopShareOneStoreWithoutLosingAName) {
  const testing::TempFolder folder;
  const std::string dir = folder.Path("");
  const std::vector<std::string> chapters = {SamplePath("coastal_villages.qrv"),
                                             SamplePath("northern_steadings.qrv"),
                                             SamplePath("birchwood_marches.qrv")};
  const char* const kTitles[] = {"Coastal Villages", "Northern Steadings"};
  const auto started = std::chrono::steady_clock::now();
  std::atomic<bool> stop = false;
  int exits[2] = {-1, -1};
  std::thread loops[2];
  for (int i = 0; i < 2; ++i) {
    loops[i] = std::thread([&, i] {
      exits[i] = QorvLoop(dir, chapters[i], folder.Path("out" + std::to_string(i) + ".txt"));
    });
  }
  std::thread stopper([&] {
    for (std::thread& loop : loops) loop.join();
    stop = true;
  });
  const Writer desktop = DesktopWriter(dir, chapters[2], stop);
  stopper.join();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  ASSERT_EQ(exits[0], 0);
  ASSERT_EQ(exits[1], 0);

  std::vector<Writer> writers;
  for (int i = 0; i < 2; ++i) {
    writers.push_back(NamesOfLoop(kTitles[i], folder.Path("out" + std::to_string(i) + ".txt")));
    EXPECT_EQ(writers.back().Names.size(), std::size_t{kQorvRuns * kNamesPerRun});
  }
  writers.push_back(desktop);
  int blocks = 0;
  ExpectEveryNameUnderATitleLineOfItsOwnRun(Slurp(folder.Path(kStoreFileName)), writers, blocks);
  std::cout << "[ figures  ] " << 2 * kQorvRuns << " qorv runs of " << kNamesPerRun << " names, "
            << desktop.Names.size() << " desktop names, " << blocks << " blocks, " << seconds
            << " s\n";
}

}  // namespace
}  // namespace qorv
