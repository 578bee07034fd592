#include "io/file_bytes.h"

#include "io/regular_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace qorv {

FileBytes ReadFileBytes(const std::string& path, std::size_t max_bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return {{}, errno};
  FileBytes result = ReadDescriptorBytes(fd, max_bytes);
  ::close(fd);
  return result;
}

FileBytes ReadDescriptorBytes(int fd, std::size_t max_bytes) {
  FileBytes result;
  char buffer[16 * 1024];
  while (result.Bytes.size() < max_bytes) {
    const std::size_t want = std::min(sizeof buffer, max_bytes - result.Bytes.size());
    const ssize_t got = ::read(fd, buffer, want);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      result.Error = errno;
      break;
    }
    result.Bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return result;
}

int CheckAppendable(const std::string& path) {
  int error = 0;
  const int fd = OpenRegularFile(path, O_WRONLY | O_CREAT | O_APPEND, 0644, &error);
  if (fd < 0) return error;
  ::close(fd);
  return 0;
}

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    // A regular file or pipe that takes nothing is full.
    if (written == 0) return ENOSPC;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

}  // namespace qorv
