// The dialog's keyboard shortcuts for its glyph buttons, and the accessible name and tooltip each
// glyph button has: one table, read by the dialog, its tests and (by hand) the help's keys topic.
//
// The keys keep clear of the labels' mnemonics (Alt+C, Alt+I, Alt+G, Alt+V, Alt+P, Alt+T, Alt+A),
// of Enter, Escape and F1, and of the editing keys of the Page Size field.
#pragma once

#include <array>

#include "app/control_ids.h"
#include "app/dialog_texts.h"

namespace qorv::app {

struct ButtonShortcut {
  int Id;
  const char* Keys;  // in QKeySequence's portable text form; "" for a button without one
  const char* Hint;  // the button's hint text: its accessible name and tooltip
};

inline constexpr std::array kButtonShortcuts = {
    ButtonShortcut{kIdGenerateNext, "", kHintGenerateNext},  // Enter
    ButtonShortcut{kIdStoreName, "Ctrl+S", kHintStoreName},
    ButtonShortcut{kIdStorePage, "Ctrl+Shift+S", kHintStorePage},  // the page size follows
    ButtonShortcut{kIdClearStore, "Ctrl+Shift+Del", kHintClearStore},
    ButtonShortcut{kIdViewStore, "Ctrl+R", kHintViewStore},
    ButtonShortcut{kIdHelp, "", kHintHelp},  // F1
    ButtonShortcut{kIdOptions, "Ctrl+O", kHintOptions},
    ButtonShortcut{kIdViewLog, "Ctrl+L", kHintViewLog},
};

// Copies the name on display to the clipboard; the name display's context menu offers the same.
inline constexpr const char* kCopyNameKeys = "Ctrl+C";
inline constexpr const char* kCopyMenuText = "&Copy";

}  // namespace qorv::app
