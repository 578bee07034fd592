#include "generator/initial_letters.h"

#include "chapter/letters.h"
#include "generator/finishing.h"

namespace qorv {
namespace {

void AddOnce(std::string& letters, char letter) {
  if (letters.find(letter) == std::string::npos) letters += letter;
}

// Whether the driver's class draw can begin a name with an element of each kind under `letter`.
// It keeps to the classes whose first kind can hold the letter (the Y going to the kind the Y
// mode does not give it, as the driver's rule has it), and takes any class when none can.
struct DrawnKinds {
  bool consonant = false;
  bool vowel = false;
};

DrawnKinds KindsDrawnFor(char letter, int y_mode, bool consonant_classes, bool vowel_classes) {
  const InitialLetterSets& sets = InitialLetterSets::For(y_mode);
  const bool consonant_fits = consonant_classes && sets.BeginsConsonant(letter);
  const bool vowel_fits = vowel_classes && sets.BeginsVowel(letter);
  if (!consonant_fits && !vowel_fits) return {consonant_classes, vowel_classes};
  return {consonant_fits, vowel_fits};
}

}  // namespace

InitialLetterSets::InitialLetterSets(int y_mode) {
  std::string vowels(VowelLetters);
  std::string consonants(ConsonantLetters);
  AsciiUpperInPlace(vowels);
  AsciiUpperInPlace(consonants);
  std::string& without_y = y_mode == 0 ? consonants : vowels;
  without_y.erase(without_y.find('Y'), 1);
  for (char c : vowels) vowels_[static_cast<unsigned char>(c)] = true;
  for (char c : consonants) consonants_[static_cast<unsigned char>(c)] = true;
}

std::string PossibleInitialLetters(const TQorvChapter& chapter, const ChapterStatistics& stats) {
  // The first characters of the elements seen first, by kind, as the placement compares them.
  std::string consonant_firsts;
  for (int k = 0; k < chapter.ConsonantElementCount; ++k) {
    if (stats.ConsonantPositionCounts[k][0] == 0) continue;
    const std::string expanded = ExpandedConsonant(stats.ConsonantElements[k], stats);
    if (!expanded.empty()) AddOnce(consonant_firsts, expanded[0]);
  }
  std::string vowel_firsts;
  for (int v = 0; v < chapter.VowelElementCount; ++v) {
    const std::string& coded = stats.VowelElements[v];
    if (stats.VowelPositionCounts[v][0] > 0 && !coded.empty()) {
      AddOnce(vowel_firsts, AsciiUpper(coded[0]));
    }
  }
  // Even classes begin with a consonant, odd ones with a vowel.
  bool consonant_classes = false;
  bool vowel_classes = false;
  for (int c = 0; c < kStructureClasses; ++c) {
    if (stats.StructureNameCounts[c] == 0) continue;
    (c % 2 == 0 ? consonant_classes : vowel_classes) = true;
  }
  const auto possible = [&](char letter) {
    const DrawnKinds kinds = KindsDrawnFor(letter, chapter.YMode, consonant_classes, vowel_classes);
    return (kinds.consonant && consonant_firsts.find(letter) != std::string::npos) ||
           (kinds.vowel && vowel_firsts.find(letter) != std::string::npos);
  };

  std::string letters;
  const std::string* const lists[] = {&chapter.InitialLetters, &consonant_firsts, &vowel_firsts};
  for (const std::string* firsts : lists) {
    for (const char letter : *firsts) {
      if (possible(letter)) AddOnce(letters, letter);
    }
  }
  return letters;
}

}  // namespace qorv
