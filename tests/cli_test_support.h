// Helpers of the qorv command tests: Chapter files in a temporary folder, and runs of the
// command line in-process with captured streams.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "cli/qorv_app.h"
#include "tests/chapter_source.h"

namespace qorv::testing {

// A folder of its own for every test, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ =
        std::filesystem::temp_directory_path() / ("qorv_cli_" + std::to_string(::getpid()) + "_" +
                                                  test->test_suite_name() + "_" + test->name());
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Writes `bytes` as they are (no line-end translation) and returns the file's path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }

  std::string Path(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

struct Run {
  int exit_code = -1;
  std::string out;
  std::string err;
};

// `input` is what the command reads as its standard input.
inline Run RunCommandLine(const std::vector<std::string>& args, const std::string& input = "") {
  std::vector<const char*> argv{"qorv"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  Run run;
  run.exit_code = RunQorv(static_cast<int>(argv.size()), argv.data(), in, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// The lines of a Chapter joined with CR LF, the line end of every Chapter.
inline std::string CrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// A Chapter with the given option tag values and NAMES list as written, header tags fixed.
inline std::string MakeChapter(const std::string& spccon, const std::string& spcvow,
                               const std::string& genopt, const std::string& names) {
  return ChapterSource{
      .spccon = spccon, .spcvow = spcvow, .genopt = genopt, .date = "2026", .names_text = names}
      .Text();
}

}  // namespace qorv::testing
