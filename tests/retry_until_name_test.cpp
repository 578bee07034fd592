#include "generator/retry_until_name.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/generator_test_support.h"

namespace qorv {
namespace {

using test::FixedGenerator;
using test::TestChapter;

TEST(RetryUntilNameTest, ReturnsTheFirstNameAndCountsTheCalls) {
  // The initial pairs never match the letter K; the 17th attempt places single elements.
  TestChapter chapter({.names = {"KARA"}, .spccon = "<K>"});
  NameGenerator generator = FixedGenerator();
  GenerationRequest request = chapter.Request();
  request.Prefixes = true;
  request.InitialLetter = 'K';
  std::vector<int> calls;
  EXPECT_EQ(RetryUntilName(generator, request, [&calls](int n) { calls.push_back(n); }), "Kara");
  ASSERT_EQ(calls.size(), 17u);
  for (int i = 0; i < 17; ++i) EXPECT_EQ(calls[i], i + 1);
  EXPECT_EQ(generator.State().NewRequest, 1);
}

TEST(RetryUntilNameTest, ANameAtTheFirstCallCallsOnce) {
  TestChapter chapter({.names = {"BA"}});
  NameGenerator generator = FixedGenerator();
  int last_call = 0;
  EXPECT_EQ(RetryUntilName(generator, chapter.Request(), [&last_call](int n) { last_call = n; }),
            "Ba");
  EXPECT_EQ(last_call, 1);
}

TEST(RetryUntilNameTest, WorksWithoutACallback) {
  TestChapter chapter({.names = {"BA"}});
  NameGenerator generator = FixedGenerator();
  EXPECT_EQ(RetryUntilName(generator, chapter.Request()), "Ba");
}

TEST(RetryUntilNameTest, StopsAfterMaxCallsWhenEveryNameIsRecent) {
  TestChapter chapter({.names = {"BA"}});
  NameGenerator generator = FixedGenerator();
  generator.History().Add("Ba");
  int count = 0;
  int last_call = 0;
  const auto counter = [&](int n) {
    ++count;
    last_call = n;
  };
  // 200 calls: two give-up cycles of 77, then 46 attempts into a third request.
  EXPECT_EQ(RetryUntilName(generator, chapter.Request(), counter, 200), std::nullopt);
  EXPECT_EQ(count, 200);
  EXPECT_EQ(last_call, 200);
  EXPECT_EQ(generator.State().NewRequest, 1);
  // The next call starts a new request.
  generator.GenerateOnce(chapter.Request());
  EXPECT_EQ(generator.State().AttemptCount, 0);
}

TEST(RetryUntilNameTest, TheDefaultLimitIsTwentyThousandCalls) {
  EXPECT_EQ(kMaxCallsPerName, 20000);
  TestChapter chapter({.names = {"BA"}});
  NameGenerator generator = FixedGenerator();
  generator.History().Add("Ba");
  int last_call = 0;
  EXPECT_EQ(RetryUntilName(generator, chapter.Request(), [&last_call](int n) { last_call = n; }),
            std::nullopt);
  EXPECT_EQ(last_call, 20000);
  EXPECT_EQ(generator.State().NewRequest, 1);
}

}  // namespace
}  // namespace qorv
