#include "chapter/chapter_title.h"

#include <algorithm>

#include "io/file_bytes.h"

#include "chapter/tag_reader.h"

namespace qorv {

ChapterTitle ReadChapterTitle(std::string_view content) {
  ChapterTitle result;
  const std::size_t title_at = content.find(tag::kTitle);
  if (title_at == std::string_view::npos) return result;
  const std::size_t quote_at = content.find('"', title_at);
  if (quote_at == std::string_view::npos) return result;
  const std::size_t end_at = content.find(kTerminator, quote_at + 1);
  if (end_at == std::string_view::npos) return result;
  const std::size_t names_at = content.find(tag::kNames);
  if (names_at == std::string_view::npos) return result;
  result.Title.assign(content.substr(quote_at + 1, end_at - quote_at - 1));
  result.NameCount =
      static_cast<int>(
          std::count(content.begin() + static_cast<std::ptrdiff_t>(names_at), content.end(), ',')) +
      1;
  return result;
}

ChapterTitle ReadChapterTitleFile(const std::string& path) {
  const FileBytes file = ReadFileBytes(path, kChapterTitleReadBytes);
  if (file.Error != 0) return {};
  return ReadChapterTitle(file.Bytes);
}

int EstimateNameCountInText(std::string_view content) {
  const int count = ReadChapterTitle(content).NameCount;
  return count > 0 ? count : 1;
}

int EstimateNameCount(const std::string& path) {
  const int count = ReadChapterTitleFile(path).NameCount;
  return count > 0 ? count : 1;
}

}  // namespace qorv
