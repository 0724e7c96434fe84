#include "simulator/src/EventLoop.h"

#include <poll.h>

// The library's configuration header comes first (AgentValues.h brings it).
#include "simulator/src/AgentValues.h"
// clang-format off
#include <net-snmp/agent/net-snmp-agent-includes.h>
#include <net-snmp/library/fd_event_manager.h>
#include <net-snmp/library/large_fd_set.h>
// clang-format on

#include <cerrno>
#include <climits>
#include <vector>

namespace sim {

namespace {

struct FdSet {
  netsnmp_large_fd_set set;
  FdSet() { netsnmp_large_fd_set_init(&set, FD_SETSIZE); }
  ~FdSet() { netsnmp_large_fd_set_cleanup(&set); }
  FdSet(const FdSet&) = delete;
  FdSet& operator=(const FdSet&) = delete;
};

constexpr short kReadable = POLLIN | POLLHUP | POLLERR | POLLNVAL;
constexpr short kWritable = POLLOUT | POLLHUP | POLLERR | POLLNVAL;

// Calls the callback watching fd now; it may unwatch itself or others.
void Dispatch(const std::map<int, std::function<void()>>& callbacks, int fd) {
  auto it = callbacks.find(fd);
  if (it == callbacks.end()) return;
  auto callback = it->second;
  callback();
}

}  // namespace

// What the library's agent_check_and_process does, with poll() over its
// descriptors and ours together.
void EventLoop::RunOnce() {
  FdSet libRead, libWrite, libExcept;
  int numfds = 0;
  int block = 1;  // stays 1 when nothing of the library's is due
  timeval timeout{LONG_MAX, 0};
  snmp_select_info2(&numfds, &libRead.set, &timeout, &block);
  netsnmp_external_event_info2(&numfds, &libRead.set, &libWrite.set, &libExcept.set);

  std::map<int, short> wanted;
  for (int fd = 0; fd < numfds; ++fd) {
    if (NETSNMP_LARGE_FD_ISSET(fd, &libRead.set)) wanted[fd] |= POLLIN;
    if (NETSNMP_LARGE_FD_ISSET(fd, &libWrite.set)) wanted[fd] |= POLLOUT;
    if (NETSNMP_LARGE_FD_ISSET(fd, &libExcept.set)) wanted[fd] |= POLLPRI;
  }
  for (const auto& [fd, callback] : readers_) wanted[fd] |= POLLIN;
  for (const auto& [fd, callback] : writers_) wanted[fd] |= POLLOUT;
  std::vector<pollfd> fds;
  fds.reserve(wanted.size());
  for (const auto& [fd, events] : wanted) fds.push_back({fd, events, 0});

  int waitMs = -1;
  if (!block) {
    const long long ms =
        static_cast<long long>(timeout.tv_sec) * 1000 + (timeout.tv_usec + 999) / 1000;
    waitMs = ms < 0 ? 0 : ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
  }
  const int count = ::poll(fds.data(), fds.size(), waitMs);
  if (count < 0) return;  // a signal: the caller looks at its flags
  if (count == 0) {
    snmp_timeout();
  } else {
    FdSet readyRead, readyWrite, readyExcept;
    int libReady = 0;
    for (const pollfd& p : fds) {
      if (!p.revents) continue;
      const bool lib = p.fd < numfds;
      if (lib && NETSNMP_LARGE_FD_ISSET(p.fd, &libRead.set) && (p.revents & kReadable)) {
        netsnmp_large_fd_setfd(p.fd, &readyRead.set);
        ++libReady;
      }
      if (lib && NETSNMP_LARGE_FD_ISSET(p.fd, &libWrite.set) && (p.revents & kWritable)) {
        netsnmp_large_fd_setfd(p.fd, &readyWrite.set);
        ++libReady;
      }
      if (lib && NETSNMP_LARGE_FD_ISSET(p.fd, &libExcept.set) && (p.revents & POLLPRI)) {
        netsnmp_large_fd_setfd(p.fd, &readyExcept.set);
        ++libReady;
      }
    }
    for (const pollfd& p : fds) {
      if (p.revents & kReadable) Dispatch(readers_, p.fd);
      if (p.revents & kWritable) Dispatch(writers_, p.fd);
    }
    if (libReady > 0) {
      netsnmp_dispatch_external_events2(&libReady, &readyRead.set, &readyWrite.set,
                                        &readyExcept.set);
      if (libReady > 0) snmp_read2(&readyRead.set);
    }
  }
  run_alarms();
  netsnmp_check_outstanding_agent_requests();
}

void EventLoop::Watch(int fd, std::function<void()> onReadable) {
  readers_[fd] = std::move(onReadable);
}

void EventLoop::Unwatch(int fd) { readers_.erase(fd); }

void EventLoop::WatchWritable(int fd, std::function<void()> onWritable) {
  writers_[fd] = std::move(onWritable);
}

void EventLoop::UnwatchWritable(int fd) { writers_.erase(fd); }

void EventLoop::Clear() {
  readers_.clear();
  writers_.clear();
}

}  // namespace sim
