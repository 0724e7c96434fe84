#include "app/ConnectionParameters.h"

#include <cstdint>
#include <limits>

#include "library/VnIni.h"
#include "library/VnMessageTables.h"
#include "library/VnSNMPConnection.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/SysUtils.h"

bool ConfigFileFound = false;
bool HaveContextName = false;
bool HaveSecurityLevel = false;
bool HaveAuthProtocol = false;
bool HavePrivProtocol = false;
bool HaveAuthPassphrase = false;
bool HavePrivPassphrase = false;

void ResetConnectionFlags() {
  ConfigFileFound = false;
  HaveContextName = false;
  HaveSecurityLevel = false;
  HaveAuthProtocol = false;
  HavePrivProtocol = false;
  HaveAuthPassphrase = false;
  HavePrivPassphrase = false;
}

namespace {

// A whole number of the field's type. A text that is no number raises the
// class library's conversion error; so does a number the field cannot
// hold, which would otherwise be cut to another value silently (port 70000
// would become 4464).
template <class T>
T WholeNumber(const AnsiString& text) {
  const long long v = StrToInt64(text);
  if (v < 0 || static_cast<unsigned long long>(v) > std::numeric_limits<T>::max())
    throw EConvertError(
        AnsiString::Format("'%s' is out of range (0 to %llu)", text.c_str(),
                           static_cast<unsigned long long>(std::numeric_limits<T>::max())));
  return static_cast<T>(v);
}

// The value of a switch found in an argument: everything after its two
// characters, up to the end of the argument.
AnsiString SwitchValue(const AnsiString& arg, int pos) {
  return arg.SubString(pos + 2, arg.Length());
}

bool IsVersion3(const TConnectionTexts& texts) {
  return texts.VersionText == "3" || SnmpVersion == 3;
}

}  // namespace

AnsiString ReadHelpPath(bool& opened) {
  opened = false;
  try {
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKey(kHelpPathKey, true)) return "";
    opened = true;
    return registry.ReadString(kHelpPathValue);
  } catch (...) {
    // The module runs on without a help path.
    return "";
  }
}

AnsiString ModuleFolderOf(const AnsiString& helpPath) {
  if (helpPath.Length() <= 12) return "";
  return helpPath.SubString(1, helpPath.Length() - 12);
}

void LoadMessageFiles(const AnsiString& moduleFolder) {
  // The order of the files as the host installs them.
  static const VnMessageTableId kOrder[] = {MT_EDIT_CHECK,   MT_SNMP_ERROR_STATUS, MT_SNMPV3_MP,
                                            MT_SNMP_USM,     MT_SNMP_CLASS,        MT_LIBRARY,
                                            MT_STATUS_FORMAT};
  for (VnMessageTableId table : kOrder)
    LoadTextLines(g_MessageTables[table], moduleFolder + MessageFileName(table));
}

AnsiString ReadConfigFolder() {
  AnsiString folder;
  TRegistry registry;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  if (registry.OpenKey(kExePathKey, false))
    folder = registry.ReadString(kPathValue) + "..\\Conf\\MBF\\";
  if (registry.OpenKey(kMibFileKey, false)) folder = registry.ReadString(kPathValue);
  return folder;
}

void ReadDeviceConfigFile(TConnectionTexts& texts, const AnsiString& fileName) {
  const VnIni ini(fileName);
  auto read = [&ini](const char* key) { return ini.ReadString(kConfigSection, key, ""); };
  VnConnectionDefaultsRecord& d = ConnectionDefaults;

  const auto port = WholeNumber<std::uint16_t>(read("AgentPort"));
  d.Device.Port = port;
  texts.PortText = IntToStr(static_cast<int>(port));

  texts.VersionText = read("Version");
  SnmpVersion = WholeNumber<std::uint8_t>(texts.VersionText);

  if (read("ContextName") != "") {
    d.Scope.ContextName = read("ContextName");
    texts.ContextNameText = d.Scope.ContextName;
    HaveContextName = true;
  }

  d.Scope.ContextEngineId = read("ContextEngineID");
  texts.ContextEngineIdText = d.Scope.ContextEngineId;

  texts.SecurityModelText = read("SecurityModel");
  d.Security.SecurityModel = WholeNumber<std::uint32_t>(texts.SecurityModelText);

  // The file counts levels and protocols from 0; the library from 1.
  if (read("SecurityLevel") != "0") {
    d.Security.SecurityLevel = WholeNumber<std::uint32_t>(read("SecurityLevel")) + 1;
    texts.SecurityLevelText = AnsiString(static_cast<unsigned>(d.Security.SecurityLevel));
    HaveSecurityLevel = true;
  }

  d.Security.SecurityName = read("SecurityName");
  texts.SecurityNameText = d.Security.SecurityName;

  if (read("AuthProtocol") != "0") {
    d.Security.AuthProtocol = WholeNumber<std::uint32_t>(read("AuthProtocol")) + 1;
    texts.AuthProtocolText = AnsiString(static_cast<unsigned>(d.Security.AuthProtocol));
    HaveAuthProtocol = true;
  }
  if (read("PrivProtocol") != "0") {
    d.Security.PrivProtocol = WholeNumber<std::uint32_t>(read("PrivProtocol")) + 1;
    texts.PrivProtocolText = AnsiString(static_cast<unsigned>(d.Security.PrivProtocol));
    HavePrivProtocol = true;
  }

  if (read("AuthPassword") != "") {
    d.Security.AuthPassPhrase = read("AuthPassword");
    texts.AuthPassphraseText = d.Security.AuthPassPhrase;
    HaveAuthPassphrase = true;
  }
  if (read("PrivPassword") != "") {
    d.Security.PrivPassPhrase = read("PrivPassword");
    texts.PrivPassphraseText = d.Security.PrivPassPhrase;
    HavePrivPassphrase = true;
  }
}

namespace {

// Applies the first switch of the chain that the argument holds.
void ApplySwitch(TConnectionTexts& texts, const AnsiString& arg) {
  VnConnectionDefaultsRecord& d = ConnectionDefaults;
  if (int p = arg.Pos("/R")) {
    d.Security.ReadCommunity = SwitchValue(arg, p);
    texts.ReadCommunity = d.Security.ReadCommunity;
    return;
  }
  if (int p = arg.Pos("/W")) {
    d.Security.WriteCommunity = SwitchValue(arg, p);
    texts.WriteCommunity = d.Security.WriteCommunity;
    return;
  }
  if (int p = arg.Pos("/v")) {
    SnmpVersion = WholeNumber<std::uint8_t>(SwitchValue(arg, p));
    texts.VersionText = IntToStr(static_cast<int>(SnmpVersion));
    return;
  }
  // The SNMPv3 switches count only once the version is 3.
  if (!IsVersion3(texts)) return;
  if (int p = arg.Pos("/t")) {
    d.Device.Port = WholeNumber<std::uint16_t>(SwitchValue(arg, p));
    texts.PortText = IntToStr(static_cast<int>(d.Device.Port));
  } else if (int p = arg.Pos("/c")) {
    d.Scope.ContextName = SwitchValue(arg, p);
    if (d.Scope.ContextName != "") {
      texts.ContextNameText = d.Scope.ContextName;
      HaveContextName = true;
    }
  } else if (int p = arg.Pos("/d")) {
    d.Scope.ContextEngineId = SwitchValue(arg, p);
    texts.ContextEngineIdText = d.Scope.ContextEngineId;
  } else if (int p = arg.Pos("/m")) {
    d.Security.SecurityModel = WholeNumber<std::uint32_t>(SwitchValue(arg, p));
    texts.SecurityModelText = AnsiString(static_cast<unsigned>(d.Security.SecurityModel));
  } else if (int p = arg.Pos("/l")) {
    d.Security.SecurityLevel = WholeNumber<std::uint32_t>(SwitchValue(arg, p));
    if (d.Security.SecurityLevel != 0) {
      texts.SecurityLevelText = AnsiString(static_cast<unsigned>(d.Security.SecurityLevel));
      HaveSecurityLevel = true;
    }
  } else if (int p = arg.Pos("/n")) {
    d.Security.SecurityName = SwitchValue(arg, p);
    texts.SecurityNameText = d.Security.SecurityName;
  } else if (int p = arg.Pos("/A")) {
    d.Security.AuthPassPhrase = SwitchValue(arg, p);
    if (d.Security.AuthPassPhrase != "") {
      texts.AuthPassphraseText = d.Security.AuthPassPhrase;
      HaveAuthPassphrase = true;
    }
  } else if (int p = arg.Pos("/P")) {
    d.Security.PrivPassPhrase = SwitchValue(arg, p);
    if (d.Security.PrivPassPhrase != "") {
      texts.PrivPassphraseText = d.Security.PrivPassPhrase;
      HavePrivPassphrase = true;
    }
  } else if (int p = arg.Pos("/a")) {
    d.Security.AuthProtocol = WholeNumber<std::uint32_t>(SwitchValue(arg, p));
    if (texts.AuthProtocolText != "0") {
      texts.AuthProtocolText = AnsiString(static_cast<unsigned>(d.Security.AuthProtocol));
      HaveAuthProtocol = true;
    }
  } else if (int p = arg.Pos("/p")) {
    d.Security.PrivProtocol = WholeNumber<std::uint32_t>(SwitchValue(arg, p));
    if (texts.PrivProtocolText != "0") {
      texts.PrivProtocolText = AnsiString(static_cast<unsigned>(d.Security.PrivProtocol));
      HavePrivProtocol = true;
    }
  }
}

}  // namespace

void ApplyConnectionArguments(TConnectionTexts& texts, const std::vector<AnsiString>& args,
                              const AnsiString& configFolder) {
  for (const AnsiString& arg : args) {
    if (int p = arg.Pos("/I")) {
      ConnectionDefaults.Device.Address = SwitchValue(arg, p);
      DeviceAddress = ConnectionDefaults.Device.Address;
      texts.AgentAddress = DeviceAddress;
      continue;
    }
    // The device's file is read afresh before every other argument, so the
    // last argument has the last word.
    const AnsiString fileName = configFolder + texts.AgentAddress + ".cfg";
    ConfigFileFound = FileExists(fileName);
    if (ConfigFileFound) ReadDeviceConfigFile(texts, fileName);
    ApplySwitch(texts, arg);
  }
}
