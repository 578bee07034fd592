#include "wordlist/chapter_fitting.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/decomposition.h"
#include "chapter/limits.h"
#include "chapter/loader.h"
#include "chapter/names_list.h"
#include "chapter/option_tags.h"

namespace qorv {
namespace {

// The loader refuses the 256th distinct element of a kind.
constexpr std::size_t kMaxDistinctElements = kElementTableSize - 1;

struct NameElements {
  std::vector<std::string> Vowels;
  std::vector<std::string> Consonants;
  std::string Message;  // the decomposition's refusal; empty when the name splits
};

// Codes and splits single names as the loader's analysis does, on a scratch statistics block.
class ElementCutter {
 public:
  ElementCutter(const ChapterHeader& header, ChapterStatistics& scratch) : scratch_(scratch) {
    specials_ = ParseSpecialConsonants(header.SpecialConsonants);
    multi_ = ParseMulti(header.SpecialVowels);
    TQorvChapter options;
    ParseGenOpt(header.Options, options);
    rewrite_ = {specials_.Soft, options.YMode, options.UMode};
  }

  NameElements Cut(std::string name) {
    NameElements result;
    NormaliseName(name);
    std::string coded = RewriteName(name, rewrite_);
    ReplaceSpecialConsonants(coded, specials_.Texts, specials_.Count);
    TQorvChapter counts;
    std::vector<ElementRow> rows;
    if (!SplitNames({coded}, multi_, scratch_, counts, rows, &result.Message)) return result;
    for (const ElementId id : rows[0]) {
      if (id == kEndOfRow) break;
      (IsVowelId(id) ? result.Vowels : result.Consonants).push_back(ElementText(scratch_, id));
    }
    return result;
  }

 private:
  ChapterStatistics& scratch_;
  SpecialConsonantList specials_;
  bool multi_ = false;
  RewriteOptions rewrite_;
};

std::size_t NewElements(const std::vector<std::string>& elements,
                        const std::unordered_set<std::string>& seen) {
  std::unordered_set<std::string_view> fresh;
  for (const std::string& element : elements) {
    if (!seen.count(element)) fresh.insert(element);
  }
  return fresh.size();
}

// The most leading names whose file stays within the size limit (the size grows with every name).
std::size_t NamesThatFitTheFile(const ChapterHeader& header, const std::vector<std::string>& kept) {
  std::size_t low = 0;  // fits (no names: the header alone)
  std::size_t high = kept.size();
  if (FormatChapter(header, kept, high).size() <= kMaxFileBytes) return high;
  while (high - low > 1) {
    const std::size_t middle = low + (high - low) / 2;
    if (FormatChapter(header, kept, middle).size() <= kMaxFileBytes) {
      low = middle;
    } else {
      high = middle;
    }
  }
  return low;
}

// Moves the names after the first `count` kept ones to the left-out list, in input order.
void LeaveOutTail(std::size_t count, LeftOutReason reason, FittedChapter& fitted) {
  for (std::size_t k = count; k < fitted.Kept.size(); ++k) {
    fitted.LeftOut.push_back({fitted.Kept[k], reason});
  }
  fitted.Kept.resize(count);
  std::sort(fitted.LeftOut.begin(), fitted.LeftOut.end(),
            [](const LeftOutName& a, const LeftOutName& b) { return a.Index < b.Index; });
}

}  // namespace

struct NameChooser::State {
  explicit State(const ChapterHeader& chapter_header)
      : header(chapter_header), cutter(header, client.Statistics()) {}

  ChapterHeader header;
  PlainChapterClient client;
  ElementCutter cutter;
  std::unordered_set<std::string> vowels;
  std::unordered_set<std::string> consonants;
  std::vector<std::string> taken;
};

NameChooser::NameChooser(const ChapterHeader& header) : state_(std::make_unique<State>(header)) {}

NameChooser::~NameChooser() = default;

bool NameChooser::Full() const {
  return state_->taken.size() == static_cast<std::size_t>(kMaxNames);
}

std::size_t NameChooser::TakenCount() const {
  return state_->taken.size();
}

std::optional<LeftOutReason> NameChooser::Offer(const std::string& name) {
  if (Full()) return LeftOutReason::kTooManyNames;
  State& s = *state_;
  const NameElements elements = s.cutter.Cut(name);
  if (!elements.Message.empty()) {
    return elements.Message.starts_with("Too few elements") ? LeftOutReason::kSingleElement
                                                            : LeftOutReason::kTooManyElements;
  }
  if (s.vowels.size() + NewElements(elements.Vowels, s.vowels) > kMaxDistinctElements) {
    return LeftOutReason::kVowelTableFull;
  }
  if (s.consonants.size() + NewElements(elements.Consonants, s.consonants) > kMaxDistinctElements) {
    return LeftOutReason::kConsonantTableFull;
  }
  s.vowels.insert(elements.Vowels.begin(), elements.Vowels.end());
  s.consonants.insert(elements.Consonants.begin(), elements.Consonants.end());
  s.taken.push_back(name);
  return std::nullopt;
}

FittedChapter NameChooser::Finish() {
  State& s = *state_;
  FittedChapter fitted;
  for (std::size_t i = 0; i < s.taken.size(); ++i) fitted.Kept.push_back(i);
  const std::size_t fit = NamesThatFitTheFile(s.header, s.taken);
  if (fit < s.taken.size()) {
    LeaveOutTail(fit, LeftOutReason::kFileTooLarge, fitted);
    s.taken.resize(fit);
  }
  fitted.Text = FormatChapter(s.header, s.taken, s.taken.size());
  TQorvChapter chapter;
  fitted.Load =
      LoadChapterFromBytes(chapter, fitted.Text, EstimateNameCountInText(fitted.Text), s.client);
  return fitted;
}

FittedChapter FitChapter(const ChapterHeader& header, const std::vector<std::string>& names) {
  NameChooser chooser(header);
  std::vector<std::size_t> offered;  // the index of each name taken
  std::vector<LeftOutName> left_out;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (const std::optional<LeftOutReason> reason = chooser.Offer(names[i])) {
      left_out.push_back({i, *reason});
    } else {
      offered.push_back(i);
    }
  }
  FittedChapter fitted = chooser.Finish();
  for (std::size_t& kept : fitted.Kept) kept = offered[kept];
  for (LeftOutName& left : fitted.LeftOut) left.Index = offered[left.Index];
  fitted.LeftOut.insert(fitted.LeftOut.end(), left_out.begin(), left_out.end());
  std::sort(fitted.LeftOut.begin(), fitted.LeftOut.end(),
            [](const LeftOutName& a, const LeftOutName& b) { return a.Index < b.Index; });
  return fitted;
}

}  // namespace qorv
