// Menus: trees built from a table, hidden and disabled entries, handlers
// called by name and by the user, the form's menu bar and pop-up menus.
#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "platform/Buttons.h"
#include "platform/ExtCtrls.h"
#include "platform/Menus.h"
#include "support/TestSupport.h"

namespace {

class TMenuForm : public TForm {
 public:
  explicit TMenuForm(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsSingle);
    SetClientWidth(400);
    SetClientHeight(120);
    MainMenu1 = new TMainMenu(this);
    static const TMenuRow<TMenuForm> kRows[] = {
        {"Basic Configuration", "Configuration1"},
        {"Basic Configuration > Moudle Basic Configuration", "Moudle1", nullptr, false},
        {"Basic Configuration > Device Management > System Information", "Information3",
         &TMenuForm::Information3Click},
        {"Basic Configuration > Device Management > Refresh Panel", "RefreshPanel1",
         &TMenuForm::RefreshPanel1Click, false},
        {"Basic Configuration > -", "N1"},
        {"Basic Configuration > Equipment Management > Fan Table", "FanTable1",
         &TMenuForm::FanTable1Click},
        {"Bridge", "Bridge1", &TMenuForm::Bridge1Click},
        {"Bridge > Bridge Information", "BridgeInfo1", &TMenuForm::BridgeInfo1Click},
        {.Path = "SNMP V3", .Name = "VACM1", .Enabled = false, .Field = &TMenuForm::VACM1},
        {"SNMP V3 > Community Table", "Community1", &TMenuForm::Community1Click},
        {"Help > About", "About1", &TMenuForm::About1Click},
    };
    BuildMenu(MainMenu1, this, kRows);
  }
  void Information3Click(TObject*) { calls.push_back("Information3"); }
  void RefreshPanel1Click(TObject*) { calls.push_back("RefreshPanel1"); }
  void FanTable1Click(TObject*) { calls.push_back("FanTable1"); }
  void Bridge1Click(TObject*) { calls.push_back("Bridge1"); }
  void BridgeInfo1Click(TObject*) { calls.push_back("BridgeInfo1"); }
  void Community1Click(TObject*) { calls.push_back("Community1"); }
  void About1Click(TObject*) { calls.push_back("About1"); }

  TMenuItem* Item(const char* name) { return static_cast<TMenuItem*>(FindComponent(name)); }

  TMainMenu* MainMenu1 = nullptr;
  TMenuItem* VACM1 = nullptr;
  std::vector<std::string> calls;
};

class Menus : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form = Create<TMenuForm>(Application);
  }
  void TearDown() override {
    delete form;
    UiTest::TearDown();
  }
  TMenuForm* form = nullptr;
};

TEST_F(Menus, TableBuildsTheTreeInOrderWithNamesAndHandlers) {
  TMenuItem* root = form->MainMenu1->Items();
  ASSERT_EQ(root->Count(), 4);
  EXPECT_EQ(root->Items(0)->Caption(), "Basic Configuration");
  EXPECT_EQ(root->Items(3)->Caption(), "Help");
  EXPECT_EQ(root->Items(3)->Name(), "");  // made for the path, unnamed
  TMenuItem* basic = root->Items(0);
  ASSERT_EQ(basic->Count(), 4);
  EXPECT_EQ(basic->Items(1)->Caption(), "Device Management");
  EXPECT_EQ(basic->Items(1)->Count(), 2);  // both entries under one sub-menu
  EXPECT_TRUE(basic->Items(2)->IsLine());
  EXPECT_EQ(form->VACM1, root->Items(2));
  EXPECT_FALSE(form->VACM1->Enabled());
  EXPECT_FALSE(form->Item("RefreshPanel1")->Visible());
  EXPECT_EQ(form->Item("RefreshPanel1")->Parent()->Caption(), "Device Management");
  EXPECT_EQ(form->Item("RefreshPanel1")->GetParentMenu(), form->MainMenu1);
  EXPECT_EQ(form->MainMenu1->FindItem("fantable1"), form->Item("FanTable1"));
  // Items belong to the form as components.
  EXPECT_EQ(form->Item("About1")->Owner(), form);
}

TEST_F(Menus, HiddenEntriesKeepWorkingWhenCodeCallsThem) {
  form->Item("RefreshPanel1")->Click();
  form->Item("Information3")->OnClick(form->Item("Information3"));
  form->Item("Community1")->Click();  // under a disabled top-level item
  // A disabled item does not run its handler through Click.
  form->VACM1->OnClick = [&](TObject*) { form->calls.push_back("VACM1"); };
  form->VACM1->Click();
  EXPECT_EQ(form->calls, (std::vector<std::string>{"RefreshPanel1", "Information3", "Community1"}));
}

TEST_F(Menus, TheUserReachesOnlyVisibleEnabledEntriesOfAShownMenu) {
  form->SetMenu(form->MainMenu1);
  EXPECT_FALSE(TestKit::ChooseMenuItem(form->Item("Information3")));  // form not shown
  TestKit::ShowAndActivate(form);
  EXPECT_TRUE(TestKit::ChooseMenuItem(form->Item("Information3")));
  EXPECT_FALSE(TestKit::ChooseMenuItem(form->Item("RefreshPanel1")));  // hidden
  EXPECT_FALSE(TestKit::ChooseMenuItem(form->Item("Community1")));     // parent disabled
  EXPECT_FALSE(TestKit::ChooseMenuItem(form->Item("N1")));             // a separator
  // Opening a top-level menu is that item's click.
  EXPECT_TRUE(TestKit::ChooseMenuItem(form->Item("Bridge1")));
  EXPECT_TRUE(TestKit::ChooseMenuItem(form->Item("BridgeInfo1")));
  // State changes after the menu is shown reach the user at once.
  form->VACM1->SetEnabled(true);
  form->Item("RefreshPanel1")->SetVisible(true);
  EXPECT_TRUE(TestKit::ChooseMenuItem(form->Item("Community1")));
  EXPECT_TRUE(TestKit::ChooseMenuItem(form->Item("RefreshPanel1")));
  // So do entries added later, anywhere in the tree.
  TMenuItem* late = AddMenuEntry(form->MainMenu1, "Bridge > Late Entry", "Late1", [&](TObject* s) {
    form->calls.push_back(static_cast<TMenuItem*>(s)->Name().str());
  });
  EXPECT_TRUE(TestKit::ChooseMenuItem(late));
  EXPECT_EQ(form->calls, (std::vector<std::string>{"Information3", "Bridge1", "BridgeInfo1",
                                                   "Community1", "RefreshPanel1", "Late1"}));
}

TEST_F(Menus, AnExceptionFromAMenuHandlerIsShownAndTheLoopGoesOn) {
  form->SetMenu(form->MainMenu1);
  TestKit::ShowAndActivate(form);
  form->Item("About1")->OnClick = [](TObject*) {
    throw Exception("Can not change Type of a Config Form!");
  };
  TestKit::DialogScript boxes;
  boxes.Expect("Can not change Type of a Config Form!");
  EXPECT_TRUE(TestKit::ChooseMenuItem(form->Item("About1")));
}

TEST_F(Menus, TheMenuBarLiesOutsideTheClientArea) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetAlign(alClient);
  panel->SetBevelOuter(bvNone);
  panel->SetColor(clRed);
  EXPECT_EQ(form->Height() - form->ClientHeight(), 29);
  form->SetMenu(form->MainMenu1);
  EXPECT_EQ(form->ClientWidth(), 400);
  EXPECT_EQ(form->ClientHeight(), 120);
  EXPECT_EQ(form->Height() - form->ClientHeight(), 49);  // a menu adds 20
  EXPECT_EQ(panel->BoundsRect(), (TRect{0, 0, 400, 120}));
  TestKit::ShowAndActivate(form);
  TPixels shot = TestKit::GrabPixels(form);
  ASSERT_EQ(shot.Width, 400);
  ASSERT_EQ(shot.Height, 140);
  EXPECT_NE(shot.At(200, 10), 0xFFFF0000u);  // the bar
  EXPECT_EQ(shot.At(200, 20), 0xFFFF0000u);  // client row 0
  EXPECT_EQ(shot.At(399, 139), 0xFFFF0000u);
  // A parented form has no frame and shows no bar.
  auto* host = Create<TForm>(Application);
  form->SetParent(host);
  EXPECT_EQ(form->Height(), 120);
  form->SetParent(nullptr);
  EXPECT_EQ(form->Height(), 169);
  delete host;
}

// As the class library's bar does: entries that do not fit wrap onto
// another row, which the client area gives up; the window keeps its size.
TEST_F(Menus, EntriesThatDoNotFitWrapOntoAnotherRow) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetAlign(alClient);
  form->SetMenu(form->MainMenu1);
  TestKit::ShowAndActivate(form);
  TMenuItem* root = form->MainMenu1->Items();
  TMenuItem* help = root->Items(3);
  EXPECT_EQ(MenuItemRect(help).Top, 0);
  const int height = form->Height();
  form->SetClientWidth(250);
  EXPECT_EQ(form->Height(), height);
  EXPECT_EQ(form->ClientHeight(), 100);
  EXPECT_EQ(panel->BoundsRect(), (TRect{0, 0, 250, 100}));
  for (int i = 0; i < root->Count(); ++i) {
    const TRect r = MenuItemRect(root->Items(i));
    EXPECT_GT(r.Width(), 0) << i;
    EXPECT_LE(r.Right, 250) << i;
  }
  EXPECT_EQ(MenuItemRect(help).Top, 20);
  EXPECT_TRUE(TestKit::Grab(form, vntest::ArtifactsDir() + "/menu-bar-two-rows.png"));
  EXPECT_EQ(TestKit::GrabPixels(form).Height, 140);  // two rows and the client area
  root->Items(0)->SetVisible(false);                 // the rest fits in one row
  EXPECT_EQ(MenuItemRect(help).Top, 0);
  EXPECT_EQ(form->ClientHeight(), 120);
  EXPECT_EQ(panel->Height(), 120);
}

TEST_F(Menus, DestroyingTheMenuLeavesTheFormWithoutOne) {
  form->SetMenu(form->MainMenu1);
  TestKit::ShowAndActivate(form);
  int components = form->ComponentCount();
  TMenuItem* basic = form->MainMenu1->Items()->Items(0);
  int below = 0;
  for (int i = 0; i < basic->Count(); ++i) below += 1 + basic->Items(i)->Count();
  delete basic;  // takes its sub-items along, out of the form's components
  EXPECT_EQ(form->ComponentCount(), components - 1 - below);
  EXPECT_EQ(form->FindComponent("Information3"), nullptr);
  delete form->MainMenu1;
  EXPECT_EQ(form->Menu(), nullptr);
  EXPECT_EQ(form->ClientHeight(), 120);
  EXPECT_EQ(form->Height(), 149);
  EXPECT_EQ(TestKit::GrabPixels(form).Height, 120);
}

TEST_F(Menus, ItemListRules) {
  TMenuItem* help = form->MainMenu1->Items()->Items(3);
  EXPECT_THROW(form->Item("About1")->Items(0), EMenuError);
  EXPECT_THROW(help->Items(1), EListError);
  EXPECT_THROW(help->Add(form->Item("About1")), EMenuError);  // inserted twice
  auto* extra = new TMenuItem(form);
  extra->SetCaption("Contents");
  help->Insert(0, extra);
  EXPECT_EQ(help->Items(0), extra);
  EXPECT_EQ(form->Item("About1")->MenuIndex(), 1);
  help->Delete(0);  // out of the menu, not destroyed
  EXPECT_EQ(extra->Parent(), nullptr);
  EXPECT_EQ(help->Count(), 1);
  help->Add(extra);
  help->Clear();
  EXPECT_EQ(help->Count(), 0);
  EXPECT_EQ(form->FindComponent("About1"), nullptr);
}

TEST_F(Menus, AThreeHundredEntryTableBuildsAndShows) {
  std::vector<std::string> paths;
  for (int top = 0; top < 10; ++top)
    for (int sub = 0; sub < 6; ++sub)
      for (int leaf = 0; leaf < 5; ++leaf)
        paths.push_back("Menu " + std::to_string(top) + " > Group " + std::to_string(sub) +
                        " > Entry " + std::to_string(leaf));
  auto* menu = new TMainMenu(form);
  int clicks = 0;
  for (std::size_t i = 0; i < paths.size(); ++i)
    AddMenuEntry(
        menu, paths[i].c_str(), ("E" + std::to_string(i)).c_str(), [&](TObject*) { ++clicks; },
        i % 7 != 0);
  EXPECT_EQ(menu->Items()->Count(), 10);
  EXPECT_EQ(menu->Items()->Items(9)->Items(5)->Count(), 5);
  form->SetMenu(menu);
  TestKit::ShowAndActivate(form);
  EXPECT_TRUE(TestKit::ChooseMenuItem(menu->FindItem("E299")));
  EXPECT_FALSE(TestKit::ChooseMenuItem(menu->FindItem("E294")));  // hidden (294 = 7 x 42)
  EXPECT_EQ(clicks, 1);
}

class TPortForm : public TForm {
 public:
  explicit TPortForm(TComponent* owner) : TForm(owner) {
    PortInfoPopupMenu = new TPopupMenu(this);
    AddMenuEntry(PortInfoPopupMenu, "Port Information", "PortInformation2",
                 TNotifyEvent(this, &TPortForm::PortInformation2Click));
    AddMenuEntry(PortInfoPopupMenu, "Port Configuration", "PortConfiguration1", nullptr);
    Panel = new TPanel(this);
    Panel->SetParent(this);
    Panel->SetBounds(0, 0, 200, 100);
    Button = new TSpeedButton(this);
    Button->SetParent(Panel);
    Button->SetBounds(10, 10, 40, 20);
    Button->SetCaption("3.1");
    Button->SetPopupMenu(PortInfoPopupMenu);
  }
  void PortInformation2Click(TObject*) {
    auto* b = dynamic_cast<TSpeedButton*>(PortInfoPopupMenu->PopupComponent());
    seen = b ? b->Caption() : AnsiString("none");
  }
  TPopupMenu* PortInfoPopupMenu;
  TPanel* Panel;
  TSpeedButton* Button;
  AnsiString seen;
};

TEST_F(Menus, APopupMenuKnowsTheControlItOpenedOver) {
  auto* f = Create<TPortForm>(Application);
  int popups = 0;
  f->PortInfoPopupMenu->OnPopup = [&](TObject*) { ++popups; };
  TestKit::ShowAndActivate(f);
  TMenuItem* info = f->PortInfoPopupMenu->FindItem("PortInformation2");
  EXPECT_FALSE(TestKit::ChooseMenuItem(info));  // not open
  TestKit::RightClick(f->Panel, 100, 80);       // the panel has no menu
  EXPECT_EQ(popups, 0);
  TestKit::RightClick(f->Panel, 15, 15);  // on the button
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(f->PortInfoPopupMenu->PopupComponent(), f->Button);
  EXPECT_TRUE(TestKit::ChooseMenuItem(info));
  EXPECT_EQ(f->seen, "3.1");
  // The menu forgets a control that dies, and a control its dead menu.
  delete f->Button;
  EXPECT_EQ(f->PortInfoPopupMenu->PopupComponent(), nullptr);
  f->Panel->SetPopupMenu(f->PortInfoPopupMenu);
  delete f->PortInfoPopupMenu;
  EXPECT_EQ(f->Panel->PopupMenu(), nullptr);
  delete f;
}

}  // namespace
