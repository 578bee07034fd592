// The values of the SPCCON, SPCVOW and GENOPT tags.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "chapter/chapter.h"
#include "chapter/limits.h"

namespace qorv {

struct SpecialConsonantList {
  std::array<std::string, kMaxSpecialConsonants> Texts;
  int Count = 0;
  bool Soft = false;
  std::string Message;  // "Too many special consonants" or an invalid character; empty when valid
};

// Reads the <...> entries of an SPCCON value, in the case written, and the SOFT keyword.
// Empty entries are skipped; a "<" with no ">" after it takes the rest of the value.
SpecialConsonantList ParseSpecialConsonants(std::string_view value);

// The MULTI keyword of an SPCVOW value.
bool ParseMulti(std::string_view value);

// Sets the option fields of `chapter` from a GENOPT value. Keywords are case-insensitive
// substrings; FIT:/VAL: take the first occurrence and the byte after the colon minus '0'
// (-48 when the value ends at the colon).
void ParseGenOpt(std::string_view value, TQorvChapter& chapter);

}  // namespace qorv
