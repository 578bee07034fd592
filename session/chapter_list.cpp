#include "session/chapter_list.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "chapter/chapter_title.h"
#include "text/encoding.h"

namespace qorv {
namespace {

bool IsChapterFileName(const std::string& name) {
  return !name.empty() && name.front() != '.' && name.size() >= 4 &&
         name.compare(name.size() - 4, 4, ".qrv") == 0;
}

// File names are bytes; on this system they are UTF-8 as a rule.
std::string FileNameInCp1252(std::string_view name) {
  std::string text;
  while (!name.empty()) {
    const std::optional<Utf8Char> decoded = DecodeUtf8Char(name);
    const std::optional<char> byte =
        decoded ? CodePointToCp1252(decoded->code_point) : std::nullopt;
    text += byte.value_or('?');
    name.remove_prefix(decoded ? decoded->length : 1);
  }
  return text;
}

// A hand-written title may be UTF-8; shown as Windows-1252 bytes it would be garbled.
std::string TitleInCp1252(const std::string& title) {
  return Utf8ToCp1252(title).value_or(title);
}

}  // namespace

void LabelEqualTitles(std::vector<ChapterListEntry>& entries) {
  std::map<std::string, int> entries_by_title;
  for (const ChapterListEntry& entry : entries) ++entries_by_title[entry.Title];
  for (ChapterListEntry& entry : entries) {
    entry.DisplayTitle = TitleInCp1252(entry.Title);
    if (entries_by_title[entry.Title] > 1) {
      entry.DisplayTitle += " (" + FileNameInCp1252(entry.FileName) + ")";
    }
  }
}

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
    entries.push_back({title.Title, name, title.NameCount, {}});
  }
  LabelEqualTitles(entries);
  return entries;
}

}  // namespace qorv
