// The show command the program was started with, and the one the main window is shown with.
#pragma once

namespace qorv::app {

enum class ShowCommand {
  kNormal,
  kHidden,
  kMinimized,            // minimised and activated
  kMinimizedNoActivate,  // minimised without activation
  kMaximized,
};

// Unless the program was started hidden or minimised without activation, its window opens as a
// plain normal window: a request to start maximised (or minimised and active) opens it normally.
constexpr ShowCommand MainWindowShowCommand(ShowCommand requested) {
  if (requested == ShowCommand::kHidden || requested == ShowCommand::kMinimizedNoActivate) {
    return requested;
  }
  return ShowCommand::kNormal;
}

}  // namespace qorv::app
