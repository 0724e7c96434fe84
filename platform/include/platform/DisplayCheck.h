// Whether the windows will find a screen, asked before the toolkit starts:
// the toolkit itself ends the process with an abort when the display it
// needs is missing, unless the program takes that failure
// (OnToolkitStartFailure).
#pragma once

#include "platform/AnsiString.h"

// Empty when the toolkit's platform will find its display, or when that
// platform is not the X one (xcb, the default: QT_QPA_PLATFORM names another,
// such as offscreen or vnc). Otherwise what is missing: "DISPLAY is not set",
// or "the X display ':7' cannot be opened" when no X server takes a
// connection there (the toolkit's own connection would fail alike). A
// display that opens keeps the check's connection until the application
// object has started the toolkit (Application->Initialize), so that the
// server has a client all along: one that resets when its last client
// leaves would refuse the toolkit's connection while it resets.
AnsiString MissingDisplay();

// When the toolkit cannot start after all, the process ends at once with
// `status` instead of the toolkit's abort. The display went away meanwhile:
// `report` is called with what is missing, in MissingDisplay's words. The
// display is there, or the platform QT_QPA_PLATFORM names needs none (it is
// not installed, or it fails): the layer says so itself on the error stream,
// after the program's name ("kxr-module: the window platform 'vnx'
// (QT_QPA_PLATFORM) cannot be started: it is not installed, or it
// failed."). Set before Application->Initialize.
//
// Once started, a program whose X display goes away (its server ended)
// says so alike ("kxr-module: the X display ':7' went away while the
// program ran (its server ended, or the connection to it broke).") and
// ends with status 1, as the toolkit would, in place of the toolkit's words.
void OnToolkitStartFailure(void (*report)(const AnsiString& missing), int status);
