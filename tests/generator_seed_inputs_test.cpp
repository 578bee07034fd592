// The generator's fuzz corpus: every seed's Chapter loads (the target asks for no name from a
// Chapter that does not), and the hand-made Chapters still reach the corners they were written
// for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/limits.h"
#include "chapter/loader.h"
#include "chapter/structure.h"
#include "generator/finishing.h"

namespace qorv {
namespace {

// Every input ends with this many option bytes after the Chapter.
constexpr std::size_t kOptionBytes = 16;

std::string CorpusDir() {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  return std::string(source ? source : ".") + "/fuzz/corpus/generator/";
}

std::string ChapterBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return bytes.size() < kOptionBytes ? std::string() : bytes.substr(0, bytes.size() - kOptionBytes);
}

// A seed's Chapter loaded as the fuzz target loads it.
class Seed {
 public:
  explicit Seed(const std::string& file) {
    const std::string bytes = ChapterBytes(CorpusDir() + file);
    const int estimate = std::clamp(ReadChapterTitle(bytes).NameCount, 1, kMaxNames);
    LoadChapterFromBytes(chapter_, bytes, estimate, client_);
  }

  const TQorvChapter& chapter() const { return chapter_; }
  const ChapterStatistics& stats() { return client_.Statistics(); }

  ElementId ConsonantId(const std::string& text) {
    for (int k = 0; k < chapter_.ConsonantElementCount; ++k) {
      if (stats().ConsonantElements[k] == text) return kConsonantIdBase + k;
    }
    return kEndOfRow;
  }

  // Seed names (by structure class) that begin with a vowel element, and with a consonant one.
  int NamesOfParity(int parity) {
    int names = 0;
    for (int c = parity; c < kStructureClasses; c += 2) names += stats().StructureNameCounts[c];
    return names;
  }

 private:
  TQorvChapter chapter_;
  PlainChapterClient client_;
};

TEST(GeneratorSeedInputsTest, EveryChapterLoads) {
  int seeds = 0;
  for (const auto& entry : std::filesystem::directory_iterator(CorpusDir())) {
    const std::string file = entry.path().filename().string();
    Seed seed(file);
    EXPECT_EQ(seed.chapter().Loaded, 1) << file << ": " << seed.chapter().Message;
    ++seeds;
  }
  EXPECT_GT(seeds, 0);
}

TEST(GeneratorSeedInputsTest, SpecialConsonantsThatHoldDigitsReachTheExpansionCap) {
  Seed seed("specials_digits_explode_plain");
  ASSERT_EQ(seed.chapter().Loaded, 1);
  const std::string expanded = ExpandedConsonant("0", seed.stats());
  EXPECT_LE(expanded.size(), kMaxExpandedLength);
  EXPECT_GT(expanded.size(), kMaxExpandedLength - 4);
  EXPECT_NE(seed.ConsonantId("0"), kEndOfRow);

  Seed chain("specials_digits_chain_plain");
  ASSERT_EQ(chain.chapter().Loaded, 1);
  EXPECT_EQ(ExpandedConsonant("0", chain.stats()), "TH");
}

TEST(GeneratorSeedInputsTest, MultiAndShuffleChaptersHoldWhatTheyAreFor) {
  Seed multi("multi_plain");
  ASSERT_EQ(multi.chapter().Loaded, 1);
  int multi_vowels = 0;
  for (int v = 0; v < multi.chapter().VowelElementCount; ++v) {
    multi_vowels += IsMultiVowel(multi.stats().VowelElements[v]) ? 1 : 0;
  }
  EXPECT_GT(multi_vowels, 0);

  Seed shuffle("shuffle_plain");
  ASSERT_EQ(shuffle.chapter().Loaded, 1);
  EXPECT_EQ(shuffle.chapter().Shuffle, 1);
  EXPECT_GT(shuffle.stats().MaxElementsPerName, 6);
}

TEST(GeneratorSeedInputsTest, YSemiChaptersBeginNamesWithAVowelY) {
  Seed mixed("y_semi_vowel_start_plain");
  ASSERT_EQ(mixed.chapter().Loaded, 1);
  EXPECT_EQ(mixed.chapter().YMode, 2);
  EXPECT_EQ(mixed.chapter().InitialLetters[0], 'Y');
  EXPECT_GT(mixed.NamesOfParity(1), 0);          // YRSA: the vowel Y first
  EXPECT_NE(mixed.ConsonantId("y"), kEndOfRow);  // YA: the consonant y first

  // Every name begins with the vowel Y: the initial letter Y fits no class that has names.
  Seed only("y_semi_only_vowel_y_plain");
  ASSERT_EQ(only.chapter().Loaded, 1);
  EXPECT_EQ(only.chapter().InitialLetters, "Y");
  EXPECT_EQ(only.NamesOfParity(0), 0);
}

TEST(GeneratorSeedInputsTest, ElementCountsAndPatternsReachTheirBounds) {
  Seed longest("elements_31_plain");
  ASSERT_EQ(longest.chapter().Loaded, 1);
  EXPECT_EQ(longest.stats().MaxElementsPerName, kMaxElementsPerName);

  Seed shortest("two_elements_only_plain");
  ASSERT_EQ(shortest.chapter().Loaded, 1);
  EXPECT_EQ(shortest.stats().MaxElementsPerName, 2);

  Seed wide("patterns_past_9_plain");
  ASSERT_EQ(wide.chapter().Loaded, 1);
  char widest = '0';
  for (int c = 0; c < kStructureClasses; ++c) {
    for (int j = 0; j < wide.stats().StructureCounts[c]; ++j) {
      for (char p : wide.stats().StructurePatterns[c][j]) widest = std::max(widest, p);
    }
  }
  EXPECT_EQ(widest, '0' + 12);  // the special consonant BCDFGHJKLMNP

  Seed many("names_1000_plain");
  ASSERT_EQ(many.chapter().Loaded, 1);
  EXPECT_EQ(many.chapter().NameCount, kMaxNames);
}

TEST(GeneratorSeedInputsTest, HistoryChaptersHaveOneOrTwoNames) {
  Seed one("history_one_name_plain");
  ASSERT_EQ(one.chapter().Loaded, 1);
  EXPECT_EQ(one.chapter().NameCount, 1);
  Seed two("history_two_names_plain");
  ASSERT_EQ(two.chapter().Loaded, 1);
  EXPECT_EQ(two.chapter().NameCount, 2);
}

}  // namespace
}  // namespace qorv
