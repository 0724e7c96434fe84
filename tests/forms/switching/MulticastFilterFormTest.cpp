// The static multicast filter form against the simulated switch: the first
// read, adding an entry as "permanent", changing a selected entry's ports,
// deleting it with "invalid", and the answers while the request is busy.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "FilterFormTest.h"
#include "forms/common/FeatureForm.h"
#include "forms/switching/MulticastFilterInformationFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kEntry = "1.3.6.1.2.1.17.7.1.3.2.1";
// VLAN 1, 01:00:5E:01:01:01, receive port 0: the seeded entry.
constexpr const char* kSeeded = ".1.1.0.94.1.1.1.0";

class MulticastFilterFormTest : public FilterFormTest<TMulticastFilterInformationForm> {
 protected:
  TListView* List() const { return form_->LV_dot1qStaticMulticastEntry; }
};

TEST_F(MulticastFilterFormTest, OpensWithTheEntriesAndARowLocksItsKey) {
  Control(std::string("set ") + kEntry + ".3" + kSeeded + " x 40000000");
  Open();
  ASSERT_EQ(List()->Items()->Count(), 1);
  EXPECT_EQ(List()->Items()->Item(0)->Caption(), "1");
  EXPECT_EQ(form_->ST_Count->Caption(), "1");
  EXPECT_FALSE(form_->SetBtn->Enabled());
  EXPECT_FALSE(form_->btnDelete->Enabled());
  EXPECT_TRUE(form_->AddBtn->Enabled());
  // The forbidden ports tab holds nothing.
  EXPECT_EQ(form_->ScrollBox2->ControlCount(), 0);
  EXPECT_NE(Memo().find("Ok!"), std::string::npos) << Memo();

  TestKit::ClickRow(List(), 0);
  EXPECT_EQ(form_->ED_MulticastVID->Text(), "1");
  EXPECT_FALSE(form_->ED_MACAddress->Text().IsEmpty());
  EXPECT_EQ(form_->Status->Text(), "other");
  EXPECT_TRUE(Port(2)->Checked());
  EXPECT_FALSE(Port(1)->Checked());
  EXPECT_FALSE(form_->ED_MulticastVID->Enabled());
  EXPECT_TRUE(form_->SetBtn->Enabled());
  EXPECT_TRUE(form_->btnDelete->Enabled());
  EXPECT_FALSE(form_->AddBtn->Enabled());
  EXPECT_TRUE(
      TestKit::Grab(form_, vntest::ArtifactsDir() + "/form-MulticastFilterInformation.png"));

  // A click beside the rows empties the fields and offers Add again.
  TestKit::ClickEmpty(List());
  EXPECT_TRUE(form_->ED_MulticastVID->Text().IsEmpty());
  EXPECT_FALSE(Port(2)->Checked());
  EXPECT_TRUE(form_->ED_MulticastVID->Enabled());
  EXPECT_TRUE(form_->AddBtn->Enabled());
}

TEST_F(MulticastFilterFormTest, AddWritesPortsAndPermanentAfterASelectedRow) {
  Open();
  // An empty key is refused before anything reaches the library.
  SelectComboText(form_->Status, "permanent");
  for (const auto& [vid, mac] : {std::pair{"", "01005E000005"}, std::pair{"5", ""}}) {
    TestKit::DialogScript dialogs;
    dialogs.Expect("Please input VID and MAC Address!");
    form_->ED_MulticastVID->SetText(vid);
    form_->ED_MACAddress->SetText(mac);
    TestKit::Click(form_->AddBtn);
  }
  form_->Status->SetItemIndex(-1);
  {
    TestKit::DialogScript dialogs;
    dialogs.Expect("Status should be set to permanent");
    form_->ED_MulticastVID->SetText("5");
    form_->ED_MACAddress->SetText("01005E000005");
    TestKit::Click(form_->AddBtn);
  }
  EXPECT_TRUE(SetLines().empty());

  // The receive port of a row clicked before is not carried into the new one.
  Control(std::string("set ") + kEntry + ".3.1.1.0.94.1.1.1.7 x 00000000");
  TestKit::Click(form_->RefreshBtn);
  Wait();
  TestKit::ClickRow(List(), 1);
  TestKit::ClickEmpty(List());
  form_->ED_MulticastVID->SetText("5");
  form_->ED_MACAddress->SetText("01005E000005");
  SelectComboText(form_->Status, "permanent");
  Port(1)->SetChecked(true);
  Port(2)->SetChecked(true);
  TestKit::Click(form_->AddBtn);
  Wait();
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  const std::string row = ".5.1.0.94.0.0.5.0";
  EXPECT_NE(sets[0].find(std::string(kEntry) + ".3" + row + "="), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(std::string(kEntry) + ".5" + row + "=INTEGER:3"), std::string::npos);
  EXPECT_EQ(Value(std::string(kEntry) + ".3" + row), "Hex-STRING:C0 00 00 00");
  EXPECT_EQ(List()->Items()->Count(), 3);
  EXPECT_EQ(form_->ST_Count->Caption(), "3");
}

TEST_F(MulticastFilterFormTest, SetSendsOnlyThePortsAndDeleteRemovesTheRow) {
  Open();
  TestKit::ClickRow(List(), 0);
  Port(3)->SetChecked(true);
  TestKit::Click(form_->SetBtn);
  Wait();
  std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(std::string(kEntry) + ".3" + kSeeded + "="), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(std::string(kEntry) + ".5"), std::string::npos) << sets[0];
  EXPECT_EQ(Value(std::string(kEntry) + ".3" + kSeeded), "Hex-STRING:20 00 00 00");
  EXPECT_FALSE(form_->SetBtn->Enabled());
  EXPECT_TRUE(form_->ED_MulticastVID->Text().IsEmpty());

  // Clicking the same row again shows it again.
  TestKit::ClickRow(List(), 0);
  EXPECT_TRUE(Port(3)->Checked());
  TestKit::Click(form_->btnDelete);
  Wait();
  sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_NE(sets[1].find(std::string(kEntry) + ".5" + kSeeded + "=INTEGER:2"), std::string::npos)
      << sets[1];
  EXPECT_EQ(Value(std::string(kEntry) + ".5" + kSeeded), "noSuchInstance");
  EXPECT_EQ(List()->Items()->Count(), 0);
}

// A Set the switch refuses keeps the ticked ports and the entry's fields for
// a correction; the failure is the memo's last line, and Set and Delete are
// on only while a row is selected.
TEST_F(MulticastFilterFormTest, ARefusedSetKeepsTheTickedPortsAndFields) {
  Open();
  TestKit::ClickRow(List(), 0);
  const AnsiString mac = form_->ED_MACAddress->Text();
  const std::string held = Value(std::string(kEntry) + ".3" + kSeeded);
  TestKit::Click(Port(3));
  Control(std::string("inject set ") + kEntry + " genErr");
  TestKit::Click(form_->SetBtn);
  Wait();
  EXPECT_TRUE(Port(3)->Checked());
  EXPECT_EQ(form_->ED_MulticastVID->Text(), "1");
  EXPECT_EQ(form_->ED_MACAddress->Text(), mac);
  EXPECT_EQ(form_->Status->Text(), "other");
  const std::string last = LastMemoLine(form_->Memo1);
  EXPECT_EQ(last.rfind("Set: ", 0), 0u) << Memo();
  EXPECT_EQ(last.find("Ok!"), std::string::npos) << Memo();
  const bool selected = List()->Selected() != nullptr;
  EXPECT_EQ(form_->SetBtn->Enabled(), selected);
  EXPECT_EQ(form_->btnDelete->Enabled(), selected);
  EXPECT_EQ(form_->ST_Count->Caption(), "1");
  EXPECT_EQ(Value(std::string(kEntry) + ".3" + kSeeded), held);
}

TEST_F(MulticastFilterFormTest, WhileBusyNothingIsSentAndDeleteLeavesInvalid) {
  Open();
  TestKit::ClickRow(List(), 0);
  Control("hold");
  form_->Request->Get();
  {
    TestKit::DialogScript dialogs;
    dialogs.Expect("Get data not complete").Expect("Get data not complete");
    TestKit::Click(form_->btnDelete);
    TestKit::Click(form_->SetBtn);
  }
  EXPECT_EQ(form_->Status->Text(), "invalid");
  Control("release");
  Wait();
  EXPECT_TRUE(SetLines().empty());
}

TEST_F(MulticastFilterFormTest, AddWhileAWalkRunsSendsNothing) {
  Open();
  form_->ED_MulticastVID->SetText("5");
  form_->ED_MACAddress->SetText("01005E000005");
  SelectComboText(form_->Status, "permanent");
  Control("hold");
  form_->Request->Get();
  {
    TestKit::DialogScript dialogs;
    dialogs.Expect("Get data not complete");
    TestKit::Click(form_->AddBtn);
  }
  Control("release");
  Wait();
  EXPECT_TRUE(SetLines().empty());
}

// Refresh while the walk runs starts no second walk beside it; one more walk
// follows it.
TEST_F(MulticastFilterFormTest, RefreshWhileAWalkRunsIsOneMoreWalkAfterIt) {
  Open();
  EXPECT_EQ(ExchangesOfTwoClicks(form_->RefreshBtn, *form_->Request), 4);
  EXPECT_EQ(List()->Items()->Count(), 1);
}

TEST_F(MulticastFilterFormTest, TheMenuOpensItWithTheCaptionAndTheGlobal) {
  const TFormOpener opener = FindFormOpener("TMulticastFilterInformationForm");
  ASSERT_NE(opener, nullptr);
  bool seen = false;
  TestKit::OnNextModal<TMulticastFilterInformationForm>(
      [&seen](TMulticastFilterInformationForm* f) {
        seen = true;
        EXPECT_EQ(MulticastFilterInformationForm, f);
        EXPECT_EQ(f->Caption(), "Multicast Filter Information: 127.0.0.1");
        ASSERT_TRUE(WaitIdle(*f->Request));
        f->Close();
      });
  opener(Application, "Multicast Filter Information: 127.0.0.1");
  EXPECT_TRUE(seen);
  EXPECT_EQ(MulticastFilterInformationForm, nullptr);
}

}  // namespace
