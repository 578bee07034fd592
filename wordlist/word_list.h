// A word list read into seed names: one name per line, blank lines and lines starting with '#'
// skipped, every name mapped into Chapter letters, names the format cannot hold set aside with
// their reason, and repeats of a name (once upper-cased) merged into its first occurrence.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "wordlist/letter_mapping.h"

namespace qorv {

struct WordListName {
  int Line = 0;
  std::string Written;  // the line as written (UTF-8, trimmed)
  std::string Name;     // Windows-1252, as it goes into the Chapter
  std::vector<Reduction> Reductions;
  bool Joined = false;  // its words were joined by hyphens
};

struct SkippedWord {
  int Line = 0;
  std::string Written;
  NameProblem Problem = NameProblem::kNone;
  char32_t Character = 0;
};

struct MergedWord {
  int Line = 0;
  std::string Written;
  int FirstLine = 0;  // the line of the name it repeats
};

struct WordList {
  std::vector<WordListName> Names;  // in input order, distinct
  std::vector<SkippedWord> Skipped;
  std::vector<MergedWord> Merged;
};

// `utf8` is the decoded text (DecodeText).
WordList ReadWordList(std::string_view utf8, const LetterMapper& mapper, bool join_words);

}  // namespace qorv
