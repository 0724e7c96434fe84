#include "app/ConnectionParameters.h"

#include <cstdint>
#include <limits>
#include <map>
#include <string>

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
// would become 4464). `source` says where the text came from (the switch,
// or the file and its key), so that the user can find it.
template <class T>
T WholeNumber(const AnsiString& text, const AnsiString& source,
              unsigned long long most = std::numeric_limits<T>::max()) {
  long long v = 0;
  try {
    v = StrToInt64(text);
  } catch (const EConvertError& e) {
    throw EConvertError(source + ": " + e.Message);
  }
  if (v < 0 || static_cast<unsigned long long>(v) > most)
    throw EConvertError(source + ": " +
                        AnsiString::Format("'%s' is out of range (0 to %llu)", text.c_str(), most));
  return static_cast<T>(v);
}

// The switch of an argument: its first two characters. Whatever follows is
// the switch's value, whatever it holds ("/Aab/I9.9.9.9" is the pass phrase
// "ab/I9.9.9.9").
AnsiString SwitchOf(const AnsiString& arg) { return arg.SubString(1, 2); }
AnsiString SwitchValue(const AnsiString& arg) { return arg.SubString(3, arg.Length()); }

// Where a number of the device's file stands: the file and the key.
AnsiString FileSource(const AnsiString& fileName, const char* key) {
  return "Configuration file \"" + fileName + "\", key \"" + key + "\"";
}

// A whole number of the device's file; a bad one names the file and the key.
template <class T>
T FileNumber(const AnsiString& text, const AnsiString& fileName, const char* key) {
  return WholeNumber<T>(text, FileSource(fileName, key));
}

// A number the file keeps one lower than the library: the largest stored
// value would wrap to 0 once raised.
std::uint32_t FileNumberOneLower(const AnsiString& text, const AnsiString& fileName,
                                 const char* key) {
  const std::uint32_t most = std::numeric_limits<std::uint32_t>::max() - 1;
  return WholeNumber<std::uint32_t>(text, FileSource(fileName, key), most) + 1;
}

// A whole number of a switch; a bad one names the switch.
template <class T>
T SwitchNumber(const AnsiString& arg) {
  return WholeNumber<T>(SwitchValue(arg), "Switch \"" + SwitchOf(arg) + "\"");
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
  // The file is read once, and each key taken from that reading once,
  // however often it is asked for.
  const VnIni ini = VnIni::Snapshot(fileName);
  // An absent or empty key leaves its field as it is (the connection
  // default, or what an earlier argument set).
  std::map<std::string, AnsiString> values;
  auto read = [&ini, &values](const char* key) {
    auto it = values.find(key);
    if (it == values.end()) it = values.emplace(key, ini.ReadString(kConfigSection, key, "")).first;
    return it->second;
  };
  VnConnectionDefaultsRecord& d = ConnectionDefaults;

  if (read("AgentPort") != "") {
    d.Device.Port = FileNumber<std::uint16_t>(read("AgentPort"), fileName, "AgentPort");
    texts.PortText = IntToStr(static_cast<int>(d.Device.Port));
  }

  if (read("Version") != "") {
    SnmpVersion = FileNumber<std::uint8_t>(read("Version"), fileName, "Version");
    texts.VersionText = read("Version");
  }

  if (read("ContextName") != "") {
    d.Scope.ContextName = read("ContextName");
    texts.ContextNameText = d.Scope.ContextName;
    HaveContextName = true;
  }

  if (read("ContextEngineID") != "") {
    d.Scope.ContextEngineId = read("ContextEngineID");
    texts.ContextEngineIdText = d.Scope.ContextEngineId;
  }

  if (read("SecurityModel") != "") {
    d.Security.SecurityModel =
        FileNumber<std::uint32_t>(read("SecurityModel"), fileName, "SecurityModel");
    texts.SecurityModelText = read("SecurityModel");
  }

  // The file counts levels and protocols from 0; the library from 1.
  if (read("SecurityLevel") != "" && read("SecurityLevel") != "0") {
    d.Security.SecurityLevel = FileNumberOneLower(read("SecurityLevel"), fileName, "SecurityLevel");
    texts.SecurityLevelText = AnsiString(static_cast<unsigned>(d.Security.SecurityLevel));
    HaveSecurityLevel = true;
  }

  if (read("SecurityName") != "") {
    d.Security.SecurityName = read("SecurityName");
    texts.SecurityNameText = d.Security.SecurityName;
  }

  if (read("AuthProtocol") != "" && read("AuthProtocol") != "0") {
    d.Security.AuthProtocol = FileNumberOneLower(read("AuthProtocol"), fileName, "AuthProtocol");
    texts.AuthProtocolText = AnsiString(static_cast<unsigned>(d.Security.AuthProtocol));
    HaveAuthProtocol = true;
  }
  if (read("PrivProtocol") != "" && read("PrivProtocol") != "0") {
    d.Security.PrivProtocol = FileNumberOneLower(read("PrivProtocol"), fileName, "PrivProtocol");
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

// Applies the argument's switch when it is one of the chain.
void ApplySwitch(TConnectionTexts& texts, const AnsiString& arg) {
  VnConnectionDefaultsRecord& d = ConnectionDefaults;
  const AnsiString sw = SwitchOf(arg);
  if (sw == "/R") {
    d.Security.ReadCommunity = SwitchValue(arg);
    texts.ReadCommunity = d.Security.ReadCommunity;
    return;
  }
  if (sw == "/W") {
    d.Security.WriteCommunity = SwitchValue(arg);
    texts.WriteCommunity = d.Security.WriteCommunity;
    return;
  }
  if (sw == "/v") {
    SnmpVersion = SwitchNumber<std::uint8_t>(arg);
    texts.VersionText = IntToStr(static_cast<int>(SnmpVersion));
    return;
  }
  // The SNMPv3 switches count only once the version is 3.
  if (!IsVersion3(texts)) return;
  if (sw == "/t") {
    d.Device.Port = SwitchNumber<std::uint16_t>(arg);
    texts.PortText = IntToStr(static_cast<int>(d.Device.Port));
  } else if (sw == "/c") {
    d.Scope.ContextName = SwitchValue(arg);
    if (d.Scope.ContextName != "") {
      texts.ContextNameText = d.Scope.ContextName;
      HaveContextName = true;
    }
  } else if (sw == "/d") {
    d.Scope.ContextEngineId = SwitchValue(arg);
    texts.ContextEngineIdText = d.Scope.ContextEngineId;
  } else if (sw == "/m") {
    d.Security.SecurityModel = SwitchNumber<std::uint32_t>(arg);
    texts.SecurityModelText = AnsiString(static_cast<unsigned>(d.Security.SecurityModel));
  } else if (sw == "/l") {
    d.Security.SecurityLevel = SwitchNumber<std::uint32_t>(arg);
    if (d.Security.SecurityLevel != 0) {
      texts.SecurityLevelText = AnsiString(static_cast<unsigned>(d.Security.SecurityLevel));
      HaveSecurityLevel = true;
    }
  } else if (sw == "/n") {
    d.Security.SecurityName = SwitchValue(arg);
    texts.SecurityNameText = d.Security.SecurityName;
  } else if (sw == "/A") {
    d.Security.AuthPassPhrase = SwitchValue(arg);
    if (d.Security.AuthPassPhrase != "") {
      texts.AuthPassphraseText = d.Security.AuthPassPhrase;
      HaveAuthPassphrase = true;
    }
  } else if (sw == "/P") {
    d.Security.PrivPassPhrase = SwitchValue(arg);
    if (d.Security.PrivPassPhrase != "") {
      texts.PrivPassphraseText = d.Security.PrivPassPhrase;
      HavePrivPassphrase = true;
    }
  } else if (sw == "/a") {
    d.Security.AuthProtocol = SwitchNumber<std::uint32_t>(arg);
    if (texts.AuthProtocolText != "0") {
      texts.AuthProtocolText = AnsiString(static_cast<unsigned>(d.Security.AuthProtocol));
      HaveAuthProtocol = true;
    }
  } else if (sw == "/p") {
    d.Security.PrivProtocol = SwitchNumber<std::uint32_t>(arg);
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
    if (SwitchOf(arg) == "/I") {
      ConnectionDefaults.Device.Address = SwitchValue(arg);
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
