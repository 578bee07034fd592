#include "app/page_size.h"

namespace qorv::app {

int PageSizeValue(const QString& text) {
  int value = 0;
  for (QChar c : text.left(kPageSizeDigitsRead)) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) break;
    value = value * 10 + (c.unicode() - '0');
  }
  return value;
}

QString CheckedPageSizeText(const QString& text) {
  const int value = PageSizeValue(text);
  if (value < kMinPageSize) return QString::number(kMinPageSize);
  if (value > kMaxPageSize) return QString::number(kMaxPageSize);
  return text.left(kPageSizeDigitsRead);
}

}  // namespace qorv::app
