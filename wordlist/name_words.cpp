#include "wordlist/name_words.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace qorv {

std::vector<char32_t> TrimmedName(const std::vector<char32_t>& text, IsSpaceFunction is_space) {
  const auto begin = std::find_if_not(text.begin(), text.end(), is_space);
  const auto end =
      std::find_if_not(text.rbegin(), std::make_reverse_iterator(begin), is_space).base();
  return {begin, end};
}

std::vector<char32_t> JoinNameWords(const std::vector<char32_t>& text, IsSpaceFunction is_space) {
  std::vector<char32_t> out;
  bool in_gap = false;
  for (char32_t c : text) {
    if (is_space(c)) {
      in_gap = true;
      continue;
    }
    if (in_gap && !out.empty() && out.back() != U'-' && c != U'-') out.push_back(U'-');
    in_gap = false;
    out.push_back(c);
  }
  return out;
}

NameShape NameShapeProblem(const std::vector<char32_t>& text) {
  if (!text.empty() &&
      (text[0] == U';' || (text.size() > 1 && text[0] == U'/' && text[1] == U'/'))) {
    return {NameProblem::kCommentMark, text[0]};
  }
  if (std::find(text.begin(), text.end(), U'\t') != text.end()) return {NameProblem::kTab, U'\t'};
  return {};
}

std::string CodePointLabel(char32_t code_point) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(code_point));
  return buffer;
}

}  // namespace qorv
