// Forms: construction, showing, the close protocol and the modal loop.
#include <QApplication>
#include <QCloseEvent>
#include <QScreen>

#include "MenuBar.h"
#include "ShownLater.h"
#include "Toolkit.h"
#include "platform/Exceptions.h"
#include "platform/Menus.h"

using namespace ui_detail;

namespace {

// The height of the menu bar inside the window (part of the non-client
// height, see FrameHeight): one row, or more when the entries wrap.
int MenuBarHeight(const TCustomForm* f);

// The window of a form: its client area. The close box asks the form to
// close; activation makes it the application's active form.
class FormWidget : public QWidget {
 public:
  FormWidget() : QWidget(nullptr, Qt::Window) { setAutoFillBackground(true); }

 protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    if (auto* f = dynamic_cast<TCustomForm*>(ControlOf(this))) Guarded(f, [f] { f->Close(); });
  }
  bool event(QEvent* e) override {
    // The window paints anyway: views that wait for their interval
    // (ShownLater.h) are painted with it, not in a pass of their own later.
    if (e->type() == QEvent::UpdateRequest && isWindow()) ShowAllWaiting();
    if (e->type() == QEvent::WindowActivate && isWindow()) {
      if (auto* f = dynamic_cast<TCustomForm*>(ControlOf(this)))
        if (f->Visible()) Application->SetActiveForm(f);
    }
    return QWidget::event(e);
  }
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    auto* f = dynamic_cast<TCustomForm*>(ControlOf(this));
    if (!f || !isWindow() || !isVisible()) return;
    // The user resized the window: the stored size follows.
    int bar = MenuBarHeight(f);
    if (e->size().width() != f->ClientWidth() || e->size().height() != f->ClientHeight() + bar)
      f->SetBounds(f->Left(), f->Top(), e->size().width() + f->FrameWidth(),
                   e->size().height() - bar + f->FrameHeight());
  }
};

// A form's window holds its menu bar (when it has a main menu) and, below
// it, the client area where the child controls live.
struct FormPeer : Peer {
  FormPeer() : Peer(new FormWidget()) {
    auto* client = new QWidget(widget);
    container = client;
  }

  void Layout() override {
    auto* f = dynamic_cast<TCustomForm*>(control);
    if (!f || !widget || !container) return;
    int cw = f->ClientWidth();
    if (menuBar) menuBar->LayOut(cw);  // the rows at this width decide the client height
    int ch = f->ClientHeight(), bar = MenuBarHeight(f);
    if (!f->Parent()) widget->resize(cw, ch + bar);
    if (menuBar) {
      menuBar->move(0, 0);
      menuBar->setVisible(bar > 0);
    }
    container->setGeometry(0, bar, cw, ch);
  }

  // Shows the menu's entries in the window's bar (none: no bar).
  void SetMenu(TMainMenu* old, TMainMenu* m, int clientWidth) {
    if (menuBar) {
      QPointer<WrappingMenuBar> gone = menuBar;
      menuBar = nullptr;
      if (old) DetachMenuHost(old, gone);
      delete gone.data();
    }
    if (!m || !qApp) return;
    auto* b = new WrappingMenuBar(widget, [this] { RowsChanged(); });
    AttachMenuHost(m, b);
    b->LayOut(clientWidth);
    menuBar = b;
  }

  // The entries now need more or fewer rows: the window keeps its size and
  // the client area gives or takes the difference.
  void RowsChanged() {
    auto* f = dynamic_cast<TCustomForm*>(control);
    if (!f || !menuBar || (f->ComponentState() & csDestroying)) return;
    Layout();
    f->Realign();
  }

  int MenuRows() const { return menuBar ? menuBar->Rows() : 1; }

  QPointer<WrappingMenuBar> menuBar;
};

int MenuBarHeight(const TCustomForm* f) {
  if (!f->Menu() || f->Parent()) return 0;
  return static_cast<const FormPeer*>(f->PeerOf())->MenuRows() * WrappingMenuBar::kRowHeight;
}

}  // namespace

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner, new FormPeer(), 320, 240) {
  StoreVisible(false);
  PlacePeer();
  SetColor(clBtnFace);
}

TCustomForm::~TCustomForm() {
  BeginDestroy();
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      HandleCurrentException(this);
    }
  }
  Application->FormDestroyed(this);
  if (QWidget* w = W(this)) w->hide();
}

void TCustomForm::AfterConstruction() {
  if (created_) return;
  created_ = true;
  if (!OnCreate) return;
  // As the class library does: an exception from OnCreate is shown and the
  // form lives on.
  try {
    OnCreate(this);
  } catch (...) {
    HandleCurrentException(this);
  }
}

int TCustomForm::FrameWidth() const {
  if (Parent()) return 0;
  switch (borderStyle_) {
    case bsNone:
      return 0;
    case bsSizeable:
    case bsSizeToolWin:
      return 8;
    default:
      return 6;
  }
}

int TCustomForm::FrameHeight() const {
  if (Parent()) return 0;
  int menu = MenuBarHeight(this);
  switch (borderStyle_) {
    case bsNone:
      return menu;
    case bsSizeable:
    case bsSizeToolWin:
      return 31 + menu;
    default:
      return 29 + menu;
  }
}

int TCustomForm::ClientWidth() const { return std::max(0, Width() - FrameWidth()); }
int TCustomForm::ClientHeight() const { return std::max(0, Height() - FrameHeight()); }

void TCustomForm::BoundsChanged() {
  QWidget* w = W(this);
  if (w && !Parent() &&
      (borderStyle_ == bsSingle || borderStyle_ == bsDialog || borderStyle_ == bsNone))
    w->setFixedSize(ClientWidth(), ClientHeight() + MenuBarHeight(this));
}

void TCustomForm::SetBorderStyle(TFormBorderStyle b) {
  // The stored client size stays; the outer size follows the new frame.
  int cw = ClientWidth(), ch = ClientHeight();
  borderStyle_ = b;
  if (QWidget* w = W(this); w && !Parent()) {
    Qt::WindowFlags flags = Qt::Window;
    if (b == bsNone) flags |= Qt::FramelessWindowHint;
    if (b == bsDialog) flags |= Qt::Dialog;
    w->setWindowFlags(flags);
    if (b == bsSizeable || b == bsSizeToolWin)
      w->setMinimumSize(0, 0), w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  SetBoundsQuiet(Left(), Top(), cw + FrameWidth(), ch + FrameHeight());
  RequestAlign();
}

void TCustomForm::SetBorderIcons(TBorderIcons b) { borderIcons_ = b; }

// The client size stays; the menu bar adds its height to the window.
void TCustomForm::SetMenu(TMainMenu* m) {
  if (m == menu_) return;
  int cw = ClientWidth(), ch = ClientHeight();
  TMainMenu* old = menu_;
  if (old) old->RemoveFreeNotification(this);
  menu_ = m;
  if (m) m->FreeNotification(this);
  static_cast<FormPeer*>(PeerOf())->SetMenu(old, m, cw);
  SetBoundsQuiet(Left(), Top(), cw + FrameWidth(), ch + FrameHeight());
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent && AComponent == menu_ &&
      !(ComponentState() & csDestroying))
    SetMenu(nullptr);
}

void TCustomForm::SetWindowState(TWindowState s) {
  windowState_ = s;
  QWidget* w = W(this);
  if (!w || Parent() || !Visible()) return;
  if (s == wsMinimized)
    w->showMinimized();
  else if (s == wsMaximized)
    w->showMaximized();
  else
    w->showNormal();
}

void TCustomForm::SetTextValue(const AnsiString& v) {
  text_ = v;
  if (QWidget* w = W(this)) w->setWindowTitle(Q(v));
}

TWinControl* TCustomForm::ActiveControl() const {
  return activeToken_.expired() ? nullptr : activeControl_;
}

void TCustomForm::SetActiveControl(TWinControl* c) {
  activeControl_ = c;
  activeToken_ = c ? c->LifeToken() : std::weak_ptr<void>();
  chosen_ = c;
  chosenToken_ = activeToken_;
  if (!Visible()) {
    openOn_ = c;
    openOnToken_ = activeToken_;
  }
  if (c && Visible() && c->CanFocus() && !InExitHandler())
    if (QWidget* w = W(c)) w->setFocus(CodeFocusReason());
}

bool TCustomForm::Active() const { return Application->ActiveForm() == this; }

void TCustomForm::SetParent(TWinControl* p) {
  if (p == Parent()) return;
  int cw = ClientWidth(), ch = ClientHeight();
  bool wasWindow = !Parent();
  if (wasWindow && p) {
    if (QWidget* w = W(this)) w->hide();
  }
  TControl::SetParent(p);
  if (!p) {
    Reparent(this, nullptr, true);
    if (QWidget* w = W(this)) w->setVisible(false);
    StoreVisible(false);
  }
  // A parented form has no frame: its size is its client size.
  SetBoundsQuiet(Left(), Top(), cw + FrameWidth(), ch + FrameHeight());
  RequestAlign();
}

void TCustomForm::PlaceOnShow() {
  TCustomForm* ref = nullptr;
  switch (position_) {
    case poMainFormCenter:
      ref = Application->MainForm();
      break;
    case poOwnerFormCenter:
      ref = dynamic_cast<TCustomForm*>(Owner());
      break;
    case poScreenCenter:
    case poDesktopCenter:
      break;
    default:
      return;
  }
  if (ref == this || (ref && !ref->Visible())) ref = nullptr;
  int l, t;
  if (ref) {
    l = ref->Left() + (ref->Width() - Width()) / 2;
    t = ref->Top() + (ref->Height() - Height()) / 2;
  } else {
    l = (Screen->Width() - Width()) / 2;
    t = (Screen->Height() - Height()) / 2;
  }
  SetBoundsQuiet(std::max(0, l), std::max(0, t), Width(), Height());
}

void TCustomForm::SetVisible(bool v) {
  if (Parent()) {
    TControl::SetVisible(v);
    return;
  }
  QWidget* w = W(this);
  if (v) {
    bool was = Visible() && w && w->isVisible();
    StoreVisible(true);
    if (!was) {
      if (!shownOnce_ || position_ != poDesigned) PlaceOnShow();
      shownOnce_ = true;
      PlacePeer();
      BoundsChanged();
      if (w) w->show();
      if (OnShow) OnShow(this);
    }
    if (w) {
      if (QGuiApplication::platformName() != QLatin1String("offscreen")) w->raise();
      w->activateWindow();
      QApplication::setActiveWindow(w);
    }
    Application->SetActiveForm(this);
    if (!was) {
      // A modal opening ignores the focus the window system gave back to
      // the control its last opening left it in.
      TWinControl* c = !opening_ ? ActiveControl() : chosenToken_.expired() ? nullptr : chosen_;
      opening_ = false;
      if (c && c->CanFocus()) {
        if (QWidget* cw = W(c)) cw->setFocus(Qt::ActiveWindowFocusReason);
      } else {
        SelectNext(nullptr, true, true);
      }
    }
  } else {
    if (!Visible()) return;
    StoreVisible(false);
    if (w) w->hide();
    if (Application->ActiveForm() == this) Application->SetActiveForm(nullptr);
    if (OnHide) OnHide(this);
  }
}

void TCustomForm::Activated() {
  if (OnActivate) Guarded(this, [this] { OnActivate(this); });
}

int TCustomForm::ShowModal() {
  if (Visible() && !Parent()) throw EInvalidOperation("Cannot make a visible window modal");
  if (Parent()) throw EInvalidOperation("Cannot make a visible window modal");
  std::weak_ptr<void> alive = LifeToken();
  TCustomForm* opener = Application->ActiveForm();
  std::weak_ptr<void> openerAlive = opener ? opener->LifeToken() : std::weak_ptr<void>();
  modalResult_ = mrNone;
  // A dialog made once and shown again opens as it did the first time:
  // the focus its last opening left (on Close, on Set) is forgotten.
  chosen_ = openOnToken_.expired() ? nullptr : openOn_;
  chosenToken_ = openOnToken_;
  opening_ = true;
  if (QWidget* w = W(this)) w->setWindowModality(Qt::ApplicationModal);
  ++modalLevel_;
  try {
    Show();
  } catch (...) {
    --modalLevel_;
    opening_ = false;
    throw;
  }
  Application->RunModalLoop(this);
  if (alive.expired()) return mrCancel;
  --modalLevel_;
  int result = modalResult_;
  StoreVisible(true);
  SetVisible(false);
  if (QWidget* w = W(this)) w->setWindowModality(Qt::NonModal);
  // The opener becomes active again: its OnActivate runs (a child form
  // closed).
  if (opener && !openerAlive.expired() && opener->Visible()) {
    if (QWidget* w = W(opener)) {
      w->activateWindow();
      QApplication::setActiveWindow(w);
    }
    Application->SetActiveForm(opener);
  }
  return result;
}

void TCustomForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

bool TCustomForm::CloseQuery() {
  bool can = true;
  if (OnCloseQuery) OnCloseQuery(this, can);
  return can;
}

// Runs from the modal loop once ModalResult is set.
void TCustomForm::CloseModal() {
  std::weak_ptr<void> alive = LifeToken();
  closing_ = true;
  try {
    if (CloseQuery()) {
      TCloseAction action = caHide;
      DoClose(action);
      if (alive.expired()) return;
      if (action == caNone)
        modalResult_ = mrNone;
      else if (action == caFree)
        Release();
    } else if (!alive.expired()) {
      modalResult_ = mrNone;
    }
  } catch (...) {
    if (!alive.expired()) modalResult_ = mrNone;
    HandleCurrentException(this);
  }
  if (!alive.expired()) closing_ = false;
}

void TCustomForm::Close() {
  if (closing_) return;  // its close handlers are running (they may pump)
  if (modalLevel_ > 0) {
    modalResult_ = mrCancel;
    return;
  }
  std::weak_ptr<void> alive = LifeToken();
  struct Reset {
    TCustomForm* f;
    std::weak_ptr<void>& alive;
    ~Reset() {
      if (!alive.expired()) f->closing_ = false;
    }
  } reset{this, alive};
  closing_ = true;
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (alive.expired() || action == caNone) return;
  if (this == Application->MainForm()) {
    Application->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

void TCustomForm::Release() { PostRelease(this); }

void TCustomForm::BringToFront() {
  if (QWidget* w = W(this); w && QGuiApplication::platformName() != QLatin1String("offscreen"))
    w->raise();
}

void TCustomForm::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return;
  int n = static_cast<int>(list.size());
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (list[static_cast<std::size_t>(i)] == current) start = i;
  for (int step = 1; step <= n; ++step) {
    int i = start < 0 ? (forward ? step - 1 : n - step)
                      : ((start + (forward ? step : -step)) % n + n) % n;
    TWinControl* c = list[static_cast<std::size_t>(i)];
    if (c == current) break;
    if (dynamic_cast<TCustomForm*>(c)) continue;
    if (checkTabStop && !c->TabStop()) continue;
    if (!c->CanFocus()) continue;
    FocusByKey byKey;
    c->SetFocus();
    return;
  }
}

void TCustomForm::FocusControl(TWinControl* c) {
  if (c) c->SetFocus();
}

void TCustomForm::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_NEXTDLGCTL) {
    if (Message.LParam == 0) {
      TWinControl* from = ActiveControl();
      if (QApplication::focusWidget())
        if (TWinControl* f = WinControlOf(QApplication::focusWidget()); f && f->TopForm() == this)
          from = f;
      SelectNext(from, Message.WParam == 0, true);
    }
    return;
  }
  TWinControl::Dispatch(Message);
}
