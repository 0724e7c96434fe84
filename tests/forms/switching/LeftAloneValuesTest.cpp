// Values the switch holds that a switching form does not list or cannot
// split into what it shows, against the simulated switch: each is shown as
// the switch holds it, none of the form's checks judges it while the user
// changes another field, and the write sends it back unchanged with the
// field the user changed.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FormsL2Support.h"
#include "forms/common/FeatureForm.h"
#include "forms/switching/PortMirror.h"
#include "forms/switching/PortTrunk.h"
#include "forms/switching/STPInfo.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"

namespace {

const std::string kBridge = "1.3.6.1.4.1.171.12.15.1.";
const std::string kStpState = "1.3.6.1.4.1.171.11.101.1.2.1.2.1.0";
const std::string kMirror = "1.3.6.1.4.1.171.11.101.1.2.10.";
const std::string kTrunk = "1.3.6.1.4.1.171.11.101.1.2.9.3.1.";

// One form: what the switch holds, the form opened, what the user changes
// (after checking what the form shows) and the write, and what the SET
// must carry.
struct TLeftAlone {
  const char* Name;
  std::vector<std::string> Seed;
  std::function<TForm*()> Open;
  std::function<void(TForm*)> ChangeAndWrite;
  std::vector<std::string> Sent;
  std::vector<std::string> NotSent = {};
};

class LeftAloneValues : public FormsL2Test {
 protected:
  void TearDown() override {
    form_.reset();
    FormsL2Test::TearDown();
  }
  std::unique_ptr<TForm> form_;
};

TEST_F(LeftAloneValues, AreShownAsHeldNeitherJudgedNorChangedByTheWriteOfAnotherField) {
  const std::vector<TLeftAlone> forms = {
      {"STP Control (rstp): the switch's own Max Age 100 and Max Hops 70000, Forwarding BPDU "
       "changed",
       {"set " + kBridge + "2.0 i 1", "set " + kBridge + "3.0 i 100",
        "set " + kBridge + "5.0 i 1500", "set " + kBridge + "6.0 i 70000",
        "set " + kBridge + "8.0 i 2", "set " + kStpState + " i 2"},
       [] { return Shown<TSTP_Info>(); },
       [](TForm* f) {
         auto* form = static_cast<TSTP_Info*>(f);
         EXPECT_EQ(form->ET_AgingTime->Text(), "100");
         TestKit::PickItem(form->Combo_BPDU, 1);
         TestKit::Click(form->BT_Set);
       },
       {kBridge + "3.0=INTEGER:100", kBridge + "6.0=INTEGER:70000", kBridge + "8.0=INTEGER:3"}},
      {"STP Control (mstp): a Forwarding BPDU the list does not name, timers out of the rule, "
       "Max Hops changed",
       {"set " + kBridge + "2.0 i 2", "set " + kBridge + "3.0 i 4000",
        "set " + kBridge + "5.0 i 400", "set " + kBridge + "6.0 i 20", "set " + kBridge + "8.0 i 7",
        "set " + kStpState + " i 2"},
       [] { return Shown<TSTP_Info>(); },
       [](TForm* f) {
         auto* form = static_cast<TSTP_Info*>(f);
         EXPECT_EQ(form->Combo_BPDU->ItemIndex(), -1);
         Typed(form->ET_Priority, "30");
         TestKit::Click(form->BT_Set);
       },
       {kBridge + "3.0=INTEGER:4000", kBridge + "6.0=INTEGER:30"},
       {kBridge + "8.0="}},
      {"Port Mirror: a target port on no unit the form shows, the state changed",
       {"set " + kMirror + "1.0 i 99999", "set " + kMirror + "2.0 x 00000000",
        "set " + kMirror + "3.0 x 00000000", "set " + kMirror + "4.0 i 2"},
       [] { return Shown<TPortMirrorForm>(); },
       [](TForm* f) {
         auto* form = static_cast<TPortMirrorForm*>(f);
         EXPECT_EQ(form->PortEdit->Text(), "99999");
         TestKit::PickItem(form->State_Combox, 1);
         TestKit::Click(form->BT_Set);
       },
       {kMirror + "1.0=INTEGER:99999", kMirror + "4.0=INTEGER:3"}},
      {"Port Mirror: a target the switch also holds as a source port, the state changed",
       {"set " + kMirror + "1.0 i 3", "set " + kMirror + "2.0 x 20000000",
        "set " + kMirror + "3.0 x 00000000", "set " + kMirror + "4.0 i 2"},
       [] { return Shown<TPortMirrorForm>(); },
       [](TForm* f) {
         auto* form = static_cast<TPortMirrorForm*>(f);
         EXPECT_EQ(form->PortEdit->Text(), "3");
         TestKit::PickItem(form->State_Combox, 1);
         TestKit::Click(form->BT_Set);
       },
       {kMirror + "1.0=INTEGER:3", kMirror + "2.0=Hex-STRING:20 00 00 00",
        kMirror + "4.0=INTEGER:3"}},
      {"Port Mirror: a target also held as a source port since a Refresh, the state changed",
       {"set " + kMirror + "1.0 i 1", "set " + kMirror + "2.0 x 00000000",
        "set " + kMirror + "3.0 x 00000000", "set " + kMirror + "4.0 i 2"},
       [] { return Shown<TPortMirrorForm>(); },
       [](TForm* f) {
         auto* form = static_cast<TPortMirrorForm*>(f);
         Control("set " + kMirror + "1.0 i 3");
         Control("set " + kMirror + "3.0 x 20000000");
         TestKit::Click(form->BT_Refresh);
         TestKit::PickItem(form->State_Combox, 1);
         TestKit::Click(form->BT_Set);
       },
       {kMirror + "1.0=INTEGER:3", kMirror + "3.0=Hex-STRING:20 00 00 00",
        kMirror + "4.0=INTEGER:3"}},
      {"Port Trunk: a master port on no unit the form shows, the status changed",
       {"set " + kTrunk + "3.1 i 99999", "set " + kTrunk + "4.1 x 60000000",
        "set " + kTrunk + "7.1 i 2"},
       [] { return Shown<TPortTrunkForm>(); },
       [](TForm* f) {
         auto* form = static_cast<TPortTrunkForm*>(f);
         TestKit::ClickRow(form->LV_PortTrunk, 0);
         EXPECT_EQ(form->PortEdit->Text(), "99999");
         TestKit::PickItem(form->ComboBox1, 0);  // enable
         TestKit::Click(form->SetBtn);
       },
       {kTrunk + "3.1=INTEGER:99999", kTrunk + "4.1=Hex-STRING:60 00 00 00",
        kTrunk + "7.1=INTEGER:1"}},
      {"Port Trunk: a master port on no unit the form shows, typed anew as a port of the unit",
       {"set " + kTrunk + "3.1 i 99999", "set " + kTrunk + "4.1 x 60000000",
        "set " + kTrunk + "7.1 i 2"},
       [] { return Shown<TPortTrunkForm>(); },
       [](TForm* f) {
         auto* form = static_cast<TPortTrunkForm*>(f);
         TestKit::ClickRow(form->LV_PortTrunk, 0);
         Typed(form->PortEdit, "3");
         TestKit::Click(form->SetBtn);
       },
       {kTrunk + "3.1=INTEGER:3", kTrunk + "7.1=INTEGER:2"}},
      {"Port Trunk: a group in a state the status box does not offer, chosen after another "
       "group, a member added",
       {"set " + kTrunk + "3.1 i 2", "set " + kTrunk + "4.1 x 60000000",
        "set " + kTrunk + "7.1 i 1", "set " + kTrunk + "3.2 i 5",
        "set " + kTrunk + "4.2 x 18000000", "set " + kTrunk + "7.2 i 5"},
       [] { return Shown<TPortTrunkForm>(); },
       [](TForm* f) {
         auto* form = static_cast<TPortTrunkForm*>(f);
         TestKit::ClickRow(form->LV_PortTrunk, 0);
         TestKit::ClickRow(form->LV_PortTrunk, 1);
         TestKit::Click(FormsL2Test::Port(form->MemberFrame, 6));
         TestKit::Click(form->SetBtn);
       },
       {kTrunk + "4.2=Hex-STRING:1C 00 00 00", kTrunk + "7.2=INTEGER:5"}},
      {"Port Trunk: a group of one member, the status changed",
       {"set " + kTrunk + "3.1 i 2", "set " + kTrunk + "4.1 x 40000000",
        "set " + kTrunk + "7.1 i 2"},
       [] { return Shown<TPortTrunkForm>(); },
       [](TForm* f) {
         auto* form = static_cast<TPortTrunkForm*>(f);
         TestKit::ClickRow(form->LV_PortTrunk, 0);
         TestKit::PickItem(form->ComboBox1, 0);  // enable
         TestKit::Click(form->SetBtn);
       },
       {kTrunk + "4.1=Hex-STRING:40 00 00 00", kTrunk + "7.1=INTEGER:1"}},
  };
  for (const TLeftAlone& t : forms) {
    SCOPED_TRACE(t.Name);
    for (const std::string& command : t.Seed) Control(command);
    const std::size_t before = SetLines().size();
    form_.reset(t.Open());  // a box fails the test
    t.ChangeAndWrite(form_.get());
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), before + 1);
    for (const std::string& sent : t.Sent)
      EXPECT_NE(sets.back().find(sent), std::string::npos) << sent << " in " << sets.back();
    for (const std::string& left : t.NotSent)
      EXPECT_EQ(sets.back().find(left), std::string::npos) << left << " in " << sets.back();
    form_.reset();
  }
}

}  // namespace
