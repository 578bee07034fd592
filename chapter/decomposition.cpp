#include "chapter/decomposition.h"

#include "chapter/first_seen_index.h"
#include "chapter/letters.h"

namespace qorv {

std::string RewriteName(std::string_view s, const RewriteOptions& options) {
  std::string coded;
  coded.reserve(s.size() + 1);
  const std::size_t length = s.size();
  std::size_t i = 0;
  while (i < length) {
    const char c = s[i];
    if (options.Soft && i + 1 < length && IsConsonant(c) && s[i + 1] == 'H') {
      coded += AsciiLower(c);
      i += 2;
    } else if (options.YMode != 0 && c == 'Y') {
      const bool before_vowel = i + 1 < length && IsVowel(s[i + 1]);
      coded += (options.YMode == 1 || before_vowel) ? 'y' : 'Y';
      i += 1;
    } else if (options.UMode == 2 && i + 2 < length && c == 'Q' && s[i + 1] == 'U' &&
               IsVowel(s[i + 2])) {
      coded += "Qu";
      i += 2;
    } else {
      coded += c;
      i += 1;
    }
  }
  return coded;
}

void ReplaceSpecialConsonants(std::string& coded,
                              const std::array<std::string, kMaxSpecialConsonants>& specials,
                              int count) {
  for (std::size_t p = 0; p < coded.size(); ++p) {
    if (!IsConsonant(coded[p])) continue;
    for (int k = 0; k < count; ++k) {
      const std::string& special = specials[k];
      if (!special.empty() && p + special.size() <= coded.size() &&
          coded.compare(p, special.size(), special) == 0) {
        coded.replace(p, special.size(), 1, static_cast<char>('0' + k));
      }
    }
  }
}

namespace {

// One element table with a hash index beside it, so that a lookup costs one probe instead of a
// walk over up to 255 texts. The table order (first appearance) is what the statistics use.
class ElementTable {
 public:
  ElementTable(std::array<std::string, kElementTableSize>& texts, int& count)
      : texts_(texts), count_(count) {}

  // The element's index, storing it when new; -1 when the table has just become full.
  int Intern(std::string_view text) {
    const auto [index, inserted] = index_.FindOrAdd(
        HashText(text), [this, text](int i) { return texts_[i] == text; }, count_);
    if (!inserted) return index;
    texts_[index].assign(text);
    ++count_;
    return count_ == kElementTableSize ? -1 : index;
  }

 private:
  std::array<std::string, kElementTableSize>& texts_;
  int& count_;
  FirstSeenIndex<2 * kElementTableSize> index_;
};

// Length of the element starting at p: a multi vowel, or the longest run of one class.
std::size_t ElementLength(std::string_view c, std::size_t p, bool multi) {
  const std::size_t length = c.size();
  if (IsVowel(c[p])) {
    if (multi && p + 2 < length && c[p + 2] == c[p] && !IsVowel(c[p + 1]) &&
        (p + 3 == length || !IsVowel(c[p + 3]))) {
      return 3;
    }
    std::size_t end = p;
    while (end < length && IsVowel(c[end])) ++end;
    return end - p;
  }
  std::size_t end = p;
  while (end < length && IsConsonant(c[end])) ++end;
  // Coded names hold only letters of the two classes; a stray byte still moves the cut on.
  return end == p ? 1 : end - p;
}

}  // namespace

bool SplitNames(const std::vector<std::string>& coded_names, bool multi, ChapterStatistics& stats,
                TQorvChapter& chapter, std::vector<ElementRow>& rows, std::string* error) {
  ElementTable vowels(stats.VowelElements, chapter.VowelElementCount);
  ElementTable consonants(stats.ConsonantElements, chapter.ConsonantElementCount);
  rows.resize(coded_names.size());
  for (std::size_t name = 0; name < coded_names.size(); ++name) {
    const std::string_view c = coded_names[name];
    ElementRow& row = rows[name];
    int n = 0;
    std::size_t p = 0;
    while (p < c.size()) {
      const bool vowel = IsVowel(c[p]);
      const std::size_t length = ElementLength(c, p, multi);
      const std::string_view text = c.substr(p, length);
      const int index = vowel ? vowels.Intern(text) : consonants.Intern(text);
      if (index < 0) {
        *error = "Too many different elements";
        return false;
      }
      if (n == kMaxElementsPerName) {
        *error =
            "Too many elements in name #" + std::to_string(name + 1) + " (" + std::string(c) + ")";
        return false;
      }
      row[n++] = vowel ? index : kConsonantIdBase + index;
      if (n > stats.MaxElementsPerName) stats.MaxElementsPerName = n;
      p += length;
    }
    row[n] = kEndOfRow;
    if (n == 1) {
      *error =
          "Too few elements in name #" + std::to_string(name + 1) + " (" + std::string(c) + ")";
      return false;
    }
  }
  return true;
}

}  // namespace qorv
