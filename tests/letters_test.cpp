#include "chapter/letters.h"

#include <gtest/gtest.h>

namespace qorv {
namespace {

TEST(LettersTest, ClassesHaveTheirFixedSizesAndAreDisjoint) {
  EXPECT_EQ(ConsonantLetters.size(), 64u);
  EXPECT_EQ(VowelLetters.size(), 63u);
  EXPECT_EQ(AllLetters.size(), 127u);
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    EXPECT_FALSE(IsConsonant(c) && IsVowel(c)) << b;
  }
  EXPECT_EQ(AllLetters.substr(0, 64), ConsonantLetters);
  EXPECT_EQ(AllLetters.substr(64), VowelLetters);
}

TEST(LettersTest, CaseDecidesTheClassOfYAndU) {
  EXPECT_TRUE(IsVowel('Y'));
  EXPECT_TRUE(IsVowel('U'));
  EXPECT_TRUE(IsConsonant('y'));
  EXPECT_TRUE(IsConsonant('u'));
  EXPECT_TRUE(IsConsonant('-'));
  EXPECT_TRUE(IsConsonant('7'));
  EXPECT_TRUE(IsVowel('\''));
  for (char c : {'a', 'e', 'i', 'o', ' ', '"'}) {
    EXPECT_FALSE(IsVowel(c) || IsConsonant(c)) << c;
  }
}

TEST(LettersTest, IndexesFollowTheTableOrder) {
  EXPECT_EQ(ConsonantIndex('B'), 0);
  EXPECT_EQ(ConsonantIndex('b'), 20);
  EXPECT_EQ(ConsonantIndex('\xE7'), 40);  // ç
  EXPECT_EQ(ConsonantIndex('\xDF'), 50);  // ß
  EXPECT_EQ(ConsonantIndex('0'), 51);
  EXPECT_EQ(ConsonantIndex('y'), 61);
  EXPECT_EQ(ConsonantIndex('-'), 63);
  EXPECT_EQ(ConsonantIndex('A'), -1);
  EXPECT_EQ(LetterIndex('A'), 64);
  EXPECT_EQ(LetterIndex('\''), 126);
  EXPECT_EQ(LetterIndex(' '), -1);
}

TEST(LettersTest, AccentsChangeCaseOnlyThroughThePairLists) {
  EXPECT_EQ(AccentUpper('\xE9'), '\xC9');  // é -> É
  EXPECT_EQ(AccentLower('\x8A'), '\x9A');  // Š -> š
  EXPECT_EQ(AccentUpper('\xDF'), '\xDF');  // ß has no partner
  EXPECT_EQ(AsciiUpper('\xE9'), '\xE9');
  EXPECT_EQ(AsciiUpper('q'), 'Q');
  EXPECT_EQ(AsciiLower('Q'), 'q');
  for (std::size_t i = 0; i < UpperAccentLetters.size(); ++i) {
    EXPECT_EQ(AccentLower(UpperAccentLetters[i]), LowerAccentLetters[i]);
    EXPECT_EQ(AccentUpper(LowerAccentLetters[i]), UpperAccentLetters[i]);
  }
}

}  // namespace
}  // namespace qorv
