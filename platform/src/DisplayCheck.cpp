#include "platform/DisplayCheck.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string>

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Opens and closes a connection as the toolkit's X platform would open it.
bool XDisplayOpens(const std::string& name) {
  xcb_connection_t* connection = xcb_connect(name.c_str(), nullptr);
  const bool opened = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);  // an error connection too
  return opened;
}

}  // namespace

AnsiString MissingDisplay() {
  // "xcb" or "xcb:options"; the toolkit's default here when none is named.
  const std::string platform = Environment("QT_QPA_PLATFORM");
  if (!platform.empty() && platform.substr(0, platform.find(':')) != "xcb") return "";
  const std::string display = Environment("DISPLAY");
  if (display.empty()) return "DISPLAY is not set";
  if (!XDisplayOpens(display))
    return AnsiString("the X display '" + display + "' cannot be opened");
  return "";
}
