#include "generator/generation_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "io/file_bytes.h"

namespace qorv {
namespace {

// Writes `text` from the file's start; the bytes written, or -1 when the file has no places
// (a pipe or a terminal).
ssize_t WriteAllAtStart(int fd, std::string_view text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t written =
        ::pwrite(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
    if (written < 0 && errno == ESPIPE) return -1;
    if (written <= 0) break;
    done += static_cast<std::size_t>(written);
  }
  return static_cast<ssize_t>(done);
}

}  // namespace

AttemptLog::AttemptLog(const std::string& path, bool empty) {
  Open(path, empty);
}

AttemptLog::~AttemptLog() {
  Close();
}

void AttemptLog::Open(const std::string& path, bool empty) {
  Close();
  if (path.empty()) return;
  // A file emptied by opening it with O_TRUNC and closed after the first write is flushed to
  // the disk at that close by some file systems (ext4 guards replaced files so), which made
  // every one-attempt request wait for the disk. So the file is opened as it is, and the first
  // flush writes from the start and then cuts the file to what it wrote.
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (empty ? 0 : O_APPEND), 0644);
  replace_ = empty;
  appending_ = !empty;
  text_.clear();
}

void AttemptLog::Flush() {
  if (!enabled()) return;
  if (replace_) {
    replace_ = false;
    const ssize_t written = WriteAllAtStart(fd_, text_);
    if (written >= 0) {
      (void)::ftruncate(fd_, written);  // what is left of the old content goes
      text_.clear();
      return;
    }
    appending_ = true;  // a pipe or a terminal takes the text in order, as any later write
  }
  if (!text_.empty()) {
    // From the second write of a request on, every write goes to the end, even when a viewer
    // holding the file open has added to it meanwhile.
    if (!appending_) appending_ = ::fcntl(fd_, F_SETFL, O_APPEND) == 0;
    if (!appending_) (void)::lseek(fd_, 0, SEEK_END);
    (void)WriteAll(fd_, text_);  // a log that cannot be written is ignored
  }
  text_.clear();
}

void AttemptLog::Close() {
  if (!enabled()) return;
  Flush();
  ::close(fd_);
  fd_ = -1;
}

}  // namespace qorv
