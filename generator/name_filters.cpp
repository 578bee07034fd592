#include "generator/name_filters.h"

#include <algorithm>
#include <sstream>

#include "chapter/chapter.h"
#include "chapter/letters.h"
#include "chapter/names_list.h"
#include "chapter/statistics.h"
#include "generator/finishing.h"
#include "generator/initial_letters.h"
#include "generator/possible_lengths.h"
#include "scoring/name_scorer.h"
#include "text/encoding.h"

namespace qorv {
namespace {

// Bits per letter as the command line may have given them: "3.5", "4".
std::string BitsText(double bits) {
  std::ostringstream text;
  text << bits;
  return text.str();
}

}  // namespace

const char* NameFilterOption(NameFilter filter) {
  switch (filter) {
    case NameFilter::kUnique:
      return "--unique";
    case NameFilter::kNovel:
      return "--novel";
    case NameFilter::kMinLength:
      return "--min-length";
    case NameFilter::kMaxLength:
      return "--max-length";
    case NameFilter::kStartsWith:
      return "--starts-with";
    case NameFilter::kEndsWith:
      return "--ends-with";
    case NameFilter::kContains:
      return "--contains";
    case NameFilter::kExclude:
      return "--exclude";
    case NameFilter::kMinTypicality:
      return "--min-typicality";
    case NameFilter::kMaxTypicality:
      return "--max-typicality";
    case NameFilter::kTypical:
      break;
  }
  return "--typical";
}

std::string NameFilterOptions::Describe() const {
  std::string text;
  const auto add = [&text](const char* option, const std::string& value) {
    text += (text.empty() ? "" : " ") + std::string(option) + (value.empty() ? "" : " " + value);
  };
  if (unique) add("--unique", "");
  if (novel) add("--novel", "");
  if (min_length) add("--min-length", std::to_string(*min_length));
  if (max_length) add("--max-length", std::to_string(*max_length));
  if (!starts_with.empty()) add("--starts-with", starts_with);
  if (!ends_with.empty()) add("--ends-with", ends_with);
  if (!contains.empty()) add("--contains", contains);
  for (const std::string& exclude : excludes) add("--exclude", exclude);
  if (min_typicality) add("--min-typicality", BitsText(*min_typicality));
  if (max_typicality) add("--max-typicality", BitsText(*max_typicality));
  if (typical) add("--typical", "");
  return text;
}

std::vector<std::string> ContradictoryFilters(const NameFilterOptions& options, char initial) {
  struct Held {
    const char* what;  // "holds", "begins with", "ends with"
    const char* option;
    std::string text;
  };
  std::vector<Held> held;
  if (!options.contains.empty()) held.push_back({"holds", "--contains", options.contains});
  if (!options.starts_with.empty()) {
    held.push_back({"begins with", "--starts-with", options.starts_with});
  } else if (initial != '*') {
    held.push_back({"begins with", "--initial", std::string(1, initial)});
  }
  if (!options.ends_with.empty()) held.push_back({"ends with", "--ends-with", options.ends_with});
  std::vector<std::string> refusals;
  for (const Held& text : held) {
    for (const std::string& exclude : options.excludes) {
      if (FoldCase(text.text).find(FoldCase(exclude)) == std::string::npos) continue;
      refusals.push_back("every name that " + std::string(text.what) + " " + text.option + " " +
                         Cp1252ToUtf8(text.text) + " holds --exclude " + Cp1252ToUtf8(exclude));
    }
  }
  return refusals;
}

std::string FoldCase(std::string_view cp1252) {
  std::string folded(cp1252);
  for (char& c : folded) c = AsciiLower(AccentLower(c));
  return folded;
}

std::size_t CountedLetters(std::string_view name) {
  std::size_t letters = 0;
  for (char c : name) letters += c != '\'' && c != '-' && c != ' ';
  return letters;
}

NameFilters::NameFilters(const NameFilterOptions& options, const std::set<std::string>& seed_names,
                         const NameScorer* scorer)
    : options_(options), scorer_(scorer), any_(options.Any()) {
  options_.starts_with = FoldCase(options.starts_with);
  options_.ends_with = FoldCase(options.ends_with);
  options_.contains = FoldCase(options.contains);
  for (std::string& exclude : options_.excludes) exclude = FoldCase(exclude);
  if (options.novel) {
    for (const std::string& seed : seed_names) seeds_.insert(FoldCase(seed));
  }
}

bool NameFilters::Refuses(NameFilter filter, const std::string& folded, const std::string& name,
                          double bits) const {
  switch (filter) {
    case NameFilter::kUnique:
      return options_.unique && seen_.contains(name);
    case NameFilter::kNovel:
      return options_.novel && seeds_.contains(folded);
    case NameFilter::kMinLength:
      return options_.min_length && CountedLetters(name) < *options_.min_length;
    case NameFilter::kMaxLength:
      return options_.max_length && CountedLetters(name) > *options_.max_length;
    case NameFilter::kStartsWith:
      return !folded.starts_with(options_.starts_with);
    case NameFilter::kEndsWith:
      return !folded.ends_with(options_.ends_with);
    case NameFilter::kContains:
      return folded.find(options_.contains) == std::string::npos;
    case NameFilter::kExclude:
      for (const std::string& exclude : options_.excludes) {
        if (folded.find(exclude) != std::string::npos) return true;
      }
      return false;
    case NameFilter::kMinTypicality:
      return scorer_ && options_.min_typicality && bits < *options_.min_typicality;
    case NameFilter::kMaxTypicality:
      return scorer_ && options_.max_typicality && bits > *options_.max_typicality;
    case NameFilter::kTypical:
      return scorer_ && options_.typical && bits > scorer_->TypicalBar();
  }
  return false;
}

std::optional<NameFilter> NameFilters::Refusal(const std::string& name) {
  if (!any_) return std::nullopt;  // the plain run pays nothing for the filters
  const std::string folded = FoldCase(name);
  const double bits = scorer_ && options_.AnyTypicality() ? scorer_->BitsPerLetter(name) : 0;
  for (int i = 0; i < kNameFilterCount; ++i) {
    const auto filter = static_cast<NameFilter>(i);
    if (!Refuses(filter, folded, name, bits)) continue;
    ++refused_[static_cast<std::size_t>(i)];
    return filter;
  }
  if (options_.unique) seen_.insert(name);
  return std::nullopt;
}

std::vector<std::string> FinishedSeedList(const TQorvChapter& chapter) {
  std::vector<std::string> seeds;
  NamesListReader reader(chapter.Text);
  std::string name;
  while (reader.status() == NamesListReader::Status::kReady &&
         reader.Next(name) == NamesListReader::Step::kName) {
    NormaliseName(name);
    seeds.push_back(FinishedName(name, chapter.PunctMode));
  }
  return seeds;
}

std::set<std::string> FinishedSeedNames(const TQorvChapter& chapter) {
  const std::vector<std::string> seeds = FinishedSeedList(chapter);
  return {seeds.begin(), seeds.end()};
}

std::vector<std::string> ChapterRefusals(const NameFilterOptions& filters, char initial,
                                         const TQorvChapter& chapter,
                                         const ChapterStatistics& stats) {
  std::vector<std::string> refusals;
  if (initial != '*') {
    const std::string letters = PossibleInitialLetters(chapter, stats);
    if (letters.find(initial) == std::string::npos) {
      refusals.push_back("no name can begin with " + Cp1252ToUtf8(std::string(1, initial)) +
                         "; initial letters: " + Cp1252ToUtf8(letters));
    }
  }
  const LengthBounds bounds = PossibleLengths(chapter, stats);
  if (filters.max_length && *filters.max_length < bounds.Shortest) {
    refusals.push_back("no name has fewer than " + std::to_string(bounds.Shortest) + " letters");
  }
  if (filters.min_length && *filters.min_length > bounds.Longest) {
    refusals.push_back("no name has more than " + std::to_string(bounds.Longest) + " letters");
  }
  return refusals;
}

}  // namespace qorv
