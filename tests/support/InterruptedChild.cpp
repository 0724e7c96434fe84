#include "support/InterruptedChild.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>

#include "support/TestSupport.h"

namespace vntest {

namespace {

// Waits until process `pid`, not a child of ours, has ended (a zombie at
// most: everything it held is closed); at most 5 seconds.
void WaitEnded(pid_t pid) {
  const std::string stat = "/proc/" + std::to_string(pid) + "/stat";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (std::chrono::steady_clock::now() < deadline) {
    const std::string text = ReadFile(stat);
    const std::string::size_type end = text.rfind(") ");
    if (end == std::string::npos || text[end + 2] == 'Z' || text[end + 2] == 'X') return;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

}  // namespace

InterruptedChild::InterruptedChild(Interrupt how, const std::function<void(Moment)>& arm,
                                   const std::function<void()>& work) {
  int report[2];
  if (pipe(report) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    close(report[0]);
    const int out = report[1];
    arm([how, out] {
      if (how == Interrupt::Kill) raise(SIGKILL);
      const pid_t copy = fork();
      if (copy == 0) {
        close(out);
        raise(SIGSTOP);
        _exit(0);
      }
      const bool told = write(out, &copy, sizeof copy) == static_cast<ssize_t>(sizeof copy);
      _exit(told ? 0 : 1);
    });
    try {
      work();
    } catch (...) {
    }
    _exit(2);
  }
  close(report[1]);
  if (pid_ > 0) {
    pid_t copy = -1;
    ssize_t got = 0;
    do {
      got = read(report[0], &copy, sizeof copy);
    } while (got < 0 && errno == EINTR);
    if (got == static_cast<ssize_t>(sizeof copy)) copy_ = copy;
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    caught_ = how == Interrupt::Kill ? WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL
                                     : copy_ > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  close(report[0]);
}

InterruptedChild::~InterruptedChild() {
  if (copy_ <= 0) return;
  kill(copy_, SIGKILL);
  WaitEnded(copy_);
}

}  // namespace vntest
