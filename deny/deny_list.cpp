#include "deny/deny_list.h"

#include "deny/deny_fold.h"
#include "text/encoding.h"

namespace qorv {
namespace {

constexpr std::string_view kSpaces = " \t\r\f\v";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trimmed(std::string_view line) {
  const std::size_t from = line.find_first_not_of(kSpaces);
  if (from == std::string_view::npos) return {};
  return line.substr(from, line.find_last_not_of(kSpaces) - from + 1);
}

// Why `word` (trimmed, not empty) cannot be denied; empty when it can.
std::string Refusal(std::string_view word, const std::optional<std::string>& cp1252) {
  if (word.find_first_of(kSpaces) != std::string_view::npos) return "more than one word";
  if (!cp1252) return "not Windows-1252 text in UTF-8";
  if (DenyFold(*cp1252).empty()) return "no letter or digit";
  return {};
}

}  // namespace

Result<void> DenyList::AddWords(std::string_view utf8_text) {
  if (utf8_text.starts_with(kByteOrderMark)) utf8_text.remove_prefix(kByteOrderMark.size());
  int line_number = 0;
  while (!utf8_text.empty()) {
    const std::size_t end = utf8_text.find('\n');
    const std::string_view line = utf8_text.substr(0, end);
    utf8_text.remove_prefix(end == std::string_view::npos ? utf8_text.size() : end + 1);
    ++line_number;
    const std::string_view word = Trimmed(line);
    if (word.empty() || word.front() == '#') continue;
    const std::optional<std::string> cp1252 = Utf8ToCp1252(word);
    if (const std::string why = Refusal(word, cp1252); !why.empty()) {
      return Error{"line " + std::to_string(line_number) + ": " + why + ": " + std::string(word)};
    }
    words_.push_back({std::string(word), DenyFold(*cp1252)});
  }
  return {};
}

std::optional<std::size_t> DenyList::Match(std::string_view cp1252_name) const {
  if (words_.empty()) return std::nullopt;
  const std::string folded = DenyFold(cp1252_name);
  for (std::size_t i = 0; i < words_.size(); ++i) {
    if (folded.find(words_[i].Folded) != std::string::npos) return i;
  }
  return std::nullopt;
}

}  // namespace qorv
