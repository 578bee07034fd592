#include "compose/setting_words.h"

namespace quorvane::detail {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

Result<std::vector<std::string>> SplitWords(std::string_view text) {
  std::vector<std::string> words;
  std::size_t at = 0;
  while (true) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    if (at == text.size()) return words;
    std::string word;
    if (text[at] == '"') {
      const std::size_t close = text.find('"', at + 1);
      if (close == std::string_view::npos) return Error{"a double quote is not closed"};
      word = std::string(text.substr(at + 1, close - at - 1));
      at = close + 1;
    } else {
      const std::size_t end = text.find_first_of(" \t", at);
      word = std::string(text.substr(at, end == std::string_view::npos ? end : end - at));
      at = end == std::string_view::npos ? text.size() : end;
    }
    words.push_back(std::move(word));
  }
}

}  // namespace quorvane::detail
