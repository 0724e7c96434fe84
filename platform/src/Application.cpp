// The application object: the toolkit's lifetime, the message loop, posted
// messages, deferred releases and exceptions that reach the loop.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <string>

#include "FocusLook.h"
#include "QtEventLoop.h"
#include "Toolkit.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/InputHold.h"
#include "platform/Leftovers.h"

using namespace ui_detail;

namespace {

struct Posted {
  HWND target;
  TMessage message;
};

struct Release {
  HWND target;
  int depth;
  unsigned long serial;  // order of the requests
};

// Receives one wake-up event per batch of posted messages.
class Dispatcher : public QObject {
 public:
  bool event(QEvent* e) override;
  bool pending = false;
};

const QEvent::Type kWakeEvent = static_cast<QEvent::Type>(QEvent::User + 77);

std::deque<Posted>& Queue() {
  static auto* q = new std::deque<Posted>();
  return *q;
}
std::vector<Release>& Releases() {
  static auto* r = new std::vector<Release>();
  return *r;
}
// Forms with an event handler on the stack, once per running handler.
std::vector<HWND>& BusyForms() {
  static auto* b = new std::vector<HWND>();
  return *b;
}

TCustomForm* FormOf(TObject* sender) {
  if (auto* c = dynamic_cast<TControl*>(sender)) return c->TopForm();
  for (auto* c = dynamic_cast<TComponent*>(sender); c; c = c->Owner())
    if (auto* f = dynamic_cast<TCustomForm*>(c)) return f;
  return nullptr;
}

unsigned long g_releaseSerial = 0;

// Without XDG_RUNTIME_DIR the toolkit makes a runtime folder of its own in
// the temporary folder ("runtime-<user>") and leaves it there. It looks into
// that folder only while its application object is built (for the marker
// file of a sandbox), so for that time it gets a private folder, which goes
// again at the end of it, the variable with it: nothing is left behind, and
// the programs the module starts get the environment the module was given.
// The folder is made in $TMPDIR, or in /tmp when that is not set, empty or
// not a folder one may write to. Its name carries the process id and it is
// locked while it exists (platform/Leftovers.h), so that a start killed
// meanwhile leaves it to the next start to remove.
class StartupRuntimeFolder {
 public:
  StartupRuntimeFolder() {
    // The toolkit takes an empty value for none.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
    wasEmpty_ = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    const char* tmp = std::getenv("TMPDIR");
    // Without one the toolkit falls back on its own.
    if (!(tmp && *tmp && Make(tmp)) && !Make("/tmp")) return;
    qputenv("XDG_RUNTIME_DIR", QByteArray(path_.c_str()));
  }
  ~StartupRuntimeFolder() { Remove(); }
  StartupRuntimeFolder(const StartupRuntimeFolder&) = delete;
  StartupRuntimeFolder& operator=(const StartupRuntimeFolder&) = delete;

  // The folder goes, and the variable with it (once).
  void Remove() {
    if (path_.empty()) return;
    if (wasEmpty_)
      qputenv("XDG_RUNTIME_DIR", QByteArray(""));
    else
      qunsetenv("XDG_RUNTIME_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
    ::close(fd_);
    path_.clear();
  }

 private:
  // Makes the folder in `parent`, after what killed starts left there.
  bool Make(const std::string& parent) {
    RemoveLeftovers(parent, kPrefix);
    std::string pattern = parent + "/" + kPrefix + WriterTag() + "XXXXXX";
    if (!mkdtemp(pattern.data())) return false;
    fd_ = ::open(pattern.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    // The toolkit takes a runtime folder only its owner may enter, 0700
    // whatever the umask.
    if (fd_ < 0 || ::fchmod(fd_, 0700) != 0) {
      if (fd_ >= 0) ::close(fd_);
      fd_ = -1;
      ::rmdir(pattern.c_str());
      return false;
    }
    MarkInUse(fd_);
    path_ = std::move(pattern);
    return true;
  }

  static constexpr const char* kPrefix = "kxr-runtime-";
  std::string path_;
  int fd_ = -1;  // holds the folder's lock
  bool wasEmpty_ = false;
};

QApplication* g_qapp = nullptr;
bool g_exiting = false;  // static destruction: the loop is closed
Dispatcher* g_dispatcher = nullptr;

// What a pass over pending events takes: everything, or everything but the
// user's input while it is held (InputHold.h). The toolkit keeps the input
// it leaves queued, in order.
QEventLoop::ProcessEventsFlags PassFlags() {
  return InputHold::Active() ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents;
}

// After a pass that left the user's input queued: the loop's next pass
// looks at the window system again, although nothing new came from it.
void InputLeftQueued() {
  if (QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance()) d->wakeUp();
}

void Wake() {
  if (!g_dispatcher || g_dispatcher->pending) return;
  g_dispatcher->pending = true;
  QCoreApplication::postEvent(g_dispatcher, new QEvent(kWakeEvent));
}

// Delivers the messages queued so far, in order; those posted meanwhile wait
// for the next batch. A message whose target died is dropped.
void DeliverPosted() {
  std::size_t n = Queue().size();
  for (std::size_t i = 0; i < n && !Queue().empty(); ++i) {
    Posted p = Queue().front();
    Queue().pop_front();
    TWinControl* target = TWinControl::FromHandle(p.target);
    if (!target) continue;
    Guarded(target, [&] { target->Dispatch(p.message); });
  }
  if (!Queue().empty()) Wake();
}

bool Dispatcher::event(QEvent* e) {
  if (e->type() != kWakeEvent) return QObject::event(e);
  pending = false;
  DeliverPosted();
  return true;
}

// At exit the forms go; the toolkit's application object is left to the
// process.
void ShutdownAtExit() {
  g_exiting = true;
  if (!Application) return;
  Application->DestroyComponents();
  TimersApplicationGone();
  SocketNotifiersApplicationGone();
}

}  // namespace

namespace ui_detail {

HandlerScope::HandlerScope(TObject* sender) {
  if (TCustomForm* f = FormOf(sender)) {
    form_ = f->Handle();
    BusyForms().push_back(form_);
  }
}

HandlerScope::~HandlerScope() {
  if (!form_) return;
  auto& busy = BusyForms();
  auto it = std::find(busy.rbegin(), busy.rend(), form_);
  if (it != busy.rend()) busy.erase(std::next(it).base());
}

unsigned long NextReleaseSerial() { return g_releaseSerial; }

void PostRelease(TCustomForm* form) {
  for (const Release& r : Releases())
    if (r.target == form->Handle()) return;
  Releases().push_back({form->Handle(), Application->ModalDepth(), g_releaseSerial++});
  Wake();
}

// Releases run at the depth they were asked for or further out: a form
// released inside its own modal loop is deleted after that loop has
// returned, unless its opener deletes it first. A form waits while one of
// its handlers runs.
void RunReleases(int depth, unsigned long fromSerial) {
  for (std::size_t i = 0; i < Releases().size();) {
    Release r = Releases()[i];
    const auto& busy = BusyForms();
    if (r.depth < depth || r.serial < fromSerial ||
        std::find(busy.begin(), busy.end(), r.target) != busy.end()) {
      ++i;
      continue;
    }
    Releases().erase(Releases().begin() + static_cast<long>(i));
    if (TWinControl* w = TWinControl::FromHandle(r.target)) delete w;
  }
}

bool HasPostedMessages() { return !Queue().empty(); }

}  // namespace ui_detail

BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (!TWinControl::FromHandle(hWnd)) return FALSE;
  TMessage m;
  m.Msg = Msg;
  m.WParam = wParam;
  m.LParam = lParam;
  Queue().push_back({hWnd, m});
  Wake();
  return TRUE;
}

static TApplication g_application;
TApplication* Application = &g_application;
static TScreen g_screen;
TScreen* Screen = &g_screen;

TApplication::TApplication() : TComponent(nullptr) {
  handle_ = reinterpret_cast<HWND>(std::uintptr_t{0x10});
}

// Static destruction: forms go, the toolkit's application object is left to
// the process (see ShutdownAtExit).
TApplication::~TApplication() {
  BeginDestroy();
  DestroyComponents();
}

bool TApplication::Initialized() const { return g_qapp != nullptr; }

void TApplication::Initialize() {
  if (g_qapp || QCoreApplication::instance()) return;
  static int argc = 1;
  static char arg0[] = "kxr5800";
  static char* argv[] = {arg0, nullptr};
  InstallMessageFilter();
  {
    // On an X display the toolkit's pictures reach the server through
    // shared memory unless told otherwise, and then every paint pass first
    // waits for the server (it may not draw into memory the server still
    // reads). A walk repaints a count or a few rows ten times a second:
    // each wait holds the message loop, and the walk with it, for a
    // round trip to the server, where sending those few pixels over the
    // connection costs less. The programs the module starts inherit nothing
    // of it.
    const bool userSet = qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM");
    if (!userSet) qputenv("QT_XCB_NO_MITSHM", "1");
    StartupRuntimeFolder runtimeFolder;
    {
      const ToolkitStart start([&runtimeFolder] { runtimeFolder.Remove(); });
      g_qapp = new QApplication(argc, argv);
    }
    DisplayCheckDone();
    ToolkitStartingHook();
    if (!userSet) qunsetenv("QT_XCB_NO_MITSHM");
  }
  // The toolkit takes the user's locale for the C library; numbers keep the
  // class library's fixed notation (a decimal point) whatever that locale is.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setQuitOnLastWindowClosed(false);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  QApplication::setFont(font);
  InstallFocusLook();
  g_dispatcher = new Dispatcher();
  InstallInputHooks();
  // The event loop's timers and watches become the toolkit's before the
  // schedule starts, so that they join it as timers made before it did.
  EventLoop::Install(&ToolkitEventLoop());
  TimersApplicationReady();
  SocketNotifiersApplicationReady();
  if (!Queue().empty()) Wake();
  if (title_.IsEmpty()) {
    AnsiString name = ExtractFileName(ExeName());
    int dot = name.LastDelimiter(".");
    title_ = dot > 0 ? name.SubString(1, dot - 1) : name;
  }
  // The forms still alive at exit go first of all: the main thread's
  // thread-local objects end before any atexit handler or static object, so
  // the toolkit's own globals (created lazily, after this call) are intact.
  struct ExitGuard {
    ~ExitGuard() { ShutdownAtExit(); }
  };
  static thread_local ExitGuard guard;
  (void)&guard;
}

void TApplication::Finalize() {
  DestroyComponents();
  mainForm_ = nullptr;
  activeForm_ = nullptr;
  if (!g_qapp || this != Application) return;
  EventLoop::Install(nullptr);
  TimersApplicationGone();
  SocketNotifiersApplicationGone();
  RemoveInputHooks();
  delete g_dispatcher;
  g_dispatcher = nullptr;
  delete g_qapp;
  g_qapp = nullptr;
}

AnsiString TApplication::ExeName() const {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "";
  return AnsiString(buf, static_cast<int>(n));
}

void TApplication::Terminate() {
  terminated_ = true;
  Wake();
}

// Never sleeps: a table walk pumps after every row. Callers that wait in a
// loop give the processor back themselves.
void TApplication::ProcessMessages() {
  if (!g_qapp || g_exiting) return;
  bool hadMessages = HasPostedMessages();
  // Forms closed with caFree while this call delivers the user's input go
  // before it returns; older releases are left to the loops (a form closed
  // and then deleted by code may pump from its destructor).
  const unsigned long firstRelease = NextReleaseSerial();
  const QEventLoop::ProcessEventsFlags flags = PassFlags();
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(flags);
  if (flags & QEventLoop::ExcludeUserInputEvents) InputLeftQueued();
  bool fired = FireDueTimers();
  if (VirtualTimeActive() && !hadMessages && !fired && !HasPostedMessages()) IdleAdvance();
  RunReleases(modalDepth_, firstRelease);
}

void TApplication::HandleMessage() {
  if (!g_qapp || g_exiting) return;
  const QEventLoop::ProcessEventsFlags flags = PassFlags();
  if (VirtualTimeActive() || TestMode()) {
    bool had = HasPostedMessages();
    QCoreApplication::processEvents(flags);
    bool fired = FireDueTimers();
    if (!had && !fired && !HasPostedMessages()) {
      if (VirtualTimeActive())
        IdleAdvance();
      else
        QThread::usleep(500);
    }
  } else {
    QCoreApplication::processEvents(flags | QEventLoop::WaitForMoreEvents);
    FireDueTimers();
  }
  if (flags & QEventLoop::ExcludeUserInputEvents) InputLeftQueued();
}

void TApplication::Run() {
  if (terminated_) return;
  if (!g_qapp) Initialize();
  if (mainForm_) mainForm_->Show();
  while (!terminated_) {
    HandleMessage();
    RunReleases(0);
  }
}

void TApplication::RunModalLoop(TCustomForm* f) {
  // The form answers to the user even when it opened while input is held.
  const ModalInput modal;
  std::weak_ptr<void> alive = f->LifeToken();
  ++modalDepth_;
  int depth = modalDepth_;
  // The first batch of posted messages (a form's first refresh) runs now,
  // with the form already visible.
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (!alive.expired()) RunModalHook(f);
  while (!alive.expired()) {
    if (terminated_) f->modalResult_ = mrCancel;
    if (ModalWatchdogExpired(f)) f->modalResult_ = mrCancel;
    if (f->modalResult_ != mrNone) {
      f->CloseModal();
      if (alive.expired() || f->modalResult_ != mrNone) break;
    }
    HandleMessage();
    RunReleases(depth + 1);
  }
  --modalDepth_;
}

void TApplication::SetActiveForm(TCustomForm* f) {
  if (f == activeForm_) return;
  TCustomForm* old = activeForm_;
  activeForm_ = f;
  if (old && !(old->ComponentState() & csDestroying) && old->OnDeactivate)
    Guarded(old, [&] { old->OnDeactivate(old); });
  if (f && activeForm_ == f) f->Activated();
}

void TApplication::FormDestroyed(TCustomForm* f) {
  if (activeForm_ == f) activeForm_ = nullptr;
  if (mainForm_ == f) mainForm_ = nullptr;
}

void TApplication::ShowException(Exception* E) {
  if (!E) return;
  AnsiString msg = E->Message;
  // As the class library does: a message not ending in punctuation gets a
  // full stop.
  if (!msg.IsEmpty() && static_cast<unsigned char>(msg[msg.Length()]) > '.') msg += ".";
  TDialogRequest r;
  r.kind = TDialogRequest::ExceptionBox;
  r.caption = title_;
  r.text = msg;
  r.type = mtError;
  r.buttons = mbOK;
  r.owner = activeForm_;
  NoteBoxShown();
  DialogService().Show(r);
}

void TApplication::HandleException(TObject* Sender) {
  if (!std::current_exception()) return;
  try {
    try {
      throw;
    } catch (EAbort&) {
    } catch (Exception& e) {
      if (OnException)
        OnException(Sender, &e);
      else
        ShowException(&e);
    } catch (std::exception& e) {
      Exception ex(e.what());
      if (OnException)
        OnException(Sender, &ex);
      else
        ShowException(&ex);
    } catch (...) {
      Exception ex("Unknown exception");
      ShowException(&ex);
    }
  } catch (...) {
    // The handler itself failed: nothing more can be done safely.
  }
}

void HandleCurrentException(TObject* Sender) { Application->HandleException(Sender); }

int TScreen::PixelsPerInch() const {
  if (int o = PixelsPerInchOverride()) return o;
  if (const char* env = std::getenv("KXR_PIXELS_PER_INCH")) {
    int v = std::atoi(env);
    if (v > 0) return v;
  }
  if (g_qapp)
    if (QScreen* s = QGuiApplication::primaryScreen())
      return static_cast<int>(std::lround(s->logicalDotsPerInch()));
  return 96;
}

int TScreen::Width() const {
  if (g_qapp)
    if (QScreen* s = QGuiApplication::primaryScreen()) return s->geometry().width();
  return 1024;
}

int TScreen::Height() const {
  if (g_qapp)
    if (QScreen* s = QGuiApplication::primaryScreen()) return s->geometry().height();
  return 768;
}

int TScreen::FormCount() const {
  int n = 0;
  for (int i = 0; i < Application->ComponentCount(); ++i)
    if (dynamic_cast<TCustomForm*>(Application->Components(i))) ++n;
  return n;
}
