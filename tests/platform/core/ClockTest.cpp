#include <gtest/gtest.h>

#include <vector>

#include "platform/Clock.h"

namespace {

// Records the sleeps asked of it.
class RecordingClock : public TVirtualClock {
 public:
  void SleepMs(DWORD ms) override {
    sleeps.push_back(ms);
    TVirtualClock::SleepMs(ms);
  }
  std::vector<DWORD> sleeps;
};

}  // namespace

TEST(Clock, SystemClockIsMonotonicAndSleeps) {
  ASSERT_EQ(SetClockSource(nullptr), nullptr);  // no test leaves a clock behind
  const DWORD start = GetTickCount();
  Sleep(20);
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_GE(elapsed, 20u);
  EXPECT_LT(elapsed, 10000u);
}

TEST(Clock, VirtualTimeMovesOnlyWhenSleepingOrAdvanced) {
  RecordingClock clock;
  {
    TScopedClock use(clock);
    EXPECT_EQ(&CurrentClock(), &clock);
    EXPECT_EQ(GetTickCount(), 0u);
    Sleep(6000);
    Sleep(0);
    clock.Advance(5);
    EXPECT_EQ(GetTickCount(), 6005u);
    EXPECT_EQ(clock.sleeps, (std::vector<DWORD>{6000, 0}));
  }
  EXPECT_NE(&CurrentClock(), &clock);  // the scope put the system clock back
}

TEST(Clock, TickCountWrapsAtTwoToThe32) {
  TVirtualClock clock(0xFFFFFFF0ull);
  TScopedClock use(clock);
  const DWORD start = GetTickCount();
  EXPECT_EQ(start, 0xFFFFFFF0u);
  Sleep(0x20);
  EXPECT_EQ(GetTickCount(), 0x10u);
  EXPECT_EQ(static_cast<DWORD>(GetTickCount() - start), 0x20u);  // differences survive the wrap
  clock.Set(0x500000007ull);
  EXPECT_EQ(GetTickCount(), 7u);
}

TEST(Clock, SetClockSourceReturnsThePreviousAndNullRestores) {
  TVirtualClock a(100), b(200);
  EXPECT_EQ(SetClockSource(&a), nullptr);
  EXPECT_EQ(GetTickCount(), 100u);
  EXPECT_EQ(SetClockSource(&b), &a);
  EXPECT_EQ(GetTickCount(), 200u);
  {
    TScopedClock nested(a);
    EXPECT_EQ(GetTickCount(), 100u);
  }
  EXPECT_EQ(GetTickCount(), 200u);  // nested scopes restore the clock before them
  EXPECT_EQ(SetClockSource(nullptr), &b);
  EXPECT_NE(&CurrentClock(), &a);
  EXPECT_NE(&CurrentClock(), &b);
}
