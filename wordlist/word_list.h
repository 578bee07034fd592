// A word list read into seed names: one name per line, blank lines and lines starting with '#'
// skipped, every line decoded on its own (UTF-8, or Windows-1252 where it is not UTF-8), every
// name mapped into Chapter letters, names the format cannot hold set aside with their reason,
// and repeats of a name (once upper-cased) merged into its first occurrence.
//
// The reader goes through the list one line at a time and keeps only what repeats are found by,
// so that a list of millions of lines costs no more than its bytes and that.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "wordlist/letter_mapping.h"
#include "wordlist/text_input.h"

namespace qorv {

// No seed name is anywhere near this long; a longer line is skipped before its letters are read.
inline constexpr std::size_t kMaxNameLineBytes = 4096;

// Repeats are found among this many different names (the first ones read).
inline constexpr std::size_t kRememberedNames = 20000;

struct WordListOptions {
  bool JoinWords = false;
  InputEncoding Encoding = InputEncoding::kPerLine;
};

enum class WordKind { kName, kSkipped, kMerged };

// One line of the list that is neither blank nor a comment.
struct WordListEntry {
  WordKind Kind = WordKind::kName;
  int Line = 0;
  std::string Written;        // the line as written (UTF-8, trimmed); empty when not UTF-8
  bool ReadAsCp1252 = false;  // the line was not UTF-8 and was read as Windows-1252
  // kName: the name in Windows-1252, as it goes into the Chapter.
  std::string Name;
  std::vector<Reduction> Reductions;
  bool Joined = false;  // its words were joined by hyphens
  // kSkipped: why; the character at fault (kDigit, kNoLetter, kSpace, kCommentMark) or the
  // offset in the line of the first byte that is not UTF-8 (kNotUtf8).
  NameProblem Problem = NameProblem::kNone;
  char32_t Character = 0;
  std::size_t Byte = 0;
  // kMerged: the line of the name it repeats.
  int FirstLine = 0;
};

class WordListReader {
 public:
  // `bytes`: the list after RefusedAsText; it and `mapper` must outlive the reader.
  WordListReader(std::string_view bytes, const LetterMapper& mapper, WordListOptions options);

  // The next line that is neither blank nor a comment; false at the end of the list.
  bool Next(WordListEntry& entry);

  // The upper-cased form the loader compares names in, under which repeats are found.
  static std::string Key(std::string name);

 private:
  void Read(const TextLine& line, WordListEntry& entry);

  LineCursor lines_;
  const LetterMapper& mapper_;
  WordListOptions options_;
  std::unordered_map<std::string, int> first_lines_;  // key -> line of its first occurrence
};

// The lines of a list that are neither blank nor comments: what it offers as names at most.
std::size_t CountNameLines(std::string_view bytes);

// A whole list at once (tests, the fuzz target): every entry in line order by its kind.
struct WordList {
  std::vector<WordListEntry> Names;  // in input order, distinct
  std::vector<WordListEntry> Skipped;
  std::vector<WordListEntry> Merged;
  std::vector<int> Cp1252Lines;  // the lines read as Windows-1252
};

WordList ReadWordList(std::string_view bytes, const LetterMapper& mapper, WordListOptions options);

}  // namespace qorv
