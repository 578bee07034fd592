// Text as people's editors write it: UTF-8 with or without a byte order mark, or Windows-1252,
// with LF, CR LF or CR line ends. Standard library only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qorv {

// Larger input is refused: a word list or a Chapter is a few kilobytes.
inline constexpr std::size_t kMaxInputBytes = 16 * 1024 * 1024;

enum class TextEncoding { kUtf8, kUtf8WithByteOrderMark, kCp1252 };

struct DecodedText {
  TextEncoding Encoding = TextEncoding::kUtf8;
  std::string Utf8;   // the text, byte order mark dropped
  std::string Error;  // why the bytes are not taken as text; empty when they are
};

// Text with a UTF-8 byte order mark must be UTF-8; text without one is UTF-8 when it is
// well-formed UTF-8 and Windows-1252 otherwise. A NUL byte or a UTF-16 byte order mark means the
// bytes are not text of either kind.
DecodedText DecodeText(std::string_view bytes);

// Whether every byte of `text` belongs to a well-formed UTF-8 sequence.
bool IsWellFormedUtf8(std::string_view text);

struct TextLine {
  int Number = 0;         // from 1
  std::string_view Text;  // without its line end
  bool Ended = false;     // followed by a line end (the last line may not be)
};

// The lines of a text; LF, CR LF and a CR on its own each end a line.
std::vector<TextLine> SplitLines(std::string_view text);

const char* EncodingName(TextEncoding encoding);

}  // namespace qorv
