// The server control form against the simulated switch: the checks in their
// order, adding a server to a group and removing it again with one SET each
// (the group lists it among its members meanwhile), the inputs kept after
// the SET, and closing while the walk is held.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PagesTestSupport.h"
#include "forms/security/TACACSServerControlUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

const std::string kMember = "1.3.6.1.4.1.171.12.5.12.1.";
// "RADIUS", 10.90.90.21, TACACS (1).
const std::string kRow = ".6.82.65.68.73.85.83.10.90.90.21.1";
// The group "RADIUS" in the server group table: its second member slot.
const std::string kGroup = "1.3.6.1.4.1.171.12.5.9.1.";
const std::string kGroupRow = ".6.82.65.68.73.85.83";

class ServerControlFormTest : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<TAAASrvCtrlForm>(Application));
    TestKit::ShowAndActivate(form_.get());
    ASSERT_TRUE(WaitIdle(*form_->Request));
  }
  void TearDown() override {
    Control("release");
    if (form_) {
      form_->Close();
      form_.reset();
    }
    PagesDeviceTest::TearDown();
  }
  void Fill() {
    form_->edtSrvGrpName->SetText("RADIUS");
    form_->edtSrvIP->SetText("10.90.90.21");
    TestKit::PickItem(form_->cbxAuthPtcl, 0);  // TACACS
  }
  std::unique_ptr<TAAASrvCtrlForm> form_;
};

TEST_F(ServerControlFormTest, OpensEmptyWithTheWalkInTheHiddenList) {
  Open();
  EXPECT_FALSE(form_->lvOper->Visible());
  EXPECT_EQ(form_->lvOper->Items()->Count(), 1);
  EXPECT_EQ(form_->stbResult->DisplayedText().Pos("Get: Ok!"), 1)
      << form_->stbResult->DisplayedText().str();
  EXPECT_EQ(form_->edtSrvGrpName->Text(), "");
  EXPECT_EQ(form_->cbxOper->ItemIndex(), -1);
  ASSERT_EQ(form_->cbxOper->Items()->Count(), 2);
  EXPECT_EQ(form_->cbxOper->Items()->Strings(1), "delete");
  EXPECT_NE(FindFormOpener("TAAASrvCtrlForm"), nullptr);
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-AAASrvCtrlForm.png"));
  TestKit::TypeText(form_->edtSrvGrpName, "abcdefghijklmnop");
  EXPECT_EQ(form_->edtSrvGrpName->Text().Length(), 15);
}

TEST_F(ServerControlFormTest, ChecksComeInOrderAndNothingIsSent) {
  Open();
  TestKit::DialogScript dialogs;
  dialogs.Expect("Please input Server Group Name.")
      .Expect("Please input Server IP Address.")
      .Expect("Please choose Server Authentication Protocol.")
      .Expect("Please choose Operate.");
  TestKit::Click(form_->btnSet);
  form_->edtSrvGrpName->SetText("RADIUS");
  TestKit::Click(form_->btnSet);
  form_->edtSrvIP->SetText("10.90.90.21");
  TestKit::Click(form_->btnSet);
  TestKit::PickItem(form_->cbxAuthPtcl, 0);
  TestKit::Click(form_->btnSet);
  EXPECT_TRUE(SetLines().empty());
}

TEST_F(ServerControlFormTest, AddThenDeleteAMemberWithOneSetEach) {
  Open();
  Fill();
  TestKit::PickItem(form_->cbxOper, 0);  // add
  TestKit::Click(form_->btnSet);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_NE(SetLines()[0].find(kMember + "4" + kRow + "=INTEGER:1"), std::string::npos)
      << SetLines()[0];
  EXPECT_EQ(SetLines()[0].find(kMember + "1."), std::string::npos) << SetLines()[0];
  EXPECT_EQ(Value(kMember + "4" + kRow), "INTEGER:1");
  // The group lists the server after its first member.
  EXPECT_EQ(Value(kGroup + "2" + kGroupRow), "IpAddress:10.90.90.20");
  EXPECT_EQ(Value(kGroup + "4" + kGroupRow), "IpAddress:10.90.90.21");
  EXPECT_EQ(Value(kGroup + "5" + kGroupRow), "INTEGER:1");
  // No read follows; the inputs stay for the next operation.
  EXPECT_EQ(form_->edtSrvIP->Text(), "10.90.90.21");
  EXPECT_EQ(form_->lvOper->Items()->Count(), 1);

  TestKit::PickItem(form_->cbxOper, 1);  // delete
  TestKit::Click(form_->btnSet);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  ASSERT_EQ(SetLines().size(), 2u);
  EXPECT_NE(SetLines()[1].find(kMember + "4" + kRow + "=INTEGER:2"), std::string::npos)
      << SetLines()[1];
  EXPECT_EQ(Value(kMember + "4" + kRow), "noSuchInstance");
  EXPECT_EQ(Value(kGroup + "4" + kGroupRow), "IpAddress:0.0.0.0");
  EXPECT_EQ(Value(kGroup + "5" + kGroupRow), "INTEGER:5");
  EXPECT_EQ(Value(kGroup + "2" + kGroupRow), "IpAddress:10.90.90.20");
}

TEST_F(ServerControlFormTest, ClosingDuringAHeldWalkDoesNotWaitForEver) {
  Control("hold");
  form_.reset(Create<TAAASrvCtrlForm>(Application));
  TestKit::ShowAndActivate(form_.get());
  EXPECT_TRUE(form_->Request->Busy);
  TestKit::Click(form_->btnClose);
  EXPECT_EQ(form_->Request, nullptr);
}

}  // namespace
