#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"

namespace wce {
namespace {

TEST(ManualClockTest, MovesOnlyWhenTold) {
  ManualClock clock(500);
  ScopedClockSource installed(clock);
  EXPECT_EQ(MonotonicMillis(), 500u);
  EXPECT_EQ(MonotonicMillis(), 500u);
  clock.advanceMillis(250);
  EXPECT_EQ(GetTickCount(), 750u);
  clock.setMillis(10);
  EXPECT_EQ(MonotonicMillis(), 10u);
}

TEST(ManualClockTest, SleepAdvancesInsteadOfWaiting) {
  ManualClock clock;
  ScopedClockSource installed(clock);
  const auto realStart = std::chrono::steady_clock::now();
  Sleep(60'000);
  Sleep(0);
  EXPECT_EQ(MonotonicMillis(), 60'000u);
  EXPECT_EQ(clock.sleptMillis(), 60'000u);
  EXPECT_LT(std::chrono::steady_clock::now() - realStart, std::chrono::seconds(5));
}

TEST(ManualClockTest, AutoAdvanceMovesTimeByOneStepPerRead) {
  ManualClock clock(100);
  ScopedClockSource installed(clock);
  clock.setAutoAdvance(3);
  EXPECT_EQ(MonotonicMillis(), 100u);
  EXPECT_EQ(GetTickCount(), 103u);
  EXPECT_EQ(MonotonicMillis(), 106u);
  EXPECT_EQ(clock.peekMillis(), 109u);
  EXPECT_EQ(clock.peekMillis(), 109u);
  clock.setAutoAdvance(0);
  EXPECT_EQ(MonotonicMillis(), 109u);
  EXPECT_EQ(MonotonicMillis(), 109u);
}

TEST(ManualClockTest, TickCountWrapsButMonotonicMillisDoesNot) {
  const std::uint64_t beforeWrap = 0xFFFFFFFFull - 5;
  ManualClock clock(beforeWrap);
  ScopedClockSource installed(clock);
  clock.advanceMillis(10);
  EXPECT_EQ(GetTickCount(), 4u);
  EXPECT_EQ(MonotonicMillis(), beforeWrap + 10);
}

TEST(ManualClockTest, WallClockFollowsMonotonicTime) {
  ManualClock clock(1000, 1'700'000'000'000);
  ScopedClockSource installed(clock);
  EXPECT_EQ(WallClockMillis(), 1'700'000'000'000);
  clock.advanceMillis(1234);
  EXPECT_EQ(WallClockMillis(), 1'700'000'001'234);
}

TEST(ManualClockTest, PerformanceCounterCountsMicroseconds) {
  ManualClock clock(7);
  ScopedClockSource installed(clock);
  std::int64_t frequency = 0;
  std::int64_t count = 0;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  ASSERT_TRUE(QueryPerformanceCounter(&count));
  EXPECT_EQ(count / (frequency / 1000), 7);
  EXPECT_FALSE(QueryPerformanceCounter(nullptr));
}

TEST(ScopedClockSourceTest, RestoresThePreviousSource) {
  ManualClock outer(1);
  ManualClock inner(2);
  ScopedClockSource first(outer);
  {
    ScopedClockSource second(inner);
    EXPECT_EQ(MonotonicMillis(), 2u);
  }
  EXPECT_EQ(MonotonicMillis(), 1u);
}

TEST(SystemClockTest, WallClockAgreesWithTheStandardLibrary) {
  const auto reference =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
          .count();
  EXPECT_LE(std::llabs(WallClockMillis() - reference), 50);
}

TEST(SystemClockTest, MonotonicMillisNeverDecreases) {
  std::uint64_t previous = MonotonicMillis();
  for (int i = 0; i < 100000; ++i) {
    const std::uint64_t now = MonotonicMillis();
    ASSERT_GE(now, previous);
    previous = now;
  }
}

}  // namespace
}  // namespace wce
