// Facts about every element of a loaded Chapter that placement looks up on each attempt.
//
// They follow from the statistics block alone and do not change while a Chapter is in use, so
// the generator derives them once per loaded Chapter instead of once per candidate.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "chapter/limits.h"
#include "chapter/statistics.h"

namespace qorv {

struct ConsonantFacts {
  int ExpandedLength = 0;  // characters of the expanded form
  char ExpandedFirst = 0;  // first character of the expanded form
  int First = -1;          // consonant index of the coded form's first character
  int Last = -1;           // consonant index of the coded form's last character
  char UpperFirst = 0;     // first character of the upper-cased coded form (digits unexpanded)
};

struct VowelFacts {
  int Length = 0;       // characters of the coded form
  bool Multi = false;   // a multi vowel
  char UpperFirst = 0;  // first character of the upper-cased coded form
};

struct ElementFacts {
  int VowelCount = 0;
  int ConsonantCount = 0;
  std::array<ConsonantFacts, kElementTableSize> Consonants;
  std::array<VowelFacts, kElementTableSize> Vowels;
  // By position slot, the elements seen there, in table order: a position walks only these
  // instead of every element of its kind.
  std::array<std::vector<std::uint8_t>, kPositionSlots> VowelsSeenAt;
  std::array<std::vector<std::uint8_t>, kPositionSlots> ConsonantsSeenAt;

  void Build(const ChapterStatistics& stats, int vowel_count, int consonant_count);
};

}  // namespace qorv
