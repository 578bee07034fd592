// The Chapter list: the Chapter files of a folder, each with what the quick look found.
#pragma once

#include <string>
#include <vector>

namespace qorv {

struct ChapterListEntry {
  std::string Title;         // Windows-1252, as read
  std::string FileName;      // without directory
  int NameCount = 0;         // the estimate handed to the loader
  std::string DisplayTitle;  // Windows-1252: what the list shows (see LabelEqualTitles)
};

// Sets every entry's DisplayTitle: its title (a title that is UTF-8 text taken as such, in
// Windows-1252), followed by " (" file name ")" where another entry
// has the same title, so that a copy of a Chapter can be told from its original. The file name
// is taken as UTF-8; a character that Windows-1252 lacks shows as "?".
void LabelEqualTitles(std::vector<ChapterListEntry>& entries);

// The ordinary, non-hidden files of `directory` whose name ends in ".qrv", in the order the
// directory lists them, each read up to kChapterTitleReadBytes for its title and estimate, and
// labelled. Files without a title or a NAMES tag (or that cannot be read) are left out. The list
// has no length limit.
std::vector<ChapterListEntry> ScanChapterFiles(const std::string& directory = ".");

}  // namespace qorv
