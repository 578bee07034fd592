// The option controls of the client dialog: what the generate command reads from them, what a
// Chapter's own options set in them, the Page Size check and the hover hints.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <array>

#include "app/client_dialog.h"
#include "app/control_ids.h"
#include "app/dialog_texts.h"
#include "app/glyph_button.h"
#include "app/page_size.h"
#include "app/text_codec.h"

using namespace qorv::app;

namespace {

void SetChecked(QWidget* control, bool checked) {
  if (auto* button = qobject_cast<QAbstractButton*>(control)) button->setChecked(checked);
}

// The highest checked radio of `first`..`last`, counted from 0; 0 when none is checked.
int CheckedLevel(const TQorvDlgClient& dialog, int first, int last) {
  for (int id = last; id > first; --id) {
    if (dialog.IsChecked(id)) return id - first;
  }
  return 0;
}

// Unchecks every radio of a group, then checks the one for `level` when there is one.
void CheckLevel(QButtonGroup* group, int first, int last, int level) {
  group->setExclusive(false);
  for (int id = first; id <= last; ++id) SetChecked(group->button(id), false);
  if (level >= 0 && level <= last - first) SetChecked(group->button(first + level), true);
  group->setExclusive(true);
}

}  // namespace

bool TQorvDlgClient::IsChecked(int id) const {
  const auto* button = qobject_cast<const QAbstractButton*>(Control(id));
  return button != nullptr && button->isChecked();
}

qorv::GenerationRequest TQorvDlgClient::ReadGenerationOptions() {
  qorv::GenerationRequest request;
  request.GenerationLevel = CheckedLevel(*this, kIdLevel0, kIdLevel3);
  request.ValidationLevel = CheckedLevel(*this, kIdValidation0, kIdValidation2);
  request.Structural = IsChecked(kIdStructural);
  request.Statistical = IsChecked(kIdStatistical);
  request.Prefixes = IsChecked(kIdPrefixes);
  request.Suffixes = IsChecked(kIdSuffixes);
  const std::string letter = ToCp1252(initial_letter_->currentText());
  request.InitialLetter = letter.empty() ? '\0' : letter.front();
  return request;
}

void TQorvDlgClient::ApplyAutomaticOptions(const qorv::TQorvChapter& chapter) {
  SetChecked(Control(kIdStructural), chapter.StructGen != 0);
  SetChecked(Control(kIdStatistical), chapter.StatGen != 0);
  SetChecked(Control(kIdPrefixes), chapter.Prefix != 0);
  SetChecked(Control(kIdSuffixes), chapter.Suffix != 0);
  CheckLevel(level_group_, kIdLevel0, kIdLevel3, chapter.FitLevel);
  CheckLevel(validation_group_, kIdValidation0, kIdValidation2, chapter.ValLevel);
}

void TQorvDlgClient::CheckPageSize() {
  const QString text = page_size_->text();
  const QString checked = CheckedPageSizeText(text);
  if (PageSizeValue(text) != PageSizeValue(checked)) page_size_->setText(checked);
}

std::string TQorvDlgClient::PageSizeText() const {
  return ToCp1252(CheckedPageSizeText(page_size_->text()));
}

void TQorvDlgClient::UpdateHint(const QPoint& global_position) {
  if (loading_chapter_) return;
  struct Hint {
    int Id;
    std::string Text;
  };
  const std::array hints = {
      Hint{kIdGenerateNext, kHintGenerateNext},
      Hint{kIdStoreName, kHintStoreName},
      Hint{kIdStorePage, std::string(kHintStorePage) + PageSizeText()},
      Hint{kIdClearStore, kHintClearStore},
      Hint{kIdViewStore, kHintViewStore},
      Hint{kIdHelp, kHintHelp},
      Hint{kIdOptions, kHintOptions},
      Hint{kIdHistoryScrollBar, kHintBrowseHistory},
      Hint{kIdChapterCombo, kHintSelectChapter},
      Hint{kIdViewLog, session_.Chapter() != nullptr ? kHintViewLog : ""},
  };
  std::string text;
  for (const Hint& hint : hints) {
    const QWidget* control = Control(hint.Id);
    // The window rectangle: left and top inclusive, right and bottom exclusive.
    const QRect rect(control->mapToGlobal(QPoint(0, 0)), control->size());
    if (rect.contains(global_position)) text += hint.Text;
  }
  const QString hint = FromCp1252(text);
  if (hint != hint_line_->text()) hint_line_->setText(hint);
}
