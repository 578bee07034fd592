// Conversions between Windows-1252, the code page of every Chapter, and UTF-8, the encoding of
// the terminal and of JSON.
//
// The five bytes that Windows-1252 leaves undefined (81 8D 8F 90 9D) map to the C1 controls of the
// same value, so that every byte converts and converts back.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qorv {

// The Unicode code point of one Windows-1252 byte.
char32_t Cp1252ToCodePoint(char byte);

// The Windows-1252 byte of a code point, or nullopt when the code page has no such character.
std::optional<char> CodePointToCp1252(char32_t code_point);

// Appends the UTF-8 form of a code point (at most U+10FFFF) to `out`.
void AppendUtf8(char32_t code_point, std::string& out);

// Every byte of `cp1252` as UTF-8.
std::string Cp1252ToUtf8(std::string_view cp1252);
// The same, appended to `out` (for a buffer reused from one text to the next).
void AppendCp1252AsUtf8(std::string_view cp1252, std::string& out);

struct Utf8Char {
  char32_t code_point = 0;
  std::size_t length = 0;  // bytes taken by the character, 1 to 4
};

// The first character of `utf8`, or nullopt when it does not start with a well-formed one
// (overlong forms, surrogates and code points above U+10FFFF are not well-formed).
std::optional<Utf8Char> DecodeUtf8Char(std::string_view utf8);

// The Windows-1252 byte of `utf8` when it holds exactly one character that the code page has.
std::optional<char> Utf8CharToCp1252(std::string_view utf8);

// The whole text in Windows-1252, or nullopt when it is not well-formed UTF-8 or holds a
// character that the code page lacks.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);

// The number of well-formed UTF-8 sequences of two to four bytes in `bytes`: a text in a single
// byte code page rarely holds any, a text written as UTF-8 holds one per non-ASCII character.
int CountUtf8MultiByteSequences(std::string_view bytes);

}  // namespace qorv
