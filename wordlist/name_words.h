// The words of a name as a list writes them: white space at its ends dropped, and the words
// joined by hyphens. What counts as white space is the caller's (the ICU mapper asks ICU).
#pragma once

#include <vector>

#include "wordlist/letter_mapping.h"

namespace qorv {

using IsSpaceFunction = bool (*)(char32_t);

// The text without white space at its ends.
std::vector<char32_t> TrimmedName(const std::vector<char32_t>& text, IsSpaceFunction is_space);

// The words of a name joined by one hyphen; a hyphen already at the joint is not doubled.
std::vector<char32_t> JoinNameWords(const std::vector<char32_t>& text, IsSpaceFunction is_space);

// What is wrong with a name's shape before its letters are read: it starts as a comment of
// another kind does (";" or "//"), or it holds a tab (the list has columns). kNone when neither.
struct NameShape {
  NameProblem Problem = NameProblem::kNone;
  char32_t Character = 0;
};
NameShape NameShapeProblem(const std::vector<char32_t>& text);

}  // namespace qorv
