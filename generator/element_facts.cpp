#include "generator/element_facts.h"

#include "chapter/letters.h"
#include "generator/finishing.h"

namespace qorv {

void ElementFacts::Build(const ChapterStatistics& stats, int vowel_count, int consonant_count) {
  VowelCount = vowel_count;
  ConsonantCount = consonant_count;
  for (int k = 0; k < consonant_count; ++k) {
    const std::string& coded = stats.ConsonantElements[k];
    const std::string expanded = ExpandedConsonant(coded, stats);
    Consonants[k] = {static_cast<int>(expanded.size()), expanded.empty() ? '\0' : expanded[0],
                     coded.empty() ? -1 : ConsonantIndex(coded.front()),
                     coded.empty() ? -1 : ConsonantIndex(coded.back()),
                     coded.empty() ? '\0' : AsciiUpper(coded[0])};
  }
  for (int v = 0; v < vowel_count; ++v) {
    const std::string& coded = stats.VowelElements[v];
    Vowels[v] = {static_cast<int>(coded.size()), IsMultiVowel(coded),
                 coded.empty() ? '\0' : AsciiUpper(coded[0])};
  }
  for (int slot = 0; slot < kPositionSlots; ++slot) {
    VowelsSeenAt[slot].clear();
    ConsonantsSeenAt[slot].clear();
    for (int v = 0; v < vowel_count; ++v) {
      if (stats.VowelPositionCounts[v][slot] > 0)
        VowelsSeenAt[slot].push_back(static_cast<std::uint8_t>(v));
    }
    for (int k = 0; k < consonant_count; ++k) {
      if (stats.ConsonantPositionCounts[k][slot] > 0) {
        ConsonantsSeenAt[slot].push_back(static_cast<std::uint8_t>(k));
      }
    }
  }
}

}  // namespace qorv
