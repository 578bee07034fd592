// The bytes of a Chapter file as the loader reads them.
#pragma once

#include <string>

#include "io/file_bytes.h"

namespace qorv {

// At most one byte more than a Chapter may hold, so that a larger file is known to be too large
// without reading all of it. `Error` is set when the file cannot be opened or read (a folder,
// for one, opens but cannot be read).
// Files, pipes and devices alike: /dev/zero or a FIFO that is fed forever is read only that far.
FileBytes ReadChapterFile(const std::string& path);

// The same from an open descriptor (standard input), from where it stands; `fd` stays open.
FileBytes ReadChapterDescriptor(int fd);

}  // namespace qorv
