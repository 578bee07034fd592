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

// Names in input order while every limit that depends on the names alone still holds.
void ChooseNames(const ChapterHeader& header, const std::vector<std::string>& names,
                 ChapterStatistics& scratch, FittedChapter& fitted) {
  ElementCutter cutter(header, scratch);
  std::unordered_set<std::string> vowels;
  std::unordered_set<std::string> consonants;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const NameElements elements = cutter.Cut(names[i]);
    LeftOutName left{i, LeftOutReason::kTooManyNames};
    if (!elements.Message.empty()) {
      left.Reason = elements.Message.starts_with("Too few elements")
                        ? LeftOutReason::kSingleElement
                        : LeftOutReason::kTooManyElements;
    } else if (vowels.size() + NewElements(elements.Vowels, vowels) > kMaxDistinctElements) {
      left.Reason = LeftOutReason::kVowelTableFull;
    } else if (consonants.size() + NewElements(elements.Consonants, consonants) >
               kMaxDistinctElements) {
      left.Reason = LeftOutReason::kConsonantTableFull;
    } else if (fitted.Kept.size() == static_cast<std::size_t>(kMaxNames)) {
      left.Reason = LeftOutReason::kTooManyNames;
    } else {
      vowels.insert(elements.Vowels.begin(), elements.Vowels.end());
      consonants.insert(elements.Consonants.begin(), elements.Consonants.end());
      fitted.Kept.push_back(i);
      continue;
    }
    fitted.LeftOut.push_back(left);
  }
}

std::vector<std::string> KeptNames(const std::vector<std::string>& names,
                                   const std::vector<std::size_t>& kept) {
  std::vector<std::string> out;
  out.reserve(kept.size());
  for (std::size_t i : kept) out.push_back(names[i]);
  return out;
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

FittedChapter FitChapter(const ChapterHeader& header, const std::vector<std::string>& names) {
  FittedChapter fitted;
  PlainChapterClient client;
  ChooseNames(header, names, client.Statistics(), fitted);

  std::vector<std::string> kept = KeptNames(names, fitted.Kept);
  const std::size_t fit = NamesThatFitTheFile(header, kept);
  if (fit < kept.size()) {
    LeaveOutTail(fit, LeftOutReason::kFileTooLarge, fitted);
    kept.resize(fit);
  }

  fitted.Text = FormatChapter(header, kept, kept.size());
  TQorvChapter chapter;
  fitted.Load =
      LoadChapterFromBytes(chapter, fitted.Text, EstimateNameCountInText(fitted.Text), client);
  return fitted;
}

}  // namespace qorv
