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

AnsiString& ProgramName() {
  static AnsiString name = "kxr-module";
  return name;
}

// What is missing for the windows, and how to give the module a screen.
void SayNoDisplay(const AnsiString& missing) {
  const char* name = ProgramName().c_str();
  std::fprintf(stderr,
               "%s: no display was found: %s.\n"
               "Start the module on an X display (DISPLAY=:0 %s /I10.0.0.2 ...) or on a virtual "
               "one that nobody sees (xvfb-run -a %s /I10.0.0.2 ...).\n",
               name, missing.c_str(), name, name);
}

// Without a screen for its windows the module says so before anything is
// started or written; a toolkit that cannot start after all (its platform
// missing) is said alike, and the status is the same.
bool DisplayFound(const char* argv0) {
  if (argv0) ProgramName() = ExtractFileName(argv0);
  OnToolkitStartFailure(&SayNoDisplay, kStartupFailedStatus);
  const AnsiString missing = MissingDisplay();
  if (missing.IsEmpty()) return true;
  SayNoDisplay(missing);
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
