#include "tests/statistics_compare.h"

#include <string>

namespace qorv::testing {
namespace {

bool SamePairs(const std::array<ElementPair, kMaxNames>& a,
               const std::array<ElementPair, kMaxNames>& b) {
  for (int i = 0; i < kMaxNames; ++i) {
    if (a[i].first != b[i].first || a[i].second != b[i].second) return false;
  }
  return true;
}

template <typename Table>
bool SamePrefix(const Table& a, const Table& b, int count) {
  for (int i = 0; i < count; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

// The tables that a load clears in full and refills.
::testing::AssertionResult SameClearedTables(const ChapterStatistics& a,
                                             const ChapterStatistics& b) {
#define QORV_SAME(field) \
  if (!(a.field == b.field)) return ::testing::AssertionFailure() << #field " differs"
  QORV_SAME(SpecialConsonantCount);
  QORV_SAME(MaxElementsPerName);
  QORV_SAME(VowelPositionCounts);
  QORV_SAME(ConsonantPositionCounts);
  QORV_SAME(InitialPairCount);
  QORV_SAME(FinalPairCount);
  QORV_SAME(InitialPairWeights);
  QORV_SAME(FinalPairWeights);
  QORV_SAME(MinRepeatDistance);
  QORV_SAME(MaxLetterPercent);
  QORV_SAME(StructureNameCounts);
  QORV_SAME(StructureCounts);
  QORV_SAME(StructureWeights);
  QORV_SAME(VowelAfterConsonant);
  QORV_SAME(ConsonantAfterVowel);
  QORV_SAME(ConsonantAcrossVowel);
  QORV_SAME(VowelAcrossConsonant);
  QORV_SAME(FinalPairThirdLast);
  QORV_SAME(FinalPairFourthLast);
#undef QORV_SAME
  if (!SamePairs(a.InitialPairs, b.InitialPairs)) {
    return ::testing::AssertionFailure() << "InitialPairs differs";
  }
  if (!SamePairs(a.FinalPairs, b.FinalPairs)) {
    return ::testing::AssertionFailure() << "FinalPairs differs";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace

::testing::AssertionResult SameStatistics(const ChapterStatistics& a, const ChapterStatistics& b) {
  auto result = SameClearedTables(a, b);
  if (!result) return result;
  if (a.SpecialConsonants != b.SpecialConsonants) {
    return ::testing::AssertionFailure() << "SpecialConsonants differs";
  }
  if (a.VowelElements != b.VowelElements) {
    return ::testing::AssertionFailure() << "VowelElements differs";
  }
  if (a.ConsonantElements != b.ConsonantElements) {
    return ::testing::AssertionFailure() << "ConsonantElements differs";
  }
  if (a.StructurePatterns != b.StructurePatterns) {
    return ::testing::AssertionFailure() << "StructurePatterns differs";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult SameChapterStatistics(const ChapterStatistics& a,
                                                 const ChapterStatistics& b,
                                                 const TQorvChapter& chapter) {
  auto result = SameClearedTables(a, b);
  if (!result) return result;
  if (!SamePrefix(a.SpecialConsonants, b.SpecialConsonants, a.SpecialConsonantCount)) {
    return ::testing::AssertionFailure() << "SpecialConsonants differs";
  }
  if (!SamePrefix(a.VowelElements, b.VowelElements, chapter.VowelElementCount)) {
    return ::testing::AssertionFailure() << "VowelElements differs";
  }
  if (!SamePrefix(a.ConsonantElements, b.ConsonantElements, chapter.ConsonantElementCount)) {
    return ::testing::AssertionFailure() << "ConsonantElements differs";
  }
  for (int c = 0; c < kStructureClasses; ++c) {
    if (!SamePrefix(a.StructurePatterns[c], b.StructurePatterns[c], a.StructureCounts[c])) {
      return ::testing::AssertionFailure() << "StructurePatterns[" << c << "] differs";
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace qorv::testing
