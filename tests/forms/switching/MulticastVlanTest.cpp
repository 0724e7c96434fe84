// The IGMP multicast VLAN form against the simulated switch: the port list
// written is the one named under "Ports Type", Add sends only ID, name,
// profile list and createAndGo, Delete sends only destroy, and the input
// checks keep bad text from the device.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PagesTestSupport.h"
#include "forms/switching/IGMPMulticastVlanUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"
#include "support/TestSupport.h"

namespace {

const std::string kEntry = "1.3.6.1.4.1.171.12.64.3.1.1";

TCheckBox* Port(TStackingPortUitForm* frame, int port) {
  return static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(port - 1));
}

class MulticastVlanTest : public PagesDeviceTest {
 protected:
  std::unique_ptr<TIGMPMulticastVlanForm> Open() {
    std::unique_ptr<TIGMPMulticastVlanForm> f(Create<TIGMPMulticastVlanForm>(Application));
    TestKit::ShowAndActivate(f.get());
    return f;
  }
  static bool WaitForm(TIGMPMulticastVlanForm* f) {
    return PumpUntil([f] { return !f->Request->Busy; });
  }
  static bool Has(const std::string& line, const std::string& what) {
    return line.find(what) != std::string::npos;
  }
};

TEST_F(MulticastVlanTest, SetWritesOnlyThePortListNamedUnderPortsType) {
  Control("set " + kEntry + ".2.1 s \"mvlan1\"");
  Control("set " + kEntry + ".3.1 x 80000000");
  Control("set " + kEntry + ".4.1 x 40000000");
  Control("set " + kEntry + ".5.1 x 20000000");
  auto f = Open();
  ASSERT_TRUE(WaitForm(f.get()));
  ASSERT_EQ(f->LV_IGMPMulticastVlanEntry->Items()->Count(), 1);
  EXPECT_FALSE(f->btnSet->Enabled());
  EXPECT_TRUE(f->btnAdd->Enabled());
  EXPECT_EQ(f->CBoxStatus->Text(), "createAndGo");

  TestKit::ClickRow(f->LV_IGMPMulticastVlanEntry, 0);
  EXPECT_EQ(f->VlanIDEdit->Text(), "1");
  EXPECT_EQ(f->VlanNameEdit->Text(), "mvlan1");
  EXPECT_FALSE(f->VlanIDEdit->Enabled());
  EXPECT_EQ(f->VlanIDEdit->Color(), clMenu);
  EXPECT_TRUE(f->btnSet->Enabled());
  EXPECT_FALSE(f->btnAdd->Enabled());
  EXPECT_TRUE(Port(f->MemberPortFrame, 2)->Checked());

  TestKit::PickItem(f->ComboPortType, 1);  // "Member Ports"
  EXPECT_EQ(f->PageControl1->ActivePageIndex(), 1);
  EXPECT_FALSE(Port(f->SourcePortFrame, 1)->Enabled());
  EXPECT_TRUE(Port(f->MemberPortFrame, 1)->Enabled());
  // Changing the tab by hand keeps the port type: the source boxes stay off.
  TestKit::ClickTab(f->PageControl1, 0);
  EXPECT_FALSE(Port(f->SourcePortFrame, 1)->Enabled());
  TestKit::ClickTab(f->PageControl1, 1);
  Port(f->MemberPortFrame, 5)->SetChecked(true);
  Port(f->SourcePortFrame, 6)->SetChecked(true);  // ticked, but not the chosen list
  f->RepalceIPEdit->SetText("");
  TestKit::Grab(f.get(), vntest::ArtifactsDir() + "/form-IGMPMulticastVlan.png");

  TestKit::Click(f->btnSet);
  EXPECT_TRUE(f->VlanIDEdit->Enabled());
  EXPECT_EQ(f->VlanIDEdit->Text(), "");
  ASSERT_TRUE(WaitForm(f.get()));
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_TRUE(Has(sets[0], kEntry + ".4.1=Hex-STRING:48 00 00 00")) << sets[0];
  EXPECT_TRUE(Has(sets[0], kEntry + ".2.1=STRING:\"mvlan1\"")) << sets[0];
  EXPECT_TRUE(Has(sets[0], kEntry + ".13.1=INTEGER:1")) << sets[0];
  EXPECT_FALSE(Has(sets[0], kEntry + ".3.1")) << sets[0];
  EXPECT_FALSE(Has(sets[0], kEntry + ".5.1")) << sets[0];
  EXPECT_FALSE(Has(sets[0], kEntry + ".9.1")) << sets[0];  // empty replace address left out
  EXPECT_EQ(Value(kEntry + ".3.1"), "Hex-STRING:80 00 00 00");
}

TEST_F(MulticastVlanTest, AddSendsOnlyIdNameProfilesAndCreateAndGoThenDeleteSendsDestroy) {
  auto f = Open();
  ASSERT_TRUE(WaitForm(f.get()));
  f->VlanIDEdit->SetText("10");
  f->VlanNameEdit->SetText("mv10");
  f->CBoxState->SetItemIndex(0);
  f->CBoxType->SetItemIndex(2);  // "ipv6": sent unchecked by Set, never by Add
  f->RepalceIPEdit->SetText("fe80::1");
  Port(f->SourcePortFrame, 1)->SetChecked(true);
  TestKit::Click(f->btnAdd);
  ASSERT_TRUE(WaitForm(f.get()));
  auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_TRUE(Has(sets[0], kEntry + ".2.10=STRING:\"mv10\"")) << sets[0];
  EXPECT_TRUE(Has(sets[0], kEntry + ".13.10=INTEGER:4")) << sets[0];
  for (const char* col : {".3.10", ".4.10", ".5.10", ".7.10", ".8.10", ".9.10", ".12.10"})
    EXPECT_FALSE(Has(sets[0], kEntry + col)) << col << " in " << sets[0];
  ASSERT_EQ(f->LV_IGMPMulticastVlanEntry->Items()->Count(), 2);

  // Delete names the row in the ID edit box and asks nothing.
  TestKit::ClickRow(f->LV_IGMPMulticastVlanEntry, 1);
  EXPECT_EQ(f->VlanIDEdit->Text(), "10");
  TestKit::Click(f->btnDelete);
  ASSERT_TRUE(WaitForm(f.get()));
  sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_TRUE(Has(sets[1], "\t" + kEntry + ".13.10=INTEGER:6")) << sets[1];
  EXPECT_FALSE(Has(sets[1], kEntry + ".2.10")) << sets[1];
  EXPECT_EQ(f->LV_IGMPMulticastVlanEntry->Items()->Count(), 1);
  EXPECT_FALSE(f->btnDelete->Enabled());
}

// A Set the switch refuses or leaves unanswered keeps the typed name and the
// ticked ports for a correction: the fields are emptied only once the switch
// has taken the write. The failure is the memo's last line, and Set and
// Delete are on only while a row is selected.
TEST_F(MulticastVlanTest, AFailedSetKeepsTheTypedNameAndPorts) {
  Control("set " + kEntry + ".2.1 s \"mvlan1\"");
  auto f = Open();
  ASSERT_TRUE(WaitForm(f.get()));
  f->Request->Request.Timeout = 30;
  for (const char* failure : {"inject set 1.3.6.1.4.1.171.12.64.3 genErr", "drop 2"}) {
    SCOPED_TRACE(failure);
    TestKit::ClickRow(f->LV_IGMPMulticastVlanEntry, 0);
    Typed(f->VlanNameEdit, "renamed");
    TestKit::PickItem(f->ComboPortType, 1);  // "Member Ports"
    TestKit::Click(Port(f->MemberPortFrame, 7));
    Control(failure);
    TestKit::Click(f->btnSet);
    ASSERT_TRUE(WaitForm(f.get()));
    ASSERT_TRUE(WaitQuiet());
    ASSERT_TRUE(WaitForm(f.get()));
    EXPECT_EQ(f->VlanNameEdit->Text(), "renamed");
    EXPECT_TRUE(Port(f->MemberPortFrame, 7)->Checked());
    const std::string last = LastMemoLine(f->Memo1);
    EXPECT_EQ(last.rfind("Set: ", 0), 0u) << MemoText(f->Memo1);
    EXPECT_EQ(last.find("Ok!"), std::string::npos) << MemoText(f->Memo1);
    const bool selected = f->LV_IGMPMulticastVlanEntry->Selected() != nullptr;
    EXPECT_EQ(f->btnSet->Enabled(), selected);
    EXPECT_EQ(f->btnDelete->Enabled(), selected);
    EXPECT_EQ(Value(kEntry + ".2.1"), "STRING:\"mvlan1\"");
  }
}

TEST_F(MulticastVlanTest, InputChecksSendNothing) {
  auto f = Open();
  ASSERT_TRUE(WaitForm(f.get()));
  {
    TestKit::DialogScript script;
    script.Expect("Multicast VLAN ID need to input.");
    TestKit::Click(f->btnAdd);
  }
  f->VlanIDEdit->SetText("20");
  f->CBoxType->SetItemIndex(1);  // "ipv4"
  f->RepalceIPEdit->SetText("10.1.300.1");
  {
    TestKit::DialogScript script;
    script.Expect("Please input a valid IP");
    script.Expect("IP Address in not valid.");
    TestKit::Click(f->btnAdd);
  }
  f->RepalceIPEdit->SetText("");
  f->CBoxStatus->SetItemIndex(0);
  {
    TestKit::DialogScript script;
    script.Expect("Row Status must be createAndGo.");
    TestKit::Click(f->btnAdd);
  }
  // Set with the ipv4 check on a selected row.
  TestKit::ClickRow(f->LV_IGMPMulticastVlanEntry, 0);
  f->CBoxType->SetItemIndex(1);
  f->RepalceIPEdit->SetText("abc");
  {
    TestKit::DialogScript script;
    script.Expect("Please input a valid IP");
    script.Expect("IP Address in not valid.");
    TestKit::Click(f->btnSet);
  }
  EXPECT_TRUE(SetLines().empty());
  // Busy: a second operation during the walk is refused.
  Control("delay 100");
  TestKit::Click(f->btnGet);
  {
    TestKit::DialogScript script;
    script.Expect("Get data not complete");
    TestKit::Click(f->btnAdd);
  }
  Control("delay 0");
  ASSERT_TRUE(WaitForm(f.get()));
  EXPECT_TRUE(SetLines().empty());
}

}  // namespace

namespace {

// The profile ID list is a text of numbers 0 to 255 and ranges: typed with
// keys as such, refused with the list's message when a number is out of
// range, and written as typed.
TEST_F(MulticastVlanTest, TheProfileListIsTypedAndCheckedAsAList) {
  auto f = Open();
  ASSERT_TRUE(WaitForm(f.get()));
  TestKit::ClickRow(f->LV_IGMPMulticastVlanEntry, 0);
  TestKit::TypeText(f->ProfileIDListEdit, "1-3,5");
  EXPECT_EQ(f->ProfileIDListEdit->Text(), "1-3,5");
  TestKit::PressTab();
  {
    TestKit::DialogScript boxes;
    boxes.Expect(
        " Please enter a delimited number string with delimiter ','.\nHere,each number is "
        "between 0 and 255!");
    TestKit::TypeText(f->ProfileIDListEdit, ",7-300");
    TestKit::PressTab();
  }
  EXPECT_EQ(f->ProfileIDListEdit->Text(), "1-3,5");
  TestKit::Click(f->btnSet);
  ASSERT_TRUE(WaitForm(f.get()));
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_TRUE(Has(sets[0], kEntry + ".12.1=STRING:\"1-3,5\"")) << sets[0];
}

// An IPv4 type the switch holds beside an address that is none, both left
// alone, is no input: the name the user changed is written, and the
// address goes back as it is.
TEST_F(MulticastVlanTest, AnUntouchedTypeAndAddressKeepNoSetBack) {
  Control("set " + kEntry + ".8.1 i 1");
  Control("set " + kEntry + ".9.1 s \"abc\"");
  auto f = Open();
  ASSERT_TRUE(WaitForm(f.get()));
  TestKit::ClickRow(f->LV_IGMPMulticastVlanEntry, 0);
  ASSERT_EQ(f->RepalceIPEdit->Text(), "abc");
  f->VlanNameEdit->SetText("renamed");
  TestKit::DialogScript none;  // no box
  TestKit::Click(f->btnSet);
  ASSERT_TRUE(WaitForm(f.get()));
  EXPECT_EQ(Value(kEntry + ".2.1"), "STRING:\"renamed\"");
  EXPECT_EQ(Value(kEntry + ".9.1"), "STRING:\"abc\"");
}

TEST_F(MulticastVlanTest, ADnsReplaceAddressIsSentAsTyped) {
  auto f = Open();
  ASSERT_TRUE(WaitForm(f.get()));
  TestKit::ClickRow(f->LV_IGMPMulticastVlanEntry, 0);
  f->CBoxType->SetItemIndex(3);  // "dns"
  f->RepalceIPEdit->SetText("mcast.local");
  TestKit::Click(f->btnSet);  // no message box: only IPv4 text is checked
  ASSERT_TRUE(WaitForm(f.get()));
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_TRUE(Has(sets[0], kEntry + ".8.1=INTEGER:16")) << sets[0];
  EXPECT_TRUE(Has(sets[0], kEntry + ".9.1=STRING:\"mcast.local\"")) << sets[0];
  EXPECT_TRUE(Has(sets[0], kEntry + ".3.1=")) << sets[0];  // "Source Ports": the one list
  EXPECT_FALSE(Has(sets[0], kEntry + ".4.1=")) << sets[0];
}

}  // namespace
