// The Page Size field's rules: its value is the decimal value of its first six characters, and a
// value outside 2..1000 is replaced by the nearest bound.
#pragma once

#include <QString>

namespace qorv::app {

inline constexpr int kMinPageSize = 2;
inline constexpr int kMaxPageSize = 1000;
inline constexpr int kPageSizeDigitsRead = 6;

// The decimal value of the leading digits among the first six characters; 0 when there are none.
int PageSizeValue(const QString& text);

// The first six characters, or "2" / "1000" when their value lies outside the bounds. The field
// keeps what was typed when it lies within them ("050" stays "050").
QString CheckedPageSizeText(const QString& text);

}  // namespace qorv::app
