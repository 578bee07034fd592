// Helpers of the desktop program's tests: a temporary current directory with Chapters in it, the
// dialog's texts, and events sent the way the window system sends them.
#pragma once

#include <QLabel>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/client_dialog.h"
#include "app/main_frame.h"
#include "app/qorv_application.h"

class QWidget;

namespace qorv::test {

// A temporary directory that is the current directory for its lifetime.
class CurrentDirectory {
 public:
  CurrentDirectory();
  ~CurrentDirectory();

  QString Path() const { return dir_.path(); }
  // Copies sample Chapters (file names in chapters/) here.
  void CopySample(const QString& file_name) const;
  // Writes `bytes` as they are (Windows-1252, CR LF as given).
  void Write(const QString& file_name, const std::string& bytes) const;
  std::string Read(const QString& file_name) const;

 private:
  QTemporaryDir dir_;
  QString previous_;
};

// A minimal valid Chapter with the given title, GENOPT value and names.
std::string ChapterBytes(const std::string& title, const std::string& genopt,
                         const std::string& names);

QString LabelText(const TQorvDlgClient& dialog, int id);
inline QString StatusText(const TQorvDlgClient& dialog) {
  return LabelText(dialog, 144);
}
inline QString DisplayText(const TQorvDlgClient& dialog) {
  return LabelText(dialog, 145);
}
inline QString HintText(const TQorvDlgClient& dialog) {
  return LabelText(dialog, 146);
}

// A mouse move without buttons over `widget` at `local`, as the window system delivers it.
void MoveMouse(QWidget* widget, QPoint local);
// The same over the centre of a control.
void MoveMouseOver(QWidget* widget);

// Picks the combo entry with `title` as a user would; its load starts and waits for this thread.
void PickChapter(TQorvDlgClient& dialog, const QString& title);
// The same, and waits until the load has ended.
void PickChapterAndWait(TQorvDlgClient& dialog, const QString& title);

// The main window and its dialog, created in the current directory.
std::unique_ptr<TSDIDecFrame> NewMainWindow();

}  // namespace qorv::test

// The main() of a desktop test program: the tests run under the program's own application object,
// which sees every event first (F1) as it does in the program.
#define QORV_DESKTOP_TEST_MAIN(TestClass)   \
  int main(int argc, char* argv[]) {        \
    TQorvApp application(argc, argv);       \
    TestClass test;                         \
    return QTest::qExec(&test, argc, argv); \
  }
