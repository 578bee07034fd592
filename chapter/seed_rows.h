// The seed names of a loaded Chapter with the element rows its load cut them into, for telling
// where the elements of a generated name come from. The load keeps only the statistics of the
// rows, so they are cut again here, by the load's own steps on a scratch statistics block: the
// element tables fill in the same order, so every ElementId is the one the Chapter's statistics
// give.
#pragma once

#include <string>
#include <vector>

#include "chapter/chapter.h"
#include "chapter/decomposition.h"

namespace qorv {

struct SeedRow {
  std::string Name;  // upper-cased, as the load reads it (Windows-1252)
  ElementRow Elements;
};

// Every seed name of `chapter` (which must be loaded) in file order.
std::vector<SeedRow> SeedRows(const TQorvChapter& chapter);

// The number of elements of a row: the entries before -1.
int ElementCount(const ElementRow& row);

}  // namespace qorv
