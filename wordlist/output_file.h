// Writing a file whole: the bytes go to a temporary file beside it, which then takes its name, so
// that the file is either as before or complete (io/output_file.h). Standard library and POSIX.
#pragma once

#include <string>
#include <string_view>

namespace qorv {

struct OutputResult {
  bool Exists = false;  // the file was there and `replace` was not given; nothing was written
  // errno of the step that failed, or kNotRegularFile (io/regular_file.h); 0 when written
  int Error = 0;
};

// Writes `bytes` to `path`. Without `replace`, an existing file is left alone (also one that
// appears while the bytes are written). With `replace`, a link to a regular file is followed and
// that file replaced, keeping its permissions; a path that leads to anything but a regular file
// (a device, a FIFO, a folder) is refused with kNotRegularFile. A new file gets the permissions a
// newly created file gets (0666 less the umask).
OutputResult WriteWholeFile(const std::string& path, std::string_view bytes, bool replace);

// Whether something (a file, a folder) stands at `path`.
bool PathExists(const std::string& path);

}  // namespace qorv
