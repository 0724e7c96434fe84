// The agent's event loop: the agent library's sockets, timeouts and alarms,
// and any number of descriptors of our own (control clients, the signal
// pipe). Ours are polled here rather than registered with the library,
// whose table of outside descriptors holds only a few dozen.
#pragma once

#include <functional>
#include <map>

namespace sim {

class EventLoop {
 public:
  // Waits for the next event (or the library's next timeout) and handles
  // what is ready.
  void RunOnce();
  // Calls back when the descriptor is readable (or closed, or in error),
  // until unwatched.
  void Watch(int fd, std::function<void()> onReadable);
  void Unwatch(int fd);
  // Calls back when the descriptor can take more output, until unwatched.
  void WatchWritable(int fd, std::function<void()> onWritable);
  void UnwatchWritable(int fd);
  void Clear();

 private:
  std::map<int, std::function<void()>> readers_;
  std::map<int, std::function<void()>> writers_;
};

}  // namespace sim
