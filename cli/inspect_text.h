// The readable summary of `qorv inspect`: what a Chapter author wants to see of a loaded Chapter.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "chapter/chapter.h"
#include "chapter/statistics.h"

namespace qorv {

struct ChapterInspection {
  const TQorvChapter& chapter;  // loaded
  const ChapterStatistics& stats;
  bool soft = false;   // SOFT in SPCCON
  bool multi = false;  // MULTI in SPCVOW
  int expected_name_count = 0;
  std::vector<std::string> warnings;  // UTF-8
};

// Header, options, counts, elements with their position counts, structure classes, initial and
// final pairs, letter statistics and warnings, in UTF-8.
void WriteChapterSummary(std::ostream& out, const ChapterInspection& inspection);

// `items` joined by `separator` and wrapped so that no line passes `width` columns (characters of
// UTF-8), for text that starts at column `indent`: every line after the first is indented by
// `indent` spaces. An item never breaks; one longer than a line stands alone.
std::string WrapItems(const std::vector<std::string>& items, std::string_view separator,
                      std::size_t width, std::size_t indent);

// The words of `text` (split at white space) wrapped as WrapItems does.
std::string WrapText(const std::string& text, std::size_t width, std::size_t indent);

}  // namespace qorv
