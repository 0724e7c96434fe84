// The 802.1Q basic form against the simulated switch: the group is read
// when the form opens, Set writes the GVRP status alone and keeps the
// chosen text, and the menu opens the form with its caption.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/switching/VLanGeneralInfoUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kBase = "1.3.6.1.2.1.17.7.1.1";

class VLanGeneralInfoFormTest : public PagesDeviceTest {
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
    form_ = Create<TVLanGeneralInfoForm>(Application);
    TestKit::ShowAndActivate(form_);
    ASSERT_TRUE(WaitIdle(*form_->Request));
  }
  TVLanGeneralInfoForm* form_ = nullptr;
};

TEST_F(VLanGeneralInfoFormTest, ReadsTheGroupAndWritesOnlyTheGvrpStatus) {
  Control(std::string("set ") + kBase + ".2.0 i 4094");
  Control(std::string("set ") + kBase + ".4.0 u 3");
  Control(std::string("set ") + kBase + ".5.0 i 1");
  Open();
  EXPECT_EQ(form_->MaxVlanId->Caption(), "4094");
  EXPECT_EQ(form_->CurrentNumOfVlans->Caption(), "3");
  EXPECT_EQ(form_->GvrpStatus->Text(), "enabled");
  EXPECT_FALSE(form_->VlanVersionNumber->Caption().IsEmpty());
  EXPECT_NE(MemoText(form_->Memo1).find("Ok!"), std::string::npos) << MemoText(form_->Memo1);
  const std::string path = vntest::ArtifactsDir() + "/form-VLanGeneralInfoForm.png";
  EXPECT_TRUE(TestKit::Grab(form_, path)) << path;

  // Behind the form's back the count changes; Set does not show it.
  Control(std::string("set ") + kBase + ".4.0 u 5");
  form_->GvrpStatus->SetItemIndex(1);
  TestKit::Click(form_->SetBtn);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(std::string(kBase) + ".5.0=INTEGER:2"), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(std::string(kBase) + ".4.0"), std::string::npos) << sets[0];
  EXPECT_EQ(Value(std::string(kBase) + ".5.0"), "INTEGER:2");
  EXPECT_EQ(form_->GvrpStatus->Text(), "disabled");
  EXPECT_EQ(form_->CurrentNumOfVlans->Caption(), "3");
  // Refresh shows the device's values.
  TestKit::Click(form_->RefreshBtn);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(form_->CurrentNumOfVlans->Caption(), "5");
}

TEST_F(VLanGeneralInfoFormTest, ARefusedSetIsShownAndClicksDuringAnExchangeAreIgnored) {
  Open();
  Control(std::string("inject set ") + kBase + " genErr");
  TestKit::Click(form_->SetBtn);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_NE(MemoText(form_->Memo1).find("Set: "), std::string::npos) << MemoText(form_->Memo1);

  Control("hold");
  TestKit::Click(form_->RefreshBtn);
  ASSERT_TRUE(form_->Request->Busy);
  SettleSwitch();  // the held GET reaches the log
  const std::size_t before = NewLog().size();
  TestKit::Click(form_->RefreshBtn);
  TestKit::Click(form_->SetBtn);
  SettleSwitch();
  EXPECT_EQ(NewLog().size(), before);
  Control("release");
  ASSERT_TRUE(WaitIdle(*form_->Request));
}

TEST_F(VLanGeneralInfoFormTest, TheMenuOpensItWithTheCaptionAndTheGlobal) {
  const TFormOpener opener = FindFormOpener("TVLanGeneralInfoForm");
  ASSERT_NE(opener, nullptr);
  bool seen = false;
  TestKit::OnNextModal<TVLanGeneralInfoForm>([&seen](TVLanGeneralInfoForm* f) {
    seen = true;
    EXPECT_EQ(VLanGeneralInfoForm, f);
    EXPECT_EQ(f->Caption(), "802.1Q Basic Configure: 127.0.0.1");
    f->Close();  // closing waits for the first read
  });
  opener(Application, "802.1Q Basic Configure: 127.0.0.1");
  EXPECT_TRUE(seen);
  EXPECT_EQ(VLanGeneralInfoForm, nullptr);
}

}  // namespace
