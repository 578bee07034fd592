// The Store: "STORED.txt", the text file the user keeps names in.
//
// The file holds the header, then runs of names, each run opened by a dated title line:
//
//   header        "// The Quorvane Lexicon v2.1" CR LF
//                 "// Stored names will be appended to the end of this file." CR LF
//   title line    CR LF "[" title " - " date-time "]" CR LF
//   name line     name [" " underscores up to a line of 70 characters] CR LF
//
// Windows-1252 bytes, written raw. A file that does not begin with the header is never appended
// to: the next store empties it and starts again with the header. Clear Store writes the
// cleared-store marker over the header, so that the next store empties the file.
//
// Several writers, one Store: any number of processes (and StoreFile objects within one) may
// store into one directory at once. Every write (a name, or a title line with the name after
// it) is one append to the file in append mode under an exclusive flock(2) lock on it; the
// take-over of a file that is not a Store and Clear Store run under the same lock. A writer
// remembers in its StoreRun where the file ended after its own last write: when it finds the
// file grown (or replaced) since, another writer stored in between, and its next name starts a
// fresh dated title line. So no name is lost or fused, the header is written once, and every
// name stands under a title line of its own run. A run that stores no name writes no title line.
//
// Nothing the user kept is lost: before a store empties a non-empty file that begins with
// neither the header nor the marker (a file of someone else's), and before Clear Store marks a
// non-empty Store, the file (as long as it was when opened) is kept as "STORED.bak", older
// backups under numbered names (store/store_backup.h). Only regular files are written: a
// "STORED.txt" that is (or links to) a device, a FIFO or a folder is refused as "not a regular
// file".
//
// Failures are values: every operation returns a Result<void> (io/result.h) whose error names
// the file that could not be written (or read) and why, and writes nothing more once one has
// failed. Nothing here throws (apart
// from running out of memory).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "io/result.h"
#include "qorv/version.h"

namespace qorv {

inline constexpr const char* kStoreFileName = "STORED.txt";
inline constexpr const char* kStoreBackupFileName = "STORED.bak";
// What both programs tell the user when a store or Clear Store took over a foreign file.
inline constexpr const char* kForeignFileKept = "STORED.txt was not a Store: kept as STORED.bak";

// The header every Store begins with.
inline constexpr std::string_view kStoreHeader =
    "// " QORV_PROGRAM_NAME " v" QORV_VERSION
    "\r\n"
    "// Stored names will be appended to the end of this file.\r\n";
// Written over the header by Clear Store; the space before the CR is part of it.
inline constexpr std::string_view kClearedStoreMarker =
    "// " QORV_PROGRAM_NAME " v" QORV_VERSION
    "\r\n"
    "// This file will be cleared as the next name is stored. \r\n";
// The next store tells a Store from a cleared one by as many bytes as the header has.
static_assert(kStoreHeader.size() == kClearedStoreMarker.size());

// A title line holds at most this many bytes of the title.
inline constexpr std::size_t kStoreTitleMaxLength = 63;
// With a trailing line, names of up to 69 characters give lines of exactly this length.
inline constexpr std::size_t kTrailingLineLength = 70;

// The failure of a file of the Store: "STORED.txt: Permission denied". `file_name` is
// kStoreFileName or kStoreBackupFileName; `error` the errno of the call that failed, or
// kNotRegularFile (io/regular_file.h), told as "not a regular file".
Error StoreFailure(const char* file_name, int error);

// A local calendar date and time of day.
struct StoreDateTime {
  int Year = 1970;
  int Month = 1;   // 1 to 12
  int Day = 1;     // 1 to 31
  int Hour = 0;    // 0 to 23
  int Minute = 0;  // 0 to 59
  int Second = 0;  // 0 to 60
};

// Gives the date and time a title line is stamped with.
using StoreClock = std::function<StoreDateTime()>;

// The local date and time now.
StoreDateTime LocalStoreDateTime();

// "March 7, 1998 3:05:09 pm": the month's English name, the day without leading zero, the year,
// and the time on a 12-hour clock whose hours 0 to 12 are written as they are (a quarter past
// midnight is "0:15:00 am", noon "12:00:00 pm"). The same in every locale.
std::string FormatStoreDateTime(const StoreDateTime& when);

// `file_name` in `directory` ("." when empty).
std::string StorePath(const std::string& directory, std::string_view file_name);

// CR LF "[" title " - " date-time "]" CR LF, the title cut to kStoreTitleMaxLength bytes.
std::string StoreTitleLine(std::string_view title, const StoreDateTime& when);

// The name whole, then with `trailing_line` one space and underscores up to a line of
// kTrailingLineLength characters (none for a name of 69 or more), then CR LF.
std::string StoreNameLine(std::string_view name, bool trailing_line);

// What one writer keeps of its run of names from one store to the next.
struct StoreRun {
  // The current run of names already has its title line in the file. The owner clears it
  // whenever a new run must begin (at start-up, after a Chapter load, after ClearStore); a store
  // clears it when it had to start the file afresh or found that another writer stored since.
  bool TitleLineWritten = false;
  // The file and its size after this writer's last write; Size -1 before the first.
  unsigned long long Device = 0;
  unsigned long long Inode = 0;
  long long Size = -1;
};

// One store into the Store file of a directory: open, then the names one by one, then close (the
// destructor closes too). The first name of a run goes with the run's dated title line.
//
// The StoreRun passed to Open must outlive the store. Not thread-safe; one StoreFile per store.
//
// Each operation returns the store's first failure so far. After a failure the file is closed
// and nothing more is written; a write that failed part way is cut off again, so that the file
// ends with the last line written whole.
class StoreFile {
 public:
  // `directory` holds "STORED.txt" (and "STORED.bak"); `clock` stamps the title lines.
  explicit StoreFile(std::string directory = ".", StoreClock clock = &LocalStoreDateTime);
  ~StoreFile();
  StoreFile(const StoreFile&) = delete;
  StoreFile& operator=(const StoreFile&) = delete;
  // The open file and the failure go with the move.
  StoreFile(StoreFile&& other) noexcept;

  // Opens "STORED.txt" in append mode, creating it, and readies it for names of the run `run`
  // titled `title`: a file that begins with the header is left as it is; any other is emptied
  // and given the header, and `run.TitleLineWritten` is cleared. Before it empties a non-empty
  // file that begins with neither the header nor the cleared-store marker, it keeps the file as
  // "STORED.bak" (KeptForeignFile() tells); if that backup cannot be made, the file is left
  // untouched and this store writes nothing (the failure names "STORED.bak").
  Result<void> Open(std::string_view title, StoreRun& run);

  // Appends one name line, after the dated title line when the run needs one. The file is
  // readied again first, as Open does, should another writer have cleared or replaced it.
  Result<void> WriteName(std::string_view name, bool trailing_line);

  // Closes the file (a failing close is a failure too).
  Result<void> Close();

  // Whether names written now reach the file.
  bool IsOpen() const { return fd_ >= 0; }
  // Success, or the first failure of this store.
  const Result<void>& Error() const { return error_; }
  // Whether this store kept a foreign "STORED.txt" as "STORED.bak" before starting it afresh.
  bool KeptForeignFile() const { return kept_foreign_file_; }

 private:
  bool Ready();
  bool StartAfresh(const std::string& start, long long size);
  bool Append(const std::string& bytes);
  void Remember();
  bool Fail(const char* file_name, int error);
  bool Fail(qorv::Error error);

  std::string directory_;
  StoreClock clock_;
  std::string title_;
  StoreRun* run_ = nullptr;
  int fd_ = -1;
  Result<void> error_;
  bool kept_foreign_file_ = false;
};

// Writes the cleared-store marker over the start of "STORED.txt" in `directory` (creating the
// file), without shortening it, under the Store's lock. A non-empty file that does not already
// begin with the marker is first kept as "STORED.bak" (older backups under numbered names), so
// that a Clear Store can be undone by hand; when that backup cannot be made, the file is left
// untouched. `kept_foreign_file`, when given, tells whether the file kept was not a Store. The
// caller clears its run's TitleLineWritten when this succeeds.
Result<void> ClearStore(const std::string& directory = ".", bool* kept_foreign_file = nullptr);

}  // namespace qorv
