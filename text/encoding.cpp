#include "text/encoding.h"

#include <array>

namespace qorv {
namespace {

// Code points of the bytes 80..9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

char32_t Cp1252ToCodePoint(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  return (b >= 0x80 && b <= 0x9F) ? kHighControls[b - 0x80] : b;
}

std::optional<char> CodePointToCp1252(char32_t code_point) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
    return static_cast<char>(code_point);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == code_point) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendCp1252AsUtf8(std::string_view cp1252, std::string& out) {
  // Names are mostly ASCII: a run of ASCII bytes goes over in one append.
  std::size_t ascii_from = 0;
  for (std::size_t i = 0; i < cp1252.size(); ++i) {
    if (static_cast<unsigned char>(cp1252[i]) < 0x80) continue;
    out.append(cp1252.data() + ascii_from, i - ascii_from);
    AppendUtf8(Cp1252ToCodePoint(cp1252[i]), out);
    ascii_from = i + 1;
  }
  out.append(cp1252.data() + ascii_from, cp1252.size() - ascii_from);
}

std::string Cp1252ToUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() * 2);
  AppendCp1252AsUtf8(cp1252, out);
  return out;
}

std::optional<Utf8Char> DecodeUtf8Char(std::string_view utf8) {
  if (utf8.empty()) return std::nullopt;
  const auto lead = static_cast<unsigned char>(utf8[0]);
  if (lead < 0x80) return Utf8Char{lead, 1};
  // The lead byte tells the length, its own payload bits, and the smallest code point of that
  // length (anything below is an overlong form).
  struct Form {
    std::size_t length;
    unsigned char payload_mask;
    char32_t smallest;
  };
  Form form{};
  if ((lead & 0xE0) == 0xC0) {
    form = {2, 0x1F, 0x80};
  } else if ((lead & 0xF0) == 0xE0) {
    form = {3, 0x0F, 0x800};
  } else if ((lead & 0xF8) == 0xF0) {
    form = {4, 0x07, 0x10000};
  } else {
    return std::nullopt;  // a continuation byte or F8..FF cannot start a character
  }
  const std::size_t length = form.length;
  char32_t code_point = lead & form.payload_mask;
  if (utf8.size() < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (!IsContinuation(byte)) return std::nullopt;
    code_point = (code_point << 6) | (byte & 0x3F);
  }
  if (code_point < form.smallest || code_point > 0x10FFFF) return std::nullopt;
  if (code_point >= 0xD800 && code_point <= 0xDFFF) return std::nullopt;
  return Utf8Char{code_point, length};
}

std::optional<char> Utf8CharToCp1252(std::string_view utf8) {
  const std::optional<Utf8Char> decoded = DecodeUtf8Char(utf8);
  if (!decoded || decoded->length != utf8.size()) return std::nullopt;
  return CodePointToCp1252(decoded->code_point);
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    const std::optional<Utf8Char> decoded = DecodeUtf8Char(utf8);
    if (!decoded) return std::nullopt;
    const std::optional<char> byte = CodePointToCp1252(decoded->code_point);
    if (!byte) return std::nullopt;
    out += *byte;
    utf8.remove_prefix(decoded->length);
  }
  return out;
}

int CountUtf8MultiByteSequences(std::string_view bytes) {
  int count = 0;
  while (!bytes.empty()) {
    const std::optional<Utf8Char> decoded = DecodeUtf8Char(bytes);
    const std::size_t step = decoded ? decoded->length : 1;
    if (step > 1) ++count;
    bytes.remove_prefix(step);
  }
  return count;
}

}  // namespace qorv
