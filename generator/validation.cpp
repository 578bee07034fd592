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

// Names up to this long are judged letter by letter rather than through sorted or counted tables,
// which cost more than they save on a short name.
constexpr std::size_t kShortName = 24;

// Any four-letter window starting at 0..L-5 recurring later in that range. The windows are taken
// as 32-bit keys; those of a longer candidate (one as long as a seed name may make it) go into an
// open-addressing table of at least twice as many slots, where a repeated key meets its first
// occurrence: linear in L, where comparing every window with every later one made each attempt
// on such a candidate take about a second, and sorting the keys cost L log L.
bool HasRepeatedWindow(std::string_view s) {
  if (s.size() <= 4) return false;
  const std::size_t windows = s.size() - 4;  // starts 0..L-5
  const auto key_at = [s](std::size_t i) {
    std::uint32_t key;
    std::memcpy(&key, s.data() + i, 4);
    return key;
  };
  // The few windows of a name of ordinary length are cheaper to compare pair by pair.
  if (windows <= kShortName) {
    std::array<std::uint32_t, kShortName> keys;
    for (std::size_t i = 0; i < windows; ++i) keys[i] = key_at(i);
    for (std::size_t i = 0; i < windows; ++i) {
      for (std::size_t j = i + 1; j < windows; ++j) {
        if (keys[i] == keys[j]) return true;
      }
    }
    return false;
  }
  // A slot holds 1 + the start of the window whose key it keeps, 0 when empty. Generated names
  // are short: their table stays on the stack; only a very long one allocates.
  int bits = 7;
  while ((std::size_t{1} << bits) < 2 * windows) ++bits;
  const std::size_t mask = (std::size_t{1} << bits) - 1;
  std::array<std::uint32_t, 128> small{};
  std::vector<std::uint32_t> large;
  std::uint32_t* slots = small.data();
  if (mask >= small.size()) {
    large.assign(mask + 1, 0);
    slots = large.data();
  }
  for (std::size_t i = 0; i < windows; ++i) {
    const std::uint32_t key = key_at(i);
    // Fibonacci hashing: the top bits of the key times 2^32 / phi.
    std::size_t slot = static_cast<std::uint32_t>(key * 0x9E3779B9u) >> (32 - bits);
    for (; slots[slot] != 0; slot = (slot + 1) & mask) {
      if (key_at(slots[slot] - 1) == key) return true;
    }
    slots[slot] = static_cast<std::uint32_t>(i + 1);
  }
  return false;
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
  const int length = static_cast<int>(s.size());
  if (s.size() <= kShortName) {
    // Only the letters of the name can fail, each judged once by its count; of those that fail
    // the first in letter order is reported.
    std::array<std::uint8_t, 256> counts{};  // by byte value
    for (const char c : s) ++counts[static_cast<unsigned char>(c)];
    int failing = kLetterCount;
    for (const char c : s) {
      const unsigned char b = static_cast<unsigned char>(c);
      const int n = counts[b];
      if (n < 2) continue;  // a single letter never fails, and a judged one is not judged again
      counts[b] = 0;
      const int k = LetterIndex(c);
      if (k < 0 || k >= failing) continue;
      if (static_cast<int>(LetterShare(n, length)) > stats.MaxLetterPercent[k]) failing = k;
    }
    return failing < kLetterCount ? static_cast<unsigned char>(AllLetters[failing]) : -1;
  }
  std::array<int, 256> counts{};
  for (char c : s) ++counts[static_cast<unsigned char>(c)];
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
