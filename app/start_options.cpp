#include "app/start_options.h"

#include <array>
#include <filesystem>
#include <string_view>

#include "qorv/version.h"

namespace qorv::app {
namespace {

constexpr const char* kUsage =
    "Usage: quorvane [--chapter-folder] [-iconic] [FILE.qrv]\n"
    "Invents names in a window, from the seed names of a Chapter.\n"
    "\n"
    "  FILE.qrv          work in the folder of FILE and pick that Chapter\n"
    "  --chapter-folder  work in the user's Chapter folder ($XDG_DATA_HOME/quorvane)\n"
    "  -iconic           start minimised\n"
    "  --help            print this help and exit\n"
    "  --version         print the program's name and version and exit\n";

// The options QApplication takes itself; those in the first list take a value as the next
// argument (or after "=").
constexpr std::array kQtOptionsWithValue = {
    "-platform",       "-platformpluginpath", "-platformtheme", "-plugin",     "-qwindowgeometry",
    "-qwindowicon",    "-qwindowtitle",       "-style",         "-stylesheet", "-session",
    "-display",        "-geometry",           "-title",         "-name",       "-qmljsdebugger",
    "-windowgeometry",
};
constexpr std::array kQtFlags = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};

bool IsOneOf(std::string_view argument, const auto& options) {
  for (std::string_view option : options) {
    if (argument == option) return true;
  }
  return false;
}

// "-style" or "-style=fusion": whether it is a Qt option with a value, and whether the value
// is in the same argument.
bool IsQtOptionWithValue(std::string_view argument, bool* joined) {
  const std::size_t equals = argument.find('=');
  *joined = equals != std::string_view::npos;
  return IsOneOf(argument.substr(0, equals), kQtOptionsWithValue);
}

StartOptions ExitWith(int code, std::string output) {
  StartOptions options;
  options.Exit = true;
  options.ExitCode = code;
  options.Output = std::move(output);
  return options;
}

}  // namespace

StartOptions ParseStartOptions(int argc, const char* const* argv) {
  StartOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    bool joined = false;
    if (argument == "--help" || argument == "-h") return ExitWith(0, kUsage);
    if (argument == "--version") {
      return ExitWith(0, std::string("quorvane ") + kProgramVersion + " (" + kProgramName + ")\n");
    }
    if (argument == "--chapter-folder") {
      options.ChapterFolder = true;
    } else if (argument == "-iconic" || IsOneOf(argument, kQtFlags)) {
      // -iconic is the show command, read by RequestedShowCommand.
    } else if (IsQtOptionWithValue(argument, &joined)) {
      if (!joined) ++i;
    } else if (argument.size() > 1 && argument.front() == '-') {
      return ExitWith(kStartUsageExit, "quorvane: unknown option " + std::string(argument) +
                                           " (quorvane --help lists the options)\n");
    } else if (!options.StartChapter.empty()) {
      return ExitWith(kStartUsageExit, "quorvane: one Chapter at a time: " + std::string(argument) +
                                           " after " + options.StartChapter + "\n");
    } else {
      std::error_code error;
      const std::filesystem::path file = std::filesystem::absolute(argument, error);
      options.StartFolder = file.parent_path().string();
      options.StartChapter = file.filename().string();
    }
  }
  return options;
}

}  // namespace qorv::app
