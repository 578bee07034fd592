// The desktop program: one TQorvApp, run until its main window closes. "--chapter-folder" (the
// desktop menu's start) runs it in the user's Chapter folder instead of the current directory;
// a FILE.qrv runs it in that file's folder, with that Chapter picked.
#include <QDir>
#include <cstdio>

#include "app/chapter_folder.h"
#include "app/qorv_application.h"
#include "app/start_options.h"
#include "io/temporary_files.h"

int main(int argc, char* argv[]) {
  const qorv::app::StartOptions start = qorv::app::ParseStartOptions(argc, argv);
  if (start.Exit) {
    std::fputs(start.Output.c_str(), start.ExitCode == 0 ? stdout : stderr);
    return start.ExitCode;
  }
  // A Store backup being written when the program is interrupted leaves no temporary file.
  qorv::RemoveTemporaryFilesOnSignal();
  const qorv::app::ShowCommand requested = RequestedShowCommand(argc, argv);
  TQorvApp application(argc, argv, requested);
  if (!start.StartFolder.empty()) {
    if (QDir::setCurrent(QString::fromLocal8Bit(start.StartFolder))) {
      application.SetStartChapter(start.StartChapter);
    } else {
      std::fprintf(stderr, "quorvane: cannot enter the folder %s\n", start.StartFolder.c_str());
    }
  } else if (start.ChapterFolder) {
    qorv::app::EnterUserChapterFolder();
  }
  return application.Run();
}
