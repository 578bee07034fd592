#include "wordlist/text_input.h"

#include <algorithm>
#include <optional>

#include "text/encoding.h"

namespace qorv {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The 1-based line of the first ill-formed UTF-8 sequence, or 0 when there is none.
int FirstIllFormedLine(std::string_view bytes) {
  int line = 1;
  while (!bytes.empty()) {
    const std::optional<Utf8Char> decoded = DecodeUtf8Char(bytes);
    if (!decoded) return line;
    if (bytes[0] == '\n' || (bytes[0] == '\r' && (bytes.size() == 1 || bytes[1] != '\n'))) ++line;
    bytes.remove_prefix(decoded->length);
  }
  return 0;
}

int LineAt(std::string_view bytes, std::size_t position) {
  LineCursor cursor(bytes);
  TextLine text;
  int line = 1;
  while (cursor.Next(text)) {
    line = text.Number;
    const std::size_t end =
        static_cast<std::size_t>(text.Text.data() - bytes.data()) + text.Text.size();
    if (position <= end) break;
  }
  return line;
}

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

bool IsWellFormedUtf8(std::string_view text) {
  return FirstIllFormedByte(text) == std::string_view::npos;
}

std::size_t FirstIllFormedByte(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      ++at;
      continue;
    }
    const std::optional<Utf8Char> decoded = DecodeUtf8Char(text.substr(at));
    if (!decoded) return at;
    at += decoded->length;
  }
  return std::string_view::npos;
}

std::string RefusedAsText(std::string_view& bytes) {
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    return "is UTF-16 text; save it as UTF-8 or Windows-1252";
  }
  if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
    return "is not a text file (a NUL byte on line " + std::to_string(LineAt(bytes, nul)) + ")";
  }
  if (bytes.starts_with(kUtf8ByteOrderMark)) bytes.remove_prefix(kUtf8ByteOrderMark.size());
  return {};
}

DecodedLine DecodeLine(std::string_view bytes, InputEncoding encoding) {
  DecodedLine line;
  if (IsAscii(bytes)) {
    line.Utf8.assign(bytes);
    return line;
  }
  if (encoding == InputEncoding::kCp1252) {
    line.Utf8 = Cp1252ToUtf8(bytes);
    return line;
  }
  line.IllFormedByte = FirstIllFormedByte(bytes);
  if (line.IllFormedByte == std::string_view::npos) {
    line.Utf8.assign(bytes);
  } else if (encoding == InputEncoding::kPerLine) {
    line.IllFormedByte = std::string_view::npos;
    line.ReadAsCp1252 = true;
    line.Utf8 = Cp1252ToUtf8(bytes);
  }
  return line;
}

DecodedText DecodeText(std::string_view bytes) {
  DecodedText result;
  const bool marked = bytes.starts_with(kUtf8ByteOrderMark);
  result.Error = RefusedAsText(bytes);
  if (!result.Error.empty()) return result;
  if (marked) {
    if (const int line = FirstIllFormedLine(bytes); line != 0) {
      result.Error = "begins with a UTF-8 byte order mark but is not UTF-8 (line " +
                     std::to_string(line) + ")";
      return result;
    }
    result.Encoding = TextEncoding::kUtf8WithByteOrderMark;
    result.Utf8.assign(bytes);
    return result;
  }
  if (IsWellFormedUtf8(bytes)) {
    result.Encoding = TextEncoding::kUtf8;
    result.Utf8.assign(bytes);
    return result;
  }
  result.Encoding = TextEncoding::kCp1252;
  result.Utf8 = Cp1252ToUtf8(bytes);
  return result;
}

bool LineCursor::Next(TextLine& line) {
  if (start_ >= text_.size()) return false;
  line.Number = ++number_;
  const std::size_t end = text_.find_first_of("\r\n", start_);
  if (end == std::string_view::npos) {
    line.Text = text_.substr(start_);
    line.Ended = false;
    start_ = text_.size();
    return true;
  }
  line.Text = text_.substr(start_, end - start_);
  line.Ended = true;
  start_ = end + (text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n' ? 2 : 1);
  return true;
}

std::vector<TextLine> SplitLines(std::string_view text) {
  std::vector<TextLine> lines;
  LineCursor cursor(text);
  TextLine line;
  while (cursor.Next(line)) lines.push_back(line);
  return lines;
}

const char* EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf8:
      return "UTF-8";
    case TextEncoding::kUtf8WithByteOrderMark:
      return "UTF-8 with a byte order mark";
    case TextEncoding::kCp1252:
      return "Windows-1252";
  }
  return "";
}

}  // namespace qorv
