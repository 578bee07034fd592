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

std::string Finish(std::string name, int punct_mode) {
  FinishAccents(name, punct_mode);
  return name;
}

std::string Capitalised(std::string name) {
  Capitalise(name);
  return name;
}

TEST(FinishAccentsTest, DoubledVowelsBecomeAcute) {
  EXPECT_EQ(Finish("TAAVI", 1), "T\xC1VI");
  EXPECT_EQ(Finish("BEELOOKIIRUU", 1), "B\xC9L\xD3K\xCDR\xDA");
  EXPECT_EQ(Finish("SYYL", 1), "S\xDDL");
}

TEST(FinishAccentsTest, TripledVowelsBecomeCircumflex) {
  EXPECT_EQ(Finish("AAAEEEIIIOOOUUU", 1), "\xC2\xCA\xCE\xD4\xDB");
  EXPECT_EQ(Finish("YYY", 1), "\xDDY");  // Y has no circumflex
}

TEST(FinishAccentsTest, LongerRunsAreContractedFromTheLeft) {
  EXPECT_EQ(Finish("AAAA", 1),
            "\xC2"
            "A");
  EXPECT_EQ(Finish("AAAAA", 1), "\xC2\xC1");
  EXPECT_EQ(Finish("AAAAAA", 1), "\xC2\xC2");
}

TEST(FinishAccentsTest, ModeOneLeavesDiaeresisPairsAlone) {
  EXPECT_EQ(Finish("LEANE", 1), "LEANE");
  EXPECT_EQ(Finish("EARON", 1), "EARON");
}

TEST(FinishAccentsTest, ModeTwoMarksEaAndEo) {
  EXPECT_EQ(Finish("LEANE", 2),
            "L\xCB"
            "AN\xCB");
  EXPECT_EQ(Finish("EARON", 2), "E\xC4RON");
  EXPECT_EQ(Finish("EON", 2), "E\xD6N");
  EXPECT_EQ(Finish("LEON", 2), "L\xCBON");
}

TEST(FinishAccentsTest, ModeTwoMarksAFinalE) {
  EXPECT_EQ(Finish("ANNE", 2), "ANN\xCB");
  EXPECT_EQ(Finish("ANNEE", 2), "ANN\xC9");  // contracted first, no plain E is left at the end
}

TEST(FinishAccentsTest, ModeTwoContractsToo) {
  EXPECT_EQ(Finish("TAAVI", 2), "T\xC1VI");
}

TEST(CapitaliseTest, TheRestGoesToLowerCase) {
  EXPECT_EQ(Capitalised("T\xC1VI"), "T\xE1vi");
  EXPECT_EQ(Capitalised("L\xCB"
                        "AN\xCB"),
            "L\xEB"
            "an\xEB");
  EXPECT_EQ(Capitalised("E\xC4RON"), "E\xE4ron");
  EXPECT_EQ(Capitalised("LIN\xCB"), "Lin\xEB");
  EXPECT_EQ(Capitalised("O'NEIL"), "O'neil");
}

TEST(CapitaliseTest, TheFirstLetterStaysAsItIs) {
  EXPECT_EQ(Capitalised("\xC9LAN"), "\xC9lan");
  EXPECT_EQ(Capitalised("\xC2"
                        "A"),
            "\xC2"
            "a");
}

TEST(CapitaliseTest, ALetterAfterAHyphenBecomesACapital) {
  EXPECT_EQ(Capitalised("ANNE-MARIE"), "Anne-Marie");
  EXPECT_EQ(Capitalised("JEAN-\xC9LISE"), "Jean-\xC9lise");
  EXPECT_EQ(Capitalised("ANNE-"), "Anne-");
  EXPECT_EQ(Capitalised("A--B"), "A--B");
}

TEST(CapitaliseTest, ALeadingHyphenDoesNotCapitaliseTheSecondLetter) {
  EXPECT_EQ(Capitalised("-ANNE"), "-anne");
}

TEST(CapitaliseTest, LettersWithoutPartnersKeepTheirForm) {
  EXPECT_EQ(Capitalised("SS\xDF"), "Ss\xDF");
}

}  // namespace
}  // namespace qorv
