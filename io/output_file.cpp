#include "io/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "io/regular_file.h"
#include "io/temporary_files.h"

namespace qorv {
namespace {

// "folder/.name.PID-N.tmp": hidden, beside the target on its file system, so that the rename
// cannot fail for crossing file systems.
std::string TemporaryName(const std::string& target, int attempt) {
  const std::size_t slash = target.rfind('/');
  const std::size_t name_at = slash == std::string::npos ? 0 : slash + 1;
  return target.substr(0, name_at) + "." + target.substr(name_at) + "." +
         std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
}

// Gives the temporary file the target's name without replacing anything: link() refuses an
// existing name; a file system without hard links falls back to a look and rename().
int LinkNew(const std::string& temporary, const std::string& target) {
  if (::link(temporary.c_str(), target.c_str()) == 0) return 0;
  const int error = errno;
  if (error != EPERM && error != ENOTSUP && error != EOPNOTSUPP && error != EMLINK &&
      error != ENOSYS) {
    return error;
  }
  struct stat there;
  if (::lstat(target.c_str(), &there) == 0) return EEXIST;
  return ::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
}

}  // namespace

OutputFile::OutputFile(const std::string& path) : target_(FollowLinks(path)) {
  struct stat old;
  const bool exists = ::stat(target_.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) {
    error_ = kNotRegularFile;
    return;
  }
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    const std::string name = TemporaryName(target_, attempt);
    // Registered before it exists, so that no signal can come between its creation and its
    // registration; a name that turns out to be taken is forgotten again.
    const int slot = RegisterTemporaryFile(name);
    fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd_ >= 0) {
      temporary_ = name;
      slot_ = slot;
    } else {
      const int error = errno;
      ForgetTemporaryFile(slot);
      if (error != EEXIST) {
        error_ = error;
        return;
      }
    }
  }
  if (fd_ < 0) {
    error_ = EEXIST;
    return;
  }
  // The replacement keeps the permissions of the file it replaces.
  if (exists) (void)::fchmod(fd_, old.st_mode & 07777);
}

OutputFile::~OutputFile() {
  Remove();
}

void OutputFile::Remove() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
  ForgetTemporaryFile(slot_);
  slot_ = -1;
}

int OutputFile::Commit() {
  return Publish(true);
}

int OutputFile::CommitNew() {
  return Publish(false);
}

int OutputFile::Publish(bool replace) {
  if (error_ != 0) return error_;
  if (fd_ < 0) return error_ = EBADF;
  int error = ::fsync(fd_) == 0 ? 0 : errno;
  // Some special file systems refuse fsync and still keep the bytes.
  if (error == EINVAL || error == EROFS) error = 0;
  if (::close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  if (error == 0 && KindOfFile(target_) == FileKind::kOther) error = kNotRegularFile;
  if (error == 0 && replace) {
    if (::rename(temporary_.c_str(), target_.c_str()) == 0) {
      temporary_.clear();  // it is the file now: nothing to remove
    } else {
      error = errno;
    }
  }
  if (error == 0 && !replace) error = LinkNew(temporary_, target_);
  Remove();  // the temporary name, unless renamed; after link() the file keeps its own name
  return error_ = error;
}

}  // namespace qorv
