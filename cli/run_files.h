// The files one run of a command reads and writes, checked before anything is written: no two
// of them may be the same file, and no output may lead to anything but a regular file.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace qorv {

// The path that stands for standard input or standard output.
inline constexpr const char* kStandardStreamArgument = "-";

// The path by which a run's standard input is compared with its other files ("-" stands for
// it): a Chapter redirected from a file is that file.
inline constexpr const char* kStandardInputPath = "/dev/stdin";

struct RunFile {
  std::string Role;     // how a message names it: "the Chapter", "--log", "-o", ...
  std::string Path;     // as given; empty (not used) or "-" (a standard stream) is not checked
  bool Output = false;  // written by the run: refused unless missing or a regular file
};

// "ROLE PATH and ROLE PATH are the same file" for the first two of `files` that are the same
// file (same path, a link or a hard link); empty when no two are.
std::string SameFileProblem(const std::vector<RunFile>& files);

// Refuses a run whose files are not safe to write, telling `err` why in one line:
//   kExitUsage when two of `files` are the same file ("qorv: ... are the same file");
//   kExitOutputNotWritten when an output leads to a device, FIFO, folder or socket
//     ("qorv: PATH: not a regular file").
// Returns 0 when the run may go on.
int CheckRunFiles(const std::vector<RunFile>& files, std::ostream& err);

}  // namespace qorv
