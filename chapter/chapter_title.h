// The quick look at a Chapter file that the Chapter list takes: its title and estimated size.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qorv {

struct ChapterTitle {
  int NameCount = 0;  // commas after the first NAMES, plus one; 0: the file is not listed
  std::string Title;  // the TITLE value, neither cut nor trimmed
};

// The title runs from the first quote after the first "TITLE" to the next terminator; the count
// needs a "NAMES" anywhere in the raw content. Comments are not removed.
ChapterTitle ReadChapterTitle(std::string_view content);

// How much of a file the quick look reads: twice the loader's file limit, so that the estimate of
// every file the loader takes is exact, while a large file that is no Chapter costs no more.
inline constexpr std::size_t kChapterTitleReadBytes = 65536;

// The same for a file's first kChapterTitleReadBytes bytes; a file that cannot be read is not
// listed.
ChapterTitle ReadChapterTitleFile(const std::string& path);

// The expected name count handed to the loader for a file: the Chapter list's estimate, or 1 for
// a file the list would not show, so that the loader itself reports what is wrong with it.
int EstimateNameCount(const std::string& path);
// The same for a file's content.
int EstimateNameCountInText(std::string_view content);

}  // namespace qorv
