// A time limit for calls that must not wait, such as an open that a FIFO
// could hold up.
#pragma once

#include <signal.h>
#include <sys/time.h>

namespace vntest {

// While it lives, a call still waiting after `seconds` is interrupted (a
// SIGALRM without SA_RESTART: the call fails with EINTR) and Passed() turns
// true, so that a test reports the wait instead of hanging; any later wait
// is interrupted within a second. One at a time; the test process's only
// thread is the one interrupted.
class Deadline {
 public:
  explicit Deadline(time_t seconds) {
    passed_ = 0;
    struct sigaction action {};
    action.sa_handler = [](int) { passed_ = 1; };
    sigemptyset(&action.sa_mask);
    sigaction(SIGALRM, &action, &previous_);
    itimerval timer{};
    timer.it_value.tv_sec = seconds;
    timer.it_interval.tv_sec = 1;
    setitimer(ITIMER_REAL, &timer, nullptr);
  }
  ~Deadline() {
    const itimerval off{};
    setitimer(ITIMER_REAL, &off, nullptr);
    sigaction(SIGALRM, &previous_, nullptr);
  }
  Deadline(const Deadline&) = delete;
  Deadline& operator=(const Deadline&) = delete;

  bool Passed() const { return passed_ != 0; }

 private:
  static inline volatile sig_atomic_t passed_ = 0;
  struct sigaction previous_ {};
};

}  // namespace vntest
