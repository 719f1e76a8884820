#include <gtest/gtest.h>

#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DObjectArray.h"
#include "lang/DintArray.h"
#include "lang/DshortArray.h"
#include "nvx/src/state/MainCanvas.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "tests/projects/gamelib/GameLibTesting.h"
#include "util/DVector.h"

using gamelib::ScreenCanvas;
using nvx::MainCanvas;

namespace {

constexpr uint64_t start = 100000;

constexpr int32_t downKey = 56;

// The best results under a manual clock, with a name being typed in the top
// row: each delivery of the down key moves its first letter on by one. The
// key and pointer state of the canvas cleared.
class FrameClockTest : public ::testing::Test {
protected:
  void SetUp() override {
    MainCanvas::initStatics();
    qel::lang::DObjectArrayPtr names = new qel::lang::DObjectArray(MainCanvas::resultRows);
    for (int32_t i = 0; i < MainCanvas::resultRows; ++i) names[i] = new qel::lang::DshortArray(MainCanvas::nameLength);
    MainCanvas::bestResults = new qel::util::DVector(2);
    MainCanvas::bestResults->addElement(names);
    MainCanvas::bestResults->addElement(new qel::lang::DintArray(MainCanvas::resultRows));
    MainCanvas::winnerRow = 0;
    MainCanvas::letterCursor = 0;
    MainCanvas::enter(MainCanvas::stateBestResults);
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
    MainCanvas::winnerRow = 0;
    MainCanvas::releaseStatics();
  }

  static int typedLetter() {
    auto* names = static_cast<qel::lang::DObjectArray*>(MainCanvas::bestResults->elementAt(0));
    return static_cast<qel::lang::DshortArray*>(names->at(0).get())->at(0);
  }

  // The map cursor on its way to a place to the right.
  static void sendTheMapCursor() {
    MainCanvas::cursorX = 0;
    MainCanvas::cursorTargetX = 200;
    MainCanvas::cursorY = MainCanvas::cursorTargetY = 50;
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
};

TEST_F(FrameClockTest, AHeldKeyIsDeliveredOnceThenEveryFrameMoreThan200MsLater) {
  ScreenCanvas::keyPressedFlag = 1;
  ScreenCanvas::lastKeyCode = downKey;
  stepFor(1000, 42);
  // At 0, 210, 420, 630 and 840 ms: the press and four repeats.
  EXPECT_EQ(typedLetter(), 5);
  EXPECT_EQ(MainCanvas::pendingKey, downKey);

  ScreenCanvas::keyPressedFlag = 0;
  MainCanvas::step();
  EXPECT_EQ(MainCanvas::pendingKey, MainCanvas::noKey);
}

TEST_F(FrameClockTest, KeyRepeatNeedsMoreThan200MsAndNeverFiresWhenTheClockWentBack) {
  struct Case {
    int64_t sinceLastDelivery;
    int deliveries;
  };
  ScreenCanvas::lastKeyCode = downKey;
  for (const Case& c : {Case{200, 0}, Case{201, 1}, Case{-1, 0}, Case{-5000, 0}}) {
    const int before = typedLetter();
    ScreenCanvas::keyPressedFlag = 1;
    MainCanvas::keyRepeatTime = static_cast<int64_t>(clock.peekMillis()) - c.sinceLastDelivery;
    MainCanvas::step();
    EXPECT_EQ(typedLetter() - before, c.deliveries) << c.sinceLastDelivery;
  }
}

// Held on the touch zone of the down key.
TEST_F(FrameClockTest, AHeldPointerActsAtMostOnceEvery101Ms) {
  MainCanvas::setHotZone(7, 0, 0, 100, 100);
  ASSERT_EQ(MainCanvas::keyCodeList[7], downKey);
  ScreenCanvas::pointerHeld = 1;
  ScreenCanvas::pointerX = 30;
  ScreenCanvas::pointerY = 70;
  stepFor(1000, 10);
  // At 0, 110, 220, ..., 990 ms.
  EXPECT_EQ(typedLetter(), 10);
}

// Each change of phase runs the state's work, then moves the message line on:
// the map cursor glides, level play takes the world's pending notice, the
// best results restart their half-second count at phases 0 and 6.
TEST_F(FrameClockTest, PhaseChangesRunTheStateWorkThenTheMessageLine) {
  MainCanvas::tickerText = new qel::lang::DshortArray(3);
  MainCanvas::tickerRunning = 1;
  MainCanvas::tickerLoops = 5;
  MainCanvas::tickerLeft = 0;
  MainCanvas::tickerWidth = 240;
  MainCanvas::tickerX = 100;
  MainCanvas::enter(MainCanvas::stateMapScreen);
  sendTheMapCursor();
  clock.advanceMillis(42);  // 42 * 12 / 500 = phase 1
  MainCanvas::step();
  EXPECT_EQ(MainCanvas::clockPhase, 1);
  const int32_t glided = MainCanvas::cursorX;
  EXPECT_GT(glided, 0);
  EXPECT_EQ(MainCanvas::tickerX, 99);
  clock.advanceMillis(1);  // still phase 1: nothing runs
  MainCanvas::step();
  EXPECT_EQ(MainCanvas::cursorX, glided);
  EXPECT_EQ(MainCanvas::tickerX, 99);

  struct Case {
    uint8_t state;
    bool glides, takesNotice;
    int8_t halfSecondCountAfter;
  };
  for (const Case& c : {Case{1, false, true, 5},
                        Case{2, false, false, 5},
                        Case{3, true, false, 5},
                        Case{4, false, false, 3},
                        Case{5, false, false, 5}}) {
    SCOPED_TRACE(int(c.state));
    MainCanvas::enter(c.state);
    sendTheMapCursor();
    MainCanvas::pendingNotice = 185;
    MainCanvas::halfSecondCount = 5;
    MainCanvas::tickerX = 100;
    // Phase 5 to phase 6.
    MainCanvas::clockAccum = 0;
    MainCanvas::clockPhase = MainCanvas::clockPrevPhase = 5;
    clock.advanceMillis(250);
    MainCanvas::step();
    ASSERT_EQ(MainCanvas::clockPhase, 6);
    EXPECT_EQ(MainCanvas::cursorX > 0, c.glides);
    EXPECT_EQ(MainCanvas::pendingNotice == -1, c.takesNotice);
    EXPECT_EQ(MainCanvas::halfSecondCount, c.halfSecondCountAfter);
    EXPECT_EQ(MainCanvas::tickerX, 99);
  }
  MainCanvas::pendingNotice = -1;
  MainCanvas::tickerText.release();
  MainCanvas::tickerRunning = 0;
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
  MainCanvas::enter(MainCanvas::stateMapScreen);
  sendTheMapCursor();
  MainCanvas::clockAccum = 300;
  MainCanvas::clockPhase = MainCanvas::clockPrevPhase = 7;
  clock.advanceMillis(600);
  MainCanvas::step();
  EXPECT_EQ(MainCanvas::clockAccum, 0);
  EXPECT_EQ(MainCanvas::clockPhase, 0);
  const int32_t glided = MainCanvas::cursorX;
  EXPECT_GT(glided, 0) << "the map screen's work ran";

  // Frames longer than a cycle: always phase 0, the periodic work never runs.
  for (int i = 0; i < 5; ++i) {
    clock.advanceMillis(520);
    MainCanvas::step();
  }
  EXPECT_EQ(MainCanvas::clockPhase, 0);
  EXPECT_EQ(MainCanvas::cursorX, glided);
}

TEST_F(FrameClockTest, TheClockRunsAcrossTheWrapOfTheLow32Bits) {
  clock.setMillis((uint64_t{1} << 32) + 10);
  MainCanvas::lastFrameTime = static_cast<int64_t>((uint64_t{1} << 32) - 32);
  MainCanvas::step();
  EXPECT_EQ(MainCanvas::clockAccum, 42);
  EXPECT_EQ(MainCanvas::clockPhase, 1);
}

TEST_F(FrameClockTest, NoClockWhileExitingAndThePauseMarkIsCleared) {
  MainCanvas::enter(MainCanvas::stateMapScreen);
  sendTheMapCursor();
  gamelib::GameLibTesting::exiting() = true;
  gamelib::GameLibTesting::pausedOnce() = true;
  clock.advanceMillis(42);
  MainCanvas::step();
  EXPECT_EQ(MainCanvas::clockAccum, 0);
  EXPECT_EQ(MainCanvas::cursorX, 0);
  EXPECT_FALSE(gamelib::GameLibTesting::pausedOnce());
  EXPECT_EQ(MainCanvas::lastFrameTime, static_cast<int64_t>(start + 42));
  gamelib::GameLibTesting::exiting() = false;
}

}  // namespace
