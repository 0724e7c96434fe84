// The host product's MIB-table viewer, started as a program of its own, and
// the module's help file.
#include "app/MainUnit.h"
#include "app/ViewerCommandLine.h"
#include "platform/Files.h"
#include "platform/Launch.h"
#include "platform/Registry.h"

namespace {

constexpr const char* kAppPaths = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
constexpr const char* kOpenViewKey = "\\SOFTWARE\\Hewlett-Packard\\OpenView";
constexpr const char* kHelpFileName = "KXR-5800-10 kelvane.hlp";

}  // namespace

AnsiString TMainForm::MakeViewerCommandLine(const AnsiString& tableSwitch) {
  // The host's viewers are found through the search path; the registry
  // decides only whether the installation looks complete.
  TRegistry registry;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  if (registry.OpenKey(AnsiString(kAppPaths) + "kelvane5.exe", false)) {
  } else if (registry.OpenKey(AnsiString(kAppPaths) + "kelvane51.exe", false)) {
  } else if (registry.OpenKey(kOpenViewKey, false)) {
    if (registry.ReadString("OV_PATH").IsEmpty()) ShowStatus("OpenView : File Path Error!");
  } else {
    ShowStatus("No Path!");
  }
  return ViewerCommandLine(*this, tableSwitch);
}

void TMainForm::LaunchMibViewer(const AnsiString& tableSwitch) {
  try {
    WinExec(MakeViewerCommandLine(tableSwitch).c_str(), SW_SHOW);
  } catch (...) {
    // Nothing to report: the viewer simply does not start (so too when a
    // value holds a zero byte, which no command line can carry).
  }
}

void TMainForm::Help2Click(TObject*) {
  const AnsiString path = ExtractFilePath(Application->ExeName()) + kHelpFileName;
  WinHelpA(Application->Handle(), path.c_str(), HELP_CONTENTS, 0);
}
