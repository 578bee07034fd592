// Facts of the Chapter file format and of a load, shared by the loader, the Chapter list's quick
// look, the author's warnings and the generator. Each is defined here once.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace qorv {

// The eight tags. The four header tags are read before comments are blanked, the others after.
namespace tag {
inline constexpr std::string_view kTitle = "TITLE";
inline constexpr std::string_view kLine1 = "LINE1";
inline constexpr std::string_view kLine2 = "LINE2";
inline constexpr std::string_view kDate = "DATE";
inline constexpr std::string_view kSpecialConsonants = "SPCCON";
inline constexpr std::string_view kSpecialVowels = "SPCVOW";
inline constexpr std::string_view kGenerationOptions = "GENOPT";
inline constexpr std::string_view kNames = "NAMES";
}  // namespace tag

// The terminator of every tag value: a double quote directly followed by a semicolon.
inline constexpr std::string_view kTerminator = "\";";

// A comment runs from "//" up to, not including, the next carriage return; a line feed does not
// end it, so in a file of bare line feeds one comment runs to the end of the file.
inline constexpr std::string_view kCommentStart = "//";

struct CommentSpan {
  std::size_t From = 0;
  std::size_t To = 0;  // one past the last byte of the comment
};

// Every comment of `text`, in order, exactly as the loader blanks them.
std::vector<CommentSpan> CommentSpans(std::string_view text);

// A load moves the progress gauge from 0 to this value in as many steps.
inline constexpr int kLoadProgressSteps = 15;

// MinRepeatDistance of a letter that no seed name repeats two or more places on.
inline constexpr int kNoRepeat = 255;

// Consonant indexes [kSoftConsonantFirst, kSoftConsonantEnd): the small letters
// "bcdfghjklmnpqrstvwxz", each a soft consonant written out as its capital and "H".
inline constexpr int kSoftConsonantFirst = 20;
inline constexpr int kSoftConsonantEnd = 40;

}  // namespace qorv
