// The agent's times of requests arriving and replies leaving, for
// benchmarks (--turnaround FILE): a client's turnaround is the time from a
// reply leaving the agent to the client's next request arriving there. Kept
// in memory while the agent runs and written once at its end, so that
// recording costs the agent next to nothing (unlike the request log).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

// Nanoseconds of the system clock, the clock the kernel stamps arriving
// datagrams with.
std::int64_t SystemClockNs();

// When the kernel received the datagram last read from the socket (system
// clock, nanoseconds); the time now when the kernel kept no stamp. The first
// call asks the kernel to stamp the socket's datagrams from then on.
std::int64_t ArrivalNs(int socket);

class TurnaroundLog {
 public:
  TurnaroundLog();
  void Received(std::int64_t ns) { events_.push_back({'r', ns}); }
  void Sent(std::int64_t ns) { events_.push_back({'s', ns}); }
  // One line per event in the order they happened: "r NS" for a datagram
  // received, "s NS" for one sent; written whole or not at all.
  bool Write(const std::string& path, std::string& error) const;

 private:
  struct Event {
    char kind;
    std::int64_t ns;
  };
  std::vector<Event> events_;
};

}  // namespace sim
