// Names by key on three sample Chapters, 1000 keys each, against tests/golden/keys/: the library's
// NameFor and `qorv generate --keys` must both give the recorded name of every key, so that a
// key keeps its name in every later build. Set QORV_UPDATE_GOLDEN=1 to write the records anew
// (only when names by key are meant to change, and say so in the commit).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli_test_support.h"
#include "quorvane/lexicon.h"

namespace qorv {
namespace {

constexpr int kKeys = 1000;

// The library's options: level, validation, the two switches, or the Chapter's own (--auto).
quorvane::Options Options(int level, int validation, bool switches, bool automatic = false) {
  quorvane::Options options;
  options.level = level;
  options.validation = validation;
  options.structural = options.statistical = switches;
  options.automatic = automatic;
  return options;
}

// One recorded table: a sample Chapter, a world and the options, as `qorv generate` takes them
// and for the library.
struct KeyTable {
  const char* stem;
  std::uint64_t world_seed;
  std::vector<std::string> args;
  quorvane::Options options;
};

const KeyTable kTables[] = {
    {"elder_folk", 7, {"-g", "2"}, Options(2, 0, false)},
    {"coastal_villages", 0, {"--auto"}, Options(0, 0, false, true)},
    {"towns_of_the_realm",
     18446744073709551615ull,
     {"-g", "1", "-v", "1", "--structural", "--statistical"},
     Options(1, 1, true)},
};

// Keys as games write them: ids, paths, words with spaces and letters beyond ASCII.
std::vector<std::string> Keys() {
  const char* const prefixes[] = {"npc-", "town:", "item/", "\xC3\x86r\xC3\xB8 ", "k"};
  std::vector<std::string> keys;
  for (int i = 0; i < kKeys; ++i) keys.push_back(prefixes[i % 5] + std::to_string(i));
  return keys;
}

std::filesystem::path SourceDir() {
  return QORV_SOURCE_DIR_FOR_GOLDEN;
}

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string Joined(const std::vector<std::string>& args) {
  std::string joined;
  for (const std::string& arg : args) joined += " " + arg;
  return joined;
}

class GoldenKeys : public ::testing::TestWithParam<KeyTable> {};

TEST_P(GoldenKeys, GiveTheRecordedNameOfEveryKeyThroughTheLibraryAndTheCommand) {
  const KeyTable& table = GetParam();
  const std::filesystem::path chapter =
      SourceDir() / "chapters" / (std::string(table.stem) + ".qrv");
  const std::filesystem::path golden =
      SourceDir() / "tests" / "golden" / "keys" / (std::string(table.stem) + ".txt");
  const auto lexicon = quorvane::Lexicon::LoadFile(chapter.string());
  ASSERT_TRUE(lexicon) << lexicon.error().message;

  const std::vector<std::string> keys = Keys();
  std::string record = "# " + std::string(table.stem) + ".qrv" + Joined(table.args) +
                       " --world-seed " + std::to_string(table.world_seed) + ": key TAB name\n";
  std::string names;  // what `qorv generate --keys` must print
  std::set<std::string> distinct;
  for (const std::string& key : keys) {
    const std::string name = quorvane::NameFor(*lexicon, table.options, table.world_seed, key);
    record += key + "\t" + name + "\n";
    names += name + "\n";
    distinct.insert(name);
  }
  if (std::getenv("QORV_UPDATE_GOLDEN") != nullptr) {
    std::filesystem::create_directories(golden.parent_path());
    std::ofstream(golden, std::ios::binary) << record;
  }
  EXPECT_EQ(record, ReadWhole(golden)) << golden << " differs";

  testing::TempFolder folder;
  std::string key_lines;
  for (const std::string& key : keys) key_lines += key + "\n";
  std::vector<std::string> args = {"generate",     chapter.string(),
                                   "--keys",       folder.Write("keys.txt", key_lines),
                                   "--world-seed", std::to_string(table.world_seed)};
  args.insert(args.end(), table.args.begin(), table.args.end());
  const testing::Run run = testing::RunCommandLine(args);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, names);

  // Different keys give mostly different names.
  const double share = static_cast<double>(distinct.size()) / kKeys;
  std::cout << table.stem << ": " << distinct.size() << " distinct names of " << kKeys << " keys\n";
  EXPECT_GT(share, 0.5);
}

INSTANTIATE_TEST_SUITE_P(SampleChapters, GoldenKeys, ::testing::ValuesIn(kTables),
                         [](const auto& info) { return std::string(info.param.stem); });

}  // namespace
}  // namespace qorv
