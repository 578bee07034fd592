#include "generator/validation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "chapter/letter_statistics.h"
#include "chapter/letters.h"

namespace qorv {
namespace {

// Any four-letter window starting at 0..L-5 recurring later in that range. The windows are
// sorted as 32-bit keys, so that a candidate as long as a seed name may make it costs L log L:
// comparing every window with every later one made each attempt on such a candidate take about
// a second.
bool HasRepeatedWindow(std::string_view s) {
  if (s.size() <= 4) return false;
  const std::size_t windows = s.size() - 4;  // starts 0..L-5
  // Generated names are short: their keys stay on the stack; only a very long one allocates.
  std::array<std::uint32_t, 64> small;
  std::vector<std::uint32_t> large;
  std::uint32_t* keys = small.data();
  if (windows > small.size()) {
    large.resize(windows);
    keys = large.data();
  }
  for (std::size_t i = 0; i < windows; ++i) std::memcpy(&keys[i], s.data() + i, 4);
  std::sort(keys, keys + windows);
  return std::adjacent_find(keys, keys + windows) != keys + windows;
}

// The first letter that recurs (two or more places on) closer than in any seed name.
int TooCloseLetter(const ChapterStatistics& stats, std::string_view s) {
  const std::size_t length = s.size();
  for (std::size_t j = 0; j + 2 < length; ++j) {
    for (std::size_t k = j + 2; k < length; ++k) {
      if (s[k] != s[j]) continue;
      const int letter = LetterIndex(s[j]);
      if (letter >= 0 && static_cast<int>(k - j) < stats.MinRepeatDistance[letter]) {
        return static_cast<unsigned char>(s[j]);
      }
      break;
    }
  }
  return -1;
}

// The first letter, in letter order, whose share of the name exceeds every seed name's.
int TooFrequentLetter(const ChapterStatistics& stats, std::string_view s) {
  std::array<int, 256> counts{};
  for (char c : s) ++counts[static_cast<unsigned char>(c)];
  const int length = static_cast<int>(s.size());
  for (int k = 0; k < kLetterCount; ++k) {
    const unsigned char letter = static_cast<unsigned char>(AllLetters[k]);
    const int n = counts[letter];
    if (n < 2) continue;  // a single letter never fails; an absent one has share 0
    if (static_cast<int>(LetterShare(n, length)) > stats.MaxLetterPercent[k]) return letter;
  }
  return -1;
}

}  // namespace

std::string Rejection::Reason() const {
  switch (Broken) {
    case Rule::kRepetition:
      return std::string(reject::kRepetition);
    case Rule::kDistance:
      return std::string(reject::kDistance) + Letter;
    case Rule::kShare:
      return std::string(reject::kShare) + Letter;
    case Rule::kHistory:
      break;
  }
  return std::string(reject::kHistory);
}

std::optional<Rejection> ValidateName(const ChapterStatistics& stats, std::string_view candidate,
                                      int level) {
  using Rule = Rejection::Rule;
  if (level == 0) return std::nullopt;
  if (HasRepeatedWindow(candidate)) return Rejection{Rule::kRepetition};
  if (const int letter = TooCloseLetter(stats, candidate); letter >= 0) {
    return Rejection{Rule::kDistance, static_cast<char>(letter)};
  }
  if (level == 1) return std::nullopt;
  if (const int letter = TooFrequentLetter(stats, candidate); letter >= 0) {
    return Rejection{Rule::kShare, static_cast<char>(letter)};
  }
  return std::nullopt;
}

}  // namespace qorv
