#include "wordlist/word_list.h"

#include <unordered_map>

#include "chapter/names_list.h"
#include "wordlist/text_input.h"

namespace qorv {
namespace {

std::string_view TrimmedAscii(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t\f\v");
  if (begin == std::string_view::npos) return {};
  const std::size_t end = text.find_last_not_of(" \t\f\v");
  return text.substr(begin, end - begin + 1);
}

}  // namespace

WordList ReadWordList(std::string_view utf8, const LetterMapper& mapper, bool join_words) {
  WordList list;
  // The upper-cased form the loader compares names in, and the line where it was first seen.
  std::unordered_map<std::string, int> first_lines;
  for (const TextLine& line : SplitLines(utf8)) {
    const std::string_view written = TrimmedAscii(line.Text);
    if (written.empty() || written[0] == '#') continue;
    MappedName mapped = mapper.MapName(written, join_words);
    if (mapped.Problem == NameProblem::kEmpty) continue;  // white space of another kind only
    if (mapped.Problem != NameProblem::kNone) {
      list.Skipped.push_back({line.Number, std::string(written), mapped.Problem, mapped.Character});
      continue;
    }
    std::string key = mapped.Name;
    NormaliseName(key);
    const auto [first, inserted] = first_lines.emplace(std::move(key), line.Number);
    if (!inserted) {
      list.Merged.push_back({line.Number, std::string(written), first->second});
      continue;
    }
    list.Names.push_back({line.Number, std::string(written), std::move(mapped.Name),
                          std::move(mapped.Reductions), mapped.Joined});
  }
  return list;
}

}  // namespace qorv
