// The services behind WinExec, WinHelpA, Beep and MessageBeep, and
// recording stand-ins for tests.
#pragma once

#include <string>
#include <vector>

#include "platform/AnsiString.h"
#include "platform/Types.h"

// Starts processes that nobody waits for.
class TProcessLauncher {
 public:
  virtual ~TProcessLauncher() = default;
  // argv[0] is the program (a path, or a name looked for as WinExec
  // describes), the rest its arguments, passed unchanged. Returns a WinExec
  // result: above 31 when the program started.
  virtual UINT Start(const std::vector<AnsiString>& argv) = 0;
};

class TBeeper {
 public:
  virtual ~TBeeper() = default;
  virtual void Beep(DWORD frequency, DWORD duration) = 0;
  virtual void MessageBeep(UINT type) = 0;
};

// The real ones: the launcher forks twice, so the program is adopted by the
// system and never becomes a zombie of ours (no SIGCHLD handling is
// touched); it runs in a session of its own with stdin from /dev/null and no
// descriptor of ours but stdout and stderr. The beeper rings the
// application's bell when a GUI application exists.
TProcessLauncher& SystemProcessLauncher();
TBeeper& SystemBeeper();

// Install a replacement (not owned; nullptr returns to the real one);
// return the one installed before (nullptr for the real one).
TProcessLauncher* SetProcessLauncher(TProcessLauncher* launcher);
TBeeper* SetBeeper(TBeeper* beeper);
TProcessLauncher& ProcessLauncher();
TBeeper& Beeper();

// Splits a command line as WinExec does.
std::vector<AnsiString> SplitCommandLine(const AnsiString& cmdLine);

// The inverse of that split for one argument: the text that comes back from
// it as exactly `arg`, byte for byte, when it stands between blanks. That is
// `arg` itself when it is not empty and holds no blank, tab or double quote,
// else `arg` in double quotes with each of its own quotes doubled. A zero
// byte cannot travel in a command line: EConvertError.
AnsiString QuoteCommandLineArgument(const AnsiString& arg);

// Records every start and answers with `Result`.
class TRecordingLauncher : public TProcessLauncher {
 public:
  UINT Start(const std::vector<AnsiString>& argv) override {
    Calls.push_back(argv);
    return Result;
  }
  std::vector<std::vector<AnsiString>> Calls;
  UINT Result = 33;
};

// Records every beep as "Beep 1000 200" or "MessageBeep 0".
class TRecordingBeeper : public TBeeper {
 public:
  void Beep(DWORD frequency, DWORD duration) override {
    Calls.push_back("Beep " + std::to_string(frequency) + " " + std::to_string(duration));
  }
  void MessageBeep(UINT type) override { Calls.push_back("MessageBeep " + std::to_string(type)); }
  std::vector<std::string> Calls;
};

// Install a launcher or a beeper for the life of this object.
class TLauncherOverride {
 public:
  explicit TLauncherOverride(TProcessLauncher& l) : previous_(SetProcessLauncher(&l)) {}
  ~TLauncherOverride() { SetProcessLauncher(previous_); }
  TLauncherOverride(const TLauncherOverride&) = delete;
  TLauncherOverride& operator=(const TLauncherOverride&) = delete;

 private:
  TProcessLauncher* previous_;
};

class TBeeperOverride {
 public:
  explicit TBeeperOverride(TBeeper& b) : previous_(SetBeeper(&b)) {}
  ~TBeeperOverride() { SetBeeper(previous_); }
  TBeeperOverride(const TBeeperOverride&) = delete;
  TBeeperOverride& operator=(const TBeeperOverride&) = delete;

 private:
  TBeeper* previous_;
};
