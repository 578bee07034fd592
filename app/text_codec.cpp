#include "app/text_codec.h"

#include <QList>

#include "text/encoding.h"

namespace qorv::app {

QString FromCp1252(std::string_view cp1252) {
  QString text;
  text.reserve(static_cast<qsizetype>(cp1252.size()));
  for (char byte : cp1252) {
    // Every Windows-1252 byte maps into the Basic Multilingual Plane.
    text += QChar(static_cast<char16_t>(Cp1252ToCodePoint(byte)));
  }
  return text;
}

std::string ToCp1252(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (char32_t code_point : text.toUcs4()) {
    bytes += CodePointToCp1252(code_point).value_or('?');
  }
  return bytes;
}

}  // namespace qorv::app
