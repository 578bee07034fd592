#include "chapter/chapter_title.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "chapter/tag_reader.h"

namespace qorv {

ChapterTitle ReadChapterTitle(std::string_view content) {
  ChapterTitle result;
  const std::size_t title_at = content.find("TITLE");
  if (title_at == std::string_view::npos) return result;
  const std::size_t quote_at = content.find('"', title_at);
  if (quote_at == std::string_view::npos) return result;
  const std::size_t end_at = content.find(kTerminator, quote_at + 1);
  if (end_at == std::string_view::npos) return result;
  const std::size_t names_at = content.find("NAMES");
  if (names_at == std::string_view::npos) return result;
  result.Title.assign(content.substr(quote_at + 1, end_at - quote_at - 1));
  result.NameCount =
      static_cast<int>(std::count(content.begin() + static_cast<std::ptrdiff_t>(names_at),
                                  content.end(), ',')) + 1;
  return result;
}

ChapterTitle ReadChapterTitleFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return {};
  return ReadChapterTitle(content);
}

int EstimateNameCount(const std::string& path) {
  const int count = ReadChapterTitleFile(path).NameCount;
  return count > 0 ? count : 1;
}

}  // namespace qorv
