// DenyList: the words no name may hold, each compared with a name under DenyFold.
//
// A deny file is UTF-8 text with one word a line; blank lines and lines that begin with '#' are
// skipped, and spaces around a word do not count. A list is filled once and then only read, so
// one list may serve any number of threads.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/result.h"

namespace qorv {

struct DeniedWord {
  std::string Word;    // as the file writes it, UTF-8
  std::string Folded;  // DenyFold of the word
};

class DenyList {
 public:
  // Adds the words of one deny file. On a line that is not one word of Windows-1252 text with a
  // letter or digit in it, fails with "line N: " and why (UTF-8), keeping the words before it.
  Result<void> AddWords(std::string_view utf8_text);

  // The index in Words() of the first word that `cp1252_name` holds, or nullopt.
  std::optional<std::size_t> Match(std::string_view cp1252_name) const;

  bool Empty() const { return words_.empty(); }
  const std::vector<DeniedWord>& Words() const { return words_; }

 private:
  std::vector<DeniedWord> words_;
};

}  // namespace qorv
