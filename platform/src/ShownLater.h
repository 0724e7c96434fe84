// Private: a control's view that follows its state at a human rate. A walk
// lets the loop run after every row; a row count shown in a label would
// otherwise cost a repaint and a round trip to the display per row, more
// than the row itself. The control's own state stays exact; only the widget
// waits, and the newest state always reaches it within one interval, or
// sooner: when its window paints for anything else, every waiting view is
// shown first and painted in that pass (Form.cpp).
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <functional>

namespace ui_detail {

// How often at most a coalesced view is brought up to date.
constexpr int kShowIntervalMs = 30;

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

  std::function<void()> apply_;
  QTimer timer_;
  QElapsedTimer since_;  // since the view was last brought up to date
  bool waiting_ = false;
};

// Everything that reads the screen (pictures, displayed texts) first shows
// every waiting change.
void ShowAllWaiting();

}  // namespace ui_detail
