// The host's table viewer started with the device's parameters, and the
// help file.
#include <cstdio>
#include <fstream>

#include "MainWindowTestSupport.h"
#include "app/ConnectionParameters.h"
#include "app/MainUnit.h"
#include "platform/Files.h"
#include "platform/LaunchServices.h"
#include "platform/Menus.h"

namespace {

class ViewerTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    use_ = std::make_unique<TLauncherOverride>(launcher_);
  }
  void TearDown() override {
    use_.reset();
    MainWindowTest::TearDown();
  }
  void InstallHost() {
    registry_.CreateKey(
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App "
        "Paths\\kelvane51.exe");
  }

  TRecordingLauncher launcher_;
  std::unique_ptr<TLauncherOverride> use_;
};

TEST_F(ViewerTest, Version1CommandLineHasAddressCommunitiesAndTheTableOnly) {
  CreateMainWindow({"/I10.90.90.90", "/Rpublic", "/Wprivate"});
  InstallHost();
  window_->IfTable1Click(nullptr);
  ASSERT_EQ(launcher_.Calls.size(), 1u);
  const std::vector<AnsiString> expected = {"MIB", "/I10.90.90.90", "/Rpublic", "/Wprivate",
                                            "/TMIB_IFTable"};
  EXPECT_EQ(launcher_.Calls[0], expected);
  EXPECT_EQ(window_->MakeViewerCommandLine("/TMIB_IFTable"),
            "MIB /I10.90.90.90 /Rpublic /Wprivate /TMIB_IFTable");
  EXPECT_EQ(StatusText(window_), "");
}

TEST_F(ViewerTest, EveryViewerEntryNamesItsProgram) {
  CreateMainWindow({"/I10.90.90.90", "/Rpublic", "/Wprivate"});
  InstallHost();
  struct Entry {
    const char* item;
    const char* program;
    const char* table;
  } entries[] = {
      {"Information3", "MIB", "/TMIB_Info"},
      {"GeneralTable1", "IFMib", "/TIFMib_LastChangeTable"},
      {"IfTable1", "MIB", "/TMIB_IFTable"},
      {"IFCounter1", "MIB", "/TMIB_IFCounters"},
      {"IPCounters1", "MIB", "/TMIB_IPCounters"},
      {"IPRouting1", "MIB", "/TMIB_IPRouting"},
      {"IPAddressTable1", "MIB", "/TMIB_IPAddress"},
      {"ICMPCounters1", "MIB", "/TMIB_ICMPCounters"},
      {"UDPCounters1", "MIB", "/TMIB_UDPCounters"},
      {"SNMPCounters1", "MIB", "/TMIB_SNMPCounters"},
      {"ARPTable1", "MIB", "/TMIB_ARP"},
      {"dot3Statistics1", "EthernetLike", "/TEthernetLike_dot3StatsTable"},
      {"Statistics1", "Rmon", "/TRmon_Statistics"},
      {"History1", "Rmon", "/TRmon_History"},
      {"AlarmEvent1", "Rmon", "/TRmon_AlarmEvent"},
      {"PortTable1", "Bridge", "/TBridge_Port"},
      {"ForwardingTable1", "Bridge", "/TBridge_Forwarding"},
      {"StaticTable1", "Bridge", "/TBridge_StaticFilter"},
      {"PortCounters1", "Bridge", "/TBridge_TpPortInfo"},
  };
  for (const Entry& e : entries) {
    launcher_.Calls.clear();
    TMenuItem* item = window_->MainMenu1->FindItem(e.item);
    ASSERT_NE(item, nullptr) << e.item;
    item->Click();
    ASSERT_EQ(launcher_.Calls.size(), 1u) << e.item;
    EXPECT_EQ(launcher_.Calls[0].front(), e.program) << e.item;
    EXPECT_EQ(launcher_.Calls[0].back(), e.table) << e.item;
  }
}

TEST_F(ViewerTest, MissingHostSaysNoPathAndStillStartsTheViewer) {
  CreateMainWindow({"/I10.90.90.90", "/Rpublic", "/Wprivate"});
  window_->ForwardingTable1Click(nullptr);
  EXPECT_EQ(StatusText(window_), "No Path!");
  ASSERT_EQ(launcher_.Calls.size(), 1u);
  EXPECT_EQ(launcher_.Calls[0].front(), "Bridge");
}

TEST_F(ViewerTest, OpenViewWithoutItsPathSaysFilePathError) {
  CreateMainWindow({"/I10.90.90.90", "/Rpublic", "/Wprivate"});
  registry_.WriteValue("HKEY_LOCAL_MACHINE\\SOFTWARE\\Hewlett-Packard\\OpenView", "OV_PATH", "");
  window_->History1Click(nullptr);
  EXPECT_EQ(StatusText(window_), "OpenView : File Path Error!");
  EXPECT_EQ(launcher_.Calls.size(), 1u);
  window_->ShowStatus("");
  registry_.WriteValue("HKEY_LOCAL_MACHINE\\SOFTWARE\\Hewlett-Packard\\OpenView", "OV_PATH",
                       "/opt/ov");
  window_->History1Click(nullptr);
  EXPECT_EQ(StatusText(window_), "");
}

TEST_F(ViewerTest, Version3SwitchesFollowEvenWhenEmpty) {
  CreateMainWindow({"/I10.90.90.90", "/Rpublic", "/Wprivate", "/v3"});
  InstallHost();
  EXPECT_EQ(window_->MakeViewerCommandLine("/TRmon_History"),
            "Rmon /I10.90.90.90 /Rpublic /Wprivate /TRmon_History /t /v3 /d /m /n");
}

TEST_F(ViewerTest, Version3FromTheConfigurationFileGoesOutInLibraryNumbers) {
  WriteConfig("", "10.7.7.7",
              {"AgentPort=1161", "Version=3", "ContextName=", "ContextEngineID=800000ab03",
               "SecurityModel=3", "SecurityLevel=2", "SecurityName=md5des", "AuthProtocol=1",
               "PrivProtocol=1", "AuthPassword=md5password", "PrivPassword=despassword"});
  CreateMainWindow({"/I10.7.7.7", "/Rpublic", "/Wprivate"});
  InstallHost();
  EXPECT_EQ(window_->MakeViewerCommandLine("/TBridge_Forwarding"),
            "Bridge /I10.7.7.7 /Rpublic /Wprivate /TBridge_Forwarding /t1161 /v3 /d800000ab03 "
            "/m3 /nmd5des /l3 /a2 /Amd5password /p2 /Pdespassword");
}

TEST_F(ViewerTest, EveryValueReachesTheViewerWholeWhateverItHolds) {
  // Blanks, tabs, quotes, backslashes and values that look like switches:
  // after WinExec's split each switch still has its whole value, and no
  // value turns into a switch of its own. A tab alone splits as a blank does.
  CreateMainWindow({"/I10.90.90.90", "/Rx /Aevil", "/W\"q\" a\"\"b\\\"", "/v3", "/n/Pfake",
                    "/cone\ttwo", "/A pass phrase ", "/P\t\""});
  InstallHost();
  window_->History1Click(nullptr);
  ASSERT_EQ(launcher_.Calls.size(), 1u);
  const std::vector<AnsiString> expected = {"Rmon",
                                            "/I10.90.90.90",
                                            "/Rx /Aevil",
                                            "/W\"q\" a\"\"b\\\"",
                                            "/TRmon_History",
                                            "/t",
                                            "/v3",
                                            "/d",
                                            "/m",
                                            "/n/Pfake",
                                            "/cone\ttwo",
                                            "/A pass phrase ",
                                            "/P\t\""};
  EXPECT_EQ(launcher_.Calls[0], expected);

  // A zero byte cannot travel in a command line: no viewer rather than one
  // that gets the rest of the line cut off.
  launcher_.Calls.clear();
  window_->ReadCommunity = AnsiString(std::string("pub\0lic", 7));
  window_->History1Click(nullptr);
  EXPECT_TRUE(launcher_.Calls.empty());
}

TEST_F(ViewerTest, HelpOpensTheHelpFileBesideTheProgram) {
  CreateMainWindow({"/I10.90.90.90"});
  const AnsiString help = ExtractFilePath(Application->ExeName()) + "KXR-5800-10 kelvane.hlp";
  std::ofstream(help.c_str()) << "help\n";
  window_->MainMenu1->FindItem("Help2")->Click();
  std::remove(help.c_str());
  ASSERT_EQ(launcher_.Calls.size(), 1u);
  const std::vector<AnsiString> expected = {"xdg-open", help};
  EXPECT_EQ(launcher_.Calls[0], expected);  // one argument, blank and all

  // Without the file the user learns which one is missing.
  TestKit::DialogScript boxes;
  boxes.Expect("The help file \"" + help + "\" was not found.");
  window_->MainMenu1->FindItem("Help2")->Click();
  boxes.Verify();
  EXPECT_EQ(launcher_.Calls.size(), 1u);
}

}  // namespace
