#include "chapter/chapter_title.h"

#include <algorithm>
#include <cstdio>
#include <memory>

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

// Read with the C streams, as the loader reads: a stream buffer iterator over a directory throws
// instead of reporting the failed read.
ChapterTitle ReadChapterTitleFile(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (!file) return {};
  std::string content;
  char buffer[4096];
  std::size_t read = 0;
  while ((read = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
    content.append(buffer, read);
  if (std::ferror(file.get())) return {};
  return ReadChapterTitle(content);
}

int EstimateNameCount(const std::string& path) {
  const int count = ReadChapterTitleFile(path).NameCount;
  return count > 0 ? count : 1;
}

}  // namespace qorv
