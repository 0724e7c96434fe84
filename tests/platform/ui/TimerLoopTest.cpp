// Timers, ProcessMessages, virtual time and the calls asked to run soon.
#include "UiTestSupport.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/ExtCtrls.h"

namespace {

// Built during static initialisation, before the application exists.
TTimer g_staticTimer(nullptr);

class TimerLoop : public UiTest {};

TEST_F(TimerLoop, ATimerBuiltBeforeTheApplicationRunsOnceEnabled) {
  int ticks = 0;
  g_staticTimer.SetEnabled(false);
  g_staticTimer.SetInterval(20);
  g_staticTimer.OnTimer = [&](TObject*) { ++ticks; };
  TestKit::VirtualTime vt;
  vt.Advance(100);
  EXPECT_EQ(ticks, 0);
  g_staticTimer.SetEnabled(true);
  vt.Advance(100);
  EXPECT_EQ(ticks, 5);
  g_staticTimer.SetEnabled(false);
  g_staticTimer.OnTimer = nullptr;
}

// The program sleeps until the toolkit's wake: a timer enabled while a later
// one is armed brings the wake forward (the SNMP pump's 20 ms timer beside
// the front panel's 5-second poll).
TEST_F(TimerLoop, AWaitingProgramWakesForTheEarliestTimer) {
  TTimer slow(nullptr);
  slow.SetInterval(3000);
  slow.OnTimer = [](TObject*) {};
  Application->ProcessMessages();  // the wake is armed for the slow timer
  int ticks = 0;
  TTimer quick(nullptr);
  quick.SetInterval(20);
  quick.OnTimer = [&](TObject*) { ++ticks; };
  TestKit::ProgramWaiting waiting;
  const DWORD start = GetTickCount();
  while (ticks == 0 && GetTickCount() - start < 5000) Application->HandleMessage();
  EXPECT_EQ(ticks, 1);
  // Well before the second of a timer's first period, for which the slow
  // timer, made with it, armed the wake.
  EXPECT_LT(GetTickCount() - start, 500u);
}

TEST_F(TimerLoop, ATimerNeedsEnabledIntervalAndHandler) {
  TTimer t(nullptr);
  t.SetInterval(50);
  TestKit::VirtualTime vt;
  vt.Advance(200);  // no handler: nothing to run
  int ticks = 0;
  t.OnTimer = [&](TObject*) { ++ticks; };
  vt.Advance(100);
  EXPECT_EQ(ticks, 2);
  t.SetInterval(0);
  vt.Advance(200);
  EXPECT_EQ(ticks, 2);
  t.SetInterval(30);
  t.SetEnabled(false);
  vt.Advance(200);
  EXPECT_EQ(ticks, 2);
}

TEST_F(TimerLoop, SettingEnabledOrIntervalRestartsThePeriod) {
  TTimer t(nullptr);
  int ticks = 0;
  t.OnTimer = [&](TObject*) { ++ticks; };
  TestKit::VirtualTime vt;
  t.SetInterval(100);
  vt.Advance(90);
  t.SetInterval(101);
  vt.Advance(90);
  EXPECT_EQ(ticks, 0);
  vt.Advance(11);
  EXPECT_EQ(ticks, 1);
}

TEST_F(TimerLoop, AHandlerIsNeverReenteredWhenItPumpsOrShowsABox) {
  TTimer t(nullptr);
  t.SetInterval(20);
  int depth = 0, maxDepth = 0, ticks = 0;
  TestKit::DialogScript boxes;
  boxes.Expect("tick");
  t.OnTimer = [&](TObject*) {
    ++ticks;
    maxDepth = std::max(maxDepth, ++depth);
    if (ticks == 1) {
      DWORD start = GetTickCount();
      while (GetTickCount() - start < 200) Application->ProcessMessages();
      ShowMessage("tick");
    }
    --depth;
  };
  TestKit::VirtualTime vt;
  vt.Advance(300);
  EXPECT_EQ(maxDepth, 1);
  EXPECT_GE(ticks, 2);
}

// The toolkit's loop runs a call asked to run soon from its next pass, not
// inside the caller, in the order asked; what the call throws goes to the
// application's exception handler.
TEST_F(TimerLoop, CallsAskedToRunSoonRunFromTheNextPassInOrder) {
  std::string ran, reported;
  Application->OnException = [&](TObject*, Exception* e) { reported = e->Message.str(); };
  EventLoop& loop = EventLoop::Current();
  loop.CallSoon([&] { ran += "a"; });
  loop.CallSoon([] { throw Exception("broken call"); });
  loop.CallSoon([&] { ran += "b"; });
  EXPECT_EQ(ran, "");
  Application->ProcessMessages();
  Application->OnException = nullptr;
  EXPECT_EQ(ran, "ab");
  EXPECT_EQ(reported, "broken call");
}

TEST_F(TimerLoop, ADeletedTimerStopsAndMayDeleteItselfInItsHandler) {
  auto* t = new TTimer(nullptr);
  t->SetInterval(10);
  int ticks = 0;
  t->OnTimer = [&](TObject*) {
    ++ticks;
    delete t;
  };
  TestKit::VirtualTime vt;
  vt.Advance(100);
  EXPECT_EQ(ticks, 1);
}

TEST_F(TimerLoop, OwnedTimersDieWithTheirOwner) {
  auto* f = Create<TForm>(Application);
  auto* t = new TTimer(f);
  t->SetInterval(10);
  int ticks = 0;
  t->OnTimer = [&](TObject*) { ++ticks; };
  delete f;
  TestKit::VirtualTime vt;
  vt.Advance(100);
  EXPECT_EQ(ticks, 0);
}

TEST_F(TimerLoop, ProcessMessagesDeliversTimersAndPostedMessagesAndNeverBlocks) {
  struct TTarget : TForm {
    using TForm::TForm;
    void Dispatch(TMessage& m) override {
      if (m.Msg == WM_APP + 5) ++messages;
    }
    int messages = 0;
  };
  auto* f = Create<TTarget>(Application);
  TTimer t(nullptr);
  t.SetInterval(20);
  int ticks = 0;
  t.OnTimer = [&](TObject*) { ++ticks; };
  PostMessageA(f->Handle(), WM_APP + 5, 0, 0);
  // Real time: a wait loop on the tick count, as the module's busy waits do,
  // until two ticks came. A pass that waited for something to do would come
  // back once per tick.
  const DWORD start = GetTickCount();
  int passes = 0;
  while (ticks < 2 && GetTickCount() - start < 30000) {
    Application->ProcessMessages();
    ++passes;
  }
  EXPECT_EQ(f->messages, 1);
  EXPECT_GE(ticks, 2);
  EXPECT_GT(passes, 10);
  delete f;
}

TEST_F(TimerLoop, VirtualTimeMakesLongWaitsInstantAndSleepAdvances) {
  TestKit::VirtualTime vt;
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 6000) Application->ProcessMessages();
  EXPECT_GE(GetTickCount() - start, 6000u);
  std::uint64_t before = vt.Now();
  Sleep(1500);
  EXPECT_EQ(vt.Now() - before, 1500u);
}

TEST_F(TimerLoop, ExceptionsFromTimerHandlersReachHandleException) {
  TestKit::DialogScript boxes;
  boxes.Expect("'abc' is not a valid integer value.");
  TTimer t(nullptr);
  t.SetInterval(10);
  t.OnTimer = [&](TObject*) {
    t.SetEnabled(false);
    AnsiString("abc").ToInt();
  };
  TestKit::VirtualTime vt;
  vt.Advance(20);
}

}  // namespace
