#include "generator/element_facts.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "chapter/letters.h"
#include "chapter/structure.h"
#include "generator/finishing.h"

namespace qorv {
namespace {

// The length pattern character an element asks for: '0' for a multi vowel.
char PatternCharOf(const ElementFacts& facts, ElementId id) {
  if (IsVowelId(id)) {
    const VowelFacts& v = facts.Vowels[id];
    return v.Multi ? '0' : LengthPatternChar(v.Length);
  }
  return LengthPatternChar(facts.Consonants[id - kConsonantIdBase].ExpandedLength);
}

char UpperFirstOf(const ElementFacts& facts, ElementId id) {
  return IsVowelId(id) ? facts.Vowels[id].UpperFirst
                       : facts.Consonants[id - kConsonantIdBase].UpperFirst;
}

// The text an element adds to a candidate, and its length after the special consonants alone.
// When the element's own expansion could have been stopped by the cap, the length is put past
// the cap, so that a candidate holding it is assembled as a whole.
void CandidateTextOf(const std::string& coded, const ChapterStatistics& stats, std::string& text,
                     std::size_t& special_length) {
  std::size_t longest_special = 0;
  for (int d = 0; d < stats.SpecialConsonantCount; ++d) {
    longest_special = std::max(longest_special, stats.SpecialConsonants[d].size());
  }
  text = coded;
  ExpandSpecialConsonants(text, stats);
  special_length =
      text.size() + longest_special > kMaxExpandedLength + 1 ? kMaxExpandedLength + 1 : text.size();
  ExpandSoftConsonants(text);
  AsciiUpperInPlace(text);
}

ElementFacts::TextBlock BlockOf(const std::string& text) {
  ElementFacts::TextBlock block{};
  if (text.empty() || text.size() > block.Bytes.size()) return block;
  std::copy(text.begin(), text.end(), block.Bytes.begin());
  block.Length = static_cast<std::uint8_t>(text.size());
  return block;
}

void AddPairs(PairSets& sets, const ElementFacts& facts,
              const std::array<ElementPair, kMaxNames>& pairs, int count) {
  for (int i = 0; i < count; ++i) {
    const ElementPair& pair = pairs[i];
    (IsVowelId(pair.first) ? sets.VowelFirst : sets.ConsonantFirst).Add(i);
    sets.FirstFits[ByteIndex(PatternCharOf(facts, pair.first))].Add(i);
    sets.SecondFits[ByteIndex(PatternCharOf(facts, pair.second))].Add(i);
  }
}

// A context table row as sets by column: the row of pair i adds i to the set of each column
// that holds 1. Rows are mostly zero, so they are read eight bytes at a time.
void AddContextRow(std::array<PairSet, kContextSets>& sets,
                   const std::array<std::uint8_t, kContextColumns>& row, int i, int vowel_count) {
  const auto add_range = [&](int from, int to) {
    for (int column = from; column < to;) {
      std::uint64_t word = 0;
      if (column + 8 <= to) {
        std::memcpy(&word, row.data() + column, sizeof word);
        if (word == 0) {
          column += 8;
          continue;
        }
      }
      if (row[column] != 0) sets[ContextSetIndex(column)].Add(i);
      ++column;
    }
  };
  add_range(0, vowel_count);
  add_range(kConsonantIdBase, kConsonantIdBase + kConsonantLetterCount);
}

void BuildSingleSets(CandidateSets& sets, const ElementFacts& facts,
                     const ChapterStatistics& stats) {
  for (int v = 0; v < facts.VowelCount; ++v) {
    const VowelFacts& vowel = facts.Vowels[v];
    for (int slot = 0; slot < kPositionSlots; ++slot) {
      const int count = stats.VowelPositionCounts[v][slot];
      sets.VowelWeights[slot][v] = count;
      if (count > 0) sets.VowelsSeenAt[slot].Add(v);
    }
    sets.VowelsByInitial[ByteIndex(vowel.UpperFirst)].Add(v);
    if (vowel.Multi) {
      sets.VowelsFitting[ByteIndex('0')].Add(v);
    } else if (const char c = LengthPatternChar(vowel.Length); c != '0') {
      sets.VowelsFitting[ByteIndex(c)].Add(v);
    }
    for (int letter = 0; letter < kConsonantLetterCount; ++letter) {
      if (stats.VowelAfterConsonant[v][letter]) sets.VowelsAfterConsonant[letter].Add(v);
    }
    for (int before = 0; before < facts.VowelCount; ++before) {
      if (stats.VowelAcrossConsonant[v][before]) sets.VowelsAcrossConsonant[before].Add(v);
    }
  }
  for (int k = 0; k < facts.ConsonantCount; ++k) {
    const ConsonantFacts& consonant = facts.Consonants[k];
    for (int slot = 0; slot < kPositionSlots; ++slot) {
      const int count = stats.ConsonantPositionCounts[k][slot];
      sets.ConsonantWeights[slot][k] = count;
      if (count > 0) sets.ConsonantsSeenAt[slot].Add(k);
    }
    sets.ConsonantsByInitial[ByteIndex(consonant.ExpandedFirst)].Add(k);
    sets.ConsonantsFitting[ByteIndex(LengthPatternChar(consonant.ExpandedLength))].Add(k);
    // Every element has a first letter; one without (never loaded) joins no junction.
    const int first = consonant.First;
    if (first < 0) continue;
    sets.ConsonantsBeginningWith[first].Add(k);
    for (int v = 0; v < facts.VowelCount; ++v) {
      if (stats.ConsonantAfterVowel[first][v]) sets.ConsonantsAfterVowel[v].Add(k);
    }
    for (int letter = 0; letter < kConsonantLetterCount; ++letter) {
      if (stats.ConsonantAcrossVowel[first][letter]) sets.ConsonantsAcrossVowel[letter].Add(k);
    }
  }
}

void BuildSeenLists(std::array<CandidateSets::SeenList, kPositionSlots>& lists,
                    const std::array<ElementSet, kPositionSlots>& seen,
                    const std::array<std::array<int, kElementTableSize>, kPositionSlots>& weights) {
  for (int slot = 0; slot < kPositionSlots; ++slot) {
    CandidateSets::SeenList& list = lists[slot];
    int sum = 0;
    seen[slot].ForEach([&](int e) {
      sum += weights[slot][e];
      list.Members[list.Count] = static_cast<std::uint16_t>(e);
      list.Sums[list.Count] = sum;
      ++list.Count;
    });
  }
}

void BuildPairSets(CandidateSets& sets, const ElementFacts& facts, const ChapterStatistics& stats) {
  AddPairs(sets.Initial, facts, stats.InitialPairs, stats.InitialPairCount);
  for (int i = 0; i < stats.InitialPairCount; ++i) {
    sets.InitialByLetter[ByteIndex(UpperFirstOf(facts, stats.InitialPairs[i].first))].Add(i);
  }
  AddPairs(sets.Final, facts, stats.FinalPairs, stats.FinalPairCount);
  for (int i = 0; i < stats.FinalPairCount; ++i) {
    AddContextRow(sets.FinalThirdLast, stats.FinalPairThirdLast[i], i, facts.VowelCount);
    AddContextRow(sets.FinalFourthLast, stats.FinalPairFourthLast[i], i, facts.VowelCount);
  }
}

}  // namespace

ElementFacts::ElementFacts()
    : Sets(std::make_unique<CandidateSets>()), Choices(std::make_unique<CandidateChoices>()) {}

void ElementFacts::Build(const ChapterStatistics& stats, int vowel_count, int consonant_count) {
  VowelCount = vowel_count;
  ConsonantCount = consonant_count;
  for (int k = 0; k < consonant_count; ++k) {
    const std::string& coded = stats.ConsonantElements[k];
    const std::string expanded = ExpandedConsonant(coded, stats);
    Consonants[k] = {static_cast<int>(expanded.size()), expanded.empty() ? '\0' : expanded[0],
                     coded.empty() ? -1 : ConsonantIndex(coded.front()),
                     coded.empty() ? -1 : ConsonantIndex(coded.back()),
                     coded.empty() ? '\0' : AsciiUpper(coded[0])};
    CandidateTextOf(coded, stats, ConsonantCandidateText[k], ConsonantSpecialLength[k]);
    ConsonantTextBlocks[k] = BlockOf(ConsonantCandidateText[k]);
    ConsonantLogText[k] = coded + ' ';
  }
  for (int v = 0; v < vowel_count; ++v) {
    const std::string& coded = stats.VowelElements[v];
    Vowels[v] = {static_cast<int>(coded.size()), IsMultiVowel(coded),
                 coded.empty() ? '\0' : AsciiUpper(coded[0])};
    CandidateTextOf(coded, stats, VowelCandidateText[v], VowelSpecialLength[v]);
    VowelTextBlocks[v] = BlockOf(VowelCandidateText[v]);
    VowelLogText[v] = coded + ' ';
  }
  SpecialsLengthen = true;
  for (int d = 0; d < stats.SpecialConsonantCount; ++d) {
    SpecialsLengthen = SpecialsLengthen && !stats.SpecialConsonants[d].empty();
  }
  // Emptied in place: the sets are too large for a temporary on the stack.
  static_assert(std::is_trivially_copyable_v<CandidateSets>);
  std::memset(static_cast<void*>(Sets.get()), 0, sizeof(CandidateSets));
  BuildSingleSets(*Sets, *this, stats);
  BuildSeenLists(Sets->VowelsSeenList, Sets->VowelsSeenAt, Sets->VowelWeights);
  BuildSeenLists(Sets->ConsonantsSeenList, Sets->ConsonantsSeenAt, Sets->ConsonantWeights);
  BuildPairSets(*Sets, *this, stats);
  Choices->Elements.Clear();
  Choices->Pairs.Clear();
}

}  // namespace qorv
