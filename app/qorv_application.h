// TQorvApp: the application. It creates the main window, shows it by the start-up rule, and sees
// every event before it is dispatched: F1 opens the help topics from anywhere in the program.
#pragma once

#include <QApplication>
#include <memory>
#include <string>

#include "app/show_command.h"

class TSDIDecFrame;

class TQorvApp : public QApplication {
  Q_OBJECT

 public:
  TQorvApp(int& argc, char** argv,
           qorv::app::ShowCommand requested = qorv::app::ShowCommand::kNormal);
  ~TQorvApp() override;

  // Creates and shows the main window, picks the start Chapter when one is set, then runs the
  // event loop until the window closes.
  int Run();
  // The Chapter file (a name in the current directory) that Run picks.
  void SetStartChapter(std::string file_name) { start_chapter_ = std::move(file_name); }

  // The main window; created by CreateMainWindow.
  TSDIDecFrame* MainWindow() const { return main_window_.get(); }
  void CreateMainWindow();

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  qorv::app::ShowCommand show_command_;
  std::unique_ptr<TSDIDecFrame> main_window_;
  std::string start_chapter_;
};

// The show command requested on the command line: "-iconic", as X programs take it, asks for a
// minimised start without activation; anything else is a normal start.
qorv::app::ShowCommand RequestedShowCommand(int argc, char** argv);
