#include "platform/DisplayCheck.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string>

#include "Toolkit.h"

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// The check's connection, kept open until the toolkit holds its own: an X
// server that resets when its last client leaves refuses connections while
// it resets, and the toolkit's would come just then.
xcb_connection_t* g_held = nullptr;

void CloseHeld() {
  if (g_held) xcb_disconnect(g_held);
  g_held = nullptr;
}

// Opens a connection as the toolkit's X platform would open it, and keeps it.
bool XDisplayOpens(const std::string& name) {
  CloseHeld();
  xcb_connection_t* connection = xcb_connect(name.c_str(), nullptr);
  if (xcb_connection_has_error(connection) != 0) {
    xcb_disconnect(connection);  // an error connection too
    return false;
  }
  g_held = connection;
  return true;
}

// The platform QT_QPA_PLATFORM names ("xcb:options" names "xcb"); "" for the
// toolkit's default here, the X one.
std::string PlatformName() {
  const std::string platform = Environment("QT_QPA_PLATFORM");
  return platform.substr(0, platform.find(':'));
}

AnsiString XDisplayMissing(const std::string& display) {
  if (display.empty()) return "DISPLAY is not set";
  return AnsiString("the X display '" + display + "' cannot be opened");
}

}  // namespace

AnsiString MissingDisplay() {
  const std::string platform = PlatformName();
  if (!platform.empty() && platform != "xcb") return "";
  const std::string display = Environment("DISPLAY");
  if (display.empty() || !XDisplayOpens(display)) return XDisplayMissing(display);
  return "";
}

namespace ui_detail {

AnsiString ToolkitPlatformText() {
  const std::string platform = PlatformName();
  if (platform.empty()) return "the window platform 'xcb'";
  return AnsiString("the window platform '" + platform + "' (QT_QPA_PLATFORM)");
}

AnsiString XDisplayText() {
  const std::string display = Environment("DISPLAY");
  return AnsiString("the X display '" + display + "'");
}

void DisplayCheckDone() { CloseHeld(); }

}  // namespace ui_detail
