// Starting programs, opening the help file and beeping, as the module asks
// the operating system for them. Each goes through a replaceable service
// (platform/LaunchServices.h), so tests can see what would have happened.
#pragma once

#include "platform/Types.h"

constexpr UINT SW_HIDE = 0;
constexpr UINT SW_SHOWNORMAL = 1;
constexpr UINT SW_SHOW = 5;

constexpr UINT HELP_CONTEXT = 0x0001;
constexpr UINT HELP_QUIT = 0x0002;
constexpr UINT HELP_CONTENTS = 0x0003;
constexpr UINT HELP_INDEX = 0x0003;
constexpr UINT HELP_FINDER = 0x000B;

// Results of WinExec below 32.
constexpr UINT ERROR_FILE_NOT_FOUND = 2;
constexpr UINT ERROR_PATH_NOT_FOUND = 3;
constexpr UINT ERROR_BAD_FORMAT = 11;

// Starts the program of `cmdLine` and does not wait for it. The command line
// is split at blanks, double quotes group blanks into one argument (inside
// quotes, two quotes stand for one), backslashes are plain characters; no
// shell is involved. The program part has "\" translated to "/"; a name
// without a folder is looked for in the program's own folder, then the
// current folder, then $PATH. `cmdShow` is accepted and ignored. Returns a
// value above 31 when the program started, else ERROR_FILE_NOT_FOUND,
// ERROR_PATH_NOT_FOUND, ERROR_BAD_FORMAT (not a program) or 0.
UINT WinExec(LPCSTR cmdLine, UINT cmdShow);

// There is no help engine here: any command but HELP_QUIT opens `file` (with
// "\" translated to "/") with the desktop's default program (xdg-open),
// without waiting, when the file exists; otherwise an error box says
// `The help file "<path>" was not found.` with the translated path, as a
// help system reports a missing file. TRUE when the opener started.
BOOL WinHelpA(HWND wnd, LPCSTR file, UINT command, std::uintptr_t data);

// The desktop's beep; frequency, duration and type are handed to the beeper
// service, which by default ignores them. Always TRUE.
BOOL Beep(DWORD frequency, DWORD duration);
BOOL MessageBeep(UINT type);
