#include "chapter/letter_statistics.h"

#include <algorithm>
#include <array>

#include "chapter/letters.h"

namespace qorv {

double LetterShare(int count, int length) {
  return (static_cast<double>(count) / length + 0.005) * 100;
}

void AddLetterStatistics(ChapterStatistics& stats, const std::vector<std::string>& names) {
  // Letter counts of the current name, by letter index; emptied again as each letter is taken.
  std::array<int, kLetterCount> counts{};
  for (const std::string& s : names) {
    const int length = static_cast<int>(s.size());
    // Repeat distance: the nearest equal letter at least two places on.
    for (int i = 0; i + 2 < length; ++i) {
      const int k = LetterIndex(s[i]);
      if (k < 0) continue;
      for (int j = i + 2; j < length; ++j) {
        if (s[j] != s[i]) continue;
        int& distance = stats.MinRepeatDistance[k];
        distance = std::min(distance, j - i);
        break;
      }
    }
    // Letter share: only letters that occur can raise a maximum above 0, so each letter of the
    // name is taken once (at its first occurrence) instead of trying all 127.
    for (char c : s) {
      const int k = LetterIndex(c);
      if (k >= 0) ++counts[k];
    }
    for (char c : s) {
      const int k = LetterIndex(c);
      if (k < 0 || counts[k] == 0) continue;
      const double share = LetterShare(counts[k], length);
      counts[k] = 0;
      if (stats.MaxLetterPercent[k] < share) stats.MaxLetterPercent[k] = static_cast<int>(share);
    }
  }
}

}  // namespace qorv
