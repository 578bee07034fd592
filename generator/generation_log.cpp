#include "generator/generation_log.h"

#include <fcntl.h>
#include <unistd.h>

namespace qorv {

AttemptLog::AttemptLog(const std::string& path, bool truncate) {
  if (path.empty()) return;
  // O_APPEND: every write goes to the end, even while a viewer holds the file open.
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | (truncate ? O_TRUNC : 0),
               0644);
  if (enabled()) text_.reserve(1024);
}

AttemptLog::~AttemptLog() { Close(); }

void AttemptLog::Close() {
  if (!enabled()) return;
  std::string_view rest = text_;
  while (!rest.empty()) {
    const ssize_t written = ::write(fd_, rest.data(), rest.size());
    if (written <= 0) break;
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
  ::close(fd_);
  fd_ = -1;
  text_.clear();
}

}  // namespace qorv
