#include "compose/template_text.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace quorvane::detail {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A weight "N*" at the start of `text`: its value, and `text` moved past it; nullopt when
// `text` does not begin with digits and "*". The error for a weight out of range.
Result<std::optional<long long>> TakeWeight(std::string_view& text, std::size_t column) {
  std::size_t digits = 0;
  while (digits < text.size() && IsDigit(text[digits])) ++digits;
  if (digits == 0 || digits >= text.size() || text[digits] != '*')
    return std::optional<long long>();
  long long weight = 0;
  for (std::size_t i = 0; i < digits && weight <= kMaxWeight; ++i)
    weight = weight * 10 + (text[i] - '0');
  if (weight < 1 || weight > kMaxWeight) {
    return Error{"the weight at character " + std::to_string(column) + " must be 1 to " +
                 std::to_string(kMaxWeight)};
  }
  text.remove_prefix(digits + 1);
  return std::optional<long long>(weight);
}

// The inside of one pair of braces, which begin at `column`.
Result<Piece> ReadBraces(std::string_view inside, std::size_t column) {
  const std::string where = "the braces at character " + std::to_string(column);
  if (inside.empty()) return Error{where + " are empty"};
  Piece piece;
  if (inside.find('|') == std::string_view::npos) {
    if (!IsPartName(inside)) {
      return Error{where + " hold \"" + std::string(inside) +
                   "\", which is no part's name (a choice needs \"|\")"};
    }
    piece.kind = Piece::Kind::kPart;
    piece.text = std::string(inside);
    return piece;
  }
  piece.kind = Piece::Kind::kChoice;
  std::size_t start = 0;
  while (true) {
    const std::size_t bar = inside.find('|', start);
    std::string_view text = inside.substr(start, bar == std::string_view::npos ? bar : bar - start);
    const Result<std::optional<long long>> weight = TakeWeight(text, column + 1 + start);
    if (!weight) return weight.error();
    piece.alternatives.push_back({std::string(text), weight->value_or(1)});
    piece.total_weight += piece.alternatives.back().weight;
    if (bar == std::string_view::npos) break;
    start = bar + 1;
  }
  return piece;
}

void AddText(TemplateText& read, std::string_view text) {
  if (text.empty()) return;
  if (!read.pieces.empty() && read.pieces.back().kind == Piece::Kind::kText) {
    read.pieces.back().text += text;
  } else {
    Piece piece;
    piece.text = std::string(text);
    read.pieces.push_back(std::move(piece));
  }
}

}  // namespace

bool IsPartName(std::string_view name) {
  if (name.empty() || IsDigit(name[0])) return false;
  for (const char c : name) {
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_') ||
        static_cast<unsigned char>(c) >= 0x80) {
      return false;
    }
  }
  return true;
}

Result<TemplateText> ReadTemplate(std::string_view text) {
  TemplateText read;
  const std::size_t length = text.size();
  const Result<std::optional<long long>> weight = TakeWeight(text, 1);
  if (!weight) return weight.error();
  if (*weight) {
    read.weight = **weight;
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  }
  const std::size_t offset = length - text.size();  // characters before `text`, for columns
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find_first_of("{}", at);
    if (open == std::string_view::npos) {
      AddText(read, text.substr(at));
      break;
    }
    const std::size_t column = offset + open + 1;
    if (text[open] == '}') {
      return Error{"the \"}\" at character " + std::to_string(column) + " closes no brace"};
    }
    AddText(read, text.substr(at, open - at));
    const std::size_t close = text.find_first_of("{}", open + 1);
    if (close == std::string_view::npos || text[close] == '{') {
      return Error{"the brace at character " + std::to_string(column) + " is not closed"};
    }
    Result<Piece> piece = ReadBraces(text.substr(open + 1, close - open - 1), column);
    if (!piece) return piece.error();
    if (piece->kind == Piece::Kind::kPart &&
        std::find(read.part_names.begin(), read.part_names.end(), piece->text) ==
            read.part_names.end()) {
      read.part_names.push_back(piece->text);
    }
    read.pieces.push_back(std::move(*piece));
    at = close + 1;
  }
  return read;
}

}  // namespace quorvane::detail
