// The client dialog's template, dialog 2000, held as data: every control with its id, kind, label,
// rectangle in dialog units and style, in template order (which is also the tab order).
//
// Dialog units come from the dialog font: a horizontal unit is a quarter of the font's average
// character width, a vertical unit an eighth of its height.
#pragma once

#include <QFont>
#include <QRect>
#include <span>

namespace qorv::app {

enum class ControlKind {
  kLabel,        // static text, possibly with a mnemonic for the next control
  kEtchedFrame,  // static etched frame
  kStatic,       // static text written by the program (name display, status, hint, markers)
  kComboBox,     // drop-down list
  kGlyphButton,  // bitmap push button
  kScrollBar,    // horizontal scroll bar
  kProgressGauge,
  kGroupBox,
  kRadioButton,
  kCheckBox,
  kEdit,
};

// Style bits of a control: how it groups, navigates, aligns and behaves.
enum ControlStyle : unsigned {
  kStyleNone = 0,
  kGroup = 1u << 0,           // starts a group (radio buttons, keyboard navigation)
  kTabStop = 1u << 1,         // reached with Tab
  kSorted = 1u << 2,          // combo box keeps its entries sorted
  kVerticalScroll = 1u << 3,  // combo box list scrolls
  kCentred = 1u << 4,         // static text centred
  kLeftAligned = 1u << 5,
  kRightAligned = 1u << 6,
  kAutomatic = 1u << 7,  // check box or radio button that checks itself
  kVerticallyCentred = 1u << 8,
  kBorder = 1u << 9,
  kDigitsOnly = 1u << 10,
  kInvisible = 1u << 11,  // layout markers
  kEndElided = 1u << 12,  // one-line static text elided with "…" where it runs too wide
};

inline constexpr int kNoControlId = -1;

struct ControlTemplate {
  int Id;  // kNoControlId for labels and frames that nothing addresses
  ControlKind Kind;
  const char* Label;  // Windows-1252; "" for none
  int X, Y, W, H;     // dialog units
  unsigned Style;
};

struct DialogTemplate {
  int Id;
  const char* FontFace;
  int FontPoints;
  int Width, Height;  // dialog units: the collapsed view; the option area lies below
  std::span<const ControlTemplate> Controls;
};

const DialogTemplate& ClientDialogTemplate();

// The control with `id` in the template, or nullptr.
const ControlTemplate* FindControlTemplate(int id);

// Dialog base units of a font: the average width of the letters A-Z and a-z and the font's height.
struct DialogBaseUnits {
  int Width;
  int Height;
};
DialogBaseUnits BaseUnitsOf(const QFont& font);

// A rectangle in dialog units as pixels; each edge converts on its own, as a dialog maps them.
QRect DialogToPixels(int x, int y, int w, int h, DialogBaseUnits units);

}  // namespace qorv::app
