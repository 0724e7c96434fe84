// The toolkit's messages: the one that is no news to the user is dropped;
// while the toolkit starts they wait, and a fatal one ends the start as the
// program asked (OnToolkitStartFailure) instead of with the toolkit's abort;
// a display lost while the program runs is said in the program's words.
#include <QLatin1String>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "Toolkit.h"
#include "platform/DisplayCheck.h"
#include "platform/Files.h"
#include "platform/Forms.h"

namespace {

QtMessageHandler g_nextHandler = nullptr;
ui_detail::ToolkitStart* g_start = nullptr;

struct Failure {
  void (*report)(const AnsiString& missing) = nullptr;
  int status = 1;
};
Failure g_failure;

void Forward(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (g_nextHandler) g_nextHandler(type, context, text);
}

// A line of the program's own on the error stream, after its name.
void Say(const AnsiString& text) {
  std::fprintf(stderr, "%s: %s\n", ExtractFileName(Application->ExeName()).c_str(), text.c_str());
  std::fflush(stderr);
}

// The status the program ends with when its display went away while it
// ran, as the toolkit's X platform ends it.
constexpr int kDisplayLostStatus = 1;

// The toolkit's X platform finds that its connection broke (the server
// ended), says so in words of its own that vary, and ends the process.
// The program says it instead and ends at once: what would run on the way
// out (the windows' destruction) talks to the dead display again.
void EndForLostDisplay() {
  Say(ui_detail::XDisplayText() +
      " went away while the program ran (its server ended, or the connection to it broke).");
  std::fflush(nullptr);
  std::_Exit(kDisplayLostStatus);
}

// Without XDG_RUNTIME_DIR (and no private folder for it, which start-up
// makes) the toolkit announces the folder it uses instead; that is no news to
// the user of this program. Everything else goes on.
void Handler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
  if (text.startsWith(QLatin1String("The X11 connection broke"))) EndForLostDisplay();
  if (g_start)
    g_start->Message(type, context, text);
  else
    Forward(type, context, text);
}

}  // namespace

void OnToolkitStartFailure(void (*report)(const AnsiString& missing), int status) {
  g_failure = {report, status};
}

namespace ui_detail {

void InstallMessageFilter() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  g_nextHandler = qInstallMessageHandler(Handler);
}

struct ToolkitStart::Held {
  QtMsgType type;
  std::string file, function, category;
  int line;
  QString text;
};

ToolkitStart::ToolkitStart(std::function<void()> beforeExit) : beforeExit_(std::move(beforeExit)) {
  g_start = this;
}

ToolkitStart::~ToolkitStart() { Flush(); }

void ToolkitStart::Flush() {
  g_start = nullptr;
  for (const Held& m : held_)
    Forward(m.type,
            QMessageLogContext(m.file.c_str(), m.line, m.function.c_str(), m.category.c_str()),
            m.text);
  held_.clear();
}

void ToolkitStart::Message(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type != QtFatalMsg) {
    held_.push_back({type, context.file ? context.file : "",
                     context.function ? context.function : "",
                     context.category ? context.category : "", context.line, text});
    return;
  }
  if (!g_failure.report) {
    // Nobody takes the failure: the toolkit ends as it would alone.
    Flush();
    Forward(type, context, text);
    return;
  }
  // The toolkit cannot go on and returns no more: what the start made goes,
  // the program says what failed in its words (a missing display), or the
  // layer says that the platform failed where the display is there or none
  // is needed, and the process ends here.
  if (beforeExit_) beforeExit_();
  const AnsiString missing = MissingDisplay();
  if (!missing.IsEmpty())
    g_failure.report(missing);
  else
    Say(ToolkitPlatformText() + " cannot be started: it is not installed, or it failed.");
  std::_Exit(g_failure.status);
}

}  // namespace ui_detail
