// Where the switch is and how to reach it: the command-line switches, the
// per-device configuration file and the registry values of the host product.
// Every value lands in ConnectionDefaults (which new requests copy) and in
// text copies that the external table viewer's command line repeats.
#pragma once

#include <vector>

#include "pages/DeviceAddress.h"
#include "platform/AnsiString.h"

// Text copies of the connection parameters, as the main window keeps them.
struct TConnectionTexts {
  AnsiString AgentAddress;
  AnsiString ReadCommunity;
  AnsiString WriteCommunity;
  AnsiString PortText;
  AnsiString VersionText;
  AnsiString SecurityNameText;
  AnsiString AuthPassphraseText;
  AnsiString PrivPassphraseText;
  AnsiString AuthProtocolText;
  AnsiString PrivProtocolText;
  AnsiString ContextEngineIdText;
  AnsiString SecurityLevelText;
  AnsiString ContextNameText;
  AnsiString SecurityModelText;
};

// What the configuration file and the switches supplied; false before the
// arguments are read and never cleared afterwards.
extern bool ConfigFileFound;
extern bool HaveContextName;
extern bool HaveSecurityLevel;
extern bool HaveAuthProtocol;
extern bool HavePrivProtocol;
extern bool HaveAuthPassphrase;
extern bool HavePrivPassphrase;
// Sets every flag above to false.
void ResetConnectionFlags();

// Registry keys and values (HKEY_LOCAL_MACHINE).
inline constexpr const char* kHelpPathKey = "\\SOFTWARE\\Vantrel\\Modules\\HelpPath";
inline constexpr const char* kHelpPathValue = "1.3.6.1.4.1.171.10.101.1";
inline constexpr const char* kExePathKey = "\\SOFTWARE\\Vantrel\\Kelvane5.1\\ExePath";
inline constexpr const char* kMibFileKey = "\\SOFTWARE\\Vantrel\\Kelvane5.1\\MibFile";
inline constexpr const char* kPathValue = "Path";
// The configuration file's section.
inline constexpr const char* kConfigSection = "Program Information";

// The module's help path from the registry (its key is created when it is
// missing). `opened` tells whether the key opened. Any failure gives "".
AnsiString ReadHelpPath(bool& opened);
// The help path without its last 12 characters ("" when it is not longer).
AnsiString ModuleFolderOf(const AnsiString& helpPath);
// Loads the seven message files of the module folder into the message
// tables; a missing or empty file leaves the built-in texts.
void LoadMessageFiles(const AnsiString& moduleFolder);
// The host's folder of per-device configuration files: the "ExePath" key's
// Path + "..\Conf\MBF\", replaced by the "MibFile" key's Path when that key
// opens; "" when neither opens.
AnsiString ReadConfigFolder();

// Reads the arguments into ConnectionDefaults, DeviceAddress and `texts`.
// An argument's first two characters are its switch ("/I", "/R", ...), the
// rest its value, whatever it holds. The device's configuration file
// (configFolder + address + ".cfg") is read again before every argument
// that is not the address switch. A value that must be a whole number and
// is not one (or is out of range) raises EConvertError naming the switch,
// or the file and its key.
void ApplyConnectionArguments(TConnectionTexts& texts, const std::vector<AnsiString>& args,
                              const AnsiString& configFolder);
// Reads one configuration file as ApplyConnectionArguments does. A key that
// is absent or empty leaves its field as it is.
void ReadDeviceConfigFile(TConnectionTexts& texts, const AnsiString& fileName);
