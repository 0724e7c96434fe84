// TSocketNotifier over the toolkit's socket notifier: one native notifier
// per watched socket, made while the application object exists.
#include "platform/SocketNotifier.h"

#include <QEvent>
#include <QSocketNotifier>
#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "Toolkit.h"

using namespace ui_detail;

namespace {

// The toolkit's notifier, which hands its activation to the notifier it
// serves straight from the event: its signals (two for every activation)
// would cost a reply of a walk more than the rest of the message loop's
// turn.
class NativeNotifier : public QSocketNotifier {
 public:
  NativeNotifier(TSocketNotifier* owner, int fd)
      : QSocketNotifier(fd, QSocketNotifier::Read), owner_(owner) {}

 protected:
  bool event(QEvent* e) override {
    if (e->type() != QEvent::SockAct && e->type() != QEvent::SockClose)
      return QSocketNotifier::event(e);
    owner_->Readable();
    return true;
  }

 private:
  TSocketNotifier* owner_;
};

struct Watches {
  std::vector<TSocketNotifier*> all;
  std::map<TSocketNotifier*, std::unique_ptr<QSocketNotifier>> native;
  bool appReady = false;
};

Watches& Registry() {
  static auto* w = new Watches();  // outlives every static notifier
  return *w;
}

}  // namespace

namespace ui_detail {

void SocketNotifiersApplicationReady() {
  Registry().appReady = true;
  for (TSocketNotifier* n : Registry().all) n->Rewatch();
}

void SocketNotifiersApplicationGone() {
  Registry().appReady = false;
  Registry().native.clear();
}

}  // namespace ui_detail

TSocketNotifier::TSocketNotifier(TComponent* AOwner) : TComponent(AOwner) {
  Registry().all.push_back(this);
}

TSocketNotifier::~TSocketNotifier() {
  BeginDestroy();
  Watches& w = Registry();
  w.native.erase(this);
  w.all.erase(std::remove(w.all.begin(), w.all.end(), this), w.all.end());
}

void TSocketNotifier::SetSocket(int fd) {
  if (fd == socket_) return;
  socket_ = fd;
  Rewatch();
}

void TSocketNotifier::SetEnabled(bool v) {
  offWhileRunning_ = false;
  if (v == enabled_) return;
  enabled_ = v;
  auto it = Registry().native.find(this);
  if (it != Registry().native.end()) it->second->setEnabled(v);
}

void TSocketNotifier::Rewatch() {
  Watches& w = Registry();
  w.native.erase(this);
  if (!w.appReady || socket_ < 0) return;
  auto native = std::make_unique<NativeNotifier>(this, socket_);
  native->setEnabled(enabled_);
  w.native[this] = std::move(native);
}

void TSocketNotifier::Readable() {
  if (!enabled_ || !OnReadable || (ComponentState() & csDestroying)) return;
  if (running_) {
    // One pass inside the handler (a walk that shows a row pumps once while
    // the next reply arrives) is left alone. A loop of the handler's own
    // would find the socket on every pass of it: off from the second one.
    if (++readableWhileRunning_ < 2) return;
    SetEnabled(false);
    offWhileRunning_ = true;
    return;
  }
  std::weak_ptr<void> alive = LifeToken();
  running_ = true;
  readableWhileRunning_ = 0;
  try {
    OnReadable(this);
  } catch (...) {
    HandleCurrentException(this);
  }
  if (alive.expired()) return;
  running_ = false;
  if (offWhileRunning_) SetEnabled(true);
}
