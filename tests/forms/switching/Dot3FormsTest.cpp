// The dot3 control and pause forms against the simulated switch: the port
// walk, a port's counters on a click and on the interval timer, the pause
// admin mode written for the selected port, and the busy answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/switching/dot3ControlFormUnit.h"
#include "forms/switching/dot3PauseFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "support/TestSupport.h"

namespace {

AnsiString Cell(TListView* view, int row) { return ListCellText(view, row, 1); }

template <class F>
class Dot3Form : public PagesDeviceTest {
 protected:
  void Open(const char* title) {
    form_.reset(Create<F>(Application));
    form_->SetCaption(FeatureCaption(title));
    TestKit::ShowAndActivate(form_.get());
    ASSERT_TRUE(WaitIdle(*form_->Request));
    ASSERT_TRUE(PumpUntil([this] { return !form_->Request->Busy; }));
  }
  void TearDown() override {
    form_.reset();
    PagesDeviceTest::TearDown();
  }
  std::unique_ptr<F> form_;
};

using Dot3Control = Dot3Form<Tdot3ControlForm>;
using Dot3Pause = Dot3Form<Tdot3PauseForm>;

TEST_F(Dot3Control, ListsThePortsAndShowsTheClickedPortsCounter) {
  EXPECT_NE(FindFormOpener("Tdot3ControlForm"), nullptr);
  // Stop the counter first, so that it cannot move between the two commands.
  Control("motion 1.3.6.1.2.1.10.7.9.1.2.3 still");
  Control("set 1.3.6.1.2.1.10.7.9.1.2.3 c 77");
  Open("Dot3 Control: ");
  ASSERT_EQ(form_->ListView1->Items()->Count(), 10) << MemoText(form_->Memo1);
  EXPECT_EQ(form_->ListView1->Items()->Item(2)->Caption(), "3");
  EXPECT_EQ(form_->ListView2->Items()->Item(0)->Caption(), "Recived Unknown Opcodes");
  EXPECT_TRUE(form_->CheckBox1->Visible());
  EXPECT_FALSE(form_->CheckBox2->Visible());
  TestKit::ClickRow(form_->ListView1, 2);
  EXPECT_EQ(Cell(form_->ListView2, 0), "77") << MemoText(form_->Memo1);
  EXPECT_FALSE(form_->CounterRequest->AsyncMode);
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-dot3Control.png"));
}

TEST_F(Dot3Control, IntervalRepeatsTheReadAndRefreshStopsIt) {
  TestKit::VirtualTime time;
  Open("Dot3 Control: ");
  ASSERT_GT(form_->ListView1->Items()->Count(), 0);
  TestKit::ClickRow(form_->ListView1, 0);
  const auto reads = [this] {
    int n = 0;
    for (const auto& line : NewLog())
      if (line.find("\tGET\t") != std::string::npos &&
          line.find("1.3.6.1.2.1.10.7.9.1.2.1=") != std::string::npos)
        ++n;
    return n;
  };
  EXPECT_EQ(reads(), 1);
  ASSERT_TRUE(SelectComboText(form_->cbxInterval, "2s"));
  form_->cbxIntervalChange(form_->cbxInterval);
  EXPECT_TRUE(form_->Timer1->Enabled());
  EXPECT_EQ(form_->Timer1->Interval(), 2000u);
  time.Advance(4100);
  EXPECT_EQ(reads(), 3);
  form_->btnGetClick(nullptr);
  EXPECT_FALSE(form_->Timer1->Enabled());
  EXPECT_EQ(ComboText(form_->cbxInterval), "none");
  EXPECT_EQ(Cell(form_->ListView2, 0), "");
}

TEST_F(Dot3Pause, SetWritesTheSelectedPortsAdminMode) {
  EXPECT_NE(FindFormOpener("Tdot3PauseForm"), nullptr);
  Control("set 1.3.6.1.2.1.10.7.10.1.1.4 i 4");
  Open("Dot3 Pause: ");
  EXPECT_FALSE(form_->btnSet->Enabled());
  ASSERT_EQ(form_->ListView1->Items()->Count(), 10) << MemoText(form_->Memo1);
  EXPECT_EQ(form_->ListView2->Items()->Item(1)->Caption(), "Out Pause Frame");
  TestKit::ClickRow(form_->ListView1, 3);
  EXPECT_TRUE(form_->btnSet->Enabled());
  EXPECT_EQ(ComboText(form_->cbxAdminMode), "enabledXmitAndRcv");
  EXPECT_NE(Cell(form_->ListView2, 0), "");
  EXPECT_NE(Cell(form_->ListView2, 1), "");
  ASSERT_TRUE(SelectComboText(form_->cbxAdminMode, "disabled"));
  form_->btnSetClick(nullptr);
  EXPECT_FALSE(form_->btnSet->Enabled());
  EXPECT_EQ(ComboText(form_->cbxAdminMode), "");
  ASSERT_TRUE(PumpUntil([this] { return !form_->Request->Busy; }));
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u) << MemoText(form_->Memo1);
  EXPECT_NE(sets[0].find("1.3.6.1.2.1.10.7.10.1.1.4=INTEGER:1"), std::string::npos) << sets[0];
  EXPECT_EQ(std::count(sets[0].begin(), sets[0].end(), '='), 1) << sets[0];
  EXPECT_EQ(Value("1.3.6.1.2.1.10.7.10.1.1.4"), "INTEGER:1");
  EXPECT_EQ(form_->ListView1->Items()->Count(), 10);
  EXPECT_TRUE(TestKit::Grab(form_.get(), vntest::ArtifactsDir() + "/form-dot3Pause.png"));
}

TEST_F(Dot3Pause, SetDuringTheWalkIsRefusedAndStopEndsIt) {
  Open("Dot3 Pause: ");
  TestKit::ClickRow(form_->ListView1, 0);
  Control("delay 200");
  form_->btnGetClick(nullptr);
  EXPECT_TRUE(form_->Request->Busy);
  form_->btnGetClick(nullptr);  // a second Refresh is ignored
  ASSERT_TRUE(PumpUntil([this] { return form_->ListView1->Items()->Count() > 0; }));
  {
    TestKit::DialogScript dialogs;
    form_->ListView1->SetItemIndex(0);
    dialogs.Expect("Get data not complete");
    form_->btnSetClick(nullptr);
    dialogs.Verify();
  }
  form_->btnStopClick(nullptr);
  ASSERT_TRUE(PumpUntil([this] { return !form_->Request->Busy; }));
  EXPECT_LT(form_->ListView1->Items()->Count(), 10);
  EXPECT_TRUE(SetLines().empty());
  Control("delay 0");
}

// A counter read that returns no row says so and resets the view, Set off;
// Set comes back on only when the ports are not being read.
TEST_F(Dot3Pause, ACounterReadWithoutARowTurnsSetOffWhileThePortsAreRead) {
  Open("Dot3 Pause: ");
  // No reading of the counters meets this filter: each returns no row.
  form_->CounterRequest->Request.RowFilter = "1=2";
  auto notCompleted = [this] {
    const std::string memo = MemoText(form_->Memo1);
    int n = 0;
    for (std::size_t at = 0; (at = memo.find("Get data not completed!", at)) != std::string::npos;
         ++at)
      ++n;
    return n;
  };
  TestKit::ClickRow(form_->ListView1, 1);
  EXPECT_EQ(notCompleted(), 1) << MemoText(form_->Memo1);
  EXPECT_EQ(Cell(form_->ListView2, 0), "");
  EXPECT_TRUE(form_->btnSet->Enabled());

  // A walk of the ports with one row listed and the next step lost on its
  // way to the device: the request waits long before it sends the step
  // again, and the walk runs until the step is taken back.
  form_->Request->Request.Timeout = 3000;
  Control("hold");
  form_->btnGetClick(nullptr);
  ASSERT_TRUE(PumpUntil([] { return Sim().Control("waiting") != "ok 0"; }));
  Control("drop 1");
  Control("release");
  ASSERT_TRUE(PumpUntil([this] { return form_->ListView1->Items()->Count() == 1; }));
  ASSERT_TRUE(form_->Request->Busy);
  TestKit::ClickRow(form_->ListView1, 0);
  EXPECT_EQ(notCompleted(), 2) << MemoText(form_->Memo1);
  EXPECT_TRUE(form_->Request->Busy);
  EXPECT_FALSE(form_->btnSet->Enabled());
  ASSERT_TRUE(form_->Request->StopReadForWrite(0));
  EXPECT_FALSE(form_->Request->Busy);
  EXPECT_TRUE(SetLines().empty());
}

TEST_F(Dot3Pause, NoSelectionClearsTheValues) {
  Open("Dot3 Pause: ");
  TestKit::ClickRow(form_->ListView1, 1);
  ASSERT_NE(Cell(form_->ListView2, 0), "");
  TestKit::ClickEmpty(form_->ListView1);
  EXPECT_EQ(Cell(form_->ListView2, 0), "");
  EXPECT_FALSE(form_->btnSet->Enabled());
  EXPECT_EQ(form_->cbxAdminMode->ItemIndex(), -1);
  form_->Close();
  EXPECT_EQ(form_->Request, nullptr);
  EXPECT_EQ(form_->CounterRequest, nullptr);
}

}  // namespace
