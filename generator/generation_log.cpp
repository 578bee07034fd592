#include "generator/generation_log.h"

#include <fcntl.h>
#include <unistd.h>

#include "io/file_bytes.h"

namespace qorv {

AttemptLog::AttemptLog(const std::string& path, bool truncate) {
  if (path.empty()) return;
  // O_APPEND: every write goes to the end, even while a viewer holds the file open.
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | (truncate ? O_TRUNC : 0),
               0644);
  if (enabled()) text_.reserve(1024);
}

AttemptLog::~AttemptLog() {
  Close();
}

void AttemptLog::Close() {
  if (!enabled()) return;
  WriteAll(fd_, text_);  // a log that cannot be written is ignored
  ::close(fd_);
  fd_ = -1;
  text_.clear();
}

}  // namespace qorv
