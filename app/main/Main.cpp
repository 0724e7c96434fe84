// The module's program entry: the catalogue's option lists, then the main
// window and the message loop; the exit status tells the host product
// whether start-up could go on.
#include "app/ProgramEntry.h"
#include "catalogue/MibOptionLists.h"
#include "platform/Files.h"
#include "platform/Forms.h"

int main(int argc, char** argv) {
  SetCommandLine(argc, argv);
  InitMibOptionLists();
  const int status = RunModule();
  // The windows and their requests go before the option lists they use.
  Application->Finalize();
  FreeMibOptionLists();
  return status;
}
