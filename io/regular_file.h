// Whether a path may be written as a regular file, and where a write through it lands.
//
// A user's link to a regular file is followed; a path that is, or leads to, a device, a FIFO, a
// folder or a socket is never written. Standard library and POSIX; nothing is shared, so every
// function is safe from any thread.
#pragma once

#include <string>

namespace qorv {

// The error value of a path that is not a regular file, beside the errno values (all positive)
// that the functions here and in output_file.h report; FileErrorText gives its text.
inline constexpr int kNotRegularFile = -1;

// The reason an error value is reported with, as in "qorv: FILE: REASON": the system's text for
// an errno value, "not a regular file" for kNotRegularFile.
std::string FileErrorText(int error);

enum class FileKind {
  kMissing,  // nothing there yet (or a link to nothing): a write creates a regular file
  kRegular,  // a regular file, or a link to one
  kOther,    // a device, FIFO, folder or socket, or a link to one: never written
};

// What stands at `path`, links followed.
FileKind KindOfFile(const std::string& path);

// Whether a write may go to `path`: nothing stands there yet, or a regular file does.
inline bool MayWriteAsRegularFile(const std::string& path) {
  return KindOfFile(path) != FileKind::kOther;
}

// The path a write to `path` lands on: `path` itself, or, when it is a link (or a chain of
// links), the file the last link names, relative links taken from their own folder. A link to
// nothing gives the path it would create. A loop of links gives `path` itself.
std::string FollowLinks(const std::string& path);

// Opens `path` with `flags` (O_WRONLY, O_RDWR, O_CREAT, O_APPEND ...; O_CLOEXEC is added) and
// `mode`, refusing anything but a regular file: a FIFO is opened without waiting for a reader,
// and a device, FIFO or folder is closed again at once without a byte written. Returns the
// descriptor, or -1 with `*error` the errno of the open or kNotRegularFile.
int OpenRegularFile(const std::string& path, int flags, int mode, int* error);

}  // namespace qorv
