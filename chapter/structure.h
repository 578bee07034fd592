// The analysis stages that describe the shape of each seed name: its structure class and length
// pattern, and the positions at which each element occurs.
#pragma once

#include <vector>

#include "chapter/decomposition.h"
#include "chapter/statistics.h"

namespace qorv {

// Structure classes and length patterns with their weights.
void BuildStructurePatterns(ChapterStatistics& stats, const std::vector<ElementRow>& rows);

// Position counts of every element; `shuffle` pools all middle positions in slot 1.
void CountPositions(ChapterStatistics& stats, const std::vector<ElementRow>& rows, bool shuffle);

// The structure class of a row of `n` elements.
int StructureClass(const ElementRow& row, int n);
// The character of an element length in a length pattern: '0' + length (0 for a multi vowel).
char LengthPatternChar(int length);
// An element's length as a length pattern counts it: a special consonant digit counts as its text.
int PatternLength(const ChapterStatistics& stats, ElementId id);

}  // namespace qorv
