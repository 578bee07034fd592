// Unicode text into the letters a Chapter can hold, through ICU.
//
// A character is kept when Windows-1252 has it (for a name: when it is also one of the Chapter's
// letters, once the loader has upper-cased it). Otherwise it is reduced: after canonical
// decomposition its combining marks are dropped and the base letter taken (ř -> r, ễ -> e); a
// character without such a base (Ł, đ, ı, the curly apostrophe, letters of other scripts) goes,
// together with its unmapped neighbours, through ICU's "Any-Latin; Latin-ASCII" transliteration.
// What still does not fit is reported, never guessed at.
//
// A mapper holds one ICU transliterator and remembers what it made of recent runs of text; use it
// from one thread at a time.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qorv {

// One reduced piece of text: what was written (UTF-8) and what stands in its place
// (Windows-1252).
struct Reduction {
  std::string From;
  std::string To;
};

// Why a line is no seed name; the first that applies is reported.
enum class NameProblem {
  kNone,
  kEmpty,        // nothing but white space
  kCommentMark,  // the line starts as a comment of another kind does: ";" or "//"
  kTab,          // a tab: the list has columns
  kDigit,        // digits are the codes of special consonants in a Chapter
  kNoLetter,     // a character that neither is nor reduces to a Chapter letter
  kSpace,        // white space between words (and the words were not to be joined)
  kNotUtf8,      // the line is not UTF-8 and UTF-8 was asked for (word lists only)
  kTooLong,      // longer than any seed name can be (word lists only)
};

struct MappedName {
  std::string Name;  // Windows-1252 as it is to be written; empty when there is a problem
  NameProblem Problem = NameProblem::kNone;
  char32_t Character = 0;  // the character of a kDigit or kNoLetter problem
  std::vector<Reduction> Reductions;
  bool Joined = false;  // words were joined by hyphens
};

struct MappedText {
  std::string Text;  // Windows-1252; a character without any form there is written as '?'
  std::vector<Reduction> Reductions;
  std::vector<char32_t> Unmapped;  // the characters written as '?', in order
};

class LetterMapper {
 public:
  // Nullptr, with ICU's reason in `error`, when ICU cannot build the transliterator (its data
  // missing).
  static std::unique_ptr<LetterMapper> Create(std::string& error);
  ~LetterMapper();
  LetterMapper(const LetterMapper&) = delete;
  LetterMapper& operator=(const LetterMapper&) = delete;

  // One seed name from well-formed UTF-8, in NFC, white space at its ends removed. With
  // `join_words`, the words of a name are joined by one hyphen ("Port Royal" -> "Port-Royal").
  // A name of several words is refused for its spaces only when its letters would do.
  MappedName MapName(std::string_view utf8, bool join_words) const;

  // Any text (a title, a whole line of a Chapter) from well-formed UTF-8 into Windows-1252.
  MappedText MapText(std::string_view utf8) const;

  // The text with the first letter of every word in capitals and the others small.
  static std::string TitleCase(std::string_view utf8);

 private:
  struct Icu;  // ICU's objects, kept out of this header so that ICU stays a private dependency
  explicit LetterMapper(std::unique_ptr<Icu> icu);

  std::unique_ptr<Icu> icu_;
};

// "U+0141" for a code point.
std::string CodePointLabel(char32_t code_point);

}  // namespace qorv
