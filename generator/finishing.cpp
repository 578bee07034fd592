#include "generator/finishing.h"

#include <algorithm>
#include <array>
#include <cstring>

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

void AssembleCandidate(std::span<const ElementId> elements, const ElementFacts& facts,
                       const ChapterStatistics& stats, std::string& text) {
  // Each expansion is a replacement character by character, so the whole text is the elements'
  // texts joined, unless the cap stopped the special consonants: with no special consonant
  // shortening the text, that happens just when their expansion runs past the cap.
  std::size_t special_length = 0;
  for (ElementId id : elements) {
    if (id == kEndOfRow) break;
    special_length += IsVowelId(id) ? facts.VowelSpecialLength[id]
                                    : facts.ConsonantSpecialLength[id - kConsonantIdBase];
  }
  if (!facts.SpecialsLengthen || special_length > kMaxExpandedLength) {
    text = AssembleCandidate(elements, stats);
    return;
  }
  const auto block_of = [&facts](ElementId id) -> const ElementFacts::TextBlock& {
    return IsVowelId(id) ? facts.VowelTextBlocks[id]
                         : facts.ConsonantTextBlocks[id - kConsonantIdBase];
  };
  // Texts that fit their blocks are copied a whole block at a time into a buffer with room for
  // a block past the end, each copy starting where the text before it ended.
  std::array<char, kElementRowSize * ElementFacts::kTextBlockBytes> buffer;
  char* end = buffer.data();
  for (ElementId id : elements) {
    if (id == kEndOfRow) break;
    const ElementFacts::TextBlock& block = block_of(id);
    if (block.Length == 0) {
      end = nullptr;
      break;
    }
    std::memcpy(end, block.Bytes.data(), ElementFacts::kTextBlockBytes);
    end += block.Length;
  }
  if (end != nullptr) {
    text.assign(buffer.data(), end);
    return;
  }
  const auto text_of = [&facts](ElementId id) -> const std::string& {
    return IsVowelId(id) ? facts.VowelCandidateText[id]
                         : facts.ConsonantCandidateText[id - kConsonantIdBase];
  };
  std::size_t length = 0;
  for (ElementId id : elements) {
    if (id == kEndOfRow) break;
    length += text_of(id).size();
  }
  text.resize(length);
  char* out = text.data();
  for (ElementId id : elements) {
    if (id == kEndOfRow) break;
    const std::string& part = text_of(id);
    out = std::copy(part.begin(), part.end(), out);
  }
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
  // Every run begins with its own vowel, so at a letter only the runs of that letter are tried:
  // a long candidate is otherwise compared with every run at every letter.
  for (std::size_t i = 0; i < name.size(); ++i) {
    bool contracted = false;
    for (const Contraction& c : kTriples) {
      if (c.run[0] == name[i] && (contracted = ReplaceAt(name, i, c.run, c.accented))) break;
    }
    for (const Contraction& c : kPairs) {
      if (contracted) break;
      contracted = c.run[0] == name[i] && ReplaceAt(name, i, c.run, c.accented);
    }
    if (punct_mode == 2 && name[i] == 'E') {
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
  // One pass: every letter after the first in small letters, and back in capitals after a
  // hyphen that is not the first character (neither mapping makes or changes a hyphen).
  for (std::size_t i = 1; i < name.size(); ++i) {
    const char small = cases.small[byte(name[i])];
    name[i] = i >= 2 && name[i - 1] == '-' ? cases.capital[byte(small)] : small;
  }
}

std::string FinishedName(std::string candidate, int punct_mode) {
  if (punct_mode != 0) FinishAccents(candidate, punct_mode);
  Capitalise(candidate);
  return candidate;
}

}  // namespace qorv
