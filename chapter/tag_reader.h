// Finding tags and blanking comments in the text of a Chapter file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "chapter/chapter_format.h"

namespace qorv {

// Finds the first occurrence of `tag` (case-sensitive, anywhere), then the first double quote
// after it; the value runs from just after that quote to the first terminator, line breaks and
// inner quotes included, and is cut to `limit` characters. No tag, no quote or no terminator:
// nullopt.
std::optional<std::string> ReadTag(std::string_view text, std::string_view tag, std::size_t limit);

// Replaces every comment (CommentSpans) with spaces; the text keeps its length.
void BlankComments(std::string& text);

// Upper-cases `value` (ASCII rule) and reports whether it holds `keyword` anywhere.
bool HasKeyword(std::string_view value, std::string_view keyword);

}  // namespace qorv
