// A write sent while an asynchronous read of the same request is still out,
// against a slow simulated switch: the read's answer, sent before the write,
// never reaches the screen; the read is made again after the write, so that
// once the request is idle every control shows what the device holds.
#include <string>
#include <vector>

#include "SimulatorFixture.h"
#include "library/VnSNMPRequest2Edits.h"
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

namespace {

using namespace simdesc;

constexpr const char* kNameOid = "1.3.6.1.2.1.1.5.0";
constexpr const char* kLocationOid = "1.3.6.1.2.1.1.6.0";
constexpr const char* kWrongValue = "(SNMP) Cannot create/set variable, Wrong Value!";

class WriteDuringRead : public SimulatorTest {
 protected:
  std::string LastLine() const {
    const int n = memo->Lines()->Count();
    return n ? memo->Lines()->Strings(n - 1).str() : std::string();
  }
  int Count(const char* pdu) const {
    int n = 0;
    for (const std::string& line : NewLogLines())
      if (line.find(std::string("\t") + pdu + "\t") != std::string::npos) ++n;
    return n;
  }

  TMemo* memo = nullptr;
};

TEST_F(WriteDuringRead, TheReadSentBeforeTheWriteIsMadeAgainAfterIt) {
  enum class Kind { Scalars, Table };
  // What the caller does after its Set: nothing, read itself at once, or
  // read and write again (the second write stops the caller's read).
  enum class After { Nothing, Reads, ReadsAndWrites };
  const struct {
    const char* name;
    Kind kind;
    bool synchronousSet;  // as the editor page writes
    bool refused;
    After after;
    int asked;  // Gets asked while the first read runs, before the write
  } cases[] = {
      // One case a line.
      // clang-format off
      {"scalars, asynchronous SET", Kind::Scalars, false, false, After::Nothing, 0},
      {"scalars, synchronous SET", Kind::Scalars, true, false, After::Nothing, 0},
      {"scalars, asynchronous SET refused", Kind::Scalars, false, true, After::Nothing, 0},
      {"scalars, synchronous SET refused", Kind::Scalars, true, true, After::Nothing, 0},
      {"scalars, asynchronous SET, the caller reads", Kind::Scalars, false, false, After::Reads, 0},
      {"scalars, synchronous SET, the caller reads", Kind::Scalars, true, false, After::Reads, 0},
      {"scalars, asynchronous SETs around the caller's read", Kind::Scalars, false, false, After::ReadsAndWrites, 0},
      {"scalars, synchronous SETs around the caller's read", Kind::Scalars, true, false, After::ReadsAndWrites, 0},
      {"table walk, asynchronous SET", Kind::Table, false, false, After::Nothing, 0},
      {"table walk, two reads asked during it, asynchronous SET", Kind::Table, false, false, After::Nothing, 2},
      // clang-format on
  };
  memo = Add<TMemo>(300, 0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Control("reset");
    memo->Lines()->Clear();
    VnSNMPRequest2Edits request(Form());
    request.SetStatusMemo(memo);
    auto* name = Add<TEdit>(0, 0);
    auto* location = Add<TEdit>(0, 30);
    auto* list = Add<TListView>(0, 60);
    if (c.kind == Kind::Scalars) {
      request.Request.VarList = VnSNMPVarList(SystemGroup, VnItemType::SVT_SV, 0);
      request.BindEdits(kSysName, "%s", name);
      request.BindEdits(kSysLocation, "%s", location);
      Control(std::string("set ") + kNameOid + " s old");
    } else {
      request.Request.VarList = VnSNMPVarList(StaticVlans, VnItemType::MVT_FMV, 1);
      request.AttachListView(list, false);
      for (const char* vlan : {"10", "20"})
        Control(std::string("set 1.3.6.1.2.1.17.7.1.4.3.1.1.") + vlan + " s old" + vlan);
    }
    int reads = 0;
    request.OnGetDone = [&](VnSNMPRequest2Controls*, const VnSNMPError&) { ++reads; };
    std::vector<int> busyAtSetDone;
    request.OnSetDone = [&](VnSNMPRequest2Controls* r, const VnSNMPError&) {
      busyAtSetDone.push_back(r->Busy);
    };
    const int getsBefore = Count("GET") + Count("GETNEXT");
    // The device changes behind the screen; Refresh on a slow device.
    Control(std::string("set ") + kLocationOid + " s lab");
    Control("delay 150");
    request.Get();
    if (c.kind == Kind::Table) {
      for (int i = 0; i < 2000 && list->Items()->Count() < 1; ++i) PumpFor(1);
      ASSERT_EQ(list->Items()->Count(), 1);  // the next row's step is out
    } else {
      PumpFor(50);
    }
    ASSERT_TRUE(request.Busy);
    for (int k = 0; k < c.asked; ++k) request.Get();
    if (c.refused) Control("inject set 1.3.6.1.2.1.1.5 wrongValue");
    if (c.kind == Kind::Scalars) {
      name->SetText("new");
      auto write = [&] {
        request.AsyncMode = !c.synchronousSet;
        try {
          request.Set(kSetFromControls, AnsiString(kSysName));
        } catch (const Exception& e) {
          EXPECT_TRUE(c.synchronousSet && c.refused) << e.Message.str();
          request.ShowRequestStatus(e.Message);
        }
        request.AsyncMode = true;
      };
      write();
      if (c.after != After::Nothing) request.Get();
      if (c.after == After::ReadsAndWrites) write();
    } else {
      *request.Request.VarList.Item(kVlanId)->Value = "10";
      *request.Request.VarList.Item(kVlanName)->Value = "new";
      request.Set(kSetListValues, AnsiString(kVlanName));
    }
    EXPECT_TRUE(request.Busy);  // a read is still owed
    ASSERT_TRUE(WaitIdle(request));
    ASSERT_TRUE(TakeLateReplies());  // the first read's answer among them
    EXPECT_FALSE(request.Busy);
    const int writes = c.after == After::ReadsAndWrites ? 2 : 1;
    if (!c.synchronousSet) {
      EXPECT_EQ(busyAtSetDone, std::vector<int>(static_cast<std::size_t>(writes), 1));
    }

    // A stopped read ends nowhere; one read after the writes shows the
    // device: the library's, or the caller's when it reads after the last.
    // The caller's read between two synchronous writes goes out, and the
    // second write stops it; between asynchronous ones it waits for both.
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(
        Count("GET") + Count("GETNEXT") - getsBefore,
        c.kind == Kind::Table ? 6 : 2 + (c.after == After::ReadsAndWrites && c.synchronousSet));
    if (c.kind == Kind::Scalars) {
      EXPECT_EQ(Sim().Control(std::string("get ") + kNameOid),
                std::string("ok STRING:\"") + (c.refused ? "old" : "new") + "\"");
      EXPECT_EQ(name->Text(), c.refused ? "old" : "new");
      EXPECT_EQ(location->Text(), "lab");
    } else {
      ASSERT_EQ(list->Items()->Count(), 3);
      EXPECT_EQ(list->Items()->Item(1)->SubItems()->Strings(0), "new");
      EXPECT_EQ(list->Items()->Item(2)->SubItems()->Strings(0), "old20");
    }
    // A refusal stays the last word; otherwise the read after the write ends
    // the memo, and no read ends before the write.
    if (c.refused) {
      EXPECT_EQ(LastLine().rfind(std::string("Set: ") + kWrongValue, 0), 0u) << LastLine();
      EXPECT_EQ(request.StatusKind, STATUS_KIND_SET);
      EXPECT_EQ(memo->Lines()->Count(), 1);
    } else {
      ASSERT_EQ(memo->Lines()->Count(), writes + 1);
      for (int k = 0; k < writes; ++k)
        EXPECT_EQ(memo->Lines()->Strings(k).str().rfind("Set: Ok! ", 0), 0u) << k;
      EXPECT_EQ(LastLine().rfind("Get: Ok! ", 0), 0u) << LastLine();
    }
    Control("delay 0");
  }
}

// A read stopped before a write (as a page stops its walk before a dialog):
// the reply in flight is waited for, within the time given, or dropped; the
// read did not complete, so it ends without "Ok!" and without the read a Get
// asked for while it ran (that read's answer would come before the write
// too). Active is set again for the write.
TEST_F(WriteDuringRead, AReadStoppedForAWriteEndsWithoutOk) {
  const struct {
    const char* name;
    unsigned waitMs;
    int rows;  // rows listed once stopped: the one in flight comes in time
  } cases[] = {{"the reply in flight waited for", 1000, 2}, {"not waited for", 0, 1}};
  memo = Add<TMemo>(300, 0);
  auto* list = Add<TListView>(0, 60);
  for (const char* vlan : {"10", "20"})
    Control(std::string("set 1.3.6.1.2.1.17.7.1.4.3.1.1.") + vlan + " s vlan" + vlan);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    memo->Lines()->Clear();
    VnSNMPRequest2Edits request(Form());
    request.SetStatusMemo(memo);
    request.Request.VarList = VnSNMPVarList(StaticVlans, VnItemType::MVT_FMV, 1);
    request.AttachListView(list, false);
    int ends = 0;
    request.OnGetDone = [&](VnSNMPRequest2Controls*, const VnSNMPError&) { ++ends; };
    Control("delay 150");
    request.Get();
    for (int i = 0; i < 2000 && list->Items()->Count() < 1; ++i) PumpFor(1);
    ASSERT_EQ(list->Items()->Count(), 1);
    request.Get();  // asked while the walk runs
    EXPECT_TRUE(request.StopReadForWrite(c.waitMs));
    const int steps = Count("GETNEXT");
    EXPECT_FALSE(request.Busy);
    EXPECT_TRUE(request.Request.Active);
    EXPECT_EQ(list->Items()->Count(), c.rows);
    EXPECT_EQ(ends, 1);
    ASSERT_TRUE(TakeLateReplies());  // the reply dropped among them; nothing more goes out
    EXPECT_EQ(Count("GETNEXT"), steps);
    EXPECT_EQ(list->Items()->Count(), c.rows);
    EXPECT_EQ(memo->Lines()->Count(), 0);
    Control("delay 0");
  }
}

// An asynchronous write of a table that ends while a synchronous walk of the
// same request runs (its pump after a row takes the reply) owes the read
// after it: that read starts once the walk has returned to the loop, and
// the request is idle after it with the row written.
TEST_F(WriteDuringRead, AWriteEndingDuringASynchronousWalkIsReadAfterIt) {
  memo = Add<TMemo>(300, 0);
  auto* list = Add<TListView>(0, 60);
  for (const char* vlan : {"10", "20", "30", "40", "50", "60"})
    Control(std::string("set 1.3.6.1.2.1.17.7.1.4.3.1.1.") + vlan + " s old" + vlan);
  VnSNMPRequest2Edits request(Form());
  request.Request.VarList = VnSNMPVarList(StaticVlans, VnItemType::MVT_FMV, 1);
  request.AttachListView(list, false);
  request.SetStatusMemo(memo);
  request.AsyncMode = false;
  bool written = false, endedInWalk = false, walking = false;
  request.OnSetDone = [&](VnSNMPRequest2Controls*, const VnSNMPError&) { endedInWalk = walking; };
  TTimer timer(nullptr);
  timer.SetInterval(1);
  timer.OnTimer = [&](TObject*) {
    if (written || list->Items()->Count() < 1) return;
    written = true;
    timer.SetEnabled(false);
    request.AsyncMode = true;
    *request.Request.VarList.Item(kVlanId)->Value = "10";
    *request.Request.VarList.Item(kVlanName)->Value = "new";
    request.Set(kSetListValuesThenRead, AnsiString(kVlanName));
    request.AsyncMode = false;
  };
  Control("delay 40");
  walking = true;
  request.Get();
  walking = false;
  ASSERT_TRUE(written);
  ASSERT_TRUE(endedInWalk) << "the write's answer came after the walk";
  request.AsyncMode = true;
  ASSERT_TRUE(WaitIdle(request));
  EXPECT_EQ(Sim().Control("get 1.3.6.1.2.1.17.7.1.4.3.1.1.10"), "ok STRING:\"new\"");
  ASSERT_EQ(list->Items()->Count(), 7);  // the switch's VLAN 1 first
  EXPECT_EQ(list->Items()->Item(1)->SubItems()->Strings(0), "new");
  EXPECT_EQ(LastLine().rfind("Get: Ok! ", 0), 0u) << LastLine();
  Control("delay 0");
}

}  // namespace
