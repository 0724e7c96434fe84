// The menu tree and what its entries open: generic pages read from the
// simulated switch, dedicated feature forms through their openers.
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "MainWindowTestSupport.h"
#include "app/FormOpeners.h"
#include "app/GUIConfigForm.h"
#include "app/GUIGenerator.h"
#include "app/MainMenuTree.h"
#include "app/MainUnit.h"
#include "app/mibdefs/DeviceMib.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/Buttons.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

namespace {

using MenuTreeTest = MainWindowTest;
using PageTest = MainWindowTest;
using FeatureFormTest = MainWindowTest;

// Every item below `item`, depth first.
void Walk(TMenuItem* item, const std::function<void(TMenuItem*)>& f) {
  for (int i = 0; i < item->Count(); ++i) {
    f(item->Items(i));
    Walk(item->Items(i), f);
  }
}

// The item reached by captions from the top level (" > " between levels).
TMenuItem* ByPath(TMainMenu* menu, const std::string& path) {
  TMenuItem* item = menu->Items();
  std::size_t start = 0;
  while (item) {
    const std::size_t end = path.find(" > ", start);
    const std::string caption = path.substr(start, end == std::string::npos ? end : end - start);
    TMenuItem* next = nullptr;
    for (int i = 0; i < item->Count(); ++i)
      if (item->Items(i)->Caption() == caption) next = item->Items(i);
    item = next;
    if (end == std::string::npos) break;
    start = end + 3;
  }
  return item;
}

// The page's editor panel (or list panel).
TSNMPEditorPanel* PagePanel(TConfigForm* form) {
  for (int i = 0; i < form->ControlCount(); ++i)
    if (auto* p = dynamic_cast<TSNMPEditorPanel*>(form->Controls(i))) return p;
  return nullptr;
}

VnSNMPRequest2Edits* PageRequest(TConfigForm* form) {
  TList* list = form->RequestList();
  return list && list->Count() ? static_cast<VnSNMPRequest2Edits*>(list->Items(0)) : nullptr;
}

TEST_F(MenuTreeTest, TenMenusAndEveryEntryWithItsNameCaptionAndHandler) {
  CreateMainWindow({"/I10.1.2.3"});
  TMenuItem* root = window_->MainMenu1->Items();
  const char* tops[] = {"Basic Configuration",
                        "RMON",
                        "Bridge",
                        "VLAN",
                        "SNMP V3",
                        "Security Management",
                        "Layer 2 Management",
                        "Layer 3 Management",
                        "Single IP",
                        "Help"};
  ASSERT_EQ(root->Count(), 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(root->Items(i)->Caption(), tops[i]);
  EXPECT_EQ(root->Items(4)->Name(), "VACM1");
  EXPECT_EQ(root->Items(1)->Name(), "Menu_RMON");

  int leaves = 0, all = 0, withHandler = 0;
  std::set<std::string> names;
  Walk(root, [&](TMenuItem* item) {
    ++all;
    if (item->Count() == 0) ++leaves;
    if (item->OnClick) ++withHandler;
    EXPECT_TRUE(names.insert(item->Name().str()).second) << item->Name();
  });
  EXPECT_EQ(leaves, 317);
  EXPECT_EQ(all, kMainMenuEntryCount);
  EXPECT_EQ(withHandler, 292);  // 291 handlers, "Refresh Panel" twice

  // The menu holds the table's entries in the table's order.
  std::vector<TMenuItem*> items;
  Walk(root, [&](TMenuItem* item) { items.push_back(item); });
  ASSERT_EQ(static_cast<int>(items.size()), kMainMenuEntryCount);
  for (int i = 0; i < kMainMenuEntryCount; ++i) {
    const TMainMenuEntry& e = kMainMenuEntries[i];
    EXPECT_EQ(items[i]->Name(), AnsiString(e.Name)) << e.Path;
    std::string path = e.Path;
    EXPECT_EQ(
        items[i]->Caption(),
        AnsiString(path.substr(path.rfind(" > ") == std::string::npos ? 0 : path.rfind(" > ") + 3)))
        << e.Path;
    // These four change at start-up (registry, FormCreate).
    const std::set<std::string> changing = {
        "FanTable1", "FileSystem1", "AgentSupportedConfigFiles1", "Multipleimagemanagement1"};
    if (!changing.count(e.Name) && std::string(e.Name) != "MultipleConfigManagement1") {
      EXPECT_EQ(items[i]->Visible(), e.Visible) << e.Path;
    }
    EXPECT_EQ(static_cast<bool>(items[i]->OnClick), e.OnClick != nullptr) << e.Path;
  }
}

TEST_F(MenuTreeTest, SampleEntries) {
  CreateMainWindow({"/I10.1.2.3"});
  TMainMenu* m = window_->MainMenu1;
  struct Sample {
    const char* path;
    const char* name;
    bool visible;
  } samples[] = {
      {"Basic Configuration > Device Management > System Information", "Information3", true},
      {"Basic Configuration > Device Management > Refresh Panel", "RefreshPanel1", false},
      {"Basic Configuration > Refresh Panel", "RefreshPanel2", true},
      {"Basic Configuration > Agent Management > ARP Clear All State", "AgentARPClearAllStatl1",
       true},
      {"Bridge > Spanning Tree > STP Port Table", "PortTable", false},
      {"Security Management > 802.1X > MAC-based Authentication > PAE Over Land  Frames Statistic "
       "Table",
       "StatisticTable1", false},
      {"Layer 2 Management > IGMP Snooping Management > IGMP Soonping Group", "IGMPSoonpingGroup1",
       true},
      {"Single IP > MS Trap Message", "MSTrapMessage1", false},
      {"Help > About", "About1", true},
  };
  for (const Sample& s : samples) {
    TMenuItem* item = ByPath(m, s.path);
    ASSERT_NE(item, nullptr) << s.path;
    EXPECT_EQ(item->Name(), s.name);
    EXPECT_EQ(item->Visible(), s.visible) << s.path;
  }
  // Sub-menus whose entries are all hidden are hidden themselves.
  EXPECT_FALSE(ByPath(m, "Layer 2 Management > PoE")->Visible());
  EXPECT_FALSE(ByPath(m, "Basic Configuration > Entity")->Visible());
  EXPECT_TRUE(ByPath(m, "Basic Configuration > IF-MIB")->Visible());

  const TMainMenuEntry* e = FindMenuEntry(&TMainForm::IFXTable1Click);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->Opens, TEntryOpens::Page);
  EXPECT_STREQ(e->Title, "IfX Table: ");
  EXPECT_EQ(e->Marks, static_cast<unsigned>(emV2c));
  EXPECT_EQ(e->Page.Height, 450);
  EXPECT_FALSE(e->Page.HeightScaled);
  e = FindMenuEntry(&TMainForm::PortTrunk2Click);
  EXPECT_EQ(e->Opens, TEntryOpens::Form);
  EXPECT_STREQ(e->Target, "TPortTrunkForm");
  EXPECT_EQ(e->Global, nullptr);
  e = FindMenuEntry(&TMainForm::StaticForm1Click);
  EXPECT_EQ(e->Owner, TFormOwner::MainWindow);
  EXPECT_STREQ(e->Global, "VlanStaticForm");
  e = FindMenuEntry(&TMainForm::MaxConcurrentRequests1Click);
  EXPECT_STREQ(e->Title, "Max Concurrent Requests: ");
  EXPECT_STREQ(e->Separator, " : ");

  int viewers = 0, forms = 0, pages = 0;
  for (int i = 0; i < kMainMenuEntryCount; ++i) {
    viewers += kMainMenuEntries[i].Opens == TEntryOpens::Viewer;
    forms += kMainMenuEntries[i].Opens == TEntryOpens::Form;
    pages += kMainMenuEntries[i].Opens == TEntryOpens::Page;
  }
  EXPECT_EQ(viewers, 19);
  EXPECT_EQ(forms, 71);
  EXPECT_EQ(pages, 195);
}

TEST_F(PageTest, EditorPageFromTheMenuReadsTheDevice) {
  StartAgainstSimulator();
  Control("set 1.3.6.1.4.1.171.11.101.1.2.1.1.2.0 i 7");
  bool checked = false;
  TestKit::OnNextModal<TConfigForm>([&](TConfigForm* page) {
    EXPECT_EQ(page->Caption(), "Device Information: 127.0.0.1");
    EXPECT_EQ(page->FormType(), TConfigForm::ftEditor);
    VnSNMPRequest2Edits* request = PageRequest(page);
    ASSERT_NE(request, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return request->Busy == 0 && request->RowCount > 0; }));
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
  broken.Page.ItemType = 3;
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
