// Files as raw bytes: a whole file read into memory, and writes that never stop half way.
//
// No line-end translation, no exceptions; a failure is the errno value of the call that failed.
// Safe from any thread (nothing is shared).
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace qorv {

struct FileBytes {
  std::string Bytes;  // what was read before any failure
  int Error = 0;      // 0, or the errno of the open or read that failed (EISDIR for a folder)
};

// Reads `path` up to its end, or until `max_bytes` bytes are in. Pipes and other files without a
// size are read to their end too.
FileBytes ReadFileBytes(const std::string& path,
                        std::size_t max_bytes = std::numeric_limits<std::size_t>::max());

// The same from an open descriptor (standard input, say), from where it stands; `fd` stays open.
FileBytes ReadDescriptorBytes(int fd,
                              std::size_t max_bytes = std::numeric_limits<std::size_t>::max());

// Opens `path` for appending, creating it when missing and never shortening it, and closes it
// again: whether a log can be written there. Returns 0, or the errno of the open, or
// kNotRegularFile (regular_file.h) for anything but a regular file, which is never written.
int CheckAppendable(const std::string& path);

// Writes every byte of `bytes` at the file position of `fd`, retrying short writes and
// interrupted calls. Returns 0, or the errno of the write that failed.
int WriteAll(int fd, std::string_view bytes);

}  // namespace qorv
