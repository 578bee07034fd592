#include "app/dialog_template.h"

#include <QFontMetrics>
#include <array>

#include "app/control_ids.h"

namespace qorv::app {
namespace {

using K = ControlKind;

// Dialog 2000. The collapsed view is 230 x 114; the option area below y = 114 is uncovered when
// the main window grows.
constexpr std::array kControls = {
    ControlTemplate{kNoControlId, K::kLabel, "&Chapter:", 9, 8, 29, 11, kStyleNone},
    ControlTemplate{kIdChapterCombo, K::kComboBox, "", 41, 6, 99, 86,
                    kSorted | kVerticalScroll | kGroup | kTabStop},
    ControlTemplate{kIdViewLog, K::kGlyphButton, "", 174, 6, 16, 15, kStyleNone},
    ControlTemplate{kIdOptions, K::kGlyphButton, "", 203, 6, 16, 15, kStyleNone},
    ControlTemplate{kNoControlId, K::kEtchedFrame, "Frame1", 8, 26, 212, 79, kStyleNone},
    ControlTemplate{kIdNameDisplay, K::kStatic, "", 15, 36, 197, 26, kCentred},
    ControlTemplate{kIdStatusLine, K::kStatic, "", 16, 69, 196, 10, kLeftAligned | kEndElided},
    ControlTemplate{kIdHintLine, K::kStatic, "", 152, 69, 60, 10, kRightAligned},
    ControlTemplate{kIdHistoryScrollBar, K::kScrollBar, "", 16, 82, 76, 15, kGroup | kTabStop},
    ControlTemplate{kIdStoreName, K::kGlyphButton, "", 104, 82, 16, 15, kGroup},
    ControlTemplate{kIdStorePage, K::kGlyphButton, "", 120, 82, 16, 15, kStyleNone},
    ControlTemplate{kIdClearStore, K::kGlyphButton, "", 136, 82, 16, 15, kStyleNone},
    ControlTemplate{kIdViewStore, K::kGlyphButton, "", 152, 82, 16, 15, kStyleNone},
    ControlTemplate{kIdHelp, K::kGlyphButton, "", 174, 82, 16, 15, kStyleNone},
    ControlTemplate{kIdGenerateNext, K::kGlyphButton, "", 196, 82, 16, 15, kStyleNone},
    ControlTemplate{kIdProgressGauge, K::kProgressGauge, "", 236, 82, 20, 8, kStyleNone},
    ControlTemplate{kIdGenerationGroup, K::kGroupBox, "&Generation", 8, 118, 112, 93, kStyleNone},
    ControlTemplate{kNoControlId, K::kLabel, "&Initial Letter:", 16, 134, 40, 9, kStyleNone},
    ControlTemplate{kIdInitialLetter, K::kComboBox, "", 59, 131, 47, 71, kSorted},
    ControlTemplate{kNoControlId, K::kLabel, "Lvl:", 16, 158, 16, 9, kStyleNone},
    ControlTemplate{kIdLevel0, K::kRadioButton, "0", 32, 158, 20, 9, kAutomatic | kGroup},
    ControlTemplate{kIdLevel1, K::kRadioButton, "1", 51, 158, 20, 9, kAutomatic},
    ControlTemplate{kIdLevel2, K::kRadioButton, "2", 70, 158, 20, 9, kAutomatic},
    ControlTemplate{kIdLevel3, K::kRadioButton, "3", 89, 158, 20, 9, kAutomatic},
    ControlTemplate{kIdStructural, K::kCheckBox, "Structural", 16, 178, 44, 9, kAutomatic | kGroup},
    ControlTemplate{kIdStatistical, K::kCheckBox, "Statistical", 16, 192, 44, 9, kAutomatic},
    ControlTemplate{kIdPrefixes, K::kCheckBox, "Prefixes", 70, 178, 42, 9, kAutomatic},
    ControlTemplate{kIdSuffixes, K::kCheckBox, "Suffixes", 70, 192, 42, 9, kAutomatic},
    ControlTemplate{kIdValidationGroup, K::kGroupBox, "&Validation", 129, 118, 91, 34, kStyleNone},
    ControlTemplate{kNoControlId, K::kLabel, "Lvl:", 137, 133, 17, 9, kStyleNone},
    ControlTemplate{kIdValidation0, K::kRadioButton, "0", 153, 133, 20, 9, kAutomatic | kGroup},
    ControlTemplate{kIdValidation1, K::kRadioButton, "1", 172, 133, 20, 9, kAutomatic},
    ControlTemplate{kIdValidation2, K::kRadioButton, "2", 191, 133, 20, 9, kAutomatic},
    ControlTemplate{kIdStoreGroup, K::kGroupBox, "Store", 129, 158, 91, 53, kStyleNone},
    ControlTemplate{kNoControlId, K::kLabel, "&Page Size:", 137, 174, 36, 9, kStyleNone},
    ControlTemplate{kIdPageSize, K::kEdit, "50", 176, 172, 29, 12,
                    kBorder | kDigitsOnly | kTabStop},
    ControlTemplate{kIdTrailingLine, K::kCheckBox, "&Trailing Line", 137, 192, 59, 9,
                    kAutomatic | kTabStop},
    ControlTemplate{kIdAutomaticOptions, K::kCheckBox, "&Automatic Options", 149, 215, 76, 15,
                    kAutomatic | kVerticallyCentred | kGroup},
    ControlTemplate{kIdOptionAreaMarker, K::kStatic, "", 222, 119, 9, 12, kInvisible},
    ControlTemplate{kIdBottomMarker, K::kStatic, "", 222, 226, 9, 11, kInvisible},
};

constexpr DialogTemplate kClientDialog{kClientDialogId, "MS Sans Serif", 8, 230, 114, kControls};

// Windows dialogs round unit conversions to the nearest pixel.
int MulDiv(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  return static_cast<int>((product + denominator / 2) / denominator);
}

}  // namespace

const DialogTemplate& ClientDialogTemplate() {
  return kClientDialog;
}

const ControlTemplate* FindControlTemplate(int id) {
  for (const ControlTemplate& control : kControls) {
    if (control.Id == id) return &control;
  }
  return nullptr;
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(letters / 26 + 1) / 2, metrics.height()};
}

QRect DialogToPixels(int x, int y, int w, int h, DialogBaseUnits units) {
  const int left = MulDiv(x, units.Width, 4);
  const int top = MulDiv(y, units.Height, 8);
  const int right = MulDiv(x + w, units.Width, 4);
  const int bottom = MulDiv(y + h, units.Height, 8);
  return QRect(left, top, right - left, bottom - top);
}

}  // namespace qorv::app
