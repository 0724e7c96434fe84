#include "platform/Launch.h"

#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/Files.h"
#include "platform/LaunchServices.h"

namespace {
TProcessLauncher* g_launcher = nullptr;
TBeeper* g_beeper = nullptr;
}  // namespace

TProcessLauncher* SetProcessLauncher(TProcessLauncher* launcher) {
  TProcessLauncher* previous = g_launcher;
  g_launcher = launcher;
  return previous;
}

TBeeper* SetBeeper(TBeeper* beeper) {
  TBeeper* previous = g_beeper;
  g_beeper = beeper;
  return previous;
}

TProcessLauncher& ProcessLauncher() { return g_launcher ? *g_launcher : SystemProcessLauncher(); }
TBeeper& Beeper() { return g_beeper ? *g_beeper : SystemBeeper(); }

std::vector<AnsiString> SplitCommandLine(const AnsiString& cmdLine) {
  std::vector<AnsiString> args;
  std::string arg;
  bool started = false;
  bool quoted = false;
  const std::string& s = cmdLine.str();
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"') {
      if (quoted && i + 1 < s.size() && s[i + 1] == '"') {
        arg += '"';
        ++i;
      } else {
        quoted = !quoted;
      }
      started = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (started) args.emplace_back(std::move(arg));
      arg.clear();
      started = false;
    } else {
      arg += c;
      started = true;
    }
  }
  if (started) args.emplace_back(std::move(arg));
  return args;
}

AnsiString QuoteCommandLineArgument(const AnsiString& arg) {
  const std::string& s = arg.str();
  if (s.find('\0') != std::string::npos)
    throw EConvertError("A command-line argument cannot hold a zero byte");
  if (!s.empty() && s.find_first_of(" \t\"") == std::string::npos) return arg;
  std::string quoted = "\"";
  for (const char c : s) {
    // Inside quotes the split reads two quotes as one.
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return AnsiString(std::move(quoted));
}

UINT WinExec(LPCSTR cmdLine, UINT /*cmdShow*/) {
  std::vector<AnsiString> argv = SplitCommandLine(cmdLine ? cmdLine : "");
  if (argv.empty() || argv[0].IsEmpty()) return ERROR_FILE_NOT_FOUND;
  argv[0] = ToSystemPath(argv[0]);
  return ProcessLauncher().Start(argv);
}

BOOL WinHelpA(HWND /*wnd*/, LPCSTR file, UINT command, std::uintptr_t /*data*/) {
  if (command == HELP_QUIT) return TRUE;
  if (!file || !*file) return FALSE;
  const AnsiString path = ToSystemPath(file);
  if (!FileExists(path)) {
    // The help system's own report: the module never learns of it.
    MessageDlg("The help file \"" + path + "\" was not found.", mtError, mbOK, 0);
    return FALSE;
  }
  return ProcessLauncher().Start({"xdg-open", path}) > 31 ? TRUE : FALSE;
}

BOOL Beep(DWORD frequency, DWORD duration) {
  Beeper().Beep(frequency, duration);
  return TRUE;
}

BOOL MessageBeep(UINT type) {
  Beeper().MessageBeep(type);
  return TRUE;
}
