// A Chapter written in UTF-8 and/or with LF or CR line ends, turned into the Windows-1252, CR LF
// file the loader reads: the same tags, comments and names, re-encoded, every line ended by
// CR LF so that a comment ends with its line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "wordlist/letter_mapping.h"
#include "wordlist/text_input.h"

namespace qorv {

// A character outside Windows-1252, and what stands in its place.
struct ChangedCharacter {
  int Line = 0;
  std::string From;       // UTF-8
  std::string To;         // Windows-1252; "?" for a character without any form
  bool Unmapped = false;  // no form at all
};

struct ConvertedChapter {
  std::string Text;                       // Windows-1252, CR LF
  int LineEndsChanged = 0;                // LF or lone CR line ends made CR LF
  std::vector<ChangedCharacter> Changed;  // in line order
};

// `decoded` is the file's text (DecodeText). A line that ended keeps its end, as CR LF; a last
// line without one stays without.
ConvertedChapter ConvertChapter(const DecodedText& decoded, const LetterMapper& mapper);

}  // namespace qorv
