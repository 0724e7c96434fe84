#include "simulator/src/Turnaround.h"

#include <linux/sockios.h>
#include <sys/ioctl.h>

#include <ctime>

#include "simulator/src/StateFile.h"

namespace sim {

namespace {

std::int64_t Ns(const timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + static_cast<std::int64_t>(t.tv_nsec);
}

}  // namespace

std::int64_t SystemClockNs() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return Ns(now);
}

std::int64_t ArrivalNs(int socket) {
  timespec stamp{};
  if (ioctl(socket, SIOCGSTAMPNS, &stamp) == 0 && Ns(stamp) > 0) return Ns(stamp);
  return SystemClockNs();
}

TurnaroundLog::TurnaroundLog() { events_.reserve(1 << 16); }

bool TurnaroundLog::Write(const std::string& path, std::string& error) const {
  std::string text;
  text.reserve(events_.size() * 22);
  for (const Event& e : events_) {
    text += e.kind;
    text += ' ';
    text += std::to_string(e.ns);
    text += '\n';
  }
  return WriteStateFile(path, text, error);
}

}  // namespace sim
