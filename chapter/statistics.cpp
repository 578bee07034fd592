#include "chapter/statistics.h"

#include "chapter/chapter_format.h"
#include "chapter/letters.h"

namespace qorv {

int ContextColumn(const ChapterStatistics& stats, ElementId id) {
  if (IsVowelId(id)) return id;
  return kConsonantIdBase + ConsonantIndex(ElementText(stats, id).back());
}

const std::string& ElementText(const ChapterStatistics& stats, ElementId id) {
  return IsVowelId(id) ? stats.VowelElements[id] : stats.ConsonantElements[id - kConsonantIdBase];
}

bool IsMultiVowel(const std::string& vowel_element) {
  return vowel_element.size() == 3 && IsConsonant(vowel_element[1]);
}

void ClearCountsAndLetterTables(ChapterStatistics& stats) {
  stats.MaxElementsPerName = 0;
  stats.SpecialConsonantCount = 0;
  for (auto& row : stats.VowelPositionCounts) row.fill(0);
  for (auto& row : stats.ConsonantPositionCounts) row.fill(0);
  stats.InitialPairCount = 0;
  stats.FinalPairCount = 0;
  stats.InitialPairs.fill({});
  stats.FinalPairs.fill({});
  stats.InitialPairWeights.fill(0);
  stats.FinalPairWeights.fill(0);
  stats.MinRepeatDistance.fill(kNoRepeat);
  stats.MaxLetterPercent.fill(0);
}

void ClearRemainingTables(ChapterStatistics& stats) {
  stats.StructureCounts.fill(0);
  stats.StructureNameCounts.fill(0);
  for (auto& row : stats.StructureWeights) row.fill(0);
  for (auto& row : stats.VowelAfterConsonant) row.fill(0);
  for (auto& row : stats.ConsonantAfterVowel) row.fill(0);
  for (auto& row : stats.ConsonantAcrossVowel) row.fill(0);
  for (auto& row : stats.VowelAcrossConsonant) row.fill(0);
  for (auto& row : stats.FinalPairThirdLast) row.fill(0);
  for (auto& row : stats.FinalPairFourthLast) row.fill(0);
}

}  // namespace qorv
