#include "support/Xvfb.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace vntest {

pid_t SpawnTied(const std::string& path, std::vector<std::string> args, int quiet, int drop) {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const int devnull = open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (devnull < 0) return -1;
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid == 0) {
    // Only async-signal-safe calls from here on.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);
    if (drop >= 0) close(drop);
    if (dup2(devnull, quiet) < 0) _exit(127);
    execv(path.c_str(), argv.data());
    _exit(127);
  }
  close(devnull);
  return pid;
}

std::string OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::istringstream dirs(path ? path : "/usr/bin:/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':'))
    if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0)
      return dir + "/" + program;
  return "";
}

Xvfb::Xvfb(Idle whenIdle) {
  // Xvfb names the display it took on a pipe (-displayfd): no guessing of a
  // free display number against other users of the machine.
  int fds[2];
  if (pipe(fds) != 0) return;
  const std::string fd = std::to_string(fds[1]);
  std::vector<std::string> args = {"Xvfb", "-displayfd",   fd,          "-screen",
                                   "0",    "1280x1024x24", "-nolisten", "tcp"};
  if (whenIdle == Keeps) args.push_back("-noreset");
  const std::string program = OnPath("Xvfb");
  pid_ = program.empty() ? -1 : SpawnTied(program, args, 2, fds[0]);
  close(fds[1]);
  if (pid_ <= 0) {
    pid_ = -1;
    close(fds[0]);
    std::fprintf(stderr, "Xvfb could not be started\n");
    return;
  }
  std::string number;
  char c = 0;
  while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
  close(fds[0]);
  if (number.empty()) {
    std::fprintf(stderr, "Xvfb did not name its display\n");
    return;
  }
  display_ = ":" + number;
}

Xvfb::~Xvfb() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
}

}  // namespace vntest
