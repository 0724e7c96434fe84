// The event-loop handles and the one current loop.
#include "platform/EventLoop.h"

#include <algorithm>
#include <vector>

#include "PollLoop.h"

namespace {

// The live handles, so that an installed loop takes them over. Held on the
// heap and never released: static handles may outlive any other object.
struct Handles {
  std::vector<EventTimer*> timers;
  std::vector<EventWatch*> watches;
  EventLoop* installed = nullptr;
};

Handles& Live() {
  static auto* h = new Handles();
  return *h;
}

template <class T>
void Forget(std::vector<T*>& all, T* handle) {
  all.erase(std::remove(all.begin(), all.end(), handle), all.end());
}

}  // namespace

EventLoop& EventLoop::Current() {
  if (EventLoop* loop = Live().installed) return *loop;
  static auto* plain = new PollLoop();  // outlives every static handle
  return *plain;
}

void EventLoop::Install(EventLoop* loop) {
  Handles& h = Live();
  if (loop == h.installed) return;
  std::vector<std::function<void()>> waiting = Current().TakeWaitingCalls();
  h.installed = loop;
  EventLoop& now = Current();
  for (EventTimer* t : h.timers) t->MoveTo(now);
  for (EventWatch* w : h.watches) w->MoveTo(now);
  for (std::function<void()>& call : waiting) now.CallSoon(std::move(call));
}

EventTimer::EventTimer(std::function<void()> onTimer)
    : onTimer_(std::move(onTimer)), native_(EventLoop::Current().MakeTimer(*this)) {
  Live().timers.push_back(this);
}

EventTimer::~EventTimer() {
  Forget(Live().timers, this);
  native_.reset();
}

bool EventTimer::Enabled() const { return native_->Enabled(); }
void EventTimer::SetEnabled(bool on) { native_->SetEnabled(on); }
unsigned EventTimer::Interval() const { return native_->Interval(); }
void EventTimer::SetInterval(unsigned ms) { native_->SetInterval(ms); }

void EventTimer::Fire() {
  if (singleShot_) SetEnabled(false);
  onTimer_();
}

void EventTimer::MoveTo(EventLoop& loop) {
  const bool on = Enabled();
  const unsigned ms = Interval();
  native_.reset();
  native_ = loop.MakeTimer(*this);
  // Off first, so that no period of the default interval is ever scheduled.
  native_->SetEnabled(false);
  native_->SetInterval(ms);
  native_->SetEnabled(on);
}

EventWatch::EventWatch(std::function<void()> onReadable)
    : onReadable_(std::move(onReadable)), native_(EventLoop::Current().MakeWatch(*this)) {
  Live().watches.push_back(this);
}

EventWatch::~EventWatch() {
  Forget(Live().watches, this);
  native_.reset();
}

int EventWatch::Socket() const { return native_->Socket(); }
void EventWatch::SetSocket(int fd) { native_->SetSocket(fd); }
bool EventWatch::Enabled() const { return native_->Enabled(); }
void EventWatch::SetEnabled(bool on) { native_->SetEnabled(on); }

void EventWatch::MoveTo(EventLoop& loop) {
  const bool on = Enabled();
  const int fd = Socket();
  native_.reset();
  native_ = loop.MakeWatch(*this);
  native_->SetEnabled(on);
  native_->SetSocket(fd);
}
