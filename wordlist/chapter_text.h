// Writing the text of a Chapter file: the eight tags, one comment line and the NAMES list, in
// Windows-1252 with CR LF line ends. Standard library only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qorv {

// Every value in Windows-1252, each one accepted by TagValueProblem for its tag.
struct ChapterHeader {
  std::string Title;
  std::string Line1;
  std::string Line2;
  std::string Date;
  std::string SpecialConsonants;  // the SPCCON value
  std::string SpecialVowels;      // the SPCVOW value
  std::string Options;            // the GENOPT value
  // One comment line, written after the option tags and before NAMES; bytes that could end the
  // comment or reach the Chapter list's comma count (line ends, control characters, commas) are
  // written as spaces.
  std::string Comment;
};

// The eight tag names.
extern const std::vector<std::string_view> kChapterTagNames;

// Why `value` cannot be written as the value of a tag that keeps `limit` characters (empty when
// it can). Every tag is found by the first occurrence of its name anywhere in the file, so no
// value may hold a tag name; the terminator '";' would end the value early; a line break or
// another control character has no place in a one-line value; and in the option tags, which are
// read after comments are blanked, "//" would blank the rest of the line, terminator included.
std::string TagValueProblem(std::string_view value, std::size_t limit, bool option_tag);

// The whole file for the first `count` of `names` (count <= names.size(); with none, the list
// holds one empty name, which the loader refuses). Names are written as
// given, each in double quotes, separated by commas over lines of at most kNamesLineWidth
// characters (a longer name stands alone on its line).
std::string FormatChapter(const ChapterHeader& header, const std::vector<std::string>& names,
                          std::size_t count);

inline constexpr std::size_t kNamesLineWidth = 78;

}  // namespace qorv
