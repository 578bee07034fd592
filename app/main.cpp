// The desktop program: one TQorvApp, run until its main window closes.
#include "app/qorv_application.h"

int main(int argc, char* argv[]) {
  const qorv::app::ShowCommand requested = RequestedShowCommand(argc, argv);
  TQorvApp application(argc, argv, requested);
  return application.Run();
}
