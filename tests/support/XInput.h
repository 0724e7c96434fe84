// A test program's own X server, for tests of what a user does and sees
// through the window system: real pointer and key events (xdotool, through
// the server's XTEST extension) reaching the program's windows, and the
// pixels the server holds for them.
//
//   static void SetUpTestSuite() {
//     ASSERT_EQ(vntest::UseOwnXServer(), "");  // before the application object
//     TestKit::EnsureApplication();
//   }
//   vntest::XDoTool({"mousemove", "--sync", "100", "200", "mousedown", "1"});
//   EXPECT_TRUE(vntest::AskToClose("Held"));  // as a window manager's close box
#pragma once

#include <string>
#include <vector>

namespace vntest {

// Starts Xvfb once for this process (it lives until the process ends) and
// points the toolkit at it: DISPLAY, and the xcb platform in place of the
// offscreen one. Call it before the application object is made. "" when
// done, else what is missing.
std::string UseOwnXServer();

// Runs xdotool with the arguments against that server and waits for it;
// true when it ended with status 0.
bool XDoTool(const std::vector<std::string>& args);

// Sends the close message a window manager sends when the user closes a
// window (WM_DELETE_WINDOW of WM_PROTOCOLS) to each top-level window of
// that server titled `title`; true when one was found and the message went.
bool AskToClose(const std::string& title);

}  // namespace vntest
