// TControl and TWinControl: geometry, visibility, the Align model, focus,
// tab order and messages.
#pragma once

#include <memory>
#include <vector>

#include "platform/Closure.h"
#include "platform/Component.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TModalResultValues {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7
};
using TModalResult = int;

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TRect& o) const {
    return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
  }
};
struct TPoint {
  int x = 0, y = 0;
};

class TWinControl;
class TCustomForm;
class TPopupMenu;
namespace ui_detail {
struct Peer;  // the native widget behind a control (defined with the toolkit)
}

// A visible control. Its properties are its own stored values: Visible,
// Enabled and the bounds read back what was written, before and after the
// control is shown and whatever its parents are. A control without a parent
// keeps its properties and is never shown (forms excepted).
class TControl : public TComponent {
 public:
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* p);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int l, int t, int w, int h);
  TRect BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
  virtual int ClientWidth() const { return width_; }
  virtual int ClientHeight() const { return height_; }
  void SetClientWidth(int v) { SetWidth(v + width_ - ClientWidth()); }
  void SetClientHeight(int v) { SetHeight(v + height_ - ClientHeight()); }
  TRect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible itself and through every parent (a form's own flag at the top).
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);

  // Caption and Text are the same value.
  AnsiString Caption() const { return GetText(); }
  void SetCaption(const AnsiString& v) { SetText(v); }
  AnsiString Text() const { return GetText(); }
  void SetText(const AnsiString& v) { SetTextValue(v); }

  TFont* Font() { return &font_; }
  const TFont* Font() const { return &font_; }
  void SetFont(const TFont& f) { font_ = f; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  AnsiString Hint() const { return hint_; }
  void SetHint(const AnsiString& v);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool v);
  TPopupMenu* PopupMenu() const { return popup_; }
  // A right click on the control (or on a child without a menu of its own)
  // opens it. Forgotten when the menu is destroyed.
  void SetPopupMenu(TPopupMenu* m);

  // Moves the control to the front or back among its siblings (painting only).
  void BringToFront();
  void SendToBack();
  void Repaint();
  void Invalidate() { Repaint(); }
  void Update() { Repaint(); }

  // The form this control lies on (the top-level one when forms are parented).
  TCustomForm* OwningForm() const;
  TCustomForm* TopForm() const;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;

  // Runs OnClick (a no-op when none is set).
  virtual void Click();

  void Notification(TComponent* AComponent, TOperation Operation) override;

  // For the toolkit side only.
  ui_detail::Peer* PeerOf() const { return peer_.get(); }

 protected:
  // Takes the native peer; every control class creates its own.
  TControl(TComponent* AOwner, ui_detail::Peer* peer, int w, int h);

  virtual AnsiString GetText() const { return text_; }
  virtual void SetTextValue(const AnsiString& v);
  // Called after the stored bounds changed (the peer is already placed).
  virtual void BoundsChanged() {}
  virtual void FontChanged();
  // True when events must not fire (loading or destroying).
  bool Quiet() const;
  // Stores the bounds without re-aligning the parent (the Align engine).
  void SetBoundsQuiet(int l, int t, int w, int h);
  void PlacePeer();
  void ApplyVisible();
  void StoreVisible(bool v) { visible_ = v; }
  void RequestAlign();

  AnsiString text_;

 private:
  friend class TWinControl;
  void ParentFontChanged(const TFont& f);

  std::unique_ptr<ui_detail::Peer> peer_;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  bool parentFont_ = true;
  bool showHint_ = false;
  TAlign align_ = alNone;
  TFont font_;
  TColor color_ = clBtnFace;
  AnsiString hint_;
  TPopupMenu* popup_ = nullptr;
};

// A control that can hold child controls and take the focus.
class TWinControl : public TControl {
 public:
  ~TWinControl() override;

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  // Throws EListError for an index out of range.
  TControl* Controls(int i) const;

  // An opaque handle for PostMessageA and MessageBoxA; reading it has no
  // other effect.
  HWND Handle() const { return handle_; }
  bool HandleAllocated() const { return true; }
  // The control that owns a handle, or null for a dead one.
  static TWinControl* FromHandle(HWND h);

  // Throws EInvalidOperation when the control cannot take the focus.
  virtual void SetFocus();
  // Visible and enabled itself and up the parent chain, on a visible,
  // enabled form.
  virtual bool CanFocus() const;
  bool Focused() const;

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v) { tabStop_ = v; }
  // The position among the parent's tab-ordered children.
  int TabOrder() const;
  void SetTabOrder(int v);

  // Moves every child control by the delta.
  void ScrollBy(int dx, int dy);
  // Re-runs the Align model over the children.
  void Realign();
  void DisableAlign() { ++alignLock_; }
  void EnableAlign();
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int v);

  // Messages posted with PostMessageA arrive here. The form's default
  // handling moves the focus on WM_NEXTDLGCTL.
  virtual void Dispatch(TMessage& Message);
  void Perform(UINT msg, WPARAM w, LPARAM l);

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;

  // Controls in tab order, depth first, below this one.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;

 protected:
  TWinControl(TComponent* AOwner, ui_detail::Peer* peer, int w, int h);
  // The rectangle, in client coordinates, that aligned children share.
  virtual TRect AlignRect() const;
  // Runs after every re-alignment (scroll boxes update their range).
  virtual void AfterRealign() {}
  // The children live inside this peer (a scroll box's inner area); the
  // toolkit side asks for it.
  friend struct ui_detail::Peer;

 private:
  friend class TControl;
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);

  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  HWND handle_ = nullptr;
  bool tabStop_ = false;
  bool aligning_ = false;
  int alignLock_ = 0;
  int borderWidth_ = 0;
};

// A plain control without a window of its own (labels, splitters, shapes).
class TGraphicControl : public TControl {
 protected:
  using TControl::TControl;
};
