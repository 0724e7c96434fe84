// The per-VLAN multicast forwarding forms against the simulated switch: each
// tab shows its port list of the selected row, the forward-all and
// forward-unregistered forms write their static and forbidden lists, and
// the menu opens all three.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/switching/ForwardUnregisteredInformationFormUnit.h"
#include "forms/switching/MulticastForwardingInformationFormUnit.h"
#include "forms/switching/TpGroupDestinationForwardedFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kForwardAll = "1.3.6.1.2.1.17.7.1.2.4.1";
constexpr const char* kUnregistered = "1.3.6.1.2.1.17.7.1.2.5.1";
constexpr const char* kGroup = "1.3.6.1.2.1.17.7.1.2.3.1";

class MulticastForwardingFormsTest : public PagesDeviceTest {
 protected:
  template <class T>
  T* Open() {
    T* form = Create<T>(Application);
    form_.reset(form);
    TestKit::ShowAndActivate(form);
    Wait(form);
    return form;
  }
  void Wait(TPortListTableForm* form) {
    EXPECT_TRUE(WaitIdle(*form->Request));
    EXPECT_TRUE(WaitQuiet());
    EXPECT_TRUE(WaitIdle(*form->Request));
  }
  void TearDown() override {
    if (form_) {
      Control("release");
      form_->Close();
      form_.reset();
    }
    PagesDeviceTest::TearDown();
  }
  static TCheckBox* Port(TPortListTableForm* form, int tab, int port) {
    return static_cast<TCheckBox*>(
        form->PortFrames[static_cast<std::size_t>(tab)]->PortCheckBoxes->Items(port - 1));
  }

  std::unique_ptr<TPortListTableForm> form_;
};

TEST_F(MulticastForwardingFormsTest, ForwardAllShowsTheListsAndWritesOnlyStaticAndForbidden) {
  Control(std::string("set ") + kForwardAll + ".1.1 x C0000000");
  Control(std::string("set ") + kForwardAll + ".2.1 x 40000000");
  Control(std::string("set ") + kForwardAll + ".3.1 x 00400000");
  auto* form = Open<TMulticastForwardingInformationForm>();
  TListView* list = form->LV_dot1qForwardUnregisteredEntry;
  ASSERT_EQ(list->Items()->Count(), 1);
  EXPECT_EQ(form->TabSheet3->Caption(), "All Forbiden Ports");
  ASSERT_EQ(form->PortFrames.size(), 3u);
  EXPECT_EQ(form->PortFrames[0]->PortCheckBoxes->Count(), 384);
  // Nothing selected after the walk: the boxes stay off.
  EXPECT_FALSE(Port(form, 1, 1)->Enabled());

  // Set writes the selected VLAN: with none selected it is off and writes
  // nothing.
  EXPECT_FALSE(form->SetBtn->Enabled());
  TestKit::Click(form->SetBtn);
  EXPECT_TRUE(SetLines().empty());

  TestKit::ClickRow(list, 0);
  EXPECT_TRUE(form->SetBtn->Enabled());
  EXPECT_TRUE(Port(form, 0, 1)->Checked());
  EXPECT_TRUE(Port(form, 0, 2)->Checked());
  EXPECT_FALSE(Port(form, 1, 1)->Checked());
  EXPECT_TRUE(Port(form, 1, 2)->Checked());
  EXPECT_TRUE(Port(form, 2, 10)->Checked());
  EXPECT_TRUE(Port(form, 1, 1)->Enabled());
  EXPECT_TRUE(
      TestKit::Grab(form, vntest::ArtifactsDir() + "/form-MulticastForwardingInformation.png"));

  Port(form, 0, 5)->SetChecked(true);  // the ports in use: never written
  Port(form, 1, 3)->SetChecked(true);
  Port(form, 2, 10)->SetChecked(false);
  Port(form, 2, 9)->SetChecked(true);
  TestKit::Click(form->SetBtn);
  Wait(form);
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].find(std::string(kForwardAll) + ".1.1="), std::string::npos) << sets[0];
  EXPECT_EQ(Value(std::string(kForwardAll) + ".2.1"), "Hex-STRING:60 00 00 00");
  EXPECT_EQ(Value(std::string(kForwardAll) + ".3.1"), "Hex-STRING:00 80 00 00");
  EXPECT_EQ(Value(std::string(kForwardAll) + ".1.1"), "Hex-STRING:C0 00 00 00");
  EXPECT_EQ(form->ST_Count->Caption(), "1");
}

TEST_F(MulticastForwardingFormsTest, ForwardUnregisteredSetWritesStaticAndForbidden) {
  Control(std::string("set ") + kUnregistered + ".2.1 x 80000000");
  auto* form = Open<TForwardUnregisteredInformationForm>();
  TListView* list = form->LV_dot1qForwardUnregisteredEntry;
  ASSERT_EQ(list->Items()->Count(), 1);
  EXPECT_EQ(form->TabSheet2->Caption(), "Unregisteried Static Ports");
  TestKit::Click(form->SetBtn);  // no VLAN selected: nothing written
  EXPECT_TRUE(SetLines().empty());
  TestKit::ClickRow(list, 0);
  EXPECT_TRUE(Port(form, 1, 1)->Checked());
  EXPECT_TRUE(
      TestKit::Grab(form, vntest::ArtifactsDir() + "/form-ForwardUnregisteredInformation.png"));
  Port(form, 0, 4)->SetChecked(true);  // the ports in use: never written
  Port(form, 1, 2)->SetChecked(true);
  Port(form, 2, 9)->SetChecked(true);
  TestKit::Click(form->SetBtn);
  Wait(form);
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(sets[0].find(std::string(kUnregistered) + ".1.1="), std::string::npos) << sets[0];
  EXPECT_EQ(Value(std::string(kUnregistered) + ".2.1"), "Hex-STRING:C0 00 00 00");
  EXPECT_EQ(Value(std::string(kUnregistered) + ".3.1"), "Hex-STRING:00 80 00 00");
  EXPECT_EQ(form->ST_Count->Caption(), "1");
  TestKit::Click(form->RefreshBtn);
  EXPECT_FALSE(Port(form, 1, 1)->Checked());
  Wait(form);
}

// A Set the switch refuses keeps the ticked ports for a correction: the
// failure is the memo's last line, the count is the rows listed, and Set
// is on only while a VLAN is selected.
TEST_F(MulticastForwardingFormsTest, ARefusedSetKeepsTheTickedPorts) {
  auto* form = Open<TForwardUnregisteredInformationForm>();
  TListView* list = form->LV_dot1qForwardUnregisteredEntry;
  TestKit::ClickRow(list, 0);
  ASSERT_FALSE(Port(form, 1, 2)->Checked());
  TestKit::ClickTab(form->PageControl1, 1);
  TestKit::Click(Port(form, 1, 2));
  Control(std::string("inject set ") + kUnregistered + " genErr");
  TestKit::Click(form->SetBtn);
  Wait(form);
  EXPECT_TRUE(Port(form, 1, 2)->Checked());
  const std::string last = LastMemoLine(form->Memo1);
  EXPECT_EQ(last.rfind("Set: ", 0), 0u) << MemoText(form->Memo1);
  EXPECT_EQ(last.find("Ok!"), std::string::npos) << MemoText(form->Memo1);
  EXPECT_EQ(form->SetBtn->Enabled(), list->Selected() != nullptr);
  EXPECT_EQ(form->ST_Count->Caption(), "1");
}

// Refresh while the walk runs starts no second walk beside it (one more
// follows it); a write is read once.
TEST_F(MulticastForwardingFormsTest, OneWalkAtATimeAndOneReadAfterAWrite) {
  auto* form = Open<TMulticastForwardingInformationForm>();
  EXPECT_EQ(ExchangesOfTwoClicks(form->RefreshBtn, *form->Request), 4);
  TestKit::ClickRow(form->LV_dot1qForwardUnregisteredEntry, 0);
  Control("delay 30");
  const std::size_t mark = NewLog().size();
  TestKit::Click(form->SetBtn);
  Wait(form);
  EXPECT_EQ(CountLog("SET", mark), 1);
  EXPECT_EQ(CountLog("GETNEXT", mark), 2);
  EXPECT_EQ(form->LV_dot1qForwardUnregisteredEntry->Items()->Count(), 1);
  Control("delay 0");
}

TEST_F(MulticastForwardingFormsTest, GroupFormShowsTheGroupsPortsAndClosesDuringAWalk) {
  Control(std::string("set ") + kGroup + ".2.1.1.0.94.1.1.1 x 00400000");
  Control(std::string("set ") + kGroup + ".3.1.1.0.94.1.1.1 x 00000000");
  auto* form = Open<TTpGroupDestinationForwardedForm>();
  TListView* list = form->LV_dot1qTpGroupEntry;
  ASSERT_EQ(list->Items()->Count(), 1);
  EXPECT_EQ(list->Items()->Item(0)->Caption(), "1");
  EXPECT_EQ(form->PortFrames.size(), 2u);
  TestKit::ClickRow(list, 0);
  EXPECT_TRUE(Port(form, 0, 10)->Checked());
  EXPECT_FALSE(Port(form, 0, 1)->Checked());
  EXPECT_FALSE(Port(form, 1, 10)->Checked());
  EXPECT_TRUE(
      TestKit::Grab(form, vntest::ArtifactsDir() + "/form-TpGroupDestinationForwarded.png"));

  // Closing while a walk waits for the device stops it and releases the request.
  Control("hold");
  TestKit::Click(form->RefreshBtn);
  form->Close();
  EXPECT_EQ(form->Request, nullptr);
  Control("release");
}

TEST_F(MulticastForwardingFormsTest, TheMenuOpensAllThreeWithTheirCaptions) {
  struct Entry {
    const char* cls;
    const char* caption;
  };
  for (const Entry& e :
       {Entry{"TMulticastForwardingInformationForm", "Multicast Forwarding Information: 127.0.0.1"},
        Entry{"TForwardUnregisteredInformationForm", "Forward Unregistered Information: 127.0.0.1"},
        Entry{"TTpGroupDestinationForwardedForm", "Tp Group Destination Forwarded: 127.0.0.1"}}) {
    const TFormOpener opener = FindFormOpener(e.cls);
    ASSERT_NE(opener, nullptr) << e.cls;
    bool seen = false;
    TestKit::OnNextModal<TPortListTableForm>([&seen, &e](TPortListTableForm* f) {
      seen = true;
      EXPECT_EQ(f->Caption(), e.caption);
      ASSERT_TRUE(WaitIdle(*f->Request));
      f->Close();
    });
    opener(Application, e.caption);
    EXPECT_TRUE(seen) << e.cls;
  }
  EXPECT_EQ(MulticastForwardingInformationForm, nullptr);
  EXPECT_EQ(TpGroupDestinationForwardedForm, nullptr);
}

}  // namespace
