#include "store/store_backup.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "io/file_bytes.h"
#include "io/temporary_files.h"

namespace qorv {
namespace {

// More numbered backups than anyone keeps; the search for a free number stops there.
constexpr int kMaxBackupNumber = 100000;

Error BackupError(int error) {
  return StoreFailure(kStoreBackupFileName, error);
}

// Up to `size` bytes of `fd` from `offset`; fewer at the end of the file. -1 on a failed read.
ssize_t ReadAt(int fd, char* into, std::size_t size, off_t offset) {
  for (;;) {
    const ssize_t n = ::pread(fd, into, size, offset);
    if (n >= 0 || errno != EINTR) return n;
  }
}

// Copies the first `size` bytes of `from` into `to` and waits until they are on disk.
Result<void> CopyStart(int from, off_t size, int to) {
  std::vector<char> buffer(64 * 1024);
  for (off_t offset = 0; offset < size;) {
    const auto wanted =
        static_cast<std::size_t>(std::min<off_t>(size - offset, static_cast<off_t>(buffer.size())));
    const ssize_t n = ReadAt(from, buffer.data(), wanted, offset);
    if (n < 0) return StoreFailure(kStoreFileName, errno);
    if (n == 0) break;  // the Store is shorter than it was
    if (const int error = WriteAll(to, std::string_view(buffer.data(), static_cast<size_t>(n)))) {
      return BackupError(error);
    }
    offset += n;
  }
  if (::fsync(to) != 0) return BackupError(errno);
  return {};
}

// Whether the regular file at `path` holds exactly what `fd` holds.
bool SameBytes(const std::string& path, int fd) {
  struct stat ours {};
  struct stat theirs {};
  const int other = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (other < 0) return false;
  bool same = ::fstat(other, &theirs) == 0 && ::fstat(fd, &ours) == 0 && S_ISREG(theirs.st_mode) &&
              theirs.st_size == ours.st_size;
  std::vector<char> a(64 * 1024), b(64 * 1024);
  for (off_t offset = 0; same && offset < ours.st_size;) {
    const ssize_t n = ReadAt(fd, a.data(), a.size(), offset);
    same = n > 0 && ReadAt(other, b.data(), static_cast<std::size_t>(n), offset) == n &&
           std::equal(a.begin(), a.begin() + n, b.begin());
    offset += n;
  }
  ::close(other);
  return same;
}

// Gives `from` the name `to` unless `to` exists. A link is moved as a link.
int RenameWithoutReplacing(const std::string& from, const std::string& to) {
  if (::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0) == 0) {
    return ::unlink(from.c_str()) == 0 ? 0 : errno;
  }
  if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP) return errno;
  // A file system without hard links: look, then rename.
  struct stat taken {};
  if (::lstat(to.c_str(), &taken) == 0) return EEXIST;
  if (errno != ENOENT) return errno;
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Moves an existing "STORED.bak" that differs from the new copy `fd` to the lowest free numbered
// name. A folder stays where it is (the rename onto it fails and says so).
int KeepOlderBackup(const std::string& directory, int fd) {
  const std::string backup = StorePath(directory, kStoreBackupFileName);
  struct stat older {};
  if (::lstat(backup.c_str(), &older) != 0) return errno == ENOENT ? 0 : errno;
  if (S_ISDIR(older.st_mode) || SameBytes(backup, fd)) return 0;
  for (int number = 1; number <= kMaxBackupNumber; ++number) {
    const int error =
        RenameWithoutReplacing(backup, StorePath(directory, NumberedBackupName(number)));
    if (error != EEXIST) return error;
  }
  return EEXIST;
}

// The renames are on disk before the Store is overwritten. Not every file system can sync a
// folder; the copy itself is synced already.
void SyncDirectory(const std::string& directory) {
  const int fd =
      ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  static_cast<void>(::fsync(fd));
  ::close(fd);
}

}  // namespace

std::string NumberedBackupName(int number) {
  return "STORED." + std::to_string(number) + ".bak";
}

Result<void> KeepBackup(int fd, off_t size, const std::string& directory) {
  std::string temporary = StorePath(directory, std::string(".") + kStoreBackupFileName + ".XXXXXX");
  const int copy = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (copy < 0) return BackupError(errno);
  // An interrupted run leaves no temporary file behind either.
  const int slot = RegisterTemporaryFile(temporary);
  // The copy may be read by whoever may read the Store.
  struct stat store {};
  if (::fstat(fd, &store) == 0) static_cast<void>(::fchmod(copy, store.st_mode & 0666));

  Result<void> kept = CopyStart(fd, size, copy);
  if (kept) {
    if (const int error = KeepOlderBackup(directory, copy)) kept = BackupError(error);
  }
  if (::close(copy) != 0 && kept) kept = BackupError(errno);
  if (kept &&
      ::rename(temporary.c_str(), StorePath(directory, kStoreBackupFileName).c_str()) != 0) {
    kept = BackupError(errno);
  }
  if (!kept) ::unlink(temporary.c_str());
  ForgetTemporaryFile(slot);
  if (!kept) return kept;
  SyncDirectory(directory);
  return {};
}

}  // namespace qorv
