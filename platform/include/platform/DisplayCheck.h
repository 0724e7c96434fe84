// Whether the windows will find a screen, asked before the toolkit starts:
// the toolkit itself ends the process with an abort when the display it
// needs is missing.
#pragma once

#include "platform/AnsiString.h"

// Empty when the toolkit's platform will find its display, or when that
// platform is not the X one (xcb, the default: QT_QPA_PLATFORM names another,
// such as offscreen or vnc). Otherwise what is missing: "DISPLAY is not set",
// or "the X display ':7' cannot be opened" when no X server takes a
// connection there (the toolkit's own connection would fail alike).
AnsiString MissingDisplay();
