// The analysis stages over element rows that record which elements stand together: the initial
// and final pairs of every seed name (with the final pairs' contexts), and the transition flags.
#pragma once

#include <vector>

#include "chapter/decomposition.h"
#include "chapter/statistics.h"

namespace qorv {

// Initial and final pairs with their weights, and the final pair contexts.
void BuildPairTables(ChapterStatistics& stats, const std::vector<ElementRow>& rows);

// Which elements follow which, directly and across one element.
void BuildTransitionTables(ChapterStatistics& stats, const std::vector<ElementRow>& rows);

}  // namespace qorv
