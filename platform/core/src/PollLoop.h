// The plain event loop: timers on the process clock and sockets polled
// with poll(), run by ProcessPendingEvents. What runs without an
// application object (headless programs, tests that draw nothing).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/EventLoop.h"

class PollLoop : public EventLoop {
 public:
  std::unique_ptr<EventTimer::Native> MakeTimer(EventTimer& timer) override;
  std::unique_ptr<EventWatch::Native> MakeWatch(EventWatch& watch) override;
  // Ready sockets first, then the due timers, each callback at most once,
  // then the calls asked for before the pass began.
  void ProcessPendingEvents() override;
  // One millisecond on the process clock (virtual time moves on).
  void Pause() override;
  // Writes the exception's message to the standard error.
  void HandleException() override;
  void CallSoon(std::function<void()> call) override;

  class Timer;
  class Watch;

 private:
  std::vector<std::function<void()>> TakeWaitingCalls() override;

  template <class T>
  bool Alive(const std::vector<T*>& all, const T* item) const;

  std::vector<Timer*> timers_;
  std::vector<Watch*> watches_;
  // The calls asked for and not run yet, in order, each with its number.
  struct Call {
    std::uint64_t number;
    std::function<void()> run;
  };
  std::deque<Call> calls_;
  std::uint64_t nextCall_ = 0;
};
