// Command-line switches, the device's configuration file and the registry
// values that say where the module and the host's files are.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/ConnectionParameters.h"
#include "library/VnMessageTables.h"
#include "library/VnSNMPConnection.h"
#include "platform/Exceptions.h"
#include "platform/Registry.h"
#include "platform/RegistryStore.h"
#include "support/TestSupport.h"

namespace {

class ConnectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PresetConnectionDefaults();
    SnmpVersion = 0;
    ResetConnectionFlags();
    DeviceAddress = "";
  }
  void TearDown() override {
    PresetConnectionDefaults();
    ResetConnectionFlags();
    DeviceAddress = "";
    RestoreBuiltInMessages();
  }

  // "<folder>/<address>.cfg" with the lines below the section header.
  std::string Config(const std::string& address, const std::vector<std::string>& lines) {
    std::string text = "[Program Information]\n";
    for (const std::string& l : lines) text += l + "\n";
    return dir_.Write(address + ".cfg", text);
  }
  // A complete file; `extra` lines replace the defaults of their keys.
  std::string FullConfig(const std::string& address, const std::vector<std::string>& extra) {
    std::vector<std::string> lines = {"AgentPort=161",    "Version=0",       "ContextName=",
                                      "ContextEngineID=", "SecurityModel=1", "SecurityLevel=0",
                                      "SecurityName=",    "AuthProtocol=0",  "PrivProtocol=0",
                                      "AuthPassword=",    "PrivPassword="};
    for (const std::string& e : extra) {
      const std::string key = e.substr(0, e.find('=') + 1);
      for (std::string& l : lines)
        if (l.rfind(key, 0) == 0) l = e;
    }
    return Config(address, lines);
  }
  void Apply(const std::vector<AnsiString>& args) {
    ApplyConnectionArguments(texts_, args, Folder());
  }
  AnsiString Folder() const { return AnsiString(dir_.Path() + "/"); }

  vntest::TempDir dir_;
  TConnectionTexts texts_;
};

TEST_F(ConnectionTest, AddressAndCommunitiesWithoutFileKeepVersionOneAndPort161) {
  Apply({"/I10.90.90.90", "/Rpublic", "/Wprivate"});
  EXPECT_EQ(DeviceAddress, "10.90.90.90");
  EXPECT_EQ(texts_.AgentAddress, "10.90.90.90");
  EXPECT_EQ(ConnectionDefaults.Device.Address, "10.90.90.90");
  EXPECT_EQ(ConnectionDefaults.Security.ReadCommunity, "public");
  EXPECT_EQ(ConnectionDefaults.Security.WriteCommunity, "private");
  EXPECT_EQ(texts_.ReadCommunity, "public");
  EXPECT_EQ(texts_.WriteCommunity, "private");
  EXPECT_EQ(SnmpVersion, 0);
  EXPECT_EQ(ConnectionDefaults.Device.Port, 161);
  EXPECT_FALSE(ConfigFileFound);
}

TEST_F(ConnectionTest, Version3SwitchesCountOnlyAfterTheVersion) {
  Apply({"/I10.0.0.1", "/nearly", "/v3", "/nadmin", "/l3", "/a2", "/Amd5password", "/t1161", "/m3",
         "/ckxr", "/d800000ab03", "/p2", "/Pdespassword"});
  EXPECT_EQ(SnmpVersion, 3);
  EXPECT_EQ(texts_.VersionText, "3");
  EXPECT_EQ(ConnectionDefaults.Security.SecurityName, "admin");
  EXPECT_EQ(texts_.SecurityNameText, "admin");
  EXPECT_EQ(ConnectionDefaults.Security.SecurityLevel, 3u);  // library numbering, no + 1
  EXPECT_EQ(texts_.SecurityLevelText, "3");
  EXPECT_EQ(ConnectionDefaults.Security.AuthProtocol, 2u);
  EXPECT_EQ(texts_.AuthProtocolText, "2");
  EXPECT_EQ(ConnectionDefaults.Security.AuthPassPhrase, "md5password");
  EXPECT_EQ(ConnectionDefaults.Device.Port, 1161);
  EXPECT_EQ(texts_.PortText, "1161");
  EXPECT_EQ(ConnectionDefaults.Security.SecurityModel, 3u);
  EXPECT_EQ(ConnectionDefaults.Scope.ContextName, "kxr");
  EXPECT_EQ(ConnectionDefaults.Scope.ContextEngineId, "800000ab03");
  EXPECT_EQ(ConnectionDefaults.Security.PrivProtocol, 2u);
  EXPECT_EQ(ConnectionDefaults.Security.PrivPassPhrase, "despassword");
  EXPECT_TRUE(HaveContextName && HaveSecurityLevel && HaveAuthProtocol && HaveAuthPassphrase &&
              HavePrivProtocol && HavePrivPassphrase);
}

TEST_F(ConnectionTest, Version3SwitchesAreIgnoredForVersion1) {
  Apply({"/I10.0.0.1", "/t1161", "/nadmin", "/l3", "/Asecret"});
  EXPECT_EQ(ConnectionDefaults.Device.Port, 161);
  EXPECT_EQ(ConnectionDefaults.Security.SecurityName, "");
  EXPECT_EQ(ConnectionDefaults.Security.SecurityLevel, 1u);
  EXPECT_EQ(ConnectionDefaults.Security.AuthPassPhrase, "");
  EXPECT_FALSE(HaveSecurityLevel || HaveAuthPassphrase);
}

TEST_F(ConnectionTest, FileStoresLevelAndProtocolsOneLower) {
  FullConfig("10.0.0.2", {"Version=3", "SecurityModel=3", "SecurityLevel=2", "AuthProtocol=1",
                          "PrivProtocol=1", "SecurityName=md5des", "AuthPassword=md5password",
                          "PrivPassword=despassword", "ContextName=kxr5810", "AgentPort=1161"});
  Apply({"/I10.0.0.2", "/Rpublic"});
  EXPECT_TRUE(ConfigFileFound);
  EXPECT_EQ(SnmpVersion, 3);
  EXPECT_EQ(ConnectionDefaults.Security.SecurityLevel, 3u);  // authPriv
  EXPECT_EQ(texts_.SecurityLevelText, "3");
  EXPECT_EQ(ConnectionDefaults.Security.AuthProtocol, 2u);  // MD5
  EXPECT_EQ(texts_.AuthProtocolText, "2");
  EXPECT_EQ(ConnectionDefaults.Security.PrivProtocol, 2u);  // DES
  EXPECT_EQ(texts_.PrivProtocolText, "2");
  EXPECT_EQ(ConnectionDefaults.Security.SecurityModel, 3u);
  EXPECT_EQ(ConnectionDefaults.Security.SecurityName, "md5des");
  EXPECT_EQ(ConnectionDefaults.Scope.ContextName, "kxr5810");
  EXPECT_EQ(ConnectionDefaults.Device.Port, 1161);
  EXPECT_EQ(texts_.PortText, "1161");
  EXPECT_EQ(texts_.VersionText, "3");
  EXPECT_TRUE(HaveSecurityLevel && HaveAuthProtocol && HavePrivProtocol && HaveAuthPassphrase &&
              HavePrivPassphrase && HaveContextName);
}

TEST_F(ConnectionTest, StoredZeroLeavesTheLibraryDefaults) {
  FullConfig("10.0.0.3", {"Version=3"});
  Apply({"/I10.0.0.3", "/Rpublic"});
  EXPECT_EQ(ConnectionDefaults.Security.SecurityLevel, 1u);
  EXPECT_EQ(ConnectionDefaults.Security.AuthProtocol, 1u);
  EXPECT_EQ(ConnectionDefaults.Security.PrivProtocol, 1u);
  EXPECT_EQ(texts_.SecurityLevelText, "");
  EXPECT_FALSE(HaveSecurityLevel || HaveAuthProtocol || HavePrivProtocol || HaveContextName ||
               HaveAuthPassphrase || HavePrivPassphrase);
}

TEST_F(ConnectionTest, FileVersion3OpensTheVersion3SwitchesOfTheSameArgument) {
  FullConfig("10.0.0.4", {"Version=3"});
  Apply({"/I10.0.0.4", "/nadmin"});
  EXPECT_EQ(ConnectionDefaults.Security.SecurityName, "admin");
}

TEST_F(ConnectionTest, TheFileIsReadAgainBeforeEveryLaterArgument) {
  FullConfig("10.0.0.5", {"Version=3", "AgentPort=3000"});
  Apply({"/I10.0.0.5", "/t2000"});
  EXPECT_EQ(ConnectionDefaults.Device.Port, 2000);  // the switch of the last argument
  Apply({"/I10.0.0.5", "/t2000", "/Rpublic"});
  EXPECT_EQ(ConnectionDefaults.Device.Port, 3000);  // the file, read for the last argument

  // The README's v3 line against a file of version 0 runs as version 1: the
  // file takes the version back before "/t", and the v3 switches count for
  // nothing after it.
  FullConfig("10.0.0.2", {"Version=0"});
  Apply({"/I10.0.0.2", "/v3", "/t161", "/m3", "/l3", "/nadmin", "/a2", "/Asecret1", "/p2",
         "/Psecret2"});
  EXPECT_EQ(SnmpVersion, 0);
  EXPECT_EQ(ConnectionDefaults.Security.SecurityName, "");
  EXPECT_EQ(ConnectionDefaults.Security.SecurityLevel, 1u);
}

// The file is read before the arguments other than /I: with the address as
// the last argument, or alone, it is never read. Without /I the device is
// 127.0.0.1.
TEST_F(ConnectionTest, AddressAsTheLastArgumentReadsNoFile) {
  FullConfig("10.0.0.6", {"Version=3", "AgentPort=3000"});
  for (const std::vector<AnsiString>& args :
       {std::vector<AnsiString>{"/Rpublic", "/I10.0.0.6"}, std::vector<AnsiString>{"/I10.0.0.6"}}) {
    PresetConnectionDefaults();
    ConfigFileFound = false;
    texts_ = TConnectionTexts();
    Apply(args);
    EXPECT_FALSE(ConfigFileFound) << args.size();
    EXPECT_EQ(ConnectionDefaults.Device.Address, "10.0.0.6");
    EXPECT_EQ(ConnectionDefaults.Device.Port, 161);
    EXPECT_EQ(SnmpVersion, 0);
  }
  PresetConnectionDefaults();
  texts_ = TConnectionTexts();
  Apply({"/Rpublic"});
  EXPECT_EQ(ConnectionDefaults.Device.Address, "127.0.0.1");
}

// A switch is the first two characters of an argument; what follows is its
// value, whatever it holds.
TEST_F(ConnectionTest, ASwitchIsOnlyTheStartOfAnArgument) {
  Apply({"/I10.0.0.2", "/Rpublic/I10.1.1.1", "/Wpriv/Rx", "x/Ry", "/v3", "/Aab/I9.9.9.9"});
  EXPECT_EQ(DeviceAddress, "10.0.0.2");
  EXPECT_EQ(ConnectionDefaults.Device.Address, "10.0.0.2");
  EXPECT_EQ(texts_.AgentAddress, "10.0.0.2");
  EXPECT_EQ(ConnectionDefaults.Security.ReadCommunity, "public/I10.1.1.1");
  EXPECT_EQ(ConnectionDefaults.Security.WriteCommunity, "priv/Rx");
  EXPECT_EQ(ConnectionDefaults.Security.AuthPassPhrase, "ab/I9.9.9.9");
  EXPECT_EQ(SnmpVersion, 3);
  // Letter case counts: "/r" is no switch.
  Apply({"/I10.0.0.2", "/rlower"});
  EXPECT_EQ(ConnectionDefaults.Security.ReadCommunity, "public/I10.1.1.1");
}

// A key that is absent or empty leaves its field to the defaults or to an
// earlier argument; only a value that is there and wrong ends start-up.
TEST_F(ConnectionTest, MissingOrEmptyKeysOfTheFileLeaveTheirFields) {
  Config("10.0.0.7", {"AgentPort=", "Version=3", "SecurityLevel="});  // nothing else
  Apply({"/I10.0.0.7", "/v3", "/nadmin", "/a2", "/Rpublic"});
  EXPECT_TRUE(ConfigFileFound);
  EXPECT_EQ(SnmpVersion, 3);
  EXPECT_EQ(ConnectionDefaults.Device.Port, 161);
  EXPECT_EQ(ConnectionDefaults.Security.SecurityModel, 1u);  // the library's default
  EXPECT_EQ(ConnectionDefaults.Security.SecurityLevel, 1u);
  EXPECT_EQ(ConnectionDefaults.Security.SecurityName, "admin");  // from "/n"
  EXPECT_EQ(ConnectionDefaults.Security.AuthProtocol, 2u);       // from "/a"
  EXPECT_EQ(ConnectionDefaults.Security.PrivProtocol, 1u);
  EXPECT_EQ(ConnectionDefaults.Security.ReadCommunity, "public");
}

TEST_F(ConnectionTest, BadNumbersNameWhereTheyCameFrom) {
  const std::string file = "Configuration file \"" + Folder().str() + "10.0.0.9.cfg\", key ";
  const std::vector<AnsiString> fileArgs = {"/I10.0.0.9", "/Rpublic"};
  struct Case {
    std::string line;  // of the file; none when empty
    std::vector<AnsiString> args;
    std::string message;
  } cases[] = {
      {"AgentPort=abc", fileArgs, file + "\"AgentPort\": 'abc' is not a valid integer value"},
      {"AuthProtocol=x1", fileArgs, file + "\"AuthProtocol\": 'x1' is not a valid integer value"},
      {"Version=300", fileArgs, file + "\"Version\": '300' is out of range (0 to 255)"},
      // Stored one lower, the largest number would wrap to 0 once raised.
      {"SecurityLevel=4294967295", fileArgs,
       file + "\"SecurityLevel\": '4294967295' is out of range (0 to 4294967294)"},
      {"AuthProtocol=4294967295", fileArgs,
       file + "\"AuthProtocol\": '4294967295' is out of range (0 to 4294967294)"},
      {"PrivProtocol=4294967295", fileArgs,
       file + "\"PrivProtocol\": '4294967295' is out of range (0 to 4294967294)"},
      {"", {"/I10.0.0.1", "/vthree"}, "Switch \"/v\": 'three' is not a valid integer value"},
      {"", {"/I10.0.0.1", "/v3", "/tport"}, "Switch \"/t\": 'port' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    std::remove((dir_.Path() + "/10.0.0.9.cfg").c_str());
    if (!c.line.empty()) FullConfig("10.0.0.9", {c.line});
    try {
      Apply(c.args);
      ADD_FAILURE() << c.message;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message.str().rfind(c.message, 0), 0u) << e.Message;
    }
  }
}

// A number the field cannot hold is refused instead of being cut to another
// value: a port of 70000 would otherwise send every request to port 4464.
TEST_F(ConnectionTest, NumbersOutOfTheFieldsRangeAreRefused) {
  FullConfig("10.0.1.1", {"AgentPort=70000"});
  EXPECT_THROW(Apply({"/I10.0.1.1", "/Rpublic"}), EConvertError);
  EXPECT_THROW(Apply({"/I10.0.1.2", "/v259"}), EConvertError);
  EXPECT_THROW(Apply({"/I10.0.1.2", "/v3", "/t65536"}), EConvertError);
  EXPECT_THROW(Apply({"/I10.0.1.2", "/v3", "/l-1"}), EConvertError);
  try {
    Apply({"/I10.0.1.2", "/v3", "/t70000"});
    ADD_FAILURE() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message, "Switch \"/t\": '70000' is out of range (0 to 65535)");
  }
  EXPECT_NO_THROW(Apply({"/I10.0.1.2", "/v3", "/t65535"}));
  EXPECT_EQ(ConnectionDefaults.Device.Port, 65535);
}

TEST_F(ConnectionTest, AuthProtocolTextKeepsAStoredZero) {
  // The text field is not updated once it holds "0".
  texts_.AuthProtocolText = "0";
  Apply({"/I10.0.0.1", "/v3", "/a2"});
  EXPECT_EQ(ConnectionDefaults.Security.AuthProtocol, 2u);
  EXPECT_EQ(texts_.AuthProtocolText, "0");
  EXPECT_FALSE(HaveAuthProtocol);
}

TEST(ModuleFolder, HelpPathLessItsFileName) {
  EXPECT_EQ(ModuleFolderOf("C:\\Vantrel\\Modules\\KXR5800\\KXR58001.hlp"),
            "C:\\Vantrel\\Modules\\KXR5800\\");
  EXPECT_EQ(ModuleFolderOf("/opt/kxr/KXR58001.hlp"), "/opt/kxr/");
  EXPECT_EQ(ModuleFolderOf("KXR58001.hlp"), "");
  EXPECT_EQ(ModuleFolderOf(""), "");
}

TEST(ModuleRegistry, HelpPathKeyIsCreatedWhenMissing) {
  TMemoryRegistryStore store;
  TRegistryStoreOverride use(store);
  bool opened = false;
  EXPECT_EQ(ReadHelpPath(opened), "");
  EXPECT_TRUE(opened);
  EXPECT_TRUE(store.KeyExists("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Modules\\HelpPath"));
}

TEST(ModuleRegistry, HelpPathFromTheRegistryFile) {
  vntest::TempDir dir;
  const std::string file =
      dir.Write("registry.ini",
                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Modules\\HelpPath]\n"
                "1.3.6.1.4.1.171.10.101.1=/opt/vantrel/kxr/KXR58001.hlp\n"
                "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Kelvane5.1\\ExePath]\n"
                "Path=/opt/kelvane/bin/\n");
  TFileRegistryStore store(file);
  TRegistryStoreOverride use(store);
  bool opened = false;
  EXPECT_EQ(ReadHelpPath(opened), "/opt/vantrel/kxr/KXR58001.hlp");
  EXPECT_TRUE(opened);
  EXPECT_EQ(ReadConfigFolder(), "/opt/kelvane/bin/..\\Conf\\MBF\\");
}

TEST(ModuleRegistry, MibFilePathReplacesTheConfigurationFolder) {
  TMemoryRegistryStore store(
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Kelvane5.1\\ExePath]\nPath=/opt/kelvane/bin/\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Kelvane5.1\\MibFile]\nPath=/srv/conf/\n");
  TRegistryStoreOverride use(store);
  EXPECT_EQ(ReadConfigFolder(), "/srv/conf/");
}

TEST(ModuleRegistry, NoKeysGiveNoConfigurationFolder) {
  TMemoryRegistryStore store;
  TRegistryStoreOverride use(store);
  EXPECT_EQ(ReadConfigFolder(), "");
}

TEST(MessageFiles, AreLoadedFromTheModuleFolder) {
  vntest::TempDir dir;
  std::filesystem::create_directories(dir.Path() + "/errmsg");
  dir.Write("errmsg/snmp.msg", "Read: [ERROR]\nWrite: [ERROR]\n");
  LoadMessageFiles(AnsiString(dir.Path() + "/"));
  EXPECT_EQ(g_MessageTables[MT_STATUS_FORMAT].Text(0), "Read: [ERROR]");
  EXPECT_FALSE(g_MessageTables[MT_LIBRARY].IsReplaced());  // missing file: built-in texts
  RestoreBuiltInMessages();
}

}  // namespace
