// Finding tags and blanking comments in the text of a Chapter file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "chapter/chapter_format.h"

namespace qorv {

// Where a tag is read from: the tag name, and its value from just after the opening quote to
// the terminator (excluded).
struct TagPlace {
  std::size_t NameAt = 0;
  std::size_t ValueFrom = 0;
  std::size_t ValueTo = 0;
};

// Finds the first occurrence of `tag` (case-sensitive, anywhere), then the first double quote
// after it; the value runs from just after that quote to the first terminator, line breaks and
// inner quotes included. No tag, no quote or no terminator: nullopt.
std::optional<TagPlace> FindTag(std::string_view text, std::string_view tag);

// The value FindTag finds, cut to `limit` characters.
std::optional<std::string> ReadTag(std::string_view text, std::string_view tag, std::size_t limit);

// Replaces every comment (CommentSpans) with spaces; the text keeps its length.
void BlankComments(std::string& text);

// Upper-cases `value` (ASCII rule) and reports whether it holds `keyword` anywhere.
bool HasKeyword(std::string_view value, std::string_view keyword);

}  // namespace qorv
