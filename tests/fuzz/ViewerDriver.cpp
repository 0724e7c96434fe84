// The viewer's command line built from the connection texts and split again
// as WinExec splits it: every switch must come back as one argument with its
// whole value. The first byte gives SnmpVersion (3 when its low bit is set),
// ConfigFileFound and the Have... flags; the rest holds the table switch and
// then the texts in the order of TConnectionTexts, separated by 0x1f bytes.
#include <string>
#include <vector>

#include "app/ConnectionParameters.h"
#include "app/ViewerCommandLine.h"
#include "fuzz/FuzzDrivers.h"
#include "fuzz/FuzzSupport.h"
#include "library/VnSNMPConnection.h"
#include "platform/Exceptions.h"
#include "platform/LaunchServices.h"

namespace {

// The arguments the viewer must receive, from the rules of its command line.
std::vector<AnsiString> Expected(const TConnectionTexts& t, const std::string& table) {
  const std::string rest = table.size() > 2 ? table.substr(2) : std::string();
  std::vector<AnsiString> args = {rest.substr(0, rest.find('_')), "/I" + t.AgentAddress,
                                  "/R" + t.ReadCommunity, "/W" + t.WriteCommunity, table};
  if (SnmpVersion != 3 && !(ConfigFileFound && t.VersionText == "3")) return args;
  for (const AnsiString& a : {"/t" + t.PortText, "/v" + t.VersionText, "/d" + t.ContextEngineIdText,
                              "/m" + t.SecurityModelText, "/n" + t.SecurityNameText})
    args.push_back(a);
  if (HaveContextName && t.ContextNameText != "") args.push_back("/c" + t.ContextNameText);
  if (HaveSecurityLevel && t.SecurityLevelText != "") args.push_back("/l" + t.SecurityLevelText);
  if (HaveAuthProtocol && t.AuthProtocolText != "") args.push_back("/a" + t.AuthProtocolText);
  if (HaveAuthPassphrase) args.push_back("/A" + t.AuthPassphraseText);
  if (HavePrivProtocol && t.PrivProtocolText != "") args.push_back("/p" + t.PrivProtocolText);
  if (HavePrivPassphrase) args.push_back("/P" + t.PrivPassphraseText);
  return args;
}

}  // namespace

void vnfuzz::RunViewerInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  const unsigned flags = data[0];
  std::vector<std::string> parts = Split(Text(data + 1, size - 1), "\x1f");
  parts.resize(15);
  TConnectionTexts t;
  AnsiString* fields[] = {&t.AgentAddress,       &t.ReadCommunity,       &t.WriteCommunity,
                          &t.PortText,           &t.VersionText,         &t.SecurityNameText,
                          &t.AuthPassphraseText, &t.PrivPassphraseText,  &t.AuthProtocolText,
                          &t.PrivProtocolText,   &t.ContextEngineIdText, &t.SecurityLevelText,
                          &t.ContextNameText,    &t.SecurityModelText};
  for (std::size_t i = 0; i < std::size(fields); ++i) *fields[i] = AnsiString(parts[i + 1]);

  const std::uint8_t savedVersion = SnmpVersion;
  SnmpVersion = (flags & 1) ? 3 : 1;
  ResetConnectionFlags();
  ConfigFileFound = flags & 2;
  HaveContextName = flags & 4;
  HaveSecurityLevel = flags & 8;
  HaveAuthProtocol = flags & 16;
  HaveAuthPassphrase = flags & 32;
  HavePrivProtocol = flags & 64;
  HavePrivPassphrase = flags & 128;

  const std::vector<AnsiString> expected = Expected(t, parts[0]);
  bool carriable = true;
  for (const AnsiString& a : expected)
    carriable = carriable && a.str().find('\0') == std::string::npos;
  try {
    const AnsiString line = ViewerCommandLine(t, AnsiString(parts[0]));
    if (!carriable) Broken("a value with a zero byte went into the command line");
    if (SplitCommandLine(line) != expected)
      Broken("the command line \"" + line.str() + "\" does not split back into its values");
  } catch (const EConvertError&) {
    if (carriable) Broken("a command line without zero bytes was refused");
  }
  SnmpVersion = savedVersion;
  ResetConnectionFlags();
}
