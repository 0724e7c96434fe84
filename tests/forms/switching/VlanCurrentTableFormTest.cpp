// The current VLAN table form against the simulated switch: both reads run
// to their end inside the form's creation, a row shows its index (from the
// row's instance) and ports, Refresh empties them, and device errors reach
// the memo without keeping the form from opening.
#include <gtest/gtest.h>

#include <string>

#include "PagesTestSupport.h"
#include "forms/switching/VLanCurrentTableFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kCurrent = "1.3.6.1.2.1.17.7.1.4.2.1";

class VlanCurrentTableFormTest : public PagesDeviceTest {
 protected:
  void TearDown() override {
    if (form_) {
      form_->Close();
      delete form_;
      form_ = nullptr;
    }
    PagesDeviceTest::TearDown();
  }
  void Open() {
    form_ = Create<TVLanCurrentTableForm>(Application);
    TestKit::ShowAndActivate(form_);
  }
  // Stops the deletion counter and returns its value as decimal text.
  std::string StillDeletionCount() {
    Control("motion 1.3.6.1.2.1.17.7.1.4.1.0 still");
    const std::string v = Value("1.3.6.1.2.1.17.7.1.4.1.0");  // "Counter32:N"
    return v.substr(v.find_last_of(':') + 1);
  }
  TListView* List() const { return form_->LV_dot1qVlanCurrentEntry; }
  static TCheckBox* Port(TStackingPortUitForm* frame, int port) {
    return static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(port - 1));
  }
  int Ticked(TStackingPortUitForm* frame) const {
    int n = 0;
    for (int p = 1; p <= 32; ++p) n += Port(frame, p)->Checked() ? 1 : 0;
    return n;
  }

  TVLanCurrentTableForm* form_ = nullptr;
};

TEST_F(VlanCurrentTableFormTest, ReadsBothTablesBeforeItIsShownAndShowsTheSelectedRow) {
  // VLAN 12, created at time mark 300, egress ports 1-3 of which 3 untagged.
  const std::string row = ".300.12";
  Control(std::string("set ") + kCurrent + ".3" + row + " u 12");
  Control(std::string("set ") + kCurrent + ".4" + row + " x E0000000");
  Control(std::string("set ") + kCurrent + ".5" + row + " x 20000000");
  Control(std::string("set ") + kCurrent + ".6" + row + " i 2");
  const std::string deletes = StillDeletionCount();
  form_ = Create<TVLanCurrentTableForm>(Application);
  // Synchronous: everything was read inside the creation.
  ASSERT_EQ(List()->Items()->Count(), 2);
  EXPECT_EQ(form_->ST_Count2->Caption(), "2");
  EXPECT_EQ(form_->VlanNumDeletes->Caption(), deletes.c_str());
  EXPECT_FALSE(form_->Request->AsyncMode);
  EXPECT_FALSE(form_->NumDeletesRequest->AsyncMode);
  TestKit::ShowAndActivate(form_);
  EXPECT_FALSE(form_->SetBtn->Visible());

  TestKit::ClickRow(List(), 1);
  EXPECT_EQ(form_->StaticText1->Caption(), "12");
  EXPECT_TRUE(Port(form_->EgressPortFrame, 1)->Checked());
  EXPECT_TRUE(Port(form_->EgressPortFrame, 3)->Checked());
  EXPECT_FALSE(Port(form_->EgressPortFrame, 4)->Checked());
  EXPECT_EQ(Ticked(form_->UntaggedPortFrame), 1);
  EXPECT_TRUE(Port(form_->UntaggedPortFrame, 3)->Checked());
  const std::string path = vntest::ArtifactsDir() + "/form-VLanCurrentTableForm.png";
  EXPECT_TRUE(TestKit::Grab(form_, path)) << path;

  // Refresh reads again and empties the row's fields.
  TestKit::Click(form_->RefreshBtn);
  EXPECT_EQ(form_->StaticText1->Caption(), "");
  EXPECT_EQ(Ticked(form_->EgressPortFrame), 0);
  EXPECT_EQ(List()->Items()->Count(), 2);
}

TEST_F(VlanCurrentTableFormTest, AFailedWalkReachesTheMemoAndTheFormStillOpens) {
  const std::string deletes = StillDeletionCount();
  Control(std::string("inject getnext ") + kCurrent + " genErr");
  Open();
  EXPECT_EQ(List()->Items()->Count(), 0);
  EXPECT_EQ(form_->ST_Count2->Caption(), "0");
  EXPECT_EQ(Ticked(form_->EgressPortFrame), 0);
  // The scalar read before the walk succeeded; the walk's failure is a
  // status line of the memo.
  EXPECT_EQ(form_->VlanNumDeletes->Caption(), deletes.c_str());
  const std::string memo = MemoText(form_->Memo1);
  EXPECT_NE(memo.find("Get: "), std::string::npos) << memo;
  // Refresh reads the table again.
  TestKit::Click(form_->RefreshBtn);
  EXPECT_EQ(List()->Items()->Count(), 1);
  EXPECT_EQ(form_->ST_Count2->Caption(), "1");
}

TEST_F(VlanCurrentTableFormTest, TheMenuOpensItWithTheCaptionAndTheGlobal) {
  const TFormOpener opener = FindFormOpener("TVLanCurrentTableForm");
  ASSERT_NE(opener, nullptr);
  bool seen = false;
  TestKit::OnNextModal<TVLanCurrentTableForm>([&seen](TVLanCurrentTableForm* f) {
    seen = true;
    EXPECT_EQ(VLanCurrentTableForm, f);
    EXPECT_EQ(f->Caption(), "VLAN Current: 127.0.0.1");
    f->Close();
  });
  opener(Application, "VLAN Current: 127.0.0.1");
  EXPECT_TRUE(seen);
  EXPECT_EQ(VLanCurrentTableForm, nullptr);
}

}  // namespace
