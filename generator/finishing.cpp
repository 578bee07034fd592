#include "generator/finishing.h"

#include <algorithm>

#include "chapter/letters.h"

namespace qorv {

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
    out += index >= 20 && index < 40 ? AsciiUpper(c) : c;
    if (index >= 20 && index < 40) out += 'H';
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

}  // namespace qorv
