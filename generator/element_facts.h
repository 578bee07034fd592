// Facts about every element of a loaded Chapter that placement looks up on each attempt.
//
// They follow from the statistics block alone and do not change while a Chapter is in use, so
// the generator derives them once per loaded Chapter instead of once per candidate. Besides the
// facts of each element, Build derives the candidate sets: for every filter of a placement step,
// the elements (or pairs) that pass it, so that one step intersects a few sets instead of testing
// every element. Build must run again whenever the statistics change.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "chapter/letters.h"
#include "chapter/limits.h"
#include "chapter/statistics.h"
#include "generator/bit_set.h"
#include "generator/weighted_choices.h"

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

// Elements of one kind, by element index.
using ElementSet = BitSet<kElementTableSize>;
// Initial or final pairs, by pair index.
using PairSet = BitSet<kMaxNames>;

// Every byte value, for the sets chosen by a character (an initial letter, a length pattern
// character).
inline constexpr int kByteValues = 256;

inline int ByteIndex(char c) {
  return static_cast<unsigned char>(c);
}

// The pairs of one table (initial or final) by the filters they share.
struct PairSets {
  PairSet VowelFirst;      // the pairs whose first element is a vowel element
  PairSet ConsonantFirst;  // ... a consonant element
  // By length pattern character: the pairs whose first (second) element that character admits.
  std::array<PairSet, kByteValues> FirstFits;
  std::array<PairSet, kByteValues> SecondFits;
};

// Context columns of the final pair tables kept as sets: a vowel ElementId as it is, the column
// 1000 + consonant index at kElementTableSize + consonant index.
inline constexpr int kContextSets = kElementTableSize + kConsonantLetterCount;

inline int ContextSetIndex(int column) {
  return column < kConsonantIdBase ? column : kElementTableSize + (column - kConsonantIdBase);
}

struct CandidateSets {
  // Single elements. Seen at a slot: position count above 0.
  std::array<ElementSet, kPositionSlots> VowelsSeenAt;
  std::array<ElementSet, kPositionSlots> ConsonantsSeenAt;
  // By initial letter: the upper-cased first character of a vowel element, the first character
  // of a consonant element's expanded form.
  std::array<ElementSet, kByteValues> VowelsByInitial;
  std::array<ElementSet, kByteValues> ConsonantsByInitial;
  // By length pattern character: '0' admits the multi vowels, any other character the vowel
  // elements of that length that are not multi vowels, and the consonant elements of that
  // expanded length.
  std::array<ElementSet, kByteValues> VowelsFitting;
  std::array<ElementSet, kByteValues> ConsonantsFitting;
  // By consonant index: the consonant elements that begin with it.
  std::array<ElementSet, kConsonantLetterCount> ConsonantsBeginningWith;
  // The junctions the seed names show, as sets of the element to be placed: after the vowel
  // element (by ElementId), across a vowel element after a consonant ending in the consonant
  // index, after a consonant element ending in the index, across a consonant element after the
  // vowel element.
  std::array<ElementSet, kElementTableSize> ConsonantsAfterVowel;
  std::array<ElementSet, kConsonantLetterCount> ConsonantsAcrossVowel;
  std::array<ElementSet, kConsonantLetterCount> VowelsAfterConsonant;
  std::array<ElementSet, kElementTableSize> VowelsAcrossConsonant;
  // Position counts by slot, then element: the weights of a step, side by side.
  std::array<std::array<int, kElementTableSize>, kPositionSlots> VowelWeights;
  std::array<std::array<int, kElementTableSize>, kPositionSlots> ConsonantWeights;
  // The elements seen at a slot as a list in table order, with the running sums of their
  // weights: a step that no other filter narrows chooses from it without walking a set.
  struct SeenList {
    int Count = 0;
    std::array<std::uint16_t, kElementTableSize> Members;
    std::array<int, kElementTableSize> Sums;
  };
  std::array<SeenList, kPositionSlots> VowelsSeenList;
  std::array<SeenList, kPositionSlots> ConsonantsSeenList;

  // Pairs.
  PairSets Initial;
  PairSets Final;
  // Initial pairs by the upper-cased first character of their first element.
  std::array<PairSet, kByteValues> InitialByLetter;
  // Final pairs by context column (see ContextSetIndex): an entry 1 in FinalPairThirdLast and in
  // FinalPairFourthLast.
  std::array<PairSet, kContextSets> FinalThirdLast;
  std::array<PairSet, kContextSets> FinalFourthLast;
};

// The choices among the candidate sets that placement steps met (see WeightedChoices): single
// elements by their slot's weights, pairs by their table's.
struct CandidateChoices {
  WeightedChoices<ElementSet> Elements{4096, 1 << 16};
  WeightedChoices<PairSet> Pairs{512, 1 << 15};
};

struct ElementFacts {
  static constexpr std::size_t kTextBlockBytes = 16;

  ElementFacts();

  int VowelCount = 0;
  int ConsonantCount = 0;
  std::array<ConsonantFacts, kElementTableSize> Consonants;
  std::array<VowelFacts, kElementTableSize> Vowels;
  // The text each element adds to a candidate: special and soft consonants written out, upper
  // case; and its length after the special consonants alone, which the cap on that expansion
  // (kMaxExpandedLength) is measured by. An element whose own expansion might have reached the
  // cap has a length past it.
  std::array<std::string, kElementTableSize> VowelCandidateText;
  std::array<std::string, kElementTableSize> ConsonantCandidateText;
  std::array<std::size_t, kElementTableSize> VowelSpecialLength;
  std::array<std::size_t, kElementTableSize> ConsonantSpecialLength;
  // The candidate texts once more, in blocks of kTextBlockBytes, for a candidate put together
  // with one copy of fixed size per element; a text too long for its block has Length 0.
  struct TextBlock {
    std::array<char, kTextBlockBytes> Bytes;
    std::uint8_t Length;
  };
  std::array<TextBlock, kElementTableSize> VowelTextBlocks;
  std::array<TextBlock, kElementTableSize> ConsonantTextBlocks;
  // What the log writes for an element among a step's candidates: its coded text, then a space.
  std::array<std::string, kElementTableSize> VowelLogText;
  std::array<std::string, kElementTableSize> ConsonantLogText;
  // Every special consonant has a text, so expanding one never shortens a candidate: a candidate
  // whose elements' special lengths stay within the cap is then their texts joined.
  bool SpecialsLengthen = true;
  // Several hundred kilobytes: kept on the heap, allocated once per ElementFacts.
  std::unique_ptr<CandidateSets> Sets;
  // Filled by the attempts as they meet candidate sets, emptied by Build: what it holds follows
  // from the sets and the statistics, so it changes no result, only how soon one is found.
  std::unique_ptr<CandidateChoices> Choices;

  void Build(const ChapterStatistics& stats, int vowel_count, int consonant_count);
};

}  // namespace qorv
