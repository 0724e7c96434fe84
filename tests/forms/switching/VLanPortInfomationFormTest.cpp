// The VLAN port information form against the simulated switch: the ports
// walked with the bridge port numbers, the edits locked until a port is
// chosen, Set writing the four settings of that port and keeping it
// selected, and the busy answers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/switching/VLanPortInfomationUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/Messages.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kPortVlan = "1.3.6.1.2.1.17.7.1.4.5.1";

class VLanPortInfomationFormTest : public PagesDeviceTest {
 protected:
  void TearDown() override {
    if (form_) {
      if (form_->Request->Busy) Control("release");
      form_->Close();
      delete form_;
      form_ = nullptr;
    }
    PagesDeviceTest::TearDown();
  }
  void Open() {
    form_ = Create<TVLanPortInfomationForm>(Application);
    TestKit::ShowAndActivate(form_);
    ASSERT_TRUE(WaitIdle(*form_->Request));
  }
  TListView* List() const { return form_->LV_dot1qPortVlanEntry; }
  int RowOf(const char* port) const {
    for (int i = 0; i < List()->Items()->Count(); ++i)
      if (List()->Items()->Item(i)->Caption() == port) return i;
    return -1;
  }
  TVLanPortInfomationForm* form_ = nullptr;
};

TEST_F(VLanPortInfomationFormTest, ListsThePortsAndLocksTheEditsUntilOneIsChosen) {
  Control(std::string("set ") + kPortVlan + ".1.3 u 12");
  Control(std::string("set ") + kPortVlan + ".2.3 i 2");
  Open();
  ASSERT_EQ(List()->Items()->Count(), 10);
  EXPECT_EQ(form_->ST_Count->Caption(), "10");
  EXPECT_EQ(List()->Columns()->Items(0)->Caption(), "Port Number");
  EXPECT_EQ(List()->Items()->Item(0)->Caption(), "1");
  EXPECT_EQ(form_->PortVLanID->Text(), "");
  EXPECT_FALSE(form_->PortVLanID->Enabled());
  EXPECT_FALSE(form_->GvrpStatus->Enabled());

  TestKit::ClickRow(List(), RowOf("3"));
  EXPECT_EQ(form_->PortVLanID->Text(), "12");
  EXPECT_EQ(form_->AcceptableFrameTypes->Text(), "admitOnlyVLANTagged");
  EXPECT_TRUE(form_->PortVLanID->Enabled());
  EXPECT_TRUE(form_->IngressFiltering->Enabled());
  const std::string path = vntest::ArtifactsDir() + "/form-VLanPortInfomationForm.png";
  EXPECT_TRUE(TestKit::Grab(form_, path)) << path;

  // Refresh locks them again.
  TestKit::Click(form_->RefreshBtn);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_FALSE(form_->PortVLanID->Enabled());
  EXPECT_EQ(form_->ST_Count->Caption(), "10");
}

TEST_F(VLanPortInfomationFormTest, SetWritesTheFourSettingsOfTheSelectedPort) {
  Open();
  TestKit::ClickRow(List(), RowOf("4"));
  form_->PortVLanID->SetText("7");
  form_->IngressFiltering->SetItemIndex(0);  // true
  form_->GvrpStatus->SetItemIndex(0);        // enabled
  // The port stays selected until the device has answered.
  std::string selected;
  form_->Request->OnSetDone = VnRequestDoneEvent([&](VnSNMPRequest2Controls*, const VnSNMPError&) {
    selected = List()->Selected() ? List()->Selected()->Caption().str() : "none";
  });
  TestKit::Click(form_->SetBtn);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(selected, "4");

  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  for (const char* column : {".1.4=Gauge32:7", ".2.4=INTEGER:", ".3.4=INTEGER:1", ".4.4=INTEGER:1"})
    EXPECT_NE(sets[0].find(std::string(kPortVlan) + column), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(".5.4="), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find("1.3.6.1.2.1.17.1.4.1.1"), std::string::npos) << sets[0];
  EXPECT_EQ(Value(std::string(kPortVlan) + ".1.4"), "Gauge32:7");
  EXPECT_EQ(Value(std::string(kPortVlan) + ".1.3"), "Gauge32:1");
  // The table was read again.
  EXPECT_EQ(List()->Items()->Count(), 10);
  EXPECT_EQ(List()->Items()->Item(RowOf("4"))->SubItems()->Strings(0), "7");
}

TEST_F(VLanPortInfomationFormTest, BusyAnswersAndSetWithoutAPortSendsNothing) {
  Open();
  // No port chosen: there is no port to address.
  form_->SetBtnClick(nullptr);
  EXPECT_TRUE(SetLines().empty());

  Control("hold");
  TestKit::Click(form_->RefreshBtn);
  ASSERT_TRUE(form_->Request->Busy);
  {
    TestKit::DialogScript dialogs;
    dialogs.Expect("Refresh Not Complete").Expect("Refresh Not Complete");
    TestKit::Click(form_->RefreshBtn);
    form_->SetBtnClick(nullptr);
  }
  Control("release");
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_TRUE(SetLines().empty());
}

TEST_F(VLanPortInfomationFormTest, TheMenuOpensItWithTheCaptionAndTheGlobal) {
  const TFormOpener opener = FindFormOpener("TVLanPortInfomationForm");
  ASSERT_NE(opener, nullptr);
  bool seen = false;
  TestKit::OnNextModal<TVLanPortInfomationForm>([&seen](TVLanPortInfomationForm* f) {
    seen = true;
    EXPECT_EQ(VLanPortInfomationForm, f);
    EXPECT_EQ(f->Caption(), "VLAN Port Information Form: 127.0.0.1");
    f->Close();
  });
  opener(Application, "VLAN Port Information Form: 127.0.0.1");
  EXPECT_TRUE(seen);
  EXPECT_EQ(VLanPortInfomationForm, nullptr);
}

}  // namespace

namespace {

// Set acts on the selected port: it and the fields are on exactly while a
// port is selected, however the selection came or went (a click, the keys,
// a click beside the rows, the read after a Set written or refused,
// Refresh).
TEST_F(VLanPortInfomationFormTest, SetIsOnExactlyWhileAPortIsSelected) {
  Control("hold");
  form_ = Create<TVLanPortInfomationForm>(Application);
  EXPECT_FALSE(form_->SetBtn->Enabled()) << "while the first read runs";
  Control("release");
  TestKit::ShowAndActivate(form_);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  const auto set = [this] {
    TestKit::Click(form_->SetBtn);
    ASSERT_TRUE(WaitIdle(*form_->Request));
  };
  const struct {
    const char* step;
    std::function<void()> act;
    bool selected;
  } steps[] = {
      {"opened", [] {}, false},
      {"a click", [this] { TestKit::ClickRow(List(), RowOf("2")); }, true},
      {"a click beside the rows", [this] { TestKit::ClickEmpty(List()); }, false},
      {"keys", [this] { TestKit::PressKeyInList(List(), VK_DOWN); }, true},
      {"a Set written and read again", set, false},
      {"a click again", [this] { TestKit::ClickRow(List(), RowOf("3")); }, true},
      {"a Set refused and read again",
       [this, &set] {
         Control(std::string("inject set ") + kPortVlan + " genErr");
         set();
       },
       false},
      {"a click once more", [this] { TestKit::ClickRow(List(), RowOf("3")); }, true},
      {"Refresh",
       [this] {
         TestKit::Click(form_->RefreshBtn);
         ASSERT_TRUE(WaitIdle(*form_->Request));
       },
       false},
  };
  for (const auto& s : steps) {
    s.act();
    EXPECT_EQ(List()->Selected() != nullptr, s.selected) << s.step;
    EXPECT_EQ(form_->SetBtn->Enabled(), s.selected) << s.step;
    EXPECT_EQ(form_->PortVLanID->Enabled(), s.selected) << s.step;
  }
  const std::vector<std::string> sets = SetLines();
  ASSERT_EQ(sets.size(), 2u);
  EXPECT_NE(sets[1].find("genErr"), std::string::npos) << sets[1];
}

// A Set the switch refuses: the refusal stays the memo's last line after
// the list has been read again, and the fields keep what the user typed.
TEST_F(VLanPortInfomationFormTest, ARefusedSetKeepsWhatWasTyped) {
  Open();
  TestKit::ClickRow(List(), RowOf("4"));
  Typed(form_->PortVLanID, "7");
  Control(std::string("inject set ") + kPortVlan + " genErr");
  TestKit::Click(form_->SetBtn);
  EXPECT_EQ(form_->PortVLanID->Text(), "7");
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(form_->PortVLanID->Text(), "7");
  const std::string last = LastMemoLine(form_->Memo1);
  EXPECT_EQ(last.rfind("Set: ", 0), 0u) << MemoText(form_->Memo1);
  EXPECT_EQ(last.find("Ok!"), std::string::npos) << MemoText(form_->Memo1);
  EXPECT_EQ(Value(std::string(kPortVlan) + ".1.4"), "Gauge32:1");
}

TEST_F(VLanPortInfomationFormTest, OnlyDigitsReachThePvid) {
  Open();
  TestKit::ClickRow(List(), RowOf("2"));
  TestKit::FocusTo(form_->PortVLanID);
  form_->PortVLanID->SetText("");
  TestKit::TypeText(form_->PortVLanID, "x9y");
  EXPECT_EQ(form_->PortVLanID->Text(), "9");
  TestKit::DialogScript none;
  TestKit::FocusTo(form_->GvrpStatus);
  EXPECT_TRUE(none.Shown().empty());
  TestKit::Click(form_->SetBtn);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_NE(SetLines()[0].find(std::string(kPortVlan) + ".1.2=Gauge32:9"), std::string::npos)
      << SetLines()[0];
}

}  // namespace
