#include "PollLoop.h"

#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>

#include "platform/Clock.h"
#include "platform/Exceptions.h"

class PollLoop::Timer : public EventTimer::Native {
 public:
  Timer(PollLoop& loop, EventTimer& handle) : loop_(loop), handle_(handle) {
    loop_.timers_.push_back(this);
    Restart();
  }
  ~Timer() override {
    loop_.timers_.erase(std::remove(loop_.timers_.begin(), loop_.timers_.end(), this),
                        loop_.timers_.end());
  }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool on) override {
    if (on == enabled_) return;
    enabled_ = on;
    Restart();
  }
  unsigned Interval() const override { return interval_; }
  void SetInterval(unsigned ms) override {
    if (ms == interval_) return;
    interval_ = ms;
    Restart();
  }
  bool Due(std::uint64_t now) {
    // A clock that went back (virtual time ended) starts the period anew.
    if (due_ > now + interval_) due_ = now + interval_;
    return enabled_ && interval_ > 0 && due_ <= now;
  }
  // Runs the callback unless it is running; the next period counts from now.
  void Fire(std::uint64_t now) {
    if (running_) return;
    due_ = now + interval_;
    std::weak_ptr<void> alive = life_;
    running_ = true;
    try {
      handle_.Fire();
    } catch (...) {
      if (!alive.expired()) running_ = false;
      throw;
    }
    if (!alive.expired()) running_ = false;
  }

 private:
  void Restart() { due_ = CurrentClock().NowMs() + interval_; }

  PollLoop& loop_;
  EventTimer& handle_;
  bool enabled_ = true;
  bool running_ = false;
  unsigned interval_ = 1000;
  std::uint64_t due_ = 0;
  std::shared_ptr<void> life_ = std::make_shared<int>(0);  // gone with the timer
};

class PollLoop::Watch : public EventWatch::Native {
 public:
  Watch(PollLoop& loop, EventWatch& handle) : loop_(loop), handle_(handle) {
    loop_.watches_.push_back(this);
  }
  ~Watch() override {
    loop_.watches_.erase(std::remove(loop_.watches_.begin(), loop_.watches_.end(), this),
                         loop_.watches_.end());
  }
  int Socket() const override { return socket_; }
  void SetSocket(int fd) override { socket_ = fd; }
  bool Enabled() const override { return enabled_; }
  void SetEnabled(bool on) override {
    offWhileRunning_ = false;
    enabled_ = on;
  }
  bool Watching() const { return enabled_ && socket_ >= 0; }
  // Never re-entered: readable again while the callback runs, the watch
  // switches itself off until the callback has returned, unless the
  // callback set it meanwhile (as the toolkit's notifier does).
  void Readable() {
    if (!Watching()) return;
    if (running_) {
      enabled_ = false;
      offWhileRunning_ = true;
      return;
    }
    std::weak_ptr<void> alive = life_;
    running_ = true;
    try {
      handle_.Readable();
    } catch (...) {
      Done(alive);
      throw;
    }
    Done(alive);
  }

 private:
  void Done(const std::weak_ptr<void>& alive) {
    if (alive.expired()) return;
    running_ = false;
    if (offWhileRunning_) SetEnabled(true);
  }

  PollLoop& loop_;
  EventWatch& handle_;
  int socket_ = -1;
  bool enabled_ = true;
  bool running_ = false;
  bool offWhileRunning_ = false;
  std::shared_ptr<void> life_ = std::make_shared<int>(0);  // gone with the watch
};

std::unique_ptr<EventTimer::Native> PollLoop::MakeTimer(EventTimer& timer) {
  return std::make_unique<Timer>(*this, timer);
}

std::unique_ptr<EventWatch::Native> PollLoop::MakeWatch(EventWatch& watch) {
  return std::make_unique<Watch>(*this, watch);
}

template <class T>
bool PollLoop::Alive(const std::vector<T*>& all, const T* item) const {
  return std::find(all.begin(), all.end(), item) != all.end();
}

// A callback may make or destroy handles: each one is looked up again
// before it runs. What a callback lets out is handled here and goes no
// further. The calls asked for until the pass comes to them run last; those
// they ask for wait for the next pass (a nested one included).
void PollLoop::ProcessPendingEvents() {
  std::vector<Watch*> polled;
  std::vector<pollfd> fds;
  for (Watch* w : watches_) {
    if (!w->Watching()) continue;
    polled.push_back(w);
    fds.push_back({w->Socket(), POLLIN, 0});
  }
  if (!fds.empty() && poll(fds.data(), fds.size(), 0) > 0) {
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (!(fds[i].revents & (POLLIN | POLLERR | POLLHUP)) || !Alive(watches_, polled[i])) continue;
      try {
        polled[i]->Readable();
      } catch (...) {
        HandleException();
      }
    }
  }
  const std::uint64_t now = CurrentClock().NowMs();
  std::vector<Timer*> due;
  for (Timer* t : timers_)
    if (t->Due(now)) due.push_back(t);
  for (Timer* t : due) {
    if (!Alive(timers_, t) || !t->Due(now)) continue;
    try {
      t->Fire(now);
    } catch (...) {
      HandleException();
    }
  }
  const std::uint64_t last = nextCall_;
  while (!calls_.empty() && calls_.front().number < last) {
    const std::function<void()> call = std::move(calls_.front().run);
    calls_.pop_front();
    try {
      call();
    } catch (...) {
      HandleException();
    }
  }
}

void PollLoop::CallSoon(std::function<void()> call) {
  calls_.push_back({nextCall_++, std::move(call)});
}

std::vector<std::function<void()>> PollLoop::TakeWaitingCalls() {
  std::deque<Call> taken;
  taken.swap(calls_);
  std::vector<std::function<void()>> waiting;
  for (Call& c : taken) waiting.push_back(std::move(c.run));
  return waiting;
}

void PollLoop::Pause() { Sleep(1); }

void PollLoop::HandleException() {
  try {
    throw;
  } catch (EAbort&) {
  } catch (Exception& e) {
    std::fprintf(stderr, "%s\n", e.Message.c_str());
  } catch (std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "Unknown exception\n");
  }
}
