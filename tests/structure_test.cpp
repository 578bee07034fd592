// Structure classes, length patterns and position counts.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chapter/structure.h"
#include "tests/chapter_source.h"

namespace qorv {
namespace {

using testing::ChapterSource;
using testing::Load;
using testing::WithNames;

using Slots = std::vector<std::pair<int, int>>;  // (slot, count) of every non-zero slot

Slots NonZero(const std::array<int, kPositionSlots>& row) {
  Slots slots;
  for (int slot = 0; slot < kPositionSlots; ++slot) {
    if (row[slot] != 0) slots.emplace_back(slot, row[slot]);
  }
  return slots;
}

class StructureTest : public ::testing::Test {
 protected:
  const ChapterStatistics& LoadSource(const ChapterSource& source) {
    chapter_ = Load(source, client_);
    EXPECT_EQ(chapter_.Loaded, 1) << chapter_.Message;
    return client_.Statistics();
  }
  const ChapterStatistics& LoadNames(std::vector<std::string> names) {
    return LoadSource(WithNames(std::move(names)));
  }

  const std::array<int, kPositionSlots>& Vowel(const std::string& element) {
    const ChapterStatistics& stats = client_.Statistics();
    for (int i = 0; i < chapter_.VowelElementCount; ++i) {
      if (stats.VowelElements[i] == element) return stats.VowelPositionCounts[i];
    }
    ADD_FAILURE() << "no vowel element " << element;
    return stats.VowelPositionCounts[255];
  }
  const std::array<int, kPositionSlots>& Consonant(const std::string& element) {
    const ChapterStatistics& stats = client_.Statistics();
    for (int i = 0; i < chapter_.ConsonantElementCount; ++i) {
      if (stats.ConsonantElements[i] == element) return stats.ConsonantPositionCounts[i];
    }
    ADD_FAILURE() << "no consonant element " << element;
    return stats.ConsonantPositionCounts[255];
  }

  PlainChapterClient client_;
  TQorvChapter chapter_;
};

TEST_F(StructureTest, TwoElementNamesUseTheFirstAndLastSlotsOnly) {
  const ChapterStatistics& stats = LoadNames({"Pa", "To", "Ab", "Pi"});
  EXPECT_EQ(stats.MaxElementsPerName, 2);
  EXPECT_EQ(NonZero(Consonant("P")), (Slots{{0, 2}}));
  EXPECT_EQ(NonZero(Vowel("A")), (Slots{{0, 1}, {1, 1}}));
  EXPECT_EQ(NonZero(Consonant("B")), (Slots{{1, 1}}));
  EXPECT_EQ(NonZero(Vowel("I")), (Slots{{1, 1}}));
  // Class 0 (consonant first) and class 1 (vowel first), each one pattern "11".
  EXPECT_EQ(stats.StructureNameCounts[0], 3);
  EXPECT_EQ(stats.StructureCounts[0], 1);
  EXPECT_EQ(stats.StructurePatterns[0][0], "11");
  EXPECT_EQ(stats.StructureWeights[0][0], 3);
  EXPECT_EQ(stats.StructureNameCounts[1], 1);
  EXPECT_EQ(stats.StructurePatterns[1][0], "11");
}

TEST_F(StructureTest, BananaAlone) {
  const ChapterStatistics& stats = LoadNames({"Banana"});
  EXPECT_EQ(stats.StructureNameCounts[8], 1);
  ASSERT_EQ(stats.StructureCounts[8], 1);
  EXPECT_EQ(stats.StructurePatterns[8][0], "111111");
  EXPECT_EQ(stats.StructureWeights[8][0], 1);
  // M = 6: d = 0, so each middle occurrence counts twice in its front slot.
  EXPECT_EQ(NonZero(Consonant("B")), (Slots{{0, 1}}));
  EXPECT_EQ(NonZero(Consonant("N")), (Slots{{1, 2}, {2, 2}}));
  EXPECT_EQ(NonZero(Vowel("A")), (Slots{{1, 2}, {2, 2}, {5, 1}}));
}

TEST_F(StructureTest, BananaBesideATenElementName) {
  LoadNames({"Banana", "Totototopu"});
  EXPECT_EQ(client_.Statistics().MaxElementsPerName, 10);
  // M = 10: d = 2, middle slots 1, 1, 2, 2 and again 3, 3, 4, 4; the last A in slot 9.
  EXPECT_EQ(NonZero(Consonant("B")), (Slots{{0, 1}}));
  EXPECT_EQ(NonZero(Consonant("N")), (Slots{{1, 1}, {2, 1}, {3, 1}, {4, 1}}));
  EXPECT_EQ(NonZero(Vowel("A")), (Slots{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {9, 1}}));
  // TOTOTOTOPU itself: n = M, d = 0. T at 0 and at 2, 4, 6 (slots 1, 2, 3, twice each).
  EXPECT_EQ(NonZero(Consonant("T")), (Slots{{0, 1}, {1, 2}, {2, 2}, {3, 2}}));
  EXPECT_EQ(NonZero(Vowel("O")), (Slots{{1, 2}, {2, 2}, {3, 2}, {4, 2}}));
  EXPECT_EQ(NonZero(Consonant("P")), (Slots{{4, 2}}));
  EXPECT_EQ(NonZero(Vowel("U")), (Slots{{9, 1}}));
}

TEST_F(StructureTest, VowelFirstNameShiftsByOneLess) {
  const ChapterStatistics& stats = LoadNames({"Ana"});
  EXPECT_EQ(stats.StructureNameCounts[3], 1);
  EXPECT_EQ(stats.StructurePatterns[3][0], "111");
  // M = 3, n = 3, v = 1: (3 - 3 - 1) / 2 truncates to 0.
  EXPECT_EQ(NonZero(Vowel("A")), (Slots{{0, 1}, {2, 1}}));
  EXPECT_EQ(NonZero(Consonant("N")), (Slots{{1, 2}}));

  LoadNames({"Ana", "Banana"});
  // M = 6: ANA has d = (6 - 3 - 1) / 2 = 1, so its N counts in slots 1 and 2.
  EXPECT_EQ(NonZero(Consonant("N")), (Slots{{1, 3}, {2, 3}}));

  LoadNames({"Etek", "Banana"});
  // M = 6: ETEK has d = (6 - 4 - 1) / 2 = 0; a consonant-first name of four would have 1.
  EXPECT_EQ(NonZero(Consonant("T")), (Slots{{1, 2}}));
  EXPECT_EQ(NonZero(Vowel("E")), (Slots{{0, 1}, {1, 2}}));
  EXPECT_EQ(NonZero(Consonant("K")), (Slots{{5, 1}}));
}

TEST_F(StructureTest, MultiVowelIsWrittenZero) {
  ChapterSource source = WithNames({"Banana"});
  source.spcvow = "MULTI";
  const ChapterStatistics& stats = LoadSource(source);
  EXPECT_EQ(stats.StructureNameCounts[4], 1);
  EXPECT_EQ(stats.StructurePatterns[4][0], "1011");
}

TEST_F(StructureTest, SpecialConsonantCountsItsLetters) {
  ChapterSource source = WithNames({"Tscha", "Atschk"});
  source.spccon = "<TSCH>";
  const ChapterStatistics& stats = LoadSource(source);
  EXPECT_EQ(stats.StructureNameCounts[0], 1);
  EXPECT_EQ(stats.StructurePatterns[0][0], "41");
  // A0K: one element of the code digit and K, five letters.
  EXPECT_EQ(stats.StructurePatterns[1][0], "15");
}

TEST_F(StructureTest, SoftYAndUCodesCountOneLetterEach) {
  ChapterSource source = WithNames({"Athyqua"});
  source.spccon = "SOFT";
  source.genopt = "Y:CON U:SEMI";
  const ChapterStatistics& stats = LoadSource(source);
  // A, tyQu, A
  EXPECT_EQ(stats.StructurePatterns[3][0], "141");
}

TEST_F(StructureTest, DigitBeyondTheSpecialConsonantsCountsOne) {
  ChapterSource source = WithNames({"A01b", "A1b"});
  source.spccon = "<TH>";
  const ChapterStatistics& stats = LoadSource(source);
  // A, 01B: "0" is TH (2), "1" names no special consonant (1), B (1).
  ASSERT_EQ(stats.StructureCounts[1], 2);
  EXPECT_EQ(stats.StructurePatterns[1][0], "14");
  EXPECT_EQ(stats.StructurePatterns[1][1], "12");
}

TEST_F(StructureTest, ShufflePoolsMiddleOccurrencesInSlotOne) {
  ChapterSource source = WithNames({"Banana"});
  source.genopt = "SHUFFLE";
  LoadSource(source);
  EXPECT_EQ(NonZero(Consonant("N")), (Slots{{1, 2}}));
  EXPECT_EQ(NonZero(Vowel("A")), (Slots{{1, 2}, {5, 1}}));
  EXPECT_EQ(NonZero(Consonant("B")), (Slots{{0, 1}}));
}

TEST_F(StructureTest, SameClassAndPatternAddWeight) {
  const ChapterStatistics& stats = LoadNames({"Bano", "Tira", "Brano", "Kelu"});
  // Class 4: BANO, TIRA, KELU share 1111; BRANO is 2111.
  EXPECT_EQ(stats.StructureNameCounts[4], 4);
  ASSERT_EQ(stats.StructureCounts[4], 2);
  EXPECT_EQ(stats.StructurePatterns[4][0], "1111");
  EXPECT_EQ(stats.StructureWeights[4][0], 3);
  EXPECT_EQ(stats.StructurePatterns[4][1], "2111");
  EXPECT_EQ(stats.StructureWeights[4][1], 1);
  EXPECT_EQ(stats.StructureWeights[4][2], 0);
  int classes_used = 0;
  for (int c = 0; c < kStructureClasses; ++c) classes_used += stats.StructureNameCounts[c] ? 1 : 0;
  EXPECT_EQ(classes_used, 1);
}

TEST_F(StructureTest, ElementOfTenLettersIsWrittenAsTheCharacterAfterNine) {
  const ChapterStatistics& stats = LoadNames({"Abcdfghjklm", "Strndfghjklmnpqa"});
  EXPECT_EQ(stats.StructurePatterns[1][0], "1:");
  EXPECT_EQ(stats.StructurePatterns[0][0], std::string(1, '0' + 15) + "1");
}

TEST_F(StructureTest, ThirtyOneElementsUseTheHighestClassAndLastSlot) {
  std::string name;
  for (int i = 0; i < 15; ++i) name += "BA";
  name += "B";
  const ChapterStatistics& stats = LoadNames({name, "Ab"});
  EXPECT_EQ(stats.StructureNameCounts[58], 1);
  EXPECT_EQ(stats.StructurePatterns[58][0], std::string(31, '1'));
  EXPECT_EQ(Consonant("B")[30], 2);  // last of the long name, and of AB
}

TEST(StructureHelpersTest, ClassAndPatternCharacter) {
  ElementRow row{};
  row[0] = 1000;
  row[1] = 0;
  EXPECT_EQ(StructureClass(row, 2), 0);
  EXPECT_EQ(StructureClass(row, 6), 8);
  row[0] = 0;
  EXPECT_EQ(StructureClass(row, 3), 3);
  EXPECT_EQ(StructureClass(row, 31), 59);
  EXPECT_EQ(LengthPatternChar(0), '0');
  EXPECT_EQ(LengthPatternChar(9), '9');
  EXPECT_EQ(LengthPatternChar(10), ':');
}

}  // namespace
}  // namespace qorv
