// The progress dialogs in virtual time (one tick a second), the enable
// dialog's SET against the simulated switch, and the second form's flags.
#include <gtest/gtest.h>

#include <memory>

#include "PagesTestSupport.h"
#include "app/Unit1.h"
#include "catalogue/DeviceMib.h"
#include "library/VnSNMPError.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/Progress2.h"
#include "pages/progress.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

namespace {

class ProgressDialogs : public PagesUiTest {};

// Shows the dialog modally; returns the virtual milliseconds it stayed up
// and the bar position it closed at.
template <class T>
std::pair<std::uint64_t, int> RunModal(T* dialog, TestKit::VirtualTime& time) {
  int closedAt = -1;
  TestKit::OnNextModal<T>([](T*) {});  // the dialog closes itself
  const std::uint64_t start = time.Now();
  dialog->ShowModal();
  closedAt = dialog->ProgressBar->Position();
  return {time.Now() - start, closedAt};
}

TEST_F(ProgressDialogs, TheResourceOfBothDialogs) {
  std::unique_ptr<TProgressForm2> dlg(Create<TProgressForm2>(Application, nullptr));
  EXPECT_EQ(dlg->Caption(), "Progress");
  EXPECT_EQ(dlg->BorderStyle(), bsDialog);
  EXPECT_EQ(dlg->BorderIcons(), 0u);
  EXPECT_EQ(dlg->ClientWidth(), 358);
  EXPECT_EQ(dlg->ClientHeight(), 66);
  EXPECT_EQ(dlg->Position(), poMainFormCenter);
  EXPECT_EQ(dlg->LB_Prompt->Left(), 16);
  EXPECT_EQ(dlg->LB_Prompt->Top(), 7);
  EXPECT_TRUE(dlg->LB_Prompt->Font()->Style() & fsBold);
  EXPECT_EQ(dlg->ProgressBar->BoundsRect(), (TRect{16, 32, 16 + 329, 32 + 16}));
  EXPECT_EQ(dlg->ProgressBar->Min(), 0);
  EXPECT_EQ(dlg->ProgressBar->Max(), 76);
  EXPECT_EQ(dlg->ProgressBar->Position(), 0);
  EXPECT_EQ(dlg->ProgressTimer->Interval(), 1000u);
  EXPECT_TRUE(dlg->ProgressTimer->Enabled());  // FormCreate
  EXPECT_EQ(dlg->TickLimit, 30);
}

TEST_F(ProgressDialogs, TheWaitingDialogClosesOnTheTickAfterItsLimit) {
  TestKit::VirtualTime time;
  std::unique_ptr<TProgressForm2> dlg(Create<TProgressForm2>(Application, nullptr));
  dlg->SetCaption("Set STP Progress");
  dlg->LB_Prompt->SetCaption("Change STP Version is doing...");
  auto [elapsed, position] = RunModal(dlg.get(), time);
  EXPECT_EQ(elapsed, 31000u);
  EXPECT_EQ(position, 30);
  EXPECT_FALSE(dlg->ProgressTimer->Enabled());
  EXPECT_FALSE(dlg->Visible());
}

TEST_F(ProgressDialogs, ALimitOfFifteenStopsTheBarAtAFifth) {
  TestKit::VirtualTime time;
  std::unique_ptr<TProgressForm2> dlg(Create<TProgressForm2>(Application, nullptr));
  dlg->TickLimit = 15;
  dlg->SetCaption("Set Config");
  dlg->LB_Prompt->SetCaption("Active Config is doing...");
  auto [elapsed, position] = RunModal(dlg.get(), time);
  EXPECT_EQ(elapsed, 16000u);
  EXPECT_EQ(position, 15);
}

TEST_F(ProgressDialogs, ALimitOfZeroClosesOnTheFirstTick) {
  TestKit::VirtualTime time;
  std::unique_ptr<TProgressForm2> dlg(Create<TProgressForm2>(Application, nullptr));
  dlg->TickLimit = 0;
  auto [elapsed, position] = RunModal(dlg.get(), time);
  EXPECT_EQ(elapsed, 1000u);
  EXPECT_EQ(position, 0);
}

TEST_F(ProgressDialogs, TheEnableDialogWithoutASpanningTreeFormOnlyWaits) {
  TestKit::VirtualTime time;
  GetSpanningTreeRequest = nullptr;
  std::unique_ptr<TProgressForm> dlg(Create<TProgressForm>(Application, nullptr));
  auto [elapsed, position] = RunModal(dlg.get(), time);
  EXPECT_EQ(elapsed, 31000u);
  EXPECT_EQ(position, 30);
}

TEST_F(ProgressDialogs, TheSecondFormsFlagsAreSetByItsCompletionMethod) {
  std::unique_ptr<TForm1> form(Create<TForm1>(Application));
  EXPECT_EQ(form->Caption(), "Form1");
  EXPECT_EQ(form->ClientWidth(), 295);
  EXPECT_EQ(form->ClientHeight(), 98);
  EXPECT_EQ(form->RefreshIdle, 0);
  EXPECT_EQ(form->SetIdle, 0);
  VnRequestDoneEvent done(form.get(), &TForm1::MarkIdle);
  done(nullptr, VnSNMPError());
  EXPECT_EQ(form->RefreshIdle, 1);
  EXPECT_EQ(form->SetIdle, 1);
}

class EnableProgress : public PagesDeviceTest {
 protected:
  void TearDown() override {
    GetSpanningTreeRequest = nullptr;
    stpRequest_ = nullptr;
    PagesDeviceTest::TearDown();
  }
  static VnSNMPRequest2Controls* StpRequest() { return stpRequest_; }
  static VnSNMPRequest2Controls* stpRequest_;
};
VnSNMPRequest2Controls* EnableProgress::stpRequest_ = nullptr;

// The spanning-tree form's request: the global enable variable bound to a
// combo box, written synchronously.
TEST_F(EnableProgress, TheDialogSendsTheEnableSettingWhileItIsBuilt) {
  std::unique_ptr<TForm> stpForm(new TForm(Application));
  auto* state = new TComboBox(stpForm.get());
  state->SetParent(stpForm.get());
  VnSNMPRequest2Edits request(stpForm.get());
  request.Request.VarList = VnSNMPVarList(SpanningTreeAlgorithmVars, VnItemType::SVT_SV, 0);
  request.AsyncMode = false;
  request.BindComboBox(0, state);
  request.Get();
  const std::string before = Value("1.3.6.1.4.1.171.11.101.1.2.1.2.1.0");
  // The other state: disabled (2) or enabled (3).
  const bool disabled = before == "INTEGER:2";
  state->SetItemIndex(disabled ? 1 : 0);
  const std::string expected = disabled ? "INTEGER:3" : "INTEGER:2";
  stpRequest_ = &request;
  GetSpanningTreeRequest = &EnableProgress::StpRequest;

  TestKit::VirtualTime time;
  std::unique_ptr<TProgressForm> dlg(Create<TProgressForm>(Application, nullptr));
  ASSERT_EQ(SetLines().size(), 1u);
  EXPECT_NE(SetLines()[0].find("1.3.6.1.4.1.171.11.101.1.2.1.2.1.0=" + expected), std::string::npos)
      << SetLines()[0];
  EXPECT_EQ(Value("1.3.6.1.4.1.171.11.101.1.2.1.2.1.0"), expected);
  dlg->SetCaption("Enable STP Progress");
  dlg->LB_Prompt->SetCaption("Enable STP is doing...");
  auto [elapsed, position] = RunModal(dlg.get(), time);
  EXPECT_EQ(elapsed, 31000u);
  EXPECT_EQ(position, 30);
}

}  // namespace
