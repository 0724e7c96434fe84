// A list view filled by table walks against the simulated switch:
// synchronous and asynchronous walks, hidden columns, a selected row in the
// bound edits, the controls disabled until a selection, a walk stopped by
// clearing Active, a walk broken by an exception, and a Set from a row.
#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "SimulatorFixture.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/EventLoop.h"
#include "platform/InputHold.h"
#include "platform/StdCtrls.h"

namespace {

using namespace simdesc;

// A request that can stop or break its walk at a chosen row.
class WalkEdits : public VnSNMPRequest2Edits {
 public:
  using VnSNMPRequest2Edits::VnSNMPRequest2Edits;
  int rows = 0, ends = 0;
  int stopAtRow = 0;   // clears Active after this row
  int throwAtRow = 0;  // raises in this row
  // Runs after each row is shown, with the rows so far; may destroy this
  // request.
  std::function<void(int)> afterRow;
  // Runs before each row is shown, with the rows so far, this one counted.
  std::function<void(int)> beforeRow;

 protected:
  void DoGetRow() override {
    ++rows;
    if (rows == throwAtRow) throw Exception("row refused");
    if (beforeRow) beforeRow(rows);
    VnSNMPRequest2Edits::DoGetRow();
    if (rows == stopAtRow) Request.Active = false;
    if (const std::function<void(int)> hook = afterRow) hook(rows);  // nothing after it
  }
  void DoGetEnd() override {
    ++ends;
    VnSNMPRequest2Edits::DoGetEnd();
  }
};

class ListViewWalk : public SimulatorTest {
 protected:
  void SetUp() override {
    SimulatorTest::SetUp();
    for (int vlan : {10, 20}) {
      const std::string id = std::to_string(vlan);
      Control("set 1.3.6.1.2.1.17.7.1.4.3.1.1." + id + " s vlan" + id);
      Control("set 1.3.6.1.2.1.17.7.1.4.3.1.2." + id +
              (vlan == 10 ? " x 80000000" : " x 40000000"));
      Control("set 1.3.6.1.2.1.17.7.1.4.3.1.3." + id + " x 00000000");
      Control("set 1.3.6.1.2.1.17.7.1.4.3.1.4." + id + " x 00000000");
      Control("set 1.3.6.1.2.1.17.7.1.4.3.1.5." + id + " i 1");
    }
    view = Add<TListView>(0, 200);
    view->SetBounds(0, 200, 600, 200);
    memo = Add<TMemo>(300, 0);
    request = std::make_unique<WalkEdits>(Form());
    request->Request.VarList = VnSNMPVarList(StaticVlans, VnItemType::MVT_FMV, 1);
    request->Request.VarList.Description = "Static VLANs";
    request->SetStatusMemo(memo);
    request->OnGetDone = [this](VnSNMPRequest2Controls*, const VnSNMPError& e) {
      doneNumbers.push_back(e.Number);
    };
  }
  void TearDown() override {
    request.reset();
    SimulatorTest::TearDown();
  }
  std::vector<AnsiString> Cells(int row) {
    TListItem* it = view->Items()->Item(row);
    std::vector<AnsiString> v{it->Caption()};
    for (int i = 0; i < it->SubItems()->Count(); ++i) v.push_back(it->SubItems()->Strings(i));
    return v;
  }
  // Walks that reached the table (their first step read row 1), and
  // GETNEXT exchanges, since the test began.
  int Walks() const { return Count("GETNEXT", "1.3.6.1.2.1.17.7.1.4.3.1.1.1="); }
  int Steps() const { return Count("GETNEXT", ""); }
  int Count(const char* pdu, const char* binding) const {
    int n = 0;
    for (const std::string& line : NewLogLines())
      if (line.find(pdu) != std::string::npos && line.find(binding) != std::string::npos) ++n;
    return n;
  }
  // Pumps until the list shows `rows` rows; false after 10 s.
  bool PumpUntilRows(int rows) {
    for (int i = 0; i < 10000 && view->Items()->Count() < rows; ++i) PumpFor(1);
    return view->Items()->Count() >= rows;
  }
  std::string LastLine() const {
    const int n = memo->Lines()->Count();
    return n ? memo->Lines()->Strings(n - 1).str() : std::string();
  }
  // Starts a walk whose first row comes while Active is off: no step goes
  // out ahead of that row.
  void GetWithActiveOffWhenTheFirstRowComes() {
    Control("hold");
    request->Get();
    PumpFor(50);
    request->Request.Active = false;
    Control("release");
  }
  // Pumps until `steps` GETNEXT requests since `before` have been answered
  // (or dropped); false after 2 s.
  bool PumpUntilSteps(int before, int steps) {
    for (int i = 0; i < 2000 && Steps() - before < steps; ++i) PumpFor(1);
    return Steps() - before >= steps;
  }

  TListView* view = nullptr;
  TMemo* memo = nullptr;
  std::unique_ptr<WalkEdits> request;
  std::vector<int> doneNumbers;
};

TEST_F(ListViewWalk, SynchronousWalkWithAHiddenColumn) {
  request->AsyncMode = false;
  request->Request.VarList.Item(kVlanForbidden)->Access |= SNMP_ACCESS_HIDDEN;
  request->AttachListView(view, true);
  request->Get();
  EXPECT_EQ(request->RowCount, 3u);
  ASSERT_EQ(view->Items()->Count(), 3);
  EXPECT_EQ(view->Columns()->Items(0)->Caption(), "Forbidden Egress Ports");
  EXPECT_EQ(view->Columns()->Items(0)->Width(), 0);
  EXPECT_EQ(Cells(0), (std::vector<AnsiString>{"00000000", "1", "default", "FFC00000", "FFC00000",
                                               "Active"}));
  EXPECT_EQ(Cells(2)[1], "20");
  EXPECT_EQ(LastLine().substr(0, 33), "Get: Ok! Request:Static VLANs. Re");
  EXPECT_TRUE(doneNumbers.empty());  // no events in synchronous mode
  TestKit::Grab(Form(), vntest::ArtifactsDir() + "/binding-list-view.png");
}

// A call asked for while a row is shown runs from the loop: once the row's
// completion has returned in an asynchronous walk (the loop has its turn
// then, and the row makes no pass of its own), within the row in a
// synchronous walk, with the user's input held.
TEST_F(ListViewWalk, ARowLetsTheLoopRunOnlyInASynchronousWalk) {
  request->AttachListView(view, true);
  for (const bool async : {true, false}) {
    SCOPED_TRACE(async ? "asynchronous" : "synchronous");
    struct Call {
      int askedIn;
      int ranIn = -1;  // the row shown when it ran (0: none)
      bool held = false;
    };
    std::vector<Call> calls;
    int showing = 0;
    request->beforeRow = [&](int row) {
      showing = row;
      calls.push_back({row});
      EventLoop::Current().CallSoon([&, at = calls.size() - 1] {
        calls[at].ranIn = showing;
        calls[at].held = InputHold::Active();
      });
    };
    request->afterRow = [&](int) { showing = 0; };
    request->rows = 0;
    request->AsyncMode = async;
    request->Get();
    ASSERT_TRUE(WaitIdle(*request));
    PumpFor(50);
    ASSERT_EQ(calls.size(), 3u);
    for (const Call& c : calls) {
      EXPECT_EQ(c.ranIn, async ? 0 : c.askedIn) << "asked for in row " << c.askedIn;
      EXPECT_EQ(c.held, !async) << "asked for in row " << c.askedIn;
    }
  }
}

TEST_F(ListViewWalk, AsynchronousWalkAndASelectedRowInTheEdits) {
  auto* id = Add<TEdit>();
  auto* name = Add<TEdit>(0, 30);
  auto* status = Add<TComboBox>(0, 60);
  request->AttachListView(view, true);
  request->BindEdits(kVlanId, "%u{n1x4094l4}", id);
  request->BindEdits(kVlanName, "%s{l32}", name);
  request->BindComboBox(kVlanStatus, status);
  request->Get();
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(view->Items()->Count(), 3);
  EXPECT_EQ(request->RowCount, 3u);
  EXPECT_EQ(doneNumbers, (std::vector<int>{0}));
  // Item type 2: the controls wait for a selection.
  EXPECT_FALSE(id->Enabled());
  EXPECT_FALSE(status->Enabled());
  ShowForm();
  TestKit::ClickRow(view, 1);
  EXPECT_TRUE(id->Enabled());
  EXPECT_EQ(id->Text(), "10");
  EXPECT_EQ(name->Text(), "vlan10");
  EXPECT_EQ(status->Text(), "Active");

  // A Set from the row and the edits; the table is read again afterwards.
  name->SetText("office");
  request->Request.VarList.Item(kVlanEgress)->Access |= SNMP_ACCESS_INVALID;
  request->Request.VarList.Item(kVlanForbidden)->Access |= SNMP_ACCESS_INVALID;
  request->Request.VarList.Item(kVlanUntagged)->Access |= SNMP_ACCESS_INVALID;
  request->Set(kSetFromControlsThenRead);
  ASSERT_TRUE(WaitIdle(*request));
  PumpFor(100);
  ASSERT_TRUE(WaitIdle(*request));
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find("1.3.6.1.2.1.17.7.1.4.3.1.1.10=STRING:\"office\""), std::string::npos)
      << sets[0];
  EXPECT_EQ(view->Items()->Count(), 3);
  EXPECT_EQ(Cells(1)[1], "office");
  EXPECT_EQ(doneNumbers.size(), 2u);
}

// A row's old octets are not kept behind a shorter value typed in one edit.
TEST_F(ListViewWalk, ShorterValueFromOneEditReplacesTheRowsValue) {
  request->AsyncMode = false;
  auto* egress = Add<TEdit>();
  request->AttachListView(view, false);
  request->BindEdits(kVlanEgress, "%h{l8}", egress);
  request->Get();
  view->SetItemIndex(0);
  EXPECT_EQ(egress->Text(), "FFC00000");
  egress->SetText("8000");
  for (int i : {kVlanName, kVlanForbidden, kVlanUntagged, kVlanStatus})
    request->Request.VarList.Item(i)->Access |= SNMP_ACCESS_INVALID;
  request->Set(kSetFromControls);
  const auto sets = SetLines();
  ASSERT_EQ(sets.size(), 1u);
  EXPECT_NE(sets[0].find("1.3.6.1.2.1.17.7.1.4.3.1.2.1=Hex-STRING:80 00"), std::string::npos)
      << sets[0];
  EXPECT_EQ(sets[0].find("80 00 00"), std::string::npos) << sets[0];
}

// A key edit left empty names no row: no SET goes to an instance of 0 or to
// none; the conversion error comes out of Set for the form to show.
TEST_F(ListViewWalk, AnEmptyKeyIsAConversionErrorAndNothingIsSent) {
  auto* id = Add<TEdit>();
  request->AttachListView(view, false);
  request->BindEdits(kVlanId, "%u{n1x4094l4}", id);
  for (int i : {kVlanEgress, kVlanForbidden, kVlanUntagged, kVlanStatus})
    request->Request.VarList.Item(i)->Access |= SNMP_ACCESS_INVALID;
  for (const char* key : {"", "(NULL)"}) {
    id->SetText(key);
    try {
      request->Set(kSetFromControlsThenRead);
      ADD_FAILURE() << "sent with the key " << key;
    } catch (const Exception& e) {
      EXPECT_EQ(e.HelpContext, VNERR_BAD_PART_VALUE) << key;
    }
    EXPECT_FALSE(request->Busy);
  }
  PumpFor(100);
  EXPECT_TRUE(SetLines().empty());
}

TEST_F(ListViewWalk, ClearingActiveEndsTheWalkWithOk) {
  request->AttachListView(view, false);
  request->stopAtRow = 2;
  request->Get();
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(view->Items()->Count(), 2);
  EXPECT_EQ(request->ends, 1);
  EXPECT_EQ(LastLine().substr(0, 9), "Get: Ok! ");
  EXPECT_EQ(doneNumbers, (std::vector<int>{0}));
}

// A row that switches Active off and on again leaves its walk going, and so
// does a row that switches it on after it came with Active off (its step then
// leaves after the row): the walk reads every row once and ends.
TEST_F(ListViewWalk, ARowThatSwitchesActiveOnAgainLeavesTheWalkGoing) {
  request->AttachListView(view, false);
  request->afterRow = [this](int row) {
    if (row != 1) return;
    request->Request.Active = false;
    request->Request.Active = true;
  };
  for (const bool offWhenTheRowCame : {false, true}) {
    SCOPED_TRACE(offWhenTheRowCame ? "Active off when the row came" : "Active on");
    request->rows = request->ends = 0;
    doneNumbers.clear();
    const int stepsBefore = Steps();
    if (offWhenTheRowCame)
      GetWithActiveOffWhenTheFirstRowComes();
    else
      request->Get();
    ASSERT_TRUE(WaitIdle(*request));
    PumpFor(60);
    EXPECT_EQ(request->rows, 3);
    EXPECT_EQ(request->RowCount, 3u);
    EXPECT_EQ(view->Items()->Count(), 3);
    EXPECT_EQ(request->ends, 1);
    EXPECT_EQ(doneNumbers, (std::vector<int>{0}));
    EXPECT_EQ(Steps() - stepsBefore, 4);
    EXPECT_EQ(request->Request.Outstanding, 0);
    EXPECT_EQ(LastLine().substr(0, 9), "Get: Ok! ");
  }
}

// One walk at a time, and one read after a write: Gets while the walk runs
// make one more walk after it; a Set whose table is read again, or that the
// form reads itself, is read once, and the request stays busy until that
// read ends.
TEST_F(ListViewWalk, OneWalkAtATimeAndOneReadAfterAWrite) {
  request->AttachListView(view, false);
  request->Get();
  request->Get();
  request->Get();
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(Walks(), 2);
  EXPECT_EQ(view->Items()->Count(), 3);
  EXPECT_EQ(request->ends, 2);

  std::vector<int> busyAtSetDone;
  request->OnSetDone = [&](VnSNMPRequest2Controls*, const VnSNMPError&) {
    busyAtSetDone.push_back(request->Busy);
    request->Get();  // the form's own read besides the library's
  };
  *request->Request.VarList.Item(kVlanId)->Value = "10";
  *request->Request.VarList.Item(kVlanName)->Value = "office";
  request->Set(kSetListValuesThenRead, "1");
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(SetLines().size(), 1u);
  EXPECT_EQ(Walks(), 3);
  EXPECT_EQ(Cells(1)[1], "office");

  // The form reads at once after the SET: the SET's reply does not end Busy.
  request->OnSetDone = [&](VnSNMPRequest2Controls*, const VnSNMPError&) {
    busyAtSetDone.push_back(request->Busy);
  };
  // The walk has ended every column: the items name the row anew.
  *request->Request.VarList.Item(kVlanId)->Value = "10";
  *request->Request.VarList.Item(kVlanName)->Value = "office";
  request->Set(kSetListValuesThenRead, "1");
  request->Get();
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(Walks(), 4);
  EXPECT_EQ(Steps(), 4 * 4);
  EXPECT_EQ(view->Items()->Count(), 3);
  EXPECT_EQ(busyAtSetDone, (std::vector<int>{1, 1}));
}

// A Set whose row the running walk has already passed (the form sends it
// without waiting) is read once more after that walk: the list ends showing
// the device.
TEST_F(ListViewWalk, AWriteBehindTheRunningWalkIsReadAfterIt) {
  request->AttachListView(view, false);
  Control("delay 60");
  request->Get();
  ASSERT_TRUE(PumpUntilRows(1));
  *request->Request.VarList.Item(kVlanId)->Value = "1";
  *request->Request.VarList.Item(kVlanName)->Value = "office";
  request->Set(kSetListValuesThenRead, "1");
  ASSERT_TRUE(WaitIdle(*request, 20000));
  EXPECT_EQ(SetLines().size(), 1u);
  EXPECT_EQ(Walks(), 2);
  ASSERT_EQ(view->Items()->Count(), 3);
  EXPECT_EQ(Cells(0)[1], "office");
}

// A Get asked while a walk runs is one read after that walk, whether the walk
// ends or fails; a read that the done event starts itself is that read, not
// one more.
TEST_F(ListViewWalk, AGetAskedWhileAWalkRunsIsOneReadAfterItHoweverTheWalkEnds) {
  request->AttachListView(view, false);
  bool readInDone = false;
  request->OnGetDone = [&](VnSNMPRequest2Controls*, const VnSNMPError& e) {
    doneNumbers.push_back(e.Number);
    if (std::exchange(readInDone, false)) request->Get();
  };
  for (const bool fails : {false, true}) {
    for (const bool doneReads : {false, true}) {
      SCOPED_TRACE(std::string(fails ? "failing" : "ending") + " walk, done event " +
                   (doneReads ? "reads" : "idle"));
      doneNumbers.clear();
      const int walksBefore = Walks();
      // The step from VLAN 10's row is answered with an error.
      if (fails) Control("inject getnext 1.3.6.1.2.1.17.7.1.4.3.1.1.10 genErr");
      readInDone = doneReads;
      request->Get();
      request->Get();
      ASSERT_TRUE(WaitIdle(*request));
      PumpFor(100);
      EXPECT_FALSE(request->Busy);
      EXPECT_EQ(Walks() - walksBefore, 2);
      ASSERT_EQ(doneNumbers.size(), 2u);
      EXPECT_EQ(doneNumbers[0] != VNERR_OK, fails);
      EXPECT_EQ(doneNumbers[1], VNERR_OK);
      EXPECT_EQ(view->Items()->Count(), 3);
    }
  }
}

// A SET sent while a walk runs is not one of the walk's reads: abandoning the
// walk leaves it to complete, read its table after it and end Busy.
TEST_F(ListViewWalk, ASetInFlightWhenTheWalkIsAbandonedCompletes) {
  request->AttachListView(view, false);
  std::vector<int> setDone;
  request->OnSetDone = [&](VnSNMPRequest2Controls*, const VnSNMPError& e) {
    setDone.push_back(e.Number);
  };
  Control("hold");
  request->Get();
  PumpFor(50);
  *request->Request.VarList.Item(kVlanId)->Value = "10";
  *request->Request.VarList.Item(kVlanName)->Value = "office";
  request->Set(kSetListValuesThenRead, "1");
  PumpFor(50);
  ASSERT_TRUE(request->StopReadForWrite(0));
  Control("release");
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(setDone, (std::vector<int>{VNERR_OK}));
  EXPECT_EQ(SetLines().size(), 1u);
  ASSERT_EQ(view->Items()->Count(), 3);
  EXPECT_EQ(Cells(1)[1], "office");
}

// A walk abandoned and started again before the old walk's reply comes: that
// reply is dropped before it touches the items, so the new walk reads the
// whole table.
TEST_F(ListViewWalk, AWalkRestartedBeforeTheAbandonedReplyReadsEveryRow) {
  request->AttachListView(view, false);
  Control("hold");
  request->Get();
  PumpFor(50);
  ASSERT_TRUE(request->StopReadForWrite(0));
  request->Get();
  PumpFor(50);
  Control("release");
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(request->rows, 3);
  EXPECT_EQ(view->Items()->Count(), 3);
  EXPECT_EQ(LastLine().substr(0, 9), "Get: Ok! ");
}

// A walk abandoned while its reply is held back ends at once; the late
// reply does not take it up again, though Active is set again.
TEST_F(ListViewWalk, AnAbandonedWalkStaysEnded) {
  request->AttachListView(view, false);
  Control("hold");
  request->Get();
  PumpFor(50);
  ASSERT_TRUE(request->StopReadForWrite(0));
  EXPECT_FALSE(request->Busy);
  EXPECT_EQ(request->ends, 1);
  EXPECT_EQ(doneNumbers, (std::vector<int>{0}));
  Control("release");
  PumpFor(300);
  EXPECT_EQ(request->rows, 0);
  EXPECT_EQ(Steps(), 1);
  request->Get();
  ASSERT_TRUE(WaitIdle(*request));
  EXPECT_EQ(request->rows, 3);
  EXPECT_EQ(Walks(), 2);
}

// The walk's next step goes out before its row is shown, and its reply
// waits until the row is done: each row still reads its own values after
// pumping for that reply, or after a synchronous read of another request
// has taken that reply off the socket, and no row is shown inside another.
// A walk stopped
// during the row (Active cleared, abandoned as a page stops it, abandoned
// and started again, broken by an exception, its request deleted) ends as
// it would without the step, whether the step's reply came during the row
// or comes after it: the reply is not taken, and the step is the one request
// after the stop. Deleting the request does not wait for that reply.
TEST_F(ListViewWalk, AStepSentAheadOfItsRowIsDroppedWhenTheWalkStopsInTheRow) {
  enum class Stop { None, SyncRead, ClearActive, Abandon, AbandonAndRestart, Throw, Delete };
  const struct {
    const char* name;
    Stop stop;
    bool lateReply;  // the step's reply comes after the row, else during it
    int rows;        // rows delivered, over every walk
    int listed;
    int ends;
    std::vector<int> done;
    int steps;  // GETNEXT requests on the wire
    const char* status;
    const char* id;  // the VLAN ID item at the end: the last row shown
  } cases[] = {
      // One case a line.
      // clang-format off
      {"goes on", Stop::None, false, 3, 3, 1, {0}, 4, "Get: Ok! ", "20"},
      {"goes on, late", Stop::None, true, 3, 3, 1, {0}, 4, "Get: Ok! ", "20"},
      {"goes on, sync reads", Stop::SyncRead, false, 3, 3, 1, {0}, 4, "Get: Ok! ", "20"},
      {"Active cleared", Stop::ClearActive, false, 2, 2, 1, {0}, 3, "Get: Ok! ", "10"},
      {"Active cleared, late", Stop::ClearActive, true, 2, 2, 1, {0}, 3, "Get: Ok! ", "10"},
      {"abandoned", Stop::Abandon, false, 2, 2, 1, {0}, 3, "", "10"},
      {"abandoned, late", Stop::Abandon, true, 2, 2, 1, {0}, 3, "", "10"},
      {"read again", Stop::AbandonAndRestart, false, 5, 3, 2, {0, 0}, 7, "Get: Ok! ", "20"},
      {"read again, late", Stop::AbandonAndRestart, true, 5, 3, 2, {0, 0}, 7, "Get: Ok! ", "20"},
      {"exception", Stop::Throw, false, 2, 2, 0, {}, 3, "Get: row refused Request:", "10"},
      {"exception, late", Stop::Throw, true, 2, 2, 0, {}, 3, "Get: row refused Request:", "10"},
      {"deleted", Stop::Delete, false, 2, 2, 0, {}, 3, "", nullptr},
      {"deleted, late", Stop::Delete, true, 2, 2, 0, {}, 3, "", nullptr},
      // clang-format on
  };
  const char* const ids[] = {"1", "10", "20"};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Control(c.lateReply ? "delay 40" : "delay 0");
    if (!request) {
      request = std::make_unique<WalkEdits>(Form());
      request->Request.VarList = VnSNMPVarList(StaticVlans, VnItemType::MVT_FMV, 1);
      request->Request.VarList.Description = "Static VLANs";
    }
    request->SetStatusMemo(memo);
    memo->Lines()->Clear();
    request->AttachListView(view, false);
    doneNumbers.clear();
    request->OnGetDone = [this](VnSNMPRequest2Controls*, const VnSNMPError& e) {
      doneNumbers.push_back(e.Number);
    };
    const int stepsBefore = Steps();
    const auto steps = [&] { return Steps() - stepsBefore; };
    int rows = 0, depth = 0, deepest = 0;
    bool stepAhead = true, ownValues = true;
    double deleteMs = 0;
    request->afterRow = [&](int row) {
      rows = row;
      ++depth;
      deepest = std::max(deepest, depth);
      const bool goesOn = c.stop == Stop::None || c.stop == Stop::SyncRead;
      const bool stopHere = row == 2 && !goesOn;
      if (!c.lateReply && (stopHere || goesOn)) {
        // The step is answered and its reply reaches the socket meanwhile.
        bool seen = false;
        for (int i = 0; i < 2000 && !(seen = steps() > row); ++i) PumpFor(1);
        stepAhead = stepAhead && seen;
        PumpFor(20);
        if (c.stop == Stop::SyncRead) {
          VnSNMPRequest other;
          other.VarList = VnSNMPVarList(SystemGroup, VnItemType::SVT_SV, 0);
          other.SendGet(VnReadFrom::Start);
        }
        if (row <= 3 && *request->Request.VarList.Item(kVlanId)->Value != ids[row - 1])
          ownValues = false;
      }
      --depth;
      if (!stopHere) return;
      switch (c.stop) {
        case Stop::ClearActive:
          request->Request.Active = false;
          break;
        case Stop::Abandon:
        case Stop::AbandonAndRestart:
          request->StopReadForWrite(0);
          if (c.stop == Stop::AbandonAndRestart) request->Get();
          break;
        case Stop::Throw:
          throw Exception("row refused");
        case Stop::Delete: {
          const auto start = std::chrono::steady_clock::now();
          request.reset();
          deleteMs =
              std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                  .count();
          break;
        }
        case Stop::None:
        case Stop::SyncRead:
          break;
      }
    };
    request->rows = request->ends = 0;
    request->Request.Active = true;
    request->Get();
    for (int i = 0; i < 10000 && request && request->Busy; ++i) PumpFor(1);
    ASSERT_TRUE(!request || !request->Busy);
    // A late reply is still on its way: nothing waits for it.
    EXPECT_EQ(request ? static_cast<int>(request->Request.Outstanding) : 0, 0);
    PumpFor(c.lateReply ? 120 : 60);
    EXPECT_EQ(rows, c.rows);
    EXPECT_EQ(deepest, 1);
    EXPECT_TRUE(stepAhead);
    EXPECT_TRUE(ownValues);
    EXPECT_EQ(view->Items()->Count(), c.listed);
    if (c.stop != Stop::Delete && c.rows != 2) {
      for (int r = 0; r < 3 && r < view->Items()->Count(); ++r) EXPECT_EQ(Cells(r)[0], ids[r]);
    }
    EXPECT_EQ(steps(), c.steps);
    // An empty status: no line at all (a walk stopped for a write did not
    // complete, and says nothing).
    if (*c.status)
      EXPECT_EQ(LastLine().substr(0, std::string(c.status).size()), c.status);
    else
      EXPECT_EQ(LastLine(), "");
    if (c.stop == Stop::Delete) {
      EXPECT_EQ(request, nullptr);
      EXPECT_LT(deleteMs, 1000);
      continue;
    }
    EXPECT_EQ(request->ends, c.ends);
    EXPECT_EQ(doneNumbers, c.done);
    EXPECT_FALSE(request->Busy);
    EXPECT_EQ(request->Request.Outstanding, 0);
    EXPECT_EQ(*request->Request.VarList.Item(kVlanId)->Value, c.id);
    request->afterRow = nullptr;
  }
}

// A walk stopped and started again, in a row or in the done event of the walk
// the row stopped, reads and counts its own rows only. Nothing of the old
// walk goes into it: not the step the old walk sent ahead of the row (its
// answer is dropped, and a step the agent never answers is not waited for),
// nor a step sent for the old walk after a row that came with Active off.
TEST_F(ListViewWalk, AWalkStartedAgainTakesAndCountsOnlyItsOwnRows) {
  enum class From { Row, RowWithActiveOff, DoneEvent, RowWithStepUnanswered };
  const struct {
    const char* name;
    From from;
    int oldRows;  // rows of the first walk; the last one starts the new walk
    int steps;    // GETNEXT requests, over both walks
  } cases[] = {
      {"in a row", From::Row, 2, 7},
      {"in a row that came with Active off", From::RowWithActiveOff, 1, 5},
      {"in the done event", From::DoneEvent, 2, 7},
      // Last: the step would time out in a later case.
      {"in a row whose step is never answered", From::RowWithStepUnanswered, 2, 7},
  };
  const char* const ids[] = {"1", "10", "20"};
  request->AttachListView(view, false);
  request->Request.Timeout = 300;  // how long an unanswered step stays outstanding
  request->Request.Retries = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    request->rows = request->ends = 0;
    doneNumbers.clear();
    const int stepsBefore = Steps();
    bool restartInDone = false;
    request->OnGetDone = [&](VnSNMPRequest2Controls*, const VnSNMPError& e) {
      doneNumbers.push_back(e.Number);
      if (!std::exchange(restartInDone, false)) return;
      request->Request.Active = true;
      request->Get();
    };
    request->afterRow = [&](int row) {
      // The agent drops the step sent ahead of the last old row.
      if (c.from == From::RowWithStepUnanswered && row == c.oldRows - 1) {
        ASSERT_TRUE(PumpUntilSteps(stepsBefore, c.oldRows));
        Control("drop 1");
      }
      if (row != c.oldRows) return;
      request->Request.Active = false;
      if (c.from == From::DoneEvent) {
        restartInDone = true;
        return;
      }
      request->StopReadForWrite(0);
      request->Get();
    };
    if (c.from == From::RowWithActiveOff)
      GetWithActiveOffWhenTheFirstRowComes();
    else
      request->Get();
    ASSERT_TRUE(WaitIdle(*request));
    EXPECT_EQ(request->Request.Outstanding, 0);
    PumpFor(60);
    EXPECT_EQ(request->RowCount, 3u);
    EXPECT_EQ(request->rows, c.oldRows + 3);
    ASSERT_EQ(view->Items()->Count(), 3);
    for (int r = 0; r < 3; ++r) EXPECT_EQ(Cells(r)[0], ids[r]);
    EXPECT_EQ(request->ends, 2);
    EXPECT_EQ(doneNumbers, (std::vector<int>{0, 0}));
    EXPECT_EQ(Steps() - stepsBefore, c.steps);
    EXPECT_FALSE(request->Busy);
    EXPECT_EQ(LastLine().substr(0, 9), "Get: Ok! ");
  }
}

// The next step leaves before the row's index and values are read into the
// items. A row whose index the items cannot take (the VLAN ID declared as a
// counted string: the key shows the instance's arcs) or whose value they
// cannot take (the name declared as a number: no value) stays, and the walk
// goes on to its end; it ends as a failure naming the first row and column
// it could not take, with no "Ok!".
TEST_F(ListViewWalk, ARowTheItemsCannotTakeWholeStaysAndTheWalkGoesOn) {
  const struct {
    int item;
    std::uint32_t syntax;
    const char* line;  // how the status line begins
    const char* id;    // the first row's VLAN ID cell
    const char* name;  // and its name cell
  } cases[] = {{kVlanId, SNMP_SYNTAX_OCTETSTR,
                "Get: Bad SNMP syntax! (row 1; 2 more) Request:", "1", "default"},
               {kVlanName, SNMP_SYNTAX_INTEGER, "Get: Bad SNMP syntax! (row 1, ", "1", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    std::vector<VnSNMPVarDesc> items;
    for (const VnSNMPVarDesc* d = StaticVlans; d->Oid || d->Label; ++d) items.push_back(*d);
    items[static_cast<std::size_t>(c.item)].Syntax = c.syntax;
    items.push_back({});
    request->Request.VarList = VnSNMPVarList(items.data(), VnItemType::MVT_FMV, 1);
    request->Request.VarList.Description = "Static VLANs";
    request->AttachListView(view, false);
    request->rows = 0;
    doneNumbers.clear();
    const int stepsBefore = Steps();
    request->Get();
    ASSERT_TRUE(WaitIdle(*request));
    PumpFor(60);
    EXPECT_EQ(request->rows, 3);
    ASSERT_EQ(view->Items()->Count(), 3);
    EXPECT_EQ(Cells(0)[0], c.id);
    EXPECT_EQ(Cells(0)[1], c.name);
    // A cell that shows nothing for no value gives no value back.
    view->SetItemIndex(0);
    EXPECT_EQ(*request->Request.VarList.Item(kVlanName)->Value, *c.name ? c.name : "(NULL)");
    EXPECT_EQ(doneNumbers, std::vector<int>{VNERR_BAD_SYNTAX});
    EXPECT_EQ(LastLine().rfind(c.line, 0), 0u) << LastLine();
    EXPECT_EQ(Steps() - stepsBefore, 4);
    EXPECT_EQ(request->Request.Outstanding, 0);
    EXPECT_FALSE(request->Busy);
  }
}

// A step the request cannot send (the device address has become one no
// datagram goes to) is tried again after the row it was to follow, as a walk
// that sends each step after its row would: with the address still bad the
// walk ends there with the refusal in the status line once (no end hook, no
// done event, no "Ok!"); put right in that row, the walk goes on to its end.
TEST_F(ListViewWalk, AStepThatCannotBeSentIsTriedAgainAfterItsRow) {
  request->AttachListView(view, false);
  const std::string refusal = "Get: " + ErrorText(VNERR_BAD_ADDRESS).str() + " Request:";
  for (const bool putRight : {false, true}) {
    SCOPED_TRACE(putRight ? "address put right in the row" : "address stays bad");
    request->Request.Device.Address = "127.0.0.1";
    request->rows = request->ends = 0;
    doneNumbers.clear();
    memo->Lines()->Clear();
    const int stepsBefore = Steps();
    request->afterRow = [&](int row) {
      if (row == 1) request->Request.Device.Address = "";  // the step after row 2
      if (row == 2 && putRight) request->Request.Device.Address = "127.0.0.1";
    };
    request->Get();
    ASSERT_TRUE(WaitIdle(*request));
    PumpFor(60);
    EXPECT_EQ(request->rows, putRight ? 3 : 2);
    EXPECT_EQ(view->Items()->Count(), putRight ? 3 : 2);
    EXPECT_EQ(request->ends, putRight ? 1 : 0);
    EXPECT_EQ(doneNumbers, putRight ? std::vector<int>{0} : std::vector<int>{});
    ASSERT_EQ(memo->Lines()->Count(), 1);
    if (putRight)
      EXPECT_EQ(LastLine().rfind("Get: Ok!", 0), 0u) << LastLine();
    else
      EXPECT_EQ(LastLine().rfind(refusal, 0), 0u) << LastLine();
    EXPECT_EQ(Steps() - stepsBefore, putRight ? 4 : 2);
    EXPECT_EQ(request->Request.Outstanding, 0);
  }
}

TEST_F(ListViewWalk, AnExceptionInARowStopsTheWalk) {
  request->AttachListView(view, false);
  request->throwAtRow = 2;
  request->Get();
  ASSERT_TRUE(WaitIdle(*request));
  PumpFor(100);
  EXPECT_EQ(view->Items()->Count(), 1);
  EXPECT_EQ(request->rows, 2);
  EXPECT_EQ(request->ends, 0);
  EXPECT_TRUE(doneNumbers.empty());
  EXPECT_EQ(LastLine().substr(0, 43), "Get: row refused Request:Static VLANs. Rece");
  // Without a status target the message goes to a box.
  request->StatusTarget = nullptr;
  request->rows = 0;
  TestKit::DialogScript boxes;
  boxes.Expect("row refused");
  request->Get();
  ASSERT_TRUE(WaitIdle(*request));
  // It opens once the row's completion has returned to the loop.
  for (int waited = 0; waited < 5000 && boxes.Pending() > 0; waited += 10) PumpFor(10);
}

// A form may delete its request in the done event of a Set: the walk that
// would follow does not start, and nothing touches the request any more.
TEST_F(ListViewWalk, RequestDeletedInItsSetDoneEvent) {
  request->AttachListView(view, false);
  int number = -1;
  request->OnSetDone = [this, &number](VnSNMPRequest2Controls*, const VnSNMPError& e) {
    number = e.Number;
    request.reset();
  };
  *request->Request.VarList.Item(kVlanId)->Value = "1";
  *request->Request.VarList.Item(kVlanStatus)->Value = "Active";
  request->Set(kSetListValuesThenRead, "5");
  for (int i = 0; i < 500 && request; ++i) PumpFor(2);
  EXPECT_EQ(request, nullptr);
  EXPECT_EQ(number, 0);
  PumpFor(100);
  for (const std::string& line : NewLogLines())
    EXPECT_EQ(line.find("GETNEXT"), std::string::npos) << line;
}

}  // namespace
