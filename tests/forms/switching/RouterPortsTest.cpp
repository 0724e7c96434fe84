// The IGMP and MLD snooping router ports forms against the simulated switch:
// the walk on opening and the ports of a selected VLAN, Set writing the
// static and forbidden lists (never the dynamic one) in one SET, the busy
// answer, and the MLD form's refusal to close during a walk.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PagesTestSupport.h"
#include "forms/switching/IGMPRouterPortsUnit.h"
#include "forms/switching/MLD_SnoopingRouterPortsUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"
#include "support/TestSupport.h"

namespace {

const std::string kIgmp = "1.3.6.1.4.1.171.11.101.1.2.11.6.1";
const std::string kMld = "1.3.6.1.4.1.171.12.34.3.4.1";

TCheckBox* Port(TStackingPortUitForm* frame, int port) {
  return static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(port - 1));
}

class RouterPortsTest : public PagesDeviceTest {
 protected:
  template <class T>
  std::unique_ptr<T> Open() {
    std::unique_ptr<T> form(Create<T>(Application));
    TestKit::ShowAndActivate(form.get());
    return form;
  }
  template <class T>
  static bool WaitForm(T* f) {
    return PumpUntil([f] { return !f->Request->Busy; });
  }
};

TEST_F(RouterPortsTest, IgmpShowsTheVlansPortsAndSetWritesStaticAndForbiddenOnly) {
  Control("set " + kIgmp + ".2.1 s \"default\"");
  Control("set " + kIgmp + ".3.1 x 80000000");
  Control("set " + kIgmp + ".4.1 x 40000000");
  Control("set " + kIgmp + ".5.1 x 00000000");
  // The walk starts with the form (its reply may come while the form is shown).
  std::unique_ptr<TIGMPRouterPortsForm> f(Create<TIGMPRouterPortsForm>(Application));
  EXPECT_TRUE(f->Request->Busy);
  TestKit::ShowAndActivate(f.get());
  ASSERT_TRUE(WaitForm(f.get()));
  ASSERT_EQ(f->ListView1->Items()->Count(), 1);
  EXPECT_FALSE(f->btnSet->Enabled());
  // After the walk the boxes can be ticked before a row is chosen.
  EXPECT_TRUE(Port(f->StaticPortFrame, 1)->Enabled());

  TestKit::ClickRow(f->ListView1, 0);
  EXPECT_EQ(f->stVlanID->Caption(), "1");
  EXPECT_EQ(f->stVlanName->Caption(), "default");
  EXPECT_TRUE(Port(f->StaticPortFrame, 1)->Checked());
  EXPECT_TRUE(Port(f->DynamicPortFrame, 2)->Checked());
  EXPECT_TRUE(f->btnSet->Enabled());
  f->PageControl1->SetActivePageIndex(2);
  TestKit::Grab(f.get(), vntest::ArtifactsDir() + "/form-IGMPRouterPorts.png");

  Port(f->StaticPortFrame, 3)->SetChecked(true);
  Port(f->DynamicPortFrame, 5)->SetChecked(true);
  Port(f->ForbiddenPortFrame, 8)->SetChecked(true);
  TestKit::Click(f->btnSet);
  EXPECT_EQ(f->stVlanID->Caption(), "");
  EXPECT_FALSE(f->btnSet->Enabled());
  ASSERT_TRUE(WaitForm(f.get()));
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(kIgmp + ".3.1=Hex-STRING:A0 00 00 00"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kIgmp + ".5.1=Hex-STRING:01 00 00 00"), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(kIgmp + ".4.1"), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(kIgmp + ".2.1"), std::string::npos) << sets[0];
  EXPECT_EQ(Value(kIgmp + ".4.1"), "Hex-STRING:40 00 00 00");
}

TEST_F(RouterPortsTest, IgmpIsBusyUntilTheWalkEndsAndStopEndsIt) {
  Control("delay 100");
  auto f = Open<TIGMPRouterPortsForm>();
  EXPECT_TRUE(f->Request->Busy);
  TestKit::Click(f->btnGet);  // ignored during the walk
  TestKit::Click(f->btnStop);
  Control("delay 0");
  ASSERT_TRUE(WaitForm(f.get()));
  // The first walk was stopped after the row in hand; Refresh reads again.
  TestKit::Click(f->btnGet);
  EXPECT_TRUE(f->Request->Busy);
  ASSERT_TRUE(WaitForm(f.get()));
  EXPECT_EQ(f->ListView1->Items()->Count(), 1);
  EXPECT_TRUE(SetLines().empty());
}

// While the form waits for the answer of a SET whose reply was lost, a
// second Set is refused and sends nothing.
TEST_F(RouterPortsTest, IgmpSetWhileTheRequestWaitsForADroppedSetReplyIsRefused) {
  Control("set " + kIgmp + ".3.1 x 80000000");
  auto f = Open<TIGMPRouterPortsForm>();
  ASSERT_TRUE(WaitForm(f.get()));
  TestKit::ClickRow(f->ListView1, 0);
  const std::size_t mark = NewLog().size();
  Control("drop 1");
  // The second press comes on the loop's next turn, while the first waits.
  bool pressed = false;
  TTimer again(nullptr);
  again.SetEnabled(false);
  again.SetInterval(1);
  again.OnTimer = [&](TObject*) {
    again.SetEnabled(false);
    EXPECT_TRUE(f->Request->Busy);
    EXPECT_EQ(CountLog("GETNEXT", mark), 0);
    Port(f->StaticPortFrame, 6)->SetChecked(true);
    TestKit::DialogScript script;
    script.Expect("Get data not complete");
    TestKit::Click(f->btnSet);
    pressed = true;
  };
  again.SetEnabled(true);
  TestKit::Click(f->btnSet);
  EXPECT_TRUE(pressed);
  ASSERT_TRUE(WaitForm(f.get()));
  for (const std::string& set : SetLines())
    EXPECT_EQ(set.find(kIgmp + ".3.1=Hex-STRING:84"), std::string::npos) << set;
}

TEST_F(RouterPortsTest, MldSetsTheSelectedVlanAndRefusesToCloseDuringAWalk) {
  Control("set " + kMld + ".2.1 x 00000000");
  Control("set " + kMld + ".3.1 x 10000000");
  Control("set " + kMld + ".4.1 x 00000000");
  auto f = Open<TMLD_SnoopingRouterPortsForm>();
  ASSERT_TRUE(WaitForm(f.get()));
  EXPECT_NE(f->StatusBar1->DisplayedText().Pos("Ok!"), 0) << f->StatusBar1->DisplayedText().str();
  TestKit::ClickRow(f->ListView1, 0);
  EXPECT_EQ(f->stVlanID->Caption(), "1");
  EXPECT_TRUE(Port(f->DynamicPortFrame, 4)->Checked());
  Port(f->StaticPortFrame, 2)->SetChecked(true);
  Port(f->ForbiddenPortFrame, 9)->SetChecked(true);
  TestKit::Grab(f.get(), vntest::ArtifactsDir() + "/form-MLD_SnoopingRouterPorts.png");

  Control("delay 100");
  TestKit::Click(f->btnSet);
  {
    TestKit::DialogScript script;
    script.Expect("Get data not complete");
    f->Close();
  }
  EXPECT_TRUE(f->Visible());
  Control("delay 0");
  ASSERT_TRUE(WaitForm(f.get()));
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(kMld + ".2.1=Hex-STRING:40 00 00 00"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kMld + ".4.1=Hex-STRING:00 80 00 00"), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(kMld + ".3.1"), std::string::npos) << sets[0];

  // Set with no VLAN selected does nothing, as on the IGMP form: no SET,
  // no message, the status line stays.
  ASSERT_EQ(f->ListView1->Selected(), nullptr);
  const AnsiString status = f->StatusBar1->SimpleText();
  f->btnSetClick(nullptr);  // the button is off; the handler guards as well
  EXPECT_FALSE(f->Request->Busy);
  EXPECT_EQ(f->StatusBar1->SimpleText(), status);
  EXPECT_EQ(SetLines().size(), 1u);
}

}  // namespace
