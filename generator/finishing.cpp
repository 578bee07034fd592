#include "generator/finishing.h"

#include "chapter/chapter_format.h"
#include "chapter/letters.h"

namespace qorv {
namespace {

// Replaces the characters at `at` by `to` when they spell `from`.
bool ReplaceAt(std::string& s, std::size_t at, std::string_view from, std::string_view to) {
  if (at + from.size() > s.size() || s.compare(at, from.size(), from) != 0) return false;
  s.replace(at, from.size(), to);
  return true;
}

}  // namespace

void ExpandSpecialConsonants(std::string& text, const ChapterStatistics& stats) {
  for (int d = 0; d < stats.SpecialConsonantCount; ++d) {
    const char digit = static_cast<char>('0' + d);
    const std::string& special = stats.SpecialConsonants[d];
    for (std::size_t i = text.find(digit); i != std::string::npos; i = text.find(digit, i)) {
      // Special consonants that hold each other's digits could otherwise multiply the text
      // without bound; past the cap the remaining digits stay unexpanded. The digit itself
      // leaves the text, so the result is one character shorter than the two sizes together.
      if (text.size() - 1 + special.size() > kMaxExpandedLength) return;
      text.replace(i, 1, special);
      i += special.size();
    }
  }
}

void ExpandSoftConsonants(std::string& text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (char c : text) {
    const int index = ConsonantIndex(c);
    const bool soft = index >= kSoftConsonantFirst && index < kSoftConsonantEnd;
    out += soft ? AsciiUpper(c) : c;
    if (soft) out += 'H';
  }
  text.swap(out);
}

std::string ExpandedConsonant(const std::string& coded, const ChapterStatistics& stats) {
  std::string text = coded;
  ExpandSpecialConsonants(text, stats);
  AsciiUpperInPlace(text);
  return text;
}

std::string AssembleCandidate(std::span<const ElementId> elements, const ChapterStatistics& stats) {
  std::string text;
  for (ElementId id : elements) {
    if (id == kEndOfRow) break;
    text += ElementText(stats, id);
  }
  ExpandSpecialConsonants(text, stats);
  ExpandSoftConsonants(text);
  AsciiUpperInPlace(text);
  return text;
}

// The diaeresis texts of mode 2: on the second vowel at the start of a name, on the E elsewhere.
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

void Capitalise(std::string& name) {
  for (std::size_t i = 1; i < name.size(); ++i) name[i] = AsciiLower(AccentLower(name[i]));
  for (std::size_t i = 2; i < name.size(); ++i) {
    if (name[i - 1] == '-') name[i] = AsciiUpper(AccentUpper(name[i]));
  }
}

std::string FinishedName(std::string candidate, int punct_mode) {
  if (punct_mode != 0) FinishAccents(candidate, punct_mode);
  Capitalise(candidate);
  return candidate;
}

}  // namespace qorv
