// Forms whose list click fills or switches the fields of the row, against the
// simulated switch: a row chosen with the keys leaves the form as a click on
// it does (the texts naming the row, its key edits locked, its buttons), and
// a write made after the keys moved the selection goes to the row drawn
// selected.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/acl/IBPEtherMaskFormUnit.h"
#include "forms/acl/IPMaskInformationFormUnit.h"
#include "forms/acl/IPRuleUnit.h"
#include "forms/acl/TimeRangeFormUnit.h"
#include "forms/common/FeatureForm.h"
#include "forms/security/IPMACBindingFormUnit.h"
#include "forms/security/IpMacBindBlockedFormUnitUnit.h"
#include "forms/security/LoginMethodListUnit.h"
#include "forms/security/ServerGroupUnit.h"
#include "forms/security/ServerInfoUnit.h"
#include "forms/switching/AggregatorPortTableFormUnit.h"
#include "forms/switching/IGMPMulticastVlanUnit.h"
#include "forms/switching/IGMPRouterPortsUnit.h"
#include "forms/switching/MulticastFilterInformationFormUnit.h"
#include "forms/switching/PortTrunk.h"
#include "forms/switching/TrafficForwardUnit1.h"
#include "forms/switching/UnicastFilterInformationFormUnit.h"
#include "forms/switching/dot3PauseFormUnit.h"
#include "forms/system/MultiConfigControlFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/Messages.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

namespace {

// The fields of a form as the user finds them, one line each: name, text,
// and whether it is disabled, read-only, ticked, or coloured as a locked
// key. Memos, status bars and lists are left out: their lines are the
// status and the rows.
void Describe(TControl* control, const std::string& path, std::vector<std::string>& lines) {
  if (dynamic_cast<TMemo*>(control) || dynamic_cast<TStatusBar*>(control) ||
      dynamic_cast<TListView*>(control))
    return;
  const std::string name = path + control->Name().str();
  std::string line = name + " \"" + control->Text().str() + "\"";
  if (!control->Enabled()) line += " disabled";
  if (auto* edit = dynamic_cast<TEdit*>(control)) {
    if (edit->ReadOnly()) line += " read-only";
    line += " colour " + std::to_string(static_cast<long>(edit->Color()));
  }
  if (auto* box = dynamic_cast<TCheckBox*>(control); box && box->Checked()) line += " ticked";
  lines.push_back(line);
  if (auto* parent = dynamic_cast<TWinControl*>(control))
    for (int i = 0; i < parent->ControlCount(); ++i)
      Describe(parent->Controls(i), name + "/", lines);
}

std::vector<std::string> Fields(TForm* form) {
  std::vector<std::string> lines;
  Describe(form, "", lines);
  return lines;
}

// The lines of `a` that `b` lacks, for the failure message.
std::string Missing(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  std::string out;
  for (const std::string& line : a)
    if (std::find(b.begin(), b.end(), line) == b.end()) out += "\n  " + line;
  return out;
}

TCheckBox* Port(TStackingPortUitForm* frame, int port) {
  return static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(port - 1));
}

// One form: the simulator lines that give its list a second row, how it
// opens and closes, its list and request; optionally what names the chosen
// row as the user reads it, and a write whose one SET must carry `Sent` (an
// instance of the second row) and not `Unsent` (the first row's).
struct TChosenRow {
  std::string Name;
  std::vector<std::string> Seed;
  std::function<TForm*()> Open;
  std::function<TListView*(TForm*)> List;
  std::function<const VnSNMPRequest2Controls*(TForm*)> Request;
  std::function<std::string(TForm*)> Names;
  std::string Named;
  std::function<void(TForm*)> Write;
  std::string Sent, Unsent;
};

// A table entry for the form class T, whose list is `list`.
template <class T>
struct Of {
  TChosenRow row;
  Of(const char* name, TListView* T::*list, std::vector<std::string> seed = {}) {
    row.Name = name;
    row.Seed = std::move(seed);
    row.Open = [] {
      T* form = Create<T>(Application);
      TestKit::ShowAndActivate(form);
      return form;
    };
    row.List = [list](TForm* f) { return static_cast<T*>(f)->*list; };
    row.Request = [](TForm* f) -> const VnSNMPRequest2Controls* {
      return static_cast<T*>(f)->Request.get();
    };
  }
  Of&& Names(std::function<std::string(T*)> names, std::string named) && {
    row.Names = [names](TForm* f) { return names(static_cast<T*>(f)); };
    row.Named = std::move(named);
    return std::move(*this);
  }
  Of&& Writes(std::function<void(T*)> write, std::string sent, std::string unsent) && {
    row.Write = [write](TForm* f) { write(static_cast<T*>(f)); };
    row.Sent = std::move(sent);
    row.Unsent = std::move(unsent);
    return std::move(*this);
  }
  operator TChosenRow() && { return std::move(row); }  // NOLINT: table entries
};

std::string Text(TControl* control) { return control->Text().str(); }

const std::string kForward = "1.3.6.1.4.1.171.11.101.1.2.14.1.1.2.";
const std::string kTrunk = "1.3.6.1.4.1.171.11.101.1.2.9.3.1.";
const std::string kMvlan = "1.3.6.1.4.1.171.12.64.3.1.1.";
const std::string kUnicast = "1.3.6.1.2.1.17.7.1.3.1.1.";
const std::string kMulticast = "1.3.6.1.2.1.17.7.1.3.2.1.";
const std::string kRouter = "1.3.6.1.4.1.171.11.101.1.2.11.6.1.";
const std::string kPause = "1.3.6.1.2.1.10.7.10.1.";
const std::string kIpMask = "1.3.6.1.4.1.171.12.9.2.2.1.";
const std::string kEtherMask = "1.3.6.1.4.1.171.12.9.2.6.1.";
const std::string kIpRule = "1.3.6.1.4.1.171.12.9.3.2.1.";
const std::string kTimeRange = "1.3.6.1.4.1.171.12.50.3.1.1.";
const std::string kGroup = "1.3.6.1.4.1.171.12.5.9.1.";
const std::string kLogin = "1.3.6.1.4.1.171.12.5.3.1.";
const std::string kServer = "1.3.6.1.4.1.171.12.5.10.1.";
const std::string kBinding = "1.3.6.1.4.1.171.12.23.4.1.1.";
const std::string kBlocked = "1.3.6.1.4.1.171.12.23.4.2.1.";

class RowChosenByKeys : public PagesDeviceTest {
 protected:
  void Check(const TChosenRow& c);
};

// Closes and deletes the form however the check ends.
struct TFormCloser {
  TForm* form;
  ~TFormCloser() {
    form->Close();
    delete form;
  }
};

void RowChosenByKeys::Check(const TChosenRow& c) {
  Control("reset");
  for (const std::string& line : c.Seed) Control(line);
  TForm* form = c.Open();
  const TFormCloser closer{form};
  const VnSNMPRequest2Controls* request = c.Request(form);
  ASSERT_TRUE(WaitIdle(*request));
  TListView* list = c.List(form);
  ASSERT_GE(list->Items()->Count(), 2);

  TestKit::PressKeyInList(list, VK_DOWN);
  TestKit::PressKeyInList(list, VK_DOWN);
  ASSERT_EQ(list->ItemIndex(), 1);
  const std::vector<std::string> byKeys = Fields(form);
  if (c.Names) {
    EXPECT_EQ(c.Names(form), c.Named);
  }
  TestKit::ClickRow(list, 0);
  TestKit::ClickRow(list, 1);
  const std::vector<std::string> byPointer = Fields(form);
  EXPECT_TRUE(byKeys == byPointer) << "after the keys:" << Missing(byKeys, byPointer)
                                   << "\nafter a click:" << Missing(byPointer, byKeys);
  if (!c.Write) return;

  // The row above is clicked, then the keys choose the row again.
  TestKit::ClickRow(list, 0);
  TestKit::PressKeyInList(list, VK_DOWN);
  if (c.Names) {
    EXPECT_EQ(c.Names(form), c.Named) << "before the write";
  }
  const std::size_t mark = NewLog().size();
  c.Write(form);
  EXPECT_TRUE(WaitIdle(*request));
  const std::vector<std::string> log = NewLog();
  std::vector<std::string> sets;
  for (std::size_t i = mark; i < log.size(); ++i)
    if (log[i].find("\tSET\t") != std::string::npos) sets.push_back(log[i]);
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find(c.Sent), std::string::npos) << sets[0];
  EXPECT_EQ(sets[0].find(c.Unsent), std::string::npos) << sets[0];
}

TEST_F(RowChosenByKeys, LeavesTheFormAsAClickOnTheRowAndTheWriteGoesToIt) {
  const std::vector<TChosenRow> forms = {
      Of<TTrafficSegmentationForm>("traffic segmentation",
                                   &TTrafficSegmentationForm::LV_TrafficForward)
          .Names([](auto* f) { return Text(f->Combo_Port); }, "2")
          .Writes(
              [](auto* f) {
                Port(f->PortFrame, 1)->SetChecked(false);
                TestKit::Click(f->BT_Set);
              },
              kForward + "2=", kForward + "1="),
      Of<TPortTrunkForm>("port trunk", &TPortTrunkForm::LV_PortTrunk,
                         {"set " + kTrunk + "3.1 i 2", "set " + kTrunk + "4.1 x 60000000",
                          "set " + kTrunk + "3.2 i 5", "set " + kTrunk + "4.2 x 18000000",
                          "set " + kTrunk + "7.2 i 2"})
          .Names([](auto* f) { return Text(f->UnitEdit) + "/" + Text(f->PortEdit); }, "1/5")
          .Writes([](auto* f) { TestKit::Click(f->SetBtn); }, kTrunk + "3.2=INTEGER:5",
                  kTrunk + "3.1="),
      Of<TIGMPMulticastVlanForm>(
          "IGMP multicast VLAN", &TIGMPMulticastVlanForm::LV_IGMPMulticastVlanEntry,
          {"set " + kMvlan + "2.1 s mvlan1", "set " + kMvlan + "2.2 s mvlan2"})
          .Names([](auto* f) { return Text(f->VlanIDEdit) + " " + Text(f->VlanNameEdit); },
                 "2 mvlan2"),
      Of<TAggregatorPortTableForm>("aggregator ports", &TAggregatorPortTableForm::ListView1),
      Of<TUnicastFilterInformationForm>("static unicast filter",
                                        &TUnicastFilterInformationForm::LV_dot1qStaticUnicastEntry,
                                        {"set " + kUnicast + "4.1.0.10.94.88.16.32.0 i 3"})
          .Names([](auto* f) { return Text(f->ED_UnicastVID) + " " + Text(f->UnicastAddress); },
                 "1 000A5E581020")
          .Writes([](auto* f) { TestKit::Click(f->DeleteBtn); },
                  kUnicast + "4.1.0.10.94.88.16.32.0=INTEGER:2",
                  kUnicast + "4.1.0.10.94.88.16.16.0="),
      Of<TMulticastFilterInformationForm>(
          "static multicast filter", &TMulticastFilterInformationForm::LV_dot1qStaticMulticastEntry,
          {"set " + kMulticast + "3.1.1.0.94.1.1.1.7 x 00000000"})
          .Writes([](auto* f) { TestKit::Click(f->SetBtn); },
                  kMulticast + "3.1.1.0.94.1.1.1.7=", kMulticast + "3.1.1.0.94.1.1.1.0="),
      Of<TIGMPRouterPortsForm>(
          "IGMP router ports", &TIGMPRouterPortsForm::ListView1,
          {"set " + kRouter + "2.1 s default", "set " + kRouter + "2.2 s two",
           "set " + kRouter + "3.2 x 00000000", "set " + kRouter + "5.2 x 00000000"})
          .Names([](auto* f) { return Text(f->stVlanID); }, "2")
          .Writes(
              [](auto* f) {
                Port(f->StaticPortFrame, 3)->SetChecked(true);
                TestKit::Click(f->btnSet);
              },
              kRouter + "3.2=Hex-STRING:20 00 00 00", kRouter + "3.1="),
      Of<Tdot3PauseForm>("dot3 pause", &Tdot3PauseForm::ListView1,
                         {"motion " + kPause + "3.1 still", "set " + kPause + "3.1 c 11",
                          "motion " + kPause + "3.2 still", "set " + kPause + "3.2 c 22"})
          .Names([](auto* f) { return ListCellText(f->ListView2, 0, 1).str(); }, "22")
          .Writes(
              [](auto* f) {
                ASSERT_TRUE(SelectComboText(f->cbxAdminMode, "disabled"));
                TestKit::Click(f->btnSet);
              },
              kPause + "1.2=INTEGER:1", kPause + "1.1="),
      Of<TIPMaskInformationForm>("IP mask profile", &TIPMaskInformationForm::ListView1,
                                 {"set " + kIpMask + "1.2 i 2"})
          .Writes([](auto* f) { TestKit::Click(f->BT_Delete); }, kIpMask + "19.2=INTEGER:6",
                  kIpMask + "19.1="),
      Of<TIBPACLEtherMaskForm>("IP-MAC binding Ethernet profiles", &TIBPACLEtherMaskForm::ListView1,
                               {"set " + kEtherMask + "1.2 i 2"}),
      Of<TIPRuleForm>("IP rule", &TIPRuleForm::ListView1,
                      {"set " + kIpRule + "1.1.2 i 1", "set " + kIpRule + "2.1.2 i 2"})
          .Names([](auto* f) { return Text(f->IPRuleEdit) + "/" + Text(f->AccessIDEdit); }, "1/2")
          .Writes([](auto* f) { TestKit::Click(f->DeleteButton); }, kIpRule + "22.1.2=INTEGER:6",
                  kIpRule + "22.1.1="),
      Of<TTimeRangeForm>("time range", &TTimeRangeForm::ListView1,
                         {"set " + kTimeRange + "5.5.110.105.103.104.116 i 1"})
          .Names([](auto* f) { return Text(f->edtName); }, "workday")
          .Writes([](auto* f) { TestKit::Click(f->btnDelete); },
                  kTimeRange + "5.7.119.111.114.107.100.97.121=INTEGER:6",
                  ".5.110.105.103.104.116="),
      Of<TServerGroupForm>("server groups", &TServerGroupForm::ListView2),
      Of<TLoginMethodListForm>("login method lists", &TLoginMethodListForm::ListView1,
                               {"set " + kLogin + "10.3.111.112.115 i 1"}),
      Of<TServerInformationForm>("servers", &TServerInformationForm::ListView1,
                                 {"set " + kServer + "1.10.90.90.21.4 a 10.90.90.21",
                                  "set " + kServer + "2.10.90.90.21.4 i 4"})
          .Names([](auto* f) { return Text(f->IPEdit); }, "10.90.90.21")
          .Writes([](auto* f) { TestKit::Click(f->DeleteButton); },
                  kServer + "7.10.90.90.21.4=INTEGER:6", ".10.90.90.20.4="),
      Of<TIPMACBindingForm>("IP-MAC bindings", &TIPMACBindingForm::ListView1,
                            {"set " + kBinding + "2.10.90.90.31 x 00055E0000AC",
                             "set " + kBinding + "4.10.90.90.31 x 40000000"})
          .Names([](auto* f) { return Text(f->edtIpAddr); }, "10.90.90.31"),
      Of<TIpMacBindBlockedForm>("IP-MAC blocked", &TIpMacBindBlockedForm::ListView1,
                                {"set " + kBlocked + "3.7.0.5.94.0.0.2 s lab",
                                 "set " + kBlocked + "4.7.0.5.94.0.0.2 i 4"})
          .Writes([](auto* f) { TestKit::Click(f->btnDelete); },
                  kBlocked + "7.7.0.5.94.0.0.2=INTEGER:2", ".1.0.10.94.88.16.49="),
      Of<TMultipleConfigControlForm>("configuration control",
                                     &TMultipleConfigControlForm::ListView1),
  };
  for (const TChosenRow& c : forms) {
    SCOPED_TRACE(c.Name);
    Check(c);
  }
}

}  // namespace
