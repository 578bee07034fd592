#include "wordlist/text_input.h"

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
  int line = 1;
  for (const TextLine& text : SplitLines(bytes)) {
    line = text.Number;
    const std::size_t end =
        static_cast<std::size_t>(text.Text.data() - bytes.data()) + text.Text.size();
    if (position <= end) break;
  }
  return line;
}

}  // namespace

bool IsWellFormedUtf8(std::string_view text) {
  return FirstIllFormedLine(text) == 0;
}

DecodedText DecodeText(std::string_view bytes) {
  DecodedText result;
  if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
    result.Error = "is UTF-16 text; save it as UTF-8 or Windows-1252";
    return result;
  }
  if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
    result.Error =
        "is not a text file (a NUL byte on line " + std::to_string(LineAt(bytes, nul)) + ")";
    return result;
  }
  if (bytes.starts_with(kUtf8ByteOrderMark)) {
    bytes.remove_prefix(kUtf8ByteOrderMark.size());
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

std::vector<TextLine> SplitLines(std::string_view text) {
  std::vector<TextLine> lines;
  std::size_t start = 0;
  int number = 1;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back({number, text.substr(start), false});
      break;
    }
    lines.push_back({number++, text.substr(start, end - start), true});
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
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
