// Hints for a Chapter author: things in a Chapter file that load, or fail, differently from what
// its author most likely meant.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chapter/chapter.h"
#include "chapter/statistics.h"

namespace qorv {

// Warnings in UTF-8, one sentence each, for the file `raw` (its bytes as read, at most a little
// over the size limit) after a load of it into `chapter` with `expected_name_count`. The file's
// own warnings come always; those that compare the file with its statistics only after a
// successful load.
std::vector<std::string> ChapterWarnings(std::string_view raw, const TQorvChapter& chapter,
                                         const ChapterStatistics& stats, int expected_name_count);

}  // namespace qorv
