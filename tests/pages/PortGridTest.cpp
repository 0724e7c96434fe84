// The port-selection grid: its resource, the boxes' places and numbering,
// the "DeviceInfo.ini" line length, and the element binding of a port list.
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "PagesTestSupport.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

class InFolder {
 public:
  InFolder() {
    char here[4096];
    if (getcwd(here, sizeof here)) before_ = here;
    EXPECT_EQ(chdir(dir_.Path().c_str()), 0);
  }
  ~InFolder() { EXPECT_EQ(chdir(before_.c_str()), 0); }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;
  const vntest::TempDir& Dir() const { return dir_; }

 private:
  vntest::TempDir dir_;
  std::string before_;
};

class PortGrid : public PagesUiTest {
 protected:
  void SetUp() override {
    PagesUiTest::SetUp();
    host_.reset(new TForm(Application));
  }
  void TearDown() override {
    host_.reset();
    PagesUiTest::TearDown();
  }
  // As a feature form embeds it.
  TStackingPortUitForm* Embed() {
    auto* grid = Create<TStackingPortUitForm>(host_.get());
    grid->SetParent(host_.get());
    grid->SetAlign(alClient);
    grid->Show();
    return grid;
  }
  static TCheckBox* Box(TStackingPortUitForm* grid, int i) {
    return static_cast<TCheckBox*>(grid->PortCheckBoxes->Items(i));
  }
  std::unique_ptr<TForm> host_;
};

TEST_F(PortGrid, TheResourceIsABorderlessFormWithAPageControl) {
  std::unique_ptr<TStackingPortUitForm> grid(Create<TStackingPortUitForm>(host_.get()));
  EXPECT_EQ(grid->BorderStyle(), bsNone);
  EXPECT_EQ(grid->Caption(), "Form");
  EXPECT_EQ(grid->ClientWidth(), 543);
  EXPECT_EQ(grid->ClientHeight(), 252);
  EXPECT_EQ(grid->Font()->Size(), 8);
  ASSERT_NE(grid->UnitPageControl, nullptr);
  EXPECT_EQ(grid->UnitPageControl->Align(), alClient);
  ASSERT_NE(grid->PortCheckBoxes, nullptr);
  ASSERT_NE(grid->UnitSheets, nullptr);
}

TEST_F(PortGrid, ThirtyTwoBoxesInLinesOfTwelveOfWhichTheModelsPortsShow) {
  InFolder folder;
  TStackingPortUitForm* grid = Embed();
  grid->AddPortUnitPage("Unit" + AnsiString(1), 1, 32, 12, false);
  ASSERT_EQ(grid->PortCheckBoxes->Count(), 32);
  ASSERT_EQ(grid->UnitSheets->Count(), 1);
  auto* sheet = static_cast<TTabSheet*>(grid->UnitSheets->Items(0));
  EXPECT_EQ(sheet->Caption(), "Unit1");
  EXPECT_FALSE(sheet->TabVisible());
  for (int i = 0; i < 32; ++i) {
    TCheckBox* box = Box(grid, i);
    SCOPED_TRACE(i);
    EXPECT_EQ(box->Caption(), AnsiString(i + 1));
    EXPECT_EQ(box->Left(), 40 * (i % 12) + 20);
    EXPECT_EQ(box->Top(), (i / 12) * box->Height() + 4);
    EXPECT_EQ(box->Width(), i < 9 ? 32 : 40);
    EXPECT_FALSE(box->Visible());
    EXPECT_FALSE(box->Checked());
    EXPECT_TRUE(box->Enabled());
  }
  // Lines of 12, 12 and 8.
  EXPECT_EQ(Box(grid, 31)->Top(), Box(grid, 24)->Top());
  EXPECT_GT(Box(grid, 24)->Top(), Box(grid, 23)->Top());

  grid->ShowUnitPorts("1", "KXR-5816", 1, 16, 12);
  EXPECT_EQ(sheet->Caption(), "Unit1 KXR-5816");
  EXPECT_FALSE(sheet->TabVisible());
  EXPECT_TRUE(sheet->Visible());
  for (int i = 0; i < 32; ++i) EXPECT_EQ(Box(grid, i)->Visible(), i < 16) << i;
  // Lines of 12 and 4.
  EXPECT_EQ(Box(grid, 11)->Top(), 4);
  EXPECT_EQ(Box(grid, 12)->Top(), 4 + Box(grid, 12)->Height());
  EXPECT_EQ(Box(grid, 15)->Left(), 140);
}

// The unit page's tab is hidden: Tab goes from the control before the grid
// straight to port 1, and from the last port shown to the control after it.
TEST_F(PortGrid, TabGoesFromTheControlBeforeTheGridStraightToPortOne) {
  auto button = [this](const char* caption) {
    auto* b = new TButton(host_.get());
    b->SetParent(host_.get());
    b->SetCaption(caption);
    b->SetAlign(alTop);
    return b;
  };
  TButton* before = button("Before");
  TStackingPortUitForm* grid = Embed();
  TButton* after = button("After");
  after->SetAlign(alBottom);
  grid->AddPortUnitPage("Unit" + AnsiString(1), 1, 32, 12, false);
  grid->ShowUnitPorts("1", "KXR-5810", 1, 10, 12);
  TestKit::ShowAndActivate(host_.get());
  before->SetFocus();
  TestKit::PressTab();
  EXPECT_TRUE(Box(grid, 0)->Focused());
  TestKit::PressTab(true);
  EXPECT_TRUE(before->Focused());
  Box(grid, 9)->SetFocus();
  TestKit::PressTab();
  EXPECT_TRUE(after->Focused());
  EXPECT_FALSE(grid->UnitPageControl->CanFocus());
  static_cast<TTabSheet*>(grid->UnitSheets->Items(0))->SetTabVisible(true);
  EXPECT_TRUE(grid->UnitPageControl->CanFocus()) << "its tab shown";
  grid->UnitPageControl->SetEnabled(false);
  EXPECT_FALSE(grid->UnitPageControl->CanFocus()) << "disabled";
}

TEST_F(PortGrid, WithDeviceInfoIniALineHoldsTenWhateverTheFileSays) {
  InFolder folder;
  folder.Dir().Write("DeviceInfo.ini", "[Nothing]\nPortsPerRow=3\n");
  TStackingPortUitForm* grid = Embed();
  grid->AddPortUnitPage("Unit1", 1, 32, 12, false);
  EXPECT_EQ(grid->GetPortsPerRow("Unit1"), 10);
  // Lines of 10, 10, 10 and 2.
  for (int i = 0; i < 32; ++i) {
    EXPECT_EQ(Box(grid, i)->Left(), 40 * (i % 10) + 20) << i;
    EXPECT_EQ(Box(grid, i)->Top(), (i / 10) * Box(grid, i)->Height() + 4) << i;
  }
  grid->ShowUnitPorts("1", "KXR-5810", 1, 10, 12);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(Box(grid, i)->Visible(), i < 10) << i;
}

TEST_F(PortGrid, ClearingUnticksDisabledBoxesAndEnablingGivesThemBack) {
  InFolder folder;
  TStackingPortUitForm* grid = Embed();
  grid->AddPortUnitPage("Unit1", 1, 32, 12, false);
  Box(grid, 0)->SetChecked(true);
  Box(grid, 20)->SetChecked(true);
  grid->DisablePorts();
  for (int i = 0; i < 32; ++i) EXPECT_FALSE(Box(grid, i)->Enabled());
  grid->ClearPorts();
  for (int i = 0; i < 32; ++i) EXPECT_FALSE(Box(grid, i)->Checked());
  grid->EnablePorts();
  for (int i = 0; i < 32; ++i) EXPECT_TRUE(Box(grid, i)->Enabled());
}

TEST_F(PortGrid, ASingleModePageHasAScrollBoxAndNoBoxes) {
  InFolder folder;
  TStackingPortUitForm* grid = Embed();
  grid->AddPortUnitPage("Unit1", 1, 32, 12, true);
  EXPECT_FALSE(grid->UnitPageControl->Visible());
  ASSERT_NE(grid->SingleScrollBox, nullptr);
  EXPECT_EQ(grid->SingleScrollBox->Align(), alClient);
  EXPECT_EQ(grid->PortCheckBoxes->Count(), 0);
  // Nothing to show and no crash for units that have no page.
  grid->ShowUnitPorts("1", "KXR-5810", 1, 10, 12);
  grid->ShowUnitPorts("x", "KXR-5810", 7, 10, 12);
}

TEST_F(PortGrid, UnitPagesFollowOneAnotherAndBadArgumentsAreHarmless) {
  InFolder folder;
  TStackingPortUitForm* grid = Embed();
  for (int u = 1; u <= 3; ++u)
    grid->AddPortUnitPage("Unit" + AnsiString(u), 1 + 32 * (u - 1), 32, 12, false);
  ASSERT_EQ(grid->PortCheckBoxes->Count(), 96);
  grid->ShowUnitPorts("2", "KXR-5810", 2, 10, 12);
  for (int i = 0; i < 96; ++i) EXPECT_EQ(Box(grid, i)->Visible(), i >= 32 && i < 42) << i;
  // Captions start at 1 on every page.
  EXPECT_EQ(Box(grid, 32)->Caption(), "1");
  // More ports than the page holds, and no boxes per line at all.
  grid->ShowUnitPorts("3", "KXR-5810", 3, 99, 12);
  EXPECT_TRUE(Box(grid, 95)->Visible());
  grid->AddPortUnitPage("Unit4", 97, 3, 0, false);
  EXPECT_EQ(grid->PortCheckBoxes->Count(), 99);
}

// A port list bound to the 32 boxes of unit 1: port p is element p - 1, the
// most significant bit of the first octet being port 1.
TEST_F(PortGrid, BoundBoxesFollowThePortListBits) {
  InFolder folder;
  TStackingPortUitForm* grid = Embed();
  grid->AddPortUnitPage("Unit1", 1, 32, 12, false);
  grid->ShowUnitPorts("1", "KXR-5810", 1, 10, 12);
  static const VnSNMPVarDesc kPortList[] = {
      {"1.3.6.1.2.1.17.7.1.4.3.1.2", "Egress Ports", SNMP_SYNTAX_BITSTR, SNMP_ACCESS_READWRITE,
       nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
      {}};
  VnSNMPRequest2Edits request(host_.get());
  request.Request.VarList = VnSNMPVarList(kPortList, VnItemType::SVT_SV, 0);
  AnsiString elements;
  for (int e = 0; e < 32; ++e) elements += (e ? "," : "") + AnsiString(e);
  request.BindElementList(0, elements, grid->PortCheckBoxes.get());

  // Ports 1 and 32 from the device.
  *request.Request.VarList.Item(0)->Value = "80000001";
  request.ValuesToControls(-1);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(Box(grid, i)->Checked(), i == 0 || i == 31) << i;

  // The user ticks ports 2 and 9 only.
  grid->ClearPorts();
  Box(grid, 1)->SetChecked(true);
  Box(grid, 8)->SetChecked(true);
  request.ControlsToValues(-1);
  EXPECT_EQ(*request.Request.VarList.Item(0)->Value, "40800000");
}

}  // namespace
