#include "chapter/tag_reader.h"

#include <algorithm>

#include "chapter/letters.h"

namespace qorv {

std::optional<TagPlace> FindTag(std::string_view text, std::string_view tag) {
  const std::size_t name_at = text.find(tag);
  if (name_at == std::string_view::npos) return std::nullopt;
  const std::size_t quote_at = text.find('"', name_at);
  if (quote_at == std::string_view::npos) return std::nullopt;
  const std::size_t value_at = quote_at + 1;
  const std::size_t end_at = text.find(kTerminator, value_at);
  if (end_at == std::string_view::npos) return std::nullopt;
  return TagPlace{name_at, value_at, end_at};
}

std::optional<std::string> ReadTag(std::string_view text, std::string_view tag, std::size_t limit) {
  const std::optional<TagPlace> place = FindTag(text, tag);
  if (!place) return std::nullopt;
  return std::string(
      text.substr(place->ValueFrom, std::min(place->ValueTo - place->ValueFrom, limit)));
}

void BlankComments(std::string& text) {
  for (const CommentSpan& span : CommentSpans(text)) {
    text.replace(span.From, span.To - span.From, span.To - span.From, ' ');
  }
}

bool HasKeyword(std::string_view value, std::string_view keyword) {
  std::string upper(value);
  AsciiUpperInPlace(upper);
  return upper.find(keyword) != std::string::npos;
}

}  // namespace qorv
