#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace {

class SystemClock : public TClockSource {
 public:
  std::uint64_t NowMs() override {
    auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
  }
  void SleepMs(DWORD ms) override { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
};

SystemClock& TheSystemClock() {
  static SystemClock clock;
  return clock;
}

// Null while the system clock is in use.
TClockSource* g_clock = nullptr;

}  // namespace

TClockSource& CurrentClock() { return g_clock ? *g_clock : TheSystemClock(); }

TClockSource* SetClockSource(TClockSource* clock) {
  TClockSource* previous = g_clock;
  g_clock = clock;
  return previous;
}

DWORD GetTickCount() { return static_cast<DWORD>(CurrentClock().NowMs() & 0xFFFFFFFFu); }

void Sleep(DWORD ms) { CurrentClock().SleepMs(ms); }
