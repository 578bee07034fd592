// The element rows of a loaded Chapter's seed names, cut again exactly as its load cut them (the
// load keeps only the tables made of the rows, not the rows).
#pragma once

#include <vector>

#include "chapter/chapter.h"
#include "chapter/decomposition.h"
#include "chapter/statistics.h"

namespace qorv {

// One row per seed name, in file order. `chapter` must be loaded, with `stats` its statistics;
// the element ids are those of `stats`.
std::vector<ElementRow> SeedElementRows(const TQorvChapter& chapter,
                                        const ChapterStatistics& stats);

}  // namespace qorv
