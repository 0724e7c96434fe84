// The module's program entry: the catalogue's option lists, then the main
// window and the message loop; the exit status tells the host product
// whether start-up could go on.
#include <csignal>

#include "app/ProgramEntry.h"
#include "catalogue/MibOptionLists.h"
#include "platform/Files.h"
#include "platform/Forms.h"

int main(int argc, char** argv) {
  // A file-size limit (ulimit -f) makes an over-long write fail with EFBIG,
  // which every writer reports, instead of killing the program halfway
  // through a file.
  std::signal(SIGXFSZ, SIG_IGN);
  SetCommandLine(argc, argv);
  InitMibOptionLists();
  const int status = RunModule();
  // The windows and their requests go before the option lists they use.
  Application->Finalize();
  FreeMibOptionLists();
  return status;
}
