// The main window against the simulated switch: start-up, the front panel
// in its scroll box, the status readings that enable menu entries, and the
// screenshot.
#include <filesystem>
#include <fstream>

#include "MainWindowTestSupport.h"
#include "app/ConnectionParameters.h"
#include "app/MainUnit.h"
#include "app/PanelForm.h"
#include "library/VnMessageTables.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Leds.h"
#include "pages/FormHost.h"
#include "platform/ComCtrls.h"
#include "platform/Exceptions.h"
#include "platform/Menus.h"
#include "platform/Registry.h"
#include "platform/StdCtrls.h"

namespace {

constexpr const char* kRmonState = "1.3.6.1.4.1.171.11.101.1.2.1.2.4.0";
constexpr const char* kDot1xState = "1.0.8802.1.1.1.1.1.1.0";

using StartupTest = MainWindowTest;
using PanelHostTest = MainWindowTest;
using MenuStateTest = MainWindowTest;

TEST_F(StartupTest, NoArgumentShowsNoParameterInputAndEnds) {
  TestKit::DialogScript boxes;
  boxes.Expect("No parameter input");
  TMainForm* w = CreateMainWindow({});
  ASSERT_NE(w, nullptr);  // the window is still made
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(DeviceAddress, "");
}

TEST_F(StartupTest, WindowTakesItsCaptionAndTheVersionFromTheCommandLine) {
  CreateMainWindow({"/I10.1.2.3", "/Rpublic", "/Wprivate"});
  EXPECT_EQ(window_->Caption(), "10.1.2.3");
  EXPECT_EQ(DeviceAddress, "10.1.2.3");
  EXPECT_EQ(window_->AgentAddress, "10.1.2.3");
  EXPECT_EQ(ConnectionDefaults.Security.ReadCommunity, "public");
  EXPECT_FALSE(window_->VACM1->Enabled());  // SNMPv1: the "SNMP V3" menu is off
  EXPECT_EQ(window_->Width(), 800);
  EXPECT_FLOAT_EQ(window_->Scale, 1.0f);
  EXPECT_EQ(window_->ModelNames[1], "KXR-5816");
  EXPECT_FALSE(window_->FanTable1->Visible());
  EXPECT_TRUE(std::filesystem::exists(WorkDir() + "/VnSNMP_PP_BootCounter"));
  DeleteMainWindow();

  CreateMainWindow({"/I10.1.2.3", "/v1"});  // SNMPv2c: still off
  EXPECT_EQ(SnmpVersion, 1);
  EXPECT_FALSE(window_->VACM1->Enabled());
  DeleteMainWindow();

  CreateMainWindow({"/I10.1.2.3", "/v3", "/nadmin"});
  EXPECT_TRUE(window_->VACM1->Enabled());
}

TEST_F(StartupTest, ScreenAt120PixelsPerInchScalesBy125) {
  TestKit::SetPixelsPerInch(120);
  CreateMainWindow({"/I10.1.2.3"});
  EXPECT_FLOAT_EQ(window_->Scale, 1.25f);
}

TEST_F(StartupTest, RegistryNamesTheModuleFolderAndTheMenusFollowIt) {
  // Without the help-path key the menus keep their design-time state...
  {
    // ...which a store that cannot create the key shows: the key does not open.
    struct NoCreate : TMemoryRegistryStore {
      void CreateKey(const AnsiString&) override { throw ERegistryException("read-only"); }
    } readOnly;
    TRegistryStoreOverride use(readOnly);
    CreateMainWindow({"/I10.1.2.3"});
    EXPECT_TRUE(window_->FileSystem1->Visible());
    EXPECT_FALSE(window_->Multipleimagemanagement1->Visible());
    DeleteMainWindow();
  }
  // With it, the file system entries go and the multiple image and config
  // entries come; the message files are read from the module folder.
  const std::string module = WorkDir() + "/module";
  std::filesystem::create_directories(module + "/errmsg");
  std::ofstream(module + "/errmsg/snmp.msg") << "Read [ERROR] [VARLIST] [TIME]\nWrite [ERROR]\n";
  registry_.WriteValue("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Modules\\HelpPath",
                       "1.3.6.1.4.1.171.10.101.1", module + "/KXR58001.hlp");
  CreateMainWindow({"/I10.1.2.3"});
  EXPECT_FALSE(window_->FileSystem1->Visible());
  EXPECT_FALSE(window_->AgentSupportedConfigFiles1->Visible());
  EXPECT_TRUE(window_->Multipleimagemanagement1->Visible());
  EXPECT_TRUE(window_->MultipleConfigManagement1->Visible());
  EXPECT_EQ(g_MessageTables[MT_STATUS_FORMAT].Text(0), "Read [ERROR] [VARLIST] [TIME]");
}

TEST_F(StartupTest, ConfigurationFileFromTheHostsFolder) {
  const std::string conf = WorkDir() + "/conf";
  std::filesystem::create_directories(conf);
  registry_.WriteValue("HKEY_LOCAL_MACHINE\\SOFTWARE\\Vantrel\\Kelvane5.1\\MibFile", "Path",
                       conf + "/");
  WriteConfig(conf, "10.4.4.4",
              {"AgentPort=1161", "Version=3", "ContextName=kxr5810",
               "ContextEngineID=", "SecurityModel=3", "SecurityLevel=1", "SecurityName=md5user",
               "AuthProtocol=1", "PrivProtocol=0", "AuthPassword=md5password", "PrivPassword="});
  CreateMainWindow({"/I10.4.4.4", "/Rpublic"});
  EXPECT_TRUE(ConfigFileFound);
  EXPECT_TRUE(window_->VACM1->Enabled());
  EXPECT_EQ(ConnectionDefaults.Device.Port, 1161);
  EXPECT_EQ(ConnectionDefaults.Security.SecurityLevel, 2u);
  EXPECT_EQ(window_->SecurityLevelText, "2");
}

TEST_F(StartupTest, MalformedConfigurationFileStopsTheStartWithAConversionError) {
  WriteConfig(
      "", "10.5.5.5",
      {"AgentPort=161", "Version=1", "SecurityModel=2", "SecurityLevel=0", "AuthProtocol=md5"});
  SetArguments({"/I10.5.5.5", "/Rpublic"});
  EXPECT_THROW(Create<TMainForm>(Application), EConvertError);
}

// Forms reach the window only through their host: a window that is gone, or
// whose start-up raised, must not be left behind as one.
TEST_F(StartupTest, TheWindowHostsTheFormsFromItsStartToItsEnd) {
  CreateMainWindow({"/I10.1.2.3", "/Rpublic"});
  window_->ST_STPVersion->SetCaption("mstp");
  EXPECT_EQ(FormHost().Address(), "10.1.2.3");
  EXPECT_EQ(FormHost().StpVersion(), "mstp");
  FormHost().SetStpVersion("rstp");
  EXPECT_EQ(window_->ST_STPVersion->Caption(), "rstp");
  DeleteMainWindow();
  EXPECT_EQ(FormHost().StpVersion(), "");
  FormHost().UpdateRmonMenuState();

  WriteConfig("", "10.5.5.5", {"AgentPort=161", "Version=1", "AuthProtocol=md5"});
  SetArguments({"/I10.5.5.5", "/Rpublic"});
  EXPECT_THROW(Create<TMainForm>(Application), EConvertError);
  FormHost().SetStpVersion("stp");
  EXPECT_EQ(FormHost().StpVersion(), "");
  EXPECT_EQ(FormHost().IdleFlags().RefreshIdle, 0);
}

TEST(PortCount, FollowsTheModelNameWhateverTheCase) {
  EXPECT_EQ(GetPortCount("KXR-5810"), 10);
  EXPECT_EQ(GetPortCount("KXR-5816"), 16);
  EXPECT_EQ(GetPortCount("kxr-5816"), 16);
  EXPECT_EQ(GetPortCount(""), 0);
  EXPECT_EQ(GetPortCount("KXR-5824"), 0);
}

TEST_F(PanelHostTest, FirstActivationHostsThePanelAndReadsTheStates) {
  StartAgainstSimulator();
  ASSERT_NE(window_->PanelForms(), nullptr);
  ASSERT_EQ(window_->PanelForms()->Count(), 1);
  auto* panel = static_cast<TKXR5810PanelForm*>(window_->PanelForms()->Items(0));
  EXPECT_EQ(window_->CurrentPanelForm, panel);
  EXPECT_EQ(panel->Parent(), window_->ScrollBox1);
  EXPECT_EQ(panel->Left(), 0);
  EXPECT_EQ(panel->Top(), 0);
  EXPECT_EQ(window_->ClientWidth(), panel->ClientWidth() + 3);
  EXPECT_EQ(window_->ClientHeight(), panel->ClientHeight() + window_->StatusBar->Height() + 0 + 3);
  EXPECT_EQ(window_->ScrollBox1->Align(), alClient);
  EXPECT_TRUE(window_->Activated);

  // The seed: RMON and 802.1X disabled.
  EXPECT_EQ(window_->ST_RmonState->Caption(), "disabled");
  EXPECT_EQ(window_->ST_8021xStatus->Caption(), "disabled");
  EXPECT_FALSE(window_->Statistics1->Enabled());
  EXPECT_FALSE(window_->History1->Enabled());
  EXPECT_FALSE(window_->AlarmEvent1->Enabled());
  EXPECT_FALSE(window_->Auth1->Enabled());
  const std::string log = NewLog();
  EXPECT_NE(log.find(std::string("v2c\tqovalt\t\"\"\tGET\tnoError\t0\t") + kRmonState),
            std::string::npos)
      << log;
  EXPECT_NE(log.find(std::string("\tGET\tnoError\t0\t") + kDot1xState), std::string::npos) << log;
  // The RMON state is read after the panel has started its first reading.
  EXPECT_LT(log.find("1.3.6.1.4.1.171.11.101.1.2.1.1.4"), log.find(kRmonState));

  // Activating the window again builds nothing.
  TestKit::ShowAndActivate(window_);
  window_->FormActivate(window_);
  EXPECT_EQ(window_->PanelForms()->Count(), 1);
  EXPECT_EQ(window_->PanelForms()->Items(0), panel);
  // The LED request reports to panel 0 of the status bar.
  ASSERT_NE(panel->LedRequest(), nullptr);
  EXPECT_EQ(panel->LedRequest()->StatusTarget, window_->StatusBar->Panels()->Items(0));
}

TEST_F(PanelHostTest, RefreshPanelRebuildsOnlyWhenConfirmed) {
  StartAgainstSimulator();
  TForm* first = window_->CurrentPanelForm;
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Refresh panel may take a long time. Are you sure?", mrCancel);
    window_->RefreshPanel1Click(nullptr);
  }
  EXPECT_EQ(window_->CurrentPanelForm, first);
  Control(std::string("set ") + kRmonState + " i 3");
  {
    TestKit::DialogScript boxes;
    boxes.Expect("Refresh panel may take a long time. Are you sure?", mrOk);
    window_->MainMenu1->FindItem("RefreshPanel2")->Click();
    EXPECT_EQ(boxes.Shown().at(0).request.type, mtConfirmation);
  }
  ASSERT_EQ(window_->PanelForms()->Count(), 1);
  EXPECT_NE(window_->PanelForms()->Items(0), first);
  EXPECT_EQ(window_->CurrentPanelForm, window_->PanelForms()->Items(0));
  EXPECT_EQ(KXR5810PanelForm, window_->CurrentPanelForm);
  EXPECT_TRUE(window_->Statistics1->Enabled());  // the states are read again
}

TEST_F(MenuStateTest, RmonAnd8021xEntriesFollowTheDevice) {
  StartAgainstSimulator();
  Control(std::string("set ") + kRmonState + " i 3");
  Control(std::string("set ") + kDot1xState + " i 1");
  window_->UpdateRmonMenuState();
  window_->UpdateDot1xMenuState();
  EXPECT_TRUE(window_->Statistics1->Enabled());
  EXPECT_TRUE(window_->History1->Enabled());
  EXPECT_TRUE(window_->AlarmEvent1->Enabled());
  EXPECT_TRUE(window_->Auth1->Enabled());

  // A reading that fails raises and changes nothing.
  Control("mute");
  EXPECT_THROW(window_->UpdateRmonMenuState(), Exception);
  EXPECT_TRUE(window_->Statistics1->Enabled());
  Control("unmute");

  Control(std::string("set ") + kRmonState + " i 2");
  window_->UpdateRmonMenuState();
  EXPECT_FALSE(window_->Statistics1->Enabled());
  EXPECT_FALSE(TestKit::ChooseMenuItem(window_->Statistics1));
}

// The picture shows the whole menu bar: all ten top-level menus in one row.
TEST_F(PanelHostTest, MainWindowPicture) {
  StartAgainstSimulator();
  auto* panel = static_cast<TKXR5810PanelForm*>(window_->CurrentPanelForm);
  ASSERT_NE(panel->LedRequest(), nullptr);
  ASSERT_TRUE(WaitIdle(*panel->LedRequest()));
  panel->Timer1Timer(nullptr);  // the link pictures, without waiting 5 s
  TestKit::Pump();
  TMenuItem* root = window_->Menu()->Items();
  ASSERT_EQ(root->Count(), 10);
  for (int i = 0; i < root->Count(); ++i) {
    const TRect r = MenuItemRect(root->Items(i));
    EXPECT_GT(r.Width(), 0) << root->Items(i)->Caption();
    EXPECT_LE(r.Right, window_->ClientWidth()) << root->Items(i)->Caption();
    EXPECT_EQ(r.Top, 0) << root->Items(i)->Caption();
  }
  const std::string path = vntest::ArtifactsDir() + "/main-window.png";
  ASSERT_TRUE(TestKit::Grab(window_, path));
  EXPECT_TRUE(std::filesystem::exists(path));
}

}  // namespace
