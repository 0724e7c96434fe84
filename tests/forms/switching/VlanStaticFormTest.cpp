// The static VLAN table form against the simulated switch: the first read,
// adding a VLAN (one SET without the forbidden ports), changing one (a SET
// per port list and the status, never the name), deleting one, and the
// answers while the table walk runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/switching/VlanStaticFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kStatic = "1.3.6.1.2.1.17.7.1.4.3.1";

class VlanStaticFormTest : public PagesDeviceTest {
 protected:
  void TearDown() override {
    CloseForm();
    PagesDeviceTest::TearDown();
  }
  void Open() {
    form_ = Create<TVlanStaticForm>(Application);
    TestKit::ShowAndActivate(form_);
    WaitWalk();
  }
  void WaitWalk() {
    ASSERT_TRUE(PumpUntil([this] { return !form_->Request->Busy; }));
  }
  void CloseForm() {
    if (!form_) return;
    if (form_->Request->Busy) {
      Control("release");
      WaitWalk();
    }
    form_->Close();
    delete form_;
    form_ = nullptr;
  }
  // Makes a VLAN on the device behind the form's back.
  void AddVlan(int id, const std::string& name) {
    const std::string row = "." + std::to_string(id);
    Control(std::string("set ") + kStatic + ".1" + row + " s " + name);
    Control(std::string("set ") + kStatic + ".2" + row + " x 40000000");
    Control(std::string("set ") + kStatic + ".3" + row + " x 00000000");
    Control(std::string("set ") + kStatic + ".4" + row + " x 00000000");
    Control(std::string("set ") + kStatic + ".5" + row + " i 1");
  }
  TListView* List() const { return form_->LV_dot1qVlanStaticEntry; }
  int RowOf(const std::string& id) const {
    for (int i = 0; i < List()->Items()->Count(); ++i)
      if (List()->Items()->Item(i)->Caption() == id.c_str()) return i;
    return -1;
  }
  static TCheckBox* Port(TStackingPortUitForm* frame, int port) {
    return static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(port - 1));
  }
  std::string Memo() const { return MemoText(form_->Memo1); }

  TVlanStaticForm* form_ = nullptr;
};

TEST_F(VlanStaticFormTest, OpensWithTheVlansTheNextFreeIndexAndAddOffered) {
  AddVlan(7, "seven");
  Control("set 1.3.6.1.2.1.17.7.1.4.4.0 i 2");
  Open();
  ASSERT_EQ(List()->Items()->Count(), 2);
  EXPECT_EQ(List()->Columns()->Items(0)->Caption(), "VLAN ID");
  EXPECT_EQ(List()->Items()->Item(0)->Caption(), "1");
  EXPECT_EQ(List()->Items()->Item(0)->SubItems()->Strings(0), "default");
  EXPECT_EQ(List()->Items()->Item(1)->Caption(), "7");
  EXPECT_EQ(form_->ST_Count2->Caption(), "2");
  EXPECT_EQ(form_->NextFreeLocalVlanIndex->Caption(), "shared");
  EXPECT_FALSE(form_->SetBtn->Enabled());
  EXPECT_FALSE(form_->DeleteBtn->Enabled());
  EXPECT_TRUE(form_->AddBtn->Enabled());
  EXPECT_EQ(form_->EgressPortFrame->PortCheckBoxes->Count(), 384);
  EXPECT_NE(Memo().find("Ok!"), std::string::npos) << Memo();

  // A row shows its ports in the three frames and offers Set and Delete.
  TestKit::ClickRow(List(), RowOf("7"));
  EXPECT_EQ(form_->ED_VLANID->Text(), "7");
  EXPECT_EQ(form_->ED_VLANName->Text(), "seven");
  EXPECT_EQ(form_->Status->Text(), "Active");
  EXPECT_TRUE(Port(form_->EgressPortFrame, 2)->Checked());
  EXPECT_FALSE(Port(form_->EgressPortFrame, 1)->Checked());
  EXPECT_TRUE(form_->SetBtn->Enabled());
  EXPECT_FALSE(form_->AddBtn->Enabled());
  const std::string path = vntest::ArtifactsDir() + "/form-VlanStaticForm.png";
  EXPECT_TRUE(TestKit::Grab(form_, path)) << path;
}

TEST_F(VlanStaticFormTest, AddSendsOneSetWithoutTheForbiddenPorts) {
  Open();
  form_->ED_VLANID->SetText("20");
  form_->ED_VLANName->SetText("lab");
  Port(form_->EgressPortFrame, 1)->SetChecked(true);
  Port(form_->EgressPortFrame, 2)->SetChecked(true);
  Port(form_->ForbiddenPortFrame, 10)->SetChecked(true);
  Port(form_->UntaggedPortFrame, 2)->SetChecked(true);
  TestKit::Click(form_->AddBtn);
  WaitWalk();

  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(std::string(kStatic) + ".1.20=STRING:\"lab\""), std::string::npos)
      << sets[0];
  EXPECT_NE(sets[0].find(std::string(kStatic) + ".2.20="), std::string::npos);
  EXPECT_NE(sets[0].find(std::string(kStatic) + ".4.20="), std::string::npos);
  EXPECT_NE(sets[0].find(std::string(kStatic) + ".5.20=INTEGER:4"), std::string::npos);
  EXPECT_EQ(sets[0].find(std::string(kStatic) + ".3."), std::string::npos);
  EXPECT_EQ(Value(std::string(kStatic) + ".2.20"), "Hex-STRING:C0 00 00 00");
  EXPECT_EQ(Value(std::string(kStatic) + ".3.20"), "Hex-STRING:00 00 00 00");
  EXPECT_EQ(Value(std::string(kStatic) + ".4.20"), "Hex-STRING:40 00 00 00");
  // The form read the table again and emptied the entry fields.
  EXPECT_GE(RowOf("20"), 0);
  EXPECT_EQ(form_->ED_VLANID->Text(), "");
  EXPECT_EQ(form_->Status->ItemIndex(), -1);
  EXPECT_FALSE(Port(form_->EgressPortFrame, 1)->Checked());
  EXPECT_EQ(form_->Request->Request.VarList.Item(3)->Access, 6u);
}

TEST_F(VlanStaticFormTest, SetWritesEachPortListAndTheStatusButNeverTheName) {
  AddVlan(30, "thirty");
  Open();
  TestKit::ClickRow(List(), RowOf("30"));
  form_->ED_VLANName->SetText("renamed");
  Port(form_->EgressPortFrame, 3)->SetChecked(true);
  Port(form_->ForbiddenPortFrame, 9)->SetChecked(true);
  TestKit::Click(form_->SetBtn);
  WaitWalk();

  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 4u);
  const char* columns[] = {".2.30=", ".3.30=", ".4.30=", ".5.30=INTEGER:1"};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_NE(sets[i].find(std::string(kStatic) + columns[i]), std::string::npos) << sets[i];
    // One variable per SET.
    EXPECT_EQ(sets[i].find(kStatic), sets[i].rfind(kStatic)) << sets[i];
  }
  EXPECT_EQ(Value(std::string(kStatic) + ".1.30"), "STRING:\"thirty\"");
  EXPECT_EQ(Value(std::string(kStatic) + ".2.30"), "Hex-STRING:60 00 00 00");
  EXPECT_EQ(Value(std::string(kStatic) + ".3.30"), "Hex-STRING:00 80 00 00");
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(form_->Request->Request.VarList.Item(i)->Access, 6u) << i;
  EXPECT_FALSE(form_->SetBtn->Enabled());
  EXPECT_TRUE(form_->AddBtn->Enabled());
}

TEST_F(VlanStaticFormTest, DeleteDestroysTheNamedRowAtOnce) {
  AddVlan(40, "forty");
  Open();
  TestKit::ClickRow(List(), RowOf("40"));
  TestKit::Click(form_->DeleteBtn);
  WaitWalk();
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(std::string(kStatic) + ".5.40=INTEGER:6"), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(std::string(kStatic) + ".1."), std::string::npos);
  EXPECT_EQ(RowOf("40"), -1);
  EXPECT_EQ(Value(std::string(kStatic) + ".5.40"), "noSuchInstance");
  EXPECT_EQ(form_->ST_Count2->Caption(), "1");
}

TEST_F(VlanStaticFormTest, WhileTheWalkRunsTheFormAnswersBusyAndStopEndsIt) {
  Open();
  Control("hold");
  TestKit::Click(form_->RefreshBtn);
  ASSERT_TRUE(form_->Request->Busy);
  {
    TestKit::DialogScript dialogs;
    dialogs.Expect("Get data not complete").Expect("Get data not complete");
    TestKit::Click(form_->AddBtn);
    EXPECT_FALSE(form_->CloseQuery());
  }
  TestKit::Click(form_->RefreshBtn);  // ignored
  TestKit::Click(form_->btnStop);
  Control("release");
  WaitWalk();
  EXPECT_TRUE(SetLines().empty());
  // Set without a selected row does nothing at all.
  TestKit::DialogScript none;
  form_->SetBtnClick(nullptr);
  EXPECT_TRUE(none.Shown().empty());
  EXPECT_TRUE(SetLines().empty());
}

TEST_F(VlanStaticFormTest, TheMenuOpensItWithTheCaptionAndTheGlobal) {
  const TFormOpener opener = FindFormOpener("TVlanStaticForm");
  ASSERT_NE(opener, nullptr);
  bool seen = false;
  TestKit::OnNextModal<TVlanStaticForm>([&seen](TVlanStaticForm* f) {
    seen = true;
    EXPECT_EQ(VlanStaticForm, f);
    EXPECT_EQ(f->Caption(), "VLAN Static: 127.0.0.1");
    ASSERT_TRUE(PumpUntil([f] { return !f->Request->Busy; }));
    f->Close();
  });
  opener(Application, "VLAN Static: 127.0.0.1");
  EXPECT_TRUE(seen);
  EXPECT_EQ(VlanStaticForm, nullptr);
}

}  // namespace

namespace {

TEST_F(VlanStaticFormTest, AVlanIdThatIsNoRowNumberIsNotSent) {
  AddVlan(50, "fifty");
  Open();
  // Such texts were sent as VLAN 0 or as a wrapped number: another row.
  for (const char* id : {"", "abc", "5 x", "99999999999", "4294967296"}) {
    form_->ED_VLANID->SetText(id);
    form_->ED_VLANName->SetText("x");
    TestKit::Click(form_->AddBtn);
    EXPECT_FALSE(form_->Request->Busy) << id;
  }
  TestKit::ClickRow(List(), RowOf("50"));
  form_->ED_VLANID->SetText("50x");
  TestKit::Click(form_->DeleteBtn);
  TestKit::Click(form_->SetBtn);
  EXPECT_TRUE(SetLines().empty());
  EXPECT_NE(Memo().find("VLAN ID \"abc\" is not a number from 0 to 4294967295: nothing was sent."),
            std::string::npos)
      << Memo();
  EXPECT_EQ(Value(std::string(kStatic) + ".5.50"), "INTEGER:1");
  // The largest row number is still sent as typed.
  TestKit::ClickEmpty(List());
  form_->ED_VLANID->SetText("4294967295");
  TestKit::Click(form_->AddBtn);
  WaitWalk();
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_NE(SetLines()[0].find(".5.4294967295=INTEGER:4"), std::string::npos) << SetLines()[0];
}

TEST_F(VlanStaticFormTest, DeviceRefusalsReachTheMemoAndTheFormStaysUsable) {
  // A walk that fails still makes the form idle: it can be closed.
  Control(std::string("inject getnext ") + kStatic + " genErr");
  Open();
  EXPECT_NE(Memo().find("Get: "), std::string::npos) << Memo();
  EXPECT_EQ(List()->Items()->Count(), 0);
  EXPECT_TRUE(form_->CloseQuery());
  TestKit::Click(form_->RefreshBtn);
  WaitWalk();
  ASSERT_EQ(List()->Items()->Count(), 1);

  // Adding a VLAN that exists: the device's answer is the memo's last line,
  // and what was typed stays for a correction.
  form_->ED_VLANID->SetText("1");
  form_->ED_VLANName->SetText("again");
  TestKit::Click(form_->AddBtn);
  WaitWalk();
  EXPECT_EQ(LastMemoLine(form_->Memo1)
                .rfind("Set: (SNMP) Cannot create/set variable, Inconsistent Value!", 0),
            0u)
      << Memo();
  EXPECT_EQ(form_->ED_VLANID->Text(), "1");
  EXPECT_EQ(form_->ED_VLANName->Text(), "again");
  EXPECT_EQ(Value(std::string(kStatic) + ".1.1"), "STRING:\"default\"");
  EXPECT_TRUE(form_->CloseQuery());
}

}  // namespace

namespace {

// Set writes each port list and the status in a SET of its own, the next
// once the device has taken the one before: the status line of each names
// its column, and a refusal ends them there and stays the last line.
TEST_F(VlanStaticFormTest, SetsColumnsOneByOneAndStopsAtTheFirstRefusal) {
  AddVlan(60, "sixty");
  Open();
  TestKit::ClickRow(List(), RowOf("60"));
  Control(std::string("inject set ") + kStatic + ".3 genErr");
  TestKit::Click(form_->SetBtn);
  WaitWalk();
  const std::string memo = Memo();
  EXPECT_NE(memo.find("Set: Ok! Request:Egress Ports."), std::string::npos) << memo;
  EXPECT_EQ(SetLines().size(), 2u);
  const int lines = form_->Memo1->Lines()->Count();
  ASSERT_GT(lines, 0);
  EXPECT_NE(form_->Memo1->Lines()->Strings(lines - 1).Pos(
                "General Error! Request:Forbidden Egress Ports."),
            0)
      << memo;
  EXPECT_EQ(memo.find("Untagged Ports"), std::string::npos) << memo;
  EXPECT_EQ(List()->Items()->Count(), 2);
}

}  // namespace

namespace {

// A VLAN whose egress cell the agent did not give: that column has nothing
// to send and is skipped, and the others go out in their order.
TEST_F(VlanStaticFormTest, AColumnTheAgentDidNotGiveIsSkipped) {
  AddVlan(70, "seventy");
  Control(std::string("set ") + kStatic + ".4.70 x 40000000");
  Control(std::string("absent ") + kStatic + ".2.70");
  Open();
  TestKit::ClickRow(List(), RowOf("70"));
  Port(form_->UntaggedPortFrame, 2)->SetChecked(false);
  TestKit::Click(form_->SetBtn);
  WaitWalk();
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 3u) << Memo();
  const char* columns[] = {".3.70=", ".4.70=", ".5.70=INTEGER:1"};
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_NE(sets[i].find(std::string(kStatic) + columns[i]), std::string::npos) << sets[i];
  EXPECT_EQ(Memo().find("No SNMP variable to set!"), std::string::npos) << Memo();
  EXPECT_EQ(Value(std::string(kStatic) + ".4.70"), "Hex-STRING:00 00 00 00");
  EXPECT_EQ(Value(std::string(kStatic) + ".2.70"), "noSuchInstance");
}

// With the switch away an Add or a Delete times out and so does the read
// after it: the count is the rows shown, none.
TEST_F(VlanStaticFormTest, TheCountFollowsAnAddOrADeleteThatTimesOut) {
  AddVlan(80, "eighty");
  Open();
  form_->Request->Request.Timeout = 30;
  form_->ED_VLANID->SetText("81");
  Control("mute");
  TestKit::Click(form_->AddBtn);
  WaitWalk();
  EXPECT_EQ(List()->Items()->Count(), 0);
  EXPECT_EQ(form_->ST_Count2->Caption(), "0");
  EXPECT_EQ(form_->ED_VLANID->Text(), "81");
  Control("unmute");
  TestKit::Click(form_->RefreshBtn);
  WaitWalk();
  ASSERT_EQ(form_->ST_Count2->Caption(), "2");
  TestKit::ClickRow(List(), RowOf("80"));
  Control("mute");
  TestKit::Click(form_->DeleteBtn);
  WaitWalk();
  EXPECT_EQ(List()->Items()->Count(), 0);
  EXPECT_EQ(form_->ST_Count2->Caption(), "0");
  Control("unmute");
}

}  // namespace

namespace {

// Stop pressed while a column's SET is out: the columns after it stay
// unsent, the list is read again, and the fields keep what was typed.
TEST_F(VlanStaticFormTest, StopEndsTheColumnsAfterTheOneOut) {
  AddVlan(75, "seventy-five");
  Open();
  TestKit::ClickRow(List(), RowOf("75"));
  Port(form_->EgressPortFrame, 3)->SetChecked(true);
  Port(form_->UntaggedPortFrame, 3)->SetChecked(true);
  form_->Request->OnSetDone = VnRequestDoneEvent(
      [this](VnSNMPRequest2Controls*, const VnSNMPError&) { form_->btnStopClick(nullptr); });
  TestKit::Click(form_->SetBtn);
  WaitWalk();
  EXPECT_EQ(SetLines().size(), 1u);
  EXPECT_EQ(Value(std::string(kStatic) + ".2.75"), "Hex-STRING:60 00 00 00");
  EXPECT_EQ(Value(std::string(kStatic) + ".4.75"), "Hex-STRING:00 00 00 00");
  EXPECT_TRUE(Port(form_->UntaggedPortFrame, 3)->Checked());
  EXPECT_EQ(List()->Selected(), nullptr);
  EXPECT_FALSE(form_->SetBtn->Enabled());
  EXPECT_EQ(form_->ST_Count2->Caption(), "2");
}

}  // namespace
