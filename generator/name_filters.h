// The filters `qorv generate` and the library's Generator apply to the names the generator has
// accepted: a refused name is not given out and does not count towards the names asked for.
//
// Text tests compare the finished names case-insensitively: ASCII letters and the accented
// letters that have a partner (Á and á, ...) count as equal to their other case. Lengths count
// letters: apostrophes, hyphens and spaces are not counted.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace qorv {

struct ChapterStatistics;
struct TQorvChapter;
class NameScorer;

enum class NameFilter {
  kUnique,      // --unique: no name twice in the run
  kNovel,       // --novel: no name equal to a seed name
  kMinLength,   // --min-length
  kMaxLength,   // --max-length
  kStartsWith,  // --starts-with
  kEndsWith,    // --ends-with
  kContains,    // --contains
  kExclude,     // --exclude
  // The typicality filters: a name's bits per letter under the seeds' letter model
  // (scoring/name_scorer.h).
  kMinTypicality,  // --min-typicality: at least so many bits
  kMaxTypicality,  // --max-typicality: at most so many bits
  kTypical,        // --typical: at most the seeds' own nine-in-ten bits
};
inline constexpr int kNameFilterCount = 11;

// The option that stands for the filter, e.g. "--min-length".
const char* NameFilterOption(NameFilter filter);

// The filters as given on the command line; texts in Windows-1252.
struct NameFilterOptions {
  bool unique = false;
  bool novel = false;
  std::optional<std::uint32_t> min_length;
  std::optional<std::uint32_t> max_length;
  std::string starts_with;
  std::string ends_with;
  std::string contains;
  std::vector<std::string> excludes;
  std::optional<double> min_typicality;  // bits per letter
  std::optional<double> max_typicality;
  bool typical = false;

  bool AnyTypicality() const { return min_typicality || max_typicality || typical; }
  bool Any() const {
    return unique || novel || min_length || max_length || !starts_with.empty() ||
           !ends_with.empty() || !contains.empty() || !excludes.empty() || AnyTypicality();
  }
  // The filters as options, for messages: "--unique --min-length 5 --exclude ar".
  std::string Describe() const;
};

// The texts a name must hold that hold a text of --exclude, so that every name is refused
// whatever the Chapter: --contains, --starts-with, --ends-with, and `initial` (Windows-1252, '*'
// for any) when --starts-with does not give it. One message each, in UTF-8.
std::vector<std::string> ContradictoryFilters(const NameFilterOptions& options, char initial);

// Lower case for the comparisons: ASCII letters and the accent pairs.
std::string FoldCase(std::string_view cp1252);

// Letters of a name: every character but apostrophes, hyphens and the spaces of a whole name
// made of several parts (a Chapter's names hold none).
std::size_t CountedLetters(std::string_view name);

// The seed names in the form a generated name with the same letters would take: upper-cased,
// accent-finished as the Chapter asks, capitalised. `chapter` must be loaded.
std::set<std::string> FinishedSeedNames(const TQorvChapter& chapter);
// The same, one for each seed name in file order.
std::vector<std::string> FinishedSeedList(const TQorvChapter& chapter);

// Why the initial letter (Windows-1252, '*' for any) or the length filters can be seen from the
// loaded Chapter to refuse every name: one line each (UTF-8), none when they need not.
std::vector<std::string> ChapterRefusals(const NameFilterOptions& filters, char initial,
                                         const TQorvChapter& chapter,
                                         const ChapterStatistics& stats);

class NameFilters {
 public:
  // `seed_names` are the Chapter's seed names in finished form (for --novel); `scorer` scores a
  // name against them, needed by the typicality filters alone (without it they refuse nothing),
  // and must outlive the filters.
  NameFilters(const NameFilterOptions& options, const std::set<std::string>& seed_names,
              const NameScorer* scorer = nullptr);

  // nullopt when `name` passes every filter (and --unique then remembers it); otherwise the
  // first filter, in the order of NameFilter, that refuses it.
  std::optional<NameFilter> Refusal(const std::string& name);

  // Names refused by each filter so far.
  const std::array<long long, kNameFilterCount>& Refused() const { return refused_; }

 private:
  bool Refuses(NameFilter filter, const std::string& folded, const std::string& name,
               double bits) const;

  NameFilterOptions options_;  // texts folded
  const NameScorer* scorer_ = nullptr;
  bool any_ = false;
  std::unordered_set<std::string> seeds_;
  std::unordered_set<std::string> seen_;
  std::array<long long, kNameFilterCount> refused_{};
};

}  // namespace qorv
