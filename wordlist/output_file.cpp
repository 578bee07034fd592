#include "wordlist/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "io/file_bytes.h"

namespace qorv {
namespace {

// A temporary name beside `path`, created exclusively so that no other file is touched.
int CreateTemporary(const std::string& path, std::string& temporary) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Gives the temporary file its name: link() refuses an existing name, so that nothing is replaced
// unless asked; a file system without hard links falls back to a check and rename().
int Publish(const std::string& temporary, const std::string& path, bool replace, bool& exists) {
  if (!replace) {
    if (::link(temporary.c_str(), path.c_str()) == 0) {
      ::unlink(temporary.c_str());
      return 0;
    }
    if (errno == EEXIST) {
      exists = true;
      return 0;
    }
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP && errno != EMLINK &&
        errno != ENOSYS) {
      return errno;
    }
    if (PathExists(path)) {
      exists = true;
      return 0;
    }
  }
  return ::rename(temporary.c_str(), path.c_str()) == 0 ? 0 : errno;
}

}  // namespace

bool PathExists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

OutputResult WriteWholeFile(const std::string& path, std::string_view bytes, bool replace) {
  OutputResult result;
  if (!replace && PathExists(path)) {
    result.Exists = true;
    return result;
  }
  std::string temporary;
  const int fd = CreateTemporary(path, temporary);
  if (fd < 0) {
    result.Error = errno;
    return result;
  }
  int error = WriteAll(fd, bytes);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0) error = Publish(temporary, path, replace, result.Exists);
  // The temporary file is gone after a successful rename; in every other case remove it.
  ::unlink(temporary.c_str());
  result.Error = error;
  return result;
}

}  // namespace qorv
