// The server group form against the simulated switch: the walk into the
// list, creating a group by name only, the default groups that cannot be
// deleted, deleting a group, and a second Refresh while a walk runs.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/security/ServerGroupUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

const std::string kGroup = "1.3.6.1.4.1.171.12.5.9.1.";

std::string Row(const std::string& name) {
  std::string s = std::to_string(name.size());
  for (const char c : name) s += "." + std::to_string(static_cast<unsigned char>(c));
  return s;
}

class ServerGroupFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<TServerGroupForm>(Application));
    TestKit::ShowAndActivate(form_.get());
    WaitWalk();
  }
  void WaitWalk() { ASSERT_TRUE(WaitIdle(*form_->Request)); }
  void TearDown() override {
    if (form_) {
      Control("release");
      if (form_->Request) WaitIdle(*form_->Request);
      form_->Close();
      form_.reset();
    }
    PagesDeviceTest::TearDown();
  }
  TListView* List() const { return form_->ListView2; }
  int RowOf(const char* name) const {
    for (int i = 0; i < List()->Items()->Count(); ++i)
      if (List()->Items()->Item(i)->Caption() == name) return i;
    return -1;
  }
  std::unique_ptr<TServerGroupForm> form_;
};

TEST_F(ServerGroupFormTest, OpensWithTheGroupsAndTheirMembersShownOnly) {
  Open();
  // The device's default groups, in the walk's order; RADIUS has a member.
  ASSERT_EQ(List()->Items()->Count(), 4);
  EXPECT_EQ(List()->Items()->Item(0)->Caption(), "RADIUS");
  EXPECT_EQ(List()->Items()->Item(3)->Caption(), "TACACS-plus");
  EXPECT_EQ(List()->Columns()->Items(1)->Caption(), "AAC Server Group IP Address1");
  EXPECT_EQ(ListCellText(List(), 0, 1), "10.90.90.20");
  EXPECT_EQ(ListCellText(List(), 0, 2), "RADIUS");
  EXPECT_EQ(ListCellText(List(), 0, 3), "0.0.0.0");
  EXPECT_EQ(form_->Static->Caption(), "4");
  EXPECT_EQ(form_->cbxRowStatus->Text(), "createAndGo");
  EXPECT_FALSE(form_->EditButton->Visible());
  EXPECT_FALSE(form_->edtIP1->Enabled());
  EXPECT_NE(MemoText(form_->Memo1).find("Ok!"), std::string::npos) << MemoText(form_->Memo1);
  EXPECT_NE(FindFormOpener("TServerGroupForm"), nullptr);

  TestKit::ClickRow(List(), 0);
  EXPECT_EQ(form_->edtServerName->Text(), "RADIUS");
  EXPECT_TRUE(form_->DeleteButton->Enabled());
  EXPECT_FALSE(form_->AddButton->Enabled());
  EXPECT_FALSE(form_->edtIP1->Enabled());
  EXPECT_FALSE(form_->cbxProt8->Enabled());
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-ServerGroupForm.png"));
}

TEST_F(ServerGroupFormTest, AddCreatesTheGroupByNameOnly) {
  Control("set " + kGroup + "18." + Row("radius-lab") + " i 4");
  Open();
  TestKit::DialogScript dialogs;
  dialogs.Expect("Server Group Name can not be null.")
      .Expect("Has already a record with the same Server Group Name. Please change it.")
      .Expect("RowState must be createAndGo.");
  TestKit::Click(form_->AddButton);
  EXPECT_TRUE(form_->edtServerName->Focused());
  form_->edtServerName->SetText("radius-lab");
  TestKit::Click(form_->AddButton);
  // Another letter case is another group.
  form_->edtServerName->SetText("Radius-lab");
  form_->cbxRowStatus->SetItemIndex(0);
  TestKit::Click(form_->AddButton);
  EXPECT_TRUE(SetLines().empty());

  form_->cbxRowStatus->SetItemIndex(3);
  form_->edtIP1->SetText("10.1.1.1");  // never written
  TestKit::Click(form_->AddButton);
  WaitWalk();
  ASSERT_EQ(SetLines().size(), 1u);
  const std::string set = SetLines()[0];
  EXPECT_NE(set.find(kGroup + "18." + Row("Radius-lab") + "=INTEGER:4"), std::string::npos) << set;
  EXPECT_EQ(set.find(kGroup + "2."), std::string::npos) << set;
  EXPECT_EQ(set.find(kGroup), set.rfind(kGroup)) << set;
  EXPECT_GE(RowOf("Radius-lab"), 0);
  EXPECT_EQ(form_->Static->Caption(), "6");
  EXPECT_EQ(form_->edtServerName->Text(), "");
}

TEST_F(ServerGroupFormTest, DefaultGroupsStayAndOthersAreDestroyed) {
  Control("set " + kGroup + "18." + Row("lab") + " i 4");
  Open();
  {
    TestKit::DialogScript dialogs;
    for (const char* name : {"TACACS", "XTACACS", "TACACS-plus", "RADIUS"}) {
      dialogs.Expect("Default Server Group can not be deleted.");
      TestKit::ClickRow(List(), RowOf(name));
      TestKit::Click(form_->DeleteButton);
    }
    dialogs.Expect("Default Server Group can not be deleted.");
    form_->edtServerName->SetText("tacacs-PLUS");
    TestKit::Click(form_->DeleteButton);
  }
  EXPECT_TRUE(SetLines().empty());
  TestKit::ClickRow(List(), RowOf("lab"));
  TestKit::Click(form_->DeleteButton);
  WaitWalk();
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_NE(SetLines()[0].find(kGroup + "18." + Row("lab") + "=INTEGER:6"), std::string::npos)
      << SetLines()[0];
  EXPECT_EQ(RowOf("lab"), -1);
  EXPECT_EQ(Value(kGroup + "18." + Row("lab")), "noSuchInstance");
  EXPECT_EQ(form_->Request->Request.VarList.Item(1)->Access, 2u);
}

TEST_F(ServerGroupFormTest, ASecondRefreshDuringTheWalkIsIgnored) {
  Control("set " + kGroup + "18." + Row("lab") + " i 4");
  Open();
  Control("hold");
  TestKit::Click(form_->GetButton);
  TestKit::Click(form_->GetButton);
  Control("release");
  WaitWalk();
  EXPECT_EQ(List()->Items()->Count(), 5);
  EXPECT_EQ(form_->Static->Caption(), "5");
}

}  // namespace

namespace {

// Delete keeps the default groups under any letter case: Add does not make
// a group of such a name, which could never be deleted again.
TEST_F(ServerGroupFormTest, AddRefusesANameThatDeleteKeepsAsADefaultGroup) {
  Open();
  for (const char* name : {"radius", "tacacs", "TACACS+", "xTacacs", "Tacacs-Plus"}) {
    SCOPED_TRACE(name);
    TestKit::DialogScript dialogs;
    dialogs.Expect("Has already a record with the same Server Group Name. Please change it.");
    form_->edtServerName->SetText(name);
    TestKit::Click(form_->AddButton);
    dialogs.Verify();
    EXPECT_TRUE(form_->edtServerName->Focused());
  }
  EXPECT_TRUE(SetLines().empty());
}

}  // namespace

namespace {

// An Add or Delete whose SET times out or is refused: the failure stays the
// memo's last line after the list has been read again, the name the user
// typed for an Add stays, and no row button is on without a selected row.
TEST_F(ServerGroupFormTest, AFailedWriteStaysTheLastLineAndKeepsTheTypedName) {
  Control("set " + kGroup + "18." + Row("lab") + " i 4");
  Open();
  const struct {
    const char* name;
    const char* control;  // makes the SET fail
    bool adding;
  } writes[] = {
      {"an Add that times out", "drop 2", true},
      {"an Add refused", "inject set 1.3.6.1.4.1.171.12.5.9.1 genErr", true},
      {"a Delete that times out", "drop 2", false},
  };
  for (const auto& w : writes) {
    SCOPED_TRACE(w.name);
    if (w.adding) {
      form_->edtServerName->SetText("lab2");
    } else {
      TestKit::ClickRow(List(), RowOf("lab"));
    }
    Control(w.control);
    TestKit::Click(w.adding ? form_->AddButton : form_->DeleteButton);
    WaitWalk();
    EXPECT_EQ(LastMemoLine(form_->Memo1).rfind("Set: ", 0), 0u) << MemoText(form_->Memo1);
    EXPECT_EQ(LastMemoLine(form_->Memo1).find("Ok!"), std::string::npos) << MemoText(form_->Memo1);
    if (w.adding) {
      EXPECT_EQ(form_->edtServerName->Text(), "lab2");
    } else {
      // The fields were the row's: those of a new group take their place.
      EXPECT_EQ(form_->edtServerName->Text(), "");
    }
    EXPECT_EQ(form_->cbxRowStatus->Text(), "createAndGo");
    EXPECT_TRUE(form_->AddButton->Enabled());
    EXPECT_EQ(List()->Selected(), nullptr);
    EXPECT_FALSE(form_->DeleteButton->Enabled());
    EXPECT_EQ(List()->Items()->Count(), 5);
    EXPECT_EQ(form_->Static->Caption(), "5");
  }
}

}  // namespace
