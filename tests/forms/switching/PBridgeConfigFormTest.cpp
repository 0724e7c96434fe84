// The 802.1P basic form against the simulated switch: both values are read
// when it opens and on Refresh, the traffic-classes combo only shows, and a
// failure of the first read leaves the second one running.
#include <gtest/gtest.h>

#include <string>

#include "PagesTestSupport.h"
#include "forms/switching/PBridgeConfigFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kCapabilities = "1.3.6.1.2.1.17.6.1.1.1.0";
constexpr const char* kTrafficClasses = "1.3.6.1.2.1.17.6.1.1.2.0";

class PBridgeConfigFormTest : public PagesDeviceTest {
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
    form_ = Create<TPBridgeConfigForm>(Application);
    TestKit::ShowAndActivate(form_);
    WaitBoth();
  }
  void WaitBoth() {
    ASSERT_TRUE(WaitIdle(*form_->DeviceCapabilitiesRequest));
    ASSERT_TRUE(WaitIdle(*form_->TrafficClassesRequest));
  }
  TPBridgeConfigForm* form_ = nullptr;
};

TEST_F(PBridgeConfigFormTest, ShowsBothValuesAndReadsThemAgainOnRefresh) {
  Control(std::string("set ") + kCapabilities + " x C0");
  Control(std::string("set ") + kTrafficClasses + " i 1");
  Open();
  EXPECT_EQ(form_->Edit_DeviceCapabilities->Caption(), "C0");
  EXPECT_EQ(form_->TrafficClassesState->Text(), "true");
  EXPECT_FALSE(form_->TrafficClassesState->Enabled());
  EXPECT_FALSE(form_->BT_Set->Visible());
  EXPECT_FALSE(form_->GmrpStatus->Visible());
  const std::string path = vntest::ArtifactsDir() + "/form-PBridgeConfigForm.png";
  EXPECT_TRUE(TestKit::Grab(form_, path)) << path;

  Control(std::string("set ") + kTrafficClasses + " i 2");
  TestKit::Click(form_->BT_Get);
  WaitBoth();
  EXPECT_EQ(form_->TrafficClassesState->Text(), "false");
  EXPECT_TRUE(SetLines().empty());
}

TEST_F(PBridgeConfigFormTest, AFailedFirstReadLeavesTheSecondOne) {
  Control(std::string("inject get ") + kCapabilities + " genErr");
  Control(std::string("set ") + kTrafficClasses + " i 2");
  Open();
  EXPECT_EQ(form_->Edit_DeviceCapabilities->Caption(), "");
  EXPECT_EQ(form_->TrafficClassesState->Text(), "false");
  const std::string memo = MemoText(form_->Memo1);
  EXPECT_NE(memo.find("General Error"), std::string::npos) << memo;
  EXPECT_NE(memo.find("Ok!"), std::string::npos) << memo;
}

TEST_F(PBridgeConfigFormTest, TheMenuOpensItWithTheCaptionAndTheGlobal) {
  const TFormOpener opener = FindFormOpener("TPBridgeConfigForm");
  ASSERT_NE(opener, nullptr);
  bool seen = false;
  TestKit::OnNextModal<TPBridgeConfigForm>([&seen](TPBridgeConfigForm* f) {
    seen = true;
    EXPECT_EQ(PBridgeConfigForm, f);
    EXPECT_EQ(f->Caption(), "802.1P Basic Configure: 127.0.0.1");
    f->Close();
  });
  opener(Application, "802.1P Basic Configure: 127.0.0.1");
  EXPECT_TRUE(seen);
  EXPECT_EQ(PBridgeConfigForm, nullptr);
}

}  // namespace
