// The port capability form against the simulated switch: the port numbers
// come from the rows' instances, the count beside "Samples" follows the
// list, and the refresh flag it shares through its host keeps a second walk
// out.
#include <gtest/gtest.h>

#include <string>

#include "PagesTestSupport.h"
#include "forms/switching/PortCapabilities8021dFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormHost.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kCapabilities = "1.3.6.1.2.1.17.6.1.1.4.1.1";

class PortCapabilitiesFormTest : public PagesDeviceTest {
 protected:
  void SetUp() override {
    PagesDeviceTest::SetUp();
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
    form_ = ::Create<TPortCapabilities8021dForm>(Application);
    TestKit::ShowAndActivate(form_);
  }
  TListView* List() const { return form_->LV_dot1dPortCapabilitiesEntry; }
  TPortCapabilities8021dForm* form_ = nullptr;
};

TEST_F(PortCapabilitiesFormTest, ListsEachPortsCapabilitiesWithItsNumber) {
  Control(std::string("set ") + kCapabilities + ".7 x C0");
  Create();
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(FormHost().IdleFlags().RefreshIdle, 1);
  ASSERT_EQ(List()->Items()->Count(), 10);
  EXPECT_EQ(form_->ST_Count->Caption(), "10");
  EXPECT_EQ(List()->Items()->Item(0)->Caption(), "1");
  EXPECT_EQ(List()->Items()->Item(9)->Caption(), "10");
  EXPECT_EQ(List()->Items()->Item(6)->SubItems()->Strings(0), "C0");
  // Only the capabilities column was asked for.
  for (const std::string& line : NewLog())
    EXPECT_EQ(line.find("1.3.6.1.2.1.17.1.4.1.1"), std::string::npos) << line;
  const std::string path = vntest::ArtifactsDir() + "/form-PortCapabilities8021dForm.png";
  EXPECT_TRUE(TestKit::Grab(form_, path)) << path;
}

TEST_F(PortCapabilitiesFormTest, RefreshDuringAWalkIsIgnored) {
  Control("hold");
  Create();
  ASSERT_TRUE(form_->Request->Busy);
  SettleSwitch();  // the held request reaches the log
  const std::size_t before = NewLog().size();
  TestKit::Click(form_->RefreshBtn);
  SettleSwitch();
  EXPECT_EQ(NewLog().size(), before);
  Control("release");
  ASSERT_TRUE(WaitIdle(*form_->Request));
  // Unlike the GARP form, this one needs the refresh flag only.
  FormHost().IdleFlags().SetIdle = 0;
  TestKit::Click(form_->RefreshBtn);
  EXPECT_EQ(FormHost().IdleFlags().RefreshIdle, 0);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(form_->ST_Count->Caption(), "10");
}

TEST_F(PortCapabilitiesFormTest, TheMenuOpensItWithTheCaptionAndTheGlobal) {
  const TFormOpener opener = FindFormOpener("TPortCapabilities8021dForm");
  ASSERT_NE(opener, nullptr);
  bool seen = false;
  TestKit::OnNextModal<TPortCapabilities8021dForm>([&seen](TPortCapabilities8021dForm* f) {
    seen = true;
    EXPECT_EQ(PortCapabilities8021dForm, f);
    EXPECT_EQ(f->Caption(), "Port Capability Form: 127.0.0.1");
    f->Close();
  });
  opener(Application, "Port Capability Form: 127.0.0.1");
  EXPECT_TRUE(seen);
  EXPECT_EQ(PortCapabilities8021dForm, nullptr);
}

}  // namespace
