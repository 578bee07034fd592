#include "fuzz/load_checks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "chapter/chapter_format.h"
#include "chapter/letter_statistics.h"
#include "chapter/letters.h"
#include "chapter/limits.h"
#include "chapter/pair_tables.h"
#include "chapter/structure.h"

namespace qorv::fuzz {
namespace {

// A decimal number without sign or leading zero, between `low` and `high`.
bool IsNumberIn(std::string_view digits, int low, int high) {
  if (digits.empty() || digits.size() > 4 || digits[0] == '0') return false;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value >= low && value <= high;
}

// "<prefix><k> (<name>)" with k a name number.
bool IsNameMessage(std::string_view message, std::string_view prefix) {
  if (!message.starts_with(prefix) || !message.ends_with(')')) return false;
  const std::string_view rest = message.substr(prefix.size());
  const std::size_t open_at = rest.find(" (");
  return open_at != std::string_view::npos && IsNumberIn(rest.substr(0, open_at), 1, kMaxNames);
}

bool IsLoaderMessage(std::string_view message) {
  static constexpr std::string_view kFixed[] = {
      "Too many names",
      "File too large",
      "Invalid or missing TITLE tag",
      "Invalid or missing LINE1 tag",
      "Invalid or missing LINE2 tag",
      "Invalid or missing DATE tag",
      "Invalid or missing SPCCON tag",
      "Too many special consonants",
      "Invalid or missing SPCVOW tag",
      "Invalid or missing GENOPT tag",
      "Missing NAMES tag",
      "Invalid NAMES tag",
      "Too many different elements",
  };
  for (std::string_view fixed : kFixed) {
    if (message == fixed) return true;
  }
  constexpr std::string_view kSpecial = "Invalid character in special consonant #";
  if (message.starts_with(kSpecial)) {
    return IsNumberIn(message.substr(kSpecial.size()), 1, kMaxSpecialConsonants);
  }
  return IsNameMessage(message, "Invalid character in name #") ||
         IsNameMessage(message, "Too few elements in name #") ||
         IsNameMessage(message, "Too many elements in name #");
}

bool AllOf(std::string_view text, bool (*test)(char)) {
  for (char c : text) {
    if (!test(c)) return false;
  }
  return true;
}

// Whether `size` bytes from `data` are all 0: the first is 0 and every byte equals the next. One
// memcmp, because the checks run under ASan, where a loop over the large tables would dominate
// the fuzzer's time.
bool AllZero(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  return size == 0 || (bytes[0] == 0 && std::memcmp(bytes, bytes + 1, size - 1) == 0);
}

// Whether rows [from, to) of a table, which lie one after the other, are all 0 (to: the end).
template <typename Row, std::size_t Rows>
bool RowsZero(const std::array<Row, Rows>& table, int from, int to = static_cast<int>(Rows)) {
  static_assert(std::has_unique_object_representations_v<Row>, "rows without padding");
  const std::size_t first = static_cast<std::size_t>(std::max(from, 0));
  const std::size_t end = std::min(static_cast<std::size_t>(std::max(to, 0)), Rows);
  return first >= end || AllZero(&table[first], (end - first) * sizeof(Row));
}

// Whether `values` holds no value twice (sorts them).
template <typename Values>
bool AllDistinct(Values& values) {
  std::sort(values.begin(), values.end());
  return std::adjacent_find(values.begin(), values.end()) == values.end();
}

// Element texts are distinct and made of their own class (a multi vowel: vowel, non-vowel, the
// same vowel).
void CheckElementTable(const std::array<std::string, kElementTableSize>& texts, int count,
                       bool vowel) {
  std::vector<std::string_view> seen(texts.begin(), texts.begin() + count);
  Require(AllDistinct(seen), "element texts are distinct");
  for (int i = 0; i < count; ++i) {
    const std::string& text = texts[i];
    Require(!text.empty(), "element texts are not empty");
    if (vowel) {
      const bool multi =
          text.size() == 3 && IsVowel(text[0]) && text[2] == text[0] && IsConsonant(text[1]);
      Require(multi || AllOf(text, &IsVowel), "a vowel element holds vowels (or is a multi vowel)");
    } else {
      Require(AllOf(text, &IsConsonant), "a consonant element holds consonants");
    }
  }
}

class IdRange {
 public:
  IdRange(int vowels, int consonants) : vowels_(vowels), consonants_(consonants) {}
  bool Valid(ElementId id) const {
    return (id >= 0 && id < vowels_) ||
           (id >= kConsonantIdBase && id < kConsonantIdBase + consonants_);
  }

 private:
  int vowels_;
  int consonants_;
};

void CheckPairTable(const std::array<ElementPair, kMaxNames>& pairs,
                    const std::array<int, kMaxNames>& weights, int count, int names,
                    const IdRange& ids) {
  Require(count >= 1 && count <= names, "pair count lies in 1..NameCount");
  std::vector<std::uint64_t> seen;
  seen.reserve(static_cast<std::size_t>(count));
  int total = 0;
  for (int i = 0; i < count; ++i) {
    const ElementPair& pair = pairs[i];
    Require(ids.Valid(pair.first) && ids.Valid(pair.second), "pair members are loaded elements");
    Require(IsVowelId(pair.first) != IsVowelId(pair.second),
            "a pair joins a vowel and a consonant");
    const auto key = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(pair.first)) << 32) |
                     static_cast<std::uint32_t>(pair.second);
    seen.push_back(key);
    Require(weights[i] >= 1, "pair weights are at least 1");
    total += weights[i];
  }
  Require(AllDistinct(seen), "pairs are distinct");
  Require(total == names, "pair weights add up to NameCount");
}

// Element count of the names of structure class `c`.
int ClassElementCount(int c) {
  return (c - (c % 2)) / 2 + 2;
}

void CheckStructures(const ChapterStatistics& stats, int names) {
  int total = 0;
  int longest = 0;
  for (int c = 0; c < kStructureClasses; ++c) {
    const int class_names = stats.StructureNameCounts[c];
    const int patterns = stats.StructureCounts[c];
    Require(class_names >= 0 && patterns >= 0 && patterns <= class_names,
            "a class has no more patterns than names");
    total += class_names;
    if (class_names == 0) continue;
    const int n = ClassElementCount(c);
    Require(n <= kMaxElementsPerName, "only classes of at most 31 elements are used");
    if (n > longest) longest = n;
    const auto& class_patterns = stats.StructurePatterns[c];
    std::vector<std::string_view> seen(class_patterns.begin(), class_patterns.begin() + patterns);
    Require(AllDistinct(seen), "the patterns of a class are distinct");
    int weight_total = 0;
    for (int j = 0; j < patterns; ++j) {
      Require(static_cast<int>(class_patterns[j].size()) == n,
              "a pattern has one character per element");
      Require(stats.StructureWeights[c][j] >= 1, "pattern weights are at least 1");
      weight_total += stats.StructureWeights[c][j];
    }
    Require(weight_total == class_names, "pattern weights add up to the class's name count");
  }
  Require(total == names, "structure name counts add up to NameCount");
  Require(longest == stats.MaxElementsPerName, "the longest class matches MaxElementsPerName");
}

// Every element occurrence is counted once at the ends and once or twice in the middle; slot 0
// and slot M - 1 hold exactly the first and last elements. Only the rows of loaded elements
// count anything.
void CheckPositions(const ChapterStatistics& stats, int names, int vowels, int consonants,
                    bool shuffle) {
  long expected = 0;
  for (int c = 0; c < kStructureClasses; ++c) {
    expected += static_cast<long>(stats.StructureNameCounts[c]) *
                (2 + (ClassElementCount(c) - 2) * (shuffle ? 1 : 2));
  }
  const int last_slot = stats.MaxElementsPerName - 1;
  long total = 0;
  long first = 0;
  long last = 0;
  bool negative = false;
  bool beyond_last_slot = false;
  const auto add_rows = [&](const auto& table, int rows) {
    Require(RowsZero(table, rows), "position counts are kept only for loaded elements");
    for (int r = 0; r < rows; ++r) {
      const auto& row = table[r];
      for (int slot = 0; slot <= last_slot; ++slot) {
        negative |= row[slot] < 0;
        total += row[slot];
      }
      beyond_last_slot |=
          !AllZero(&row[last_slot + 1], (kPositionSlots - 1 - last_slot) * sizeof(row[0]));
      first += row[0];
      last += row[last_slot];
    }
  };
  add_rows(stats.VowelPositionCounts, vowels);
  add_rows(stats.ConsonantPositionCounts, consonants);
  Require(!negative, "position counts are not negative");
  Require(!beyond_last_slot, "no position beyond the last slot is used");
  Require(total == expected, "position counts add up to the element occurrences");
  Require(first == names && last == names, "slot 0 and the last slot count one element per name");
}

// Whether the flags of bytes [from, to) of a row are all 0 or 1.
bool FlagBytes(const std::uint8_t* row, int from, int to) {
  std::uint8_t high = 0;
  for (int c = from; c < to; ++c) high |= row[c];
  return high <= 1;
}

// Flags are 0 or 1, and 1 only inside rows x columns.
template <std::size_t Rows, std::size_t Columns>
void CheckFlags(const std::array<std::array<std::uint8_t, Columns>, Rows>& table, int rows,
                int columns, const char* what) {
  constexpr int kColumns = static_cast<int>(Columns);
  for (int r = 0; r < rows; ++r) {
    const std::uint8_t* row = table[r].data();
    Require(AllZero(row + columns, static_cast<std::size_t>(kColumns - columns)), what);
    Require(FlagBytes(row, 0, columns), "flags are 0 or 1");
  }
  Require(RowsZero(table, rows), what);
}

void CheckTransitions(const ChapterStatistics& stats, int vowels) {
  CheckFlags(stats.VowelAfterConsonant, vowels, kConsonantLetterCount,
             "VowelAfterConsonant flags only loaded vowel elements");
  CheckFlags(stats.ConsonantAfterVowel, kConsonantLetterCount, vowels,
             "ConsonantAfterVowel flags only loaded vowel elements");
  CheckFlags(stats.VowelAcrossConsonant, vowels, vowels,
             "VowelAcrossConsonant flags only loaded vowel elements");
  CheckFlags(stats.ConsonantAcrossVowel, kConsonantLetterCount, kConsonantLetterCount,
             "ConsonantAcrossVowel flags");
}

// Context rows of final pairs: only rows of stored pairs, only loaded vowel elements and
// consonant columns 1000..1063. Rows from `clear_from` on and from `names` on need not be read:
// they were 0 before the load, and the load cannot have touched them.
void CheckFinalPairContexts(const ChapterStatistics& stats, int vowels, int names, int clear_from) {
  for (const auto* table : {&stats.FinalPairThirdLast, &stats.FinalPairFourthLast}) {
    for (int x = 0; x < stats.FinalPairCount; ++x) {
      const std::uint8_t* row = (*table)[x].data();
      Require(AllZero(row + vowels, static_cast<std::size_t>(kConsonantIdBase - vowels)),
              "context columns name loaded elements");
      Require(FlagBytes(row, 0, vowels) && FlagBytes(row, kConsonantIdBase, kContextColumns),
              "flags are 0 or 1");
    }
    Require(RowsZero(*table, stats.FinalPairCount, std::max(clear_from, names)),
            "context rows beyond FinalPairCount stay clear");
  }
}

void CheckLetterTables(const ChapterStatistics& stats) {
  for (int k = 0; k < kLetterCount; ++k) {
    const int distance = stats.MinRepeatDistance[k];
    Require(distance >= 2 && distance <= kNoRepeat, "repeat distances lie in 2..255");
    const int percent = stats.MaxLetterPercent[k];
    Require(percent >= 0 && percent <= 100, "letter shares lie in 0..100");
  }
}

// FNV-1a over 64-bit words (bytes are taken eight at a time: the flag tables are large).
class Fnv {
 public:
  void Add(std::string_view bytes) {
    Add(static_cast<long long>(bytes.size()));
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
      std::uint64_t word;
      std::memcpy(&word, bytes.data() + i, 8);
      Mix(word);
    }
    for (; i < bytes.size(); ++i) Mix(static_cast<unsigned char>(bytes[i]));
  }
  void Add(long long value) { Mix(static_cast<std::uint64_t>(value)); }
  std::uint64_t hash() const { return hash_; }

 private:
  void Mix(std::uint64_t word) { hash_ = (hash_ ^ word) * 0x100000001b3ull; }
  std::uint64_t hash_ = 0xcbf29ce484222325ull;
};

}  // namespace

void CheckRefusal(const TQorvChapter& chapter) {
  Require(chapter.Loaded == 0, "a refused load leaves Loaded at 0");
  if (!IsLoaderMessage(chapter.Message)) {
    std::fprintf(stderr, "unexpected message: \"%s\"\n", chapter.Message.c_str());
    Require(false, "a refused load gives one of the loader's messages");
  }
}

void CheckLoadedChapter(const TQorvChapter& chapter, const ChapterStatistics& stats,
                        int clear_context_rows_from) {
  Require(chapter.Loaded == 1 && chapter.Message.empty(), "a loaded Chapter has no message");
  for (const std::string* header :
       {&chapter.Title, &chapter.Line1, &chapter.Line2, &chapter.Date}) {
    Require(header->size() <= static_cast<std::size_t>(kHeaderTagLimit), "header values are cut");
  }
  const int names = chapter.NameCount;
  const int vowels = chapter.VowelElementCount;
  const int consonants = chapter.ConsonantElementCount;
  Require(names >= 1 && names <= kMaxNames, "NameCount lies in 1..1000");
  Require(vowels >= 1 && vowels < kElementTableSize, "VowelElementCount lies in 1..255");
  Require(consonants >= 1 && consonants < kElementTableSize,
          "ConsonantElementCount lies in 1..255");
  Require(stats.MaxElementsPerName >= 2 && stats.MaxElementsPerName <= kMaxElementsPerName,
          "MaxElementsPerName lies in 2..31");
  Require(stats.SpecialConsonantCount >= 0 && stats.SpecialConsonantCount <= kMaxSpecialConsonants,
          "SpecialConsonantCount lies in 0..10");
  Require(chapter.InitialLetters.size() <= static_cast<std::size_t>(names),
          "no more initial letters than names");
  std::string initials = chapter.InitialLetters;
  for (char c : initials) Require(LetterIndex(c) >= 0, "initial letters are distinct letters");
  Require(AllDistinct(initials), "initial letters are distinct letters");

  CheckElementTable(stats.VowelElements, vowels, true);
  CheckElementTable(stats.ConsonantElements, consonants, false);
  const IdRange ids(vowels, consonants);
  CheckPairTable(stats.InitialPairs, stats.InitialPairWeights, stats.InitialPairCount, names, ids);
  CheckPairTable(stats.FinalPairs, stats.FinalPairWeights, stats.FinalPairCount, names, ids);
  CheckStructures(stats, names);
  CheckPositions(stats, names, vowels, consonants, chapter.Shuffle != 0);
  CheckTransitions(stats, vowels);
  CheckFinalPairContexts(stats, vowels, names, clear_context_rows_from);
  CheckLetterTables(stats);
}

std::uint64_t Fingerprint(const TQorvChapter& chapter, const ChapterStatistics& stats) {
  Fnv h;
  for (const std::string* text : {&chapter.Title, &chapter.Line1, &chapter.Line2, &chapter.Date,
                                  &chapter.InitialLetters, &chapter.Text}) {
    h.Add(*text);
  }
  for (long long value :
       {static_cast<long long>(chapter.NameCount),
        static_cast<long long>(chapter.VowelElementCount),
        static_cast<long long>(chapter.ConsonantElementCount),
        static_cast<long long>(chapter.StructGen), static_cast<long long>(chapter.StatGen),
        static_cast<long long>(chapter.Shuffle), static_cast<long long>(chapter.Prefix),
        static_cast<long long>(chapter.Suffix), static_cast<long long>(chapter.FitLevel),
        static_cast<long long>(chapter.ValLevel), static_cast<long long>(chapter.PunctMode),
        static_cast<long long>(chapter.YMode), static_cast<long long>(chapter.UMode),
        static_cast<long long>(stats.SpecialConsonantCount),
        static_cast<long long>(stats.MaxElementsPerName)}) {
    h.Add(value);
  }
  for (int k = 0; k < stats.SpecialConsonantCount; ++k) h.Add(stats.SpecialConsonants[k]);
  for (int i = 0; i < chapter.VowelElementCount; ++i) h.Add(stats.VowelElements[i]);
  for (int i = 0; i < chapter.ConsonantElementCount; ++i) h.Add(stats.ConsonantElements[i]);
  for (const auto* table : {&stats.VowelPositionCounts, &stats.ConsonantPositionCounts}) {
    for (const auto& row : *table) {
      for (int count : row) h.Add(count);
    }
  }
  h.Add(stats.InitialPairCount);
  h.Add(stats.FinalPairCount);
  for (int i = 0; i < stats.InitialPairCount; ++i) {
    h.Add(stats.InitialPairs[i].first);
    h.Add(stats.InitialPairs[i].second);
    h.Add(stats.InitialPairWeights[i]);
  }
  for (int i = 0; i < stats.FinalPairCount; ++i) {
    h.Add(stats.FinalPairs[i].first);
    h.Add(stats.FinalPairs[i].second);
    h.Add(stats.FinalPairWeights[i]);
    h.Add(std::string_view(reinterpret_cast<const char*>(stats.FinalPairThirdLast[i].data()),
                           kContextColumns));
    h.Add(std::string_view(reinterpret_cast<const char*>(stats.FinalPairFourthLast[i].data()),
                           kContextColumns));
  }
  for (int k = 0; k < kLetterCount; ++k) {
    h.Add(stats.MinRepeatDistance[k]);
    h.Add(stats.MaxLetterPercent[k]);
  }
  for (int c = 0; c < kStructureClasses; ++c) {
    h.Add(stats.StructureNameCounts[c]);
    h.Add(stats.StructureCounts[c]);
    for (int j = 0; j < stats.StructureCounts[c]; ++j) {
      h.Add(stats.StructurePatterns[c][j]);
      h.Add(stats.StructureWeights[c][j]);
    }
  }
  const auto add_flags = [&h](const auto& table) {
    for (const auto& row : table) {
      h.Add(std::string_view(reinterpret_cast<const char*>(row.data()), row.size()));
    }
  };
  add_flags(stats.VowelAfterConsonant);
  add_flags(stats.ConsonantAfterVowel);
  add_flags(stats.ConsonantAcrossVowel);
  add_flags(stats.VowelAcrossConsonant);
  return h.hash();
}

}  // namespace qorv::fuzz
