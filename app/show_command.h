// How the main window is first shown.
#pragma once

namespace qorv::app {

// Normally, or minimised without activation when the program was started with "-iconic" (the X
// way to ask for it). Every other start, a request to start maximised included, opens a plain
// normal window: the window has a fixed size.
enum class ShowCommand {
  kNormal,
  kMinimizedNoActivate,
};

}  // namespace qorv::app
