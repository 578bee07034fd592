#include "app/qorv_application.h"

#include <QKeyEvent>
#include <cstring>

#include "app/client_dialog.h"
#include "app/dialog_texts.h"
#include "app/help_viewer.h"
#include "app/main_frame.h"

using namespace qorv::app;

TQorvApp::TQorvApp(int& argc, char** argv, ShowCommand requested)
    : QApplication(argc, argv), show_command_(requested) {
  setApplicationName(QString::fromLatin1(kApplicationName));
  // Ties the windows to the desktop entry (its icon and name in task bars, on Wayland too).
  setDesktopFileName(QString::fromLatin1(kDesktopFileName));
}

TQorvApp::~TQorvApp() = default;

void TQorvApp::CreateMainWindow() {
  main_window_ = std::make_unique<TSDIDecFrame>(QString::fromLatin1(kApplicationName));
  if (show_command_ == ShowCommand::kMinimizedNoActivate) {
    main_window_->setAttribute(Qt::WA_ShowWithoutActivating);
    main_window_->showMinimized();
  } else {
    main_window_->showNormal();
  }
}

int TQorvApp::Run() {
  CreateMainWindow();
  if (!start_chapter_.empty()) main_window_->Client()->PickChapterFile(start_chapter_);
  const int result = exec();
  main_window_.reset();
  return result;
}

bool TQorvApp::notify(QObject* receiver, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
      main_window_ != nullptr) {
    OpenHelpTopics(main_window_.get(), QString::fromLatin1(kHelpFileName));
    return true;
  }
  return QApplication::notify(receiver, event);
}

ShowCommand RequestedShowCommand(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-iconic") == 0) return ShowCommand::kMinimizedNoActivate;
  }
  return ShowCommand::kNormal;
}
