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

// When the toolkit cannot start after all (the platform QT_QPA_PLATFORM
// names is not installed or fails, the display went away): `report` is
// called with what is missing, in MissingDisplay's words ("the window
// platform 'vnx' (QT_QPA_PLATFORM) cannot be started" for another
// platform), and the process then ends at once with `status`, instead of
// the toolkit's abort. Set before Application->Initialize.
void OnToolkitStartFailure(void (*report)(const AnsiString& missing), int status);
