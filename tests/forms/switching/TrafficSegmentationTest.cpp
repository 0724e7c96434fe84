// The traffic segmentation form against the simulated switch: the walk on
// opening and the busy answer, writing one port's list, Stop.
#include <gtest/gtest.h>

#include "FormsL2Support.h"
#include "forms/switching/TrafficForwardUnit1.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

const std::string kForward = "1.3.6.1.4.1.171.11.101.1.2.14.1.1.2.";

class TrafficSegmentation : public FormsL2Test {
 protected:
  bool WaitForm(TTrafficSegmentationForm* f) {
    return PumpUntil([f] { return !f->Request->Busy; });
  }
};

TEST_F(TrafficSegmentation, OpensWithEveryPortAndIsBusyUntilTheWalkEnds) {
  auto f = Open<TTrafficSegmentationForm>();
  EXPECT_TRUE(f->Request->Busy);
  {
    TestKit::DialogScript script;
    script.Expect("Refresh not complete");
    TestKit::Click(f->BT_Get);
  }
  ASSERT_TRUE(WaitForm(f.get()));
  ASSERT_EQ(f->LV_TrafficForward->Items()->Count(), 10);
  EXPECT_EQ(f->StaticText1->Text(), "10");
  EXPECT_EQ(f->LV_TrafficForward->Items()->Item(2)->Caption(), "3");
  EXPECT_NE(f->StatusBar1->Panels()->Items(0)->Text().Pos("Ok!"), 0);
  EXPECT_FALSE(f->BT_Set->Enabled());

  TestKit::ClickRow(f->LV_TrafficForward, 2);
  EXPECT_EQ(f->Combo_Port->Text(), "3");
  EXPECT_TRUE(Port(f->PortFrame, 10)->Checked());
  EXPECT_TRUE(f->BT_Set->Enabled());
  SavePicture(f.get(), "TrafficSegmentation");
}

TEST_F(TrafficSegmentation, SetWritesTheSelectedPortsListAndClearsTheGrid) {
  auto f = Open<TTrafficSegmentationForm>();
  ASSERT_TRUE(WaitForm(f.get()));
  TestKit::ClickRow(f->LV_TrafficForward, 2);
  const std::size_t mark = NewLog().size();
  f->PortFrame->ClearPorts();
  Port(f->PortFrame, 1)->SetChecked(true);
  Port(f->PortFrame, 2)->SetChecked(true);
  TestKit::Click(f->BT_Set);
  EXPECT_FALSE(f->BT_Set->Enabled());
  EXPECT_FALSE(Port(f->PortFrame, 1)->Checked());
  EXPECT_EQ(f->Combo_Port->Text(), "");
  {
    // The table is read again after the write: busy until then.
    TestKit::DialogScript script;
    script.Expect("Refresh not complete");
    TestKit::Click(f->BT_Get);
  }
  ASSERT_TRUE(WaitForm(f.get()));
  ASSERT_TRUE(WaitQuiet());
  auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_EQ(CountLog("GETNEXT", mark), 11);  // one walk after the write
  EXPECT_NE(sets[0].find(kForward + "3=Hex-STRING:C0 00 00 00"), std::string::npos) << sets[0];
  EXPECT_EQ(f->LV_TrafficForward->Items()->Count(), 10);
  EXPECT_EQ(Value(kForward + "3"), "Hex-STRING:C0 00 00 00");
}

TEST_F(TrafficSegmentation, AfterAFailedSetTheSameRowShowsItsListAgain) {
  auto f = Open<TTrafficSegmentationForm>();
  ASSERT_TRUE(WaitForm(f.get()));
  Control("inject set " + kForward.substr(0, kForward.size() - 1) + " genErr");
  TestKit::ClickRow(f->LV_TrafficForward, 2);
  Port(f->PortFrame, 5)->SetChecked(false);
  TestKit::Click(f->BT_Set);
  ASSERT_TRUE(WaitForm(f.get()));
  EXPECT_EQ(f->StatusBar1->Panels()->Items(0)->Text().Pos("Ok!"), 0);
  // The ticks stay as the user left them, for a correction; with the list
  // read again no row is selected and Set is off.
  EXPECT_TRUE(Port(f->PortFrame, 1)->Checked());
  EXPECT_FALSE(Port(f->PortFrame, 5)->Checked());
  EXPECT_FALSE(f->BT_Set->Enabled());
  TestKit::ClickRow(f->LV_TrafficForward, 2);
  EXPECT_TRUE(Port(f->PortFrame, 1)->Checked());
  EXPECT_TRUE(Port(f->PortFrame, 5)->Checked());
  EXPECT_TRUE(f->BT_Set->Enabled());
}

// Stop ends the walk with the reply in flight; while that reply is out
// Refresh and Set answer busy: no second walk, and the stopped one does not
// go on.
TEST_F(TrafficSegmentation, StopEndsTheWalkAndMakesTheFormIdle) {
  auto f = Open<TTrafficSegmentationForm>();
  ASSERT_TRUE(WaitForm(f.get()));
  Control("delay 30");
  const std::size_t mark = NewLog().size();
  TestKit::Click(f->BT_Get);
  EXPECT_TRUE(f->Request->Busy);
  TestKit::Click(f->StopBtn);
  EXPECT_TRUE(f->Request->Stopped());
  {
    TestKit::DialogScript script;
    script.Expect("Refresh not complete").Expect("Refresh not complete");
    TestKit::Click(f->BT_Get);
    f->BT_SetClick(nullptr);
  }
  ASSERT_TRUE(WaitIdle(*f->Request));
  ASSERT_TRUE(WaitQuiet());
  const int rows = f->LV_TrafficForward->Items()->Count();
  EXPECT_LT(rows, 10);
  EXPECT_EQ(CountLog("GETNEXT", mark), rows);
  EXPECT_TRUE(SetLines().empty());
  Control("delay 0");
}

}  // namespace
