// Where `qorv generate` writes its names: standard output (no -o, or -o -), or the file of -o,
// which is written to a temporary file beside it and takes its name only when the run keeps it.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "cli/standard_output.h"
#include "io/output_file.h"

namespace qorv {

class NameOutput {
 public:
  // `path`: empty or "-" for `out`, else the file (links to a regular file followed).
  NameOutput(std::ostream& out, const std::string& path);

  std::ostream& Stream() { return *stream_; }
  bool IsStandardOutput() const { return !file_; }
  const std::string& Name() const { return path_; }

  // 0; or the errno of the write that failed, or kNotRegularFile (io/regular_file.h).
  int Error();

  // Flushes the names; with `keep` the file takes its name (replacing the old file), without it
  // the temporary file is removed and the old file stays as it was. Returns Error().
  int Finish(bool keep);

 private:
  std::string path_;
  std::optional<OutputFile> file_;
  std::unique_ptr<DescriptorOutputBuffer> buffer_;
  std::unique_ptr<std::ostream> file_stream_;
  std::ostream* stream_ = nullptr;
  int error_ = 0;
};

}  // namespace qorv
