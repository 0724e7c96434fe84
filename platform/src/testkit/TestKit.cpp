// The test kit: scripted boxes, modal scripts, virtual time and user input
// through the toolkit's own event paths.
#include "platform/TestKit.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QWheelEvent>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>

#include "../ShownLater.h"
#include "../Toolkit.h"
#include "platform/Clock.h"
#include "platform/ComCtrls.h"
#include "platform/Menus.h"
#include "platform/StdCtrls.h"

using namespace ui_detail;

namespace {

TestKit::FailureReporter g_reporter = nullptr;
std::vector<std::string> g_failures;
int g_ppi = 0;
std::deque<TestKit::ModalScript> g_scripts;
unsigned g_watchdog = 30000;
std::map<const TCustomForm*, std::uint64_t> g_unscripted;
TClosure<void()> g_whileStarting;

std::string Str(const AnsiString& s) { return s.str(); }

void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButtons buttons) {
  QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::LeftButton, buttons,
                Qt::NoModifier);
  QCoreApplication::sendEvent(w, &e);
}

// Focus as a mouse press gives it: the first widget up the chain that takes
// the focus by click.
void ClickFocus(QWidget* w) {
  for (QWidget* f = w; f; f = f->parentWidget()) {
    if (f->isEnabled() && (f->focusPolicy() & Qt::ClickFocus)) {
      if (QApplication::focusWidget() != f) f->setFocus(Qt::MouseFocusReason);
      return;
    }
    if (f->isWindow()) return;
  }
}

void ActivateWindowOf(QWidget* w) {
  if (!w) return;
  QWidget* win = w->window();
  if (QApplication::activeWindow() != win) {
    win->activateWindow();
    QApplication::setActiveWindow(win);
  }
}

void PressAndRelease(QWidget* w, QPoint p, bool dbl) {
  if (!w->isVisible()) {
    TestKit::Fail("click on a control that is not shown");
    return;
  }
  ActivateWindowOf(w);
  ClickFocus(w);
  QPointer<QWidget> guard(w);
  SendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton);
  if (guard) SendMouse(w, QEvent::MouseButtonRelease, p, Qt::NoButton);
  if (dbl && guard) {
    SendMouse(w, QEvent::MouseButtonDblClick, p, Qt::LeftButton);
    if (guard) SendMouse(w, QEvent::MouseButtonRelease, p, Qt::NoButton);
  }
}

Qt::Key KeyOfChar(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (c == '\b') return Qt::Key_Backspace;
  if (c == '\r' || c == '\n') return Qt::Key_Return;
  if (c >= 'a' && c <= 'z') return static_cast<Qt::Key>(Qt::Key_A + (c - 'a'));
  if (u >= 0x20 && u < 0x7F) return static_cast<Qt::Key>(u >= 'a' ? u - 32 : u);
  return Qt::Key_unknown;
}

Qt::Key KeyOfVk(WORD vk) {
  if (vk >= '0' && vk <= '9') return static_cast<Qt::Key>(Qt::Key_0 + (vk - '0'));
  if (vk >= 'A' && vk <= 'Z') return static_cast<Qt::Key>(Qt::Key_A + (vk - 'A'));
  if (vk >= VK_F1 && vk <= VK_F1 + 11) return static_cast<Qt::Key>(Qt::Key_F1 + (vk - VK_F1));
  switch (vk) {
    case VK_BACK:
      return Qt::Key_Backspace;
    case VK_TAB:
      return Qt::Key_Tab;
    case VK_RETURN:
      return Qt::Key_Return;
    case VK_ESCAPE:
      return Qt::Key_Escape;
    case VK_SPACE:
      return Qt::Key_Space;
    case VK_PRIOR:
      return Qt::Key_PageUp;
    case VK_NEXT:
      return Qt::Key_PageDown;
    case VK_END:
      return Qt::Key_End;
    case VK_HOME:
      return Qt::Key_Home;
    case VK_LEFT:
      return Qt::Key_Left;
    case VK_UP:
      return Qt::Key_Up;
    case VK_RIGHT:
      return Qt::Key_Right;
    case VK_DOWN:
      return Qt::Key_Down;
    case VK_INSERT:
      return Qt::Key_Insert;
    case VK_DELETE:
      return Qt::Key_Delete;
    default:
      return Qt::Key_unknown;
  }
}

Qt::KeyboardModifiers ModsOf(TShiftState s) {
  Qt::KeyboardModifiers m;
  if (s & ssShift) m |= Qt::ShiftModifier;
  if (s & ssAlt) m |= Qt::AltModifier;
  if (s & ssCtrl) m |= Qt::ControlModifier;
  return m;
}

void SendKey(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods, const QString& text) {
  if (!w) return;
  QPointer<QWidget> guard(w);
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QCoreApplication::sendEvent(w, &press);
  if (!guard) return;
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QCoreApplication::sendEvent(w, &release);
}

QWidget* FocusTarget(TWinControl* c) {
  QWidget* f = QApplication::focusWidget();
  return f ? f : W(c);
}

// The kit's answers to the layer's test hooks: modal scripts, the watchdog
// for unscripted modal forms, the pixel density and virtual time.
class KitHooks : public TestHooks {
 public:
  void ModalShown(TCustomForm* form) override {
    if (g_scripts.empty()) {
      TestKit::Fail("a modal form opened without a script: \"" + Str(form->Caption()) + "\"");
      g_unscripted[form] = CurrentClock().NowMs() + g_watchdog;
      return;
    }
    TestKit::ModalScript script = g_scripts.front();
    g_scripts.pop_front();
    Guarded(form, [&] { script(form); });
  }

  bool ModalWatchdogExpired(TCustomForm* form) override {
    auto it = g_unscripted.find(form);
    if (it == g_unscripted.end()) return false;
    if (CurrentClock().NowMs() < it->second) return false;
    g_unscripted.erase(it);
    return true;
  }

  int PixelsPerInch() override { return g_ppi; }

  bool IdleAdvance() override;

  void ToolkitStarting() override {
    if (g_whileStarting) g_whileStarting();
  }
};

KitHooks g_hooks;

// The answer of a box's default button.
int DefaultAnswer(const TDialogRequest& request) {
  if (request.buttons & mbOK) return mrOk;
  if (request.buttons & mbYes) return mrYes;
  return request.kind == TDialogRequest::MessageBoxABox ? IDOK : mrOk;
}

std::string Describe(const TDialogRequest& request) {
  return "\"" + Str(request.caption) + "\": \"" + Str(request.text) + "\"";
}

// The dialog service while the kit runs and no script is there: a box fails
// the running test at once and gets its default answer, so the test goes on
// to its end instead of waiting in the box's loop.
class UnscriptedBoxes : public IDialogService {
 public:
  int Show(const TDialogRequest& request) override {
    TestKit::Fail("message box without a script: " + Describe(request));
    return DefaultAnswer(request);
  }
};

UnscriptedBoxes g_unscriptedBoxes;

}  // namespace

namespace TestKit {

void SetFailureReporter(FailureReporter reporter) { g_reporter = reporter; }

std::vector<std::string> TakeFailures() {
  std::vector<std::string> out;
  out.swap(g_failures);
  return out;
}

void Fail(const std::string& message) {
  if (g_reporter) {
    g_reporter(message);
  } else {
    std::fprintf(stderr, "test kit: %s\n", message.c_str());
    g_failures.push_back(message);
  }
}

void EnsureApplication() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  SetTestHooks(&g_hooks);
  // Unscripted boxes fail the test, unless a service is already in place.
  if (IDialogService* current = SetDialogService(&g_unscriptedBoxes)) SetDialogService(current);
  Application->Initialize();
}

ProgramWaiting::ProgramWaiting() { SetTestHooks(nullptr); }

ProgramWaiting::~ProgramWaiting() { SetTestHooks(&g_hooks); }

ToolkitBoxes::ToolkitBoxes() : previous_(SetDialogService(nullptr)) {}

ToolkitBoxes::~ToolkitBoxes() { SetDialogService(previous_); }

void SetPixelsPerInch(int ppi) { g_ppi = ppi; }

void WhileToolkitStarts(TClosure<void()> action) { g_whileStarting = action; }

// ---- DialogScript

DialogScript::DialogScript() : previous_(SetDialogService(this)) {}

DialogScript::~DialogScript() {
  Verify();
  SetDialogService(previous_);
}

DialogScript& DialogScript::Expect(const AnsiString& text, int answer) {
  expected_.emplace_back(text, answer);
  return *this;
}

int DialogScript::Show(const TDialogRequest& request) {
  int answer = DefaultAnswer(request);
  if (expected_.empty()) {
    Fail("unexpected message box: " + Describe(request));
  } else {
    auto [text, given] = expected_.front();
    expected_.erase(expected_.begin());
    if (text != request.text)
      Fail("message box \"" + Str(request.text) + "\" where \"" + Str(text) + "\" was expected");
    if (given) answer = given;
  }
  shown_.push_back({request, answer});
  return answer;
}

void DialogScript::Verify() {
  for (auto& [text, answer] : expected_)
    Fail("expected message box never shown: \"" + Str(text) + "\"");
  expected_.clear();
}

// ---- Modal scripts

void OnNextModal(ModalScript script) { g_scripts.push_back(std::move(script)); }
int PendingModalScripts() { return static_cast<int>(g_scripts.size()); }
void ClearModalScripts() { g_scripts.clear(); }
void SetModalWatchdog(unsigned ms) { g_watchdog = ms; }

// ---- Virtual time

struct VirtualTime::Clock : TClockSource {
  std::uint64_t now = 1000000;
  std::uint64_t NowMs() override { return now; }
  void SleepMs(DWORD ms) override { now += ms; }
};

static VirtualTime::Clock* g_clock = nullptr;

VirtualTime::VirtualTime() : clock_(std::make_unique<Clock>()) {
  SetClockSource(clock_.get());
  g_clock = clock_.get();
  SetVirtualTimeActive(true);
}

VirtualTime::~VirtualTime() {
  SetVirtualTimeActive(false);
  g_clock = nullptr;
  SetClockSource(nullptr);
  SetVirtualTimeActive(false);  // re-bases the timers on the real clock
}

void VirtualTime::Advance(unsigned ms) {
  std::uint64_t target = clock_->now + ms;
  for (;;) {
    long long d = NextTimerDelay();
    if (d < 0 || clock_->now + static_cast<std::uint64_t>(d) > target) break;
    clock_->now += static_cast<std::uint64_t>(d);
    FireDueTimers();
    QCoreApplication::sendPostedEvents();
  }
  clock_->now = target;
  NextTimerDelay();  // timers without a handler start their period now
}

std::uint64_t VirtualTime::Now() const { return clock_->now; }

// ---- Input

void ShowAndActivate(TCustomForm* form) {
  form->Show();
  ActivateWindowOf(W(form));
  Pump();
}

void Pump() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
}

void Click(TControl* control) {
  QWidget* w = W(control);
  if (!w) return;
  QPoint p = dynamic_cast<TCheckBox*>(control) ? QPoint(7, w->height() / 2) : w->rect().center();
  PressAndRelease(w, p, false);
}

void DoubleClick(TControl* control) {
  QWidget* w = W(control);
  if (w) PressAndRelease(w, w->rect().center(), true);
}

void ClickAt(TControl* control, int x, int y) {
  QWidget* w = W(control);
  if (!w) return;
  QPoint p(x, y);
  QWidget* target = w->childAt(p);
  if (!target) target = w;
  PressAndRelease(target, target->mapFrom(w, p), false);
}

void MoveMouse(TControl* control, int x, int y) {
  QWidget* w = W(control);
  if (!w) return;
  QPoint p(x, y);
  QWidget* target = w->childAt(p);
  if (!target) target = w;
  SendMouse(target, QEvent::MouseMove, target->mapFrom(w, p), Qt::NoButton);
}

void FocusTo(TWinControl* control) {
  QWidget* w = W(control);
  if (!w) return;
  ActivateWindowOf(w);
  if (!WinControlOf(QApplication::focusWidget()) ||
      WinControlOf(QApplication::focusWidget()) != control)
    w->setFocus(Qt::TabFocusReason);
  Pump();
}

void PressTab(bool backwards) {
  QWidget* f = QApplication::focusWidget();
  if (!f) return;
  SendKey(f, backwards ? Qt::Key_Backtab : Qt::Key_Tab,
          backwards ? Qt::ShiftModifier : Qt::NoModifier, QString());
  Pump();
}

void TypeText(TWinControl* control, const AnsiString& text) {
  FocusTo(control);
  // One key per character of the text as the widget shows it.
  for (char32_t u : Q(text).toUcs4()) {
    char c = u < 0x80 ? static_cast<char>(u) : '\0';
    SendKey(FocusTarget(control), KeyOfChar(c), Qt::NoModifier, QString::fromUcs4(&u, 1));
  }
}

void PressKey(TWinControl* control, WORD vk, TShiftState shift) {
  FocusTo(control);
  Qt::Key key = KeyOfVk(vk);
  QString text;
  if (vk == VK_BACK)
    text = QString(QChar(8));
  else if (vk == VK_RETURN)
    text = QString(QChar(13));
  else if (vk == VK_ESCAPE)
    text = QString(QChar(27));
  else if (vk == VK_SPACE)
    text = QStringLiteral(" ");
  SendKey(FocusTarget(control), key, ModsOf(shift), text);
}

void Paste(TEdit* edit, const AnsiString& text) {
  FocusTo(edit);
  WidgetAs<QLineEdit>(edit)->insert(Q(text));
}

void Paste(TMemo* memo, const AnsiString& text) {
  FocusTo(memo);
  PasteIntoMemo(memo, Q(text));
}

void PickItem(TComboBox* combo, int index) {
  auto* cb = WidgetAs<QComboBox>(combo);
  {
    QSignalBlocker block(cb);
    cb->setCurrentIndex(index);
  }
  emit cb->activated(index);
}

void TypeInCombo(TComboBox* combo, const AnsiString& text) {
  auto* cb = WidgetAs<QComboBox>(combo);
  FocusTo(combo);
  QWidget* target = cb->lineEdit() ? static_cast<QWidget*>(cb->lineEdit()) : cb;
  for (int i = 1; i <= text.Length(); ++i) {
    char c = text[i];
    SendKey(target, KeyOfChar(c), Qt::NoModifier, QString(QChar(static_cast<uchar>(c))));
  }
}

static QPoint RowPoint(TListView* view, int index) {
  SyncListRows(view);
  auto* tw = WidgetAs<QAbstractItemView>(view);
  tw->doItemsLayout();
  QAbstractItemModel* m = tw->model();
  if (index < 0 || index >= m->rowCount()) return {-1, -1};
  QRect r = tw->visualRect(m->index(index, 0))
                .united(tw->visualRect(m->index(index, m->columnCount() - 1)));
  return {std::min(r.left() + 5, r.center().x()), r.center().y()};
}

void ClickRow(TListView* view, int index) {
  QPoint p = RowPoint(view, index);
  if (p.x() < 0) return Fail("no such row to click");
  PressAndRelease(WidgetAs<QAbstractItemView>(view)->viewport(), p, false);
}

void DoubleClickRow(TListView* view, int index) {
  QPoint p = RowPoint(view, index);
  if (p.x() < 0) return Fail("no such row to click");
  PressAndRelease(WidgetAs<QAbstractItemView>(view)->viewport(), p, true);
}

namespace {
QPoint EmptyPoint(QWidget* viewport) { return QPoint(5, std::max(0, viewport->height() - 2)); }
}  // namespace

void ClickEmpty(TListView* view) {
  QWidget* vp = WidgetAs<QAbstractItemView>(view)->viewport();
  PressAndRelease(vp, EmptyPoint(vp), false);
}

bool RoomBesideRows(TListView* view) {
  auto* tw = WidgetAs<QAbstractItemView>(view);
  tw->doItemsLayout();
  return !tw->indexAt(EmptyPoint(tw->viewport())).isValid();
}

void PressKeyInList(TListView* view, WORD vk) {
  FocusTo(view);
  SendKey(WidgetAs<QAbstractItemView>(view), KeyOfVk(vk), Qt::NoModifier, QString());
}

void WheelList(TListView* view, int notches) {
  QWidget* vp = WidgetAs<QAbstractItemView>(view)->viewport();
  const QPointF at(vp->width() / 2.0, vp->height() / 2.0);
  for (int i = 0; i < std::abs(notches); ++i) {
    QWheelEvent e(at, vp->mapToGlobal(at), QPoint(), QPoint(0, notches < 0 ? -120 : 120),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(vp, &e);
  }
}

int BottomRowShown(TListView* view) {
  auto* tw = WidgetAs<QAbstractItemView>(view);
  tw->doItemsLayout();
  // The lowest row with a pixel inside the visible area.
  for (int y = tw->viewport()->height() - 1; y >= 0; --y) {
    const QModelIndex i = tw->indexAt(QPoint(tw->viewport()->width() / 2, y));
    if (i.isValid()) return i.row();
  }
  return -1;
}

TRect RowRect(TListView* view, int index) {
  // As the widget has it now: nothing is laid out or drawn afresh.
  auto* tw = WidgetAs<QAbstractItemView>(view);
  QAbstractItemModel* m = tw->model();
  if (index < 0 || index >= m->rowCount()) return {};
  const QRect seen = tw->viewport()->rect();
  QRect r = tw->visualRect(m->index(index, 0));
  r.setLeft(0);
  r.setRight(seen.right());
  r = r.intersected(seen);
  if (r.isEmpty()) return {};
  r.translate(tw->viewport()->mapTo(tw, QPoint(0, 0)));
  return TRect{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

ListColours ColoursOf(TListView* view) {
  const QPalette palette = WidgetAs<QAbstractItemView>(view)->palette();
  return {palette.color(QPalette::Active, QPalette::Base).rgba(),
          palette.color(QPalette::Active, QPalette::Highlight).rgba()};
}

TPoint ToScreen(TControl* control, int x, int y) {
  const QPoint p = W(control)->mapToGlobal(QPoint(x, y));
  return TPoint{p.x(), p.y()};
}

void SyncWithWindowSystem() {
  QGuiApplication::sync();
  QApplication::processEvents();
}

struct ListFeedCounter::Taps {
  int batches = 0, rows = 0, resets = 0;
  QMetaObject::Connection inserted, reset;
  QPointer<QAbstractItemModel> model;
  long lookupsBefore = 0;
};

ListFeedCounter::ListFeedCounter(TListView* view) : taps_(std::make_unique<Taps>()) {
  QAbstractItemModel* m = WidgetAs<QAbstractItemView>(view)->model();
  Taps* t = taps_.get();
  t->inserted = QObject::connect(m, &QAbstractItemModel::rowsInserted,
                                 [t](const QModelIndex&, int first, int last) {
                                   ++t->batches;
                                   t->rows += last - first + 1;
                                 });
  t->reset = QObject::connect(m, &QAbstractItemModel::modelReset, [t] { ++t->resets; });
  t->model = m;
  t->lookupsBefore = ListRowLookups(m);
}
ListFeedCounter::~ListFeedCounter() {
  QObject::disconnect(taps_->inserted);
  QObject::disconnect(taps_->reset);
}
int ListFeedCounter::Batches() const { return taps_->batches; }
int ListFeedCounter::Rows() const { return taps_->rows; }
int ListFeedCounter::Resets() const { return taps_->resets; }
long ListFeedCounter::Lookups() const {
  return taps_->model ? ListRowLookups(taps_->model) - taps_->lookupsBefore : 0;
}

void ClickTab(TPageControl* pc, int tabIndex) {
  if (auto* bar = W(pc)->findChild<QTabBar*>()) bar->setCurrentIndex(tabIndex);
}

void CloseWindow(TCustomForm* form) {
  if (QWidget* w = W(form)) w->close();
}

bool ChooseMenuItem(TMenuItem* item) {
  if (!item || item->IsLine()) return false;
  TMenu* menu = item->GetParentMenu();
  if (!menu || !item->Parent()) return false;
  for (TMenuItem* i = item; i->Parent(); i = i->Parent())
    if (!i->Visible() || !i->Enabled()) return false;
  QAction* action = MenuAction(item);
  if (!action || !MenuShown(menu)) return false;
  if (QMenu* sub = SubMenuOf(item)) {
    emit sub->aboutToShow();
  } else {
    CloseMenus(menu);  // a chosen entry closes its pop-up first
    action->trigger();
  }
  Pump();
  return true;
}

void RightClick(TControl* control, int x, int y) {
  QWidget* w = W(control);
  if (!w) return;
  if (!w->isVisible()) return Fail("right click on a control that is not shown");
  QPoint p(x, y);
  QWidget* target = w->childAt(p);
  if (!target) target = w;
  QPoint local = target->mapFrom(w, p);
  QContextMenuEvent e(QContextMenuEvent::Mouse, local, target->mapToGlobal(local));
  QCoreApplication::sendEvent(target, &e);
  Pump();
}

static TPixels PixelsOf(const QImage& picture);

static QMessageBox* ActiveBox() {
  return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
}

AnsiString ActiveBoxText() {
  QMessageBox* box = ActiveBox();
  return box ? A(box->text()) : AnsiString();
}

bool DismissActiveBox(bool escape) {
  QMessageBox* box = ActiveBox();
  if (!box) return false;
  if (escape) {
    SendKey(box, Qt::Key_Escape, Qt::NoModifier, QString());
  } else if (QPushButton* b = box->defaultButton()) {
    b->click();
  }
  return true;
}

TPixels ActiveBoxPixels() {
  QMessageBox* box = ActiveBox();
  if (!box || !box->screen()) return {};
  const QPixmap shot = box->screen()->grabWindow(box->winId(), 0, 0, box->width(), box->height());
  return shot.isNull() ? TPixels() : PixelsOf(shot.toImage());
}

TRect ActiveBoxButton(const AnsiString& caption) {
  QMessageBox* box = ActiveBox();
  if (!box) return {};
  for (QAbstractButton* b : box->buttons()) {
    if (QString(b->text()).remove(QLatin1Char('&')) != Q(caption)) continue;
    const QPoint at = b->mapTo(box, QPoint(0, 0));
    return {at.x(), at.y(), at.x() + b->width(), at.y() + b->height()};
  }
  return {};
}

bool Grab(TControl* control, const std::string& path) {
  ShowAllWaiting();
  QWidget* w = W(control);
  if (!w) return false;
  return w->grab().save(QString::fromStdString(path), "PNG");
}

static TPixels PixelsOf(const QImage& picture) {
  TPixels out;
  const QImage img = picture.convertToFormat(QImage::Format_ARGB32);
  out.Width = img.width();
  out.Height = img.height();
  out.Data.resize(static_cast<std::size_t>(out.Width) * static_cast<std::size_t>(out.Height));
  for (int y = 0; y < out.Height; ++y) {
    const auto* line = reinterpret_cast<const std::uint32_t*>(img.constScanLine(y));
    std::copy(line, line + out.Width, out.Data.begin() + static_cast<long>(y) * out.Width);
  }
  return out;
}

TPixels GrabPixels(TControl* control) {
  ShowAllWaiting();
  QWidget* w = W(control);
  return w ? PixelsOf(w->grab().toImage()) : TPixels();
}

TPixels ScreenPixels(TControl* control) {
  QWidget* w = W(control);
  if (!w || !w->isVisible()) return {};
  QWidget* window = w->window();
  const QPoint at = w->mapTo(window, QPoint(0, 0));
  QScreen* screen = window->screen();
  if (!screen) return {};
  const QPixmap shot = screen->grabWindow(window->winId(), at.x(), at.y(), w->width(), w->height());
  return shot.isNull() ? TPixels() : PixelsOf(shot.toImage());
}

bool IsShownOnScreen(TControl* control) {
  QWidget* w = W(control);
  return w && w->isVisible();
}

bool AcceptsInput(TControl* control) {
  QWidget* w = W(control);
  return w && w->isEnabled();
}

AnsiString DisplayedText(TControl* control) {
  ShowAllWaiting();
  QWidget* w = W(control);
  if (auto* sb = dynamic_cast<TStatusBar*>(control)) return sb->DisplayedText();
  if (auto* le = qobject_cast<QLineEdit*>(w)) return A(le->text());
  if (auto* l = qobject_cast<QLabel*>(w)) return A(l->text());
  if (auto* b = qobject_cast<QAbstractButton*>(w)) return A(b->text());
  if (auto* cb = qobject_cast<QComboBox*>(w)) return A(cb->currentText());
  return control->Caption();
}

struct PaintCounter::Filter : QObject {
  int paints = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }
};

PaintCounter::PaintCounter(TControl* control) : filter_(std::make_unique<Filter>()) {
  if (QWidget* w = W(control)) w->installEventFilter(filter_.get());
}
PaintCounter::~PaintCounter() = default;  // a filter object leaves its widgets as it goes
int PaintCounter::Count() const { return filter_->paints; }

AnsiString ToolTipOf(TControl* control) {
  QWidget* w = W(control);
  return w ? A(w->toolTip()) : AnsiString();
}

int CaretOf(TEdit* edit) { return WidgetAs<QLineEdit>(edit)->cursorPosition(); }

}  // namespace TestKit

bool KitHooks::IdleAdvance() {
  using TestKit::g_clock;
  if (!g_clock) return false;
  long long d = NextTimerDelay();
  if (d < 0) {
    g_clock->now += 10;  // nothing waits: let deadlines of busy loops pass
    return false;
  }
  g_clock->now += static_cast<std::uint64_t>(d);
  FireDueTimers();
  return true;
}
