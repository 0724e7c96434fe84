// The host product's MIB-table viewer, started as a program of its own, and
// the module's help file.
#include <vector>

#include "app/ConnectionParameters.h"
#include "app/MainUnit.h"
#include "library/VnSNMPConnection.h"
#include "platform/Files.h"
#include "platform/Launch.h"
#include "platform/LaunchServices.h"
#include "platform/Registry.h"

namespace {

constexpr const char* kAppPaths = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
constexpr const char* kOpenViewKey = "\\SOFTWARE\\Hewlett-Packard\\OpenView";
constexpr const char* kHelpFileName = "KXR-5800-10 kelvane.hlp";

}  // namespace

AnsiString TMainForm::MakeViewerCommandLine(const AnsiString& tableSwitch) {
  // "/TRmon_History" names the viewer "Rmon".
  const AnsiString rest = tableSwitch.SubString(3, tableSwitch.Length());
  const int underscore = rest.Pos("_");
  const AnsiString name = underscore ? rest.SubString(1, underscore - 1) : rest;

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

  std::vector<AnsiString> args = {name, "/I" + AgentAddress, "/R" + ReadCommunity,
                                  "/W" + WriteCommunity, tableSwitch};
  if (SnmpVersion == 3 || (ConfigFileFound && VersionText == "3")) {
    args.insert(args.end(), {"/t" + PortText, "/v" + VersionText, "/d" + ContextEngineIdText,
                             "/m" + SecurityModelText, "/n" + SecurityNameText});
    if (HaveContextName && !ContextNameText.IsEmpty()) args.push_back("/c" + ContextNameText);
    if (HaveSecurityLevel && !SecurityLevelText.IsEmpty()) args.push_back("/l" + SecurityLevelText);
    if (HaveAuthProtocol && !AuthProtocolText.IsEmpty()) args.push_back("/a" + AuthProtocolText);
    if (HaveAuthPassphrase) args.push_back("/A" + AuthPassphraseText);
    if (HavePrivProtocol && !PrivProtocolText.IsEmpty()) args.push_back("/p" + PrivProtocolText);
    if (HavePrivPassphrase) args.push_back("/P" + PrivPassphraseText);
  }
  // WinExec splits the line again at blanks and quotes: each switch with its
  // value must come back as one argument, whatever the value holds (a
  // community "x /Aevil" is not a second switch).
  AnsiString line;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i > 0) line += " ";
    line += QuoteCommandLineArgument(args[i]);
  }
  return line;
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
