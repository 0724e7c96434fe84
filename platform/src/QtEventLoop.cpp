// The event loop of the running application: timers are TTimer, watches
// TSocketNotifier, a pass is Application->ProcessMessages, a call to run soon
// is a call queued on the toolkit's application object, and an exception
// goes to Application->HandleException. Installed while the toolkit's
// application object exists.
#include "QtEventLoop.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <chrono>
#include <thread>
#include <utility>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/SocketNotifier.h"

namespace {

class Timer : public EventTimer::Native {
 public:
  explicit Timer(EventTimer& handle) : handle_(handle) {
    timer_.OnTimer = TNotifyEvent([this](TObject*) { handle_.Fire(); });
  }
  bool Enabled() const override { return timer_.Enabled(); }
  void SetEnabled(bool on) override { timer_.SetEnabled(on); }
  unsigned Interval() const override { return timer_.Interval(); }
  void SetInterval(unsigned ms) override { timer_.SetInterval(ms); }

 private:
  EventTimer& handle_;
  TTimer timer_{nullptr};
};

class Watch : public EventWatch::Native {
 public:
  explicit Watch(EventWatch& handle) : handle_(handle) {
    notifier_.OnReadable = TNotifyEvent([this](TObject*) { handle_.Readable(); });
  }
  int Socket() const override { return notifier_.Socket(); }
  void SetSocket(int fd) override { notifier_.SetSocket(fd); }
  bool Enabled() const override { return notifier_.Enabled(); }
  void SetEnabled(bool on) override { notifier_.SetEnabled(on); }

 private:
  EventWatch& handle_;
  TSocketNotifier notifier_{nullptr};
};

class QtEventLoop : public EventLoop {
 public:
  std::unique_ptr<EventTimer::Native> MakeTimer(EventTimer& timer) override {
    return std::make_unique<Timer>(timer);
  }
  std::unique_ptr<EventWatch::Native> MakeWatch(EventWatch& watch) override {
    return std::make_unique<Watch>(watch);
  }
  // Never sleeps (see ProcessMessages).
  void ProcessPendingEvents() override { Application->ProcessMessages(); }
  void Pause() override { std::this_thread::sleep_for(std::chrono::microseconds(200)); }
  void HandleException() override { Application->HandleException(nullptr); }
  void CallSoon(std::function<void()> call) override {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [call = std::move(call)] {
          try {
            call();
          } catch (...) {
            Application->HandleException(nullptr);
          }
        },
        Qt::QueuedConnection);
  }
};

}  // namespace

namespace ui_detail {

EventLoop& ToolkitEventLoop() {
  static auto* loop = new QtEventLoop();  // outlives every static handle
  return *loop;
}

}  // namespace ui_detail
