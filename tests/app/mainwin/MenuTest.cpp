// What menu entries open: generic pages read from the simulated switch,
// dedicated feature forms through their openers. The whole tree against its
// reference data is MenuTreeTest's.
#include <string>
#include <vector>

#include "MainWindowTestSupport.h"
#include "app/MainMenuTree.h"
#include "app/MainUnit.h"
#include "catalogue/DeviceMib.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

namespace {

using PageTest = MainWindowTest;
using FeatureFormTest = MainWindowTest;

TEST_F(PageTest, EditorPageFromTheMenuReadsTheDevice) {
  StartAgainstSimulator();
  Control("set 1.3.6.1.4.1.171.11.101.1.2.1.1.2.0 i 7");
  bool checked = false;
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm* page) {
    EXPECT_EQ(page->Caption(), "Device Information: 127.0.0.1");
    EXPECT_EQ(page->FormType(), TConfigForm::ftEditor);
    VnSNMPRequest2Edits* request = PageRequest(page);
    ASSERT_NE(request, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return !request->Busy && request->RowCount > 0; }));
    TSNMPEditorPanel* panel = PagePanel(page);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->EditsPanel->Row(0).Label->Caption(), "Total Number of Ports");
    EXPECT_EQ(panel->EditsPanel->Row(0).EditCtrl->Text(), "10");
    EXPECT_EQ(panel->EditsPanel->Row(1).EditCtrl->Text(), "7");
    checked = true;
    page->Close();
  });
  ASSERT_TRUE(TestKit::ChooseMenuItem(window_->MainMenu1->FindItem("DeviceInformation1")));
  EXPECT_TRUE(checked);
  EXPECT_NE(NewLog().find("1.3.6.1.4.1.171.11.101.1.2.1.1.2.0"), std::string::npos);
}

TEST_F(PageTest, ListPageOfPortsWithAddAndDeleteButtonsAsTheEntrySays) {
  StartAgainstSimulator();
  bool checked = false;
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm* page) {
    EXPECT_EQ(page->Caption(), "Trust Host Table : 127.0.0.1");
    auto* panel = dynamic_cast<TSNMPListViewPanel*>(PagePanel(page));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->BtnPanel->AddBtn->Visible());
    EXPECT_TRUE(panel->BtnPanel->DeleteBtn->Visible());
    EXPECT_FALSE(panel->BtnPanel->EditBtn->Visible());  // no Edit
    EXPECT_EQ(panel->ListViewPanel->AddStatusText, "createAndGo");
    ASSERT_TRUE(WaitIdle(*PageRequest(page)));
    checked = true;
    page->Close();
  });
  window_->TrustHostTable1Click(nullptr);
  EXPECT_TRUE(checked);

  checked = false;
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm* page) {
    auto* panel = dynamic_cast<TSNMPListViewPanel*>(PagePanel(page));
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->BtnPanel->AddBtn->Visible());
    EXPECT_FALSE(panel->BtnPanel->DeleteBtn->Visible());
    VnSNMPRequest2Edits* request = PageRequest(page);
    ASSERT_TRUE(WaitIdle(*request));
    EXPECT_EQ(panel->ListViewPanel->ListView->Items()->Count(), 10);  // ports 1 to 10
    EXPECT_TRUE(TestKit::Grab(page, vntest::ArtifactsDir() + "/main-window-list-page.png"));
    checked = true;
    page->Close();
  });
  window_->PortErrorTable1Click(nullptr);
  EXPECT_TRUE(checked);
}

TEST_F(PageTest, ScaledHeightAt120PixelsPerInch) {
  TestKit::SetPixelsPerInch(120);
  StartAgainstSimulator();
  int height = 0;
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm* page) {
    height = page->Height();
    WaitIdle(*PageRequest(page));
    page->Close();
  });
  window_->PortErrorTable1Click(nullptr);  // H 450s
  EXPECT_EQ(height, 562);
}

TEST_F(PageTest, IfXTableIsReadWithV2cAndTheVersionComesBack) {
  // SNMPv1 to the simulator.
  WriteConfig("", "127.0.0.1",
              {"AgentPort=" + std::to_string(Sim().Port()), "Version=0", "SecurityModel=1",
               "SecurityLevel=0", "AuthProtocol=0", "PrivProtocol=0"});
  CreateMainWindow({"/I127.0.0.1", "/Rqovalt", "/Wmundrel"});
  ASSERT_EQ(SnmpVersion, 0);
  int version = -1;
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm* page) {
    VnSNMPRequest2Edits* request = PageRequest(page);
    version = request->Request.Security.Version;
    WaitIdle(*request);
    page->Close();
  });
  window_->IFXTable1Click(nullptr);
  EXPECT_EQ(version, 1);
  EXPECT_EQ(SnmpVersion, 0);
  EXPECT_NE(NewLog().find("v2c\tqovalt"), std::string::npos);
}

// A page that cannot be built still gives the version back: otherwise every
// later page would silently talk SNMPv2c.
TEST_F(PageTest, VersionComesBackWhenThePageCannotBeBuilt) {
  CreateMainWindow({"/I10.1.2.3"});
  TMainMenuEntry broken = *FindMenuEntry(&TMainForm::IFXTable1Click);
  broken.Page.Table = FindMenuEntry(&TMainForm::TrustHostTable1Click)->Page.Table;
  broken.Page.ItemType = VnItemType::MVT_UMV;
  broken.Page.KeyCount = 1;
  broken.Page.AddIndex = 2;
  broken.Page.AddText = "noSuchStatus";
  broken.Page.DeleteIndex = 2;
  broken.Page.DeleteText = "destroy";
  EXPECT_THROW(window_->RunMenuEntry(broken), Exception);
  EXPECT_EQ(SnmpVersion, 0);
}

TEST_F(PageTest, RmonControlPageUpdatesTheRmonEntriesWhenItCloses) {
  StartAgainstSimulator();
  ASSERT_FALSE(window_->Statistics1->Enabled());
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm* page) {
    EXPECT_EQ(page->Caption(), "RMON Control: 127.0.0.1");
    WaitIdle(*PageRequest(page));
    Control(std::string("set 1.3.6.1.4.1.171.11.101.1.2.1.2.4.0 i 3"));
    page->Close();
  });
  window_->RMONSetting1Click(nullptr);
  EXPECT_TRUE(window_->Statistics1->Enabled());
  EXPECT_TRUE(window_->History1->Enabled());
  EXPECT_TRUE(window_->AlarmEvent1->Enabled());
}

TEST_F(PageTest, Dot1xConfigurationPageUpdatesTheAuthenticationEntryAfterwards) {
  StartAgainstSimulator();
  ASSERT_FALSE(window_->Auth1->Enabled());
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm* page) {
    WaitIdle(*PageRequest(page));
    Control("set 1.0.8802.1.1.1.1.1.1.0 i 1");
    page->Close();
  });
  window_->Configuration2Click(nullptr);
  EXPECT_TRUE(window_->Auth1->Enabled());
}

TEST_F(PageTest, EditWidthsAndFormatsOfTheEntryAreApplied) {
  StartAgainstSimulator();
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm* page) {
    TSNMPEditorPanel* panel = PagePanel(page);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->EditsPanel->EditWidth, 142);  // EW 142s at 96 pixels per inch
    WaitIdle(*PageRequest(page));
    page->Close();
  });
  window_->Auth1Click(nullptr);

  TestKit::OnNextModal<TConfigForm>([&](TConfigForm* page) {
    TSNMPEditorPanel* panel = PagePanel(page);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->EditsPanel->EditWidth, 121 + 30);  // EW +30s
    WaitIdle(*PageRequest(page));
    page->Close();
  });
  window_->snmpEngine1Click(nullptr);
}

TEST_F(FeatureFormTest, FormWithoutOpenerSaysItIsNotAvailable) {
  StartAgainstSimulator();
  TestKit::DialogScript boxes;
  boxes.Expect(kPageNotAvailable);
  window_->PortTrunk2Click(nullptr);
}

TEST_F(FeatureFormTest, SpanningTreeInformationReadsTheVersionFirst) {
  StartAgainstSimulator();
  ASSERT_EQ(window_->ST_STPVersion->Caption(), "");
  TestKit::DialogScript boxes;
  boxes.Expect(kPageNotAvailable);
  window_->Information2Click(nullptr);
  EXPECT_EQ(window_->ST_STPVersion->Caption(), "rstp");
}

TComponent* g_openedOwner = nullptr;
AnsiString g_openedCaption;
void RecordingOpener(TComponent* owner, const AnsiString& caption) {
  g_openedOwner = owner;
  g_openedCaption = caption;
}

TEST_F(FeatureFormTest, RegisteredOpenerGetsTheOwnerAndTheCaption) {
  StartAgainstSimulator();
  ASSERT_TRUE(RegisterFormOpener("TVlanStaticForm", &RecordingOpener));
  ASSERT_TRUE(RegisterFormOpener("TPortTrunkForm", &RecordingOpener));
  EXPECT_FALSE(RegisterFormOpener("TPortTrunkForm", &RecordingOpener));
  window_->StaticForm1Click(nullptr);
  EXPECT_EQ(g_openedOwner, window_);
  EXPECT_EQ(g_openedCaption, "VLAN Static: 127.0.0.1");
  window_->PortTrunk2Click(nullptr);
  EXPECT_EQ(g_openedOwner, Application);
  EXPECT_EQ(g_openedCaption, "Port Trunk: 127.0.0.1");
  UnregisterFormOpener("TVlanStaticForm");
  UnregisterFormOpener("TPortTrunkForm");
  EXPECT_EQ(FindFormOpener("TPortTrunkForm"), nullptr);
}

TForm* g_probeGlobal = nullptr;

TEST_F(FeatureFormTest, ShownFormIsKeptInItsGlobalWhileModalAndDeletedAfterwards) {
  TestKit::EnsureApplication();
  bool seen = false;
  std::weak_ptr<void> life;
  TestKit::OnNextModal<TForm>([&](TForm* f) {
    EXPECT_EQ(g_probeGlobal, f);
    EXPECT_EQ(f->Caption(), "Probe: 10.1.2.3");
    life = f->LifeToken();
    seen = true;
    f->Close();
  });
  ShowFeatureForm<TForm>(Application, "Probe: 10.1.2.3", &g_probeGlobal);
  EXPECT_TRUE(seen);
  EXPECT_EQ(g_probeGlobal, nullptr);
  EXPECT_TRUE(life.expired());
}

TEST_F(FeatureFormTest, AboutBoxFromTheHelpMenu) {
  StartAgainstSimulator();
  bool seen = false;
  TestKit::OnNextModal([&](TCustomForm* f) {
    seen = f->Name() == "AboutForm";
    f->Close();
  });
  window_->MainMenu1->FindItem("About1")->Click();
  EXPECT_TRUE(seen);
}

}  // namespace
