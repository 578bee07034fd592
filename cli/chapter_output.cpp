#include "cli/chapter_output.h"

#include <ctime>
#include <filesystem>
#include <ostream>

#include "chapter/chapter.h"
#include "chapter/chapter_file.h"
#include "chapter/chapter_title.h"
#include "chapter/client.h"
#include "chapter/loader.h"
#include "cli/chapter_warnings.h"
#include "cli/exit_codes.h"
#include "cli/run_files.h"
#include "io/file_bytes.h"
#include "io/regular_file.h"
#include "wordlist/output_file.h"

namespace qorv {

int ReportExisting(const std::string& output, std::ostream& err) {
  err << "qorv: " << output << ": already exists; --force replaces it\n";
  return kExitUsage;
}

std::string OutputLabel(const std::string& output) {
  return output == kStandardStreamArgument ? "standard output" : output;
}

int WriteChapter(const std::string& output, const std::string& text, bool force, std::ostream& out,
                 std::ostream& err) {
  FileBytes written{text, 0};
  if (output == kStandardStreamArgument) {
    out << text;
  } else {
    const OutputResult result = WriteWholeFile(output, text, force);
    if (result.Exists) return ReportExisting(output, err);
    if (result.Error != 0) {
      err << "qorv: " << output << ": " << FileErrorText(result.Error) << "\n";
      return kExitOutputNotWritten;
    }
    written = ReadChapterFile(output);
  }
  PlainChapterClient client;
  TQorvChapter chapter;
  const int expected = written.Error != 0 ? 1 : EstimateNameCountInText(written.Bytes);
  LoadChapterFromFile(chapter, written, expected, client);
  if (!chapter.Loaded) {
    err << "qorv: " << OutputLabel(output) << ": the written file does not load ("
        << chapter.Message << ")";
    if (output != kStandardStreamArgument) {
      std::error_code ignored;
      std::filesystem::remove(FollowLinks(output), ignored);
      err << "; it was removed";
    }
    err << "\n";
    return kExitFailure;
  }
  for (const std::string& warning :
       ChapterWarnings(written.Bytes, chapter, client.Statistics(), expected)) {
    err << "qorv: " << OutputLabel(output) << ": warning: " << warning << "\n";
  }
  return kExitSuccess;
}

std::ostream& SummaryStream(const std::string& output, std::ostream& out, std::ostream& err) {
  return output == kStandardStreamArgument ? err : out;
}

std::string Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char buffer[16];
  std::strftime(buffer, sizeof buffer, "%Y-%m-%d", &local);
  return buffer;
}

}  // namespace qorv
