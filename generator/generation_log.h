// The generation log: every attempt of the current request, emptied when a new request starts.
//
// The generator opens the file at the first attempt of a request and keeps it open until the
// request ends (a name accepted, the request given up) or the generator goes. Each attempt's
// text is gathered in memory and written with one call when the attempt ends, so that after
// every attempt the file holds exactly what the request's attempts wrote, as if each attempt
// had opened the file, added its text and closed it again. Errors are ignored: generation
// behaves the same whether or not the log can be written.
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
  // No file: writes nothing until opened.
  AttemptLog() = default;
  // Opens the log at once, as Open does.
  AttemptLog(const std::string& path, bool empty);
  // Closes the file, writing what is still gathered.
  ~AttemptLog();
  AttemptLog(const AttemptLog&) = delete;
  AttemptLog& operator=(const AttemptLog&) = delete;

  // Opens the log at `path` (no log when `path` is empty or the file cannot be opened), closing
  // a file held open before. With `empty` the file's old content goes: the next Flush replaces
  // it, as the first attempt of a request does. The file is created when it does not exist.
  void Open(const std::string& path, bool empty);

  bool enabled() const { return fd_ >= 0; }

  void Write(std::string_view text) {
    if (enabled()) text_.append(text);
  }
  void Write(char c) {
    if (enabled()) text_.push_back(c);
  }

  // Writes the text gathered since the last flush with one call: to the end of the file, or in
  // place of its content after an Open with `empty`.
  void Flush();

  // Flushes and closes the file.
  void Close();

 private:
  int fd_ = -1;
  bool replace_ = false;    // the next flush replaces the file's content
  bool appending_ = false;  // writes go to the end of the file, wherever others left it
  std::string text_;        // kept between attempts, so that its buffer is allocated once
};

}  // namespace qorv
