#include "cli/inspect_text.h"

#include <sstream>
#include <string_view>

#include "chapter/chapter_format.h"
#include "chapter/letters.h"
#include "chapter/limits.h"
#include "text/encoding.h"

namespace qorv {
namespace {

constexpr std::size_t kLineWidth = 96;

std::size_t Utf8Width(std::string_view utf8) {
  std::size_t width = 0;
  for (char byte : utf8) width += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  return width;
}

std::string Pad(std::string utf8, std::size_t width) {
  const std::size_t used = Utf8Width(utf8);
  if (used < width) utf8.append(width - used, ' ');
  return utf8;
}

std::string PadLeft(const std::string& text, std::size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string OnOff(bool on) {
  return on ? "on" : "off";
}

// "  Label        value": the labels of one section line up.
void Row(std::ostream& out, std::string_view label, const std::string& value) {
  out << "  " << Pad(std::string(label), 20) << value << "\n";
}

// How an element of a coded name reads in the seed names: a digit stands for its special
// consonant, a lower-case consonant for the consonant followed by H, "y" and "u" for the letter
// used as a consonant.
std::string Spelled(const ChapterStatistics& stats, const std::string& coded) {
  std::string spelled;
  for (char c : coded) {
    const int digit = c - '0';
    if (digit >= 0 && digit <= 9 && digit < stats.SpecialConsonantCount) {
      spelled += stats.SpecialConsonants[digit];
    } else if (c == 'y' || c == 'u') {
      spelled += AsciiUpper(c);
    } else if (c >= 'a' && c <= 'z') {
      spelled += AsciiUpper(c);
      spelled += 'H';
    } else {
      spelled += c;
    }
  }
  return spelled;
}

// The element's coded text, and how it reads when that differs.
std::string ElementLabel(const ChapterStatistics& stats, ElementId id) {
  const std::string& coded = ElementText(stats, id);
  const std::string spelled = Spelled(stats, coded);
  std::string label = Cp1252ToUtf8(coded);
  if (spelled != coded) label += " (" + Cp1252ToUtf8(spelled) + ")";
  return label;
}

// A header value on one terminal line: a value may run over line breaks of the file.
std::string OneLine(const std::string& value) {
  std::string line = Cp1252ToUtf8(value);
  for (char& c : line) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  }
  return line;
}

void WriteHeader(std::ostream& out, const TQorvChapter& chapter) {
  out << OneLine(chapter.Title) << "\n";
  if (!chapter.Line1.empty()) out << "  " << OneLine(chapter.Line1) << "\n";
  if (!chapter.Line2.empty()) out << "  " << OneLine(chapter.Line2) << "\n";
  if (!chapter.Date.empty()) out << "  Date: " << OneLine(chapter.Date) << "\n";
}

void WriteOptions(std::ostream& out, const ChapterInspection& in) {
  const TQorvChapter& c = in.chapter;
  const struct {
    const char* keyword;
    bool on;
  } flags[] = {{"STRUCTGEN", c.StructGen != 0},
               {"STATGEN", c.StatGen != 0},
               {"SHUFFLE", c.Shuffle != 0},
               {"PREFIX", c.Prefix != 0},
               {"SUFFIX", c.Suffix != 0}};
  std::string set;
  std::string unset;
  for (const auto& flag : flags) {
    std::string& list = flag.on ? set : unset;
    list += (list.empty() ? "" : " ") + std::string(flag.keyword);
  }
  static constexpr const char* kPunct[] = {"none", "PUNCT:1, accents",
                                           "PUNCT:2, accents and diaeresis"};
  static constexpr const char* kY[] = {"a vowel", "a consonant (Y:CON)",
                                       "a consonant before a vowel (Y:SEMI)"};
  std::string specials;
  for (int k = 0; k < in.stats.SpecialConsonantCount; ++k) {
    specials +=
        (k ? "  " : "") + std::to_string(k) + "=" + Cp1252ToUtf8(in.stats.SpecialConsonants[k]);
  }

  out << "\nOptions\n";
  Row(out, "Flags", (set.empty() ? "none" : set) + (unset.empty() ? "" : "  (off: " + unset + ")"));
  Row(out, "Levels", "FIT:" + std::to_string(c.FitLevel) + "  VAL:" + std::to_string(c.ValLevel));
  Row(out, "Punctuation", c.PunctMode >= 0 && c.PunctMode <= 2 ? kPunct[c.PunctMode] : "?");
  Row(out, "Letter Y", c.YMode >= 0 && c.YMode <= 2 ? kY[c.YMode] : "?");
  Row(out, "Letter U", c.UMode == 2 ? "a consonant after Q before a vowel (U:SEMI)" : "a vowel");
  Row(out, "Special consonants", specials.empty() ? "none" : specials);
  Row(out, "Soft consonants", OnOff(in.soft) + (in.soft ? " (consonant + H is one letter)" : ""));
  Row(out, "Multi vowels", OnOff(in.multi) + (in.multi ? " (vowel, letter, same vowel)" : ""));
}

void WriteCounts(std::ostream& out, const ChapterInspection& in) {
  const TQorvChapter& c = in.chapter;
  out << "\nCounts\n";
  Row(out, "Names",
      std::to_string(c.NameCount) + "  (the Chapter list expects " +
          std::to_string(in.expected_name_count) + ")");
  Row(out, "Initial letters", Cp1252ToUtf8(c.InitialLetters));
  Row(out, "Vowel elements", std::to_string(c.VowelElementCount));
  Row(out, "Consonant elements", std::to_string(c.ConsonantElementCount));
  Row(out, "Elements per name", "at most " + std::to_string(in.stats.MaxElementsPerName));
}

// "slot:count" for every nonzero slot.
std::string NonzeroSlots(const std::array<int, kPositionSlots>& counts) {
  std::string slots;
  for (int s = 0; s < kPositionSlots; ++s) {
    if (counts[s] == 0) continue;
    slots += (slots.empty() ? "" : " ") + std::to_string(s) + ":" + std::to_string(counts[s]);
  }
  return slots;
}

void WriteElements(std::ostream& out, const ChapterInspection& in) {
  const ChapterStatistics& stats = in.stats;
  const int last = stats.MaxElementsPerName - 1;
  std::string middle;
  if (in.chapter.Shuffle) {
    middle = "1 any middle, ";
  } else if (last == 2) {
    middle = "1 middle, ";
  } else if (last > 2) {
    middle = "1-" + std::to_string(last - 1) + " middle, ";
  }
  out << "\nElements by position slot (0 first, " << middle << last << " last): slot:count\n";

  const auto write_kind = [&](const char* title, int count, ElementId base, const auto& table) {
    out << "  " << title << "\n";
    std::vector<std::string> labels;
    std::size_t width = 0;
    for (int i = 0; i < count; ++i) {
      labels.push_back(ElementLabel(stats, base + i));
      width = std::max(width, Utf8Width(labels.back()));
    }
    for (int i = 0; i < count; ++i) {
      out << "  " << PadLeft(std::to_string(base + i), 6) << "  " << Pad(labels[i], width) << "  "
          << NonzeroSlots(table[i]) << "\n";
    }
  };
  write_kind("Vowel elements", in.chapter.VowelElementCount, 0, stats.VowelPositionCounts);
  write_kind("Consonant elements", in.chapter.ConsonantElementCount, kConsonantIdBase,
             stats.ConsonantPositionCounts);
}

void WriteStructures(std::ostream& out, const ChapterStatistics& stats) {
  out << "\nStructure classes, with their length patterns and weights\n";
  for (int c = 0; c < kStructureClasses; ++c) {
    if (stats.StructureNameCounts[c] == 0) continue;
    const int elements = c / 2 + 2;
    const std::string header = "class " + PadLeft(std::to_string(c), 2) + "  " +
                               PadLeft(std::to_string(elements), 2) + " elements  " +
                               Pad(c % 2 ? "vowel first" : "consonant first", 15) + "  " +
                               PadLeft(std::to_string(stats.StructureNameCounts[c]), 4) +
                               (stats.StructureNameCounts[c] == 1 ? " name " : " names") + "  ";
    std::vector<std::string> patterns;
    for (int j = 0; j < stats.StructureCounts[c]; ++j) {
      patterns.push_back(Cp1252ToUtf8(stats.StructurePatterns[c][j]) + " x" +
                         std::to_string(stats.StructureWeights[c][j]));
    }
    out << "  " << header << WrapItems(patterns, "   ", kLineWidth, 2 + Utf8Width(header)) << "\n";
  }
}

void WritePairs(std::ostream& out, const char* title, const ChapterStatistics& stats,
                const std::array<ElementPair, kMaxNames>& pairs,
                const std::array<int, kMaxNames>& weights, int count) {
  out << "\n" << title << "\n";
  std::vector<std::string> labels;
  std::size_t width = 0;
  for (int i = 0; i < count; ++i) {
    labels.push_back(ElementLabel(stats, pairs[i].first) + " + " +
                     ElementLabel(stats, pairs[i].second));
    width = std::max(width, Utf8Width(labels.back()));
  }
  for (int i = 0; i < count; ++i) {
    out << "  " << Pad(labels[i], width) << "  x" << weights[i] << "\n";
  }
}

void WriteLetters(std::ostream& out, const ChapterStatistics& stats) {
  out << "\nLetters of the seed names: highest share of one name, closest repeat\n";
  std::vector<std::string> cells;
  for (int k = 0; k < kLetterCount; ++k) {
    if (stats.MaxLetterPercent[k] == 0) continue;
    const int repeat = stats.MinRepeatDistance[k];
    cells.push_back(Pad(Cp1252ToUtf8(std::string(1, AllLetters[k])) + " " +
                            PadLeft(std::to_string(stats.MaxLetterPercent[k]), 3) + "% " +
                            (repeat == kNoRepeat ? "-" : std::to_string(repeat)),
                        10));
  }
  std::string lines = WrapItems(cells, "  ", kLineWidth, 2);
  // A padded cell at the end of a line leaves trailing blanks.
  std::string trimmed;
  std::istringstream stream(lines);
  for (std::string line; std::getline(stream, line);) {
    line.erase(line.find_last_not_of(' ') + 1);
    trimmed += "  " + line.substr(line.find_first_not_of(' ')) + "\n";
  }
  out << trimmed;
}

void WriteWarnings(std::ostream& out, const std::vector<std::string>& warnings) {
  if (warnings.empty()) {
    out << "\nNo warnings.\n";
    return;
  }
  out << "\nWarnings\n";
  for (const std::string& warning : warnings) {
    out << "  ! " << WrapText(warning, kLineWidth, 4) << "\n";
  }
}

}  // namespace

std::string WrapItems(const std::vector<std::string>& items, std::string_view separator,
                      std::size_t width, std::size_t indent) {
  std::string wrapped;
  std::size_t column = indent;
  for (const std::string& item : items) {
    const std::size_t length = Utf8Width(item);
    if (column > indent && column + separator.size() + length > width) {
      wrapped += "\n" + std::string(indent, ' ');
      column = indent;
    } else if (column > indent) {
      wrapped += separator;
      column += separator.size();
    }
    wrapped += item;
    column += length;
  }
  return wrapped;
}

std::string WrapText(const std::string& text, std::size_t width, std::size_t indent) {
  std::istringstream stream(text);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return WrapItems(words, " ", width, indent);
}

void WriteChapterSummary(std::ostream& out, const ChapterInspection& inspection) {
  const ChapterStatistics& stats = inspection.stats;
  WriteHeader(out, inspection.chapter);
  WriteOptions(out, inspection);
  WriteCounts(out, inspection);
  WriteElements(out, inspection);
  WriteStructures(out, stats);
  WritePairs(out, "Initial pairs (first two elements)", stats, stats.InitialPairs,
             stats.InitialPairWeights, stats.InitialPairCount);
  WritePairs(out, "Final pairs (last two elements)", stats, stats.FinalPairs,
             stats.FinalPairWeights, stats.FinalPairCount);
  WriteLetters(out, stats);
  WriteWarnings(out, inspection.warnings);
}

}  // namespace qorv
