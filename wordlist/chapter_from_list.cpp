#include "wordlist/chapter_from_list.h"

#include <optional>
#include <vector>

namespace qorv {
namespace {

// The names taken and the names cut off by the 1000-name limit, told as a run.
class Fitting {
 public:
  Fitting(const ChapterHeader& header, ListObserver& observer, ListChapter& result)
      : chooser_(header), observer_(observer), result_(result) {}

  void Offer(WordListEntry name) {
    const std::optional<LeftOutReason> reason = chooser_.Offer(name.Name);
    if (!reason) {
      taken_.push_back(Brief(std::move(name)));
      return;
    }
    ++result_.LeftOut;
    if (*reason != LeftOutReason::kTooManyNames) {
      observer_.LeftOut(name, *reason);
    } else if (too_many_++ == 0) {
      first_too_many_ = Brief(std::move(name));
    }
  }

  void Finish() {
    if (too_many_ > 0) {
      observer_.LeftOutFrom(too_many_, first_too_many_, LeftOutReason::kTooManyNames);
    }
    result_.Fitted = chooser_.Finish();
    const std::size_t too_large = result_.Fitted.LeftOut.size();
    if (too_large > 0) {
      observer_.LeftOutFrom(too_large, taken_[result_.Fitted.LeftOut.front().Index],
                            LeftOutReason::kFileTooLarge);
    }
    result_.LeftOut += too_large;
    result_.Kept = result_.Fitted.Kept.size();
  }

 private:
  // What the notes need of a name taken: its line and how it was written.
  static WordListEntry Brief(WordListEntry name) {
    WordListEntry brief;
    brief.Line = name.Line;
    brief.Written = std::move(name.Written);
    return brief;
  }

  NameChooser chooser_;
  ListObserver& observer_;
  ListChapter& result_;
  std::vector<WordListEntry> taken_;
  std::size_t too_many_ = 0;
  WordListEntry first_too_many_;
};

}  // namespace

ListChapter MakeListChapter(std::string_view bytes, const LetterMapper& mapper,
                            const ChapterHeader& header, const ListOptions& options,
                            ListObserver& observer) {
  ListChapter result;
  Fitting fitting(header, observer, result);
  NamePool pool(options.Pick, options.Seed);
  WordListReader reader(bytes, mapper, options.Reading);
  WordListEntry entry;
  while (reader.Next(entry)) {
    observer.Read(entry);
    if (entry.Kind == WordKind::kSkipped) {
      ++result.Skipped;
    } else if (entry.Kind == WordKind::kMerged) {
      ++result.Merged;
    } else if (options.Pick == PickMode::kFirst) {
      fitting.Offer(std::move(entry));
    } else {
      pool.Add(std::move(entry));
    }
  }
  if (options.Pick != PickMode::kFirst) {
    PickedNames picked = pool.Take();
    for (const WordListEntry& merged : picked.Merged) observer.Merged(merged);
    result.Merged += picked.Merged.size();
    if (picked.NotPicked > 0) observer.NotPicked(picked.NotPicked, options.Pick);
    result.LeftOut += picked.NotPicked;
    for (WordListEntry& name : picked.Names) fitting.Offer(std::move(name));
  }
  fitting.Finish();
  return result;
}

}  // namespace qorv
