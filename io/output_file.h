// An output file written whole or not at all: the bytes go to a temporary file beside the file,
// which takes the file's name only on Commit. Until then the old file stays as it was; a run
// that fails, or is ended by SIGINT, SIGTERM or SIGHUP (see temporary_files.h), leaves no
// temporary file behind.
//
// A path that is a link to a regular file is followed: the file it leads to is replaced, the
// link stays. A path that is, or leads to, anything but a regular file (a device, a FIFO, a
// folder) is refused with kNotRegularFile (regular_file.h) before anything is created.
// One object is used by one thread at a time.
#pragma once

#include <string>

namespace qorv {

class OutputFile {
 public:
  // Creates the temporary file; Error() tells whether that failed.
  explicit OutputFile(const std::string& path);
  // Removes the temporary file unless Commit has given it its name.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // 0; or the errno of the step that failed, or kNotRegularFile. Once set it stays.
  int Error() const { return error_; }

  // Where the bytes go until Commit: the temporary file, open for writing; -1 after a failure
  // or a commit.
  int Descriptor() const { return fd_; }

  // Flushes the temporary file to the disk, closes it and renames it over the file (keeping the
  // old file's permissions). Refuses, and removes the temporary file, when the path has become
  // something else than a regular file meanwhile. Returns 0 or the error.
  int Commit();

  // The same, but never over an existing file: one that is there (also one that appeared since)
  // refuses with EEXIST and stays untouched.
  int CommitNew();

 private:
  int Publish(bool replace);
  void Remove();

  std::string target_;     // the file the path leads to
  std::string temporary_;  // beside the target; empty once renamed or removed
  int fd_ = -1;
  int slot_ = -1;  // in the registry of temporary files
  int error_ = 0;
};

}  // namespace qorv
