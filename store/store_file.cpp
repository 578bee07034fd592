#include "store/store_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <ctime>
#include <string>

#include "io/file_bytes.h"
#include "io/regular_file.h"
#include "store/store_backup.h"

namespace qorv {
namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

std::string TwoDigits(int value) {
  return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

// Up to `size` bytes from the start of the file (fewer when it is shorter); `error` is the errno
// of a read that failed.
std::string ReadStart(int fd, std::size_t size, int& error) {
  std::string bytes(size, '\0');
  std::size_t got = 0;
  error = 0;
  while (got < size) {
    const ssize_t n = ::pread(fd, bytes.data() + got, size - got, static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) error = errno;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

// Opens `path` with `flags`, creating it, only when it is a regular file or a link to one: a
// device, a FIFO or a folder is refused without a byte written or read.
int OpenStoreFile(const std::string& path, int flags, int& error) {
  return OpenRegularFile(path, flags | O_CREAT, 0644, &error);
}

// The Store's exclusive lock, held for one write; flock(2) locks conflict between processes and
// between the descriptors of one process alike. `fd` is watched, not owned: a store that fails
// under the lock closes it (which drops the lock) and sets it to -1.
class StoreLock {
 public:
  explicit StoreLock(const int& fd) : fd_(fd) {
    while (::flock(fd_, LOCK_EX) != 0) {
      if (errno == EINTR) continue;
      error_ = errno;
      break;
    }
  }
  ~StoreLock() {
    if (error_ == 0 && fd_ >= 0) ::flock(fd_, LOCK_UN);
  }
  StoreLock(const StoreLock&) = delete;
  StoreLock& operator=(const StoreLock&) = delete;
  // 0, or the errno of the lock that could not be taken.
  int Error() const { return error_; }

 private:
  const int& fd_;
  int error_ = 0;
};

// Turns append mode on or off: the take-over writes over the start of the file.
int SetAppend(int fd, bool on) {
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0) return errno;
  return ::fcntl(fd, F_SETFL, on ? flags | O_APPEND : flags & ~O_APPEND) == 0 ? 0 : errno;
}

// Writes `bytes` over the start of the file (not in append mode), then cuts it to their length
// when `cut` is set. If either fails, `old_start` and `old_size` are put back, so that the file
// is its old self rather than a mix; the failure's errno is returned.
int OverwriteStart(int fd, std::string_view bytes, bool cut, const std::string& old_start,
                   off_t old_size) {
  int error = ::lseek(fd, 0, SEEK_SET) < 0 ? errno : WriteAll(fd, bytes);
  if (error == 0 && cut && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0) error = errno;
  if (error != 0) {
    // Both go within the bytes the file had: they need no room on the disk.
    if (::lseek(fd, 0, SEEK_SET) == 0) static_cast<void>(WriteAll(fd, old_start));
    static_cast<void>(::ftruncate(fd, old_size) == 0);
  }
  return error;
}

// What a store or Clear Store finds at the start of the file.
enum class StoreStart { kStore, kCleared, kEmpty, kForeign };

StoreStart Classify(const std::string& start) {
  if (start == kStoreHeader) return StoreStart::kStore;
  if (start == kClearedStoreMarker) return StoreStart::kCleared;
  return start.empty() ? StoreStart::kEmpty : StoreStart::kForeign;
}

// Clear Store under the lock: the backup, then the marker.
Result<void> MarkCleared(int fd, const std::string& directory, bool* kept_foreign_file) {
  struct stat now {};
  if (::fstat(fd, &now) != 0) return StoreFailure(kStoreFileName, errno);
  int read_error = 0;
  const std::string start = ReadStart(fd, kClearedStoreMarker.size(), read_error);
  if (read_error != 0) return StoreFailure(kStoreFileName, read_error);
  const StoreStart found = Classify(start);
  // A file that already begins with the marker keeps the backup of its first Clear Store.
  if (found == StoreStart::kStore || found == StoreStart::kForeign) {
    if (Result<void> backup = KeepBackup(fd, now.st_size, directory); !backup) return backup;
  }
  if (kept_foreign_file != nullptr) *kept_foreign_file = found == StoreStart::kForeign;
  if (const int error = OverwriteStart(fd, kClearedStoreMarker, false, start, now.st_size)) {
    return StoreFailure(kStoreFileName, error);
  }
  return {};
}

}  // namespace

Error StoreFailure(const char* file_name, int error) {
  return Error{std::string(file_name) + ": " + FileErrorText(error)};
}

StoreDateTime LocalStoreDateTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (::localtime_r(&now, &local) == nullptr) return {};
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string FormatStoreDateTime(const StoreDateTime& when) {
  const int month = when.Month >= 1 && when.Month <= 12 ? when.Month : 1;
  const int hour = when.Hour > 12 ? when.Hour - 12 : when.Hour;
  return std::string(kMonthNames[static_cast<std::size_t>(month - 1)]) + " " +
         std::to_string(when.Day) + ", " + std::to_string(when.Year) + " " + std::to_string(hour) +
         ":" + TwoDigits(when.Minute) + ":" + TwoDigits(when.Second) +
         (when.Hour < 12 ? " am" : " pm");
}

std::string StorePath(const std::string& directory, std::string_view file_name) {
  std::string path = directory.empty() ? std::string(".") : directory;
  if (path.back() != '/') path.push_back('/');
  return path.append(file_name);
}

std::string StoreTitleLine(std::string_view title, const StoreDateTime& when) {
  return "\r\n[" + std::string(title.substr(0, kStoreTitleMaxLength)) + " - " +
         FormatStoreDateTime(when) + "]\r\n";
}

std::string StoreNameLine(std::string_view name, bool trailing_line) {
  std::string line(name);
  if (trailing_line) {
    line.push_back(' ');
    if (name.size() < kTrailingLineLength - 1) {
      line.append(kTrailingLineLength - 1 - name.size(), '_');
    }
  }
  line += "\r\n";
  return line;
}

StoreFile::StoreFile(std::string directory, StoreClock clock)
    : directory_(std::move(directory)), clock_(std::move(clock)) {}

StoreFile::StoreFile(StoreFile&& other) noexcept
    : directory_(std::move(other.directory_)),
      clock_(std::move(other.clock_)),
      title_(std::move(other.title_)),
      run_(other.run_),
      fd_(other.fd_),
      error_(std::move(other.error_)),
      kept_foreign_file_(other.kept_foreign_file_) {
  other.fd_ = -1;
}

StoreFile::~StoreFile() {
  Close();
}

Result<void> StoreFile::Open(std::string_view title, StoreRun& run) {
  Close();
  error_ = {};
  kept_foreign_file_ = false;
  title_ = std::string(title);
  run_ = &run;
  int error = 0;
  fd_ = OpenStoreFile(StorePath(directory_, kStoreFileName), O_RDWR | O_APPEND, error);
  if (!IsOpen()) {
    run.TitleLineWritten = false;
    Fail(kStoreFileName, error);
    return error_;
  }
  const StoreLock lock(fd_);
  if (lock.Error() != 0) {
    Fail(kStoreFileName, lock.Error());
  } else {
    Ready();
  }
  return error_;
}

// Under the lock: a file that no longer begins with the header (new, emptied, cleared or
// foreign) starts afresh; one that another writer has grown or replaced since this run's last
// write needs a fresh title line before the next name.
bool StoreFile::Ready() {
  struct stat now {};
  if (::fstat(fd_, &now) != 0) return Fail(kStoreFileName, errno);
  int read_error = 0;
  const std::string start = ReadStart(fd_, kStoreHeader.size(), read_error);
  if (read_error != 0) return Fail(kStoreFileName, read_error);
  if (Classify(start) != StoreStart::kStore) return StartAfresh(start, now.st_size);
  const bool as_left = run_->Device == static_cast<unsigned long long>(now.st_dev) &&
                       run_->Inode == static_cast<unsigned long long>(now.st_ino) &&
                       run_->Size == static_cast<long long>(now.st_size);
  if (!as_left) run_->TitleLineWritten = false;
  return true;
}

// Empties the file and writes the header, keeping a foreign file as "STORED.bak" first.
// Returns false (with the failure recorded) when the file must stay as it is.
bool StoreFile::StartAfresh(const std::string& start, long long size) {
  run_->TitleLineWritten = false;
  if (Classify(start) == StoreStart::kForeign) {
    if (Result<void> backup = KeepBackup(fd_, static_cast<off_t>(size), directory_); !backup) {
      return Fail(backup.error());
    }
    kept_foreign_file_ = true;
  }
  if (const int error = SetAppend(fd_, false)) return Fail(kStoreFileName, error);
  const int error = OverwriteStart(fd_, kStoreHeader, true, start, static_cast<off_t>(size));
  if (const int append_error = SetAppend(fd_, true); append_error != 0 && error == 0) {
    return Fail(kStoreFileName, append_error);
  }
  if (error != 0) return Fail(kStoreFileName, error);
  Remember();
  return true;
}

Result<void> StoreFile::WriteName(std::string_view name, bool trailing_line) {
  if (!IsOpen()) return error_;
  const StoreLock lock(fd_);
  if (lock.Error() != 0) {
    Fail(kStoreFileName, lock.Error());
    return error_;
  }
  if (!Ready()) return error_;
  std::string bytes;
  if (!run_->TitleLineWritten) {
    bytes = StoreTitleLine(title_, clock_ ? clock_() : LocalStoreDateTime());
  }
  bytes += StoreNameLine(name, trailing_line);
  if (Append(bytes)) {
    run_->TitleLineWritten = true;
    Remember();
  }
  return error_;
}

Result<void> StoreFile::Close() {
  if (IsOpen()) {
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) Fail(kStoreFileName, errno);
  }
  return error_;
}

// Records the first failure and closes the file, so that nothing more is written.
bool StoreFile::Fail(const char* file_name, int error) {
  return Fail(StoreFailure(file_name, error));
}

bool StoreFile::Fail(qorv::Error error) {
  if (error_) error_ = std::move(error);
  if (IsOpen()) {
    ::close(fd_);
    fd_ = -1;
  }
  return false;
}

// One append under the lock; one that fails part way is cut off again, so that the file keeps
// only whole lines.
bool StoreFile::Append(const std::string& bytes) {
  const off_t end = ::lseek(fd_, 0, SEEK_END);
  if (const int error = qorv::WriteAll(fd_, bytes)) {
    // Cutting back may fail as well; the failed write is the failure to report.
    if (end >= 0) static_cast<void>(::ftruncate(fd_, end) == 0);
    return Fail(kStoreFileName, error);
  }
  return true;
}

// Where this writer left the file, so that the next store sees whether another wrote since.
void StoreFile::Remember() {
  struct stat now {};
  if (::fstat(fd_, &now) != 0) {
    run_->Size = -1;
    return;
  }
  run_->Device = static_cast<unsigned long long>(now.st_dev);
  run_->Inode = static_cast<unsigned long long>(now.st_ino);
  run_->Size = static_cast<long long>(now.st_size);
}

Result<void> ClearStore(const std::string& directory, bool* kept_foreign_file) {
  if (kept_foreign_file != nullptr) *kept_foreign_file = false;
  int error = 0;
  const int fd = OpenStoreFile(StorePath(directory, kStoreFileName), O_RDWR, error);
  if (fd < 0) return StoreFailure(kStoreFileName, error);
  Result<void> cleared;
  {
    const StoreLock lock(fd);
    cleared = lock.Error() != 0 ? StoreFailure(kStoreFileName, lock.Error())
                                : MarkCleared(fd, directory, kept_foreign_file);
  }
  if (::close(fd) != 0 && cleared) cleared = StoreFailure(kStoreFileName, errno);
  return cleared;
}

}  // namespace qorv
