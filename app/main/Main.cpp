// The module's program entry: the catalogue's option lists, then the main
// window and the message loop; the exit status tells the host product
// whether start-up could go on.
#include <csignal>
#include <cstdio>

#include "app/ProgramEntry.h"
#include "catalogue/MibOptionLists.h"
#include "platform/DisplayCheck.h"
#include "platform/Files.h"
#include "platform/Forms.h"

namespace {

// Without a screen for its windows the module says so, and how to give it
// one, before anything is started or written.
bool DisplayFound(const char* argv0) {
  const AnsiString missing = MissingDisplay();
  if (missing.IsEmpty()) return true;
  const AnsiString name = ExtractFileName(argv0 ? argv0 : "kxr-module");
  std::fprintf(stderr,
               "%s: no display was found: %s.\n"
               "Start the module on an X display (DISPLAY=:0 %s /I10.0.0.2 ...) or on a virtual "
               "one that nobody sees (xvfb-run -a %s /I10.0.0.2 ...).\n",
               name.c_str(), missing.c_str(), name.c_str(), name.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // A file-size limit (ulimit -f) makes an over-long write fail with EFBIG,
  // which every writer reports, instead of killing the program halfway
  // through a file.
  std::signal(SIGXFSZ, SIG_IGN);
  if (!DisplayFound(argc > 0 ? argv[0] : nullptr)) return kStartupFailedStatus;
  SetCommandLine(argc, argv);
  InitMibOptionLists();
  const int status = RunModule();
  // The windows and their requests go before the option lists they use.
  Application->Finalize();
  FreeMibOptionLists();
  return status;
}
