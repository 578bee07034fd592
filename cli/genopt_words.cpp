#include "cli/genopt_words.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "chapter/letters.h"

namespace qorv {

std::string GenOptWordsProblem(const std::string& value) {
  static const std::vector<std::string> kKeywords = {
      "STRUCTGEN", "STATGEN", "SHUFFLE", "PREFIX", "SUFFIX", "PUNCT:1", "PUNCT:2", "FIT:0", "FIT:1",
      "FIT:2",     "FIT:3",   "VAL:0",   "VAL:1",  "VAL:2",  "Y:CON",   "Y:SEMI",  "U:SEMI"};
  std::istringstream words(value);
  std::string word;
  while (words >> word) {
    std::string upper = word;
    for (char& c : upper) c = AsciiUpper(c);
    if (std::find(kKeywords.begin(), kKeywords.end(), upper) != kKeywords.end()) continue;
    std::string known;
    for (const std::string& keyword : kKeywords) known += " " + keyword;
    return "unknown keyword \"" + word + "\"; the keywords are" + known;
  }
  return "";
}

}  // namespace qorv
