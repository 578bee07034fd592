// `qorv inspect RECIPE [--json]`: a recipe's title, its parts with their Chapters' counts, and its
// templates.
#pragma once

#include <ostream>

namespace qorv {

struct InspectOptions;

// 0 when the recipe reads and every part's Chapter loads; 1 when the file cannot be read or a
// Chapter does not load; 2 when the recipe itself is wrong (each told on `err` in one line that
// names the recipe's line).
int RunInspectRecipe(const InspectOptions& options, std::ostream& out, std::ostream& err);

}  // namespace qorv
