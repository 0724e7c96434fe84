// What a page sends of a typed value, against the simulated switch: a value
// typed in a form its syntax does not read as typed (a date and time with a
// field out of range, a MAC address of 11 digits, an object identifier the
// wire form would change) is refused with the library's message, and
// nothing goes to the device.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "catalogue/AuthMib.h"
#include "catalogue/Oid_filterunit.h"
#include "catalogue/SecurityMib.h"
#include "catalogue/SnmpTargetMib.h"
#include "catalogue/TimeMib.h"
#include "catalogue/UsmMib.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

namespace {

constexpr const char* kCurrentClock = "1.3.6.1.4.1.171.12.10.2.0";
constexpr const char* kPaeMac = "1.3.6.1.4.1.171.12.3.9.1.1.2";
// snmpTargetAddrTDomain of the row "kxrtrap".
constexpr const char* kTrapDomain = "1.3.6.1.6.3.12.1.2.1.2.107.120.114.116.114.97.112";
constexpr const char* kBadValue = "Bad value of the associated SNMP variable's (partial) data!";
enum { kClockRow = 1, kMacRow = 1 };

std::string LastLine(const TMemo* memo) {
  const int n = memo->Lines()->Count();
  return n ? memo->Lines()->Strings(n - 1).str() : "";
}

class TypedValuesPage : public PagesDeviceTest {
 protected:
  void TearDown() override {
    if (page_.Form) {
      page_.Form->Close();
      delete page_.Form;
      page_ = Page();
    }
    PagesDeviceTest::TearDown();
  }
  void Show(const char* caption) {
    page_.Form->SetCaption(AnsiString(caption) + "127.0.0.1");
    TestKit::ShowAndActivate(page_.Form);
    ASSERT_TRUE(PumpUntil([this] { return page_.Form->CurrentRequest() != nullptr; }));
    ASSERT_TRUE(WaitIdle(*page_.Request));
  }
  TEditsPanel* Rows() const { return page_.Editor->EditsPanel; }
  TEdit* EditOf(int row) const { return dynamic_cast<TEdit*>(Rows()->Row(row).EditCtrl); }
  const TMemo* Memo() const { return page_.Editor->StatusPanel()->Memo; }

  Page page_;
};

// Basic Configuration > Time Management > Current Time, a scalar page.
TEST_F(TypedValuesPage, ADateAndTimeOutOfItsFormOrRangeIsRefused) {
  page_ = MakeEditorPage(CurrentTimeVars, VnItemType::SVT_SV, 0);
  page_.Editor->SetVarFormat(kClockRow, "%s{l22}");  // as the menu opens it
  Show("Current Time: ");
  const std::string before = Value(kCurrentClock);
  for (const char* typed : {"2024-300-26,13:30:15.0", "2024-5-26,13:30:300.0", "2024-5-26 13:30:15",
                            "13:30:15", "abc", "70000-1-1,13:30:15.0", "2024-5-26,13:30:15.0x"}) {
    SCOPED_TRACE(typed);
    EditOf(kClockRow)->SetText(typed);
    Rows()->Row(kClockRow).CheckBox->SetChecked(true);
    TestKit::Click(page_.Editor->BtnPanel->SetBtn);
    ASSERT_TRUE(WaitIdle(*page_.Request));
    EXPECT_TRUE(SetLines().empty());
    const std::string last = LastLine(Memo());
    EXPECT_EQ(last.rfind("Set: ", 0), 0u) << last;
    EXPECT_NE(last.find(kBadValue), std::string::npos) << last;
  }
  EXPECT_EQ(Value(kCurrentClock), before);
  // The text form with every field in range goes out as typed.
  EditOf(kClockRow)->SetText("2024-5-26,13:30:15.0");
  TestKit::Click(page_.Editor->BtnPanel->SetBtn);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_NE(SetLines()[0].find(std::string(kCurrentClock) + "=Hex-STRING:07 E8 05 1A 0D 1E 0F 00"),
            std::string::npos)
      << SetLines()[0];
  EXPECT_EQ(LastLine(Memo()).rfind("Set: Ok!", 0), 0u) << LastLine(Memo());
}

// A ticked row whose box shows none of its options (the switch holds a
// value outside the list) is left out: the write carries nothing, is not
// sent, and the status line says so.
TEST_F(TypedValuesPage, AWriteWithNothingToCarrySendsNothingAndSaysSo) {
  Control("set 1.3.6.1.4.1.171.12.19.1.1.0 i 9");
  page_ = MakeEditorPage(GlobalManagementVars, VnItemType::SVT_SV, 0);
  Show("Safeguard Global Management: ");
  Rows()->Row(0).CheckBox->SetChecked(true);
  TestKit::Click(page_.Editor->BtnPanel->SetBtn);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  EXPECT_TRUE(SetLines().empty());
  EXPECT_EQ(LastLine(Memo()).rfind("Set: No SNMP variable to set!", 0), 0u) << LastLine(Memo());
}

// A clock the switch gives without its zone goes back without one while it
// is left alone; read again with a zone, it goes back with it.
TEST_F(TypedValuesPage, AnUntouchedClockGoesBackInTheFormTheSwitchLastGaveIt) {
  page_ = MakeEditorPage(CurrentTimeVars, VnItemType::SVT_SV, 0);
  page_.Editor->SetVarFormat(kClockRow, "%s{l22}");
  Show("Current Time: ");
  const std::string clock = std::string(kCurrentClock) + "=Hex-STRING:07 D9 02 13 0A 1E 00 00";
  for (const char* zone : {"", "2B0000"}) {
    SCOPED_TRACE(zone);
    Control(std::string("set ") + kCurrentClock + " x 07D902130A1E0000" + zone);
    TestKit::Click(page_.Editor->BtnPanel->RefreshBtn);
    ASSERT_TRUE(WaitIdle(*page_.Request));
    Rows()->Row(kClockRow).CheckBox->SetChecked(true);
    TestKit::Click(page_.Editor->BtnPanel->SetBtn);
    ASSERT_TRUE(WaitIdle(*page_.Request));
    ASSERT_FALSE(SetLines().empty());
    const std::string sent = SetLines().back();
    EXPECT_NE(sent.find(clock + (*zone ? " 2B 00 00" : "")), std::string::npos) << sent;
    EXPECT_EQ(sent.find(" 2B 00 00") != std::string::npos, *zone != '\0') << sent;
  }
}

// Filter DHCP Server Log Table: scalars that the page reads by a walk (a
// table list without index columns) are written at their instance 0, and
// the page walks them again afterwards.
TEST_F(TypedValuesPage, ScalarsReadByAWalkAreWrittenAtInstanceZeroAndWalkedAgain) {
  page_ = MakeEditorPage(FilterDHCPServerLogTableVars, VnItemType::MVT_UMV, 0);
  Show("Filter DHCP Server Log Table: ");
  const int state = FilterDHCPServerLogTableItem::kDHCPServerTrapLogState;
  Rows()->Row(state).CheckBox->SetChecked(true);
  TestKit::PickItem(dynamic_cast<TComboBox*>(Rows()->Row(state).EditCtrl), 1);
  TestKit::Click(page_.Editor->BtnPanel->SetBtn);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_NE(SetLines()[0].find("1.3.6.1.4.1.171.12.37.1.4.0="), std::string::npos) << SetLines()[0];
  const int walked = CountLog("GETNEXT");
  TestKit::Click(page_.Editor->BtnPanel->RefreshBtn);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  EXPECT_GT(CountLog("GETNEXT"), walked);
  EXPECT_EQ(CountLog("GET"), 0);
}

// Security Management > 802.1X > MAC-based Authentication > MAC-based PAE
// Port Control, the Edit dialog of port 1.
TEST_F(TypedValuesPage, AMacAddressOfTheWrongDigitCountIsRefusedInTheEditDialog) {
  page_ =
      MakeListPage(MACBasedPAEPortControlVars, VnItemType::MVT_UMV, 1, -1, nullptr, -1, nullptr);
  Show("MAC-based PAE Port Control: ");
  TListView* list = page_.List->ListViewPanel->ListView;
  ASSERT_GE(list->Items()->Count(), 1);
  TestKit::ClickRow(list, 0);
  const std::string before = Value(std::string(kPaeMac) + ".1");
  std::vector<std::string> lines;
  TestKit::OnNextModal<TForm>([&](TForm* dialog) {
    TSNMPPanel* frame = FrameOf(dialog);
    ASSERT_NE(frame, nullptr);
    for (const char* typed : {"00112233445", "0011223344556", "001"}) {
      EditOf(kMacRow)->SetText(typed);
      Rows()->Row(kMacRow).CheckBox->SetChecked(true);
      TestKit::DialogScript boxes;
      boxes.Expect(std::string(kBadValue) + " (MAC Address)");
      TestKit::Click(frame->BtnPanel->SetBtn);
      boxes.Verify();
      lines.push_back(LastLine(Memo()));
    }
    EXPECT_TRUE(dialog->Visible());
    TestKit::Click(frame->BtnPanel->CloseBtn);
  });
  TestKit::Click(page_.List->BtnPanel->EditBtn);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  EXPECT_TRUE(SetLines().empty());
  ASSERT_EQ(lines.size(), 3u);
  for (const std::string& last : lines) {
    EXPECT_EQ(last.rfind("Set: ", 0), 0u) << last;
    EXPECT_NE(last.find(kBadValue), std::string::npos) << last;
  }
  EXPECT_EQ(Value(std::string(kPaeMac) + ".1"), before);
}

// SNMP V3 > SNMP Target MIB > Target Address Table, the Edit dialog: an
// object identifier whose first two numbers the wire form cannot carry as
// typed ("1.40" would reach the switch as 2.0) is refused.
TEST_F(TypedValuesPage, AnIdentifierTheWireFormCannotCarryIsRefusedInTheEditDialog) {
  using namespace SNMPTargetMIBTargetAddressTableItem;
  page_ = MakeListPage(SNMPTargetMIBTargetAddressTableVars, VnItemType::MVT_UMV, 1, kRowStatus,
                       "createAndGo", kRowStatus, "destroy");
  Show("Target Address Table: ");
  TListView* list = page_.List->ListViewPanel->ListView;
  ASSERT_GE(list->Items()->Count(), 1);
  TestKit::ClickRow(list, 0);
  const std::string before = Value(kTrapDomain);
  std::string last;
  TestKit::OnNextModal<TForm>([&](TForm* dialog) {
    TSNMPPanel* frame = FrameOf(dialog);
    ASSERT_NE(frame, nullptr);
    EditOf(kAddressTDomain)->SetText("1.40");
    Rows()->Row(kAddressTDomain).CheckBox->SetChecked(true);
    TestKit::DialogScript boxes;
    boxes.Expect(std::string(kBadValue) + " (Address TDomain)");
    TestKit::Click(frame->BtnPanel->SetBtn);
    boxes.Verify();
    last = LastLine(Memo());
    EXPECT_TRUE(dialog->Visible());
    TestKit::Click(frame->BtnPanel->CloseBtn);
  });
  TestKit::Click(page_.List->BtnPanel->EditBtn);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  EXPECT_TRUE(SetLines().empty());
  EXPECT_EQ(last.rfind("Set: ", 0), 0u) << last;
  EXPECT_NE(last.find(kBadValue), std::string::npos) << last;
  EXPECT_EQ(Value(kTrapDomain), before);
}

// SNMP V3 > User-based Security Model > User Table. Check All in the Edit
// dialog ticks the key changes, which the switch gives as empty: left alone
// they go back as the switch holds them, so Set Checked writes and closes
// the dialog. The Add dialog opened afterwards ticks only what it ticked the
// first time (the index rows and the row status), and there an empty ticked
// field is empty input.
TEST_F(TypedValuesPage, UntouchedEmptyValuesGoBackAndAddOpensAsTheFirstTime) {
  using namespace UserTableItem;
  // The key changes of user "plain", the first row, read as the agent gives
  // them: empty.
  const std::string plain = ".11.128.0.0.171.3.2.75.88.53.129.0.5.112.108.97.105.110";
  for (const char* column : {"6", "7", "9", "10"})
    Control(std::string("set 1.3.6.1.6.3.15.1.2.2.1.") + column + plain + " s \"\"");
  page_ = MakeListPage(UserTableVars, VnItemType::MVT_UMV, 2, kStatus, "createAndGo", kStatus,
                       "destroy");
  Show("User Table: ");
  TListView* list = page_.List->ListViewPanel->ListView;
  ASSERT_GE(list->Items()->Count(), 1);
  auto ticks = [this] {
    std::vector<bool> ticked;
    for (int i = 0; i < Rows()->RowCount(); ++i)
      ticked.push_back(Rows()->Row(i).CheckBox->Checked());
    return ticked;
  };
  std::vector<bool> first, later;
  auto looks = [&](std::vector<bool>& seen) {
    TestKit::OnNextModal<TForm>([&](TForm* dialog) {
      seen = ticks();
      TestKit::Click(FrameOf(dialog)->BtnPanel->CloseBtn);
    });
    TestKit::Click(page_.List->BtnPanel->AddBtn);
    ASSERT_TRUE(WaitIdle(*page_.Request));
  };
  looks(first);
  TestKit::ClickRow(list, 0);
  bool closed = false;
  TestKit::OnNextModal<TForm>([&](TForm* dialog) {
    EXPECT_TRUE(EditOf(kPrivacyKeyChange)->Text().IsEmpty());
    TestKit::Click(FrameOf(dialog)->BtnPanel->CheckAllBtn);
    EXPECT_TRUE(Rows()->Row(kPrivacyKeyChange).CheckBox->Checked());
    TestKit::Click(FrameOf(dialog)->BtnPanel->SetBtn);  // no "Some items are empty!"
    closed = dialog->ModalResult() != mrNone;
    if (!closed) TestKit::Click(FrameOf(dialog)->BtnPanel->CloseBtn);
  });
  TestKit::Click(page_.List->BtnPanel->EditBtn);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  EXPECT_TRUE(closed);
  EXPECT_EQ(SetLines().size(), 1u);
  // A new entry holds nothing yet: an empty ticked field there is empty input.
  TestKit::OnNextModal<TForm>([&](TForm* dialog) {
    later = ticks();
    EditOf(kEngineID)->SetText("e");
    EditOf(kUserName)->SetText("u");
    Rows()->Row(kPrivacyKeyChange).CheckBox->SetChecked(true);
    TestKit::DialogScript boxes;
    boxes.Expect("Some items are empty!");
    TestKit::Click(FrameOf(dialog)->BtnPanel->SetBtn);
    boxes.Verify();
    TestKit::Click(FrameOf(dialog)->BtnPanel->CloseBtn);
  });
  TestKit::Click(page_.List->BtnPanel->AddBtn);
  ASSERT_TRUE(WaitIdle(*page_.Request));
  EXPECT_EQ(later, first);
  EXPECT_EQ(SetLines().size(), 1u);
}

}  // namespace
