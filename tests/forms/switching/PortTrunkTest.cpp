// The port trunk form against the simulated switch: the first read and the
// master-port split, Add (one or two SETs), the input checks, Delete.
#include <gtest/gtest.h>

#include "FormsL2Support.h"
#include "forms/switching/PortTrunk.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

const std::string kTrunk = "1.3.6.1.4.1.171.11.101.1.2.9.3.1.";

class PortTrunk : public FormsL2Test {
 protected:
  // An Add as the user makes it: index, master port, type, status, members.
  void FillAdd(TPortTrunkForm* f, const char* index, const char* port,
               std::initializer_list<int> members, int type = 0, int status = 1) {
    f->ED_Index->SetText(index);
    f->PortEdit->SetText(port);
    f->Combo_Type->SetItemIndex(type);
    f->ComboBox1->SetItemIndex(status);
    f->MemberFrame->ClearPorts();
    for (int p : members) Port(f->MemberFrame, p)->SetChecked(true);
  }
  static std::string Panel0(TPortTrunkForm* f) {
    return f->StatusBar1->Panels()->Items(0)->Text().str();
  }
};

TEST_F(PortTrunk, OpensWithTheGroupsAndShowsTheSelectedOne) {
  Control("set " + kTrunk + "3.1 i 32");
  Control("set " + kTrunk + "4.1 x 60000000");
  Control("set " + kTrunk + "7.1 i 2");
  auto f = Open<TPortTrunkForm>();
  ASSERT_EQ(f->LV_PortTrunk->Items()->Count(), 1);
  EXPECT_EQ(f->LV_PortTrunk->Columns()->Count(), 6);
  EXPECT_EQ(f->LV_PortTrunk->Items()->Item(0)->Caption(), "1");
  EXPECT_NE(Panel0(f.get()).find("Ok!"), std::string::npos) << Panel0(f.get());
  EXPECT_FALSE(f->SetBtn->Enabled());
  EXPECT_FALSE(f->BT_Delete->Enabled());
  EXPECT_TRUE(f->BT_Set->Enabled());
  EXPECT_EQ(f->Combo_Type->Items()->Count(), 2);

  TestKit::ClickRow(f->LV_PortTrunk, 0);
  EXPECT_EQ(f->ED_Index->Text(), "1");
  EXPECT_FALSE(f->ED_Index->Enabled());
  EXPECT_EQ(f->UnitEdit->Text(), "1");
  EXPECT_EQ(f->PortEdit->Text(), "32");
  EXPECT_EQ(f->ComboBox1->Text(), "disable");
  EXPECT_TRUE(Port(f->MemberFrame, 2)->Checked());
  EXPECT_TRUE(Port(f->MemberFrame, 3)->Checked());
  EXPECT_FALSE(Port(f->MemberFrame, 1)->Checked());
  EXPECT_TRUE(f->SetBtn->Enabled());
  EXPECT_TRUE(f->BT_Delete->Enabled());
  EXPECT_FALSE(f->BT_Set->Enabled());
  SavePicture(f.get(), "PortTrunk");

  // Master port 33 is port 1 of unit 2, which the form does not show: the
  // port is shown as the switch holds it, not as port 1.
  Control("set " + kTrunk + "3.1 i 33");
  TestKit::Click(f->BT_Get);
  EXPECT_TRUE(f->ED_Index->Enabled());
  EXPECT_EQ(f->PortEdit->Text(), "");
  TestKit::ClickRow(f->LV_PortTrunk, 0);
  EXPECT_EQ(f->PortEdit->Text(), "33");

  // Master port 0 (none set) is unit 0, port 0, not a port of unit 1.
  Control("set " + kTrunk + "3.1 i 0");
  TestKit::Click(f->BT_Get);
  TestKit::ClickRow(f->LV_PortTrunk, 0);
  EXPECT_EQ(f->UnitEdit->Text(), "0");
  EXPECT_EQ(f->PortEdit->Text(), "0");
}

TEST_F(PortTrunk, AddCreatesTheGroupAndEnablesItWithASecondSet) {
  auto f = Open<TPortTrunkForm>();
  FillAdd(f.get(), "2", "3", {3, 4}, 1, 0);  // lacp, enable
  TestKit::Click(f->BT_Set);
  auto sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_NE(sets[0].find(kTrunk + "7.2=INTEGER:4"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kTrunk + "3.2=INTEGER:3"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kTrunk + "6.2=INTEGER:3"), std::string::npos) << sets[0];
  EXPECT_NE(sets[1].find(kTrunk + "7.2=INTEGER:1"), std::string::npos) << sets[1];
  EXPECT_EQ(Value(kTrunk + "4.2").find("30 00 00 00") != std::string::npos, true)
      << Value(kTrunk + "4.2");
  EXPECT_EQ(f->LV_PortTrunk->Items()->Count(), 2);
  EXPECT_EQ(f->ED_Index->Text(), "");

  // With "disable" the group is only created.
  FillAdd(f.get(), "3", "5", {5, 6}, 0, 1);
  TestKit::Click(f->BT_Set);
  EXPECT_EQ(SetLines().size(), 3u);
  EXPECT_EQ(f->LV_PortTrunk->Items()->Count(), 3);
}

// A refused Add keeps the typed group (and sends no second SET).
TEST_F(PortTrunk, ARefusedAddKeepsTheTypedGroup) {
  auto f = Open<TPortTrunkForm>();
  FillAdd(f.get(), "2", "3", {3, 4}, 1, 0);  // lacp, enable
  Control("inject set " + kTrunk + "7 genErr");
  TestKit::Click(f->BT_Set);
  EXPECT_EQ(SetLines().size(), 1u);
  EXPECT_EQ(f->ED_Index->Text(), "2");
  EXPECT_EQ(f->PortEdit->Text(), "3");
  EXPECT_EQ(Panel0(f.get()).find("Ok!"), std::string::npos) << Panel0(f.get());
}

TEST_F(PortTrunk, AddChecksTheInputAndSendsNothingOnAFault) {
  auto f = Open<TPortTrunkForm>();
  {
    TestKit::DialogScript script;
    script.Expect("The index should not be empty.");
    FillAdd(f.get(), "", "3", {3, 4});
    TestKit::Click(f->BT_Set);
  }
  {
    TestKit::DialogScript script;
    script.Expect("The Index must be different!");
    FillAdd(f.get(), "1", "3", {3, 4});
    TestKit::Click(f->BT_Set);
  }
  {
    TestKit::DialogScript script;
    script.Expect("set valid master port");
    FillAdd(f.get(), "2", "11", {3, 4});
    TestKit::Click(f->BT_Set);
    EXPECT_EQ(f->ActiveControl(), f->PortEdit);
  }
  {
    TestKit::DialogScript script;
    script.Expect("Master port must be checked.");
    FillAdd(f.get(), "2", "3", {1, 2});
    TestKit::Click(f->BT_Set);
  }
  {
    TestKit::DialogScript script;
    script.Expect("The trunk member can't over eight!");
    FillAdd(f.get(), "2", "3", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    TestKit::Click(f->BT_Set);
    EXPECT_FALSE(Port(f->MemberFrame, 9)->Checked());
    EXPECT_TRUE(Port(f->MemberFrame, 10)->Checked());
  }
  {
    TestKit::DialogScript script;
    script.Expect("You must choose at least two members!");
    FillAdd(f.get(), "2", "3", {3});
    TestKit::Click(f->BT_Set);
  }
  {
    TestKit::DialogScript script;
    script.Expect("Please choose trunk type.");
    FillAdd(f.get(), "2", "3", {3, 4}, -1);
    TestKit::Click(f->BT_Set);
  }
  EXPECT_TRUE(SetLines().empty());
  // The port edit takes digits only.
  f->PortEdit->SetText("");
  TestKit::TypeText(f->PortEdit, "1a2");
  EXPECT_EQ(f->PortEdit->Text(), "12");
}

TEST_F(PortTrunk, SetWritesTheSelectedGroupWithTheChosenState) {
  Control("set " + kTrunk + "3.1 i 2");
  Control("set " + kTrunk + "4.1 x 60000000");
  auto f = Open<TPortTrunkForm>();
  TestKit::ClickRow(f->LV_PortTrunk, 0);
  {
    // The master port left as read is judged with the members changed.
    TestKit::DialogScript script;
    script.Expect("Master port must be checked.");
    TestKit::Click(Port(f->MemberFrame, 2));
    TestKit::Click(f->SetBtn);
    TestKit::Click(Port(f->MemberFrame, 2));
  }
  EXPECT_TRUE(SetLines().empty());
  Port(f->MemberFrame, 4)->SetChecked(true);
  TestKit::PickItem(f->ComboBox1, 1);  // disable
  TestKit::Click(f->SetBtn);
  auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(kTrunk + "7.1=INTEGER:2"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kTrunk + "3.1=INTEGER:2"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kTrunk + "4.1=Hex-STRING:70 00 00 00"), std::string::npos) << sets[0];
  EXPECT_TRUE(f->ED_Index->Enabled());
  EXPECT_FALSE(f->SetBtn->Enabled());
  EXPECT_EQ(f->LV_PortTrunk->Items()->Item(0)->SubItems()->Strings(3), "disable");

  // The disabled group enabled again: "enable" is the first of the states.
  TestKit::ClickRow(f->LV_PortTrunk, 0);
  EXPECT_EQ(f->ComboBox1->Text(), "disable");
  TestKit::PickItem(f->ComboBox1, 0);  // enable
  TestKit::Click(f->SetBtn);
  sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_NE(sets[1].find(kTrunk + "7.1=INTEGER:1"), std::string::npos) << sets[1];
  EXPECT_EQ(f->LV_PortTrunk->Items()->Item(0)->SubItems()->Strings(3), "enable");

  // A master port the switch holds as no port number has no box: changed
  // members are refused beside it.
  Control("set " + kTrunk + "3.1 i -2147483648");
  TestKit::Click(f->BT_Get);
  TestKit::ClickRow(f->LV_PortTrunk, 0);
  {
    TestKit::DialogScript script;
    script.Expect("Master port must be checked.");
    TestKit::Click(Port(f->MemberFrame, 5));
    TestKit::Click(f->SetBtn);
  }
  EXPECT_EQ(SetLines().size(), 2u);
}

TEST_F(PortTrunk, DeleteSendsOnlyTheRowStatusAndRestoresTheColumns) {
  auto f = Open<TPortTrunkForm>();
  {
    TestKit::DialogScript script;
    script.Expect("Please select trunk group.");
    f->BT_DeleteClick(nullptr);
  }
  // A device failure: shown in the status bar, the columns back as before.
  Control("inject set " + kTrunk + "7 genErr");
  TestKit::ClickRow(f->LV_PortTrunk, 0);
  TestKit::Click(f->BT_Delete);
  EXPECT_EQ(Panel0(f.get()).find("Ok!"), std::string::npos) << Panel0(f.get());
  EXPECT_FALSE(Panel0(f.get()).empty());
  EXPECT_FALSE(f->BT_Delete->Enabled());
  for (int item : {1, 2, 3}) EXPECT_EQ(f->Request->Request.VarList.Item(item)->Access, 6u);

  TestKit::ClickRow(f->LV_PortTrunk, 0);
  TestKit::Click(f->BT_Delete);
  auto sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_NE(sets[1].find(kTrunk + "7.1=INTEGER:6"), std::string::npos) << sets[1];
  // Master port, member ports and trunk type stay out of both SETs.
  for (const std::string& set : sets)
    for (const char* column : {"3.1=", "4.1=", "6.1="})
      EXPECT_EQ(set.find(kTrunk + column), std::string::npos) << set;
  EXPECT_EQ(f->LV_PortTrunk->Items()->Count(), 0);
  for (int item : {1, 2, 3}) EXPECT_EQ(f->Request->Request.VarList.Item(item)->Access, 6u);
}

// A typed master port is judged with the members, written, and kept when
// the switch refuses the write, still the user's, while the groups are
// read again with none selected.
TEST_F(PortTrunk, ATypedMasterPortIsJudgedWrittenAndKeptWhenRefused) {
  Control("set " + kTrunk + "3.1 i 2");
  Control("set " + kTrunk + "4.1 x 60000000");
  auto f = Open<TPortTrunkForm>();
  TestKit::ClickRow(f->LV_PortTrunk, 0);
  Typed(f->PortEdit, "4");
  {
    TestKit::DialogScript script;
    script.Expect("Master port must be checked.");
    TestKit::Click(f->SetBtn);
  }
  EXPECT_TRUE(SetLines().empty());
  TestKit::Click(Port(f->MemberFrame, 4));
  Control("inject set " + kTrunk + "3 genErr");
  TestKit::Click(f->SetBtn);
  ASSERT_TRUE(PumpUntil([&f] { return !f->Request->Busy; }));
  EXPECT_EQ(SetLines().size(), 1u);
  EXPECT_EQ(f->PortEdit->Text(), "4");
  EXPECT_TRUE(f->PortEdit->Modified());
  EXPECT_TRUE(Port(f->MemberFrame, 4)->Checked());
  EXPECT_EQ(f->LV_PortTrunk->Selected(), nullptr);
  EXPECT_FALSE(f->SetBtn->Enabled());
  EXPECT_TRUE(f->BT_Set->Enabled());
  EXPECT_EQ(Value(kTrunk + "3.1"), "INTEGER:2");

  TestKit::ClickRow(f->LV_PortTrunk, 0);
  Typed(f->PortEdit, "3");
  TestKit::Click(f->SetBtn);
  EXPECT_EQ(Value(kTrunk + "3.1"), "INTEGER:3");
}

}  // namespace
