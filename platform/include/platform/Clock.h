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
// previous one. The caller keeps ownership.
TClockSource* SetClockSource(TClockSource* clock);

// Milliseconds since the clock's start, wrapping at 2^32 like the system call.
DWORD GetTickCount();
void Sleep(DWORD ms);
