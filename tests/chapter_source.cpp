#include "tests/chapter_source.h"

#include <atomic>
#include <fstream>
#include <system_error>

#include <gtest/gtest.h>
#include <unistd.h>

#include "chapter/letters.h"
#include "chapter/loader.h"

namespace qorv::testing {
namespace {

void AddTag(std::string& text, std::string_view tag, const std::optional<std::string>& value) {
  if (!value) return;
  text.append(tag).append(" \"").append(*value).append("\";\r\n");
}

std::filesystem::path UniquePath(std::string_view what) {
  static std::atomic<int> serial{0};
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = "qorv_";
  if (test) name.append(test->test_suite_name()).append("_").append(test->name()).append("_");
  name.append(std::to_string(getpid())).append("_").append(std::to_string(serial++));
  name.append(what);
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  return std::filesystem::temp_directory_path() / name;
}

}  // namespace

std::string ChapterSource::Text() const {
  std::string text;
  AddTag(text, "TITLE", title);
  AddTag(text, "LINE1", line1);
  AddTag(text, "LINE2", line2);
  AddTag(text, "DATE", date);
  AddTag(text, "SPCCON", spccon);
  AddTag(text, "SPCVOW", spcvow);
  AddTag(text, "GENOPT", genopt);
  if (names_tag) {
    text += "NAMES ";
    if (names_text) {
      text += *names_text;
    } else {
      for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += ", ";
        text += '"' + names[i] + '"';
      }
    }
    text += names_terminated ? ";\r\n" : "\r\n";
  }
  return text;
}

ChapterSource WithNames(std::vector<std::string> names) {
  ChapterSource source;
  source.names = std::move(names);
  return source;
}

std::string DistinctVowelRun(int k) {
  // The first 16 vowel letters are all capitals: AEIOUY, then accented ones.
  return {VowelLetters[k / 16], VowelLetters[k % 16]};
}

std::string DistinctConsonantRun(int k) {
  static constexpr std::string_view kCapitals = "BCDFGHJKLMNPQRSTVWXZ";
  return {kCapitals[k / 20], kCapitals[k % 20]};
}

TQorvChapter Load(std::string_view text, ChapterClient& client, int expected_name_count) {
  TQorvChapter chapter;
  LoadChapterFromBytes(chapter, text, expected_name_count, client);
  return chapter;
}

TQorvChapter Load(const ChapterSource& source, ChapterClient& client, int expected_name_count) {
  return Load(source.Text(), client, expected_name_count);
}

TempFile::TempFile(std::string_view contents) : path_(UniquePath(".qrv").string()) {
  std::ofstream out(path_, std::ios::binary);
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

TempFile::~TempFile() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

TempDir::TempDir() : path_(UniquePath(".dir")) {
  std::filesystem::create_directory(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace qorv::testing
