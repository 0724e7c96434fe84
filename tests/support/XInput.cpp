#include "support/XInput.h"

#include <sys/wait.h>

#include <cstdlib>

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

}  // namespace vntest
