// The event loop without an application: the plain loop runs timers on the
// process clock, sockets through poll() and the calls asked to run soon, and
// an installed loop takes the live handles and the waiting calls over.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/EventLoop.h"

namespace {

void Pass() { EventLoop::Current().ProcessPendingEvents(); }

TEST(PlainLoop, TimersFireWhenDueOncePerPeriodAndNeverNested) {
  TVirtualClock clock;
  TScopedClock inUse(clock);
  int periodic = 0, once = 0, nested = 0;
  EventTimer timer([&] { ++periodic; });
  timer.SetInterval(20);
  EventTimer single([&] { ++once; });
  single.SetInterval(20);
  single.SetSingleShot(true);
  EventTimer off([&] { ++periodic; });
  off.SetEnabled(false);
  off.SetInterval(1);
  EventTimer reentrant([&] {
    ++nested;
    clock.Advance(20);
    Pass();  // its own period is due again: it is not re-entered
  });
  reentrant.SetInterval(20);

  Pass();
  EXPECT_EQ(periodic, 0);
  clock.Advance(19);
  Pass();
  EXPECT_EQ(periodic, 0);
  clock.Advance(1);
  Pass();
  // The periodic one ran again inside the reentrant one's pass.
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(periodic, 2);
  EXPECT_EQ(once, 1);
  EXPECT_FALSE(single.Enabled());
  EXPECT_TRUE(timer.Enabled());
  reentrant.SetEnabled(false);
  clock.Advance(100);  // missed periods do not pile up
  Pass();
  EXPECT_EQ(periodic, 3);
  Pass();
  clock.Advance(19);
  Pass();
  EXPECT_EQ(periodic, 3);  // the next period counts from the late run
  clock.Advance(1);
  Pass();
  EXPECT_EQ(periodic, 4);
  EXPECT_EQ(once, 1);
}

// What a callback does to a timer holds at once: a timer switched off by
// another timer's callback in the same round does not run, a single-shot
// timer switched on again in its own callback runs once more.
TEST(PlainLoop, TimerSwitchedInACallbackKeepsThatSetting) {
  struct Case {
    const char* what;
    bool singleShot;  // the first timer's
    // Run in the first timer's callback on its run-th run (from 1).
    void (*inFirst)(EventTimer& self, EventTimer& other, int run);
    std::vector<int> first, second;  // runs after each of three periods
  };
  const Case cases[] = {
      {"second switched off in the same round",
       false,
       [](EventTimer&, EventTimer& other, int) { other.SetEnabled(false); },
       {1, 2, 3},
       {0, 0, 0}},
      {"single shot re-armed in its callback",
       true,
       [](EventTimer& self, EventTimer&, int run) {
         if (run == 1) self.SetEnabled(true);
       },
       {1, 2, 2},
       {1, 2, 3}},
  };
  for (const Case& c : cases) {
    TVirtualClock clock;
    TScopedClock inUse(clock);
    int first = 0, second = 0;
    EventTimer* self = nullptr;
    EventTimer* other = nullptr;
    EventTimer a([&] { c.inFirst(*self, *other, ++first); });  // made first: runs first
    EventTimer b([&] { ++second; });
    self = &a;
    other = &b;
    a.SetSingleShot(c.singleShot);
    for (EventTimer* t : {&a, &b}) t->SetInterval(10);
    std::vector<int> firstRuns, secondRuns;
    for (int period = 0; period < 3; ++period) {
      clock.Advance(10);
      Pass();
      firstRuns.push_back(first);
      secondRuns.push_back(second);
    }
    EXPECT_EQ(firstRuns, c.first) << c.what;
    EXPECT_EQ(secondRuns, c.second) << c.what;
  }
}

TEST(PlainLoop, ClockGoingBackStartsThePeriodAnew) {
  int fired = 0;
  std::unique_ptr<EventTimer> timer;
  {
    TVirtualClock late(CurrentClock().NowMs() + 10000000);
    TScopedClock inUse(late);
    timer = std::make_unique<EventTimer>([&] { ++fired; });
    timer->SetInterval(1);
  }
  Sleep(5);
  Pass();  // rebased on the real clock
  Sleep(5);
  Pass();
  EXPECT_EQ(fired, 1);
}

struct Pipe {
  Pipe() { EXPECT_EQ(pipe(fds), 0); }
  ~Pipe() {
    close(fds[0]);
    close(fds[1]);
  }
  void Write() { EXPECT_EQ(write(fds[1], "x", 1), 1); }
  void Read() {
    char c;
    EXPECT_EQ(read(fds[0], &c, 1), 1);
  }
  int fds[2];
};

TEST(PlainLoop, WatchRunsWhileReadableAndSwitchesOffWhileItsCallbackRuns) {
  Pipe p;
  int calls = 0;
  bool offInside = true;
  EventWatch* self = nullptr;
  EventWatch watch([&] {
    ++calls;
    Pass();  // still readable: the watch switches itself off meanwhile
    offInside = !self->Enabled();
    p.Read();
  });
  self = &watch;
  Pass();  // no socket yet
  watch.SetSocket(p.fds[0]);
  Pass();  // nothing to read
  EXPECT_EQ(calls, 0);
  p.Write();
  watch.SetEnabled(false);
  Pass();
  EXPECT_EQ(calls, 0);
  watch.SetEnabled(true);
  Pass();
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(offInside);
  EXPECT_TRUE(watch.Enabled());  // back on after the callback
  Pass();
  EXPECT_EQ(calls, 1);
}

// A watch its own callback switches off stays off, also when the socket
// was readable again inside the callback (which switched it off meanwhile).
TEST(PlainLoop, WatchSwitchedOffInItsOwnCallbackStaysOff) {
  for (bool nested : {false, true}) {
    Pipe p;
    int calls = 0;
    EventWatch* self = nullptr;
    EventWatch watch([&] {
      ++calls;
      if (nested) Pass();  // still readable
      self->SetEnabled(false);
    });
    self = &watch;
    watch.SetSocket(p.fds[0]);
    p.Write();  // never read: only the switch stops the callback
    Pass();
    Pass();
    EXPECT_EQ(calls, 1) << "nested " << nested;
    EXPECT_FALSE(watch.Enabled()) << "nested " << nested;
    watch.SetSocket(-1);
  }
}

TEST(PlainLoop, WhatACallbackThrowsGoesNoFurther) {
  TVirtualClock clock;
  TScopedClock inUse(clock);
  int after = 0;
  EventTimer throwing([] { throw std::runtime_error("broken handler"); });
  throwing.SetInterval(5);
  EventTimer next([&] { ++after; });
  next.SetInterval(5);
  clock.Advance(5);
  EXPECT_NO_THROW(Pass());
  EXPECT_EQ(after, 1);
}

// A call runs once its caller has returned to the loop, after those asked
// for before it; one it asks for itself waits for the next pass, and what a
// call throws stops no other.
TEST(PlainLoop, CallsRunSoonInTheirOrderOncePerAsk) {
  std::string ran;
  EventLoop& loop = EventLoop::Current();
  loop.CallSoon([&] {
    ran += "a";
    loop.CallSoon([&] { ran += "c"; });
  });
  loop.CallSoon([] { throw std::runtime_error("broken call"); });
  loop.CallSoon([&] { ran += "b"; });
  EXPECT_EQ(ran, "");
  EXPECT_NO_THROW(Pass());
  EXPECT_EQ(ran, "ab");
  Pass();
  EXPECT_EQ(ran, "abc");
  Pass();
  EXPECT_EQ(ran, "abc");
}

// Records what the handles ask of it.
class RecordingLoop : public EventLoop {
 public:
  struct Timer : EventTimer::Native {
    bool Enabled() const override { return on; }
    void SetEnabled(bool v) override { on = v; }
    unsigned Interval() const override { return ms; }
    void SetInterval(unsigned v) override { ms = v; }
    bool on = true;
    unsigned ms = 1000;
  };
  struct Watch : EventWatch::Native {
    int Socket() const override { return fd; }
    void SetSocket(int v) override { fd = v; }
    bool Enabled() const override { return on; }
    void SetEnabled(bool v) override { on = v; }
    int fd = -1;
    bool on = true;
  };
  std::unique_ptr<EventTimer::Native> MakeTimer(EventTimer&) override {
    auto t = std::make_unique<Timer>();
    timers.push_back(t.get());
    return t;
  }
  std::unique_ptr<EventWatch::Native> MakeWatch(EventWatch&) override {
    auto w = std::make_unique<Watch>();
    watches.push_back(w.get());
    return w;
  }
  void ProcessPendingEvents() override { ++passes; }
  void Pause() override {}
  void HandleException() override {}
  void CallSoon(std::function<void()> call) override { calls.push_back(std::move(call)); }

  std::vector<Timer*> timers;
  std::vector<Watch*> watches;
  std::vector<std::function<void()>> calls;
  int passes = 0;
};

TEST(InstalledLoop, TakesTheLiveHandlesOverWithTheirSettingsAndGivesThemBack) {
  EventTimer timer([] {});
  timer.SetEnabled(false);
  timer.SetInterval(20);
  EventWatch watch([] {});
  watch.SetSocket(7);
  watch.SetEnabled(false);
  int calls = 0;
  EventLoop::Current().CallSoon([&] { ++calls; });

  RecordingLoop loop;
  EventLoop::Install(&loop);
  ASSERT_EQ(loop.calls.size(), 1u);  // the waiting call went with the handles
  loop.calls[0]();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(&EventLoop::Current(), &loop);
  ASSERT_EQ(loop.timers.size(), 1u);
  ASSERT_EQ(loop.watches.size(), 1u);
  EXPECT_FALSE(loop.timers[0]->on);
  EXPECT_EQ(loop.timers[0]->ms, 20u);
  EXPECT_EQ(loop.watches[0]->fd, 7);
  EXPECT_FALSE(loop.watches[0]->on);
  Pass();
  EXPECT_EQ(loop.passes, 1);
  timer.SetEnabled(true);
  watch.SetSocket(8);
  EXPECT_TRUE(loop.timers[0]->on);

  EventLoop::Install(nullptr);
  EXPECT_NE(&EventLoop::Current(), &loop);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 20u);
  EXPECT_EQ(watch.Socket(), 8);
  EXPECT_FALSE(watch.Enabled());
  watch.SetSocket(-1);
  Pass();
  EXPECT_EQ(calls, 1);  // not left behind in the plain loop either
}

}  // namespace
