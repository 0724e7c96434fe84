// A virtual X server of the caller's own (Xvfb), for the programs that must
// draw on a real X display: a test of what the module does there, or a
// benchmark of what a user waits for.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace vntest {

// Starts the program at `path` as a child that ends with this process even
// when this one is killed (a broken pipe, a test timeout): it asks for a
// signal on its parent's death before it execs. The child's descriptor
// `quiet` goes to /dev/null and `drop` (-1: none) is closed in it. -1 when
// there is no child; a program that cannot run exits at once with 127.
pid_t SpawnTied(const std::string& path, std::vector<std::string> args, int quiet, int drop);

// The program's path on PATH ("" when there is none).
std::string OnPath(const std::string& program);

// Xvfb on a display number it picks itself, ended with this object. It
// keeps its state when its last client leaves, unless told to reset then, as
// a server started for one program (xvfb-run) does.
class Xvfb {
 public:
  enum Idle { Keeps, Resets };
  explicit Xvfb(Idle whenIdle = Keeps);
  ~Xvfb();
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;
  bool Ok() const { return !display_.empty(); }
  // ":n" once it serves ("" when it could not be started).
  const std::string& Display() const { return display_; }
  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

}  // namespace vntest
