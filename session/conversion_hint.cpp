#include "session/conversion_hint.h"

#include <optional>

#include "text/encoding.h"

namespace qorv {
namespace {

bool HasBareLineFeed(std::string_view content) {
  for (std::size_t at = content.find('\n'); at != std::string_view::npos;
       at = content.find('\n', at + 1)) {
    if (at == 0 || content[at - 1] != '\r') return true;
  }
  return false;
}

bool IsNonAsciiUtf8(std::string_view content) {
  bool non_ascii = false;
  while (!content.empty()) {
    const std::optional<Utf8Char> decoded = DecodeUtf8Char(content);
    if (!decoded) return false;
    non_ascii = non_ascii || decoded->code_point > 0x7F;
    content.remove_prefix(decoded->length);
  }
  return non_ascii;
}

}  // namespace

bool LooksLikeUnconvertedText(std::string_view content) {
  return HasBareLineFeed(content) || IsNonAsciiUtf8(content);
}

std::string ConversionHint(std::string_view name, std::string_view argument) {
  std::string hint(name);
  hint += " looks like UTF-8 text (or has LF line ends): `qorv chapter convert ";
  hint += argument;
  hint += " -o NEW.qrv` makes it a Chapter";
  return hint;
}

}  // namespace qorv
