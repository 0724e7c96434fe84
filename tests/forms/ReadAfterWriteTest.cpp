// Forms that write and then read their list, against the simulated switch
// behind a relay that delays, drops or loses datagrams: once the form is
// idle its list shows what the switch holds, so that the next Set, with
// nothing changed, leaves the switch as it is. A write whose answer is lost
// although the switch applied it has the list read again as well.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "PagesTestSupport.h"
#include "catalogue/DeviceMib.h"
#include "forms/acl/EthernetInformationRuleUnit.h"
#include "forms/common/FeatureForm.h"
#include "forms/security/BOOTCtrlTableFormUnit.h"
#include "forms/switching/IGMPMulticastVlanUnit.h"
#include "forms/switching/UnicastFilterInformationFormUnit.h"
#include "forms/switching/VlanStaticFormUnit.h"
#include "forms/switching/dot3PauseFormUnit.h"
#include "library/VnErrors.h"
#include "library/VnSNMPConnection.h"
#include "library/VnSNMPRequest2Edits.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "pages/StackingPortUitFormUnit.h"
#include "platform/Buttons.h"
#include "platform/Classes.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "platform/TestKit.h"
#include "support/UdpRelay.h"

namespace {

const std::string kVlanEgress = "1.3.6.1.2.1.17.7.1.4.3.1.2.1";
const std::string kMulticastVlan = "1.3.6.1.4.1.171.12.64.3.1.1";
const std::string kRelayState = "1.3.6.1.4.1.171.11.101.1.2.8.7.1.3.6.83.121.115.116.101.109.";
const std::string kUnicast = "1.3.6.1.2.1.17.7.1.3.1.1.4.1.0.10.94.88.16.";
const std::string kPauseMode = "1.3.6.1.2.1.10.7.10.1.1.4";

TCheckBox* Port(TStackingPortUitForm* frame, int port) {
  return static_cast<TCheckBox*>(frame->PortCheckBoxes->Items(port - 1));
}

// The list's cell of the row whose first cell is `key`, in the column of
// that caption; "(no row)" when no row has the key.
std::string Cell(TListView* list, const std::string& key, const char* column) {
  int c = 0;
  while (c < list->Columns()->Count() && list->Columns()->Items(c)->Caption() != column) ++c;
  for (int r = 0; r < list->Items()->Count(); ++r)
    if (ListCellText(list, r, 0) == key.c_str()) return ListCellText(list, r, c).str();
  return "(no row)";
}

// A hex value as the switch or a list shows it, in one spelling.
std::string Hex(std::string text) {
  if (text.rfind("Hex-STRING:", 0) == 0) text.erase(0, 11);
  text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
  for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return text;
}

std::string Present(const std::string& value) {
  return value == "noSuchInstance" ? "(no row)" : "present";
}

// What the relay does while a form writes.
vntest::UdpRelay::Rule FirstSet(bool drop) {
  return [drop, seen = false](const vntest::RelayedDatagram& d) mutable {
    vntest::Fate fate;
    if (d.to_agent && d.pdu == vntest::kSet && !seen) {
      seen = true;
      fate.drop = drop;
      fate.delay_ms = drop ? 0 : 300;
    }
    return fate;
  };
}

// A fifth of the datagrams lost, at most one of each exchange, so that every
// exchange completes with its one retry.
vntest::UdpRelay::Rule RandomLoss(unsigned seed) {
  return [random = std::mt19937(seed),
          lost = std::set<long>()](const vntest::RelayedDatagram& d) mutable {
    vntest::Fate fate;
    fate.drop = std::bernoulli_distribution(0.2)(random) && lost.insert(d.request_id).second;
    return fate;
  };
}

// The answers to the SETs lost, both tries: the switch applies the write
// and the form's request times out.
vntest::UdpRelay::Rule SetAnswersLost() {
  return [sets = std::set<long>()](const vntest::RelayedDatagram& d) mutable {
    if (d.to_agent && d.pdu == vntest::kSet) sets.insert(d.request_id);
    vntest::Fate fate;
    fate.drop = !d.to_agent && sets.count(d.request_id) > 0;
    return fate;
  };
}

// One form: the switch's rows, how it opens and when it is idle, the write
// the user makes, the same write again with nothing changed (none after a
// delete), and the written value as the list shows it and as the switch
// holds it, spelled alike.
struct Family {
  const char* Name;
  std::vector<std::string> Seed;
  std::function<TForm*()> Open;
  std::function<bool(TForm*)> Idle;
  std::function<void(TForm*)> Write;
  std::function<void(TForm*)> WriteAgain;
  std::function<std::string(TForm*)> Listed;
  std::function<std::string()> Held;
  // The form's Stop button and its list (null: it has no Stop).
  std::function<TButton*(TForm*)> StopButton = nullptr;
  std::function<TListView*(TForm*)> List = nullptr;
};

void PrintTo(const Family& f, std::ostream* out) { *out << f.Name; }

class ReadAfterWrite : public PagesDeviceTest, public ::testing::WithParamInterface<Family> {
 public:
  static std::vector<Family> Families();

 protected:
  void SetUp() override {
    PagesDeviceTest::SetUp();
    ConnectionDefaults.Device.Port = static_cast<std::uint16_t>(relay_.Port());
    g_SnmpTimeout = 50;  // a lost datagram costs half a second; one held 300 ms no retry
  }
  static void WaitFor(const Family& f, TForm* form) {
    ASSERT_TRUE(PumpUntil([&] { return f.Idle(form); }, 30000));
  }

  vntest::UdpRelay relay_{Sim().Port()};
};

std::vector<Family> ReadAfterWrite::Families() {
  return {
      {"VlanStatic",
       {},
       [] { return Shown<TVlanStaticForm>(); },
       [](TForm* f) {
         auto* form = As<TVlanStaticForm>(f);
         return !form->Request->Busy && !form->NextFreeRequest->Busy;
       },
       [](TForm* f) {
         auto* form = As<TVlanStaticForm>(f);
         TestKit::ClickRow(form->LV_dot1qVlanStaticEntry, 0);
         Port(form->EgressPortFrame, 10)->SetChecked(false);
         TestKit::Click(form->SetBtn);
       },
       [](TForm* f) {
         auto* form = As<TVlanStaticForm>(f);
         TestKit::ClickRow(form->LV_dot1qVlanStaticEntry, 0);
         TestKit::Click(form->SetBtn);
       },
       [](TForm* f) {
         return Hex(Cell(As<TVlanStaticForm>(f)->LV_dot1qVlanStaticEntry, "1", "Egress Ports"));
       },
       [] { return Hex(Value(kVlanEgress)); },
       [](TForm* f) { return As<TVlanStaticForm>(f)->btnStop; },
       [](TForm* f) { return As<TVlanStaticForm>(f)->LV_dot1qVlanStaticEntry; }},
      {"IgmpMulticastVlan",
       {"set " + kMulticastVlan + ".2.1 s mvlan1", "set " + kMulticastVlan + ".3.1 x 40000000",
        "set " + kMulticastVlan + ".4.1 x 00000000", "set " + kMulticastVlan + ".5.1 x 00000000"},
       [] { return Shown<TIGMPMulticastVlanForm>(); },
       [](TForm* f) {
         auto* form = As<TIGMPMulticastVlanForm>(f);
         return !form->Request->Busy;
       },
       [](TForm* f) {
         auto* form = As<TIGMPMulticastVlanForm>(f);
         TestKit::ClickRow(form->LV_IGMPMulticastVlanEntry, 0);
         Port(form->SourcePortFrame, 3)->SetChecked(true);
         TestKit::Click(form->btnSet);
       },
       [](TForm* f) {
         auto* form = As<TIGMPMulticastVlanForm>(f);
         TestKit::ClickRow(form->LV_IGMPMulticastVlanEntry, 0);
         TestKit::Click(form->btnSet);
       },
       [](TForm* f) {
         return Hex(
             Cell(As<TIGMPMulticastVlanForm>(f)->LV_IGMPMulticastVlanEntry, "1", "Source Port"));
       },
       [] { return Hex(Value(kMulticastVlan + ".3.1")); }},
      {"DhcpRelayDelete",
       {},
       [] { return Shown<TBOOTCtrlTableForm>(); },
       [](TForm* f) {
         auto* form = As<TBOOTCtrlTableForm>(f);
         return !form->Request->Busy;
       },
       [](TForm* f) {
         auto* form = As<TBOOTCtrlTableForm>(f);
         TestKit::ClickRow(form->ListView1, 1);
         TestKit::Click(form->DeleteBtn);
       },
       nullptr,
       [](TForm* f) {
         TListView* list = As<TBOOTCtrlTableForm>(f)->ListView1;
         for (int r = 0; r < list->Items()->Count(); ++r)
           if (ListCellText(list, r, 1) == "10.90.90.6") return std::string("present");
         return std::string("(no row)");
       },
       [] { return Present(Value(kRelayState + "10.90.90.6")); },
       [](TForm* f) { return As<TBOOTCtrlTableForm>(f)->btnStop; },
       [](TForm* f) { return As<TBOOTCtrlTableForm>(f)->ListView1; }},
      {"UnicastFilterDelete",
       {"set " + kUnicast + "32.0 i 3"},
       [] { return Shown<TUnicastFilterInformationForm>(); },
       [](TForm* f) { return !As<TUnicastFilterInformationForm>(f)->Request->Busy; },
       [](TForm* f) {
         auto* form = As<TUnicastFilterInformationForm>(f);
         TestKit::ClickRow(form->LV_dot1qStaticUnicastEntry, 0);
         TestKit::Click(form->DeleteBtn);
       },
       nullptr,
       [](TForm* f) {
         TListView* list = As<TUnicastFilterInformationForm>(f)->LV_dot1qStaticUnicastEntry;
         for (int r = 0; r < list->Items()->Count(); ++r)
           if (Hex(ListCellText(list, r, 1).str()) == "000A5E581010") return std::string("present");
         return std::string("(no row)");
       },
       [] { return Present(Value(kUnicast + "16.0")); }},
      {"Dot3Pause",
       {"set " + kPauseMode + " i 4"},
       [] { return Shown<Tdot3PauseForm>(); },
       [](TForm* f) {
         auto* form = As<Tdot3PauseForm>(f);
         return !form->Request->Busy && !form->CounterRequest->Busy;
       },
       [](TForm* f) {
         auto* form = As<Tdot3PauseForm>(f);
         TestKit::ClickRow(form->ListView1, 3);
         ASSERT_TRUE(SelectComboText(form->cbxAdminMode, "disabled"));
         TestKit::Click(form->btnSet);
       },
       [](TForm* f) {
         auto* form = As<Tdot3PauseForm>(f);
         TestKit::ClickRow(form->ListView1, 3);
         TestKit::Click(form->btnSet);
       },
       [](TForm* f) { return ListCellText(As<Tdot3PauseForm>(f)->ListView1, 3, 1).str(); },
       [] {
         const std::string v = Value(kPauseMode);
         return v == "INTEGER:1" ? "disabled" : v == "INTEGER:4" ? "enabledXmitAndRcv" : v;
       },
       [](TForm* f) { return As<Tdot3PauseForm>(f)->btnStop; },
       [](TForm* f) { return As<Tdot3PauseForm>(f)->ListView1; }},
  };
}

// The first SET held 300 ms in the network or lost (its retry goes), or a
// fifth of the datagrams lost over several runs, or the user's Stop while
// the first SET is held: once the form is idle, the list shows what the
// switch holds, a second Set with nothing changed writes that back, and the
// form closes.
TEST_P(ReadAfterWrite, OnceIdleTheListShowsWhatTheSwitchHolds) {
  const Family& f = GetParam();
  const struct {
    std::string name;
    vntest::UdpRelay::Rule rule;
    bool stop = false;
  } disturbances[] = {
      {"the first SET held 300 ms", FirstSet(false)},
      {"the first SET lost", FirstSet(true)},
      {"a fifth lost, seed 1", RandomLoss(1)},
      {"a fifth lost, seed 2", RandomLoss(2)},
      {"a fifth lost, seed 3", RandomLoss(3)},
      {"Stop while the first SET is held", FirstSet(false), true},
  };
  for (const auto& d : disturbances) {
    SCOPED_TRACE(d.name);
    if (d.stop && !f.StopButton) continue;
    Control("reset");
    for (const std::string& command : f.Seed) Control(command);
    relay_.SetRule(nullptr);
    TForm* form = f.Open();
    WaitFor(f, form);
    const std::string before = f.Held();
    const int rows = f.List ? f.List(form)->Items()->Count() : 0;
    relay_.SetRule(d.rule);
    // Stop is pressed while the SET is held, whether or not the form waits
    // for its answer.
    TTimer stop(nullptr);
    stop.SetInterval(100);
    stop.OnTimer = [&](TObject*) {
      stop.SetEnabled(false);
      TestKit::Click(f.StopButton(form));
    };
    stop.SetEnabled(d.stop);
    f.Write(form);
    WaitFor(f, form);
    if (d.stop) {
      EXPECT_FALSE(stop.Enabled());
      EXPECT_GE(f.List(form)->Items()->Count(), rows - 1);  // a deleted row at most
    }
    EXPECT_NE(f.Held(), before);  // the write reached the switch
    EXPECT_EQ(f.Listed(form), f.Held());
    if (f.WriteAgain) {
      const std::string held = f.Held();
      f.WriteAgain(form);
      WaitFor(f, form);
      EXPECT_EQ(f.Held(), held);
      EXPECT_EQ(f.Listed(form), held);
    }
    relay_.SetRule(nullptr);
    EXPECT_TRUE(form->CloseQuery());
    form->Close();
    delete form;
  }
}

INSTANTIATE_TEST_SUITE_P(Forms, ReadAfterWrite, ::testing::ValuesIn(ReadAfterWrite::Families()),
                         [](const auto& param) { return std::string(param.param.Name); });

// Answers the boxes as expected, each once the loop has run while it was up
// for as long as `until` asks, as a modal box's own loop runs.
class BoxesThatWait : public TestKit::DialogScript {
 public:
  explicit BoxesThatWait(std::function<bool()> until) : until_(std::move(until)) {}
  int Show(const TDialogRequest& request) override {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!until_() && std::chrono::steady_clock::now() < deadline) {
      Application->ProcessMessages();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(until_());
    return DialogScript::Show(request);
  }

 private:
  std::function<bool()> until_;
};

class LostAnswer : public ReadAfterWrite {};

// The answers to a write are lost, though the switch applied it: the form
// reports the time-out, and its list, read again, shows the new value; the
// fields the user typed keep their text, and the failure stays the last
// status line.
TEST_F(LostAnswer, TheListIsReadAgainAndShowsWhatTheSwitchHolds) {
  const std::string timedOut = ErrorText(VNERR_TIMEOUT).str();
  {
    SCOPED_TRACE("Ethernet rule, Check All");
    const std::string column = "1.3.6.1.4.1.171.12.9.3.1.1.6.1.1";
    std::unique_ptr<TEthernetInformationRuleForm> form(Shown<TEthernetInformationRuleForm>());
    ASSERT_TRUE(WaitIdle(*form->Request));
    TestKit::ClickRow(form->ListView1, 0);
    TestKit::Click(form->AddCheckButton);
    const std::vector<std::pair<TEdit*, const char*>> typed = {
        {form->VlanRuleEdit, "default"},
        {form->SourceMACEdit, "000000000001"},
        {form->DestMACEdit, "000000000002"},
        {form->IEEE8021pEdit, "5"},
        {form->EthTypeEdit, "0800"},
        {form->PriorityEdit, "3"},
        {form->RxRateEdit, "64"}};
    for (const auto& [edit, text] : typed) edit->SetText(text);
    Port(form->PortFrame, 1)->SetChecked(true);
    relay_.SetRule(SetAnswersLost());
    TestKit::Click(form->EditButton);
    ASSERT_TRUE(WaitIdle(*form->Request));
    relay_.SetRule(nullptr);
    EXPECT_EQ(Value(column), "INTEGER:5");
    EXPECT_EQ(Cell(form->ListView1, "1", "Rule 802.1P"), "5");
    const std::string status = form->StatusBar1->DisplayedText().str();
    EXPECT_NE(status.find(timedOut), std::string::npos) << status;
    form->Hide();
  }
  {
    SCOPED_TRACE("Trust Host, Add");
    enum { kIndex, kAddress, kStatus, kMask };
    const std::string host = "1.3.6.1.4.1.171.12.1.2.10.1.1.";
    Page page = MakeListPage(TrustHostTableVars, VnItemType::MVT_UMV, 1, kStatus, "createAndGo",
                             kStatus, "destroy");
    TestKit::ShowAndActivate(page.Form);
    ASSERT_TRUE(PumpUntil([&] { return page.Form->CurrentRequest() != nullptr; }));
    ASSERT_TRUE(WaitIdle(*page.Request));
    TEditsPanel* rows = page.List->EditsPanel;
    TListView* list = page.List->ListViewPanel->ListView;
    auto edit = [rows](int row) { return dynamic_cast<TEdit*>(rows->Row(row).EditCtrl); };
    relay_.SetRule(SetAnswersLost());
    TestKit::OnNextModal<TForm>([&](TForm* dialog) {
      edit(kIndex)->SetText("7");
      edit(kAddress)->SetText("10.7.7.7");
      rows->Row(kAddress).CheckBox->SetChecked(true);
      {
        // The list behind the dialog is read again while the box is up.
        BoxesThatWait boxes([&] {
          return !page.Request->Busy && Cell(list, "7", "Trust Host IP Address") != "(no row)";
        });
        boxes.Expect(timedOut);
        TestKit::Click(FrameOf(dialog)->BtnPanel->SetBtn);
      }
      EXPECT_EQ(edit(kAddress)->Text(), "10.7.7.7");
      EXPECT_EQ(Cell(list, "7", "Trust Host IP Address"), "10.7.7.7");
      EXPECT_EQ(Cell(list, "7", "Trust Host IP Subnet Mask"), Value(host + "4.7").substr(10));
      const std::string memo = MemoText(page.List->StatusPanel()->Memo);
      EXPECT_NE(memo.rfind(timedOut), std::string::npos) << memo;
      EXPECT_EQ(memo.find("Ok!", memo.rfind(timedOut)), std::string::npos) << memo;
      TestKit::Click(FrameOf(dialog)->BtnPanel->CloseBtn);
    });
    TestKit::Click(page.List->BtnPanel->AddBtn);
    relay_.SetRule(nullptr);
    EXPECT_EQ(Value(host + "2.7"), "IpAddress:10.7.7.7");
    page.Form->Close();
    delete page.Form;
  }
}

}  // namespace
