// TControl: stored geometry and state, mirrored onto the native widget.
#include <QApplication>
#include <QVariant>

#include "Toolkit.h"
#include "platform/Exceptions.h"
#include "platform/Forms.h"
#include "platform/Menus.h"

namespace ui_detail {

static const char kControlProperty[] = "uiControl";

Peer::Peer(QWidget* w) : widget(w), container(w) {}

Peer::~Peer() {
  if (widget) {
    widget->setProperty(kControlProperty, QVariant());
    delete widget.data();
  }
}

TControl* ControlOf(const QObject* o) {
  for (; o; o = o->parent()) {
    QVariant v = o->property(kControlProperty);
    if (v.isValid()) {
      auto* c = static_cast<TControl*>(v.value<void*>());
      if (!c || (c->ComponentState() & csDestroying)) return nullptr;
      return c;
    }
    // A dialog window that no control shows (a message box over a form)
    // belongs to none.
    if (o->isWidgetType() && static_cast<const QWidget*>(o)->windowType() == Qt::Dialog)
      return nullptr;
  }
  return nullptr;
}

TWinControl* WinControlOf(const QObject* o) {
  for (TControl* c = ControlOf(o); c; c = c->Parent()) {
    if (auto* w = dynamic_cast<TWinControl*>(c)) return w;
  }
  return nullptr;
}

void Reparent(TControl* c, QWidget* parent, bool asWindow) {
  QWidget* w = W(c);
  if (!w) return;
  if (asWindow)
    w->setParent(parent, Qt::Window);
  else
    w->setParent(parent, Qt::Widget);
}

}  // namespace ui_detail

using namespace ui_detail;

TControl::TControl(TComponent* AOwner, ui_detail::Peer* peer, int w, int h)
    : TComponent(AOwner), peer_(peer), width_(w), height_(h) {
  peer_->control = this;
  peer_->widget->setProperty(kControlProperty, QVariant::fromValue<void*>(this));
  peer_->widget->setMouseTracking(true);
  peer_->widget->resize(w, h);
  peer_->widget->setFont(ToQFont(font_));
  font_.OnChange = [this](TObject*) {
    parentFont_ = false;
    FontChanged();
  };
}

TControl::~TControl() {
  BeginDestroy();
  if (parent_) {
    TWinControl* p = parent_;
    p->RemoveControl(this);
    parent_ = nullptr;
    if (!(p->ComponentState() & csDestroying)) p->Realign();
  }
  DestroyComponents();
  if (QWidget* w = W(this)) {
    if (qApp && w->hasFocus()) w->clearFocus();
  }
  peer_.reset();
}

bool TControl::Quiet() const { return Loading() || (ComponentState() & csDestroying); }

void TControl::SetParent(TWinControl* p) {
  if (p == parent_) return;
  for (TControl* c = p; c; c = c->parent_)
    if (c == this) throw EInvalidOperation("A control cannot have itself as its parent");
  TWinControl* old = parent_;
  if (old) old->RemoveControl(this);
  parent_ = p;
  Reparent(this, p ? Container(p) : nullptr, false);
  PlacePeer();
  if (p) {
    p->InsertControl(this);
    if (parentFont_) ParentFontChanged(p->font_);
  }
  ApplyVisible();
  if (QWidget* w = W(this)) w->setEnabled(enabled_);
  if (old && !(old->ComponentState() & csDestroying)) old->Realign();
  if (p) p->Realign();
}

void TControl::SetBounds(int l, int t, int w, int h) {
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  if (l == left_ && t == top_ && w == width_ && h == height_) return;
  SetBoundsQuiet(l, t, w, h);
  RequestAlign();
}

void TControl::SetBoundsQuiet(int l, int t, int w, int h) {
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  bool sized = w != width_ || h != height_;
  left_ = l;
  top_ = t;
  width_ = w;
  height_ = h;
  PlacePeer();
  if (sized)
    if (auto* wc = dynamic_cast<TWinControl*>(this)) wc->Realign();
  BoundsChanged();
}

void TControl::PlacePeer() {
  QWidget* w = W(this);
  if (!w) return;
  // A form's window is sized by its peer (client area and menu bar).
  if (dynamic_cast<TCustomForm*>(this) && !parent_)
    w->move(left_, top_);
  else
    w->setGeometry(left_, top_, width_, height_);
  peer_->Layout();
}

void TControl::RequestAlign() {
  if (parent_) parent_->Realign();
}

void TControl::ApplyVisible() {
  QWidget* w = W(this);
  if (!w) return;
  if (!parent_) {
    if (!dynamic_cast<TCustomForm*>(this)) w->hide();
    return;
  }
  w->setVisible(visible_);
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  visible_ = v;
  ApplyVisible();
  RequestAlign();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
    if (!c->parent_ && !dynamic_cast<const TCustomForm*>(c)) return false;
  }
  return true;
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  if (QWidget* w = W(this)) w->setEnabled(v);
}

void TControl::SetAlign(TAlign a) {
  if (a == align_) return;
  align_ = a;
  RequestAlign();
}

void TControl::SetTextValue(const AnsiString& v) { text_ = v; }

void TControl::SetParentFont(bool v) {
  parentFont_ = v;
  if (v && parent_) ParentFontChanged(parent_->font_);
}

void TControl::ParentFontChanged(const TFont& f) {
  if (!parentFont_) return;
  font_ = f;  // fires OnChange, which clears the flag: put it back
  parentFont_ = true;
}

namespace {

// A colour that shows while the control is enabled: disabled, the control
// keeps the toolkit's greyed text and text field, as the class library's
// controls are greyed whatever colours code gave them.
void SetEnabledColour(QPalette& pal, QPalette::ColorRole role, const QColor& c) {
  pal.setColor(QPalette::Active, role, c);
  pal.setColor(QPalette::Inactive, role, c);
}

}  // namespace

void TControl::FontChanged() {
  if (QWidget* w = W(this)) {
    w->setFont(ToQFont(font_));
    QPalette pal = w->palette();
    QColor c = ToQColor(font_.Color());
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
      SetEnabledColour(pal, role, c);
    w->setPalette(pal);
  }
  if (auto* wc = dynamic_cast<TWinControl*>(this))
    for (int i = 0; i < wc->ControlCount(); ++i) wc->Controls(i)->ParentFontChanged(font_);
}

void TControl::SetColor(TColor c) {
  color_ = c;
  QWidget* w = W(this);
  if (!w) return;
  QPalette pal = w->palette();
  QColor q = ToQColor(c);
  // A form's, a panel's or a button's face keeps its colour when disabled;
  // a text field's fill does not.
  pal.setColor(QPalette::Window, q);
  SetEnabledColour(pal, QPalette::Base, q);
  pal.setColor(QPalette::Button, q);
  w->setPalette(pal);
  w->update();
}

static QString ExpandTabs(const QString& s) {
  QString out;
  int col = 0;
  for (QChar ch : s) {
    if (ch == '\t') {
      int n = 8 - col % 8;
      out += QString(n, ' ');
      col += n;
    } else {
      out += ch;
      col = ch == '\n' ? 0 : col + 1;
    }
  }
  return out;
}

void TControl::SetHint(const AnsiString& v) {
  hint_ = v;
  if (QWidget* w = W(this)) w->setToolTip(showHint_ ? ExpandTabs(Q(hint_)) : QString());
}

void TControl::SetShowHint(bool v) {
  showHint_ = v;
  SetHint(hint_);
}

void TControl::BringToFront() {
  if (QWidget* w = W(this)) w->raise();
}
void TControl::SendToBack() {
  if (QWidget* w = W(this)) w->lower();
}
void TControl::Repaint() {
  if (QWidget* w = W(this)) w->update();
}

TCustomForm* TControl::OwningForm() const {
  for (const TControl* c = this; c; c = c->parent_)
    if (auto* f = dynamic_cast<const TCustomForm*>(c)) return const_cast<TCustomForm*>(f);
  return nullptr;
}

TCustomForm* TControl::TopForm() const {
  TCustomForm* top = nullptr;
  for (const TControl* c = this; c; c = c->parent_)
    if (auto* f = dynamic_cast<const TCustomForm*>(c)) top = const_cast<TCustomForm*>(f);
  return top;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::SetPopupMenu(TPopupMenu* m) {
  if (m == popup_) return;
  if (popup_) RemoveFreeNotification(popup_);
  popup_ = m;
  if (m) m->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent && AComponent == popup_) popup_ = nullptr;
}
