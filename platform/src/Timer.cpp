// TTimer and the one schedule that drives every timer, on the replaceable
// clock: a single toolkit timer wakes the loop for the earliest deadline, or,
// with virtual time, the loops move the clock themselves.
#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "Toolkit.h"
#include "platform/Clock.h"
#include "platform/ExtCtrls.h"

using namespace ui_detail;

namespace {

struct Entry {
  TTimer* timer;
  std::uint64_t due;
};

std::uint64_t Now() { return CurrentClock().NowMs(); }

struct Schedule {
  std::vector<Entry> entries;
  QTimer* wake = nullptr;
  std::uint64_t wakeAt = 0;  // when an active wake fires
  // No timer is due before this: a bound, made exact by each pass that
  // looks at every timer, so that the pass after every turn of the loop
  // (a walk turns it once per reply) mostly ends at once.
  std::uint64_t earliest = 0;
  bool appReady = false;
  bool virtualTime = false;

  Entry* Find(TTimer* t) {
    for (Entry& e : entries)
      if (e.timer == t) return &e;
    return nullptr;
  }
  void Due(Entry& e, std::uint64_t due) {
    e.due = due;
    earliest = std::min(earliest, due);
  }
  void Reckon() {
    earliest = UINT64_MAX;
    for (const Entry& e : entries) earliest = std::min(earliest, e.due);
  }
  void Arm() { Arm(Now()); }
  void Arm(std::uint64_t now);
};

Schedule& Sched() {
  static auto* s = new Schedule();  // outlives every static timer
  return *s;
}

void Schedule::Arm(std::uint64_t now) {
  if (!wake) return;
  if (virtualTime) {
    wake->stop();
    return;
  }
  // Every timer counts here, also one whose handler is not set yet: the
  // handler may be assigned at any moment after the timer was enabled.
  long long delay = -1;
  for (const Entry& e : entries) {
    long long d = e.due > now ? static_cast<long long>(e.due - now) : 0;
    if (delay < 0 || d < delay) delay = d;
  }
  // A wake that comes no later than needed stays: it finds nothing due and
  // arms again. So a timer switched off and on around its handler (the SNMP
  // pump, once per reply of a walk) costs no restart of the toolkit timer.
  if (delay < 0 || (wake->isActive() && wakeAt <= now + static_cast<std::uint64_t>(delay))) return;
  wake->start(static_cast<int>(std::min<long long>(delay, 1 << 30)));
  wakeAt = now + static_cast<std::uint64_t>(delay);
}

}  // namespace

namespace ui_detail {

void TimersApplicationReady() {
  Schedule& s = Sched();
  s.appReady = true;
  std::uint64_t now = Now();
  for (Entry& e : s.entries) e.due = now + e.timer->Interval();
  s.Reckon();
  if (!s.wake) {
    s.wake = new QTimer();
    s.wake->setSingleShot(true);
    QObject::connect(s.wake, &QTimer::timeout, [] {
      FireDueTimers();
      Sched().Arm();
    });
  }
  s.Arm();
}

void TimersApplicationGone() {
  Schedule& s = Sched();
  s.appReady = false;
  delete s.wake;
  s.wake = nullptr;
}

long long NextTimerDelay() {
  Schedule& s = Sched();
  if (!s.appReady) return -1;
  long long best = -1;
  std::uint64_t now = Now();
  for (Entry& e : s.entries) {
    // A timer without a handler does not run: its period starts again
    // from the moment a handler is there.
    if (!e.timer->OnTimer) {
      s.Due(e, now + e.timer->Interval());
      continue;
    }
    long long d = e.due > now ? static_cast<long long>(e.due - now) : 0;
    if (best < 0 || d < best) best = d;
  }
  return best;
}

bool FireDueTimers() {
  Schedule& s = Sched();
  if (!s.appReady) return false;
  std::uint64_t now = Now();
  if (now < s.earliest) return false;
  std::vector<Entry> due;
  bool moved = false;
  for (Entry& e : s.entries) {
    if (e.due > now) continue;
    if (e.timer->OnTimer) {
      due.push_back(e);
    } else {
      e.due = now + std::max(1u, e.timer->Interval());  // not running without a handler
      moved = true;
    }
  }
  // Nothing due: the toolkit timer stays armed for the earliest deadline.
  if (due.empty()) {
    s.Reckon();
    if (moved) s.Arm();
    return false;
  }
  std::stable_sort(due.begin(), due.end(),
                   [](const Entry& a, const Entry& b) { return a.due < b.due; });
  bool fired = false;
  for (const Entry& d : due) {
    Entry* e = s.Find(d.timer);  // it may have died or restarted meanwhile
    if (!e || e->due > now) continue;
    // The next period counts from now: missed ticks do not pile up.
    s.Due(*e, now + std::max(1u, d.timer->Interval()));
    d.timer->Tick();
    fired = true;
  }
  s.Arm();
  return fired;
}

bool VirtualTimeActive() { return Sched().virtualTime; }

void SetVirtualTimeActive(bool on) {
  Schedule& s = Sched();
  s.virtualTime = on;
  std::uint64_t now = Now();
  for (Entry& e : s.entries) e.due = now + e.timer->Interval();
  s.Reckon();
  s.Arm();
}

}  // namespace ui_detail

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) { Restart(); }

TTimer::~TTimer() {
  BeginDestroy();
  Schedule& s = Sched();
  s.entries.erase(std::remove_if(s.entries.begin(), s.entries.end(),
                                 [this](const Entry& e) { return e.timer == this; }),
                  s.entries.end());
}

void TTimer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Restart();
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Restart();
}

// The timer's period starts again from now, and it goes to the end of the
// schedule (of timers due at the same moment, the one started last fires
// last). A timer switched off and on again for every reply of a walk (the
// SNMP pump) is mostly the last one: it is looked for there first.
void TTimer::Restart() {
  Schedule& s = Sched();
  if (!s.entries.empty() && s.entries.back().timer == this)
    s.entries.pop_back();
  else
    s.entries.erase(std::remove_if(s.entries.begin(), s.entries.end(),
                                   [this](const Entry& e) { return e.timer == this; }),
                    s.entries.end());
  // An armed wake that comes no later than needed stays, as Arm would keep
  // it: a timer switched off, or on again for a later moment than the wake.
  const bool waking = s.wake && s.wake->isActive() && !s.virtualTime;
  if (!enabled_ || interval_ == 0) {
    if (!waking) s.Arm();
    return;
  }
  const std::uint64_t now = Now(), due = now + interval_;
  s.entries.push_back({this, due});
  s.earliest = std::min(s.earliest, due);
  if (!waking || s.wakeAt > due) s.Arm(now);
}

// Never re-entered: a tick that falls due while the handler runs (it may pump
// messages or show a box) is skipped.
void TTimer::Tick() {
  if (running_ || !OnTimer || (ComponentState() & csDestroying)) return;
  std::weak_ptr<void> alive = LifeToken();
  running_ = true;
  try {
    OnTimer(this);
  } catch (...) {
    HandleCurrentException(this);
  }
  if (!alive.expired()) running_ = false;
}
