// The generation log: every attempt of the current request, emptied when a new request starts.
//
// Each attempt opens the file once and closes it once. Its text is gathered in memory and
// written with one call when the attempt ends, so an attempt costs one open, one write and one
// close. Errors are ignored: generation behaves the same whether or not the log can be written.
#pragma once

#include <string>
#include <string_view>

namespace qorv {

inline constexpr const char* kLogFileName = "!qrv_log.txt";

// The fixed texts of the log.
namespace log_text {
inline constexpr std::string_view kAttemptSeparator = "\r\n\r\n";
inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr std::string_view kNoOption = "NOOPT";
inline constexpr std::string_view kNoPrefix = "PRE/NOOPT";
inline constexpr std::string_view kNoSuffix = "SUF/NOOPT";
inline constexpr std::string_view kCandidate = "\r\n-> ";
inline constexpr std::string_view kFail = "\r\nFail: ";
inline constexpr std::string_view kAccepted = " -> ";
}  // namespace log_text

class AttemptLog {
 public:
  // Opens the log at `path` for this attempt (no log when `path` is empty); `truncate` empties
  // the file first, as the first attempt of a request does.
  AttemptLog(const std::string& path, bool truncate);
  ~AttemptLog();
  AttemptLog(const AttemptLog&) = delete;
  AttemptLog& operator=(const AttemptLog&) = delete;

  bool enabled() const { return fd_ >= 0; }

  void Write(std::string_view text) {
    if (enabled()) text_.append(text);
  }
  void Write(char c) {
    if (enabled()) text_.push_back(c);
  }

  // Writes the gathered text to the end of the file and closes it.
  void Close();

 private:
  int fd_ = -1;
  std::string text_;
};

}  // namespace qorv
