#include <gtest/gtest.h>

#include "ScreensRecorder.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "nvx/src/state/MainCanvas.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "tests/projects/gamelib/GameLibTesting.h"

using gamelib::ScreenCanvas;
using nvx::MainCanvas;

namespace {

constexpr uint64_t start = 100000;

// The map screen under a manual clock, its screens recorded; the key and
// pointer state of the canvas cleared.
class FrameClockTest : public ::testing::Test {
protected:
  void SetUp() override {
    MainCanvas::enter(3);
    MainCanvas::lastFrameTime = static_cast<int64_t>(start);
    MainCanvas::keyRepeatTime = MainCanvas::pointerRepeatTime = 0;
    MainCanvas::clockAccum = 0;
    MainCanvas::clockPhase = MainCanvas::clockPrevPhase = MainCanvas::clockTick = 0;
    MainCanvas::halfSecondCount = 1;
    MainCanvas::pulsePhase = 1;
    MainCanvas::pendingTransition = MainCanvas::transitionArmed = 0;
    ScreenCanvas::resetKeys();
    gamelib::GameLibTesting::exiting() = false;
    gamelib::GameLibTesting::pausedOnce() = false;
  }
  void TearDown() override {
    ScreenCanvas::resetKeys();
    MainCanvas::enter(254);
    MainCanvas::pendingKey = MainCanvas::noKey;
  }

  // Steps every period ms until elapsed ms have passed; the first step at once.
  void stepFor(uint64_t elapsed, uint64_t period) {
    for (uint64_t t = 0; t < elapsed; t += period) {
      MainCanvas::step();
      clock.advanceMillis(period);
    }
  }

  wce::ManualClock clock{start};
  wce::ScopedClockSource useClock{clock};
  ScreensRecorder screens;
};

TEST_F(FrameClockTest, AHeldKeyIsDeliveredOnceThenEveryFrameMoreThan200MsLater) {
  ScreenCanvas::keyPressedFlag = 1;
  ScreenCanvas::lastKeyCode = 56;
  stepFor(1000, 42);
  // At 0, 210, 420, 630 and 840 ms: the press and four repeats.
  EXPECT_EQ(screens.count("updateMapScreen"), 5);
  EXPECT_EQ(MainCanvas::pendingKey, 56);

  ScreenCanvas::keyPressedFlag = 0;
  MainCanvas::step();
  EXPECT_EQ(MainCanvas::pendingKey, MainCanvas::noKey);
}

TEST_F(FrameClockTest, KeyRepeatNeedsMoreThan200MsAndNeverFiresWhenTheClockWentBack) {
  struct Case {
    int64_t sinceLastDelivery;
    int deliveries;
  };
  for (const Case& c : {Case{200, 0}, Case{201, 1}, Case{-1, 0}, Case{-5000, 0}}) {
    screens.calls.clear();
    ScreenCanvas::keyPressedFlag = 1;
    MainCanvas::keyRepeatTime = static_cast<int64_t>(clock.peekMillis()) - c.sinceLastDelivery;
    MainCanvas::step();
    EXPECT_EQ(screens.count("updateMapScreen"), c.deliveries) << c.sinceLastDelivery;
  }
}

TEST_F(FrameClockTest, AHeldPointerActsAtMostOnceEvery101Ms) {
  ScreenCanvas::pointerHeld = 1;
  ScreenCanvas::pointerX = 30;
  ScreenCanvas::pointerY = 70;
  stepFor(1000, 10);
  // At 0, 110, 220, ..., 990 ms.
  EXPECT_EQ(screens.count("handlePointer(30,70)"), 10);
}

TEST_F(FrameClockTest, PhaseChangesRunTheStateWorkThenTickerAndTransition) {
  clock.advanceMillis(42);  // 42 * 12 / 500 = phase 1
  MainCanvas::step();
  EXPECT_EQ(MainCanvas::clockPhase, 1);
  EXPECT_EQ(screens.joined(), "tickMapScreen tickTicker");
  clock.advanceMillis(1);  // still phase 1: nothing runs
  MainCanvas::step();
  EXPECT_EQ(screens.calls.size(), 2u);

  struct Case {
    uint8_t state;
    const char* work;
  };
  for (const Case& c : {Case{1, "worldSteps tickTicker"},
                        Case{2, "tickTicker"},
                        Case{4, "tickBestResults tickTicker"},
                        Case{5, "tickTicker"}}) {
    screens.calls.clear();
    MainCanvas::enter(c.state);
    clock.advanceMillis(42);
    MainCanvas::step();
    EXPECT_EQ(screens.joined(), c.work) << int(c.state);
  }
}

TEST_F(FrameClockTest, CountersWrapAtTheEndOfTheirCycles) {
  MainCanvas::halfSecondCount = 12;
  MainCanvas::pulsePhase = 23;
  MainCanvas::clockTick = 10;
  MainCanvas::tickerPassCount = 0;
  for (int i = 0; i < 2; ++i) {
    clock.advanceMillis(42);
    MainCanvas::step();
  }
  EXPECT_EQ(MainCanvas::clockTick, 0);
  EXPECT_EQ(MainCanvas::halfSecondCount, 1);
  EXPECT_EQ(MainCanvas::pulsePhase, 1);
  EXPECT_EQ(MainCanvas::tickerPassCount, 2);
}

TEST_F(FrameClockTest, AStallRestartsTheCycleAtPhaseZero) {
  MainCanvas::clockAccum = 300;
  MainCanvas::clockPhase = MainCanvas::clockPrevPhase = 7;
  clock.advanceMillis(600);
  MainCanvas::step();
  EXPECT_EQ(MainCanvas::clockAccum, 0);
  EXPECT_EQ(MainCanvas::clockPhase, 0);
  EXPECT_EQ(screens.count("tickMapScreen"), 1);

  // Frames longer than a cycle: always phase 0, the periodic work never runs.
  screens.calls.clear();
  for (int i = 0; i < 5; ++i) {
    clock.advanceMillis(520);
    MainCanvas::step();
  }
  EXPECT_EQ(MainCanvas::clockPhase, 0);
  EXPECT_TRUE(screens.calls.empty()) << screens.joined();
}

TEST_F(FrameClockTest, TheClockRunsAcrossTheWrapOfTheLow32Bits) {
  clock.setMillis((uint64_t{1} << 32) + 10);
  MainCanvas::lastFrameTime = static_cast<int64_t>((uint64_t{1} << 32) - 32);
  MainCanvas::step();
  EXPECT_EQ(MainCanvas::clockAccum, 42);
  EXPECT_EQ(MainCanvas::clockPhase, 1);
}

TEST_F(FrameClockTest, NoClockWhileExitingAndThePauseMarkIsCleared) {
  gamelib::GameLibTesting::exiting() = true;
  gamelib::GameLibTesting::pausedOnce() = true;
  clock.advanceMillis(42);
  MainCanvas::step();
  EXPECT_EQ(MainCanvas::clockAccum, 0);
  EXPECT_TRUE(screens.calls.empty());
  EXPECT_FALSE(gamelib::GameLibTesting::pausedOnce());
  EXPECT_EQ(MainCanvas::lastFrameTime, static_cast<int64_t>(start + 42));
  gamelib::GameLibTesting::exiting() = false;
}

}  // namespace
