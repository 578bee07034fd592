#include "generator/validation.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "chapter/analysis.h"
#include "chapter/letters.h"

namespace qorv {
namespace {

// Names up to this long are judged letter by letter rather than through sorted or counted tables,
// which cost more than they save on a short name.
constexpr std::size_t kShortName = 24;

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
  // The few windows of a name of ordinary length are cheaper to compare pair by pair.
  if (windows <= kShortName) {
    for (std::size_t i = 0; i < windows; ++i) {
      for (std::size_t j = i + 1; j < windows; ++j) {
        if (keys[i] == keys[j]) return true;
      }
    }
    return false;
  }
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
  const int length = static_cast<int>(s.size());
  if (s.size() <= kShortName) {
    // Only the letters of the name can fail, each judged at its first place; of those that fail
    // the first in letter order is reported.
    int failing = kLetterCount;
    std::array<std::uint64_t, 4> judged{};  // by byte value
    for (std::size_t i = 0; i < s.size(); ++i) {
      const char c = s[i];
      const unsigned char b = static_cast<unsigned char>(c);
      if (judged[b >> 6] >> (b & 63) & 1) continue;
      judged[b >> 6] |= std::uint64_t{1} << (b & 63);
      const int n =
          static_cast<int>(std::count(s.begin() + static_cast<std::ptrdiff_t>(i), s.end(), c));
      if (n < 2) continue;  // a single letter never fails
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

// Replaces the characters at `at` by `to` when they spell `from`.
bool ReplaceAt(std::string& s, std::size_t at, std::string_view from, std::string_view to) {
  if (at + from.size() > s.size() || s.compare(at, from.size(), from) != 0) return false;
  s.replace(at, from.size(), to);
  return true;
}

}  // namespace

std::string ValidateName(const ChapterStatistics& stats, std::string_view candidate, int level) {
  if (level == 0) return {};
  if (HasRepeatedWindow(candidate)) return std::string(reject::kRepetition);
  if (const int letter = TooCloseLetter(stats, candidate); letter >= 0) {
    return std::string(reject::kDistance) + static_cast<char>(letter);
  }
  if (level == 1) return {};
  if (const int letter = TooFrequentLetter(stats, candidate); letter >= 0) {
    return std::string(reject::kShare) + static_cast<char>(letter);
  }
  return {};
}

// The diaeresis texts of PUNCT:2: on the second vowel at the start of a name, on the E elsewhere.
constexpr char kEThenADiaeresis[] = {'E', '\xC4', '\0'};  // EÄ
constexpr char kEThenODiaeresis[] = {'E', '\xD6', '\0'};  // EÖ
constexpr char kEDiaeresisThenA[] = {'\xCB', 'A', '\0'};  // ËA
constexpr char kEDiaeresisThenO[] = {'\xCB', 'O', '\0'};  // ËO

void FinishAccents(std::string& name, int punct_mode) {
  struct Contraction {
    std::string_view run;
    std::string_view accented;
  };
  static constexpr Contraction kTriples[] = {
      {"AAA", "\xC2"}, {"EEE", "\xCA"}, {"III", "\xCE"}, {"OOO", "\xD4"}, {"UUU", "\xDB"}};
  static constexpr Contraction kPairs[] = {{"AA", "\xC1"}, {"EE", "\xC9"}, {"II", "\xCD"},
                                           {"OO", "\xD3"}, {"UU", "\xDA"}, {"YY", "\xDD"}};
  for (std::size_t i = 0; i < name.size(); ++i) {
    bool contracted = false;
    for (const Contraction& c : kTriples) {
      if ((contracted = ReplaceAt(name, i, c.run, c.accented))) break;
    }
    for (const Contraction& c : kPairs) {
      if (contracted) break;
      contracted = ReplaceAt(name, i, c.run, c.accented);
    }
    if (punct_mode == 2) {
      // EA and EO: the diaeresis on the second vowel at the start, on the E elsewhere.
      if (!ReplaceAt(name, i, "EA", i == 0 ? kEThenADiaeresis : kEDiaeresisThenA)) {
        ReplaceAt(name, i, "EO", i == 0 ? kEThenODiaeresis : kEDiaeresisThenO);
      }
    }
  }
  if (punct_mode == 2 && !name.empty() && name.back() == 'E') name.back() = '\xCB';
}

namespace {

// Both case mappings of every byte, the accent pairs and the ASCII letters together, made once.
struct CaseTables {
  std::array<char, 256> small;
  std::array<char, 256> capital;

  CaseTables() {
    for (int b = 0; b < 256; ++b) {
      const char c = static_cast<char>(b);
      small[b] = AsciiLower(AccentLower(c));
      capital[b] = AsciiUpper(AccentUpper(c));
    }
  }
};

const CaseTables& Cases() {
  static const CaseTables tables;
  return tables;
}

}  // namespace

void Capitalise(std::string& name) {
  const CaseTables& cases = Cases();
  const auto byte = [](char c) { return static_cast<unsigned char>(c); };
  for (std::size_t i = 1; i < name.size(); ++i) name[i] = cases.small[byte(name[i])];
  for (std::size_t i = 2; i < name.size(); ++i) {
    if (name[i - 1] == '-') name[i] = cases.capital[byte(name[i])];
  }
}

}  // namespace qorv
