// The letters a generated name can begin with, for the initial-letter option.
#pragma once

#include <array>
#include <string>

#include "chapter/chapter.h"
#include "chapter/statistics.h"

namespace qorv {

// The letters a name of each kind may begin with: both classes upper-cased, with the one "Y"
// taken from the kind that the Chapter's Y mode does not give it.
class InitialLetterSets {
 public:
  // The sets of a Y mode; there are two, made once each.
  static const InitialLetterSets& For(int y_mode) {
    static const InitialLetterSets kYVowel(0);
    static const InitialLetterSets kYConsonant(1);
    return y_mode == 0 ? kYVowel : kYConsonant;
  }

  // Whether a structure class (odd: the name begins with a vowel element) fits the initial
  // letter; every class fits '*'.
  bool Fits(int structure_class, char letter) const {
    if (letter == '*') return true;
    return structure_class % 2 == 1 ? BeginsVowel(letter) : BeginsConsonant(letter);
  }
  bool BeginsVowel(char letter) const { return vowels_[static_cast<unsigned char>(letter)]; }
  bool BeginsConsonant(char letter) const {
    return consonants_[static_cast<unsigned char>(letter)];
  }

 private:
  explicit InitialLetterSets(int y_mode);

  std::array<bool, 256> vowels_{};
  std::array<bool, 256> consonants_{};
};

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
