#include "generator/finishing.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace qorv {
namespace {

class FinishingTest : public ::testing::Test {
 protected:
  FinishingTest() : stats_(std::make_unique<ChapterStatistics>()) {}

  void Specials(std::vector<std::string> texts) {
    stats_->SpecialConsonantCount = static_cast<int>(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) stats_->SpecialConsonants[i] = texts[i];
  }

  // Stores the elements and returns their ids, the row ended by -1.
  std::vector<ElementId> Elements(std::vector<std::string> coded, std::vector<bool> vowel) {
    std::vector<ElementId> ids;
    int vowels = 0;
    int consonants = 0;
    for (std::size_t i = 0; i < coded.size(); ++i) {
      if (vowel[i]) {
        stats_->VowelElements[vowels] = coded[i];
        ids.push_back(vowels++);
      } else {
        stats_->ConsonantElements[consonants] = coded[i];
        ids.push_back(kConsonantIdBase + consonants++);
      }
    }
    ids.push_back(kEndOfRow);
    return ids;
  }

  std::string Expand(std::string text) {
    ExpandSpecialConsonants(text, *stats_);
    return text;
  }

  std::unique_ptr<ChapterStatistics> stats_;
};

TEST_F(FinishingTest, SpecialAndSoftConsonantsAreWrittenOutAndTheTextUpperCased) {
  Specials({"TS", "SK"});
  const std::vector<ElementId> row = Elements({"t", "A", "1", "E"}, {false, true, false, true});
  EXPECT_EQ(AssembleCandidate(row, *stats_), "THASKE");
}

TEST_F(FinishingTest, OnlyTheElementsUpToTheEndMarkerAreJoined) {
  std::vector<ElementId> row = Elements({"B", "A", "R"}, {false, true, false});
  row[2] = kEndOfRow;
  EXPECT_EQ(AssembleCandidate(row, *stats_), "BA");
}

TEST_F(FinishingTest, SemivowelsBecomeCapitals) {
  const std::vector<ElementId> row = Elements({"y", "A", "Qu", "I"}, {false, true, false, true});
  EXPECT_EQ(AssembleCandidate(row, *stats_), "YAQUI");
}

TEST_F(FinishingTest, AccentedLettersKeepTheirForm) {
  // An accented small letter can only come from a special consonant's text.
  Specials({"\xE7"});  // ç
  const std::vector<ElementId> row =
      Elements({"0", "\xC9", "\xDF"}, {false, true, false});  // 0, É, ß
  EXPECT_EQ(AssembleCandidate(row, *stats_), "\xE7\xC9\xDF");
}

TEST_F(FinishingTest, EverySoftConsonantIsExpanded) {
  std::string text = "bcdfghjklmnpqrstvwxz";
  ExpandSoftConsonants(text);
  EXPECT_EQ(text, "BHCHDHFHGHHHJHKHLHMHNHPHQHRHSHTHVHWHXHZH");
  std::string others = "B\xC7\xE7y-u0";
  ExpandSoftConsonants(others);
  EXPECT_EQ(others, "B\xC7\xE7y-u0");
}

TEST_F(FinishingTest, SoftConsonantsInsideSpecialConsonantsAreExpandedToo) {
  Specials({"sh"});
  const std::vector<ElementId> row = Elements({"0", "A"}, {false, true});
  EXPECT_EQ(AssembleCandidate(row, *stats_), "SHHHA");
}

TEST_F(FinishingTest, DigitsBeyondTheSpecialConsonantCountStay) {
  Specials({"TS"});
  EXPECT_EQ(Expand("0A1"), "TSA1");
}

TEST_F(FinishingTest, EveryOccurrenceOfADigitIsReplaced) {
  Specials({"TS", "CH"});
  EXPECT_EQ(Expand("01A00"), "TSCHATSTS");
}

TEST_F(FinishingTest, TheScanResumesAfterTheInsertedText) {
  // Special consonant 0 holds its own digit: the inserted 0 is not expanded again.
  Specials({"T0"});
  EXPECT_EQ(Expand("0A0"), "T0AT0");
}

TEST_F(FinishingTest, ALaterPassExpandsDigitsThatAnEarlierPassInserted) {
  Specials({"1B", "K"});
  EXPECT_EQ(Expand("0A"), "KBA");
}

TEST_F(FinishingTest, AnEarlierPassDoesNotSeeDigitsThatALaterPassInserts) {
  Specials({"K", "0B"});
  EXPECT_EQ(Expand("1A"), "0BA");
}

TEST_F(FinishingTest, SpecialConsonantsHoldingEachOthersDigitsStopAtTheCap) {
  // Every pass doubles the text: 2^10 times 8 digits would be 8192 characters.
  Specials({"11", "22", "33", "44", "55", "66", "77", "88", "99", "BB"});
  const std::string text = Expand("00000000");
  // Pass 8 fills the text to the cap exactly with nines; pass 9 could only pass it.
  EXPECT_EQ(text, std::string(kMaxExpandedLength, '9'));
}

TEST_F(FinishingTest, AnInsertionThatReachesTheCapExactlyIsMade) {
  // 4094 letters and one digit become 4096 characters: not longer than the cap.
  Specials({"TS"});
  const std::string text = Expand(std::string(4094, 'B') + "0");
  EXPECT_EQ(text, std::string(4094, 'B') + "TS");
}

TEST_F(FinishingTest, AnInsertionThatWouldPassTheCapStopsTheExpansion) {
  Specials({"TS", "CH"});
  const std::string start = std::string(4095, 'B') + "01";
  const std::string text = Expand(start);
  EXPECT_EQ(text, start);  // 4098 characters would be too long; nothing further is expanded
}

TEST_F(FinishingTest, TheExpandedFormIsUpperCasedButKeepsSoftConsonantsSingle) {
  Specials({"ts", "K"});
  EXPECT_EQ(ExpandedConsonant("0t1", *stats_), "TSTK");
  EXPECT_EQ(ExpandedConsonant("y", *stats_), "Y");
}

}  // namespace
}  // namespace qorv
