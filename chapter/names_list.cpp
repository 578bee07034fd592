#include "chapter/names_list.h"

#include "chapter/letters.h"
#include "chapter/tag_reader.h"

namespace qorv {

NamesListReader::NamesListReader(std::string_view text) : text_(text) {
  const std::size_t names_at = text.find(tag::kNames);
  if (names_at == std::string_view::npos) return;
  status_ = text.find(kTerminator, names_at) == std::string_view::npos ? Status::kInvalid
                                                                       : Status::kReady;
  at_ = names_at;
}

NamesListReader::Step NamesListReader::Next(std::string& name) {
  if (text_.substr(at_, kTerminator.size()) == kTerminator) return Step::kEnd;
  const std::size_t open_at = text_.find('"', at_ + 1);
  if (open_at == std::string_view::npos) return Step::kRanOut;
  const std::size_t close_at = text_.find('"', open_at + 1);
  if (close_at == std::string_view::npos) return Step::kRanOut;
  name.assign(text_.substr(open_at + 1, close_at - open_at - 1));
  at_ = close_at;
  return Step::kName;
}

bool NormaliseName(std::string& name) {
  bool valid = !name.empty();
  for (char& c : name) {
    c = AccentUpper(AsciiUpper(c));
    if (LetterIndex(c) < 0) valid = false;
  }
  return valid;
}

}  // namespace qorv
