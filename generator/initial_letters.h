// The letters a generated name can begin with, for the initial-letter option.
#pragma once

#include <string>

#include "chapter/chapter.h"
#include "chapter/statistics.h"

namespace qorv {

// Every letter that GenerateOnce can place first under an initial letter: the upper-cased first
// character of a vowel element, or of a consonant element's expanded form, seen first in some
// seed name, where the driver can draw a structure class that begins with that kind of element.
//
// This is not always the Chapter's InitialLetters, which are the seed names' own first letters:
// a special consonant stands first as its expansion (a seed name that begins with the digit 0
// begins a new name with the first letter of special consonant #1), and under Y:SEMI a Y that
// begins seed names only as a vowel cannot begin a new one while the Chapter has names that
// begin with a consonant (the driver then takes Y for a consonant). The letters come in the
// order of InitialLetters, then the others in element table order. `chapter` must be loaded.
std::string PossibleInitialLetters(const TQorvChapter& chapter, const ChapterStatistics& stats);

}  // namespace qorv
