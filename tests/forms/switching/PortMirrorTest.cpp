// The port mirror form against the simulated switch: the target split on
// reading, the one SET of Set, and the target checks (sources, enabled trunk
// groups, ports the unit lacks).
#include <gtest/gtest.h>

#include "FormsL2Support.h"
#include "forms/switching/PortMirror.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

const std::string kMirror = "1.3.6.1.4.1.171.11.101.1.2.10.";
const std::string kTrunk = "1.3.6.1.4.1.171.11.101.1.2.9.3.1.";

class PortMirror : public FormsL2Test {
 protected:
  void SetUp() override {
    FormsL2Test::SetUp();
    // No source ports; trunk group 1 enabled with ports 2 and 3.
    Control("set " + kMirror + "1.0 i 1");
    Control("set " + kMirror + "2.0 x 00000000");
    Control("set " + kMirror + "3.0 x 00000000");
    Control("set " + kTrunk + "4.1 x 60000000");
    Control("set " + kTrunk + "7.1 i 1");
  }
  // The target port as the user types it.
  void Target(TPortMirrorForm* f, const char* port) {
    f->PortEdit->SetText(port);
    f->PortEdit->SetModified(true);
  }
};

TEST_F(PortMirror, ReadingSplitsTheLogicalTargetPort) {
  Control("set " + kMirror + "1.0 i 64");
  Control("set " + kMirror + "2.0 x 20000000");
  Control("set " + kMirror + "4.0 i 3");
  auto f = Open<TPortMirrorForm>();
  EXPECT_EQ(f->UnitEdit->Text(), "1");
  EXPECT_EQ(f->PortEdit->Text(), "64");
  EXPECT_EQ(f->State_Combox->Text(), "enabled");
  EXPECT_TRUE(Port(f->IngressFrame, 3)->Checked());
  EXPECT_FALSE(Port(f->EgressFrame, 3)->Checked());
  EXPECT_EQ(f->LV_PortTrunk->Items()->Count(), 1);
  EXPECT_NE(f->StatusBar1->Panels()->Items(0)->Text().Pos("Ok!"), 0);
  SavePicture(f.get(), "PortMirror");

  // A target on a unit the form does not show is shown as the switch holds
  // it: port 1 would be another port.
  Control("set " + kMirror + "1.0 i 65");
  TestKit::Click(f->BT_Refresh);
  EXPECT_EQ(f->UnitEdit->Text(), "2");
  EXPECT_EQ(f->PortEdit->Text(), "65");
}

TEST_F(PortMirror, SetWritesTargetSourcesAndStateInOneSet) {
  auto f = Open<TPortMirrorForm>();
  Target(f.get(), "5");
  Port(f->IngressFrame, 1)->SetChecked(true);
  Port(f->IngressFrame, 2)->SetChecked(true);
  Port(f->EgressFrame, 10)->SetChecked(true);
  TestKit::PickItem(f->State_Combox, 1);
  TestKit::Click(f->BT_Set);
  auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(kMirror + "1.0=INTEGER:5"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kMirror + "2.0=Hex-STRING:C0 00 00 00"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kMirror + "3.0=Hex-STRING:00 40 00 00"), std::string::npos) << sets[0];
  EXPECT_NE(sets[0].find(kMirror + "4.0=INTEGER:3"), std::string::npos) << sets[0];
  EXPECT_EQ(f->ET_TargetPort->Text(), "5");
}

TEST_F(PortMirror, TheTargetMayNotBeASourceATrunkMemberOrAMissingPort) {
  auto f = Open<TPortMirrorForm>();
  {
    TestKit::DialogScript script;
    script.Expect("Target port can not be member port!");
    Target(f.get(), "4");
    Port(f->EgressFrame, 4)->SetChecked(true);
    TestKit::Click(f->BT_Set);
    Port(f->EgressFrame, 4)->SetChecked(false);
  }
  {
    TestKit::DialogScript script;
    script.Expect("Set valid target port");
    Target(f.get(), "11");
    TestKit::Click(f->BT_Set);
    EXPECT_EQ(f->ActiveControl(), f->PortEdit);
  }
  {
    TestKit::DialogScript script;
    script.Expect("set valid master port").Expect("Set valid target port");
    Target(f.get(), "0");
    TestKit::Click(f->BT_Set);
  }
  {
    TestKit::DialogScript script;
    script.Expect("Target port can not be Trunk port!");
    Target(f.get(), "2");
    TestKit::Click(f->BT_Set);
  }
  {
    // The target left as read, its port ticked as a source.
    TestKit::DialogScript script;
    script.Expect("Target port can not be member port!");
    Control("set " + kMirror + "1.0 i 6");
    TestKit::Click(f->BT_Refresh);
    TestKit::Click(Port(f->IngressFrame, 6));
    TestKit::Click(f->BT_Set);
  }
  EXPECT_TRUE(SetLines().empty());

  // A disabled trunk group does not hold its ports.
  Control("set " + kTrunk + "7.1 i 2");
  TestKit::Click(f->BT_Refresh);
  Target(f.get(), "2");
  TestKit::Click(f->BT_Set);
  auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(kMirror + "1.0=INTEGER:2"), std::string::npos) << sets[0];
}

TEST_F(PortMirror, RefreshReadsAgainAfterASilentDeviceAtOpening) {
  Control("mute");
  auto f = Open<TPortMirrorForm>();
  EXPECT_EQ(f->StatusBar1->Panels()->Items(0)->Text().Pos("Ok!"), 0);
  EXPECT_EQ(f->LV_PortTrunk->Items()->Count(), 0);
  Control("unmute");
  Control("set " + kMirror + "1.0 i 7");
  TestKit::Click(f->BT_Refresh);
  EXPECT_EQ(f->PortEdit->Text(), "7");
  EXPECT_EQ(f->LV_PortTrunk->Items()->Count(), 1);
}

}  // namespace
