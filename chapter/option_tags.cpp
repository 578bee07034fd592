#include "chapter/option_tags.h"

#include "chapter/letters.h"
#include "chapter/tag_reader.h"

namespace qorv {
namespace {

bool AllConsonants(std::string_view text) {
  for (char c : text) {
    if (!IsConsonant(c)) return false;
  }
  return true;
}

// The digit after "KEY:" as a level, or 0 when the keyword is absent.
int LevelAfter(const std::string& upper_value, std::string_view keyword) {
  const std::size_t at = upper_value.find(keyword);
  if (at == std::string::npos) return 0;
  const std::size_t digit_at = at + keyword.size();
  const unsigned char digit =
      digit_at < upper_value.size() ? static_cast<unsigned char>(upper_value[digit_at]) : 0;
  return static_cast<int>(digit) - '0';
}

}  // namespace

SpecialConsonantList ParseSpecialConsonants(std::string_view value) {
  SpecialConsonantList list;
  std::size_t from = 0;
  while (true) {
    const std::size_t open_at = value.find('<', from);
    if (open_at == std::string_view::npos) break;
    const std::size_t entry_at = open_at + 1;
    const std::size_t close_at = value.find('>', entry_at);
    const std::string_view entry =
        value.substr(entry_at, close_at == std::string_view::npos ? std::string_view::npos
                                                                  : close_at - entry_at);
    if (!entry.empty()) {
      if (list.Count == kMaxSpecialConsonants) {
        list.Message = "Too many special consonants";
        return list;
      }
      if (!AllConsonants(entry)) {
        list.Message = "Invalid character in special consonant #" + std::to_string(list.Count + 1);
        return list;
      }
      list.Texts[list.Count++] = std::string(entry);
    }
    if (close_at == std::string_view::npos) break;
    from = close_at;
  }
  list.Soft = HasKeyword(value, "SOFT");
  return list;
}

bool ParseMulti(std::string_view value) {
  return HasKeyword(value, "MULTI");
}

void ParseGenOpt(std::string_view value, TQorvChapter& chapter) {
  std::string upper(value);
  AsciiUpperInPlace(upper);
  const auto has = [&upper](std::string_view keyword) {
    return upper.find(keyword) != std::string::npos;
  };
  chapter.YMode = has("Y:SEMI") ? 2 : has("Y:CON") ? 1 : 0;
  chapter.UMode = has("U:SEMI") ? 2 : 0;
  chapter.StructGen = has("STRUCTGEN");
  chapter.StatGen = has("STATGEN");
  chapter.Shuffle = has("SHUFFLE");
  chapter.PunctMode = has("PUNCT:2") ? 2 : has("PUNCT:1") ? 1 : 0;
  chapter.Prefix = has("PREFIX");
  chapter.Suffix = has("SUFFIX");
  chapter.FitLevel = LevelAfter(upper, "FIT:");
  chapter.ValLevel = LevelAfter(upper, "VAL:");
}

}  // namespace qorv
