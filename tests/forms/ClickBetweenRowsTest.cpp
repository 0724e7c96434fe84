// A click made while a walk delivers its rows, under a real pointer on an X
// server of the test's own, against a slow simulated switch: the dialog or
// box it opens holds neither the walk nor the other requests. The clicks are
// queued for the program before the walk's first reply is let go, and the
// event processor then runs that reply itself, so that the clicks are there
// while its completion runs (and pumps messages, where it does).
#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ListOnScreen.h"
#include "PagesTestSupport.h"
#include "catalogue/DeviceMib.h"
#include "forms/common/FeatureForm.h"
#include "forms/switching/PortTrunk.h"
#include "forms/system/LogHostEditUnit.h"
#include "forms/system/SystemLogHostUnit.h"
#include "library/VnSNMPLedColorMapList.h"
#include "library/VnSNMPRequest.h"
#include "library/VnSNMPRequest2Edits.h"
#include "library/VnSNMPRequest2Leds.h"
#include "library/VnSNMPSession.h"
#include "pages/DeviceAddress.h"
#include "pages/GUIConfigForm.h"
#include "pages/GUIGenerator.h"
#include "platform/Buttons.h"
#include "platform/ComCtrls.h"
#include "platform/EventLoop.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "support/OnOwnXServer.h"
#include "support/TestSupport.h"
#include "support/XInput.h"

namespace {

using namespace listscreen;
using Clock = std::chrono::steady_clock;

constexpr const char* kLogHost = "1.3.6.1.4.1.171.12.12.2.1";
constexpr const char* kTrustHost = "1.3.6.1.4.1.171.12.1.2.10.1.1";
constexpr const char* kTrunk = "1.3.6.1.4.1.171.11.101.1.2.9.3.1";
constexpr const char* kLedStatus = "1.3.6.1.4.1.171.11.101.1.2.1.1.4";

std::string Col(const char* table, int column, int row) {
  return std::string(table) + "." + std::to_string(column) + "." + std::to_string(row);
}

// A click at the middle of a control, or on a list's row, as xdotool words.
std::vector<std::string> ClickOn(const Step& move) {
  std::vector<std::string> words = move;
  words.insert(words.end(), {"click", "1"});
  return words;
}
std::vector<std::string> Then(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
Step Middle(TControl* c) { return OnControl(c, c->Width() / 2, c->Height() / 2); }

// Every box is answered OK, after `shown` runs; each is noted with the rows
// the list had then and when it came.
class BoxWatch : public IDialogService {
 public:
  explicit BoxWatch(const TListView* list, std::function<void()> shown = nullptr)
      : list_(list), shown_(std::move(shown)), previous_(SetDialogService(this)) {}
  ~BoxWatch() override { SetDialogService(previous_); }
  BoxWatch(const BoxWatch&) = delete;
  BoxWatch& operator=(const BoxWatch&) = delete;
  int Show(const TDialogRequest& r) override {
    boxes.push_back({r.text.str(), list_->Items()->Count(), Clock::now()});
    if (shown_) shown_();
    return mrOk;
  }
  struct Box {
    std::string text;
    int rows;
    Clock::time_point at;
  };
  std::vector<Box> boxes;

 private:
  const TListView* list_;
  std::function<void()> shown_;
  IDialogService* previous_;
};

class ClickBetweenRows : public vntest::OnOwnXServer<PagesDeviceTest> {
 protected:
  void TearDown() override {
    SystemLogHostForm = nullptr;
    delete form_;
    form_ = nullptr;
    Control("delay 0");
    OnOwnXServer::TearDown();
  }
  template <class T>
  T* Show() {
    T* f = Shown<T>();
    form_ = f;
    return f;
  }
  // `send` sends a request (Refresh: the walk's first step) while the
  // switch keeps its replies; the pointer makes `clicks` meanwhile (the
  // program runs nothing, so they wait in its queue); then the reply comes
  // and the event processor takes it: its completion (the walk's first row)
  // runs with the clicks there.
  void ClicksBeforeTheReply(const std::function<void()>& send,
                            const std::vector<std::string>& clicks) {
    Control("hold");
    send();
    ASSERT_TRUE(vntest::XDoTool(clicks));
    Control("release");
    pollfd socket{g_SnmpEventProcessor.Notifier()->Socket(), POLLIN, 0};
    ASSERT_EQ(poll(&socket, 1, 5000), 1);
    g_SnmpEventProcessor.OnTimer(nullptr);
  }
  int LedReadings() const {
    int n = 0;
    for (const std::string& line : NewLog())
      n += line.find("\tGET\t") != std::string::npos &&
           line.find(std::string(kLedStatus) + ".0=") != std::string::npos;
    return n;
  }

  TForm* form_ = nullptr;
};

constexpr VnSNMPVarDesc kLedTable[] = {
    {kLedStatus, "Led", SNMP_SYNTAX_OCTETSTR, SNMP_ACCESS_READONLY, nullptr, nullptr, nullptr,
     nullptr, nullptr, nullptr},
    {},
};

// The front panel's kind of poll: one LED read every 100 ms.
class LedPoll {
 public:
  explicit LedPoll(TForm* host) : leds_(host) {
    panel_ = new TPanel(host);
    panel_->SetParent(host);
    panel_->SetBounds(0, 0, 40, 10);
    leds_.Request.VarList = VnSNMPVarList(kLedTable, VnItemType::MVT_SV, 0);
    leds_.Request.VarList.InstanceSuffix = "0";
    leds_.AddLeds(0, "0", &map_, panel_, 0, 1, stRectangle, 8, 8);
    leds_.StartPolling(10);
  }
  ~LedPoll() { leds_.StopPolling(); }

 private:
  static constexpr VnLedColorPair kPairs[] = {{0, 0x808080}, {0, kNoLedColor}};
  VnSNMPLedColorMapList map_{kPairs, 0xFF, 0, 0x808080, 0x808080};
  TPanel* panel_;
  VnSNMPRequest2Leds leds_;
};

// A completion that lets the loop run itself, not in a walk's row: a click
// made meanwhile waits until the completion has returned.
TEST_F(ClickBetweenRows, AClickMadeWhileACompletionPumpsWaitsForItsReturn) {
  form_ = new TForm(Application);
  form_->SetBounds(20, 20, 200, 80);
  auto* button = new TButton(form_);
  button->SetParent(form_);
  button->SetBounds(10, 10, 75, 25);
  bool inside = false;
  std::vector<bool> clicks;
  button->OnClick = [&](TObject*) { clicks.push_back(inside); };
  TestKit::ShowAndActivate(form_);
  Settle();
  VnSNMPRequest request;
  request.VarList = VnSNMPVarList(kLedTable, VnItemType::MVT_SV, 0);
  request.VarList.InstanceSuffix = "0";
  const VnSNMPCompletion pumps = [&](VnSNMPError&, VnSNMPVarList&) {
    inside = true;
    for (int i = 0; i < 20; ++i) Application->ProcessMessages();
    inside = false;
  };
  ClicksBeforeTheReply([&] { request.SendGetAsync(pumps, VnReadFrom::Start); },
                       ClickOn(Middle(button)));
  ASSERT_TRUE(PumpUntil([&] { return !clicks.empty(); }));
  EXPECT_EQ(clicks, std::vector<bool>{false});
}

// Row 1 and Edit clicked while the hosts are read: the dialog opens with the
// walk under way, which still lists every host, the LEDs are still read, and
// the dialog's Set, once the list is whole, is sent and answered.
TEST_F(ClickBetweenRows, ADialogOpenedBetweenRowsLetsTheWalkAndTheLedsGoOn) {
  for (int row = 3; row <= 6; ++row) {
    Control("set " + Col(kLogHost, 2, row) + " a 10.1.1." + std::to_string(row));
    Control("set " + Col(kLogHost, 5, row) + " i 514");
  }
  DeviceAddress = "127.0.0.1";
  auto* f = Show<TSystemLogHostForm>();
  SystemLogHostForm = f;  // as its menu opener keeps it
  TListView* list = f->ListView1;
  ASSERT_TRUE(PumpUntil([&] { return !f->Request->Busy && list->Items()->Count() == 6; }));
  Settle();
  LedPoll leds(f);
  Control("delay 100");

  int rowsAtOpen = -1;
  bool whole = false;
  int ledsWhileOpen = 0;
  TestKit::OnNextModal<TLogHostEditForm>([&](TLogHostEditForm* d) {
    rowsAtOpen = list->Items()->Count();
    const int ledsAtOpen = LedReadings();
    whole = PumpUntil([&] { return !f->Request->Busy && list->Items()->Count() == 6; }, 4000);
    PumpUntil([&] { return LedReadings() >= ledsAtOpen + 3; }, 3000);
    ledsWhileOpen = LedReadings() - ledsAtOpen;
    SelectComboText(d->FacComboBox, "local7");
    TestKit::Click(d->SetButton);
    if (d->Visible()) d->Close();  // the Set was refused
  });
  ClicksBeforeTheReply([f] { TestKit::Click(f->GetButton); },
                       Then(ClickOn(OnRow(list, 0)), ClickOn(Middle(f->EditButton))));
  ASSERT_TRUE(PumpUntil([] { return TestKit::PendingModalScripts() == 0; }));
  EXPECT_LT(rowsAtOpen, 6) << "the dialog opened after the walk";
  EXPECT_TRUE(whole) << list->Items()->Count() << " rows";
  EXPECT_GE(ledsWhileOpen, 3);
  EXPECT_TRUE(PumpUntil([&] { return !f->Request->Busy; }));
  EXPECT_EQ(Value(Col(kLogHost, 3, 1)), "INTEGER:7") << MemoText(f->Memo1);
  EXPECT_NE(MemoText(f->Memo1).find("Set: Ok!"), std::string::npos) << MemoText(f->Memo1);
}

// Row 1 and Delete clicked while the trust hosts are read: the walk's reply
// that came meanwhile ends it at once (no second of waiting, no step asked
// again), and the row goes. The switch answers at once from the confirmation
// on: the Delete's own write and read take no time worth counting.
TEST_F(ClickBetweenRows, ADeleteBetweenRowsTakesTheReplyThatCame) {
  for (int row = 2; row <= 8; ++row) {
    Control("set " + Col(kTrustHost, 2, row) + " a 10.90.90." + std::to_string(row));
    Control("set " + Col(kTrustHost, 3, row) + " i 1");
  }
  Page page =
      MakeListPage(TrustHostTableVars, VnItemType::MVT_UMV, 1, 2, "createAndGo", 2, "destroy");
  form_ = page.Form;
  page.Form->SetCaption("Trust Host Table : 127.0.0.1");
  TestKit::ShowAndActivate(page.Form);
  TListView* list = page.List->ListViewPanel->ListView;
  ASSERT_TRUE(PumpUntil([&] { return page.Form->CurrentRequest() != nullptr; }));
  ASSERT_TRUE(PumpUntil([&] { return !page.Request->Busy && list->Items()->Count() == 8; }));
  Settle();
  Control("delay 150");

  const std::size_t mark = NewLog().size();
  BoxWatch boxes(list, [] { Control("delay 0"); });
  TBitBtn* del = page.List->BtnPanel->DeleteBtn;
  ClicksBeforeTheReply([&] { TestKit::Click(page.List->BtnPanel->RefreshBtn); },
                       Then(ClickOn(OnRow(list, 0)), ClickOn(Middle(del))));
  ASSERT_TRUE(PumpUntil([&] { return !SetLines().empty(); }));
  const auto deleted = Clock::now();
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Are you sure to delete it?");
  EXPECT_LT(deleted - boxes.boxes[0].at, std::chrono::milliseconds(1000));
  EXPECT_NE(SetLines()[0].find(Col(kTrustHost, 3, 1) + "=INTEGER:6"), std::string::npos)
      << SetLines()[0];
  std::multiset<std::string> steps;
  const std::vector<std::string> log = NewLog();
  for (std::size_t i = mark; i < log.size() && log[i].find("\tSET\t") == std::string::npos; ++i)
    steps.insert(log[i]);
  for (const std::string& step : steps) EXPECT_EQ(steps.count(step), 1u) << step;
  EXPECT_TRUE(PumpUntil([&] { return !page.Request->Busy && list->Items()->Count() == 7; }));
}

// Refresh and then Add clicked at once on the port trunk form, whose walk
// runs inside the click: the box Add raises comes when the walk has listed
// every group.
TEST_F(ClickBetweenRows, ABoxRaisedBetweenRowsOfASynchronousWalkComesAfterIt) {
  for (int row = 2; row <= 6; ++row) {
    Control("set " + Col(kTrunk, 3, row) + " i " + std::to_string(row + 2));
    Control("set " + Col(kTrunk, 4, row) + " x 60000000");
    Control("set " + Col(kTrunk, 7, row) + " i 1");
  }
  auto* f = Show<TPortTrunkForm>();
  ASSERT_EQ(f->LV_PortTrunk->Items()->Count(), 6);
  Settle();
  BoxWatch boxes(f->LV_PortTrunk);
  ASSERT_TRUE(vntest::XDoTool(Then(ClickOn(Middle(f->BT_Get)), ClickOn(Middle(f->BT_Set)))));
  ASSERT_TRUE(PumpUntil([&] { return !boxes.boxes.empty(); }));
  EXPECT_EQ(boxes.boxes[0].text, "The index should not be empty.");
  EXPECT_EQ(boxes.boxes[0].rows, 6);
}

}  // namespace
