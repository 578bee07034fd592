// The GENOPT value `qorv chapter new` writes when it is given none: the options that made the
// most seed-like names from the sample Chapters' word lists (bench/genopt_measure.cpp, with the
// figures in DEVELOPERS.md). Standard library only.
#pragma once

#include <cstddef>
#include <string>

namespace qorv {

// Lists of this many names or more take the options of long lists.
inline constexpr std::size_t kLongListNames = 150;

// `name_lines`: the lines of the list that may be names (CountNameLines).
std::string DefaultGenOpt(std::size_t name_lines);

}  // namespace qorv
