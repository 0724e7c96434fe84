// Values the switch holds, in the edits of forms that give them an input
// rule, against the simulated switch, driven with keys: a value the rule
// would not let the user type is shown whole, is neither refused nor
// emptied when the user passes through its edit, and goes back to the switch
// as it came; an entry the rule refuses gives way to what the switch holds
// or to the last entry that passed, whichever came last.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PagesTestSupport.h"
#include "forms/common/FeatureForm.h"
#include "forms/security/SafeguardCtrlFormUnit.h"
#include "forms/switching/IGMPMulticastVlanUnit.h"
#include "forms/switching/STPInfo.h"
#include "forms/system/LogSaveControlSetting.h"
#include "forms/system/PingControlTableFormEditUnit.h"
#include "forms/system/PingControlTableFormUnit.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"

namespace {

const std::string kBridge = "1.3.6.1.4.1.171.12.15.1.";
const std::string kStpState = "1.3.6.1.4.1.171.11.101.1.2.1.2.1.0";
const std::string kLogSave = "1.3.6.1.4.1.171.12.12.3.";
const std::string kMulticastVlan = "1.3.6.1.4.1.171.12.64.3.1.1.";
const std::string kSafeguard = "1.3.6.1.4.1.171.12.19.2.";
const std::string kLongName = "multicast-vlan-for-the-video-streams-one";  // 40 characters
const std::string kPing = "1.3.6.1.2.1.80.1.2.1.";
const std::string kAdminTest = "5.97.100.109.105.110.2.112.50";  // owner "admin", test "p2"

// Empties the edit and types `text` as the user does.
void Retype(TEdit* edit, const AnsiString& text) {
  TestKit::FocusTo(edit);
  edit->SelectAll();
  TestKit::TypeText(edit, "\b" + text);
}

// Leaves the edit with Tab unless a full edit has moved on by itself.
void Leave(TEdit* edit) {
  TestKit::Pump();
  if (edit->Focused()) TestKit::PressTab();
}

// Enters the edit and leaves it with Tab (a key shown greyed is passed by).
void PassThrough(TEdit* edit) {
  if (!edit->CanFocus()) return;
  TestKit::FocusTo(edit);
  TestKit::PressTab();
}

bool Has(const std::string& line, const std::string& what) {
  return line.find(what) != std::string::npos;
}

class DeviceValues : public PagesDeviceTest {
 protected:
  void TearDown() override {
    form_.reset();
    PagesDeviceTest::TearDown();
  }
  std::unique_ptr<TForm> form_;
};

// One form: what the switch holds, how the form is opened (its first read
// ended), the edits and the texts they must show, how the write is made
// (calling `onScreen` once the edits are on the screen), and what the SET
// must carry.
struct TUntouched {
  const char* Name;
  std::vector<std::string> Seed;
  std::function<TForm*()> Open;
  std::function<std::vector<std::pair<TEdit*, std::string>>(TForm*)> Fields;
  std::function<void(TForm*, const std::function<void()>& onScreen)> Write;
  std::vector<std::string> Sent;
};

TEST_F(DeviceValues, AnUntouchedValueIsShownWholeAndWrittenBackAsTheSwitchHoldsIt) {
  const std::vector<TUntouched> forms = {
      {"STP Control: timers outside their ranges, full edits that move on",
       {"set " + kBridge + "2.0 i 1", "set " + kBridge + "3.0 i 4100",
        "set " + kBridge + "5.0 i 3000", "set " + kBridge + "6.0 i 99",
        "set " + kBridge + "7.0 i 36", "set " + kStpState + " i 2"},
       [] { return Shown<TSTP_Info>(); },
       [](TForm* f) -> std::vector<std::pair<TEdit*, std::string>> {
         auto* form = static_cast<TSTP_Info*>(f);
         return {{form->ET_AgingTime, "4100"},
                 {form->ET_ForwardDelay, "3000"},
                 {form->ET_Priority, "99"},
                 {form->ED_TxHoldCount, "36"}};
       },
       [](TForm* f, const std::function<void()>& onScreen) {
         onScreen();
         TestKit::Click(static_cast<TSTP_Info*>(f)->BT_Set);
       },
       {kBridge + "3.0=INTEGER:4100", kBridge + "6.0=INTEGER:99", kBridge + "7.0=INTEGER:36"}},
      {"System Log Save Control: an interval above the range",
       {"set " + kLogSave + "1.0 i 1", "set " + kLogSave + "2.0 i 70000"},
       [] { return Shown<TLogSaveControlForm>(); },
       [](TForm* f) -> std::vector<std::pair<TEdit*, std::string>> {
         return {{static_cast<TLogSaveControlForm*>(f)->EdLogSavetimeInterval, "70000"}};
       },
       [](TForm* f, const std::function<void()>& onScreen) {
         onScreen();
         TestKit::Click(static_cast<TLogSaveControlForm*>(f)->btnSet);
       },
       {kLogSave + "2.0=INTEGER:70000"}},
      {"IGMP Multicast VLAN: a profile list with a range, a name above its length",
       {"set " + kMulticastVlan + "2.1 s \"" + kLongName + "\"",
        "set " + kMulticastVlan + "12.1 s \"1-3,5\""},
       [] {
         auto* form = Shown<TIGMPMulticastVlanForm>();
         EXPECT_TRUE(PumpUntil([form] { return form->RequestIdle == 1 && !form->Request->Busy; }));
         TestKit::ClickRow(form->LV_IGMPMulticastVlanEntry, 0);
         return form;
       },
       [](TForm* f) -> std::vector<std::pair<TEdit*, std::string>> {
         auto* form = static_cast<TIGMPMulticastVlanForm*>(f);
         return {{form->ProfileIDListEdit, "1-3,5"}, {form->VlanNameEdit, kLongName}};
       },
       [](TForm* f, const std::function<void()>& onScreen) {
         auto* form = static_cast<TIGMPMulticastVlanForm*>(f);
         onScreen();
         TestKit::Click(form->btnSet);
         EXPECT_TRUE(PumpUntil([form] { return form->RequestIdle == 1 && !form->Request->Busy; }));
       },
       {kMulticastVlan + "12.1=STRING:\"1-3,5\"",
        kMulticastVlan + "2.1=STRING:\"" + kLongName + "\""}},
      {"Ping Control Table: a test whose owner index is no number",
       {"set " + kPing + "23." + kAdminTest + " i 1"},
       [] {
         auto* form = Shown<TPingctrlTableForm>();
         EXPECT_TRUE(WaitIdle(*form->Request));
         return form;
       },
       [](TForm*) -> std::vector<std::pair<TEdit*, std::string>> {
         return {{PingcrtlEditForm->IndexEdit, "admin"}, {PingcrtlEditForm->NameEdit, "p2"}};
       },
       [](TForm* f, const std::function<void()>& onScreen) {
         auto* form = static_cast<TPingctrlTableForm*>(f);
         // The dialog writes through the list form it finds in its global.
         struct Listed {
           explicit Listed(TPingctrlTableForm* list) { PingctrlTableForm = list; }
           ~Listed() { PingctrlTableForm = nullptr; }
         } listed(form);
         ASSERT_EQ(ListCellText(form->ListView1, 1, 0), "admin");
         TestKit::ClickRow(form->ListView1, 1);
         TestKit::OnNextModal<TPingcrtlEditForm>([&onScreen](TPingcrtlEditForm* d) {
           onScreen();
           TestKit::Click(d->DescriptionCBX);
           TestKit::TypeText(d->DecpEdit, "nightly");
           TestKit::Click(d->SetButton);
           d->Close();
         });
         TestKit::Click(form->EditButton);
         EXPECT_TRUE(PumpUntil([form] {
           return !form->Request->Busy && ListCellText(form->ListView1, 1, 6) == "nightly";
         }));
       },
       {kPing + "17." + kAdminTest + "=STRING:\"nightly\""}},
  };
  for (const TUntouched& t : forms) {
    SCOPED_TRACE(t.Name);
    for (const std::string& command : t.Seed) Control(command);
    const std::size_t before = SetLines().size();
    form_.reset(t.Open());  // a box on opening fails the test
    TestKit::Pump();
    t.Write(form_.get(), [&] {
      for (const auto& [edit, shown] : t.Fields(form_.get())) {
        EXPECT_EQ(edit->Text(), shown);
        PassThrough(edit);  // a box on leaving fails the test
        EXPECT_EQ(edit->Text(), shown);
      }
    });
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), before + 1);
    for (const std::string& sent : t.Sent) EXPECT_TRUE(Has(sets.back(), sent)) << sets.back();
    form_.reset();
  }
}

// One form: the edit, the value the switch holds, an entry that passes and
// one that the edit's rule refuses with its message, Refresh, and the write
// with the SET it must carry.
struct TRefusal {
  const char* Name;
  std::vector<std::string> Seed;
  std::function<TForm*()> Open;
  std::function<TEdit*(TForm*)> Edit;
  std::string Device, Passing, Refused, Message;
  std::function<void(TForm*)> Refresh;
  std::function<void(TForm*)> Write;
  std::string Sent;
};

TEST_F(DeviceValues, ARefusedEntryShowsWhatTheSwitchHoldsOrWhatPassedLast) {
  const std::vector<TRefusal> forms = {
      {"STP Control, Max Hops",
       {"set " + kBridge + "2.0 i 1", "set " + kBridge + "3.0 i 2000",
        "set " + kBridge + "5.0 i 1500", "set " + kBridge + "6.0 i 19",
        "set " + kStpState + " i 2"},
       [] { return Shown<TSTP_Info>(); },
       [](TForm* f) { return static_cast<TSTP_Info*>(f)->ET_Priority; },
       "19",
       "20",
       "99",
       " Please enter a number between 6 and 40!",
       [](TForm* f) { TestKit::Click(static_cast<TSTP_Info*>(f)->BT_Get); },
       [](TForm* f) { TestKit::Click(static_cast<TSTP_Info*>(f)->BT_Set); },
       kBridge + "6.0=INTEGER:19"},
      {"System Log Save Control, interval",
       {"set " + kLogSave + "1.0 i 1", "set " + kLogSave + "2.0 i 1440"},
       [] { return Shown<TLogSaveControlForm>(); },
       [](TForm* f) { return static_cast<TLogSaveControlForm*>(f)->EdLogSavetimeInterval; },
       "1440",
       "30",
       "65536",
       " Please enter a number between 0 and 65535!",
       [](TForm* f) { TestKit::Click(static_cast<TLogSaveControlForm*>(f)->btnRefresh); },
       [](TForm* f) { TestKit::Click(static_cast<TLogSaveControlForm*>(f)->btnSet); },
       kLogSave + "2.0=INTEGER:1440"},
      {"Safeguard Control, rising threshold",
       {"set " + kSafeguard + "1.0 i 80", "set " + kSafeguard + "2.0 i 60"},
       [] { return Shown<TSafeguardCtrlForm>(); },
       [](TForm* f) { return static_cast<TSafeguardCtrlForm*>(f)->edtRising; },
       "80",
       "90",
       "200",
       " Please enter a number between 20 and 100!",
       [](TForm* f) { TestKit::Click(static_cast<TSafeguardCtrlForm*>(f)->btnGet); },
       [](TForm* f) {
         auto* form = static_cast<TSafeguardCtrlForm*>(f);
         TestKit::Click(form->ckRising);
         TestKit::Click(form->btnSet);
       },
       kSafeguard + "1.0=INTEGER:80"},
  };
  for (const TRefusal& t : forms) {
    SCOPED_TRACE(t.Name);
    for (const std::string& command : t.Seed) Control(command);
    const std::size_t before = SetLines().size();
    form_.reset(t.Open());
    TEdit* edit = t.Edit(form_.get());
    ASSERT_EQ(edit->Text(), t.Device);
    Retype(edit, t.Passing);  // passes, then is abandoned for a read
    Leave(edit);
    t.Refresh(form_.get());
    ASSERT_EQ(edit->Text(), t.Device);
    {
      TestKit::DialogScript boxes;
      boxes.Expect(t.Message);
      Retype(edit, t.Refused);
      Leave(edit);
    }
    EXPECT_EQ(edit->Text(), t.Device);
    t.Write(form_.get());
    const std::vector<std::string> sets = SetLines();
    ASSERT_EQ(sets.size(), before + 1);
    EXPECT_TRUE(Has(sets.back(), t.Sent)) << sets.back();
    form_.reset();
  }
}

}  // namespace
