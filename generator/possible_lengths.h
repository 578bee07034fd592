// The fewest and the most letters a finished name of a Chapter can have, as the length filters
// count them (apostrophes and hyphens not counted), whatever the generation options: so that a
// length filter no name can pass is refused before the first attempt.
#pragma once

#include <cstddef>

#include "chapter/chapter.h"
#include "chapter/statistics.h"

namespace qorv {

struct LengthBounds {
  std::size_t Shortest = 0;
  std::size_t Longest = 0;
};

// Every name has as many elements as some seed name, vowel and consonant elements taking turns
// from the kind its structure class begins with. The bounds take any element of a kind for any
// place of that kind, so no name the generator can make lies outside them. Accent finishing
// joins a run of two or three equal vowels (two Y) into one letter; where one element ends with
// such a letter and the next begins with it, the two runs together may finish one letter
// shorter than apart, never more.
LengthBounds PossibleLengths(const TQorvChapter& chapter, const ChapterStatistics& stats);

}  // namespace qorv
