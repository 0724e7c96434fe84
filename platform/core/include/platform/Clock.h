// Monotonic milliseconds and sleeping, through one replaceable clock so that
// tests can run waits in virtual time.
#pragma once

#include <cstdint>

#include "platform/Types.h"

class TClockSource {
 public:
  virtual ~TClockSource() = default;
  // Monotonic milliseconds since an arbitrary start.
  virtual std::uint64_t NowMs() = 0;
  virtual void SleepMs(DWORD ms) = 0;
};

// The clock in use; the system's monotonic clock unless replaced.
TClockSource& CurrentClock();
// Replaces the clock (nullptr restores the system clock); returns the
// previous one (nullptr when it was the system clock). The caller keeps
// ownership and keeps the clock alive while it is installed.
TClockSource* SetClockSource(TClockSource* clock);

// Milliseconds since the clock's start, wrapping at 2^32 like the system call.
DWORD GetTickCount();
void Sleep(DWORD ms);

// A clock that only moves when told to: sleeping advances it at once.
class TVirtualClock : public TClockSource {
 public:
  explicit TVirtualClock(std::uint64_t startMs = 0) : now_(startMs) {}
  std::uint64_t NowMs() override { return now_; }
  void SleepMs(DWORD ms) override { now_ += ms; }
  void Advance(std::uint64_t ms) { now_ += ms; }
  void Set(std::uint64_t ms) { now_ = ms; }

 private:
  std::uint64_t now_;
};

// Installs a clock for the life of the object and restores the previous one.
class TScopedClock {
 public:
  explicit TScopedClock(TClockSource& clock) : previous_(SetClockSource(&clock)) {}
  ~TScopedClock() { SetClockSource(previous_); }
  TScopedClock(const TScopedClock&) = delete;
  TScopedClock& operator=(const TScopedClock&) = delete;

 private:
  TClockSource* previous_;
};
