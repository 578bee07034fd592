#include "generator/weighted_choices.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "generator/bit_set.h"
#include "generator/random_source.h"
#include "tests/generator_test_support.h"

namespace qorv {
namespace {

using Set = BitSet<256>;
using Weights = std::array<int, 256>;

// What a lookup must give: the set walked now.
void ExpectWalked(const MemberChoice& choice, const Set& set, const Weights& weights) {
  std::vector<int> members;
  std::vector<int> sums;
  set.ForEach([&](int member) {
    members.push_back(member);
    sums.push_back((sums.empty() ? 0 : sums.back()) + weights[member]);
  });
  ASSERT_EQ(choice.Count, static_cast<int>(members.size()));
  EXPECT_EQ(choice.Total, sums.empty() ? 0 : sums.back());
  for (int i = 0; i < choice.Count; ++i) {
    ASSERT_EQ(choice.Members[i], members[static_cast<std::size_t>(i)]) << "member " << i;
    ASSERT_EQ(choice.Sums[i], sums[static_cast<std::size_t>(i)]) << "member " << i;
  }
}

// A table far too small for the sets asked for, so that it fills and starts over again and
// again, asked for the same sets with two weight lists: every answer is the walk's, whether
// the set was held, met with the other weights, or lost when the table was emptied.
TEST(WeightedChoicesTest, EveryLookupGivesTheSetsWalk) {
  RandomSource random = test::SeededRandom(7);
  std::array<Weights, 2> weights;
  for (Weights& list : weights) {
    for (int& w : list) w = 1 + RandomBelow(random, 50);
  }
  std::vector<Set> sets(40);
  for (Set& set : sets) {
    const int members = RandomBelow(random, 60);
    for (int i = 0; i < members; ++i) set.Add(RandomBelow(random, 256));
  }
  WeightedChoices<Set> choices(16, 600);
  for (int i = 0; i < 2000; ++i) {
    const Set& set = sets[static_cast<std::size_t>(RandomBelow(random, 40))];
    const Weights& list = weights[static_cast<std::size_t>(RandomBelow(random, 2))];
    SCOPED_TRACE("lookup " + std::to_string(i));
    ExpectWalked(choices.Find(set, list), set, list);
    if (i == 1000) choices.Clear();
  }
}

}  // namespace
}  // namespace qorv
