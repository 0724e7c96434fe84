#include "support/XInput.h"

#include <sys/wait.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "support/Xvfb.h"

namespace vntest {

std::string UseOwnXServer() {
  static Xvfb* server = nullptr;  // ends with the process it is tied to
  if (!server) {
    if (OnPath("xdotool").empty()) return "xdotool is not installed";
    server = new Xvfb();
  }
  if (!server->Ok()) return "Xvfb could not be started";
  setenv("DISPLAY", server->Display().c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  return "";
}

bool XDoTool(const std::vector<std::string>& args) {
  const std::string program = OnPath("xdotool");
  if (program.empty()) return false;
  std::vector<std::string> argv = {"xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  const pid_t pid = SpawnTied(program, argv, 1, -1);
  if (pid <= 0) return false;
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

namespace {

struct Freed {
  void operator()(void* p) const { std::free(p); }
};
template <class T>
using Reply = std::unique_ptr<T, Freed>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  const Reply<xcb_intern_atom_reply_t> r(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::string TitleOf(xcb_connection_t* c, xcb_window_t w) {
  const Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(
      c, xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr));
  if (!r) return "";
  return std::string(static_cast<const char*>(xcb_get_property_value(r.get())),
                     static_cast<std::size_t>(xcb_get_property_value_length(r.get())));
}

}  // namespace

bool AskToClose(const std::string& title) {
  const char* display = std::getenv("DISPLAY");
  xcb_connection_t* c = xcb_connect(display, nullptr);
  const std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> closer(c, xcb_disconnect);
  if (xcb_connection_has_error(c)) return false;
  const xcb_atom_t protocols = Atom(c, "WM_PROTOCOLS"), close = Atom(c, "WM_DELETE_WINDOW");
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const Reply<xcb_query_tree_reply_t> tree(
      xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
  if (!tree || protocols == XCB_ATOM_NONE || close == XCB_ATOM_NONE) return false;
  const xcb_window_t* windows = xcb_query_tree_children(tree.get());
  bool sent = false;
  for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
    if (TitleOf(c, windows[i]) != title) continue;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = windows[i];
    message.type = protocols;
    message.data.data32[0] = close;
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, windows[i], XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    sent = true;
  }
  const Reply<xcb_get_input_focus_reply_t> synced(
      xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  return sent && synced;
}

}  // namespace vntest
