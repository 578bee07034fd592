// Opening a text file for the user: in the desktop's viewer for text files, or, when the desktop
// cannot start one, in the program's own read-only viewer window.
#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <functional>
#include <string>

class QUrl;

namespace qorv::app {

// Starts the desktop's default application for a file without waiting; false when none could
// be started.
using DesktopOpener = std::function<bool(const QUrl& url)>;
bool OpenWithDesktop(const QUrl& url);

// A read-only window titled with a file's name that shows the file's text, converted from
// Windows-1252, in a fixed-width font. Escape closes (hides) it.
class FileViewerWindow : public QPlainTextEdit {
  Q_OBJECT

 public:
  FileViewerWindow(const std::string& file_name, QWidget* owner);

  const std::string& FileName() const { return file_name_; }
  // Reads the file again (it may have grown since).
  void Reload();

 private:
  std::string file_name_;
};

// Shows `file_name` (relative to the current directory) in the program's own viewer: one window
// per file, reused and reloaded by every later request, raised and activated. The window stays
// above `owner`'s window and is destroyed with it (with no owner: a new top-level window each
// time, destroyed when it is closed).
FileViewerWindow* ShowInOwnViewer(const std::string& file_name, QWidget* owner);

// Asks the desktop to open `file_name` with its default application for text files; when that
// fails, shows the file in the program's own viewer.
void OpenInTextViewer(const std::string& file_name, QWidget* owner,
                      const DesktopOpener& desktop = &OpenWithDesktop);

}  // namespace qorv::app
