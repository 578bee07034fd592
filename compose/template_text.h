// A template's text read into the pieces a whole name is made of: literal text, a part's name
// and choices of literal texts, each with its weight.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "quorvane/result.h"

namespace quorvane::detail {

// One alternative of a choice: "3*Ironhand" has the text "Ironhand" and the weight 3.
struct Alternative {
  std::string text;
  long long weight = 1;
};

struct Piece {
  enum class Kind { kText, kPart, kChoice };
  Kind kind = Kind::kText;
  std::string text;                       // kText: the text; kPart: the part's name
  std::size_t part = 0;                   // kPart: the part's index, once the parts are known
  std::vector<Alternative> alternatives;  // kChoice
  long long total_weight = 0;             // kChoice: the sum of the weights
};

struct TemplateText {
  long long weight = 1;  // from the "N*" that begins the template, if any
  std::vector<Piece> pieces;
  // The names of the parts it holds, each once, in order of first appearance.
  std::vector<std::string> part_names;
};

// The largest weight of a template or an alternative.
inline constexpr long long kMaxWeight = 1000000;

// Reads a template: "[N*]text{part}text{a|b|N*c}...". The error says what is wrong and at which
// character (counted from 1): an unclosed brace, a "}" with no "{", empty braces, a brace inside
// braces, a weight that is not 1 to kMaxWeight, a part name that is no name.
Result<TemplateText> ReadTemplate(std::string_view text);

// Whether `name` can name a part: ASCII letters, digits and "_", not beginning with a digit.
bool IsPartName(std::string_view name);

}  // namespace quorvane::detail
