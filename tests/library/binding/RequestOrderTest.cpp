// The order of one request's reads and writes, on the real request against
// a scripted agent (ScriptedAgent): the test says which exchange is
// answered, refused or timed out, and when, and looks at what went out, the
// status lines and Busy. First examples, one table per rule; then every
// sequence of up to eight such events, each followed by the checks that
// hold whatever happened.
#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "ScriptedAgent.h"
#include "SimulatorFixture.h"
#include "library/VnErrors.h"
#include "library/VnSNMPRequest2Controls.h"
#include "platform/Classes.h"
#include "platform/Exceptions.h"
#include "platform/StdCtrls.h"

namespace {

using namespace simdesc;
using Answer = ScriptedAgent::Answer;

// A table of VLANs (1, 10 and 20), its rows counted.
class TableRequest : public VnSNMPRequest2Controls {
 public:
  explicit TableRequest(TWinControl* owner) : VnSNMPRequest2Controls(owner) {
    Request.VarList = VnSNMPVarList(StaticVlans, VnItemType::MVT_FMV, 1);
    Request.VarList.Description = "VLANs";
    // Nothing ends but as the script says.
    Request.Retries = 0;
    Request.Timeout = 360000;
  }
  int rows = 0;
  bool refuseNextRow = false;  // the next row cannot be taken

 protected:
  void DoGetBegin() override { rows = 0; }
  void DoGetRow() override {
    if (std::exchange(refuseNextRow, false)) throw Exception("The row cannot be taken");
    ++rows;
  }
};

constexpr int kRows = 3;

// One run of a script: the request, its agent and what they did.
class ScriptRun {
 public:
  ScriptRun(simtest::Simulator& sim, TWinControl* owner, TMemo* memo)
      : request_(std::make_unique<TableRequest>(owner)), agent_(sim, request_->Request) {
    memo_ = memo;
    memo_->Lines()->Clear();
    request_->Request.Device.Port = static_cast<std::uint16_t>(agent_.Port());
    request_->SetStatusMemo(memo);
    request_->OnSetDone = [this](VnSNMPRequest2Controls*, const VnSNMPError& e) {
      lastWriteEnd_ = ++seq_;
      if (e.Number != VNERR_OK) roundFailed_ = true;
    };
    request_->OnIdle = [this](VnSNMPRequest2Controls*) { ++idles_; };
  }

  // What is still out is taken back: the request goes without waiting.
  ~ScriptRun() {
    if (!request_) return;
    for (const ScriptedAgent::Exchange& e : agent_.Waiting())
      request_->Request.Withdraw(static_cast<VnSNMPRequest::ExchangeId>(e.number));
  }
  ScriptRun(const ScriptRun&) = delete;
  ScriptRun& operator=(const ScriptRun&) = delete;

  // Steps: "read", "write" (the table read after it), "write+read" (the
  // caller reads after it), "write-only" (nothing read after it),
  // "write-unsent" (its send raises: the caller shows the error), "answer
  // N", "refuse N" (genErr), "toobig N", "timeout N" (N: the exchange's
  // number), "late N" (the answer of an exchange the session gave up),
  // "again" (the last answer once more), "walk" (the read's exchanges
  // answered until it has none out), "stop", "close", "bad-row" (the next
  // row cannot be taken: the walk ends there with that error), "rename"
  // (the list's description changes).
  void Do(const std::string& step) {
    std::istringstream in(step);
    std::string verb;
    int number = 0;
    in >> verb >> number;
    const bool wasBusy = Closed() ? false : static_cast<bool>(request_->Busy);
    const int idlesBefore = idles_;
    const auto read = Closed() ? 0u : request_->Order().LastRead();
    if (verb == "read") {
      request_->Get();
    } else if (verb == "write" || verb == "write+read") {
      // VLAN 10's name, as the switch holds it: every write leaves the
      // table as it is. A write reads the table after it, or its caller
      // reads it as a form does after its Set.
      *request_->Request.VarList.Item(kVlanId)->Value = "10";
      TStringList values;
      values.Add("old10");
      request_->Set(verb == "write" ? kSetListValuesThenRead : kSetListValues, "1", &values);
      if (verb == "write+read") request_->Get();
    } else if (verb == "write-only" || verb == "write-unsent") {
      writesOweReads_ = false;
      // A row named by no number cannot be put into a SET.
      *request_->Request.VarList.Item(kVlanId)->Value = verb == "write-only" ? "10" : "ten";
      TStringList values;
      values.Add("1");
      try {
        request_->Set(kSetListValues, std::to_string(kVlanStatus).c_str(), &values);
      } catch (const Exception& e) {
        request_->ShowRequestStatus(e.Message);
      }
    } else if (verb == "answer" || verb == "refuse" || verb == "toobig" || verb == "late") {
      agent_.Reply(IndexOf(number), verb == "refuse"   ? Answer::Refused
                                    : verb == "toobig" ? Answer::TooBig
                                                       : Answer::Ok);
    } else if (verb == "walk") {
      for (int i = 0; i <= kRows && ReadOut(); ++i) {
        agent_.Reply(IndexOf(ReadOut()), Answer::Ok);
        agent_.Collect();
      }
    } else if (verb == "timeout") {
      agent_.TimeOut(IndexOf(number));
    } else if (verb == "again") {
      agent_.AnswerAgain();
    } else if (verb == "stop") {
      request_->Stop();
    } else if (verb == "close") {
      request_.reset();
    } else if (verb == "bad-row") {
      request_->refuseNextRow = true;
    } else if (verb == "rename") {
      request_->Request.VarList.Description = "VLANs renamed";
    }
    agent_.Collect();
    trace_ += step + "; ";
    if (Closed()) return;
    busyTrail_ += request_->Busy ? '1' : '0';
    if (request_->Order().LastRead() != read) lastReadStart_ = ++seq_;
    const bool busy = request_->Busy;
    if (!wasBusy && busy) roundFailed_ = false;  // a round begins
    EXPECT_EQ(idles_ - idlesBefore, wasBusy && !busy ? 1 : 0)
        << "OnIdle once when the request becomes idle, after " << trace_;
    EXPECT_EQ(busy, request_->Request.Outstanding > 0 ||
                        request_->Order().Owes() != VnRequestOrder::Owed::Nothing)
        << "Busy exactly while something is out or owed, after " << trace_;
    if (!busy) CheckIdle();
  }

  // What can happen next.
  std::vector<std::string> Next() const {
    std::vector<std::string> steps;
    if (Closed()) {
      for (const ScriptedAgent::Exchange& e : agent_.Waiting())
        steps.push_back("late " + std::to_string(e.number));
      return steps;
    }
    steps = {"read", "write", "write+read", "stop"};
    if (!request_->Busy) steps.push_back("close");
    bool late = false;
    for (const ScriptedAgent::Exchange& e : agent_.Waiting()) {
      const std::string n = std::to_string(e.number);
      if (agent_.Outstanding(e.number)) {
        for (const char* verb : {"answer ", "refuse ", "timeout "}) steps.push_back(verb + n);
      } else if (!late) {
        steps.push_back("late " + n);  // the session gave it up: one stands for all
        late = true;
      }
    }
    steps.push_back("again");
    return steps;
  }

  // What decides what can happen from here.
  std::string Key() const {
    std::ostringstream k;
    if (Closed()) return "closed";
    const VnRequestOrder& o = request_->Order();
    k << int(o.Reading()) << int(o.Owes()) << o.WritesOut() << request_->Request.Active << ' '
      << request_->rows << ' ' << roundFailed_ << LastLineFailed()
      << (lastReadStart_ > lastWriteEnd_) << ' ';
    bool late = false;
    for (const ScriptedAgent::Exchange& e : agent_.Waiting()) {
      if (agent_.Outstanding(e.number))
        k << (e.write ? 'W' : 'R');
      else
        late = true;
    }
    k << (late ? "+late" : "");
    return k.str();
  }

  // From here, the answers (or the time-outs) of what is out bring the
  // request to idle, where it holds; then it reads the whole table.
  void Drain(bool timeOuts) {
    if (Closed()) return;
    for (int i = 0; i < 40 && request_->Busy; ++i) {
      const auto& waiting = agent_.Waiting();
      const auto out = std::find_if(waiting.begin(), waiting.end(),
                                    [&](const auto& e) { return agent_.Outstanding(e.number); });
      ASSERT_NE(out, waiting.end()) << "busy with nothing out, after " << trace_;
      Do((timeOuts && !out->write ? "timeout " : "answer ") + std::to_string(out->number));
    }
    ASSERT_FALSE(request_->Busy) << "never idle, after " << trace_;
    Do("read");
    for (int i = 0; i < kRows + 1 && request_->Busy; ++i)
      Do("answer " + std::to_string(agent_.Waiting().back().number));
    EXPECT_FALSE(request_->Busy) << trace_;
    EXPECT_EQ(request_->rows, kRows) << "the request reads again, after " << trace_;
    EXPECT_EQ(LastLine().rfind("Get: Ok!", 0), 0u) << LastLine() << " after " << trace_;
  }

  // The status lines, each as "Get: Ok!", "Set: failed" and so on.
  std::string Lines() const {
    std::string out;
    for (int i = 0; i < memo_->Lines()->Count(); ++i) {
      const std::string line = memo_->Lines()->Strings(i).str();
      out += (out.empty() ? "" : "|") + line.substr(0, 5) +
             (line.find(" Ok! ") != std::string::npos ? "Ok!" : "failed");
    }
    return out;
  }
  // The exchanges sent, R and W in send order.
  const std::string& Wire() const { return agent_.Kinds(); }
  // Busy after each step, 1 or 0.
  const std::string& BusyTrail() const { return busyTrail_; }
  int Rows() const { return request_ ? request_->rows : -1; }

  std::string LastLine() const {
    const int n = memo_->Lines()->Count();
    return n ? memo_->Lines()->Strings(n - 1).str() : std::string();
  }
  const std::string& Trace() const { return trace_; }

 private:
  bool Closed() const { return !request_; }
  bool LastLineFailed() const {
    const std::string line = LastLine();
    return !line.empty() && line.find(" Ok! ") == std::string::npos;
  }
  // The read's exchange out (0: none).
  int ReadOut() const {
    for (const ScriptedAgent::Exchange& e : agent_.Waiting())
      if (!e.write && agent_.Outstanding(e.number)) return e.number;
    return 0;
  }
  std::size_t IndexOf(int number) const {
    const auto& waiting = agent_.Waiting();
    for (std::size_t i = 0; i < waiting.size(); ++i)
      if (waiting[i].number == number) return i;
    ADD_FAILURE() << "no exchange " << number << " waits, after " << trace_;
    return 0;
  }
  // Once idle: the last read started after the last write ended (or the
  // writes' reads were stopped by the user), and a write that failed in the
  // round is the last line.
  void CheckIdle() {
    if (writesOweReads_ && lastWriteEnd_ > 0) {
      EXPECT_GT(lastReadStart_, lastWriteEnd_) << "no read after the last write: " << trace_;
    }
    if (roundFailed_) {
      EXPECT_TRUE(LastLineFailed()) << LastLine() << " after " << trace_;
    }
  }

  TMemo* memo_;
  std::unique_ptr<TableRequest> request_;
  ScriptedAgent agent_;
  std::string trace_, busyTrail_;
  bool writesOweReads_ = true;  // no step writes without a read after it
  int seq_ = 0, lastWriteEnd_ = 0, lastReadStart_ = 0, idles_ = 0;
  bool roundFailed_ = false;
};

class RequestOrder : public SimulatorTest {
 protected:
  void SetUp() override {
    SimulatorTest::SetUp();
    for (const char* vlan : {"10", "20"})
      Control(std::string("set 1.3.6.1.2.1.17.7.1.4.3.1.1.") + vlan + " s old" + vlan);
    memo = Add<TMemo>(300, 0);
  }
  std::unique_ptr<ScriptRun> Play(const std::vector<std::string>& steps) {
    auto run = std::make_unique<ScriptRun>(Sim(), Form(), memo);
    for (const std::string& s : steps) run->Do(s);
    return run;
  }
  TMemo* memo = nullptr;
};

// One case a line: its steps, the exchanges sent (R and W in send order),
// the status lines, Busy after each step and the rows shown at the end
// (-1: not looked at).
struct Script {
  const char* name;
  std::vector<std::string> steps;
  std::string wire;
  std::string lines;
  std::string busy;
  int rows = -1;
};

class RequestScripts : public RequestOrder {
 protected:
  void Check(const std::vector<Script>& scripts) {
    for (const Script& s : scripts) {
      SCOPED_TRACE(s.name);
      auto run = Play(s.steps);
      EXPECT_EQ(run->Wire(), s.wire);
      EXPECT_EQ(run->Lines(), s.lines);
      EXPECT_EQ(run->BusyTrail(), s.busy);
      if (s.rows >= 0) {
        EXPECT_EQ(run->Rows(), s.rows);
      }
    }
  }
};

// clang-format off
TEST_F(RequestScripts, AReadAskedWhileAWriteIsOutStartsAfterItsAnswer) {
  Check({
      {"answered", {"write+read", "answer 1", "walk"}, "WRRRR", "Set: Ok!|Get: Ok!", "110", kRows},
      {"timed out: the failure stays the last line", {"write+read", "timeout 1", "walk"}, "WRRRR", "Set: failed", "110", kRows},
      {"asked twice: one read", {"write-only", "read", "read", "answer 1", "walk"}, "WRRRR", "Set: Ok!|Get: Ok!", "11110", kRows},
      {"writes answered out of order: an earlier refusal stays the last word", {"write-only", "write-only", "write+read", "refuse 3", "answer 1", "answer 2", "walk"}, "WWWRRRR", "Set: failed|Set: Ok!|Set: Ok!|Set: failed", "1111110", kRows},
  });
}

TEST_F(RequestScripts, TheReadSentBeforeAWriteIsTakenBackAndMadeAfterIt) {
  Check({
      {"its answer after the write's", {"read", "write-only", "late 1", "answer 2", "walk"}, "RWRRRR", "Set: Ok!|Get: Ok!", "11110", kRows},
      {"a step of the walk in flight: every row once", {"read", "answer 1", "write-only", "late 2", "answer 3", "walk"}, "RRWRRRR", "Set: Ok!|Get: Ok!", "111110", kRows},
  });
}

TEST_F(RequestScripts, StopEndsTheReadThatRunsAndLeavesWhatTheWritesOwe) {
  Check({
      {"during a write: the read the write owes follows", {"write+read", "stop", "answer 1", "walk"}, "WRRRR", "Set: Ok!|Get: Ok!", "1110", kRows},
      {"during a walk: it ends with the row in flight", {"read", "answer 1", "stop", "answer 2"}, "RR", "Get: Ok!", "1110", 2},
      {"a read asked during the walk is not made", {"read", "read", "stop", "walk"}, "R", "Get: Ok!", "1110", 1},
      {"the next read goes out", {"read", "stop", "walk", "read", "walk"}, "RRRRR", "Get: Ok!|Get: Ok!", "11010", kRows},
  });
}

TEST_F(RequestScripts, WhatAWriteOwes) {
  Check({
      {"a write alone: nothing", {"write-only", "answer 1"}, "W", "Set: Ok!", "10"},
      {"with the table read after it: that read", {"write", "answer 1", "walk"}, "WRRRR", "Set: Ok!|Get: Ok!", "110", kRows},
      {"refused: the list, quietly", {"write-only", "refuse 1", "walk"}, "WRRRR", "Set: failed", "110", kRows},
      {"refused as too big: the list, quietly", {"write-only", "toobig 1", "walk"}, "WRRRR", "Set: failed", "110", kRows},
      {"timed out: the list, quietly", {"write-only", "timeout 1", "walk"}, "WRRRR", "Set: failed", "110", kRows},
      {"refused after it stopped a read: that read, quietly", {"read", "write-only", "refuse 2", "walk"}, "RWRRRR", "Set: failed", "1110", kRows},
      {"refused, and a read asked during the list's: quiet as well", {"write-only", "refuse 1", "read", "walk", "walk"}, "WRRRRRRRR", "Set: failed", "11110", kRows},
      {"unsent after it stopped a read: that read, quietly", {"read", "write-unsent", "walk"}, "RRRRR", "Set: failed", "110", kRows},
  });
}
TEST_F(RequestScripts, AWalkBrokenOnARowEndsThereWithItsError) {
  Check({
      {"alone", {"read", "answer 1", "bad-row", "answer 2"}, "RRR", "Get: failed", "1110", 1},
      {"a read asked during the walk is not made", {"read", "answer 1", "read", "bad-row", "answer 2"}, "RRR", "Get: failed", "11110", 1},
  });
}
// clang-format on

// A failure shown again at the end of its round names what the refused
// write sent, as its first line did, not what the list is called by then.
TEST_F(RequestScripts, TheFailureShownAgainNamesTheRefusedWrite) {
  auto run = Play({"write-only", "write-only", "rename", "refuse 1", "answer 2", "walk"});
  EXPECT_EQ(run->Wire(), "WWRRRR");
  EXPECT_EQ(run->Lines(), "Set: failed|Set: Ok!|Set: failed");
  EXPECT_NE(run->LastLine().find("Request:VLANs."), std::string::npos) << run->LastLine();
}

// Every sequence of up to eight events from the idle request, the first
// one given: states already met by another sequence are not explored again.
class RequestOrderExplored : public RequestOrder,
                             public ::testing::WithParamInterface<const char*> {};

TEST_P(RequestOrderExplored, EverySequenceEndsIdleWithTheTruthShown) {
  constexpr std::size_t kDepth = 8;
  // Breadth first: a state is explored from the shortest sequence that
  // reaches it, so what follows it reaches as deep as it can.
  std::set<std::string> seen;
  std::deque<std::vector<std::string>> queue = {{GetParam()}};
  int sequences = 0;
  while (!queue.empty() && !HasFailure()) {
    const std::vector<std::string> steps = std::move(queue.front());
    queue.pop_front();
    auto run = Play(steps);
    ++sequences;
    if (!seen.insert(run->Key()).second) continue;
    const std::vector<std::string> next = run->Next();
    run->Drain(seen.size() % 2 == 0);
    if (steps.size() >= kDepth) continue;
    for (const std::string& s : next) {
      std::vector<std::string> longer = steps;
      longer.push_back(s);
      queue.push_back(std::move(longer));
    }
  }
  RecordProperty("states", static_cast<int>(seen.size()));
  RecordProperty("sequences", sequences);
}

INSTANTIATE_TEST_SUITE_P(FirstEvent, RequestOrderExplored,
                         ::testing::Values("read", "write", "write+read"),
                         [](const ::testing::TestParamInfo<const char*>& param) {
                           std::string name = param.param;
                           std::replace(name.begin(), name.end(), '+', '_');
                           return name;
                         });

}  // namespace
