#include "app/client_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QScrollBar>

#include "app/command_table.h"
#include "app/control_factory.h"
#include "app/control_ids.h"
#include "app/dialog_texts.h"
#include "app/elided_controls.h"
#include "app/glyph_button.h"
#include "app/main_frame.h"
#include "app/text_codec.h"
#include "app/text_viewer.h"
#include "app/ui_thread_requests.h"

using namespace qorv::app;

namespace {

// The progress gauge's range between loads, and its look.
constexpr int kIdleGaugeMaximum = 50;
constexpr int kGaugeBlockPercent = 90;

}  // namespace

TQorvDlgClient::TQorvDlgClient(QWidget* parent)
    : QWidget(parent), fonts_(DialogFonts::Create()), ui_requests_(new UiThreadRequests(this)) {
  session_.SetLoadGauge(this);
  file_viewer_ = [this](const std::string& file_name) {
    OpenInTextViewer(file_name, window(), desktop_opener_);
  };
  CreateControls();
  SetUpControls();
  WireCommands();
  SetUpKeyboard();
  RunCreation();
}

TQorvDlgClient::~TQorvDlgClient() {
  qApp->removeEventFilter(this);
  // A load still running is abandoned: its requests return without running, so the thread ends
  // by itself and no event loop is served here.
  if (load_thread_.joinable()) {
    ui_requests_->Close();
    load_thread_.join();
  }
}

void TQorvDlgClient::CreateControls() {
  const DialogTemplate& dialog = ClientDialogTemplate();
  const QFont dialog_font =
      FontByPoints(QString::fromLatin1(dialog.FontFace), dialog.FontPoints, false);
  setFont(dialog_font);
  base_units_ = BaseUnitsOf(dialog_font);
  controls_ = CreateTemplateControls(dialog, this, base_units_);

  chapter_combo_ = qobject_cast<QComboBox*>(Control(kIdChapterCombo));
  initial_letter_ = qobject_cast<QComboBox*>(Control(kIdInitialLetter));
  name_display_ = qobject_cast<QLabel*>(Control(kIdNameDisplay));
  status_line_ = qobject_cast<QLabel*>(Control(kIdStatusLine));
  hint_line_ = qobject_cast<QLabel*>(Control(kIdHintLine));
  history_bar_ = qobject_cast<QScrollBar*>(Control(kIdHistoryScrollBar));
  gauge_ = qobject_cast<QProgressBar*>(Control(kIdProgressGauge));
  page_size_ = qobject_cast<QLineEdit*>(Control(kIdPageSize));

  level_group_ = new QButtonGroup(this);
  for (int id = kIdLevel0; id <= kIdLevel3; ++id) {
    level_group_->addButton(qobject_cast<QRadioButton*>(Control(id)), id);
  }
  validation_group_ = new QButtonGroup(this);
  for (int id = kIdValidation0; id <= kIdValidation2; ++id) {
    validation_group_->addButton(qobject_cast<QRadioButton*>(Control(id)), id);
  }
  name_display_->setWordWrap(false);
  // A long status text ends before the hint line, where the hints of the controls show.
  static_cast<TElidedLabel*>(status_line_)
      ->SetTextWidth(hint_line_->x() - status_line_->x() - base_units_.Width / 2);

  // The dialog fills the frame; it is as large as the expanded view, and the frame shows the part
  // that its size uncovers.
  const QWidget* bottom = Control(kIdBottomMarker);
  resize(bottom->geometry().right() + 1, bottom->geometry().bottom() + 1);
}

void TQorvDlgClient::SetUpControls() {
  history_bar_->setRange(1, 1);
  history_bar_->setSingleStep(1);
  history_bar_->setPageStep(1);
  page_size_->setText(QString::fromLatin1(kDefaultPageSize));

  Control(kIdViewLog)->hide();
  for (int id : {kIdStoreName, kIdStorePage, kIdGenerateNext}) Control(id)->setEnabled(false);

  Button(kIdGenerateNext)->SetGlyphs(kGlyphGenerateNext, kGlyphGenerateNextDisabled);
  Button(kIdStoreName)->SetGlyphs(kGlyphStoreName, kGlyphStoreNameDisabled);
  Button(kIdStorePage)->SetGlyphs(kGlyphStorePage, kGlyphStorePageDisabled);
  Button(kIdClearStore)->SetGlyphs(kGlyphClearStore);
  Button(kIdViewStore)->SetGlyphs(kGlyphViewStore);
  Button(kIdHelp)->SetGlyphs(kGlyphHelp);
  Button(kIdViewLog)->SetGlyphs(kGlyphViewLog);
  Button(kIdOptions)->SetGlyphs(kGlyphOptionsHidden);
}

void TQorvDlgClient::RunCreation() {
  WatchChapterFolder();
  ScanChapters();
  options_shown_ = false;
  loading_chapter_ = false;
  session_.DropChapter();

  qobject_cast<QRadioButton*>(Control(kIdLevel0))->setChecked(true);
  qobject_cast<QRadioButton*>(Control(kIdValidation0))->setChecked(true);
  qobject_cast<QCheckBox*>(Control(kIdAutomaticOptions))->setChecked(true);
  qobject_cast<QCheckBox*>(Control(kIdTrailingLine))->setChecked(false);

  ShowAbout();
  ShowNoChapter();
  initial_letter_->setFont(fonts_.LetterList);
  // The combo box keeps its height for the larger font.
  initial_letter_->resize(initial_letter_->width(), initial_letter_->sizeHint().height());

  // The progress gauge takes the status line's place whenever it is shown.
  gauge_->setGeometry(status_line_->geometry());
  gauge_->setRange(0, kIdleGaugeMaximum);
  const int block = std::max(1, gauge_->height() * kGaugeBlockPercent / 100);
  gauge_->setStyleSheet(QStringLiteral("QProgressBar { border: 1px solid gray; background: white; }"
                                       "QProgressBar::chunk { background: #000080; width: %1px;"
                                       " margin: 1px 0px 1px 1px; }")
                            .arg(block));
  gauge_->hide();

  // Hints see every mouse move of the program, whichever widget it goes to.
  qApp->installEventFilter(this);
}

void TQorvDlgClient::WireCommands() {
  for (const Command& command : CommandTable()) {
    QWidget* widget = Control(command.ControlId);
    const auto handler = command.Handler;
    switch (command.Event) {
      case Notification::kClicked:
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
          connect(button, &QAbstractButton::clicked, this, [this, handler] { (this->*handler)(); });
        }
        break;
      case Notification::kSelectionChanged:
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
          connect(combo, &QComboBox::activated, this, [this, handler] { (this->*handler)(); });
        }
        break;
      case Notification::kScrolled:
        if (auto* bar = qobject_cast<QAbstractSlider*>(widget)) {
          connect(bar, &QAbstractSlider::actionTriggered, this,
                  [this, handler] { (this->*handler)(); });
        }
        break;
      case Notification::kLostFocus:
        // Seen in eventFilter: the edit field's focus-out event.
        if (widget != nullptr) widget->installEventFilter(this);
        break;
    }
  }
}

QWidget* TQorvDlgClient::Control(int id) const {
  const auto found = controls_.find(id);
  return found == controls_.end() ? nullptr : found->second;
}

TGlyphButton* TQorvDlgClient::Button(int id) const {
  return qobject_cast<TGlyphButton*>(Control(id));
}

bool TQorvDlgClient::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    UpdateHint(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
  } else if (event->type() == QEvent::FocusOut && watched == page_size_) {
    if (const auto handler = FindHandler(kIdPageSize, Notification::kLostFocus)) (this->*handler)();
  }
  return QWidget::eventFilter(watched, event);
}

// Enter runs the default command and Escape the cancel command, as in any dialog; a focused
// glyph button takes Enter itself.
void TQorvDlgClient::keyPressEvent(QKeyEvent* event) {
  int command = 0;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) command = kIdDefaultCommand;
  if (event->key() == Qt::Key_Escape) command = kIdCancel;
  if (command == 0 || event->modifiers() & ~Qt::KeypadModifier) {
    QWidget::keyPressEvent(event);
    return;
  }
  event->accept();
  if (const auto handler = FindHandler(command, Notification::kClicked)) (this->*handler)();
}

void TQorvDlgClient::ShowInDisplay(const std::string& text, DisplayStyle style) {
  name_display_->clear();
  QString shown = FromCp1252(text);
  if (style == DisplayStyle::kMessage) {
    // A long heading or message takes a smaller size of the message font instead of being cut
    // at both ends.
    QStringList lines = shown.split(QLatin1Char('\n'));
    name_display_->setFont(FittedFont(fonts_.Message, lines, name_display_->contentsRect().size()));
    shown = lines.join(QLatin1Char('\n'));
    shown_name_.clear();
  } else {
    // The whole name is kept for Ctrl+C; a name wider than the display shrinks to fit its width,
    // as a long heading does. Its height is the name font's own, as the display was laid out for.
    shown_name_ = shown.trimmed();
    QStringList lines = shown.split(QLatin1Char('\n'));
    const QSize room(name_display_->contentsRect().width(), QWIDGETSIZE_MAX);
    name_display_->setFont(FittedFont(
        static_cast<int>(text.size()) < kLongNameLength ? fonts_.NameLarge : fonts_.NameMedium,
        lines, room));
    shown = lines.join(QLatin1Char('\n'));
  }
  if (!text.empty()) name_display_->setText(shown);
  name_display_->repaint();
}

void TQorvDlgClient::ShowAbout() {
  ShowInDisplay(kAboutText, DisplayStyle::kMessage);
  Control(kIdStoreName)->setEnabled(false);
}

void TQorvDlgClient::ToggleOptions() {
  if (auto* frame = qobject_cast<TSDIDecFrame*>(window())) frame->ToggleOptions();
}

void TQorvDlgClient::MinimizeMain() {
  if (auto* frame = qobject_cast<TSDIDecFrame*>(window())) frame->MinimizeMain();
}

void TQorvDlgClient::ShowHelp() {
  ShowAbout();
  if (auto* frame = qobject_cast<TSDIDecFrame*>(window())) frame->ShowHelp(this);
}
