#include "store/store_file.h"

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>

#include "io/file_bytes.h"

namespace qorv {
namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

std::string PathIn(const std::string& directory, const char* file_name) {
  std::string path = directory.empty() ? std::string(".") : directory;
  if (path.back() != '/') path.push_back('/');
  return path + file_name;
}

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

// Copies the whole Store to "STORED.bak", replacing an older copy, and waits until the copy is
// on disk, as the Store is overwritten right after.
StoreResult CopyToBackup(int fd, const std::string& directory) {
  const int backup = ::open(PathIn(directory, kStoreBackupFileName).c_str(),
                            O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (backup < 0) return StoreError{kStoreBackupFileName, errno};
  std::string buffer(64 * 1024, '\0');
  off_t offset = 0;
  StoreResult failure;
  while (!failure) {
    const ssize_t n = ::pread(fd, buffer.data(), buffer.size(), offset);
    if (n == 0) break;
    if (n < 0) {
      if (errno != EINTR) failure = StoreError{kStoreFileName, errno};
      continue;
    }
    if (const int error =
            WriteAll(backup, std::string_view(buffer.data(), static_cast<std::size_t>(n)))) {
      failure = StoreError{kStoreBackupFileName, error};
    }
    offset += n;
  }
  if (!failure && ::fsync(backup) != 0) failure = StoreError{kStoreBackupFileName, errno};
  if (::close(backup) != 0 && !failure) failure = StoreError{kStoreBackupFileName, errno};
  return failure;
}

}  // namespace

std::string StoreError::Reason() const {
  return std::strerror(Errno);
}

std::string StoreError::Text() const {
  return std::string(FileName) + ": " + Reason();
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
      fd_(other.fd_),
      error_(std::move(other.error_)) {
  other.fd_ = -1;
}

StoreFile::~StoreFile() {
  Close();
}

StoreResult StoreFile::Open(bool& title_line_written) {
  Close();
  error_.reset();
  fd_ = ::open(PathIn(directory_, kStoreFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (!IsOpen()) {
    title_line_written = false;
    Fail(kStoreFileName, errno);
    return error_;
  }
  int read_error = 0;
  if (ReadStart(fd_, kStoreHeader.size(), read_error) == kStoreHeader) {
    ::lseek(fd_, 0, SEEK_END);
    return error_;
  }
  // A new, empty, cleared or foreign file: the run starts again.
  title_line_written = false;
  if (read_error != 0) {
    Fail(kStoreFileName, read_error);
  } else {
    StartAfresh();
  }
  return error_;
}

// Empties the file and writes the header, keeping a foreign file in "STORED.bak" first.
// Returns false (with the failure recorded) when the file must stay as it is.
bool StoreFile::StartAfresh() {
  int read_error = 0;
  const std::string start = ReadStart(fd_, kClearedStoreMarker.size(), read_error);
  if (read_error != 0) return Fail(kStoreFileName, read_error);
  const bool foreign = !start.empty() && start != kClearedStoreMarker;
  if (foreign) {
    if (const StoreResult backup = CopyToBackup(fd_, directory_)) {
      return Fail(backup->FileName, backup->Errno);
    }
  }
  if (::ftruncate(fd_, 0) != 0) return Fail(kStoreFileName, errno);
  ::lseek(fd_, 0, SEEK_SET);
  WriteAll(kStoreHeader);
  return IsOpen();
}

StoreResult StoreFile::WriteTitleLine(std::string_view title, bool& title_line_written) {
  if (title_line_written || !IsOpen()) return error_;
  WriteAll(StoreTitleLine(title, clock_ ? clock_() : LocalStoreDateTime()));
  if (IsOpen()) title_line_written = true;
  return error_;
}

StoreResult StoreFile::WriteName(std::string_view name, bool trailing_line) {
  WriteAll(StoreNameLine(name, trailing_line));
  return error_;
}

StoreResult StoreFile::Close() {
  if (IsOpen()) {
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0) Fail(kStoreFileName, errno);
  }
  return error_;
}

// Records the first failure and closes the file, so that nothing more is written.
bool StoreFile::Fail(const char* file_name, int error) {
  if (!error_) error_ = StoreError{file_name, error};
  if (IsOpen()) {
    ::close(fd_);
    fd_ = -1;
  }
  return false;
}

// A write that fails part way is cut off again: the file keeps only whole lines.
void StoreFile::WriteAll(std::string_view bytes) {
  if (!IsOpen()) return;
  const off_t start = ::lseek(fd_, 0, SEEK_CUR);
  if (const int error = qorv::WriteAll(fd_, bytes)) {
    // Cutting back may fail as well; the failed write is the failure to report.
    if (start >= 0) static_cast<void>(::ftruncate(fd_, start) == 0);
    Fail(kStoreFileName, error);
  }
}

StoreResult ClearStore(const std::string& directory) {
  const int fd =
      ::open(PathIn(directory, kStoreFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return StoreError{kStoreFileName, errno};
  // The marker overwrites the start of the file, and the next store empties it: what the file
  // holds now is kept in "STORED.bak" first, or the file is left alone when it cannot be. A file
  // that already begins with the marker keeps the backup of its first Clear Store.
  int read_error = 0;
  const std::string start = ReadStart(fd, kClearedStoreMarker.size(), read_error);
  StoreResult failure;
  if (read_error != 0) {
    failure = StoreError{kStoreFileName, read_error};
  } else if (!start.empty() && start != kClearedStoreMarker) {
    failure = CopyToBackup(fd, directory);
  }
  if (!failure) {
    ::lseek(fd, 0, SEEK_SET);
    if (const int error = WriteAll(fd, kClearedStoreMarker)) {
      failure = StoreError{kStoreFileName, error};
    }
  }
  if (::close(fd) != 0 && !failure) failure = StoreError{kStoreFileName, errno};
  return failure;
}

}  // namespace qorv
