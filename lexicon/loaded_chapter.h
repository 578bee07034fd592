// What a Lexicon shares: one loaded Chapter with its statistics block, and the notes of the
// names it was made from. Built once by a load, never written afterwards.
#pragma once

#include <memory>
#include <mutex>
#include <vector>

#include "chapter/chapter.h"
#include "chapter/statistics.h"
#include "quorvane/lexicon.h"
#include "scoring/name_scorer.h"

namespace quorvane::detail {

struct LoadedChapter {
  qorv::TQorvChapter Chapter;
  std::unique_ptr<const qorv::ChapterStatistics> Statistics;
  std::vector<NameNote> Notes;  // FromNames only

  // The scorer of names against the seeds, made at the first Score call (ScorerOf).
  mutable std::once_flag ScorerMade;
  mutable std::unique_ptr<const qorv::NameScorer> Scorer;
};

// The scorer of the loaded Chapter's seed names, made once whichever thread asks first.
const qorv::NameScorer& ScorerOf(const LoadedChapter& loaded);

// Loads `bytes` as a Chapter file; the error holds the loader's message in UTF-8.
Result<std::shared_ptr<LoadedChapter>> LoadChapterBytes(std::string_view bytes);

}  // namespace quorvane::detail
