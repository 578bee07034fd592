// SplitNames against a plain reference that looks every element up by walking its table, over
// random coded names: the same rows, element tables, counts and failure messages.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "chapter/decomposition.h"
#include "chapter/letters.h"
#include "chapter/statistics.h"

namespace qorv {
namespace {

struct Split {
  std::string message;
  std::vector<std::string> vowels;
  std::vector<std::string> consonants;
  std::vector<ElementRow> rows;
  int max_elements = 0;
};

// Index of `text` in `table`, appending it when new; -1 once the table reaches 256 entries.
int Lookup(std::vector<std::string>& table, const std::string& text) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i] == text) return static_cast<int>(i);
  }
  table.push_back(text);
  return table.size() == kElementTableSize ? -1 : static_cast<int>(table.size()) - 1;
}

Split Reference(const std::vector<std::string>& coded, bool multi) {
  Split out;
  out.rows.resize(coded.size());
  for (std::size_t name = 0; name < coded.size(); ++name) {
    const std::string& c = coded[name];
    const std::size_t length = c.size();
    int n = 0;
    std::size_t p = 0;
    while (p < length) {
      std::size_t end = p;
      const bool vowel = IsVowel(c[p]);
      if (vowel && multi && p + 2 < length && c[p + 2] == c[p] && !IsVowel(c[p + 1]) &&
          (p + 3 == length || !IsVowel(c[p + 3]))) {
        end = p + 3;
      } else {
        while (end < length && (vowel ? IsVowel(c[end]) : IsConsonant(c[end]))) ++end;
      }
      const int index = Lookup(vowel ? out.vowels : out.consonants, c.substr(p, end - p));
      if (index < 0) {
        out.message = "Too many different elements";
        return out;
      }
      if (n == kMaxElementsPerName) {
        out.message = "Too many elements in name #" + std::to_string(name + 1) + " (" + c + ")";
        return out;
      }
      out.rows[name][n++] = vowel ? index : kConsonantIdBase + index;
      if (n > out.max_elements) out.max_elements = n;
      p = end;
    }
    out.rows[name][n] = kEndOfRow;
    if (n == 1) {
      out.message = "Too few elements in name #" + std::to_string(name + 1) + " (" + c + ")";
      return out;
    }
  }
  return out;
}

std::vector<std::string> Table(const std::array<std::string, kElementTableSize>& texts, int count) {
  return {texts.begin(), texts.begin() + count};
}

TEST(SplitNamesReferenceTest, AgreesWithTheReferenceOnRandomCodedNames) {
  // Vowel and consonant characters of coded names, the apostrophe, digits and soft codes included.
  const std::string vowels = "AEIOUY\xC4\xC5'";
  const std::string consonants = "BCDKLMNRSTyu-07bt\xDF";
  std::mt19937 random(1208);
  auto stats = std::make_unique<ChapterStatistics>();
  int failures = 0;
  for (int round = 0; round < 400; ++round) {
    const bool multi = random() % 2 == 0;
    const int longest_run =
        1 + static_cast<int>(random() % 4);  // long runs: many distinct elements
    std::vector<std::string> coded(1 + random() % 150);
    for (std::string& name : coded) {
      const int runs = 1 + static_cast<int>(random() % 34);
      bool vowel = random() % 2 == 0;
      for (int r = 0; r < runs; ++r, vowel = !vowel) {
        const std::string& letters = vowel ? vowels : consonants;
        const int run = 1 + static_cast<int>(random() % longest_run);
        for (int i = 0; i < run; ++i) name += letters[random() % letters.size()];
      }
    }
    const Split expected = Reference(coded, multi);

    TQorvChapter chapter;
    stats->MaxElementsPerName = 0;
    std::vector<ElementRow> rows;
    std::string message;
    SplitNames(coded, multi, *stats, chapter, rows, &message);

    ASSERT_EQ(message, expected.message) << "round " << round;
    ASSERT_EQ(Table(stats->VowelElements, chapter.VowelElementCount), expected.vowels);
    ASSERT_EQ(Table(stats->ConsonantElements, chapter.ConsonantElementCount), expected.consonants);
    if (message.empty()) {
      ASSERT_EQ(stats->MaxElementsPerName, expected.max_elements) << "round " << round;
      ASSERT_EQ(rows, expected.rows) << "round " << round;
    } else {
      ++failures;
    }
  }
  // Both outcomes must have been exercised for the comparison to mean anything.
  EXPECT_GT(failures, 20);
  EXPECT_LT(failures, 380);
}

}  // namespace
}  // namespace qorv
