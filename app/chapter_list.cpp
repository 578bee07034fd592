// The Chapter combo box: the Chapter files of the current directory, listed by title, and kept in
// step with the folder while the program runs.
#include <QComboBox>
#include <QDir>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QTimer>

#include "app/client_dialog.h"
#include "app/control_factory.h"
#include "app/dialog_texts.h"
#include "app/text_codec.h"

namespace {

// Changes to the folder come in bursts (an editor's save, a copy of many files): the list is
// read again once they have settled.
constexpr int kRescanDelayMs = 200;

}  // namespace

void TQorvDlgClient::WatchChapterFolder() {
  chapter_folder_ = QDir::currentPath();
  folder_watcher_ = new QFileSystemWatcher(this);
  rescan_timer_ = new QTimer(this);
  rescan_timer_->setSingleShot(true);
  rescan_timer_->setInterval(kRescanDelayMs);
  connect(rescan_timer_, &QTimer::timeout, this, &TQorvDlgClient::ScanChapters);
  const auto rescan_soon = [this] { rescan_timer_->start(); };
  connect(folder_watcher_, &QFileSystemWatcher::directoryChanged, this, rescan_soon);
  connect(folder_watcher_, &QFileSystemWatcher::fileChanged, this, rescan_soon);
}

// The folder itself tells of files added, removed or renamed; a file written in place tells only
// its own watch, so every *.qrv file is watched too.
void TQorvDlgClient::WatchChapterFiles() {
  if (!folder_watcher_->files().isEmpty()) folder_watcher_->removePaths(folder_watcher_->files());
  if (folder_watcher_->directories().isEmpty()) folder_watcher_->addPath(chapter_folder_);
  const QDir folder(chapter_folder_);
  QStringList files;
  for (const QString& name : folder.entryList({QStringLiteral("*.qrv")}, QDir::Files)) {
    files << folder.filePath(name);
  }
  if (!files.isEmpty()) folder_watcher_->addPaths(files);
}

// Each combo entry carries its list index, so that a pick loads the file of its own entry; entries
// of equal titles show their file names. A rescan keeps the entry picked (by its file name); the
// loaded Chapter and its history are the session's and stay as they are.
void TQorvDlgClient::ScanChapters() {
  const int picked_row = chapter_combo_->currentIndex();
  const std::string picked =
      picked_row < 0 ? std::string() : ChapterListEntryAt(picked_row).FileName;
  chapter_list_ = qorv::ScanChapterFiles(chapter_folder_.toStdString());
  chapter_combo_->clear();
  for (std::size_t i = 0; i < chapter_list_.size(); ++i) {
    qorv::app::InsertSorted(chapter_combo_, qorv::app::FromCp1252(chapter_list_[i].DisplayTitle),
                            static_cast<int>(i));
  }
  chapter_combo_->setCurrentIndex(-1);
  if (!picked.empty()) chapter_combo_->setCurrentIndex(ChapterRow(picked));
  WatchChapterFiles();
  if (!loading_chapter_ && session_.Chapter() == nullptr) ShowNoChapter();
}

const qorv::ChapterListEntry& TQorvDlgClient::ChapterListEntryAt(int row) const {
  return chapter_list_.at(static_cast<std::size_t>(chapter_combo_->itemData(row).toInt()));
}

int TQorvDlgClient::ChapterRow(const std::string& file_name) const {
  for (int row = 0; row < chapter_combo_->count(); ++row) {
    if (ChapterListEntryAt(row).FileName == file_name) return row;
  }
  return -1;
}

bool TQorvDlgClient::PickChapterFile(const std::string& file_name) {
  const int row = ChapterRow(file_name);
  if (row < 0 || !chapter_combo_->isEnabled()) return false;
  chapter_combo_->setCurrentIndex(row);
  StartChapterLoad();
  return true;
}

// "No Chapter"; with no Chapter file in the folder, also where Chapter files belong.
void TQorvDlgClient::ShowNoChapter() {
  QString text = QString::fromLatin1(qorv::app::kNoChapter);
  if (chapter_list_.empty()) {
    text +=
        QLatin1String(qorv::app::kChapterFilesBelong) + QDir::toNativeSeparators(chapter_folder_);
  }
  status_line_->setText(text);
}
