// The order of one request's reads and writes, against a scripted session:
// the request below drives its order as the controls' request does, and its
// session only notes what would go out. Each case answers, refuses or times
// out the exchanges in its own order and looks at what went out at each
// step, the status lines shown and Busy after each step (while it runs, for
// a synchronous one).
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "library/VnRequestOrder.h"

namespace {

using Mode = VnRequestOrder::Mode;
using Owed = VnRequestOrder::Owed;

// Steps: "get", "sync-get", "set", "set-then-read" (getAfterSet),
// "sync-set", "sync-set-refused", "sync-set-answering X" (X is answered
// while the synchronous write waits), "stop" (a caller stops the read for
// its write and waits for its answer), "drop" (and then drops it),
// "inactive" (the request sends nothing more), "answer X", "refuse X",
// "timeout X", "break X" (the read's row raised), "soon" (the event loop
// runs the calls asked for), "get-on-set-done" (the next write's end reads,
// as a form's handler may). X names an exchange: R1, W2, ...
class ScriptedRequest {
 public:
  explicit ScriptedRequest(bool table) : table_(table) {}

  void Do(const std::string& step) {
    std::istringstream in(step);
    std::string verb, exchange;
    in >> verb >> exchange;
    if (verb == "get" || verb == "sync-get") {
      Read(verb == "get", false);
    } else if (verb == "set" || verb == "set-then-read") {
      order_.WriteStarts(Mode::Async);
      afterSet_[Send("W")] = verb == "set-then-read";
    } else if (verb.rfind("sync-set", 0) == 0) {
      order_.WriteStarts(Mode::Sync);
      Send("W");
      if (!exchange.empty()) AnswerWrite(exchange, true);
      busyInside_ = order_.Busy();
      const bool refused = verb == "sync-set-refused";
      order_.WriteEnds(Mode::Sync, refused, refused && table_);
      status_.push_back(refused ? "Set: refused" : "Set: Ok!");
    } else if (verb == "stop") {
      order_.ReadStopping();
    } else if (verb == "drop") {
      order_.DropRead();
      StartOwed();
    } else if (verb == "inactive") {
      active_ = false;
    } else if (verb == "soon") {
      StartOwed();
    } else if (verb == "get-on-set-done") {
      getOnSetDone_ = true;
    } else if (verb == "break") {
      if (order_.Takes(reads_.at(exchange))) order_.ReadBreaks();
    } else if (exchange[0] == 'R') {
      AnswerRead(exchange, verb == "answer");
    } else {
      AnswerWrite(exchange, verb == "answer");
    }
    wire_ += "|";
  }

  VnRequestOrder order_;
  int busyInside_ = -1;  // Busy while a synchronous step ran; -1 for others
  std::string wire_;     // what went out at each step, "|" after each; "~": a quiet read
  std::vector<std::string> status_;

 private:
  std::string Send(const char* kind, bool quiet = false) {
    const std::string name = kind + std::to_string(++exchanges_);
    wire_ += (wire_.empty() || wire_.back() == '|' ? "" : " ") + name + (quiet ? "~" : "");
    return name;
  }
  void Read(bool async, bool quiet) {
    if (!order_.AskRead()) return;
    if (!async) {
      order_.ReadStarts(Mode::Sync);
      Send("R");
      busyInside_ = order_.Busy();
      order_.ReadEnds(Mode::Sync);
      status_.push_back("Get: Ok!");
      return;
    }
    if (!active_) return;
    const VnRequestOrder::ReadId id = order_.ReadStarts(Mode::Async, quiet);
    reads_[Send("R", quiet)] = id;
  }
  void AnswerRead(const std::string& exchange, bool ok) {
    if (!order_.Takes(reads_.at(exchange))) return;  // dropped
    const bool quiet = order_.Reading() == VnRequestOrder::Read::Quiet;
    order_.ReadEnds(Mode::Async);
    if (!ok)
      status_.push_back("Get: failed");
    else if (!quiet)
      status_.push_back("Get: Ok!");
    StartOwed();
  }
  void AnswerWrite(const std::string& exchange, bool ok) {
    order_.WriteEnds(Mode::Async, !ok, table_ && (!ok || afterSet_.at(exchange)));
    status_.push_back(ok ? "Set: Ok!" : "Set: failed");
    if (getOnSetDone_) Read(true, false);
    getOnSetDone_ = false;
    StartOwed();
  }
  void StartOwed() {
    const Owed owed = order_.TakeOwedRead();
    if (owed != Owed::Nothing) Read(true, owed == Owed::QuietRead);
  }

  bool table_;
  bool active_ = true;
  int exchanges_ = 0;
  bool getOnSetDone_ = false;
  std::map<std::string, VnRequestOrder::ReadId> reads_;
  std::map<std::string, bool> afterSet_;
};

struct Script {
  const char* name;
  bool table;
  std::vector<std::string> steps;
  std::string wire;
  std::string status;  // lines joined with "|"
  std::string busy;    // Busy after each step, 1 or 0
};

void Play(const Script& s) {
  SCOPED_TRACE(s.name);
  ScriptedRequest request(s.table);
  std::string busy;
  for (const std::string& step : s.steps) {
    request.busyInside_ = -1;
    request.Do(step);
    busy +=
        (request.busyInside_ < 0 ? request.order_.Busy() : request.busyInside_ == 1) ? '1' : '0';
  }
  std::string status;
  for (const std::string& line : request.status_) status += (status.empty() ? "" : "|") + line;
  EXPECT_EQ(request.wire_, s.wire);
  EXPECT_EQ(status, s.status);
  EXPECT_EQ(busy, s.busy);
}

// One case a line: name, table list, steps, what went out at each step,
// status lines, Busy after each step.
// clang-format off
TEST(RequestOrder, AReadAskedWhileAWriteIsOutStartsAfterItsAnswer) {
  const Script scripts[] = {
      {"answered", false, {"set", "get", "answer W1", "answer R2"}, "W1||R2||", "Set: Ok!|Get: Ok!", "1110"},
      {"timed out: no Ok! after the failure", false, {"set", "get", "timeout W1", "answer R2"}, "W1||R2~||", "Set: failed", "1110"},
      {"writes answered out of order: after the last, which decides", true, {"set", "set", "set", "get", "refuse W3", "answer W1", "answer W2", "answer R4"}, "W1|W2|W3||||R4||", "Set: failed|Set: Ok!|Set: Ok!|Get: Ok!", "11111110"},
      {"asked twice: one read", false, {"set", "get", "get", "answer W1", "answer R2"}, "W1|||R2||", "Set: Ok!|Get: Ok!", "11110"},
      {"asked synchronously: made asynchronously", false, {"set", "sync-get", "answer W1", "answer R2"}, "W1||R2||", "Set: Ok!|Get: Ok!", "1110"},
      {"a write after the ask: after both", false, {"set", "get", "set", "answer W1", "answer W2", "answer R3"}, "W1||W2||R3||", "Set: Ok!|Set: Ok!|Get: Ok!", "111110"},
      {"answered during a synchronous write: after that", false, {"set", "get", "sync-set-answering W1", "soon", "answer R3"}, "W1||W2|R3||", "Set: Ok!|Set: Ok!|Get: Ok!", "11110"},
      {"asked while a read runs: after it, once", false, {"get", "get", "get", "answer R1", "answer R2"}, "R1|||R2||", "Get: Ok!|Get: Ok!", "11110"},
      {"the request sends nothing more: nothing owed", false, {"set", "get", "inactive", "answer W1"}, "W1||||", "Set: Ok!", "1110"},
  };
  for (const Script& s : scripts) Play(s);
}

TEST(RequestOrder, TheAnswerOfAReadSentBeforeAWriteIsDropped) {
  const Script scripts[] = {
      {"stopped by the write, made again after it", false, {"get", "set", "answer R1", "answer W2", "answer R3"}, "R1|W2||R3||", "Set: Ok!|Get: Ok!", "11110"},
      {"answered after the read made again", false, {"get", "set", "answer W2", "answer R1", "answer R3"}, "R1|W2|R3|||", "Set: Ok!|Get: Ok!", "11110"},
      {"stopped by its caller, answered in time: quiet, nothing owed", true, {"get", "get", "stop", "answer R1"}, "R1||||", "", "1110"},
      {"stopped by its caller and dropped: nothing owed", true, {"get", "get", "stop", "drop", "answer R1"}, "R1|||||", "", "11100"},
      {"none running when its caller stops: what is owed stays", false, {"set", "get", "stop", "drop", "answer W1", "answer R2"}, "W1||||R2||", "Set: Ok!|Get: Ok!", "111110"},
      {"ended by its row's fault: nothing owed", false, {"get", "get", "break R1", "answer R1"}, "R1||||", "", "1100"},
  };
  for (const Script& s : scripts) Play(s);
}

TEST(RequestOrder, WhatAWriteOwes) {
  const Script scripts[] = {
      {"a scalar write: nothing", false, {"set", "answer W1"}, "W1||", "Set: Ok!", "10"},
      {"a table write: nothing", true, {"set", "answer W1"}, "W1||", "Set: Ok!", "10"},
      {"a table write with getAfterSet: the table", true, {"set-then-read", "answer W1", "answer R2"}, "W1|R2||", "Set: Ok!|Get: Ok!", "110"},
      {"a scalar write with getAfterSet: nothing", false, {"set-then-read", "answer W1"}, "W1||", "Set: Ok!", "10"},
      {"a refused table write: the list, quietly", true, {"set", "refuse W1", "answer R2"}, "W1|R2~||", "Set: failed", "110"},
      {"a timed-out table write: the list, quietly", true, {"set-then-read", "timeout W1", "answer R2"}, "W1|R2~||", "Set: failed", "110"},
      {"a refused scalar write: nothing", false, {"set", "refuse W1"}, "W1||", "Set: failed", "10"},
      {"a refused write that stopped a read: that read, quietly", false, {"get", "set", "refuse W2", "answer R3"}, "R1|W2|R3~||", "Set: failed", "1110"},
      {"two reads asked while one is out, then a write: one read", false, {"get", "get", "get", "set", "answer W2", "answer R1", "answer R3"}, "R1|||W2|R3|||", "Set: Ok!|Get: Ok!", "1111110"},
      {"a read started as the write ends pays it", true, {"get-on-set-done", "set-then-read", "answer W1", "answer R2"}, "|W1|R2||", "Set: Ok!|Get: Ok!", "0110"},
      {"a synchronous write: the read it stopped, soon", false, {"get", "sync-set", "soon", "answer R3"}, "R1|W2|R3||", "Set: Ok!|Get: Ok!", "1110"},
      {"a synchronous write: a read started before then pays it", false, {"get", "sync-set", "get", "get", "soon", "answer R3", "answer R4"}, "R1|W2|R3|||R4||", "Set: Ok!|Get: Ok!|Get: Ok!", "1111110"},
      {"a refused synchronous table write: the list, quietly, soon", true, {"sync-set-refused", "soon", "answer R2"}, "W1|R2~||", "Set: refused", "110"},
  };
  for (const Script& s : scripts) Play(s);
}
TEST(RequestOrder, ASynchronousOperationIsBusyWhileItRuns) {
  const Script scripts[] = {
      {"a read", false, {"sync-get", "soon"}, "R1||", "Get: Ok!", "10"},
      {"a write", true, {"sync-set", "soon"}, "W1||", "Set: Ok!", "10"},
  };
  for (const Script& s : scripts) Play(s);
}
// clang-format on

}  // namespace
