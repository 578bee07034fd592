#include "app/text_viewer.h"

#include <QDesktopServices>
#include <QDir>
#include <QFontDatabase>
#include <QKeySequence>
#include <QShortcut>
#include <QUrl>

#include "app/text_codec.h"
#include "io/file_bytes.h"

namespace qorv::app {

bool OpenWithDesktop(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

FileViewerWindow::FileViewerWindow(const std::string& file_name, QWidget* owner)
    : QPlainTextEdit(owner), file_name_(file_name) {
  setWindowFlag(Qt::Window);
  setObjectName(QStringLiteral("fileViewer"));
  setWindowTitle(FromCp1252(file_name));
  // An open viewer never keeps the program running once its main window has closed.
  setAttribute(Qt::WA_QuitOnClose, false);
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  resize(640, 480);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
  Reload();
}

void FileViewerWindow::Reload() {
  const FileBytes file = ReadFileBytes(file_name_);
  QString text = FromCp1252(file.Bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  setPlainText(text);
}

FileViewerWindow* ShowInOwnViewer(const std::string& file_name, QWidget* owner) {
  FileViewerWindow* viewer = nullptr;
  if (owner != nullptr) {
    for (FileViewerWindow* open : owner->findChildren<FileViewerWindow*>()) {
      if (open->FileName() == file_name) viewer = open;
    }
  }
  if (viewer != nullptr) {
    viewer->Reload();
  } else {
    viewer = new FileViewerWindow(file_name, owner);
    // Nothing else would destroy a window of its own.
    if (owner == nullptr) viewer->setAttribute(Qt::WA_DeleteOnClose);
  }
  viewer->show();
  viewer->raise();
  viewer->activateWindow();
  return viewer;
}

void OpenInTextViewer(const std::string& file_name, QWidget* owner, const DesktopOpener& desktop) {
  const QString path = QDir::current().absoluteFilePath(FromCp1252(file_name));
  if (desktop && desktop(QUrl::fromLocalFile(path))) return;
  ShowInOwnViewer(file_name, owner);
}

}  // namespace qorv::app
