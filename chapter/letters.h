// The fixed letter classes of a Chapter and the helpers that test and map them.
//
// All text in the core is Windows-1252, one byte per character, held in std::string.
// Membership is an exact byte comparison: upper and lower case are different letters.
#pragma once

#include <string>
#include <string_view>

namespace qorv {

// 64 consonant characters: the position of a character here is its consonant index.
extern const std::string_view ConsonantLetters;
// 63 vowel characters, the apostrophe last.
extern const std::string_view VowelLetters;
// ConsonantLetters followed by VowelLetters: the position is the letter index (0..126).
extern const std::string_view AllLetters;
// Accented capitals and their small partners, paired by position (33 each).
extern const std::string_view UpperAccentLetters;
extern const std::string_view LowerAccentLetters;

inline constexpr int kConsonantLetterCount = 64;
inline constexpr int kVowelLetterCount = 63;
inline constexpr int kLetterCount = 127;

bool IsConsonant(char c);
bool IsVowel(char c);
// Position in AllLetters, or -1 for a character of neither class.
int LetterIndex(char c);
// Position in ConsonantLetters, or -1 for a character that is not a consonant.
int ConsonantIndex(char c);

// ASCII case rule: only A-Z / a-z change.
char AsciiUpper(char c);
char AsciiLower(char c);
void AsciiUpperInPlace(std::string& text);
// Accented letters change case only through the accent pair lists.
char AccentUpper(char c);
char AccentLower(char c);

}  // namespace qorv
