// The spanning-tree on/off form against the simulated switch: the first
// read, switching off, and switching on behind the confirmation and the
// timed progress dialog.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/switching/SpanningTreeAlgorithmUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/progress.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

constexpr const char* kAlgorithm = "1.3.6.1.4.1.171.11.101.1.2.1.2.1.0";
constexpr const char* kQuestion = "To enable STP may take a long time. Do you want to go on?";

int Count(const std::vector<std::string>& lines, const std::string& pdu) {
  int n = 0;
  for (const auto& line : lines)
    if (line.find("\t" + pdu + "\t") != std::string::npos &&
        line.find(std::string(kAlgorithm) + "=") != std::string::npos)
      ++n;
  return n;
}

class SpanningTreeAlgorithm : public PagesDeviceTest {
 protected:
  void Open() {
    form_.reset(Create<TSpanningTreeAlgorithmForm>(Application));
    SpanningTreeAlgorithmForm = form_.get();
    TestKit::ShowAndActivate(form_.get());
    ASSERT_TRUE(WaitIdle(*form_->Request));
  }
  void TearDown() override {
    form_.reset();
    SpanningTreeAlgorithmForm = nullptr;
    PagesDeviceTest::TearDown();
  }
  std::unique_ptr<TSpanningTreeAlgorithmForm> form_;
};

TEST_F(SpanningTreeAlgorithm, OpensWithTheDeviceStateAndSwitchesOff) {
  EXPECT_NE(FindFormOpener("TSpanningTreeAlgorithmForm"), nullptr);
  Control("set " + std::string(kAlgorithm) + " i 3");
  Open();
  EXPECT_EQ(ComboText(form_->ComboBox1), "enabled");
  EXPECT_TRUE(
      TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-SpanningTreeAlgorithm.png"));
  ASSERT_TRUE(SelectComboText(form_->ComboBox1, "disabled"));
  form_->SetButtonClick(nullptr);  // no question for switching off
  ASSERT_TRUE(WaitIdle(*form_->Request));
  ASSERT_TRUE(PumpUntil([] { return Value(kAlgorithm) == "INTEGER:2"; }));
  EXPECT_EQ(Count(SetLines(), "SET"), 1);
}

// Switching off is read once, after the SET is answered; a refused SET is
// not read over: the choice stays for a correction and its error in the bar.
TEST_F(SpanningTreeAlgorithm, SwitchingOffReadsOnceAfterTheSetAndKeepsItsError) {
  Control("set " + std::string(kAlgorithm) + " i 3");
  Open();
  const int gets = Count(NewLog(), "GET");
  ASSERT_TRUE(SelectComboText(form_->ComboBox1, "disabled"));
  form_->SetButtonClick(nullptr);
  ASSERT_TRUE(PumpUntil([&] { return Count(NewLog(), "GET") == gets + 1; }));
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_NE(NewLog().back().find("\tGET\t"), std::string::npos) << NewLog().back();
  EXPECT_EQ(ComboText(form_->ComboBox1), "disabled");

  Control("set " + std::string(kAlgorithm) + " i 3");
  Control("inject set 1.3.6.1.4.1.171.11.101.1.2.1.2.1 genErr");
  form_->Request->Get();
  ASSERT_TRUE(WaitIdle(*form_->Request));
  ASSERT_TRUE(SelectComboText(form_->ComboBox1, "disabled"));
  const int before = Count(NewLog(), "GET");
  form_->SetButtonClick(nullptr);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  ASSERT_TRUE(WaitQuiet());
  EXPECT_EQ(form_->StatusBar1->DisplayedText().Pos("Set: "), 1)
      << form_->StatusBar1->DisplayedText().str();
  EXPECT_EQ(form_->StatusBar1->DisplayedText().Pos("Ok!"), 0);
  EXPECT_EQ(Count(NewLog(), "GET"), before);
  EXPECT_EQ(ComboText(form_->ComboBox1), "disabled");
}

// The request's own status lines land in the panel the bar shows.
TEST_F(SpanningTreeAlgorithm, TheRequestsOutcomeIsShownInTheBar) {
  Open();
  EXPECT_EQ(form_->StatusBar1->DisplayedText().Pos("Get: Ok!"), 1)
      << form_->StatusBar1->DisplayedText().str();
  Control("inject get 1.3.6.1.4.1.171.11.101.1.2.1.2.1 genErr");
  form_->GetButtonClick(nullptr);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(form_->StatusBar1->DisplayedText().Pos("Get: "), 1)
      << form_->StatusBar1->DisplayedText().str();
  EXPECT_EQ(form_->StatusBar1->DisplayedText().Pos("Ok!"), 0);
}

TEST_F(SpanningTreeAlgorithm, CancelSendsNothingAndReadsAgain) {
  Control("set " + std::string(kAlgorithm) + " i 2");
  Open();
  const int gets = Count(NewLog(), "GET");
  ASSERT_TRUE(SelectComboText(form_->ComboBox1, "enabled"));
  TestKit::DialogScript dialogs;
  dialogs.Expect(kQuestion, mrCancel);
  form_->SetButtonClick(nullptr);
  dialogs.Verify();
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_TRUE(SetLines().empty());
  EXPECT_EQ(Count(NewLog(), "GET"), gets + 1);
  EXPECT_EQ(ComboText(form_->ComboBox1), "disabled");
}

// A refused switch-on closes the progress box at once and is not read over.
TEST_F(SpanningTreeAlgorithm, ARefusedSwitchOnClosesTheProgressBox) {
  Control("set " + std::string(kAlgorithm) + " i 2");
  Open();
  const int gets = Count(NewLog(), "GET");
  Control("inject set 1.3.6.1.4.1.171.11.101.1.2.1.2.1 wrongValue");
  ASSERT_TRUE(SelectComboText(form_->ComboBox1, "enabled"));
  TestKit::DialogScript dialogs;
  dialogs.Expect(kQuestion, mrOk);
  bool closedEarly = false;
  TestKit::OnNextModal<TProgressForm>([&](TProgressForm* dialog) {
    closedEarly = PumpUntil([dialog] { return dialog->ModalResult() != mrNone; });
    if (!closedEarly) dialog->SetModalResult(mrCancel);
  });
  form_->SetButtonClick(nullptr);
  dialogs.Verify();
  EXPECT_TRUE(closedEarly);
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(Count(NewLog(), "GET"), gets);
  EXPECT_EQ(form_->StatusBar1->DisplayedText().Pos("Set: "), 1)
      << form_->StatusBar1->DisplayedText().str();
}

TEST_F(SpanningTreeAlgorithm, EnablingWritesThroughTheProgressDialog) {
  Control("set " + std::string(kAlgorithm) + " i 2");
  Open();
  const int gets = Count(NewLog(), "GET");
  // The answer comes after the dialog has closed: the read waits for it.
  Control("hold");
  ASSERT_TRUE(SelectComboText(form_->ComboBox1, "enabled"));
  TestKit::DialogScript dialogs;
  dialogs.Expect(kQuestion, mrOk);
  bool shown = false;
  TestKit::OnNextModal<TProgressForm>([&](TProgressForm* dialog) {
    shown = true;
    EXPECT_EQ(ProgressForm, dialog);
    EXPECT_EQ(dialog->Caption(), "Enable STP Progress");
    EXPECT_EQ(dialog->LB_Prompt->Caption(), "Enable STP is doing...");
    // The dialog closes itself after its 30 ticks.
    for (int i = 0; i < 31; ++i) dialog->ProgressTimerTimer(nullptr);
  });
  form_->SetButtonClick(nullptr);
  dialogs.Verify();
  EXPECT_TRUE(shown);
  EXPECT_EQ(ProgressForm, nullptr);
  EXPECT_TRUE(form_->Request->Busy);
  Control("release");
  ASSERT_TRUE(PumpUntil([&] { return Count(NewLog(), "GET") == gets + 1; }));
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(Value(kAlgorithm), "INTEGER:3");
  EXPECT_EQ(Count(SetLines(), "SET"), 1);
  EXPECT_EQ(Count(NewLog(), "GET"), gets + 1);
  EXPECT_EQ(form_->StatusBar1->DisplayedText().Pos("Get: Ok!"), 1);

  // Refused, and answered after the dialog: read quietly after it, the
  // error stays in the bar.
  Control("set " + std::string(kAlgorithm) + " i 2");
  Control("inject set 1.3.6.1.4.1.171.11.101.1.2.1.2.1 wrongValue");
  Control("hold");
  dialogs.Expect(kQuestion, mrOk);
  TestKit::OnNextModal<TProgressForm>([](TProgressForm* dialog) {
    for (int i = 0; i < 31; ++i) dialog->ProgressTimerTimer(nullptr);
  });
  form_->SetButtonClick(nullptr);
  dialogs.Verify();
  Control("release");
  ASSERT_TRUE(WaitIdle(*form_->Request));
  ASSERT_TRUE(WaitQuiet());
  EXPECT_EQ(Count(SetLines(), "SET"), 2);
  EXPECT_EQ(Count(NewLog(), "GET"), gets + 2);
  EXPECT_EQ(form_->StatusBar1->DisplayedText().Pos("Set: "), 1)
      << form_->StatusBar1->DisplayedText().str();
  EXPECT_EQ(form_->StatusBar1->DisplayedText().Pos("Ok!"), 0);
}

// A switch-off whose Set raises (nothing goes out) leaves no read pending:
// the next switch-on is read once, after its dialog, not when its SET is
// answered while the dialog is still up.
TEST_F(SpanningTreeAlgorithm, ASwitchOffThatRaisesLeavesNoReadBehind) {
  Control("set " + std::string(kAlgorithm) + " i 3");
  Open();
  const AnsiString address = form_->Request->Request.Device.Address;
  form_->Request->Request.Device.Address = "";  // the SET cannot be addressed
  ASSERT_TRUE(SelectComboText(form_->ComboBox1, "disabled"));
  form_->SetButtonClick(nullptr);
  EXPECT_FALSE(form_->Request->Busy);
  EXPECT_EQ(form_->StatusBar1->DisplayedText().Pos("Ok!"), 0)
      << form_->StatusBar1->DisplayedText().str();
  form_->Request->Request.Device.Address = address;
  EXPECT_TRUE(SetLines().empty());

  const int gets = Count(NewLog(), "GET");
  ASSERT_TRUE(SelectComboText(form_->ComboBox1, "enabled"));
  TestKit::DialogScript dialogs;
  dialogs.Expect(kQuestion, mrOk);
  TestKit::OnNextModal<TProgressForm>([&](TProgressForm* dialog) {
    ASSERT_TRUE(WaitIdle(*form_->Request));
    EXPECT_EQ(Count(SetLines(), "SET"), 1);
    EXPECT_EQ(Count(NewLog(), "GET"), gets);  // nothing read while the dialog shows
    for (int i = 0; i < 31; ++i) dialog->ProgressTimerTimer(nullptr);
  });
  form_->SetButtonClick(nullptr);
  dialogs.Verify();
  ASSERT_TRUE(WaitIdle(*form_->Request));
  EXPECT_EQ(Count(NewLog(), "GET"), gets + 1);
  EXPECT_EQ(ComboText(form_->ComboBox1), "enabled");
  EXPECT_NE(form_->StatusBar1->DisplayedText().Pos("Get: Ok!"), 0);
}

TEST_F(SpanningTreeAlgorithm, TheProgressDialogFindsNoRequestOnceTheFormIsGone) {
  Open();
  EXPECT_EQ(GetSpanningTreeRequest(), form_->Request.get());
  form_->Close();
  EXPECT_EQ(form_->Request, nullptr);
  EXPECT_EQ(GetSpanningTreeRequest(), nullptr);
  form_->SetButtonClick(nullptr);  // nothing left to write with: no crash
  form_.reset();
  TestKit::Pump();
}

}  // namespace
