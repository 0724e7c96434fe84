// The module's program entry once the command line is known: the
// application object, the main window and the second form, then the message
// loop. An exception that ends start-up is shown by the application's
// exception dialog.
#pragma once

// The exit status of a start-up that could not go on (no argument, or the
// main window could not be made), so that the host product can tell.
inline constexpr int kStartupFailedStatus = 1;

// Returns 0 after a normal close, kStartupFailedStatus otherwise. The forms
// stay with the application (Application->Finalize frees them).
int RunModule();
