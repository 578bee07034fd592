// Loading a Chapter on a background thread while the progress gauge runs over the status line.
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScrollBar>

#include "app/client_dialog.h"
#include "app/control_factory.h"
#include "app/control_ids.h"
#include "app/dialog_texts.h"
#include "app/text_codec.h"
#include "app/ui_thread_requests.h"
#include "chapter/chapter_format.h"
#include "chapter/limits.h"
#include "io/file_bytes.h"
#include "session/conversion_hint.h"

using namespace qorv::app;

void TQorvDlgClient::StartChapterLoad() {
  const int selected = chapter_combo_->currentIndex();
  if (selected < 0) return;
  // One load at a time: the combo box is disabled while one runs, and a selection that reaches
  // here all the same waits for the next.
  if (load_thread_.joinable() && !load_finished_) return;
  // The thread of the previous load has handed over its Chapter and is ending.
  if (load_thread_.joinable()) load_thread_.join();

  loading_chapter_ = true;
  hint_line_->clear();
  history_bar_->setRange(1, 1);
  Control(kIdViewLog)->hide();
  for (int id : {kIdStoreName, kIdStorePage, kIdGenerateNext, kIdChapterCombo}) {
    Control(id)->setEnabled(false);
  }
  ShowInDisplay(" ", DisplayStyle::kMessage);
  status_line_->setText(QString::fromLatin1(kReadingChapter));

  const qorv::ChapterListEntry& entry = ChapterListEntryAt(selected);
  selected_chapter_file_ = entry.FileName;
  selected_name_count_ = entry.NameCount;

  session_.DropChapter();
  gauge_->setRange(0, qorv::kLoadProgressSteps);
  load_finished_ = false;
  load_thread_ =
      std::thread(&TQorvDlgClient::LoadThread, this, selected_chapter_file_, selected_name_count_);
}

void TQorvDlgClient::LoadThread(std::string file_name, int expected_name_count) {
  std::unique_ptr<qorv::TQorvChapter> chapter =
      session_.LoadChapterFile(file_name, expected_name_count);
  // The hand-over is the thread's last request; once it has run, the thread only returns. When
  // the dialog is going, it does not run and the Chapter goes with the thread.
  ui_requests_->Run([this, &chapter] {
    FinishChapterLoad(std::move(chapter));
    load_finished_ = true;
  });
}

void TQorvDlgClient::FinishChapterLoad(std::unique_ptr<qorv::TQorvChapter> loaded) {
  session_.SetChapter(std::move(loaded));
  ReadDenyList();
  const qorv::TQorvChapter& chapter = *session_.Chapter();
  if (!chapter.Loaded) {
    // LoadingChapter stays set: the hints stay frozen until a Chapter loads.
    ShowInDisplay(kLoadFailure + chapter.Message, DisplayStyle::kMessage);
    chapter_combo_->setCurrentIndex(-1);
    chapter_combo_->setEnabled(true);
    gauge_->setValue(0);
    ShowGauge(false);
    // A hand-written file that only needs converting says how.
    const qorv::FileBytes file = qorv::ReadFileBytes(selected_chapter_file_, qorv::kMaxFileBytes);
    if (file.Error == 0 && qorv::LooksLikeUnconvertedText(file.Bytes)) {
      status_line_->setText(QString::fromStdString(
          qorv::ConversionHint(selected_chapter_file_, selected_chapter_file_)));
    } else {
      status_line_->setText(QString::fromLatin1(kNoChapter));
    }
    chapter_combo_->setFocus();
    return;
  }

  ShowInDisplay(chapter.Title + "\n" + chapter.Line1 + "\n" + chapter.Line2,
                DisplayStyle::kMessage);
  initial_letter_->clear();
  InsertSorted(initial_letter_, QStringLiteral("*"));
  for (char letter : chapter.InitialLetters) {
    InsertSorted(initial_letter_, FromCp1252(std::string_view(&letter, 1)));
  }
  initial_letter_->setCurrentIndex(initial_letter_->findText(QStringLiteral("*")));
  if (IsChecked(kIdAutomaticOptions)) {
    ApplyAutomaticOptions(chapter);
  }

  gauge_->setValue(0);
  status_line_->clear();
  ShowGauge(false);
  status_line_->setText(QString::number(chapter.NameCount) + QLatin1String(kNames) +
                        QString::number(chapter.VowelElementCount + chapter.ConsonantElementCount) +
                        QLatin1String(kElements));
  Control(kIdViewLog)->show();
  hint_line_->update();
  Control(kIdStoreName)->setEnabled(false);
  for (int id : {kIdGenerateNext, kIdChapterCombo, kIdStorePage}) Control(id)->setEnabled(true);
  loading_chapter_ = false;
}

void TQorvDlgClient::ShowGauge(bool shown) {
  gauge_->setVisible(shown);
  status_line_->setVisible(!shown);
  hint_line_->setVisible(!shown);
}

void TQorvDlgClient::ShowProgressGauge() {
  ui_requests_->Run([this] { ShowGauge(true); });
}

void TQorvDlgClient::SetProgress(int value) {
  ui_requests_->Run([this, value] { gauge_->setValue(value == -1 ? gauge_->value() + 1 : value); });
}

void TQorvDlgClient::WaitForLoad() {
  if (!load_thread_.joinable()) return;
  // The thread's requests need this thread; serve them until it has handed over its Chapter.
  while (!load_finished_) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                    QEventLoop::ExcludeUserInputEvents);
  }
  load_thread_.join();
}
