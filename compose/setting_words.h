// The words of one setting: split at blanks, a double-quoted word may hold blanks.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quorvane/result.h"

namespace quorvane::detail {

// `text` cut at spaces and tabs; "..." is one word without its quotes. The error for a quote
// that is not closed.
Result<std::vector<std::string>> SplitWords(std::string_view text);

// `text` without the spaces and tabs at either end.
std::string_view Trimmed(std::string_view text);

}  // namespace quorvane::detail
