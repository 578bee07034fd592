#include "session/chapter_list.h"

#include <filesystem>
#include <system_error>

#include "chapter/chapter_title.h"

namespace qorv {
namespace {

bool IsChapterFileName(const std::string& name) {
  return !name.empty() && name.front() != '.' && name.size() >= 4 &&
         name.compare(name.size() - 4, 4, ".qrv") == 0;
}

}  // namespace

std::vector<ChapterListEntry> ScanChapterFiles(const std::string& directory) {
  std::vector<ChapterListEntry> entries;
  std::error_code error;
  for (std::filesystem::directory_iterator it(directory, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    std::error_code status_error;
    if (!IsChapterFileName(name) || !it->is_regular_file(status_error)) continue;
    const ChapterTitle title = ReadChapterTitleFile(it->path().string());
    if (title.NameCount <= 0) continue;
    entries.push_back({title.Title, name, title.NameCount});
  }
  return entries;
}

}  // namespace qorv
