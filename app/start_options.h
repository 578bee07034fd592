// The desktop program's command line: what to do before any window exists.
//
//   quorvane [--chapter-folder] [-iconic] [FILE.qrv]
//   quorvane --help | --version
//
// The options of the Qt platform (-platform NAME, -style NAME, ...) are left to QApplication.
#pragma once

#include <string>

namespace qorv::app {

struct StartOptions {
  // Set when the program ends at once: ExitCode, with Output for standard output (0) or
  // standard error (2).
  bool Exit = false;
  int ExitCode = 0;
  std::string Output;
  bool ChapterFolder = false;  // --chapter-folder: work in the user's Chapter folder
  // FILE.qrv: work in the folder of the file (absolute) and pick the file (its name there).
  std::string StartFolder;
  std::string StartChapter;
};

inline constexpr int kStartUsageExit = 2;

StartOptions ParseStartOptions(int argc, const char* const* argv);

}  // namespace qorv::app
