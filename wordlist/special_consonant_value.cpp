#include "wordlist/special_consonant_value.h"

#include <vector>

#include "chapter/letters.h"
#include "chapter/option_tags.h"

namespace qorv {
namespace {

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : text) {
    if (c == ',' || c == ' ' || c == '\t') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word += c;
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

bool IsSoft(std::string word) {
  AsciiUpperInPlace(word);
  return word == "SOFT";
}

std::string Upper(std::string word) {
  for (char& c : word) c = AccentUpper(AsciiUpper(c));
  return word;
}

// Outside its angle brackets the tag form holds the word SOFT only: anything else there would
// be silently ignored by the loader.
std::string CheckTagForm(std::string_view given) {
  std::string outside;
  std::size_t at = 0;
  while (at < given.size()) {
    const std::size_t open = given.find('<', at);
    const std::size_t close = given.find('>', at);
    if (close < open) return "\">\" without \"<\" before it";
    if (open == std::string_view::npos) {
      outside += given.substr(at);
      break;
    }
    outside += given.substr(at, open - at);
    outside += ' ';
    if (given.find('>', open) == std::string_view::npos) return "\"<\" without \">\" after it";
    at = given.find('>', open) + 1;
  }
  for (const std::string& word : Words(outside)) {
    if (!IsSoft(word)) {
      return "\"" + word + "\" stands outside the angle brackets (write \"<TH><NG>\" or \"TH NG\")";
    }
  }
  return {};
}

}  // namespace

std::string SpecialConsonantValue(std::string_view given, std::string& value) {
  std::string result;
  if (given.find_first_of("<>") != std::string_view::npos) {
    if (std::string why = CheckTagForm(given); !why.empty()) return why;
    result.assign(given);
  } else {
    bool soft = false;
    for (const std::string& word : Words(given)) {
      if (IsSoft(word)) {
        soft = true;
        continue;
      }
      const std::string entry = "<" + Upper(word) + ">";
      if (!ParseSpecialConsonants(entry).Message.empty()) {
        return "\"" + word + "\" is no special consonant: it must be made of consonant letters";
      }
      result += (result.empty() ? "" : " ") + entry;
    }
    if (soft) result += result.empty() ? "SOFT" : " SOFT";
  }
  // Digits are consonant letters to the loader, as the codes it gives special consonants: no
  // name read from a word list holds one, so such an entry could never match.
  const SpecialConsonantList list = ParseSpecialConsonants(result);
  for (int i = 0; i < list.Count; ++i) {
    const std::string& entry = list.Texts[static_cast<std::size_t>(i)];
    if (entry.find_first_of("0123456789") != std::string::npos) {
      return "\"" + entry + "\" is no special consonant: a digit is no letter of a name";
    }
  }
  value = std::move(result);
  return {};
}

}  // namespace qorv
