// Panels, splitters, timers, images and shapes.
#pragma once

#include <memory>

#include "platform/Controls.h"
#include "platform/Pictures.h"

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

// A picture on its parent. Stretch scales the picture to the control;
// otherwise it is drawn at its own size from the top left (or centred with
// Center). AutoSize makes the control take the picture's size whenever the
// picture changes. Transparent leaves the pixels of a bitmap's bottom-left
// colour undrawn.
class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;

  // The picture (owned by the image); loading into it repaints the image.
  TPicture* Picture() const { return picture_.get(); }
  void SetPicture(const TPicture& p) { picture_->Assign(p); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  bool Center() const { return center_; }
  void SetCenter(bool v);
  // With Stretch: keep the picture's proportions (fitted inside).
  bool Proportional() const { return proportional_; }
  void SetProportional(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);

 private:
  void PictureChanged();
  std::unique_ptr<TPicture> picture_;
  bool stretch_ = false;
  bool autoSize_ = false;
  bool center_ = false;
  bool proportional_ = false;
  bool transparent_ = false;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// A shape filled with Brush and outlined with Pen; colours are painted
// exactly and read back as written.
class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* AOwner);
  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType s);
  TBrush* Brush() { return &brush_; }
  const TBrush* Brush() const { return &brush_; }
  void SetBrush(const TBrush& b) { brush_.Assign(b); }
  TPen* Pen() { return &pen_; }
  const TPen* Pen() const { return &pen_; }
  void SetPen(const TPen& p) { pen_.Assign(p); }

 private:
  TShapeType shape_ = stRectangle;
  TBrush brush_;
  TPen pen_;
};
