// The spanning-tree information form against the simulated switch: the
// first read and the hello-time rule, the timer checks, and the writes for
// stp/rstp (timers with the hello time) and mstp (without it, behind the
// progress dialog while spanning tree is on).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "FormsL2Support.h"
#include "PagesTestSupport.h"
#include "app/MainUnit.h"
#include "forms/common/FeatureForm.h"
#include "forms/switching/STPInfo.h"
#include "pages/FormOpeners.h"
#include "pages/Progress2.h"
#include "platform/ComCtrls.h"
#include "platform/Graphics.h"
#include "platform/RegistryStore.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

const std::string kBridge = "1.3.6.1.4.1.171.12.15.1";
constexpr const char* kAlgorithm = "1.3.6.1.4.1.171.11.101.1.2.1.2.1.0";

class STPInfo : public PagesDeviceTest {
 protected:
  void SetUp() override {
    PagesDeviceTest::SetUp();
    Seed(3, 2000);  // max age
    Seed(5, 1500);  // forward delay
    Seed(6, 20);    // max hops
    Seed(7, 6);     // TX hold count
    Seed(8, 2);     // forwarding BPDU disabled
  }
  void Seed(int column, int value) {
    Control("set " + kBridge + "." + std::to_string(column) + ".0 i " + std::to_string(value));
  }
  void Open() {
    form_.reset(Create<TSTP_Info>(Application));
    TestKit::ShowAndActivate(form_.get());
  }
  void TearDown() override {
    form_.reset();
    PagesDeviceTest::TearDown();
  }
  std::string Panel() const { return form_->StatusBar1->Panels()->Items(0)->Text().str(); }
  std::unique_ptr<TSTP_Info> form_;
};

TEST_F(STPInfo, OpensWithTheDeviceValuesAndTheHelloTimeRule) {
  EXPECT_NE(FindFormOpener("TSTP_Info"), nullptr);
  Seed(2, 1);
  Open();
  EXPECT_EQ(ComboText(form_->Combo_STPVersion), "rstp");
  EXPECT_EQ(form_->lbstpversion->Caption(), "rstp");
  EXPECT_EQ(form_->ET_AgingTime->Text(), "2000");
  EXPECT_EQ(form_->ET_ForwardDelay->Text(), "1500");
  EXPECT_EQ(form_->ET_Priority->Text(), "20");
  EXPECT_EQ(form_->ET_HelloTime->Text(), "200");
  EXPECT_TRUE(form_->ET_HelloTime->Enabled());
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-STPInfo.png"));
  ASSERT_TRUE(SelectComboText(form_->Combo_STPVersion, "mstp"));
  form_->Combo_STPVersionChange(nullptr);
  EXPECT_EQ(form_->ET_HelloTime->Text(), "");
  EXPECT_FALSE(form_->ET_HelloTime->Enabled());
  EXPECT_EQ(form_->ET_HelloTime->Color(), clMenu);
}

// The hello time is set to 200 for stp and rstp only: with a version the
// list does not hold the field shows the switch's value, after the first
// read and after Refresh, and a Set of another field sends it back unchanged.
TEST_F(STPInfo, AVersionOutsideTheListKeepsTheHeldHelloTime) {
  Seed(2, 5);
  Seed(4, 150);
  Open();
  for (const char* step : {"opened", "refreshed"}) {
    SCOPED_TRACE(step);
    if (std::string(step) == "refreshed") form_->BT_GetClick(nullptr);
    EXPECT_EQ(form_->Combo_STPVersion->ItemIndex(), -1);
    EXPECT_EQ(form_->ET_HelloTime->Text(), "150");
    EXPECT_TRUE(form_->ET_HelloTime->Enabled());
  }
  Typed(form_->ET_Priority, "30");
  form_->BT_SetClick(nullptr);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u) << Panel();
  EXPECT_NE(sets[0].find(kBridge + ".6.0=INTEGER:30"), std::string::npos) << sets[0];
  EXPECT_EQ(Value(kBridge + ".4.0"), "INTEGER:150");
  EXPECT_EQ(Value(kBridge + ".2.0"), "INTEGER:5");
}

TEST_F(STPInfo, TimerChecksSendNothing) {
  Seed(2, 1);
  Open();
  Typed(form_->ET_AgingTime, "2900");  // above 2 * 1500 - 200
  form_->BT_SetClick(nullptr);
  EXPECT_EQ(Panel(), "Data Error !");
  Typed(form_->ET_AgingTime, "2000");
  Typed(form_->ET_Priority, "");
  form_->BT_SetClick(nullptr);
  EXPECT_EQ(Panel(), "Don't Leave Empty Fileds !");
  Typed(form_->ET_Priority, "20");
  Typed(form_->ET_HelloTime, "1000");  // max age below 2 * hello + 200
  form_->BT_SetClick(nullptr);
  EXPECT_EQ(Panel(), "Data Error !");
  EXPECT_TRUE(SetLines().empty());
}

// A timer the switch gave no value for takes part in the combination once
// the user types it.
TEST_F(STPInfo, ATimerTypedWhereTheSwitchGaveNoneIsJudged) {
  Seed(2, 1);
  struct Case {
    int column, held;
    TEdit* TSTP_Info::*edit;
    const char* typed;  // breaks max age <= 2 * forward delay - 200
  };
  for (const Case& c : {Case{3, 2000, &TSTP_Info::ET_AgingTime, "2900"},
                        Case{5, 1500, &TSTP_Info::ET_ForwardDelay, "1000"}}) {
    Control("absent " + kBridge + "." + std::to_string(c.column) + ".0");
    Open();
    TEdit* edit = form_.get()->*c.edit;
    EXPECT_EQ(edit->Text(), "");
    Typed(edit, c.typed);
    form_->BT_SetClick(nullptr);
    EXPECT_EQ(Panel(), "Data Error !") << c.typed;
    Seed(c.column, c.held);
  }
  EXPECT_TRUE(SetLines().empty());
}

TEST_F(STPInfo, TimerChecksHoldUpToTheirBoundaries) {
  Seed(2, 1);
  Control("set " + std::string(kAlgorithm) + " i 2");  // off: no progress dialog
  Open();
  // Max age: 2 * forward delay - 200 = 2800 goes out, one more does not.
  Typed(form_->ET_AgingTime, "2801");
  form_->BT_SetClick(nullptr);
  EXPECT_EQ(Panel(), "Data Error !");
  EXPECT_TRUE(SetLines().empty());
  Typed(form_->ET_AgingTime, "2800");
  form_->BT_SetClick(nullptr);
  auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u) << Panel();
  EXPECT_NE(sets[0].find(kBridge + ".3.0=INTEGER:2800"), std::string::npos) << sets[0];
  // Hello time: max age 2000 = 2 * 900 + 200 goes out, hello time 901 does not.
  Typed(form_->ET_AgingTime, "2000");
  Typed(form_->ET_HelloTime, "901");
  form_->BT_SetClick(nullptr);
  EXPECT_EQ(Panel(), "Data Error !");
  EXPECT_EQ(SetLines().size(), 1u);
  Typed(form_->ET_HelloTime, "900");
  form_->BT_SetClick(nullptr);
  sets = SetLines();
  ASSERT_EQ(sets.size(), 2u) << Panel();
  EXPECT_NE(sets[1].find(kBridge + ".3.0=INTEGER:2000"), std::string::npos) << sets[1];
  EXPECT_NE(sets[1].find(kBridge + ".4.0=INTEGER:900"), std::string::npos) << sets[1];
}

TEST_F(STPInfo, StpToRstpWithSpanningTreeOffWritesTheTimersOnly) {
  Seed(2, 0);
  Control("set " + std::string(kAlgorithm) + " i 2");
  Open();
  ASSERT_EQ(form_->lbMSTPState->Caption(), "disabled");
  ASSERT_TRUE(SelectComboText(form_->Combo_STPVersion, "rstp"));
  form_->BT_SetClick(nullptr);  // no progress dialog: an unscripted one fails
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u) << Panel();
  EXPECT_NE(sets[0].find(kBridge + ".2.0=INTEGER:1"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kBridge + ".4.0=INTEGER:200"), std::string::npos) << sets[0];
  EXPECT_EQ(Value(kBridge + ".2.0"), "INTEGER:1");
  EXPECT_EQ(form_->lbstpversion->Caption(), "rstp");
}

TEST_F(STPInfo, MstpIsWrittenWithoutHelloTimeBehindTheProgressDialog) {
  Seed(2, 1);
  Control("set " + std::string(kAlgorithm) + " i 3");
  Open();
  ASSERT_EQ(form_->lbMSTPState->Caption(), "enabled");
  ASSERT_TRUE(SelectComboText(form_->Combo_STPVersion, "mstp"));
  form_->Combo_STPVersionChange(nullptr);
  form_->ET_Priority->SetText("30");
  bool shown = false;
  TestKit::OnNextModal<TProgressForm2>([&](TProgressForm2* dialog) {
    shown = true;
    EXPECT_EQ(dialog->Caption(), "Set STP Progress");
    EXPECT_EQ(dialog->LB_Prompt->Caption(), "Change STP Version is doing...");
    for (int i = 0; i < 31; ++i) dialog->ProgressTimerTimer(nullptr);
  });
  form_->BT_SetClick(nullptr);
  EXPECT_TRUE(shown);
  EXPECT_EQ(ProgressForm2, nullptr);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u) << Panel();
  EXPECT_EQ(sets[0].find(kBridge + ".4.0="), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kBridge + ".2.0=INTEGER:2"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kBridge + ".6.0=INTEGER:30"), std::string::npos) << sets[0];
  EXPECT_EQ(Value(kBridge + ".6.0"), "INTEGER:30");
  EXPECT_EQ(form_->lbstpversion->Caption(), "mstp");
}

TEST_F(STPInfo, AFailedSetLeavesTheVersionLabelsAtTheDevicesVersion) {
  Seed(2, 0);
  Control("set " + std::string(kAlgorithm) + " i 2");
  Open();
  ASSERT_EQ(form_->lbstpversion->Caption(), "stp");
  ASSERT_TRUE(SelectComboText(form_->Combo_STPVersion, "rstp"));
  Control("inject set " + kBridge + " genErr");
  form_->BT_SetClick(nullptr);
  EXPECT_NE(Panel().find("Set: "), std::string::npos) << Panel();
  EXPECT_EQ(Value(kBridge + ".2.0"), "INTEGER:0");
  EXPECT_EQ(form_->lbstpversion->Caption(), "stp");
}

// The main window's version is what the next change is compared with: once
// the device runs mstp, going back to it is no version change.
TEST_F(STPInfo, ASuccessfulVersionSetUpdatesTheMainWindowsVersion) {
  Seed(2, 1);
  Control("set " + std::string(kAlgorithm) + " i 3");
  TMemoryRegistryStore registry;
  TRegistryStoreOverride useRegistry(registry);
  vntest::TempDir work;
  const std::unique_ptr<TMainForm> window(MakeMainWindow(work.Path(), Sim().Port()));
  window->ST_STPVersion->SetCaption("rstp");
  Open();
  ASSERT_TRUE(SelectComboText(form_->Combo_STPVersion, "mstp"));
  form_->Combo_STPVersionChange(nullptr);
  int dialogs = 0;
  TestKit::OnNextModal<TProgressForm2>([&](TProgressForm2* dialog) {
    ++dialogs;
    for (int i = 0; i < 31; ++i) dialog->ProgressTimerTimer(nullptr);
  });
  form_->BT_SetClick(nullptr);
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(window->ST_STPVersion->Caption(), "mstp");
  form_->BT_SetClick(nullptr);  // mstp again: no progress dialog (an unscripted one fails)
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(SetLines().size(), 2u);
  form_.reset();
}

}  // namespace
