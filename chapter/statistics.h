// The chapter statistics block: every table that a Chapter load fills and that generation and
// validation read.
//
// The block is several megabytes. It is allocated once (on the heap, by its owner), cleared and
// refilled by every load, and never copied or resized. Its storage on the heap comes zeroed from
// the system, so a block made with new starts with every table of numbers at 0 without a byte of
// it written, and its first load skips the clearing: only the pages the load writes are touched.
// Only entries below the current counts are meaningful; entries beyond them may still hold values
// of an earlier load. Written only by the loading thread during a load, read-only afterwards;
// nothing is locked.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "chapter/letters.h"
#include "chapter/limits.h"

namespace qorv {

struct ElementPair {
  ElementId first = 0;
  ElementId second = 0;
};

struct ChapterStatistics {
  // Leaves the tables as the storage holds them: all 0 for a block made with new.
  ChapterStatistics();
  static void* operator new(std::size_t size);
  static void operator delete(void* storage) noexcept;
  ChapterStatistics(const ChapterStatistics&) = delete;
  ChapterStatistics& operator=(const ChapterStatistics&) = delete;

  int SpecialConsonantCount = 0;
  std::array<std::string, kMaxSpecialConsonants> SpecialConsonants;
  int MaxElementsPerName = 0;
  std::array<std::string, kElementTableSize> VowelElements;
  std::array<std::string, kElementTableSize> ConsonantElements;
  // [element index][position slot]: occurrences at that position.
  std::array<std::array<int, kPositionSlots>, kElementTableSize> VowelPositionCounts;
  std::array<std::array<int, kPositionSlots>, kElementTableSize> ConsonantPositionCounts;
  int InitialPairCount = 0;
  int FinalPairCount = 0;
  std::array<int, kMaxNames> InitialPairWeights;
  std::array<int, kMaxNames> FinalPairWeights;
  std::array<ElementPair, kMaxNames> InitialPairs;
  std::array<ElementPair, kMaxNames> FinalPairs;
  // [letter index]: closest repetition (>= 2) in any seed name, 255 when none.
  std::array<int, kLetterCount> MinRepeatDistance;
  // [letter index]: highest rounded share, in percent, of one seed name.
  std::array<int, kLetterCount> MaxLetterPercent;
  std::array<int, kStructureClasses> StructureNameCounts;
  std::array<int, kStructureClasses> StructureCounts;
  std::array<std::array<int, kMaxNames>, kStructureClasses> StructureWeights;
  std::array<std::array<std::string, kMaxNames>, kStructureClasses> StructurePatterns;
  // Transition flags, 1 when the junction occurs in some seed name.
  std::array<std::array<std::uint8_t, kConsonantLetterCount>, kElementTableSize>
      VowelAfterConsonant;
  std::array<std::array<std::uint8_t, kElementTableSize>, kConsonantLetterCount>
      ConsonantAfterVowel;
  std::array<std::array<std::uint8_t, kConsonantLetterCount>, kConsonantLetterCount>
      ConsonantAcrossVowel;
  std::array<std::array<std::uint8_t, kElementTableSize>, kElementTableSize> VowelAcrossConsonant;
  // [final pair index][context column]: the element right before / two before the pair.
  std::array<std::array<std::uint8_t, kContextColumns>, kMaxNames> FinalPairThirdLast;
  std::array<std::array<std::uint8_t, kContextColumns>, kMaxNames> FinalPairFourthLast;

  // The tables ClearRemainingTables clears hold only zeros: a block just made with new, before
  // its first load.
  bool RemainingTablesZero = false;
};

// Context column of an element: a vowel ElementId as it is, a consonant element as 1000 plus the
// consonant index of its last character.
int ContextColumn(const ChapterStatistics& stats, ElementId id);

// The text of an element in coded form.
const std::string& ElementText(const ChapterStatistics& stats, ElementId id);

// A vowel element of three characters whose middle one is a consonant character.
bool IsMultiVowel(const std::string& vowel_element);

// The clearing that opens every analysis, in two stages between which the gauge moves on.
// Position tables, pair tables (all 1000 rows), and the letter statistics' start values:
void ClearCountsAndLetterTables(ChapterStatistics& stats);
// Structure counts and weights (all 1000 rows), transition flags, final pair context rows:
void ClearRemainingTables(ChapterStatistics& stats);

}  // namespace qorv
