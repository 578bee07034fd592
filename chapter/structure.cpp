#include "chapter/structure.h"

#include <string>

#include "chapter/first_seen_index.h"
#include "chapter/letters.h"

namespace qorv {

int StructureClass(const ElementRow& row, int n) {
  return 2 * (n - 2) + (IsVowelId(row[0]) ? 1 : 0);
}

char LengthPatternChar(int length) {
  return static_cast<char>('0' + length);
}

int PatternLength(const ChapterStatistics& stats, ElementId id) {
  const std::string& text = ElementText(stats, id);
  if (IsVowelId(id)) return IsMultiVowel(text) ? 0 : static_cast<int>(text.size());
  int length = 0;
  for (char c : text) {
    const int special = c - '0';
    length += (special >= 0 && special < stats.SpecialConsonantCount)
                  ? static_cast<int>(stats.SpecialConsonants[special].size())
                  : 1;
  }
  return length;
}

void BuildStructurePatterns(ChapterStatistics& stats, const std::vector<ElementRow>& rows) {
  // Index of every (class, pattern) seen in this load, as class * kMaxNames + pattern index;
  // StructurePatterns keeps the table order. At most one new pattern per name, so 1000 in all.
  FirstSeenIndex<2048> index;
  std::string pattern;
  for (const ElementRow& r : rows) {
    pattern.clear();
    for (int i = 0; r[i] != kEndOfRow; ++i)
      pattern += LengthPatternChar(PatternLength(stats, r[i]));
    const int n = static_cast<int>(pattern.size());
    const int c = StructureClass(r, n);
    ++stats.StructureNameCounts[c];
    const auto& patterns = stats.StructurePatterns[c];
    const auto [key, inserted] = index.FindOrAdd(
        HashText(pattern, static_cast<std::uint64_t>(c)),
        [&patterns, &pattern, c](int k) {
          return k / kMaxNames == c && patterns[k % kMaxNames] == pattern;
        },
        c * kMaxNames + stats.StructureCounts[c]);
    if (inserted) stats.StructurePatterns[c][stats.StructureCounts[c]++] = pattern;
    ++stats.StructureWeights[c][key % kMaxNames];
  }
}

void CountPositions(ChapterStatistics& stats, const std::vector<ElementRow>& rows, bool shuffle) {
  const int m = stats.MaxElementsPerName;
  for (const ElementRow& r : rows) {
    int n = 0;
    while (r[n] != kEndOfRow) ++n;
    const int v = IsVowelId(r[0]) ? 1 : 0;
    const int d = (m - n - v) / 2;  // truncates toward zero: -1 gives 0
    const auto count = [&stats](ElementId id, int slot) {
      auto& table = IsVowelId(id) ? stats.VowelPositionCounts : stats.ConsonantPositionCounts;
      ++table[IsVowelId(id) ? id : id - kConsonantIdBase][slot];
    };
    count(r[0], 0);
    for (int i = 1; i <= n - 2; ++i) {
      if (shuffle) {
        count(r[i], 1);
      } else {
        const int a = (i + 1) / 2;
        count(r[i], a);
        count(r[i], a + d);
      }
    }
    count(r[n - 1], m - 1);
  }
}

}  // namespace qorv
