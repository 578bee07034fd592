#include "store/store_file.h"

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

#include <array>
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

// Up to `size` bytes from the start of the file (fewer when it is shorter or unreadable).
std::string ReadStart(int fd, std::size_t size) {
  std::string bytes(size, '\0');
  std::size_t got = 0;
  while (got < size) {
    const ssize_t n = ::pread(fd, bytes.data() + got, size - got, static_cast<off_t>(got));
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

// Copies the whole Store to "STORED.bak", replacing an older copy, and waits until the copy is
// on disk, as the Store is overwritten right after.
bool CopyToBackup(int fd, const std::string& directory) {
  const int backup = ::open(PathIn(directory, kStoreBackupFileName).c_str(),
                            O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (backup < 0) return false;
  std::string buffer(64 * 1024, '\0');
  off_t offset = 0;
  bool copied = true;
  for (;;) {
    const ssize_t n = ::pread(fd, buffer.data(), buffer.size(), offset);
    if (n == 0) break;
    if (n < 0 ||
        WriteAll(backup, std::string_view(buffer.data(), static_cast<std::size_t>(n))) != 0) {
      copied = false;
      break;
    }
    offset += n;
  }
  copied = copied && ::fsync(backup) == 0;
  return ::close(backup) == 0 && copied;
}

}  // namespace

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
    : directory_(std::move(other.directory_)), clock_(std::move(other.clock_)), fd_(other.fd_) {
  other.fd_ = -1;
}

StoreFile::~StoreFile() {
  Close();
}

void StoreFile::Open(bool& title_line_written) {
  Close();
  fd_ = ::open(PathIn(directory_, kStoreFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (IsOpen() && ReadStart(fd_, kStoreHeader.size()) == kStoreHeader) {
    ::lseek(fd_, 0, SEEK_END);
    return;
  }
  // A new, empty, cleared or foreign file (or none at all): the run starts again.
  title_line_written = false;
  if (IsOpen() && !StartAfresh()) Close();
}

// Empties the file and writes the header, keeping a foreign file in "STORED.bak" first.
// Returns false when the file must stay as it is.
bool StoreFile::StartAfresh() {
  const std::string start = ReadStart(fd_, kClearedStoreMarker.size());
  const bool foreign = !start.empty() && start != kClearedStoreMarker;
  if (foreign && !BackUp()) return false;
  if (::ftruncate(fd_, 0) != 0) return false;
  ::lseek(fd_, 0, SEEK_SET);
  WriteAll(kStoreHeader);
  return true;
}

bool StoreFile::BackUp() const {
  return CopyToBackup(fd_, directory_);
}

void StoreFile::WriteTitleLine(std::string_view title, bool& title_line_written) {
  if (title_line_written) return;
  WriteAll(StoreTitleLine(title, clock_ ? clock_() : LocalStoreDateTime()));
  title_line_written = true;
}

void StoreFile::WriteName(std::string_view name, bool trailing_line) {
  WriteAll(StoreNameLine(name, trailing_line));
}

void StoreFile::Close() {
  if (!IsOpen()) return;
  ::close(fd_);
  fd_ = -1;
}

void StoreFile::WriteAll(std::string_view bytes) {
  if (IsOpen()) qorv::WriteAll(fd_, bytes);
}

void ClearStore(const std::string& directory) {
  const int fd =
      ::open(PathIn(directory, kStoreFileName).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  // The marker overwrites the start of the file, and the next store empties it: a file that is
  // not a Store is kept in "STORED.bak" first, or left alone when it cannot be.
  const std::string start = ReadStart(fd, kStoreHeader.size());
  const bool foreign = !start.empty() && start != kStoreHeader && start != kClearedStoreMarker;
  if (!foreign || CopyToBackup(fd, directory)) {
    ::lseek(fd, 0, SEEK_SET);
    WriteAll(fd, kClearedStoreMarker);
  }
  ::close(fd);
}

}  // namespace qorv
