// The one builder of Chapter texts for the tests: header, option tags and a NAMES list, lines
// ending CR LF; and the loads, files and folders the tests make of them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chapter/chapter.h"
#include "chapter/client.h"

namespace qorv::testing {

// A Chapter as its parts; a tag set to nullopt is left out of the text. The parts tests vary most
// come first, so that a test can name just those: {.names = {...}, .genopt = "FIT:2"}.
struct ChapterSource {
  std::vector<std::string> names = {"Ann", "Bo"};
  std::optional<std::string> spccon = "";
  std::optional<std::string> spcvow = "";
  std::optional<std::string> genopt = "";
  std::optional<std::string> title = "Test Chapter";
  std::optional<std::string> line1 = "First line";
  std::optional<std::string> line2 = "Second line";
  std::optional<std::string> date = "2024";
  bool names_tag = true;
  bool names_terminated = true;  // false: the list ends without the ";" after its last quote
  // When set, the NAMES list exactly as written here instead of `names`, for lists that are not
  // well formed: "\"Ann\" \"Bo\"" (no comma).
  std::optional<std::string> names_text = std::nullopt;

  // TITLE "...";\r\n ... NAMES "a", "b";\r\n
  std::string Text() const;
};

// A Chapter with default header and options and these names.
ChapterSource WithNames(std::vector<std::string> names);

// The k-th of 256 distinct two-letter vowel runs (0 <= k < 256), upper-case vowels only, so that
// a name keeps it through normalisation.
std::string DistinctVowelRun(int k);
// The k-th of 400 distinct two-letter runs of upper-case ASCII consonants (0 <= k < 400).
std::string DistinctConsonantRun(int k);

// Loads `text` into a fresh record; the expected name count defaults to 1000.
TQorvChapter Load(std::string_view text, ChapterClient& client, int expected_name_count = 1000);
TQorvChapter Load(const ChapterSource& source, ChapterClient& client,
                  int expected_name_count = 1000);

// A file in the test's own temporary directory, removed with the object.
class TempFile {
 public:
  explicit TempFile(std::string_view contents);
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A directory unique to this process and test, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace qorv::testing
