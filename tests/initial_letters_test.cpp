// The letters a name can begin with, checked against the generator itself: every letter of
// PossibleInitialLetters begins a name, every other letter never does.
#include "generator/initial_letters.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "chapter/letters.h"
#include "tests/generator_test_support.h"

namespace qorv {
namespace {

using test::ChapterSource;
using test::FixedGenerator;
using test::TestChapter;

// Whether the generator gives a name under the initial letter `letter` within `attempts`
// attempts. (Prefixes are left off: their initial pairs compare a special consonant by its
// digit, so that a digit would "begin" names that begin with the consonant's letters.)
bool GeneratorBeginsWith(const TQorvChapter& chapter, const ChapterStatistics& stats, char letter,
                         int attempts) {
  NameGenerator generator = FixedGenerator();
  GenerationRequest request;
  request.Chapter = &chapter;
  request.Statistics = &stats;
  request.InitialLetter = letter;
  for (int i = 0; i < attempts; ++i) {
    if (!generator.GenerateOnce(request).empty()) return true;
  }
  return false;
}

// The upper-cased letters, each once: everything the initial-letter option can hold.
std::string CandidateLetters() {
  std::string letters;
  for (char c : AllLetters) {
    const char upper = AsciiUpper(AccentUpper(c));
    if (letters.find(upper) == std::string::npos) letters += upper;
  }
  return letters;
}

void ExpectTheGeneratorAgrees(const TQorvChapter& chapter, const ChapterStatistics& stats,
                              const std::string& label) {
  const std::string possible = PossibleInitialLetters(chapter, stats);
  for (const char letter : CandidateLetters()) {
    const bool listed = possible.find(letter) != std::string::npos;
    // A possible letter may be rare; an impossible one never comes.
    EXPECT_EQ(GeneratorBeginsWith(chapter, stats, letter, listed ? 20000 : 1500), listed)
        << label << ": letter " << letter << " (possible: " << possible << ")";
  }
}

TEST(PossibleInitialLetters, FollowTheRewritingOfTheFirstElement) {
  const struct {
    const char* label;
    ChapterSource source;
    const char* initial_letters;  // the Chapter's InitialLetters
    const char* possible;
  } cases[] = {
      {"plain", {.names = {"Arnhelm", "Brisa", "Corwen", "Eskil", "Brann"}}, "ABCE", "ABCE"},
      // A special consonant stands first as its expansion; a seed's own digit means one too.
      {"special", {.names = {"Ngaio", "Tama", "0ara"}, .spccon = "<NG>"}, "NT0", "NT"},
      {"soft", {.names = {"Thora", "Kari"}, .spccon = "SOFT"}, "TK", "TK"},
      {"qu", {.names = {"Quara", "Lemi"}, .genopt = "U:SEMI"}, "QL", "QL"},
      {"y con", {.names = {"Ylva", "Yara", "Bodo"}, .genopt = "Y:CON"}, "YB", "YB"},
      // Y:SEMI: the Y before a vowel is a consonant and can begin a name ...
      {"y semi", {.names = {"Yara", "Bodo", "Ylva"}, .genopt = "Y:SEMI"}, "YB", "YB"},
      // ... but a Y before a consonant is a vowel, which the driver never draws under Y while
      // some name begins with a consonant.
      {"y semi vowel", {.names = {"Ylva", "Bodo", "Anna"}, .genopt = "Y:SEMI"}, "YBA", "BA"},
      // With no name beginning with a consonant, the vowel Y can begin one.
      {"y semi only vowels", {.names = {"Ylva", "Anna"}, .genopt = "Y:SEMI"}, "YA", "YA"},
      {"accents",
       {.names = {"\xC9la", "\xE6rin",
                  "\xDF"
                  "ara"}},
       "\xC9\xC6\xDF",
       "\xC9\xC6\xDF"},
  };
  for (const auto& c : cases) {
    TestChapter chapter(c.source);
    EXPECT_EQ(chapter.chapter().InitialLetters, c.initial_letters) << c.label;
    EXPECT_EQ(PossibleInitialLetters(chapter.chapter(), chapter.stats()), c.possible) << c.label;
    ExpectTheGeneratorAgrees(chapter.chapter(), chapter.stats(), c.label);
  }
}

TEST(PossibleInitialLetters, AgreeWithTheGeneratorOnTheSampleChapters) {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  const std::filesystem::path chapters = std::filesystem::path(source ? source : ".") / "chapters";
  // A special consonant, Y:SEMI, Y:CON with accents.
  for (const char* name : {"coastal_villages.qrv", "burning_sands.qrv", "sunlit_vineyards.qrv"}) {
    PlainChapterClient client;
    TQorvChapter loaded;
    LoadChapter(loaded, (chapters / name).string(), 1000, client);
    ASSERT_TRUE(loaded.Loaded) << name << ": " << loaded.Message;
    ExpectTheGeneratorAgrees(loaded, client.Statistics(), name);
  }
}

}  // namespace
}  // namespace qorv
