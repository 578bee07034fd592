#include "deny/deny_fold.h"

#include <array>

namespace qorv {
namespace {

// The plain small letters of each Windows-1252 byte from 0x80 on; empty for what is dropped.
constexpr std::array<std::string_view, 128> kHighLetters = {
    // 0x80
    "", "", "", "f", "", "", "", "", "", "", "s", "", "oe", "", "z", "",
    // 0x90
    "", "", "", "", "", "", "", "", "", "", "s", "", "oe", "", "z", "y",
    // 0xA0
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
    // 0xB0
    "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
    // 0xC0: A with accents, AE, C cedilla, E and I with accents
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    // 0xD0: eth, N tilde, O with accents, the times sign, O slash, U, Y acute, thorn, sharp s
    "d", "n", "o", "o", "o", "o", "o", "", "o", "u", "u", "u", "u", "y", "th", "ss",
    // 0xE0: their small partners
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",
    // 0xF0: the division sign in place of the times sign, y diaeresis last
    "d", "n", "o", "o", "o", "o", "o", "", "o", "u", "u", "u", "u", "y", "th", "y"};

// Step 1: plain small letters and the digits read as letters.
std::string PlainLetters(std::string_view cp1252) {
  std::string plain;
  plain.reserve(cp1252.size());
  for (const char c : cp1252) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) {
      plain += kHighLetters[byte - 0x80];
    } else if (c >= 'A' && c <= 'Z') {
      plain += static_cast<char>(c - 'A' + 'a');
    } else if (c >= 'a' && c <= 'z') {
      plain += c;
    } else if (c >= '0' && c <= '9') {
      constexpr std::string_view kDigitLetters = "oi2eas6t89";
      plain += kDigitLetters[static_cast<std::size_t>(c - '0')];
    }
  }
  return plain;
}

// Step 2: the spellings of one sound made one.
std::string OneSpelling(const std::string& plain) {
  std::string spelled;
  spelled.reserve(plain.size());
  for (std::size_t i = 0; i < plain.size(); ++i) {
    const char c = plain[i];
    const char next = i + 1 < plain.size() ? plain[i + 1] : '\0';
    if (c == 'p' && next == 'h') {
      spelled += 'f';
      ++i;
    } else if (c == 'c' && next == 'k') {
      spelled += 'k';
      ++i;
    } else if (c == 'c' || c == 'q') {
      spelled += 'k';
    } else if (c == 'y') {
      spelled += 'i';
    } else if (c == 'z') {
      spelled += 's';
    } else {
      spelled += c;
    }
  }
  return spelled;
}

// Step 3: runs of one letter as one.
std::string SingleLetters(const std::string& spelled) {
  std::string single;
  single.reserve(spelled.size());
  for (const char c : spelled) {
    if (single.empty() || single.back() != c) single += c;
  }
  return single;
}

}  // namespace

std::string DenyFold(std::string_view cp1252) {
  return SingleLetters(OneSpelling(PlainLetters(cp1252)));
}

}  // namespace qorv
