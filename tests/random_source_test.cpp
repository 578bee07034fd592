#include "generator/random_source.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "tests/generator_test_support.h"

namespace qorv {
namespace {

using test::SeededRandom;

TEST(RandomSourceTest, SeedTwelveThousandThreeHundredFortyFiveGivesTheKnownValues) {
  RandomSource random = SeededRandom(12345);
  EXPECT_EQ(random.Next(), 68391300u);
  EXPECT_EQ(random.Next(), 482790092u);
  EXPECT_EQ(random.Next(), 218732710u);
}

TEST(RandomSourceTest, SeedFillsOnlyTheLowerHalfOfTheState) {
  RandomSource random;
  random.Next();
  random.Seed(0xFFFFFFFFu);
  EXPECT_EQ(random.State(), 0x00000000FFFFFFFFull);
}

TEST(RandomSourceTest, ValuesNeverUseTheTopBit) {
  RandomSource random = SeededRandom(0xFFFFFFFFu);
  bool high_half_seen = false;
  for (int i = 0; i < 10000; ++i) {
    const std::uint32_t value = random.Next();
    EXPECT_LE(value, 0x7FFFFFFFu);
    high_half_seen = high_half_seen || value >= 0x40000000u;
  }
  EXPECT_TRUE(high_half_seen);  // the values do reach the upper range that is left
}

TEST(RandomSourceTest, StateFollowsTheRecurrenceModuloTwoToTheSixtyFour) {
  RandomSource random = SeededRandom(0xDEADBEEFu);
  std::uint64_t state = 0xDEADBEEFu;
  for (int i = 0; i < 100; ++i) {
    state = state * 0x000015A400004E35ull + 1;
    EXPECT_EQ(random.Next(), static_cast<std::uint32_t>(state >> 32) & 0x7FFFFFFFu);
    EXPECT_EQ(random.State(), state);
  }
}

TEST(RandomBelowTest, ZeroDrawsNothing) {
  RandomSource random = SeededRandom();
  EXPECT_EQ(RandomBelow(random, 0), 0);
  EXPECT_EQ(random.State(), 12345u);
  EXPECT_EQ(random.Next(), 68391300u);  // the first value is still to come
}

TEST(RandomBelowTest, OneDrawsAValueAndGivesZero) {
  RandomSource random = SeededRandom();
  EXPECT_EQ(RandomBelow(random, 1), 0);
  EXPECT_EQ(random.Next(), 482790092u);
}

TEST(RandomBelowTest, TakesTheNextValueModuloN) {
  RandomSource random = SeededRandom();
  EXPECT_EQ(RandomBelow(random, 1000), 68391300 % 1000);
  EXPECT_EQ(RandomBelow(random, 7), 482790092 % 7);
  EXPECT_EQ(RandomBelow(random, 0x7FFFFFFF), 218732710);
}

TEST(WeightedPickTest, PicksTheFirstItemWhoseRunningSumExceedsTheDraw) {
  // r = 68391300 % 10 = 0, 482790092 % 10 = 2, 218732710 % 10 = 0.
  const std::array<int, 3> weights = {1, 2, 7};
  RandomSource random = SeededRandom();
  EXPECT_EQ(WeightedPick(random, weights, 10), 0);  // r 0 < 1
  EXPECT_EQ(WeightedPick(random, weights, 10), 1);  // r 2 < 1 + 2
  EXPECT_EQ(WeightedPick(random, weights, 10), 0);
  RandomSource reference = SeededRandom();
  for (int i = 0; i < 200; ++i) {
    const int r = static_cast<int>(reference.Next() % 10);
    const int expected = r < 1 ? 0 : r < 3 ? 1 : 2;
    if (i >= 3) {
      EXPECT_EQ(WeightedPick(random, weights, 10), expected) << i;
    }
  }
}

TEST(WeightedPickTest, DrawsOneValueEvenForASingleItem) {
  const std::array<int, 1> weights = {5};
  RandomSource random = SeededRandom();
  EXPECT_EQ(WeightedPick(random, weights, 5), 0);
  EXPECT_EQ(random.Next(), 482790092u);
}

TEST(WeightedPickTest, ItemsOfWeightZeroAreNeverChosen) {
  const std::array<int, 5> weights = {0, 3, 0, 1, 0};
  RandomSource random = SeededRandom(99);
  std::array<int, 5> picked{};
  for (int i = 0; i < 4000; ++i) ++picked[WeightedPick(random, weights, 4)];
  EXPECT_EQ(picked[0], 0);
  EXPECT_EQ(picked[2], 0);
  EXPECT_EQ(picked[4], 0);
  // Three to one, within a few percent.
  EXPECT_NEAR(picked[1], 3000, 150);
  EXPECT_NEAR(picked[3], 1000, 150);
}

TEST(WeightedPickTest, FollowsTheWeightsOverManyDraws) {
  const std::vector<int> weights = {9, 1};
  RandomSource random = SeededRandom();
  int first = 0;
  for (int i = 0; i < 10000; ++i) first += WeightedPick(random, weights, 10) == 0;
  EXPECT_NEAR(first, 9000, 200);
}

}  // namespace
}  // namespace qorv
