// The bytes of a Chapter file as the loader reads them.
#pragma once

#include <string>

#include "io/file_bytes.h"

namespace qorv {

// At most one byte more than a Chapter may hold, so that a larger file is known to be too large
// without reading all of it. `Error` is set when the file cannot be opened or read (a folder,
// for one, opens but cannot be read).
FileBytes ReadChapterFile(const std::string& path);

}  // namespace qorv
