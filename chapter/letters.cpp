#include "chapter/letters.h"

#include <array>
#include <cstdint>

namespace qorv {
namespace {

constexpr char kConsonants[] =
    "BCDFGHJKLMNPQRSTVWXZbcdfghjklmnpqrstvwxz"
    "\xE7\xF0\xF1\xFE\x9A\xC7\xD0\xD1\xDE\x8A\xDF"
    "0123456789yu-";

constexpr char kVowels[] =
    "AEIOUY"
    "\xC4\xCB\xCF\xD6\xDC\x9F"
    "\xC1\xC9\xCD\xD3\xDA\xDD"
    "\xC2\xCA\xCE\xD4\xDB"
    "\xC0\xC8\xCC\xD2\xD9"
    "\xC3\xD5"
    "\xC5\xC6\xD8\x8C"
    "\xE4\xEB\xEF\xF6\xFC\xFF"
    "\xE1\xE9\xED\xF3\xFA\xFD"
    "\xE2\xEA\xEE\xF4\xFB"
    "\xE0\xE8\xEC\xF2\xF9"
    "\xE3\xF5"
    "\xE5\xE6\xF8\x9C"
    "'";

// AllLetters is the consonants followed by the vowels.
constexpr auto kAll = [] {
  std::array<char, kLetterCount> all{};
  for (int i = 0; i < kConsonantLetterCount; ++i) all[i] = kConsonants[i];
  for (int i = 0; i < kVowelLetterCount; ++i) all[kConsonantLetterCount + i] = kVowels[i];
  return all;
}();

constexpr char kUpperAccents[] =
    "\xC4\xCB\xCF\xD6\xDC\x9F\xC1\xC9\xCD\xD3\xDA\xDD\xC2\xCA\xCE\xD4\xDB"
    "\xC0\xC8\xCC\xD2\xD9\xC3\xD5\xC5\xC6\xD8\x8C\xC7\xD0\xD1\xDE\x8A";
constexpr char kLowerAccents[] =
    "\xE4\xEB\xEF\xF6\xFC\xFF\xE1\xE9\xED\xF3\xFA\xFD\xE2\xEA\xEE\xF4\xFB"
    "\xE0\xE8\xEC\xF2\xF9\xE3\xF5\xE5\xE6\xF8\x9C\xE7\xF0\xF1\xFE\x9A";

static_assert(sizeof(kConsonants) - 1 == kConsonantLetterCount);
static_assert(sizeof(kVowels) - 1 == kVowelLetterCount);
static_assert(sizeof(kUpperAccents) - 1 == 33 && sizeof(kLowerAccents) - 1 == 33);

// Byte -> position lookups, built once at compile time.
struct Lookup {
  std::array<std::int8_t, 256> letter{};
  std::array<std::int8_t, 256> consonant{};
  std::array<unsigned char, 256> upper{};
  std::array<unsigned char, 256> lower{};
};

constexpr Lookup MakeLookup() {
  Lookup t{};
  for (int b = 0; b < 256; ++b) {
    t.letter[b] = -1;
    t.consonant[b] = -1;
    t.upper[b] = static_cast<unsigned char>(b);
    t.lower[b] = static_cast<unsigned char>(b);
  }
  for (int i = 0; i < kLetterCount; ++i) {
    t.letter[static_cast<unsigned char>(kAll[i])] = static_cast<std::int8_t>(i);
  }
  for (int i = 0; i < kConsonantLetterCount; ++i) {
    t.consonant[static_cast<unsigned char>(kConsonants[i])] = static_cast<std::int8_t>(i);
  }
  for (int i = 0; i < 33; ++i) {
    const auto up = static_cast<unsigned char>(kUpperAccents[i]);
    const auto low = static_cast<unsigned char>(kLowerAccents[i]);
    t.upper[low] = up;
    t.lower[up] = low;
  }
  return t;
}

constexpr Lookup kLookup = MakeLookup();

unsigned char Byte(char c) {
  return static_cast<unsigned char>(c);
}

}  // namespace

constinit const std::string_view ConsonantLetters{kConsonants, kConsonantLetterCount};
constinit const std::string_view VowelLetters{kVowels, kVowelLetterCount};
constinit const std::string_view AllLetters{kAll.data(), kLetterCount};
constinit const std::string_view UpperAccentLetters{kUpperAccents, 33};
constinit const std::string_view LowerAccentLetters{kLowerAccents, 33};

bool IsConsonant(char c) {
  return kLookup.consonant[Byte(c)] >= 0;
}
bool IsVowel(char c) {
  return kLookup.letter[Byte(c)] >= kConsonantLetterCount;
}
int LetterIndex(char c) {
  return kLookup.letter[Byte(c)];
}
int ConsonantIndex(char c) {
  return kLookup.consonant[Byte(c)];
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
void AsciiUpperInPlace(std::string& text) {
  for (char& c : text) c = AsciiUpper(c);
}
char AccentUpper(char c) {
  return static_cast<char>(kLookup.upper[Byte(c)]);
}
char AccentLower(char c) {
  return static_cast<char>(kLookup.lower[Byte(c)]);
}

}  // namespace qorv
