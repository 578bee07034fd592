// Finding tags and blanking comments in the text of a Chapter file.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qorv {

// The terminator of every tag value: a double quote directly followed by a semicolon.
inline constexpr std::string_view kTerminator = "\";";

// Finds the first occurrence of `tag` (case-sensitive, anywhere), then the first double quote
// after it; the value runs from just after that quote to the first terminator, line breaks and
// inner quotes included, and is cut to `limit` characters. No tag, no quote or no terminator:
// nullopt.
std::optional<std::string> ReadTag(std::string_view text, std::string_view tag, std::size_t limit);

// Replaces every comment with spaces: from "//" up to, not including, the next carriage return.
// A line feed does not end a comment. The text keeps its length.
void BlankComments(std::string& text);

// Upper-cases `value` (ASCII rule) and reports whether it holds `keyword` anywhere.
bool HasKeyword(std::string_view value, std::string_view keyword);

}  // namespace qorv
