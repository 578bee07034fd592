#include "io/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace qorv {
namespace {

// The most links a chain may have, as the system's own limit for a path (SYMLOOP_MAX).
constexpr int kMaxLinks = 40;

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {};
  return path.substr(0, slash + 1);
}

}  // namespace

std::string FileErrorText(int error) {
  return error == kNotRegularFile ? "not a regular file" : std::strerror(error);
}

FileKind KindOfFile(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) {
    // A link to nothing creates a regular file; anything else that cannot be looked at (a
    // missing folder, no permission) is for the write to report with its own reason.
    return FileKind::kMissing;
  }
  return S_ISREG(info.st_mode) ? FileKind::kRegular : FileKind::kOther;
}

std::string FollowLinks(const std::string& path) {
  std::string current = path;
  for (int step = 0; step < kMaxLinks; ++step) {
    struct stat info;
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::vector<char> target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length <= 0) return current;
    std::string next(target.data(), static_cast<std::size_t>(length));
    current = next.front() == '/' ? next : FolderOf(current) + next;
  }
  return path;
}

int OpenRegularFile(const std::string& path, int flags, int mode, int* error) {
  // O_NONBLOCK: opening a FIFO for writing would otherwise wait for a reader.
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, mode);
  if (fd < 0) {
    *error = errno;
    // A folder refuses a writer (EISDIR), a FIFO without a reader a non-blocking one (ENXIO):
    // neither is a regular file, whatever the open said.
    if (KindOfFile(path) == FileKind::kOther) *error = kNotRegularFile;
    return -1;
  }
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    *error = kNotRegularFile;
    ::close(fd);
    return -1;
  }
  // Regular files never block; the flag is cleared so that the descriptor behaves as usual.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

}  // namespace qorv
