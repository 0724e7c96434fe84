// The GARP timer form against the simulated switch: the ports' timers are
// walked when it opens, a selected row fills the hidden timer edits, and
// the idle flags it shares through its host keep a Refresh from starting a
// second walk.
#include <gtest/gtest.h>

#include <string>

#include "PagesTestSupport.h"
#include "forms/switching/GARPFormUnit.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormHost.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kGarp = "1.3.6.1.2.1.17.6.1.3.1.1";

class GARPFormTest : public PagesDeviceTest {
 protected:
  void SetUp() override {
    PagesDeviceTest::SetUp();
    // As at start-up.
    FormHost().IdleFlags().RefreshIdle = 0;
    FormHost().IdleFlags().SetIdle = 0;
  }
  void TearDown() override {
    if (form_) {
      if (form_->Request->Busy) Control("release");
      form_->Close();
      delete form_;
      form_ = nullptr;
    }
    PagesDeviceTest::TearDown();
  }
  void Create() {
    form_ = ::Create<TGARPForm>(Application);
    TestKit::ShowAndActivate(form_);
  }
  // Lets every request sent reach the log, then returns the log's length.
  std::size_t SettledLogSize() const {
    SettleSwitch();
    return NewLog().size();
  }
  TListView* List() const { return form_->LV_dot1dPortGarpEntry; }
  TGARPForm* form_ = nullptr;
};

TEST_F(GARPFormTest, ShowsEachPortsTimersAndTheSelectedRowInTheHiddenEdits) {
  Control(std::string("set ") + kGarp + ".1.2 i 20");
  Control(std::string("set ") + kGarp + ".2.2 i 60");
  Control(std::string("set ") + kGarp + ".3.2 i 1000");
  Create();
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(FormHost().IdleFlags().RefreshIdle, 1);
  EXPECT_EQ(FormHost().IdleFlags().SetIdle, 1);
  ASSERT_EQ(List()->Items()->Count(), 10);
  EXPECT_EQ(form_->ST_Count->Caption(), "10");
  EXPECT_EQ(List()->Columns()->Items(1)->Caption(), "GARP Join Time");
  EXPECT_EQ(List()->Items()->Item(1)->Caption(), "2");
  EXPECT_EQ(List()->Items()->Item(1)->SubItems()->Strings(2), "1000");
  EXPECT_FALSE(form_->Panel5->Visible());
  EXPECT_FALSE(form_->SetBtn->Visible());
  EXPECT_EQ(form_->Label1->Caption(), "GARP Join Time           (0....2147483647)");

  TestKit::ClickRow(List(), 1);
  EXPECT_EQ(form_->GarpJoinTime->Text(), "20");
  EXPECT_EQ(form_->GarpLeaveTime->Text(), "60");
  EXPECT_EQ(form_->GarpLeaveAllTime->Text(), "1000");
  const std::string path = vntest::ArtifactsDir() + "/form-GARPForm.png";
  EXPECT_TRUE(TestKit::Grab(form_, path)) << path;

  TestKit::Click(form_->RefreshBtn);
  EXPECT_EQ(FormHost().IdleFlags().RefreshIdle, 0);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(FormHost().IdleFlags().RefreshIdle, 1);
  EXPECT_TRUE(SetLines().empty());
}

TEST_F(GARPFormTest, RefreshDuringAWalkStartsNoSecondOneAndAFailedWalkUnlocksIt) {
  Control("hold");
  Create();
  ASSERT_TRUE(form_->Request->Busy);
  const std::size_t before = SettledLogSize();
  TestKit::Click(form_->RefreshBtn);
  TestKit::Click(form_->RefreshBtn);
  EXPECT_EQ(SettledLogSize(), before);
  Control("release");
  ASSERT_TRUE(WaitIdle(*form_->Request));

  // A walk that fails ends the busy state too.
  Control(std::string("inject getnext ") + kGarp + " genErr");
  TestKit::Click(form_->RefreshBtn);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_NE(MemoText(form_->Memo1).find("General Error"), std::string::npos)
      << MemoText(form_->Memo1);
  EXPECT_EQ(FormHost().IdleFlags().RefreshIdle, 1);
  TestKit::Click(form_->RefreshBtn);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(List()->Items()->Count(), 10);
}

TEST_F(GARPFormTest, AReadThatCannotStartLeavesRefreshUsable) {
  // The first read fails before anything is sent: no completion will come.
  ConnectionDefaults.Device.Address = "";
  Create();
  EXPECT_FALSE(form_->Request->Busy);
  EXPECT_FALSE(MemoText(form_->Memo1).empty());
  form_->Request->Request.Device.Address = "127.0.0.1";
  TestKit::Click(form_->RefreshBtn);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(List()->Items()->Count(), 10);
}

TEST_F(GARPFormTest, TheMenuOpensItWithTheCaptionAndTheGlobal) {
  const TFormOpener opener = FindFormOpener("TGARPForm");
  ASSERT_NE(opener, nullptr);
  bool seen = false;
  TestKit::OnNextModal<TGARPForm>([&seen](TGARPForm* f) {
    seen = true;
    EXPECT_EQ(GARPForm, f);
    EXPECT_EQ(f->Caption(), "GARP: 127.0.0.1");
    f->Close();
  });
  opener(Application, "GARP: 127.0.0.1");
  EXPECT_TRUE(seen);
  EXPECT_EQ(GARPForm, nullptr);
  EXPECT_EQ(FormHost().IdleFlags().RefreshIdle, 1);  // closing waited for the walk
}

}  // namespace
