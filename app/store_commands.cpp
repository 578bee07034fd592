// The Store commands, the two viewers and history browsing.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScrollBar>

#include "app/client_dialog.h"
#include "app/control_ids.h"
#include "app/dialog_texts.h"
#include "app/page_size.h"
#include "app/text_codec.h"
#include "generator/generation_log.h"
#include "store/store_file.h"

using namespace qorv::app;

// Appends n names to the Store: for n = 1 the name on display, for more n new names. Returns how
// many were stored: fewer than n when a name could not be found in time.
int TQorvDlgClient::AppendToStore(int n) {
  qorv::StoreFile store = session_.OpenStore();

  status_line_->hide();
  gauge_->show();
  if (n > 1) gauge_->setRange(0, n);
  const bool trailing_line = IsChecked(kIdTrailingLine);
  int stored = 0;
  for (int i = 0; i < n; ++i) {
    gauge_->setValue(i);
    std::string name;
    if (n == 1) {
      name = session_.ShownName();
    } else {
      std::optional<std::string> generated = GenerateName();
      if (!generated) break;
      name = std::move(*generated);
    }
    store.WriteName(name, trailing_line);
    ++stored;
  }
  gauge_->setValue(0);
  gauge_->hide();
  status_line_->show();
  store.Close();
  return stored;
}

void TQorvDlgClient::StoreName() {
  AppendToStore(1);
  ShowPosition();
  status_line_->setText(status_line_->text() + QLatin1String(kStoredSuffix));
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
  const int stored = AppendToStore(page);
  Control(kIdStoreName)->setEnabled(true);
  ShowInDisplay(session_.History().Newest(0), DisplayStyle::kName);
  const QString count = stored == PageSizeValue(typed) ? typed : QString::number(stored);
  status_line_->setText(QLatin1String(kStoredPrefix) + count + QLatin1String(" ") +
                        QLatin1String(kStoredNames));
}

void TQorvDlgClient::ClearStore() {
  session_.ClearStore();
  status_line_->setText(QString::fromLatin1(kStoreCleared));
}

void TQorvDlgClient::ViewStore() {
  if (file_viewer_) file_viewer_(qorv::kStoreFileName);
}

void TQorvDlgClient::ViewLog() {
  if (file_viewer_) file_viewer_(qorv::kLogFileName);
}

void TQorvDlgClient::BrowseHistory() {
  const int count = session_.HistoryCount();
  if (count == 0) return;
  ShowHistoryEntry(count - history_bar_->sliderPosition());
}
