// The plain event loop: timers on the process clock and sockets polled
// with poll(), run by ProcessPendingEvents. What runs without an
// application object (headless programs, tests that draw nothing).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/EventLoop.h"

class PollLoop : public EventLoop {
 public:
  std::unique_ptr<EventTimer::Native> MakeTimer(EventTimer& timer) override;
  std::unique_ptr<EventWatch::Native> MakeWatch(EventWatch& watch) override;
  // Ready sockets first, then the due timers, each callback at most once.
  void ProcessPendingEvents() override;
  // One millisecond on the process clock (virtual time moves on).
  void Pause() override;
  // Writes the exception's message to the standard error.
  void HandleException() override;

  class Timer;
  class Watch;

 private:
  template <class T>
  bool Alive(const std::vector<T*>& all, const T* item) const;

  std::vector<Timer*> timers_;
  std::vector<Watch*> watches_;
};
