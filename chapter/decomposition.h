// Cutting seed names into elements: runs of vowels and runs of consonants of the coded name.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "chapter/chapter.h"
#include "chapter/limits.h"
#include "chapter/statistics.h"

namespace qorv {

// A seed name's elements in order, then -1.
using ElementRow = std::array<ElementId, kElementRowSize>;

struct RewriteOptions {
  bool Soft = false;  // consonant + H becomes the lower-case consonant
  int YMode = 0;      // 0 none, 1 Y:CON, 2 Y:SEMI
  int UMode = 0;      // 0 none, 2 U:SEMI
};

// The coded name of an upper-cased seed name (soft consonants, Y, Qu), before special consonants.
std::string RewriteName(std::string_view name, const RewriteOptions& options);

// Replaces every special consonant standing at a consonant character by its code digit, trying
// the list in order at each position of the name as it stands.
void ReplaceSpecialConsonants(std::string& coded,
                              const std::array<std::string, kMaxSpecialConsonants>& specials,
                              int count);

// Splits every coded name into an element row, filling the element tables of `stats` and the
// element counts of `chapter` (both must start at 0). True when every name splits; otherwise
// false with the load's failure message in `error`.
bool SplitNames(const std::vector<std::string>& coded_names, bool multi, ChapterStatistics& stats,
                TQorvChapter& chapter, std::vector<ElementRow>& rows, std::string* error);

}  // namespace qorv
