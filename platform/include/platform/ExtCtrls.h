// Panels, splitters and timers.
#pragma once

#include "platform/Controls.h"

// A panel: a bevelled container with an optional centred caption. A
// disabled panel blocks input to its children without changing their own
// Enabled flags.
class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* AOwner);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut b);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut b);
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);

 protected:
  TRect AlignRect() const override;
  void SetTextValue(const AnsiString& v) override;

 private:
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvRaised;
  int bevelWidth_ = 1;
  TAlignment alignment_ = taCenter;
};

// A bar that the user drags to resize the aligned control before it (the
// one it is attached to on its Align side).
class TSplitter : public TGraphicControl {
 public:
  explicit TSplitter(TComponent* AOwner);
  int MinSize() const { return minSize_; }
  void SetMinSize(int v) { minSize_ = v; }

  TNotifyEvent OnMoved;

  // Toolkit side: the user dragged the bar by delta pixels.
  void Dragged(int delta);
  TControl* FindNeighbour() const;

 private:
  int minSize_ = 30;
};

// A timer. It runs while Enabled, Interval > 0 and OnTimer is set, and only
// once the application object exists (a timer built before that stores its
// values). Setting Enabled or Interval restarts the period. OnTimer is never
// re-entered and missed ticks do not pile up.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner = nullptr);
  ~TTimer() override;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);

  TNotifyEvent OnTimer;

  // Toolkit side: the period elapsed.
  void Tick();
  bool Running() const { return running_; }

 private:
  void Restart();
  bool enabled_ = true;
  bool running_ = false;
  unsigned interval_ = 1000;
};
