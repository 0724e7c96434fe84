// The event loop as the layers without windows see it: timers, sockets to
// watch for reading, calls to run soon, one non-blocking pass over what is
// pending, and the handling of an exception that a callback let out. One
// loop is current in the process: the windowing layer installs its own while
// the application object is up; otherwise a plain loop over poll() runs the
// handles.
#pragma once

#include <functional>
#include <memory>
#include <vector>

class EventLoop;

// A timer on the current loop: after each Interval() milliseconds while
// Enabled(), the callback runs from the loop (periodic, or once with
// SingleShot). The callback is never re-entered. Made enabled, with a period
// of 1,000 ms; destroying the handle stops it.
class EventTimer {
 public:
  explicit EventTimer(std::function<void()> onTimer);
  ~EventTimer();
  EventTimer(const EventTimer&) = delete;
  EventTimer& operator=(const EventTimer&) = delete;

  bool Enabled() const;
  void SetEnabled(bool on);
  unsigned Interval() const;
  void SetInterval(unsigned ms);
  // Once: the timer disables itself before its callback runs.
  bool SingleShot() const { return singleShot_; }
  void SetSingleShot(bool once) { singleShot_ = once; }

  // The loop's side: the period elapsed.
  void Fire();

  // What a loop keeps of the timer (owned by the handle).
  class Native {
   public:
    virtual ~Native() = default;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool on) = 0;
    virtual unsigned Interval() const = 0;
    virtual void SetInterval(unsigned ms) = 0;
  };

 private:
  friend class EventLoop;
  void MoveTo(EventLoop& loop);

  std::function<void()> onTimer_;
  bool singleShot_ = false;
  std::unique_ptr<Native> native_;
};

// Watches a socket (a descriptor the caller owns) on the current loop: the
// callback runs from the loop while the socket has data to read and the
// watch is enabled, until the callback reads the data or disables the watch.
// Made enabled, with no socket; destroying the handle ends the watch.
class EventWatch {
 public:
  explicit EventWatch(std::function<void()> onReadable);
  ~EventWatch();
  EventWatch(const EventWatch&) = delete;
  EventWatch& operator=(const EventWatch&) = delete;

  // -1: no socket. Set to -1 before the socket is closed.
  int Socket() const;
  void SetSocket(int fd);
  bool Enabled() const;
  void SetEnabled(bool on);

  // The loop's side: the socket is readable.
  void Readable() { onReadable_(); }

  class Native {
   public:
    virtual ~Native() = default;
    virtual int Socket() const = 0;
    virtual void SetSocket(int fd) = 0;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool on) = 0;
  };

 private:
  friend class EventLoop;
  void MoveTo(EventLoop& loop);

  std::function<void()> onReadable_;
  std::unique_ptr<Native> native_;
};

class EventLoop {
 public:
  virtual ~EventLoop() = default;

  // The loop's own part of a handle; the handle owns it. A new native is
  // enabled, with a period of 1,000 ms or no socket, as a new handle is.
  virtual std::unique_ptr<EventTimer::Native> MakeTimer(EventTimer& timer) = 0;
  virtual std::unique_ptr<EventWatch::Native> MakeWatch(EventWatch& watch) = 0;
  // One pass over what is pending (ready sockets, due timers); never waits.
  virtual void ProcessPendingEvents() = 0;
  // Gives the processor back between two passes of a waiting loop.
  virtual void Pause() = 0;
  // Reports the exception in flight; call inside a catch block.
  virtual void HandleException() = 0;
  // Runs the call from the loop once the callbacks running now have returned
  // to it (in the next pass, which may be a nested loop's), after the calls
  // asked for before it; what it throws is handled as a callback's is. The
  // call may destroy whatever it likes. Calls still waiting when the
  // toolkit's loop goes with its application are dropped.
  virtual void CallSoon(std::function<void()> call) = 0;

  // The current loop: the installed one, else the plain loop.
  static EventLoop& Current();
  // Installs a loop (nullptr: back to the plain loop). Every live timer and
  // watch moves over with its settings, and so do the calls waiting in the
  // plain loop. The caller keeps ownership and keeps the loop alive while it
  // is installed.
  static void Install(EventLoop* loop);

 protected:
  // The calls waiting to run, handed to the loop installed next; none by
  // default.
  virtual std::vector<std::function<void()>> TakeWaitingCalls() { return {}; }
};
