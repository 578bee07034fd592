// The dialog's command table: which handler answers which notification of which control. Held as
// data and wired once when the dialog is set up.
#pragma once

#include <span>

class TQorvDlgClient;

namespace qorv::app {

enum class Notification {
  kClicked,           // a button was pressed (or the dialog's default or cancel command ran)
  kSelectionChanged,  // the user picked an entry of a combo box
  kScrolled,          // any scroll action of a scroll bar
  kLostFocus,         // an edit field lost the keyboard focus
};

struct Command {
  int ControlId;
  Notification Event;
  void (TQorvDlgClient::*Handler)();
};

std::span<const Command> CommandTable();

// The handler for a control's notification, or nullptr when the table has none.
void (TQorvDlgClient::*FindHandler(int control_id, Notification event))();

}  // namespace qorv::app
