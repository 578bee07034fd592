// The Store commands, the two viewers and history browsing.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <cstring>

#include "app/client_dialog.h"
#include "app/control_ids.h"
#include "app/dialog_texts.h"
#include "app/page_size.h"
#include "app/text_codec.h"
#include "generator/generation_log.h"
#include "io/file_bytes.h"
#include "store/store_file.h"

using namespace qorv::app;

namespace {

// "STORED.txt: Permission denied", the reason in the words of the system's locale.
QString FileAndReason(const char* file_name, int error) {
  return QLatin1String(file_name) + QLatin1String(": ") +
         QString::fromLocal8Bit(std::strerror(error));
}

// "STORED.txt: not a regular file" and the like: the file's name is ASCII, the reason in the
// words of the system's locale.
QString FileAndReason(const qorv::Error& failure) {
  return QString::fromLocal8Bit(failure.message.c_str());
}

}  // namespace

// Appends n names to the Store: for n = 1 the name on display, for more n new names. Stops at
// a name that cannot be found in time, and at the first failure of the Store.
TQorvDlgClient::StoreOutcome TQorvDlgClient::AppendToStore(int n) {
  qorv::StoreFile store = session_.OpenStore();
  StoreOutcome outcome{0, store.Error()};

  status_line_->hide();
  gauge_->show();
  if (n > 1) gauge_->setRange(0, n);
  const bool trailing_line = IsChecked(kIdTrailingLine);
  for (int i = 0; i < n && outcome.Written; ++i) {
    gauge_->setValue(i);
    std::string name;
    if (n == 1) {
      name = session_.ShownName();
    } else {
      std::optional<std::string> generated = GenerateName();
      if (!generated) break;
      name = std::move(*generated);
    }
    outcome.Written = store.WriteName(name, trailing_line);
    if (outcome.Written) ++outcome.Stored;
  }
  gauge_->setValue(0);
  gauge_->hide();
  status_line_->show();
  if (outcome.Written) outcome.Written = store.Close();
  outcome.KeptForeignFile = store.KeptForeignFile();
  return outcome;
}

// The status line says what did not reach the file, and for a page how much did.
void TQorvDlgClient::ShowStoreFailure(const StoreOutcome& outcome, int asked) {
  QString text;
  if (outcome.Stored > 0) {
    text = QString::number(outcome.Stored) + QLatin1String(kStoredOf) + QString::number(asked) +
           QLatin1String(kPartlyStored);
  } else {
    text = QLatin1String(kStoreNotWritten);
  }
  status_line_->setText(text + FileAndReason(outcome.Written.error()));
}

void TQorvDlgClient::StoreName() {
  const StoreOutcome outcome = AppendToStore(1);
  if (!outcome.Written) {
    ShowStoreFailure(outcome, 1);
    return;
  }
  ShowPosition();
  status_line_->setText(outcome.KeptForeignFile
                            ? QLatin1String(qorv::kForeignFileKept)
                            : status_line_->text() + QLatin1String(kStoredSuffix));
}

void TQorvDlgClient::StorePage() {
  if (!session_.HasLoadedChapter()) return;
  const QString typed = page_size_->text().left(kPageSizeDigitsRead);
  CheckPageSize();
  // The field was checked when it lost the focus; the check above only matters when the
  // command runs without that (and keeps the page within 2..1000 even then).
  const int page = PageSizeValue(CheckedPageSizeText(typed));
  ShowInDisplay(" ", DisplayStyle::kName);
  status_line_->setText(QString::fromLatin1(kGenerating));
  const StoreOutcome outcome = AppendToStore(page);
  // Store Name needs a name to store: a Store that could not be opened made none.
  Control(kIdStoreName)->setEnabled(session_.HistoryCount() > 0);
  ShowInDisplay(session_.History().Newest(0), DisplayStyle::kName);
  if (!outcome.Written) {
    ShowStoreFailure(outcome, page);
    return;
  }
  if (outcome.KeptForeignFile) {
    status_line_->setText(QLatin1String(qorv::kForeignFileKept));
    return;
  }
  const QString count =
      outcome.Stored == PageSizeValue(typed) ? typed : QString::number(outcome.Stored);
  status_line_->setText(QLatin1String(kStoredPrefix) + count + QLatin1String(" ") +
                        QLatin1String(kStoredNames));
}

void TQorvDlgClient::ClearStore() {
  bool kept_foreign_file = false;
  if (const qorv::Result<void> cleared = session_.ClearStore(&kept_foreign_file); !cleared) {
    status_line_->setText(QLatin1String(kStoreNotCleared) + FileAndReason(cleared.error()));
    return;
  }
  status_line_->setText(
      QString::fromLatin1(kept_foreign_file ? qorv::kForeignFileKept : kStoreCleared));
}

// A file that cannot be read (the log before the first name) is reported instead of handed to
// a viewer that would show nothing.
void TQorvDlgClient::ViewFile(const char* file_name) {
  if (const int error = qorv::ReadFileBytes(file_name, 1).Error) {
    status_line_->setText(QLatin1String(kCannotView) + FileAndReason(file_name, error));
    return;
  }
  if (file_viewer_) file_viewer_(file_name);
}

void TQorvDlgClient::ViewStore() {
  ViewFile(qorv::kStoreFileName);
}

void TQorvDlgClient::ViewLog() {
  ViewFile(qorv::kLogFileName);
}

void TQorvDlgClient::BrowseHistory() {
  const int count = session_.HistoryCount();
  if (count == 0) return;
  ShowHistoryEntry(count - history_bar_->sliderPosition());
}
