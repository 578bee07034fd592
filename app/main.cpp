// The desktop program: one TQorvApp, run until its main window closes. "--chapter-folder" (the
// desktop menu's start) runs it in the user's Chapter folder instead of the current directory.
#include "app/chapter_folder.h"
#include "app/qorv_application.h"

int main(int argc, char* argv[]) {
  const qorv::app::ShowCommand requested = RequestedShowCommand(argc, argv);
  const bool chapter_folder = qorv::app::RequestsChapterFolder(argc, argv);
  TQorvApp application(argc, argv, requested);
  if (chapter_folder) qorv::app::EnterUserChapterFolder();
  return application.Run();
}
