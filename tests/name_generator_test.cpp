// The request driver: seeding, request state, class and pattern draws, relaxation, give-up.
#include "generator/name_generator.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <ctime>
#include <string>

#include "chapter/chapter.h"
#include "tests/generator_test_support.h"

namespace qorv {
namespace {

using test::ChapterSource;
using test::DrawsBetween;
using test::FixedGenerator;
using test::SeededRandom;
using test::TestChapter;

// Upper-case letters joined into a name as the finishing gives it (no accents involved).
std::string AsName(std::string letters) {
  for (std::size_t i = 1; i < letters.size(); ++i) {
    letters[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(letters[i])));
  }
  return letters;
}

char Pick(RandomSource& reference, const char* letters) {
  const int n = static_cast<int>(std::char_traits<char>::length(letters));
  return letters[RandomBelow(reference, n)];
}

// Two names of class 4 with the same pattern: the candidates of every position are known.
// Position 0: B D; position 1 (slot 1): A I; position 2 (slot 1): N R; position 3: O U.
const ChapterSource kTwoByFour = {.names = {"BANO", "DIRU"}};

TEST(DrawOrderTest, ClassThenSplitPointThenOneValuePerPosition) {
  TestChapter chapter(kTwoByFour);
  NameGenerator generator = FixedGenerator();
  RandomSource reference = SeededRandom();
  RandomBelow(reference, 2);  // the class: only class 4 has names
  RandomBelow(reference, 2);  // the split point, 1 or 2
  std::string letters;
  letters += Pick(reference, "BD");
  letters += Pick(reference, "AI");
  letters += Pick(reference, "NR");
  letters += Pick(reference, "OU");
  EXPECT_EQ(generator.GenerateOnce(chapter.Request()), AsName(letters));
  EXPECT_EQ(generator.Random().State(), reference.State());
}

TEST(DrawOrderTest, StructuralAddsOnePatternDrawAfterTheClass) {
  for (bool statistical : {false, true}) {
    TestChapter chapter(kTwoByFour);
    NameGenerator generator = FixedGenerator();
    GenerationRequest request = chapter.Request();
    request.Structural = true;
    request.Statistical = statistical;
    RandomSource reference = SeededRandom();
    RandomBelow(reference, 2);  // class
    RandomBelow(reference, 1);  // pattern: one pattern, still a draw
    RandomBelow(reference, 2);  // split point
    // With Statistical on, the weights are the position counts: first and last elements are
    // counted once at their slot, middle ones twice.
    const struct {
      const char* candidates;
      int weight;
    } positions[] = {{"BD", 1}, {"AI", 2}, {"NR", 2}, {"OU", 1}};
    std::string letters;
    for (const auto& at : positions) {
      const std::array<int, 2> weights = {at.weight, at.weight};
      letters += statistical ? at.candidates[WeightedPick(reference, weights, 2 * at.weight)]
                             : Pick(reference, at.candidates);
    }
    EXPECT_EQ(generator.GenerateOnce(request), AsName(letters)) << statistical;
    EXPECT_EQ(generator.Random().State(), reference.State()) << statistical;
  }
}

TEST(DrawOrderTest, TwoElementsDrawNoSplitPoint) {
  TestChapter chapter({.names = {"BA", "BE", "DA"}});
  NameGenerator generator = FixedGenerator();
  RandomSource reference = SeededRandom();
  RandomBelow(reference, 3);  // class 0
  std::string letters;
  letters += Pick(reference, "BD");
  letters += Pick(reference, "AE");
  EXPECT_EQ(generator.GenerateOnce(chapter.Request()), AsName(letters));
  EXPECT_EQ(DrawsBetween(SeededRandom(), generator.Random()), 3);
}

TEST(DrawOrderTest, ARetryDrawsNoClassAndNoPattern) {
  TestChapter chapter({.names = {"BA"}});
  NameGenerator generator = FixedGenerator();
  generator.History().Add("Ba");
  GenerationRequest request = chapter.Request();
  request.Structural = true;
  ASSERT_EQ(generator.GenerateOnce(request), "");
  EXPECT_EQ(DrawsBetween(SeededRandom(), generator.Random()), 4);  // class, pattern, B, A
  const RandomSource before = generator.Random();
  ASSERT_EQ(generator.GenerateOnce(request), "");
  EXPECT_EQ(DrawsBetween(before, generator.Random()), 2);  // B, A
}

TEST(SeedingTest, TheClockIsReadOncePerLoadedChapter) {
  TestChapter chapter(kTwoByFour);
  int clock_reads = 0;
  NameGenerator generator({}, [&clock_reads] {
    ++clock_reads;
    return test::kSeed;
  });
  EXPECT_EQ(generator.State().RandomSeeded, 0);
  const std::string first = generator.GenerateOnce(chapter.Request());
  EXPECT_EQ(clock_reads, 1);
  EXPECT_EQ(generator.State().RandomSeeded, 1);
  const RandomSource after_first = generator.Random();
  for (int i = 0; i < 5; ++i) generator.GenerateOnce(chapter.Request());
  EXPECT_EQ(clock_reads, 1);

  chapter.Load(kTwoByFour);  // a new load, told to the generator: seeded again, history emptied
  generator.StartChapter();
  EXPECT_EQ(generator.State().RandomSeeded, 0);
  EXPECT_EQ(generator.History().NameHistoryCount, 0);
  EXPECT_EQ(generator.GenerateOnce(chapter.Request()), first);
  EXPECT_EQ(clock_reads, 2);
  EXPECT_EQ(generator.Random().State(), after_first.State());
}

TEST(SeedingTest, TheSeedIsTheClockValue) {
  TestChapter chapter({.names = {"BA"}});
  NameGenerator generator = FixedGenerator({}, 0xFFFFFFFFu);
  generator.GenerateOnce(chapter.Request());
  EXPECT_EQ(DrawsBetween(SeededRandom(0xFFFFFFFFu), generator.Random()), 3);
}

TEST(SeedingTest, TheSystemClockGivesTheTimeInSeconds) {
  const auto now = static_cast<std::uint32_t>(std::time(nullptr));
  const std::uint32_t seed = NameGenerator::SystemClock();
  EXPECT_LE(seed - now, 1u);
}

TEST(RequestStateTest, AttemptsAreCountedUntilANameIsAccepted) {
  TestChapter chapter({.names = {"BA", "BE"}});
  NameGenerator generator = FixedGenerator();
  generator.History().Add("Ba");
  EXPECT_EQ(generator.State().NewRequest, 1);
  int calls = 0;
  std::string name;
  while (name.empty() && calls < 50) {
    name = generator.GenerateOnce(chapter.Request());
    EXPECT_EQ(generator.State().AttemptCount, calls);
    ++calls;
    if (name.empty()) {
      EXPECT_EQ(generator.State().NewRequest, 0);
    }
  }
  EXPECT_EQ(name, "Be");
  EXPECT_EQ(generator.State().NewRequest, 1);
  generator.GenerateOnce(chapter.Request());  // both names are now recent: rejected
  EXPECT_EQ(generator.State().AttemptCount, 0);
  EXPECT_EQ(generator.State().NewRequest, 0);
}

TEST(RequestStateTest, AChapterThatDidNotLoadGivesNoNameAndDrawsNothing) {
  TQorvChapter chapter;
  PlainChapterClient client;
  LoadChapterFromBytes(chapter, "TITLE \"x\";", 1, client);
  ASSERT_EQ(chapter.Loaded, 0);
  NameGenerator generator = FixedGenerator();
  GenerationRequest request;
  request.Chapter = &chapter;
  EXPECT_EQ(generator.GenerateOnce(request), "");
  EXPECT_EQ(generator.Random().State(), 0u);
}

TEST(ClassDrawTest, ClassesAreWeightedByTheirNameCounts) {
  // Three names of class 0, one of class 4.
  TestChapter chapter({.names = {"BA", "BE", "BO", "BANO"}});
  NameGenerator generator = FixedGenerator();
  generator.GenerateOnce(chapter.Request());  // seeds the source
  int class_zero = 0;
  for (int i = 0; i < 2000; ++i) {
    generator.State().NewRequest = 1;
    RandomSource reference = generator.Random();
    const int expected = RandomBelow(reference, 4) < 3 ? 0 : 4;
    generator.GenerateOnce(chapter.Request());
    ASSERT_EQ(generator.State().RequestClass, expected) << i;
    class_zero += expected == 0;
  }
  EXPECT_NEAR(class_zero, 1500, 80);
}

TEST(ClassDrawTest, StatisticalDoesNotChangeTheClassDraw) {
  TestChapter chapter({.names = {"BA", "BE", "BO", "BANO"}});
  NameGenerator generator = FixedGenerator();
  GenerationRequest request = chapter.Request();
  request.Statistical = true;
  generator.GenerateOnce(request);
  for (int i = 0; i < 200; ++i) {
    generator.State().NewRequest = 1;
    RandomSource reference = generator.Random();
    const int expected = RandomBelow(reference, 4) < 3 ? 0 : 4;
    generator.GenerateOnce(request);
    ASSERT_EQ(generator.State().RequestClass, expected) << i;
  }
}

// The classes drawn over many new requests with one initial letter, and whether the draw ever
// had to be repeated.
struct ClassTally {
  int even = 0;
  int odd = 0;
  int redraws = 0;
};

ClassTally DrawClasses(TestChapter& chapter, char initial_letter, int requests = 300) {
  NameGenerator generator = FixedGenerator();
  GenerationRequest request = chapter.Request();
  request.InitialLetter = initial_letter;
  ClassTally tally;
  for (int i = 0; i < requests; ++i) {
    generator.State().NewRequest = 1;
    const RandomSource before = i == 0 ? SeededRandom() : generator.Random();
    generator.GenerateOnce(request);
    (generator.State().RequestClass % 2 == 0 ? tally.even : tally.odd)++;
    // A first draw of the other parity must have been repeated.
    RandomSource reference = before;
    int walk = RandomBelow(reference, chapter.chapter().NameCount);
    int first_class = 0;
    while (walk >= chapter.stats().StructureNameCounts[first_class]) {
      walk -= chapter.stats().StructureNameCounts[first_class++];
    }
    tally.redraws += first_class != generator.State().RequestClass;
  }
  return tally;
}

TEST(ClassDrawTest, AVowelInitialSelectsOnlyOddClasses) {
  TestChapter chapter({.names = {"BA", "ABA"}});
  const ClassTally tally = DrawClasses(chapter, 'A');
  EXPECT_EQ(tally.even, 0);
  EXPECT_GT(tally.redraws, 0);
}

TEST(ClassDrawTest, AConsonantInitialSelectsOnlyEvenClasses) {
  TestChapter chapter({.names = {"BA", "ABA"}});
  const ClassTally tally = DrawClasses(chapter, 'B');
  EXPECT_EQ(tally.odd, 0);
  EXPECT_GT(tally.redraws, 0);
}

TEST(ClassDrawTest, AnyLetterAcceptsEveryClass) {
  TestChapter chapter({.names = {"BA", "ABA"}});
  const ClassTally tally = DrawClasses(chapter, '*');
  EXPECT_GT(tally.even, 100);
  EXPECT_GT(tally.odd, 100);
  EXPECT_EQ(tally.redraws, 0);
}

TEST(ClassDrawTest, WithoutYModeAnInitialYIsAVowel) {
  TestChapter chapter({.names = {"YBA", "BA"}});  // Y B A: class 3
  const ClassTally tally = DrawClasses(chapter, 'Y');
  EXPECT_EQ(tally.even, 0);
  EXPECT_GT(tally.redraws, 0);
}

TEST(ClassDrawTest, WithYConOrYSemiAnInitialYIsAConsonant) {
  for (const char* mode : {"Y:CON", "Y:SEMI"}) {
    TestChapter chapter({.names = {"YA", "ABA"}, .genopt = mode});  // yA: class 0
    const ClassTally tally = DrawClasses(chapter, 'Y');
    EXPECT_EQ(tally.odd, 0) << mode;
    EXPECT_GT(tally.redraws, 0) << mode;
  }
}

TEST(ClassDrawTest, WhenNoClassFitsTheFirstDrawIsTaken) {
  // Under Y:SEMI the Y of YRA is a vowel (class 3), but an initial Y asks for an even class.
  TestChapter chapter({.names = {"YRA"}, .genopt = "Y:SEMI"});
  NameGenerator generator = FixedGenerator();
  GenerationRequest request = chapter.Request();
  request.InitialLetter = 'Y';
  EXPECT_EQ(generator.GenerateOnce(request), "Yra");
  EXPECT_EQ(generator.State().RequestClass, 3);
  // One class draw, the split point, three positions.
  EXPECT_EQ(DrawsBetween(SeededRandom(), generator.Random()), 5);
}

TEST(ClassDrawTest, ALetterOfNeitherClassFitsNoneAndTakesTheFirstDraw) {
  TestChapter chapter({.names = {"BA", "ABA"}});
  const ClassTally tally = DrawClasses(chapter, '?');
  EXPECT_EQ(tally.redraws, 0);
  EXPECT_GT(tally.even, 100);
  EXPECT_GT(tally.odd, 100);
}

// Class 4 with the patterns 1111 (three names) and 2111 (one name).
const ChapterSource kTwoPatterns = {.names = {"BANO", "DIRU", "KELA", "BRANO"}};

int DrawPatterns(bool statistical) {
  TestChapter chapter(kTwoPatterns);
  NameGenerator generator = FixedGenerator();
  GenerationRequest request = chapter.Request();
  request.Structural = true;
  request.Statistical = statistical;
  generator.GenerateOnce(request);
  int first = 0;
  for (int i = 0; i < 2000; ++i) {
    generator.State().NewRequest = 1;
    RandomSource reference = generator.Random();
    RandomBelow(reference, 4);  // the class
    const int expected =
        statistical ? (RandomBelow(reference, 4) < 3 ? 0 : 1) : RandomBelow(reference, 2);
    generator.GenerateOnce(request);
    EXPECT_EQ(generator.State().RequestPattern, expected) << i;
    EXPECT_EQ(generator.State().RequestPatternDrawn, 1);
    first += expected == 0;
  }
  return first;
}

TEST(PatternDrawTest, StatisticalOffDrawsPatternsUniformly) {
  EXPECT_NEAR(DrawPatterns(false), 1000, 80);
}

TEST(PatternDrawTest, StatisticalOnWeighsPatternsByTheirNames) {
  EXPECT_NEAR(DrawPatterns(true), 1500, 80);
}

TEST(PatternDrawTest, WithoutStructuralNoPatternIsDrawn) {
  TestChapter chapter(kTwoPatterns);
  NameGenerator generator = FixedGenerator();
  generator.State().RequestPattern = 77;
  generator.GenerateOnce(chapter.Request());
  EXPECT_EQ(generator.State().RequestPattern, 77);
  EXPECT_EQ(generator.State().RequestPatternDrawn, 0);
  // Class, split point, four positions.
  EXPECT_EQ(DrawsBetween(SeededRandom(), generator.Random()), 6);
}

// BA alone, with its length pattern changed to one that no element fits at position 1.
class UnfitPatternTest : public ::testing::Test {
 protected:
  UnfitPatternTest() : chapter_({.names = {"BA"}}) {
    chapter_.stats().StructurePatterns[0][0] = "19";
  }

  GenerationRequest Request(bool structural, char initial_letter = '*') {
    GenerationRequest request = chapter_.Request();
    request.Structural = structural;
    request.InitialLetter = initial_letter;
    return request;
  }

  TestChapter chapter_;
  NameGenerator generator_ = FixedGenerator();
};

TEST_F(UnfitPatternTest, TheThirtyFirstAttemptKeepsThePatternAndTheThirtySecondDropsIt) {
  for (int attempt = 1; attempt <= 31; ++attempt) {
    ASSERT_EQ(generator_.GenerateOnce(Request(true)), "") << attempt;
  }
  EXPECT_EQ(generator_.GenerateOnce(Request(true)), "Ba");
  EXPECT_EQ(generator_.State().AttemptCount, 31);
}

TEST_F(UnfitPatternTest, StructuralSwitchedOnMidRequestBringsNoPattern) {
  ASSERT_EQ(generator_.GenerateOnce(Request(false, 'Z')), "");  // fails at position 0
  EXPECT_EQ(generator_.State().RequestPatternDrawn, 0);
  EXPECT_EQ(generator_.GenerateOnce(Request(true)), "Ba");
}

TEST_F(UnfitPatternTest, APatternDrawnAtTheFirstAttemptStaysForTheRequest) {
  ASSERT_EQ(generator_.GenerateOnce(Request(true, 'Z')), "");
  EXPECT_EQ(generator_.State().RequestPatternDrawn, 1);
  EXPECT_EQ(generator_.GenerateOnce(Request(true)), "");
  EXPECT_EQ(generator_.GenerateOnce(Request(false)), "Ba");  // switched off by the caller
}

TEST(RelaxationTest, TheSixteenthAttemptKeepsInitialPairsAndTheSeventeenthDropsThem) {
  // K is special consonant 0: no initial pair begins with the letter K, the single element does.
  TestChapter chapter({.names = {"KARA"}, .spccon = "<K>"});
  NameGenerator generator = FixedGenerator();
  GenerationRequest request = chapter.Request();
  request.Prefixes = true;
  request.InitialLetter = 'K';
  for (int attempt = 1; attempt <= 16; ++attempt) {
    ASSERT_EQ(generator.GenerateOnce(request), "") << attempt;
  }
  EXPECT_EQ(generator.GenerateOnce(request), "Kara");
  EXPECT_EQ(generator.State().AttemptCount, 16);
}

TEST(RelaxationTest, TheSixteenthAttemptKeepsFinalPairsAndTheSeventeenthDropsThem) {
  TestChapter chapter({.names = {"BARO"}});
  for (auto& row : chapter.stats().FinalPairThirdLast) row.fill(0);  // no final pair fits
  NameGenerator generator = FixedGenerator();
  GenerationRequest request = chapter.Request();
  request.Suffixes = true;
  request.Structural = true;
  request.GenerationLevel = 1;
  for (int attempt = 1; attempt <= 16; ++attempt) {
    ASSERT_EQ(generator.GenerateOnce(request), "") << attempt;
  }
  EXPECT_EQ(generator.GenerateOnce(request), "Baro");
}

TEST(GiveUpTest, TheSeventySeventhAttemptGivesUpAndTheSeventyEighthStartsAgain) {
  TestChapter chapter({.names = {"BA"}});
  NameGenerator generator = FixedGenerator();
  generator.History().Add("Ba");
  for (int attempt = 1; attempt <= 76; ++attempt) {
    ASSERT_EQ(generator.GenerateOnce(chapter.Request()), "") << attempt;
    ASSERT_EQ(generator.State().NewRequest, 0) << attempt;
  }
  const RandomSource before_give_up = generator.Random();
  EXPECT_EQ(generator.GenerateOnce(chapter.Request()), "");
  EXPECT_EQ(generator.State().NewRequest, 1);
  EXPECT_EQ(generator.State().AttemptCount, 76);
  EXPECT_EQ(generator.Random().State(), before_give_up.State());  // nothing drawn

  EXPECT_EQ(generator.GenerateOnce(chapter.Request()), "");
  EXPECT_EQ(generator.State().AttemptCount, 0);
  EXPECT_EQ(generator.State().NewRequest, 0);
  EXPECT_EQ(DrawsBetween(before_give_up, generator.Random()), 3);  // a class again, B, A
}

}  // namespace
}  // namespace qorv
