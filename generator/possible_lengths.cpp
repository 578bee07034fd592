#include "generator/possible_lengths.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>
#include <vector>

#include "chapter/letters.h"
#include "chapter/limits.h"
#include "generator/finishing.h"
#include "generator/name_filters.h"

namespace qorv {
namespace {

constexpr std::size_t kNoName = std::numeric_limits<std::size_t>::max();

// The letters accent finishing joins: up to three equal vowels, or two Y, into one.
std::size_t JoinedRun(char c, int punct_mode) {
  if (punct_mode == 0) return 1;
  if (c == 'Y') return 2;
  return c == 'A' || c == 'E' || c == 'I' || c == 'O' || c == 'U' ? 3 : 1;
}

// An element as the candidate text holds it, measured for the bounds.
struct ElementLetters {
  std::size_t Fewest = 0;  // letters left when it is finished standing alone
  std::size_t Most = 0;    // letters before finishing
  std::size_t Characters = 0;
  bool Capped = false;  // the expansion's cap kept special consonants unexpanded
  char First = 0;
  char Last = 0;
};

ElementLetters Measure(const std::string& coded, const ChapterStatistics& stats, int punct_mode) {
  std::string text = coded;
  ExpandSpecialConsonants(text, stats);
  ExpandSoftConsonants(text);
  AsciiUpperInPlace(text);
  ElementLetters element;
  element.Most = CountedLetters(text);
  element.Characters = text.size();
  for (int d = 0; d < stats.SpecialConsonantCount; ++d) {
    element.Capped = element.Capped || text.find(static_cast<char>('0' + d)) != std::string::npos;
  }
  if (text.empty()) return element;
  element.First = text.front();
  element.Last = text.back();
  // Finishing turns a run of n equal letters into ceil(n / joined) letters; the diaeresis of
  // PUNCT:2 changes letters one for one and can only keep a run from being joined.
  for (std::size_t i = 0; i < text.size();) {
    std::size_t end = i;
    while (end < text.size() && text[end] == text[i]) ++end;
    if (CountedLetters(std::string_view(&text[i], 1)) == 1) {
      const std::size_t joined = JoinedRun(text[i], punct_mode);
      element.Fewest += (end - i + joined - 1) / joined;
    }
    i = end;
  }
  return element;
}

// The fewest letters of a name of `total` elements, the first of kind `first_kind` (0 vowel,
// 1 consonant). The state after each place is the text's last character, with the fewest
// letters a text ending so can have.
std::size_t FewestLetters(const std::array<std::vector<ElementLetters>, 2>& kinds, int total,
                          int first_kind, int punct_mode) {
  constexpr std::size_t kStart = 256;  // nothing placed yet
  std::array<std::size_t, kStart + 1> fewest;
  fewest.fill(kNoName);
  fewest[kStart] = 0;
  for (int place = 0; place < total; ++place) {
    const std::size_t any = *std::min_element(fewest.begin(), fewest.end());
    std::array<std::size_t, kStart + 1> next;
    next.fill(kNoName);
    for (const ElementLetters& element : kinds[(first_kind + place) % 2]) {
      if (any == kNoName) break;
      if (element.Characters == 0) {
        for (std::size_t c = 0; c < next.size(); ++c) next[c] = std::min(next[c], fewest[c]);
        continue;
      }
      std::size_t before = any;
      const std::size_t joins_with = static_cast<unsigned char>(element.First);
      if (JoinedRun(element.First, punct_mode) > 1 && fewest[joins_with] != kNoName) {
        before = std::min(before, fewest[joins_with] - 1);
      }
      std::size_t& after = next[static_cast<unsigned char>(element.Last)];
      after = std::min(after, before + element.Fewest);
    }
    fewest = next;
  }
  return *std::min_element(fewest.begin(), fewest.end());
}

}  // namespace

LengthBounds PossibleLengths(const TQorvChapter& chapter, const ChapterStatistics& stats) {
  std::array<std::vector<ElementLetters>, 2> kinds;
  for (int v = 0; v < chapter.VowelElementCount; ++v) {
    kinds[0].push_back(Measure(stats.VowelElements[v], stats, chapter.PunctMode));
  }
  for (int k = 0; k < chapter.ConsonantElementCount; ++k) {
    kinds[1].push_back(Measure(stats.ConsonantElements[k], stats, chapter.PunctMode));
  }
  std::array<std::size_t, 2> most{};
  std::array<std::size_t, 2> longest_text{};
  for (int kind = 0; kind < 2; ++kind) {
    for (const ElementLetters& element : kinds[kind]) {
      most[kind] = std::max(most[kind], element.Most);
      longest_text[kind] = std::max(longest_text[kind], element.Characters);
    }
  }
  // Special consonants that shorten a text, or an element the expansion's cap stopped, make
  // candidates that are not their elements' texts joined: such a Chapter is bounded by nothing.
  bool unbounded = false;
  for (int d = 0; d < stats.SpecialConsonantCount; ++d) {
    unbounded = unbounded || stats.SpecialConsonants[d].empty();
  }
  for (const auto& kind : kinds) {
    for (const ElementLetters& element : kind) unbounded = unbounded || element.Capped;
  }

  LengthBounds bounds{kNoName, 0};
  for (int structure_class = 0; structure_class < kStructureClasses; ++structure_class) {
    if (stats.StructureNameCounts[structure_class] <= 0) continue;
    const int total = structure_class / 2 + 2;
    const int first_kind = structure_class % 2 == 1 ? 0 : 1;
    const std::size_t first_places = static_cast<std::size_t>(total + 1) / 2;
    const std::size_t second_places = static_cast<std::size_t>(total) / 2;
    // So does a candidate that could pass the cap.
    if (unbounded ||
        first_places * longest_text[first_kind] + second_places * longest_text[1 - first_kind] >
            kMaxExpandedLength) {
      return LengthBounds{0, kNoName};
    }
    bounds.Shortest =
        std::min(bounds.Shortest, FewestLetters(kinds, total, first_kind, chapter.PunctMode));
    bounds.Longest = std::max(
        bounds.Longest, first_places * most[first_kind] + second_places * most[1 - first_kind]);
  }
  if (bounds.Shortest == kNoName) bounds.Shortest = 0;
  return bounds;
}

}  // namespace qorv
