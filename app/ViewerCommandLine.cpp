#include "app/ViewerCommandLine.h"

#include <vector>

#include "library/VnSNMPConnection.h"
#include "platform/LaunchServices.h"

AnsiString ViewerCommandLine(const TConnectionTexts& texts, const AnsiString& tableSwitch) {
  // "/TRmon_History" names the viewer "Rmon".
  const AnsiString rest = tableSwitch.SubString(3, tableSwitch.Length());
  const int underscore = rest.Pos("_");
  const AnsiString name = underscore ? rest.SubString(1, underscore - 1) : rest;

  const TConnectionTexts& t = texts;
  std::vector<AnsiString> args = {name, "/I" + t.AgentAddress, "/R" + t.ReadCommunity,
                                  "/W" + t.WriteCommunity, tableSwitch};
  if (SnmpVersion == 3 || (ConfigFileFound && t.VersionText == "3")) {
    args.insert(args.end(), {"/t" + t.PortText, "/v" + t.VersionText, "/d" + t.ContextEngineIdText,
                             "/m" + t.SecurityModelText, "/n" + t.SecurityNameText});
    if (HaveContextName && !t.ContextNameText.IsEmpty()) args.push_back("/c" + t.ContextNameText);
    if (HaveSecurityLevel && !t.SecurityLevelText.IsEmpty())
      args.push_back("/l" + t.SecurityLevelText);
    if (HaveAuthProtocol && !t.AuthProtocolText.IsEmpty())
      args.push_back("/a" + t.AuthProtocolText);
    if (HaveAuthPassphrase) args.push_back("/A" + t.AuthPassphraseText);
    if (HavePrivProtocol && !t.PrivProtocolText.IsEmpty())
      args.push_back("/p" + t.PrivProtocolText);
    if (HavePrivPassphrase) args.push_back("/P" + t.PrivPassphraseText);
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
