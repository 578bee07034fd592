// One field of a csv row, quoted when it holds a comma, a quote or a line break.
#pragma once

#include <string>

namespace qorv {

// Appends `field` to `line`, in double quotes (a quote doubled) when it needs them.
void AppendCsvField(std::string& line, const std::string& field);

}  // namespace qorv
