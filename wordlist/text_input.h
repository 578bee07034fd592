// Text as people's editors write it: UTF-8 with or without a byte order mark, or Windows-1252,
// with LF, CR LF or CR line ends. Standard library only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qorv {

// Larger input is refused: a word list of every town on a continent stays well below it.
inline constexpr std::size_t kMaxInputBytes = 64 * 1024 * 1024;

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

// Why `bytes` are no text at all (a NUL byte, a UTF-16 byte order mark), or empty when they may
// be text; a UTF-8 byte order mark at the start is then dropped from `bytes`.
std::string RefusedAsText(std::string_view& bytes);

// Whether every byte of `text` belongs to a well-formed UTF-8 sequence.
bool IsWellFormedUtf8(std::string_view text);

// The offset of the first byte that does not belong to a well-formed UTF-8 sequence, or npos.
std::size_t FirstIllFormedByte(std::string_view text);

// How the lines of a word list are read: each as UTF-8 when it is well-formed UTF-8 and as
// Windows-1252 otherwise, or all in one encoding.
enum class InputEncoding { kPerLine, kUtf8, kCp1252 };

struct DecodedLine {
  std::string Utf8;
  bool ReadAsCp1252 = false;  // per line: the line was not UTF-8
  // Forced UTF-8: the offset of the first byte that is not UTF-8 (Utf8 is then empty), or npos.
  std::size_t IllFormedByte = std::string_view::npos;
};

DecodedLine DecodeLine(std::string_view bytes, InputEncoding encoding);

struct TextLine {
  int Number = 0;         // from 1
  std::string_view Text;  // without its line end
  bool Ended = false;     // followed by a line end (the last line may not be)
};

// The lines of a text one after the other; LF, CR LF and a CR on its own each end a line.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}
  bool Next(TextLine& line);

 private:
  std::string_view text_;
  std::size_t start_ = 0;
  int number_ = 0;
};

// All lines of a text at once.
std::vector<TextLine> SplitLines(std::string_view text);

const char* EncodingName(TextEncoding encoding);

}  // namespace qorv
