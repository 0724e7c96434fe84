// Private to the layer: the native widgets behind the controls and the
// helpers shared by the toolkit side. Never included by public headers.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/Controls.h"
#include "platform/Forms.h"

class QAbstractItemModel;
class QAction;
class QMenu;
class TListView;
class TMemo;
class TMenu;
class TMenuItem;
struct TTextBytes;

namespace ui_detail {

// The native widget of one control. `widget` is the outer widget placed in
// the parent; `container` is where child controls go (the inner area of a
// scroll box, else the widget itself). The peer deletes its widget.
struct Peer {
  explicit Peer(QWidget* w);
  virtual ~Peer();
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;
  // Places the parts inside the widget after its geometry changed (a form's
  // menu bar and client area).
  virtual void Layout() {}

  QPointer<QWidget> widget;
  QPointer<QWidget> container;
  TControl* control = nullptr;
};

// Text is UTF-8 (TextCodec.cpp). Going to a widget, bytes that are not
// valid UTF-8 show as one character each (Latin-1), never dropped; coming
// back, text is encoded as UTF-8.
QString Q(const AnsiString& s);
AnsiString A(const QString& q);
// The bytes behind `now`, a text the user made of the one `held` stands for:
// held.Set when it is that text again; else the characters left alone at
// its front and at its end keep their bytes in held.Now and the characters
// between go out as UTF-8.
AnsiString EditedBytes(const QString& now, const TTextBytes& held);

QColor ToQColor(TColor c);
QFont ToQFont(const TFont& f);

inline QWidget* W(const TControl* c) {
  return c && c->PeerOf() ? c->PeerOf()->widget.data() : nullptr;
}
inline QWidget* Container(const TControl* c) {
  return c && c->PeerOf() ? c->PeerOf()->container.data() : nullptr;
}
template <class T>
T* WidgetAs(const TControl* c) {
  return static_cast<T*>(W(c));
}

// The control whose widget is w or contains it (walking up; a message box's
// buttons are no control's), or null. Skips controls that are being
// destroyed.
TControl* ControlOf(const QObject* w);
TWinControl* WinControlOf(const QObject* w);

// Marks the form of `sender` (a control's form, or the form owning a
// component) as running an event handler while it lives: a released form
// is not deleted before its handlers have returned (Application.cpp).
class HandlerScope {
 public:
  explicit HandlerScope(TObject* sender);
  ~HandlerScope();
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;

 private:
  HWND form_ = nullptr;
};

// Calls f; an exception goes to Application->HandleException and goes no
// further. Every entry from the toolkit into module code goes through it.
template <class F>
void Guarded(TObject* sender, F&& f) {
  HandlerScope scope(sender);
  try {
    f();
  } catch (...) {
    HandleCurrentException(sender);
  }
}

// Posted messages and deferred releases (Application.cpp).
void PostRelease(TCustomForm* form);
// Deletes the forms released at modal depth `depth` or deeper, from the
// release numbered fromSerial on (see NextReleaseSerial), except those with
// a handler on the stack.
void RunReleases(int depth, unsigned long fromSerial = 0);
unsigned long NextReleaseSerial();
bool HasPostedMessages();

// Timers (Timer.cpp).
void TimersApplicationReady();
void TimersApplicationGone();
// Fires the due timers; true when one fired.
bool FireDueTimers();
// With virtual time: moves the clock to the next timer and fires it, or
// moves it a little when no timer waits. False without virtual time.
bool IdleAdvance();
bool VirtualTimeActive();
void SetVirtualTimeActive(bool on);
// Milliseconds until the next timer is due (-1: none).
long long NextTimerDelay();

// List views (ListView.cpp): rows added at the end join the widget in
// batches (ShowAllWaiting hands every list's waiting rows over); this hands
// the waiting rows of one list view to the widget now.
void SyncListRows(TListView* view);
// How often the list's widget asked its model for a row's index or a cell's
// data (for tests: rows out of sight are never looked at).
long ListRowLookups(const QAbstractItemModel* model);

// Socket notifiers (SocketNotifier.cpp) follow the application object.
void SocketNotifiersApplicationReady();
void SocketNotifiersApplicationGone();

// The toolkit's messages (ToolkitMessages.cpp): the program's filter over
// them, installed once.
void InstallMessageFilter();
// While it lives (the toolkit's application object being made), the
// toolkit's messages wait, and go on when it goes. A fatal one (no platform
// could be started) runs `beforeExit`, says what failed (the program reports
// a missing display; the layer says itself that a platform could not start)
// and ends the process as OnToolkitStartFailure asked; when nobody asked,
// the toolkit ends the process as it would alone.
class ToolkitStart {
 public:
  explicit ToolkitStart(std::function<void()> beforeExit);
  ~ToolkitStart();
  ToolkitStart(const ToolkitStart&) = delete;
  ToolkitStart& operator=(const ToolkitStart&) = delete;
  void Message(QtMsgType type, const QMessageLogContext& context, const QString& text);

 private:
  struct Held;
  void Flush();
  std::function<void()> beforeExit_;
  std::vector<Held> held_;
};

// The display check (DisplayCheck.cpp): the toolkit's platform and the X
// display in the program's words ("the window platform 'vnx'
// (QT_QPA_PLATFORM)", "the X display ':7'"); and the end of the check's
// connection, once the toolkit holds its own.
AnsiString ToolkitPlatformText();
AnsiString XDisplayText();
void DisplayCheckDone();

// Focus, keys and the click veto (Focus.cpp).
void InstallInputHooks();
void RemoveInputHooks();
bool InExitHandler();
void VetoFocusMove(TWinControl* target);
void NoteBoxShown();
// The reason the toolkit is given for a focus move made by code. While a
// FocusByKey lives (SelectNext: Tab, Shift+Tab, WM_NEXTDLGCTL) the focus
// moves as the Tab key moves it, and an edit box takes it with its text
// selected; otherwise as code moves it.
Qt::FocusReason CodeFocusReason();
class FocusByKey {
 public:
  FocusByKey();
  ~FocusByKey();
  FocusByKey(const FocusByKey&) = delete;
  FocusByKey& operator=(const FocusByKey&) = delete;

 private:
  Qt::FocusReason previous_;
};

// Test hooks (TestHooks.cpp). The test kit, a library of its own that only
// tests link, installs them; the module runs without. While they are
// installed the layer is in test mode: loops never block.
class TestHooks {
 public:
  virtual ~TestHooks() = default;
  // A modal form is shown and its first posted messages ran.
  virtual void ModalShown(TCustomForm* form) = 0;
  // The form has been open too long without a script: close it.
  virtual bool ModalWatchdogExpired(TCustomForm* form) = 0;
  // Screen->PixelsPerInch as the test sets it (0: the real one).
  virtual int PixelsPerInch() = 0;
  // Moves virtual time to the next timer and fires it (see IdleAdvance).
  virtual bool IdleAdvance() = 0;
  // The toolkit's application object is built; what its start-up made for
  // it (a runtime folder) is still there.
  virtual void ToolkitStarting() = 0;
};
// The caller keeps ownership; nullptr removes them.
void SetTestHooks(TestHooks* hooks);
bool TestMode();
void RunModalHook(TCustomForm* form);
bool ModalWatchdogExpired(TCustomForm* form);
int PixelsPerInchOverride();
void ToolkitStartingHook();

// Menus (Menus.cpp): a menu bar or pop-up window shows a menu's entries.
void AttachMenuHost(TMenu* menu, QWidget* host);
void DetachMenuHost(TMenu* menu, QWidget* host);
// Some widget showing the menu's entries is on screen.
bool MenuShown(const TMenu* menu);
void CloseMenus(const TMenu* menu);
QAction* MenuAction(const TMenuItem* item);
QMenu* SubMenuOf(const TMenuItem* item);

// Pastes as the user would (Memo.cpp).
void PasteIntoMemo(TMemo* memo, const QString& text);

// Reparents a widget, as a child or as a window of its own.
void Reparent(TControl* c, QWidget* parent, bool asWindow);

}  // namespace ui_detail
