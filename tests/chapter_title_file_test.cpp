// The Chapter list's look at a file on disk: what it does with files it cannot read.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "chapter/chapter_title.h"

namespace qorv {
namespace {

std::filesystem::path TempPath(const std::string& name) {
  return std::filesystem::temp_directory_path() /
         ("qorv_chapter_title_" + std::to_string(::getpid()) + "_" + name);
}

TEST(ChapterTitleFile, ReadsTitleAndCommaEstimateOfAFile) {
  const auto path = TempPath("two.qrv");
  std::ofstream(path, std::ios::binary) << "TITLE \"Two\";\r\nNAMES \"Ann\", \"Bo\";\r\n";
  const ChapterTitle title = ReadChapterTitleFile(path.string());
  EXPECT_EQ(title.Title, "Two");
  EXPECT_EQ(title.NameCount, 2);
  EXPECT_EQ(EstimateNameCount(path.string()), 2);
  std::filesystem::remove(path);
}

TEST(ChapterTitleFile, MissingFileIsNotListed) {
  const auto path = TempPath("missing.qrv");
  EXPECT_EQ(ReadChapterTitleFile(path.string()).NameCount, 0);
  EXPECT_EQ(EstimateNameCount(path.string()), 1);
}

// A directory opens but cannot be read; the list must skip it rather than throw.
TEST(ChapterTitleFile, DirectoryIsNotListedAndDoesNotThrow) {
  const auto path = TempPath("folder.qrv");
  std::filesystem::create_directory(path);
  ChapterTitle title;
  EXPECT_NO_THROW(title = ReadChapterTitleFile(path.string()));
  EXPECT_EQ(title.NameCount, 0);
  int estimate = 0;
  EXPECT_NO_THROW(estimate = EstimateNameCount(path.string()));
  EXPECT_EQ(estimate, 1);
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace qorv
