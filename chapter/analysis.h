// The stages of a load that clear and fill the chapter statistics block.
//
// The loader runs them in this order: ClearCountsAndLetterTables, ClearRemainingTables, (names
// parsed) AddLetterStatistics, (names decomposed) BuildPairTables, BuildTransitionTables,
// BuildStructurePatterns, CountPositions.
#pragma once

#include <string>
#include <vector>

#include "chapter/decomposition.h"
#include "chapter/statistics.h"

namespace qorv {

// Position tables, pair tables (all 1000 rows), and the letter statistics' start values.
void ClearCountsAndLetterTables(ChapterStatistics& stats);
// Structure counts and weights (all 1000 rows), transition flags, final pair context rows.
void ClearRemainingTables(ChapterStatistics& stats);

// Closest repetition and highest share of every letter, over the upper-cased seed names.
void AddLetterStatistics(ChapterStatistics& stats, const std::vector<std::string>& names);

// Initial and final pairs with their weights, and the final pair contexts.
void BuildPairTables(ChapterStatistics& stats, const std::vector<ElementRow>& rows);

// Which elements follow which, directly and across one element.
void BuildTransitionTables(ChapterStatistics& stats, const std::vector<ElementRow>& rows);

// Structure classes and length patterns with their weights.
void BuildStructurePatterns(ChapterStatistics& stats, const std::vector<ElementRow>& rows);

// Position counts of every element; `shuffle` pools all middle positions in slot 1.
void CountPositions(ChapterStatistics& stats, const std::vector<ElementRow>& rows, bool shuffle);

// The letter share of `count` letters in a name of `length`: the integer part of
// (count / length + 0.005) * 100 in IEEE double.
double LetterShare(int count, int length);

// The structure class of a row of `n` elements.
int StructureClass(const ElementRow& row, int n);
// The character of an element length in a length pattern: '0' + length (0 for a multi vowel).
char LengthPatternChar(int length);
// An element's length as a length pattern counts it: a special consonant digit counts as its text.
int PatternLength(const ChapterStatistics& stats, ElementId id);

}  // namespace qorv
