// Focus changes, OnEnter and OnExit, the click veto, keys and the tab order.
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

#include "FocusLook.h"
#include "Toolkit.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

using namespace ui_detail;

namespace {

class InputFilter : public QObject {
 public:
  bool eventFilter(QObject* o, QEvent* e) override;
  void FocusChanged(QWidget* old, QWidget* now);

  Qt::FocusReason lastReason = Qt::OtherFocusReason;
  bool swallowMouse = false;
  bool suppress = false;
  bool replacing = false;
  TWinControl* inExit = nullptr;
  TWinControl* vetoTarget = nullptr;
  bool boxInExit = false;
};

InputFilter* g_filter = nullptr;
Qt::FocusReason g_codeReason = Qt::OtherFocusReason;

WORD VkOf(const QKeyEvent* ke) {
  int k = ke->key();
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<WORD>('0' + (k - Qt::Key_0));
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<WORD>('A' + (k - Qt::Key_A));
  if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return static_cast<WORD>(VK_F1 + (k - Qt::Key_F1));
  switch (k) {
    case Qt::Key_Backspace:
      return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Space:
      return VK_SPACE;
    case Qt::Key_PageUp:
      return VK_PRIOR;
    case Qt::Key_PageDown:
      return VK_NEXT;
    case Qt::Key_End:
      return VK_END;
    case Qt::Key_Home:
      return VK_HOME;
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Insert:
      return VK_INSERT;
    case Qt::Key_Delete:
      return VK_DELETE;
    case Qt::Key_Shift:
      return VK_SHIFT;
    case Qt::Key_Control:
      return VK_CONTROL;
    case Qt::Key_Alt:
      return VK_MENU;
    default:
      return 0;
  }
}

TShiftState ShiftOf(Qt::KeyboardModifiers m) {
  TShiftState s = 0;
  if (m & Qt::ShiftModifier) s |= ssShift;
  if (m & Qt::AltModifier) s |= ssAlt;
  if (m & Qt::ControlModifier) s |= ssCtrl;
  return s;
}

// The character a key press delivers to OnKeyPress, as the system makes it:
// Ctrl with a letter gives its control character (Ctrl+A #1 ... Ctrl+Z #26,
// so Ctrl+C is #3 and Ctrl+V #22), Ctrl with [ \ ] gives #27 #28 #29,
// Ctrl+Backspace #127 and Ctrl+Enter #10. Ctrl with Alt (AltGr) types what
// the key shows. 0: no character (editing keys, function keys).
char CharOf(const QKeyEvent* ke, WORD vk, TShiftState shift) {
  bool ctrl = (shift & ssCtrl) && !(shift & ssAlt);
  if (vk == VK_BACK) return ctrl ? 127 : 8;
  if (vk == VK_RETURN) return ctrl ? 10 : 13;
  if (vk == VK_ESCAPE) return 27;
  if (ctrl) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<char>(vk - 'A' + 1);
    switch (ke->key()) {
      case Qt::Key_BracketLeft:
        return 27;
      case Qt::Key_Backslash:
        return 28;
      case Qt::Key_BracketRight:
        return 29;
      default:
        return 0;
    }
  }
  QString text = ke->text();
  if (text.size() == 1 && text[0].unicode() >= 32 && text[0].unicode() < 256 &&
      text[0].unicode() != 127)
    return static_cast<char>(text[0].unicode());
  return 0;
}

// The form's default (Enter) or cancel (Escape) button, when one can act.
TButton* DialogButton(TWinControl* root, bool wantDefault) {
  std::vector<TWinControl*> list;
  root->GetTabOrderList(list);
  for (TWinControl* c : list)
    if (auto* b = dynamic_cast<TButton*>(c))
      if ((wantDefault ? b->Default() : b->Cancel()) && b->CanFocus()) return b;
  return nullptr;
}

bool HandleKey(QObject* o, QKeyEvent* ke, InputFilter* self) {
  if (o != QApplication::focusWidget()) return false;  // a parent sees it again
  TWinControl* c = WinControlOf(o);
  if (!c || !c->TopForm()) return false;
  std::weak_ptr<void> alive = c->LifeToken();
  WORD vk = VkOf(ke);
  TShiftState shift = ShiftOf(ke->modifiers());
  if (vk && c->OnKeyDown) {
    WORD key = vk;
    Guarded(c, [&] { c->OnKeyDown(c, key, shift); });
    if (alive.expired() || key == 0) return true;
  }
  TCustomForm* form = c->TopForm();
  if (vk == VK_TAB && !(shift & (ssCtrl | ssAlt))) {
    Guarded(form, [&] { form->SelectNext(c, !(shift & ssShift), true); });
    return true;
  }
  char ch = CharOf(ke, vk, shift);
  if (ch && c->OnKeyPress) {
    char key = ch;
    Guarded(c, [&] { c->OnKeyPress(c, key); });
    if (alive.expired() || key == 0) return true;
    if (key != ch) {
      // The new character is typed plainly (a control combination that
      // became a letter inserts the letter).
      QKeyEvent repl(QEvent::KeyPress, key == 8 ? Qt::Key_Backspace : 0,
                     ke->modifiers() & ~(Qt::ControlModifier | Qt::AltModifier),
                     QString(QChar(static_cast<uchar>(key))));
      self->replacing = true;
      QCoreApplication::sendEvent(o, &repl);
      self->replacing = false;
      return true;
    }
  }
  if (vk == VK_RETURN || vk == VK_ESCAPE) {
    TButton* b = dynamic_cast<TButton*>(c);
    if (!(b && vk == VK_RETURN)) b = DialogButton(form, vk == VK_RETURN);
    if (b && !dynamic_cast<TMemo*>(c)) {
      Guarded(b, [b] { b->Click(); });
      return true;
    }
  }
  return false;
}

// A right click opens the pop-up menu of the control under the mouse, or of
// the nearest parent that has one; the menu learns which control that is.
bool ContextMenu(QObject* o, QContextMenuEvent* ce) {
  for (TControl* c = ControlOf(o); c; c = c->Parent()) {
    TPopupMenu* menu = c->PopupMenu();
    if (!menu) continue;
    if (!menu->AutoPopup()) return false;
    QPoint at = ce->globalPos();
    Guarded(c, [&] {
      menu->SetPopupComponent(c);
      menu->Popup(at.x(), at.y());
    });
    return true;
  }
  return false;
}

bool InputFilter::eventFilter(QObject* o, QEvent* e) {
  switch (e->type()) {
    case QEvent::ContextMenu:
      if (o->isWidgetType()) return ContextMenu(o, static_cast<QContextMenuEvent*>(e));
      break;
    case QEvent::FocusIn:
      lastReason = static_cast<QFocusEvent*>(e)->reason();
      break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (swallowMouse) {
        e->accept();
        return true;
      }
      break;
    case QEvent::MouseButtonRelease:
      if (swallowMouse) {
        swallowMouse = false;
        e->accept();
        return true;
      }
      break;
    case QEvent::KeyPress:
      if (!replacing && o->isWidgetType()) return HandleKey(o, static_cast<QKeyEvent*>(e), this);
      break;
    default:
      break;
  }
  return false;
}

// OnExit runs only when the focus moves between two controls of one form; a
// SetFocus inside it cancels the move, and the click that caused the move is
// dropped.
void InputFilter::FocusChanged(QWidget* old, QWidget* now) {
  FocusMoved(old, now);
  TWinControl* to = now ? WinControlOf(now) : nullptr;
  if (to)
    if (TCustomForm* f = to->TopForm(); f && f != to) f->NoteActiveControl(to);
  if (suppress) return;
  TWinControl* from = old ? WinControlOf(old) : nullptr;
  if (!from || !to || from == to) return;
  if (!from->TopForm() || from->TopForm() != to->TopForm()) return;
  std::weak_ptr<void> toAlive = to->LifeToken();
  vetoTarget = nullptr;
  boxInExit = false;
  if (from->OnExit) {
    inExit = from;
    Guarded(from, [&] { from->OnExit(from); });
    inExit = nullptr;
  }
  bool mouse = lastReason == Qt::MouseFocusReason;
  if (vetoTarget) {
    TWinControl* target = vetoTarget;
    vetoTarget = nullptr;
    if (mouse) swallowMouse = true;
    std::weak_ptr<void> targetAlive = target->LifeToken();
    QTimer::singleShot(0, this, [this, target, targetAlive] {
      if (targetAlive.expired() || !target->CanFocus()) return;
      suppress = true;
      if (TCustomForm* f = target->TopForm()) f->NoteActiveControl(target);
      if (QWidget* w = W(target)) w->setFocus(Qt::OtherFocusReason);
      suppress = false;
    });
    return;
  }
  if (boxInExit && mouse) swallowMouse = true;
  if (!toAlive.expired() && to->OnEnter) Guarded(to, [&] { to->OnEnter(to); });
}

}  // namespace

namespace ui_detail {

void InstallInputHooks() {
  if (g_filter) return;
  g_filter = new InputFilter();
  qApp->installEventFilter(g_filter);
  QObject::connect(qApp, &QApplication::focusChanged, g_filter,
                   [](QWidget* old, QWidget* now) { g_filter->FocusChanged(old, now); });
}

void RemoveInputHooks() {
  if (!g_filter) return;
  qApp->removeEventFilter(g_filter);
  delete g_filter;
  g_filter = nullptr;
}

bool InExitHandler() { return g_filter && g_filter->inExit; }

void VetoFocusMove(TWinControl* target) {
  if (g_filter) g_filter->vetoTarget = target;
}

void NoteBoxShown() {
  if (g_filter && g_filter->inExit) g_filter->boxInExit = true;
}

Qt::FocusReason CodeFocusReason() { return g_codeReason; }

FocusByKey::FocusByKey() : previous_(g_codeReason) { g_codeReason = Qt::TabFocusReason; }

FocusByKey::~FocusByKey() { g_codeReason = previous_; }

}  // namespace ui_detail
