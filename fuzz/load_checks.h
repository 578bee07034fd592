// What every Chapter load must leave behind, whatever bytes it was given.
//
// The fuzz target runs these after each load; a failed check prints what was wrong and aborts,
// so libFuzzer (or the corpus replay under CTest) reports the input as a crash.
#pragma once

#include <cstdint>

#include "chapter/chapter.h"
#include "chapter/statistics.h"
#include "fuzz/require.h"

namespace qorv::fuzz {

// A refused load: Loaded is 0 and Message is one of the loader's own texts.
void CheckRefusal(const TQorvChapter& chapter);

// A successful load: the record and the tables agree with each other and stay inside their bounds
// (counts, weights, ElementIds, structure classes and patterns, position totals), and nothing is
// left beyond them. `clear_context_rows_from`: the final pair context rows from this one on were
// 0 before the load, so that only the rows below it and below NameCount (the only ones a load can
// touch) need to be looked at (kMaxNames when nothing is known).
void CheckLoadedChapter(const TQorvChapter& chapter, const ChapterStatistics& stats,
                        int clear_context_rows_from);

// A hash of everything a successful load means: the record's texts, counts and options, and every
// table entry below its count. Entries beyond the counts are left out on purpose: they may hold
// values of an earlier load.
std::uint64_t Fingerprint(const TQorvChapter& chapter, const ChapterStatistics& stats);

}  // namespace qorv::fuzz
