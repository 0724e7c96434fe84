// Values the switch holds past what a form's controls show, against the
// simulated switch: a port list longer or shorter than the port grid, an
// option the combo box does not list. Shown without a box, they go back as
// the switch holds them (an unlisted option is left out of the SET, which
// would refuse it) and never keep the field the user changed from going out.
// And a click on the row drawn selected shows that row again after a write
// the switch refused, so that the next action writes that row.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/security/EnableMethodListUnit.h"
#include "forms/security/GuestVlanFormUnit.h"
#include "forms/security/LoginMethodListUnit.h"
#include "forms/security/MBAControlUnit.h"
#include "forms/switching/IGMPMulticastVlanUnit.h"
#include "forms/switching/STPInfo.h"
#include "forms/switching/TrafficForwardUnit1.h"
#include "forms/switching/VLanGeneralInfoUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

namespace {

const std::string kGuest = "1.3.6.1.4.1.171.12.30.1.";
const std::string kMba = "1.3.6.1.4.1.171.12.35.1.";
const std::string kForward = "1.3.6.1.4.1.171.11.101.1.2.14.1.1.2.";
const std::string kMulticastVlan = "1.3.6.1.4.1.171.12.64.3.1.1.";
const std::string kBridge = "1.3.6.1.4.1.171.12.15.1.";
const std::string kStpState = "1.3.6.1.4.1.171.11.101.1.2.1.2.1.0";
const std::string kGvrp = "1.3.6.1.2.1.17.7.1.1.5.0";
const std::string kLogin = "1.3.6.1.4.1.171.12.5.3.1.";
const std::string kEnable = "1.3.6.1.4.1.171.12.5.4.1.";

TCheckBox* Port(TStackingPortUitForm* frame, int port) {
  return static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(port - 1));
}

bool Has(const std::string& line, const std::string& what) {
  return line.find(what) != std::string::npos;
}

// The instance of a method list's name: its length and character codes.
std::string NameRow(const std::string& name) {
  std::string s = std::to_string(name.size());
  for (const char c : name) s += "." + std::to_string(static_cast<unsigned char>(c));
  return s;
}

class HeldValues : public OwnedFormTest {};

// One form: what the switch holds, how the form is opened (read, and its row
// chosen with a click), what the user changes (nothing when null), how the
// write is made and waited for, what its SETs carry and leave out, and what
// the switch holds afterwards.
struct THeld {
  const char* Name;
  std::vector<std::string> Seed;
  std::function<TForm*()> Open;
  std::function<void(TForm*)> Change;
  std::function<void(TForm*)> Write;
  std::vector<std::string> Sent, LeftOut;
  std::vector<std::pair<std::string, std::string>> After;
};

bool TrafficIdle(TTrafficSegmentationForm* f) { return !f->Request->Busy; }
bool MulticastIdle(TIGMPMulticastVlanForm* f) { return !f->Request->Busy; }

TEST_F(HeldValues, WhatTheUserDidNotTouchGoesBackAsTheSwitchHoldsIt) {
  const std::vector<THeld> forms = {
      {"Guest VLAN: six octets of ports",
       {"set " + kGuest + "1.0 s guests", "set " + kGuest + "2.0 x FFC00000AABB"},
       [] { return Shown<TGuestVlanForm>(); },
       nullptr,
       [](TForm* f) { TestKit::Click(static_cast<TGuestVlanForm*>(f)->SetBtn); },
       {kGuest + "2.0=Hex-STRING:FF C0 00 00 AA BB"},
       {},
       {{kGuest + "2.0", "Hex-STRING:FF C0 00 00 AA BB"}}},
      {"Guest VLAN: six octets of ports, port 11 ticked",
       {"set " + kGuest + "1.0 s guests", "set " + kGuest + "2.0 x FFC00000AABB"},
       [] { return Shown<TGuestVlanForm>(); },
       [](TForm* f) { Port(static_cast<TGuestVlanForm*>(f)->PortFrame, 11)->SetChecked(true); },
       [](TForm* f) { TestKit::Click(static_cast<TGuestVlanForm*>(f)->SetBtn); },
       {kGuest + "2.0=Hex-STRING:FF E0 00 00 AA BB"},
       {},
       {{kGuest + "2.0", "Hex-STRING:FF E0 00 00 AA BB"}}},
      {"MAC-based Access Global Control: six octets of member ports",
       {"set " + kMba + "4.0 s mba", "set " + kMba + "5.0 x FFC00000AABB"},
       [] { return Shown<TMBAControlForm>(); },
       nullptr,
       [](TForm* f) { TestKit::Click(static_cast<TMBAControlForm*>(f)->SetBtn); },
       {kMba + "5.0=Hex-STRING:FF C0 00 00 AA BB"},
       {},
       {{kMba + "5.0", "Hex-STRING:FF C0 00 00 AA BB"}}},
      {"Traffic Segmentation: row 7 of two octets",
       {"set " + kForward + "7 x FFC0"},
       [] {
         auto* form = Shown<TTrafficSegmentationForm>();
         EXPECT_TRUE(PumpUntil([form] { return TrafficIdle(form); }));
         TestKit::ClickRow(form->LV_TrafficForward, 6);
         EXPECT_EQ(form->Combo_Port->Text(), "7");
         EXPECT_TRUE(Port(form->PortFrame, 10)->Checked());
         EXPECT_FALSE(Port(form->PortFrame, 11)->Checked());
         EXPECT_TRUE(form->BT_Set->Enabled());
         return form;
       },
       nullptr,
       [](TForm* f) {
         auto* form = static_cast<TTrafficSegmentationForm*>(f);
         TestKit::Click(form->BT_Set);
         EXPECT_TRUE(PumpUntil([form] { return TrafficIdle(form); }));
       },
       {kForward + "7=Hex-STRING:FF C0"},
       {},
       {{kForward + "7", "Hex-STRING:FF C0"}}},
      {"IGMP Multicast VLAN: a source list of two octets, a state it does not list",
       {"set " + kMulticastVlan + "2.1 s mvlan1", "set " + kMulticastVlan + "3.1 x FFC0",
        "set " + kMulticastVlan + "7.1 i 9"},
       [] {
         auto* form = Shown<TIGMPMulticastVlanForm>();
         EXPECT_TRUE(PumpUntil([form] { return MulticastIdle(form); }));
         TestKit::ClickRow(form->LV_IGMPMulticastVlanEntry, 0);
         return form;
       },
       nullptr,
       [](TForm* f) {
         auto* form = static_cast<TIGMPMulticastVlanForm*>(f);
         TestKit::Click(form->btnSet);
         EXPECT_TRUE(PumpUntil([form] { return MulticastIdle(form); }));
       },
       {kMulticastVlan + "3.1=Hex-STRING:FF C0"},
       {kMulticastVlan + "7.1"},
       {{kMulticastVlan + "3.1", "Hex-STRING:FF C0"}, {kMulticastVlan + "7.1", "INTEGER:9"}}},
      {"STP Control: a forwarding BPDU it does not list, the hold count changed",
       {"set " + kBridge + "2.0 i 1", "set " + kBridge + "3.0 i 2000",
        "set " + kBridge + "4.0 i 200", "set " + kBridge + "5.0 i 1500",
        "set " + kBridge + "6.0 i 20", "set " + kBridge + "7.0 i 6", "set " + kBridge + "8.0 i 7",
        "set " + kStpState + " i 2"},
       [] { return Shown<TSTP_Info>(); },
       [](TForm* f) { static_cast<TSTP_Info*>(f)->ED_TxHoldCount->SetText("5"); },
       [](TForm* f) { TestKit::Click(static_cast<TSTP_Info*>(f)->BT_Set); },
       {kBridge + "7.0=INTEGER:5"},
       {kBridge + "8.0"},
       {{kBridge + "7.0", "INTEGER:5"}, {kBridge + "8.0", "INTEGER:7"}}},
      {"802.1Q Basic Configure: a GVRP status it does not list, nothing else to write",
       {"set " + kGvrp + " i 7"},
       [] {
         auto* form = Shown<TVLanGeneralInfoForm>();
         EXPECT_TRUE(WaitIdle(*form->Request));
         return form;
       },
       nullptr,
       [](TForm* f) {
         auto* form = static_cast<TVLanGeneralInfoForm*>(f);
         TestKit::Click(form->SetBtn);
         EXPECT_TRUE(WaitIdle(*form->Request));
         EXPECT_FALSE(Has(MemoText(form->Memo1), "Bad value")) << MemoText(form->Memo1);
         // Nothing is left to write: no SET goes out, and the form says so.
         EXPECT_TRUE(Has(MemoText(form->Memo1), "No SNMP variable to set!"))
             << MemoText(form->Memo1);
       },
       {},
       {kGvrp},
       {{kGvrp, "INTEGER:7"}}},
  };
  for (const THeld& t : forms) {
    SCOPED_TRACE(t.Name);
    for (const std::string& command : t.Seed) Control(command);
    const std::size_t before = SetLines().size();
    form_.reset(t.Open());  // a box fails the test
    if (t.Change) t.Change(form_.get());
    t.Write(form_.get());
    const std::vector<std::string> sets = SetLines();
    if (t.Sent.empty())
      EXPECT_EQ(sets.size(), before);
    else
      ASSERT_GT(sets.size(), before);
    std::string written;
    for (std::size_t i = before; i < sets.size(); ++i) written += sets[i] + "\n";
    for (const std::string& sent : t.Sent) EXPECT_TRUE(Has(written, sent)) << written;
    for (const std::string& oid : t.LeftOut) EXPECT_FALSE(Has(written, oid + "=")) << written;
    for (const auto& [oid, value] : t.After) EXPECT_EQ(Value(oid), value) << oid;
    form_.reset();
  }
}

// One method-list form: after the switch refused an Edit of list "m1", a
// click on the row drawn selected shows it again, and Delete destroys it.
struct TRowAgain {
  const char* Name;
  std::string Table;
  std::function<TMethodListForm*()> Open;
  std::function<TEdit*(TMethodListForm*)> NameEdit;
};

TEST_F(HeldValues, AClickOnTheSelectedRowShowsItAfterARefusedWrite) {
  const std::vector<TRowAgain> forms = {
      {"Login Method Control", kLogin, [] { return Shown<TLoginMethodListForm>(); },
       [](TMethodListForm* f) { return static_cast<TLoginMethodListForm*>(f)->ListnameEdit; }},
      {"Enable Method Control", kEnable, [] { return Shown<TEnableMethodForm>(); },
       [](TMethodListForm* f) { return static_cast<TEnableMethodForm*>(f)->NameEdit; }},
  };
  const std::string row = NameRow("m1");
  for (const TRowAgain& t : forms) {
    SCOPED_TRACE(t.Name);
    Control("set " + t.Table + "10." + row + " i 4");
    TMethodListForm* form = t.Open();
    form_.reset(form);
    TListView* list = form->ListView1;
    int m1 = -1;
    for (int i = 0; i < list->Items()->Count(); ++i)
      if (list->Items()->Item(i)->Caption() == "m1") m1 = i;
    ASSERT_GE(m1, 0);
    TestKit::ClickRow(list, m1);
    EXPECT_EQ(t.NameEdit(form)->Text(), "m1");
    Control("inject set " + t.Table.substr(0, t.Table.size() - 1) + " genErr");
    TestKit::Click(form->EditButton);
    // Afterwards the selection and the fields agree: no row, or m1 with its values.
    if (list->Selected()) {
      EXPECT_EQ(t.NameEdit(form)->Text(), "m1");
    }

    TestKit::ClickRow(list, m1);
    EXPECT_EQ(t.NameEdit(form)->Text(), "m1");
    EXPECT_TRUE(form->DeleteButton->Enabled());
    const std::size_t before = SetLines().size();
    TestKit::Click(form->DeleteButton);
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), before + 1);
    EXPECT_TRUE(Has(sets.back(), t.Table + "10." + row + "=INTEGER:6")) << sets.back();
    EXPECT_EQ(Value(t.Table + "10." + row), "noSuchInstance");
    form_.reset();
  }
}

}  // namespace
