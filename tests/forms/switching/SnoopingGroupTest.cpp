// The IGMP and MLD snooping group table forms against the simulated switch:
// the walk on opening fills the list, a row shows its index parts, times and
// port maps, Refresh reads again, and closing during a walk stops it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PagesTestSupport.h"
#include "forms/switching/IGMP_SnoopingGroupTable.h"
#include "forms/switching/MLD_SnoopingGroupTableUnit.h"
#include "forms/switching/MLD_SnoopingGroupUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/FormOpeners.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"
#include "support/TestSupport.h"

namespace {

const std::string kIgmpGroup = "1.3.6.1.4.1.171.11.101.1.2.11.11.1";

TCheckBox* Port(TStackingPortUitForm* frame, int port) {
  return static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(port - 1));
}

class SnoopingGroupTest : public PagesDeviceTest {
 protected:
  template <class T>
  std::unique_ptr<T> Open() {
    std::unique_ptr<T> form(Create<T>(Application));
    TestKit::ShowAndActivate(form.get());
    return form;
  }
  static bool Wait(TSnoopingGroupTableForm* f) { return WaitIdle(*f->Request); }
};

TEST_F(SnoopingGroupTest, IgmpGroupsShowOneRowPerSourceWithItsPortsAndTimes) {
  // A second source of the seeded group, with its own port maps.
  const std::string row = ".1.239.1.1.1.10.90.90.21";
  Control("set " + kIgmpGroup + ".4" + row + " x 30000000");
  Control("set " + kIgmpGroup + ".5" + row + " x 00800000");
  Control("set " + kIgmpGroup + ".7" + row + " t 360000");
  Control("motion " + kIgmpGroup + ".7" + row + " still");
  auto f = Open<TIGMP_SnoopingGroupTableForm>();
  ASSERT_TRUE(Wait(f.get()));
  ASSERT_EQ(f->ListView1->Items()->Count(), 2);
  EXPECT_NE(f->StatusBar1->DisplayedText().Pos("Ok!"), 0) << f->StatusBar1->DisplayedText().str();

  TestKit::ClickRow(f->ListView1, 1);
  EXPECT_EQ(f->stVlanID->Caption(), "1");
  EXPECT_EQ(f->stGroupAddress->Caption(), "239.1.1.1");
  EXPECT_EQ(f->stSourceAddress->Caption(), "10.90.90.21");
  EXPECT_NE(f->InputUpTime->Caption(), "");
  EXPECT_NE(f->InputUpTime->Caption(), "360000");  // formatted as a time, not raw ticks
  EXPECT_TRUE(Port(f->IncludePortFrame, 3)->Checked());
  EXPECT_TRUE(Port(f->IncludePortFrame, 4)->Checked());
  EXPECT_FALSE(Port(f->IncludePortFrame, 1)->Checked());
  EXPECT_TRUE(Port(f->ExcludePortFrame, 9)->Checked());
  EXPECT_FALSE(Port(f->ExcludePortFrame, 3)->Checked());
  EXPECT_TRUE(TestKit::Grab(f.get(), vntest::ArtifactsDir() + "/form-IGMP_SnoopingGroupTable.png"));

  TestKit::ClickRow(f->ListView1, 0);
  EXPECT_EQ(f->stSourceAddress->Caption(), "10.90.90.20");

  // Refresh reads the table again: a group learnt since appears.
  Control("set " + kIgmpGroup + ".4.2.239.2.2.2.0.0.0.0 x 80000000");
  TestKit::Click(f->btnGet);
  ASSERT_TRUE(Wait(f.get()));
  EXPECT_EQ(f->ListView1->Items()->Count(), 3);
}

TEST_F(SnoopingGroupTest, MldGroupTableShowsIpv6IndexPartsAndAFailedWalkInTheStatusBar) {
  Control("inject getnext 1.3.6.1.4.1.171.12.34.3.5.1 genErr");
  auto f = Open<TMLD_SnoopingGroupTableForm>();
  ASSERT_TRUE(Wait(f.get()));
  EXPECT_EQ(f->ListView1->Items()->Count(), 0);
  EXPECT_NE(f->StatusBar1->SimpleText().Pos("Get: "), 0) << f->StatusBar1->SimpleText().str();
  EXPECT_EQ(f->stGroupAddress->Caption(), "");

  TestKit::Click(f->btnGet);
  ASSERT_TRUE(Wait(f.get()));
  ASSERT_EQ(f->ListView1->Items()->Count(), 1);
  TestKit::ClickRow(f->ListView1, 0);
  EXPECT_EQ(f->stVlanID->Caption(), "1");
  EXPECT_NE(f->stGroupAddress->Caption().Pos("FF1E"), 0) << f->stGroupAddress->Caption().str();
  EXPECT_NE(f->stSourceAddress->Caption().Pos("2001"), 0) << f->stSourceAddress->Caption().str();
  EXPECT_TRUE(TestKit::Grab(f.get(), vntest::ArtifactsDir() + "/form-MLD_SnoopingGroupTable.png"));
}

TEST_F(SnoopingGroupTest, RefreshWhileAWalkRunsIsOneMoreWalkAfterIt) {
  auto f = Open<TIGMP_SnoopingGroupTableForm>();
  ASSERT_TRUE(Wait(f.get()));
  // No second walk beside the running one; one more follows it.
  EXPECT_EQ(ExchangesOfTwoClicks(f->btnGet, *f->Request), 4);
  EXPECT_EQ(f->ListView1->Items()->Count(), 1);
}

TEST_F(SnoopingGroupTest, ClosingDuringAWalkStopsAndReleasesTheRequest) {
  Control("delay 200");
  bool seen = false;
  TestKit::OnNextModal<TIGMP_SnoopingGroupTableForm>([&seen](TIGMP_SnoopingGroupTableForm* f) {
    seen = true;
    EXPECT_EQ(IGMP_SnoopingGroupTableForm, f);
    EXPECT_EQ(f->Caption(), "IGMP Snooping Group Table: 127.0.0.1");
    EXPECT_TRUE(f->Request->Busy);
    f->Close();
  });
  const TFormOpener opener = FindFormOpener("TIGMP_SnoopingGroupTableForm");
  ASSERT_NE(opener, nullptr);
  opener(Application, "IGMP Snooping Group Table: 127.0.0.1");
  EXPECT_TRUE(seen);
  EXPECT_EQ(IGMP_SnoopingGroupTableForm, nullptr);
  Control("delay 0");
}

}  // namespace

namespace {

TEST_F(SnoopingGroupTest, MldGroupInformationShowsTheRowAndClearsWithoutASelection) {
  const std::string info = "1.3.6.1.4.1.171.12.34.3.3.1";
  Control("set " + info + ".4.1.255.30.0.0.0.0.0.0.0.0.0.0.0.0.0.1 x C0000000");
  Control("set " + info + ".5.1.255.30.0.0.0.0.0.0.0.0.0.0.0.0.0.1 i 7");
  std::unique_ptr<TMLD_SnoopingGroupForm> f(Create<TMLD_SnoopingGroupForm>(Application));
  TestKit::ShowAndActivate(f.get());
  ASSERT_TRUE(WaitIdle(*f->Request));
  ASSERT_EQ(f->ListView1->Items()->Count(), 1);
  TestKit::ClickRow(f->ListView1, 0);
  EXPECT_EQ(f->stVID->Caption(), "1");
  EXPECT_NE(f->edtIPAddress->Text().Pos("FF1E"), 0) << f->edtIPAddress->Text().str();
  EXPECT_EQ(f->edtCount->Text(), "7");
  EXPECT_TRUE(Port(f->PortFrame, 1)->Checked());
  EXPECT_TRUE(Port(f->PortFrame, 2)->Checked());
  EXPECT_FALSE(Port(f->PortFrame, 3)->Checked());
  EXPECT_TRUE(TestKit::Grab(f.get(), vntest::ArtifactsDir() + "/form-MLD_SnoopingGroup.png"));
  TestKit::ClickEmpty(f->ListView1);
  EXPECT_EQ(f->stVID->Caption(), "");
  EXPECT_EQ(f->edtCount->Text(), "");
  EXPECT_FALSE(Port(f->PortFrame, 1)->Checked());
  f->Close();
  EXPECT_EQ(f->Request, nullptr);
  EXPECT_TRUE(SetLines().empty());
}

}  // namespace
