// Private: a control's view that follows its state at a human rate. A walk
// lets the loop run after every row; a row count shown in a label would
// otherwise cost a repaint and a round trip to the display per row, more
// than the row itself, and a repaint slows the walk's turns that follow it,
// not only its own. The control's own state stays exact; only the widget
// waits:
// - a change after a quiet spell (kQuietMs since the view was last brought
//   up to date) is shown at once;
// - changes that keep coming are shown at most every kSteadyMs;
// - the newest state is shown kQuietMs after the last change at the latest;
// - sooner when its window paints for anything else: every waiting view is
//   shown first and painted in that pass (Form.cpp).
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <functional>

namespace ui_detail {

// How long the state stays still before the view follows it, and how often
// at most a view whose state keeps changing is brought up to date.
constexpr int kQuietMs = 30;
constexpr int kSteadyMs = 100;

class ShownLater {
 public:
  // `apply` brings the widget up to date from the control's present state.
  explicit ShownLater(std::function<void()> apply);
  ~ShownLater();
  ShownLater(const ShownLater&) = delete;
  ShownLater& operator=(const ShownLater&) = delete;

  // The state changed: shown now when the view has been quiet for an
  // interval, else at the end of it.
  void Changed();
  // Shows a waiting change now (nothing when none waits).
  void ApplyNow();
  bool Waiting() const { return waiting_; }

 private:
  void Apply();
  // Shows a change that comes after a quiet spell.
  [[gnu::noinline]] void ShowAfterQuiet();
  // The timer's check: shows the waiting state, or looks again when it may.
  void Due();

  std::function<void()> apply_;
  QTimer timer_;
  QElapsedTimer since_;    // since the view was last brought up to date
  QElapsedTimer changed_;  // since the state last changed
  bool waiting_ = false;
};

// Everything that reads the screen (pictures, displayed texts) first shows
// every waiting change.
void ShowAllWaiting();

}  // namespace ui_detail
