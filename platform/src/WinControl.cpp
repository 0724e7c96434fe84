// TWinControl: children, handles, the Align model, focus and tab order.
#include <QApplication>
#include <algorithm>
#include <unordered_map>

#include "Toolkit.h"
#include "platform/Exceptions.h"

using namespace ui_detail;

namespace {

std::unordered_map<HWND, TWinControl*>& Handles() {
  static auto* map = new std::unordered_map<HWND, TWinControl*>();
  return *map;
}

HWND NewHandle() {
  static std::uintptr_t next = 0x1000;
  next += 0x10;  // never reused, so a dead handle stays dead
  return reinterpret_cast<HWND>(next);
}

}  // namespace

TWinControl::TWinControl(TComponent* AOwner, ui_detail::Peer* peer, int w, int h)
    : TControl(AOwner, peer, w, h), handle_(NewHandle()) {
  Handles()[handle_] = this;
}

TWinControl::~TWinControl() {
  BeginDestroy();
  Handles().erase(handle_);
  // A parent destroys every control it holds, whoever owns it; the last first.
  while (!controls_.empty()) delete controls_.back();
}

TWinControl* TWinControl::FromHandle(HWND h) {
  auto it = Handles().find(h);
  return it == Handles().end() ? nullptr : it->second;
}

TControl* TWinControl::Controls(int i) const {
  if (i < 0 || i >= ControlCount())
    throw EListError(AnsiString::Format("List index out of bounds (%d)", i));
  return controls_[static_cast<std::size_t>(i)];
}

void TWinControl::InsertControl(TControl* c) {
  controls_.push_back(c);
  if (auto* w = dynamic_cast<TWinControl*>(c)) tabList_.push_back(w);
}

void TWinControl::RemoveControl(TControl* c) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
  tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), c), tabList_.end());
}

TRect TWinControl::AlignRect() const {
  int b = borderWidth_;
  return {b, b, ClientWidth() - b, ClientHeight() - b};
}

void TWinControl::SetBorderWidth(int v) {
  borderWidth_ = v < 0 ? 0 : v;
  Realign();
}

void TWinControl::EnableAlign() {
  if (alignLock_ > 0 && --alignLock_ == 0) Realign();
}

// The Align model: alTop by Top, alBottom from the bottom up, alLeft by Left,
// alRight from the right, then alClient takes the rest. Hidden controls take
// no room. Runs to completion before the setter that caused it returns.
void TWinControl::Realign() {
  if (aligning_ || alignLock_ > 0 || (ComponentState() & csDestroying)) return;
  aligning_ = true;
  TRect r = AlignRect();
  auto pick = [&](TAlign a) {
    std::vector<TControl*> v;
    for (TControl* c : controls_)
      if (c->align_ == a && c->visible_) v.push_back(c);
    return v;
  };
  auto tops = pick(alTop);
  std::stable_sort(tops.begin(), tops.end(),
                   [](TControl* a, TControl* b) { return a->top_ < b->top_; });
  for (TControl* c : tops) {
    c->SetBoundsQuiet(r.Left, r.Top, r.Width(), c->height_);
    r.Top += c->height_;
  }
  auto bottoms = pick(alBottom);
  std::stable_sort(bottoms.begin(), bottoms.end(), [](TControl* a, TControl* b) {
    return a->top_ + a->height_ > b->top_ + b->height_;
  });
  for (TControl* c : bottoms) {
    c->SetBoundsQuiet(r.Left, r.Bottom - c->height_, r.Width(), c->height_);
    r.Bottom -= c->height_;
  }
  auto lefts = pick(alLeft);
  std::stable_sort(lefts.begin(), lefts.end(),
                   [](TControl* a, TControl* b) { return a->left_ < b->left_; });
  for (TControl* c : lefts) {
    c->SetBoundsQuiet(r.Left, r.Top, c->width_, std::max(0, r.Height()));
    r.Left += c->width_;
  }
  auto rights = pick(alRight);
  std::stable_sort(rights.begin(), rights.end(), [](TControl* a, TControl* b) {
    return a->left_ + a->width_ > b->left_ + b->width_;
  });
  for (TControl* c : rights) {
    c->SetBoundsQuiet(r.Right - c->width_, r.Top, c->width_, std::max(0, r.Height()));
    r.Right -= c->width_;
  }
  for (TControl* c : pick(alClient))
    c->SetBoundsQuiet(r.Left, r.Top, std::max(0, r.Width()), std::max(0, r.Height()));
  aligning_ = false;
  AfterRealign();
}

void TWinControl::ScrollBy(int dx, int dy) {
  DisableAlign();
  for (TControl* c : controls_)
    c->SetBoundsQuiet(c->left_ + dx, c->top_ + dy, c->width_, c->height_);
  --alignLock_;
  AfterRealign();
}

bool TWinControl::CanFocus() const {
  TCustomForm* form = TopForm();
  if (!form || !form->Visible() || !form->Enabled()) return false;
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const {
  QWidget* w = W(this);
  if (!w || !qApp) return false;
  QWidget* f = QApplication::focusWidget();
  return f && WinControlOf(f) == this;
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  if (InExitHandler()) {
    VetoFocusMove(this);
    return;
  }
  TCustomForm* form = TopForm();
  if (form && form != this) form->SetActiveControl(this);
  if (QWidget* w = W(this)) w->setFocus(Qt::OtherFocusReason);
}

int TWinControl::TabOrder() const {
  TWinControl* p = Parent();
  if (!p) return -1;
  auto& v = p->tabList_;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TWinControl::SetTabOrder(int v) {
  TWinControl* p = Parent();
  if (!p) return;
  auto& list = p->tabList_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (v < 0 || v > static_cast<int>(list.size())) v = static_cast<int>(list.size());
  list.insert(list.begin() + v, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : tabList_) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

void TWinControl::Dispatch(TMessage&) {}

void TWinControl::Perform(UINT msg, WPARAM w, LPARAM l) {
  TMessage m;
  m.Msg = msg;
  m.WParam = w;
  m.LParam = l;
  Dispatch(m);
}
