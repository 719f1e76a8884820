#include <gtest/gtest.h>

#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DObjectArray.h"
#include "lang/DintArray.h"
#include "lang/DshortArray.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/screens/BestResults.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "tests/support/Writable.h"
#include "util/DVector.h"

using gamelib::ScreenCanvas;
using nvx::BestResults;
using nvx::FrameClock;
using nvx::GameState;
using nvx::GameTables;
using nvx::KeyInput;
using nvx::MainCanvas;
using nvx::MapScreen;
using nvx::StateMachine;
using nvx::WorldState;

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
    qel::lang::DObjectArrayPtr names = new qel::lang::DObjectArray(BestResults::resultRows);
    for (int32_t i = 0; i < BestResults::resultRows; ++i)
      names[i] = new qel::lang::DshortArray(BestResults::nameLength);
    GameTables::bestResults = new qel::util::DVector(2);
    GameTables::bestResults->addElement(names);
    GameTables::bestResults->addElement(new qel::lang::DintArray(BestResults::resultRows));
    GameState::winnerRow = 0;
    nvtest::writable(GameState::letterCursor) = 0;
    StateMachine::enter(StateMachine::stateBestResults);
    nvtest::writable(FrameClock::lastFrameTime) = static_cast<int64_t>(start);
    nvtest::writable(FrameClock::keyRepeatTime) = nvtest::writable(FrameClock::pointerRepeatTime) = 0;
    nvtest::writable(FrameClock::clockAccum) = 0;
    nvtest::writable(FrameClock::clockPhase) = nvtest::writable(FrameClock::clockPrevPhase) =
        nvtest::writable(FrameClock::clockTick) = 0;
    GameState::halfSecondCount = 1;
    nvtest::writable(GameState::pulsePhase) = 1;
    GameState::pendingTransition = nvtest::writable(GameState::transitionArmed) = 0;
    ScreenCanvas::resetKeys();
    nvtest::writable(gamelib::GameLib::exiting) = false;
    nvtest::writable(gamelib::GameLib::pausedOnce) = false;
  }
  void TearDown() override {
    ScreenCanvas::resetKeys();
    StateMachine::enter(254);
    GameState::pendingKey = GameState::noKey;
    GameState::winnerRow = 0;
    MainCanvas::releaseStatics();
  }

  static int typedLetter() {
    auto* names = static_cast<qel::lang::DObjectArray*>(GameTables::bestResults->elementAt(0));
    return static_cast<qel::lang::DshortArray*>(names->at(0).get())->at(0);
  }

  // The map cursor on its way to a place to the right.
  static void sendTheMapCursor() {
    nvtest::writable(MapScreen::cursorX) = 0;
    GameState::cursorTargetX = 200;
    nvtest::writable(MapScreen::cursorY) = GameState::cursorTargetY = 50;
  }

  // Steps every period ms until elapsed ms have passed; the first step at once.
  void stepFor(uint64_t elapsed, uint64_t period) {
    for (uint64_t t = 0; t < elapsed; t += period) {
      FrameClock::step();
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
  EXPECT_EQ(GameState::pendingKey, downKey);

  ScreenCanvas::keyPressedFlag = 0;
  FrameClock::step();
  EXPECT_EQ(GameState::pendingKey, GameState::noKey);
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
    nvtest::writable(FrameClock::keyRepeatTime) = static_cast<int64_t>(clock.peekMillis()) - c.sinceLastDelivery;
    FrameClock::step();
    EXPECT_EQ(typedLetter() - before, c.deliveries) << c.sinceLastDelivery;
  }
}

// Held on the touch zone of the down key.
TEST_F(FrameClockTest, AHeldPointerActsAtMostOnceEvery101Ms) {
  KeyInput::setHotZone(7, 0, 0, 100, 100);
  ASSERT_EQ(GameTables::keyCodeList[7], downKey);
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
  GameState::tickerText = new qel::lang::DshortArray(3);
  nvtest::writable(GameState::tickerRunning) = 1;
  nvtest::writable(GameState::tickerLoops) = 5;
  nvtest::writable(GameState::tickerLeft) = 0;
  nvtest::writable(GameState::tickerWidth) = 240;
  nvtest::writable(GameState::tickerX) = 100;
  StateMachine::enter(StateMachine::stateMapScreen);
  sendTheMapCursor();
  clock.advanceMillis(42);  // 42 * 12 / 500 = phase 1
  FrameClock::step();
  EXPECT_EQ(FrameClock::clockPhase, 1);
  const int32_t glided = MapScreen::cursorX;
  EXPECT_GT(glided, 0);
  EXPECT_EQ(GameState::tickerX, 99);
  clock.advanceMillis(1);  // still phase 1: nothing runs
  FrameClock::step();
  EXPECT_EQ(MapScreen::cursorX, glided);
  EXPECT_EQ(GameState::tickerX, 99);

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
    StateMachine::enter(c.state);
    sendTheMapCursor();
    nvtest::writable(WorldState::pendingNotice) = 185;
    GameState::halfSecondCount = 5;
    nvtest::writable(GameState::tickerX) = 100;
    // Phase 5 to phase 6.
    nvtest::writable(FrameClock::clockAccum) = 0;
    nvtest::writable(FrameClock::clockPhase) = nvtest::writable(FrameClock::clockPrevPhase) = 5;
    clock.advanceMillis(250);
    FrameClock::step();
    ASSERT_EQ(FrameClock::clockPhase, 6);
    EXPECT_EQ(MapScreen::cursorX > 0, c.glides);
    EXPECT_EQ(WorldState::pendingNotice == -1, c.takesNotice);
    EXPECT_EQ(GameState::halfSecondCount, c.halfSecondCountAfter);
    EXPECT_EQ(GameState::tickerX, 99);
  }
  nvtest::writable(WorldState::pendingNotice) = -1;
  GameState::tickerText.release();
  nvtest::writable(GameState::tickerRunning) = 0;
}

TEST_F(FrameClockTest, CountersWrapAtTheEndOfTheirCycles) {
  GameState::halfSecondCount = 12;
  nvtest::writable(GameState::pulsePhase) = 23;
  nvtest::writable(FrameClock::clockTick) = 10;
  GameState::tickerPassCount = 0;
  for (int i = 0; i < 2; ++i) {
    clock.advanceMillis(42);
    FrameClock::step();
  }
  EXPECT_EQ(FrameClock::clockTick, 0);
  EXPECT_EQ(GameState::halfSecondCount, 1);
  EXPECT_EQ(GameState::pulsePhase, 1);
  EXPECT_EQ(GameState::tickerPassCount, 2);
}

TEST_F(FrameClockTest, AStallRestartsTheCycleAtPhaseZero) {
  StateMachine::enter(StateMachine::stateMapScreen);
  sendTheMapCursor();
  nvtest::writable(FrameClock::clockAccum) = 300;
  nvtest::writable(FrameClock::clockPhase) = nvtest::writable(FrameClock::clockPrevPhase) = 7;
  clock.advanceMillis(600);
  FrameClock::step();
  EXPECT_EQ(FrameClock::clockAccum, 0);
  EXPECT_EQ(FrameClock::clockPhase, 0);
  const int32_t glided = MapScreen::cursorX;
  EXPECT_GT(glided, 0) << "the map screen's work ran";

  // Frames longer than a cycle: always phase 0, the periodic work never runs.
  for (int i = 0; i < 5; ++i) {
    clock.advanceMillis(520);
    FrameClock::step();
  }
  EXPECT_EQ(FrameClock::clockPhase, 0);
  EXPECT_EQ(MapScreen::cursorX, glided);
}

TEST_F(FrameClockTest, TheClockRunsAcrossTheWrapOfTheLow32Bits) {
  clock.setMillis((uint64_t{1} << 32) + 10);
  nvtest::writable(FrameClock::lastFrameTime) = static_cast<int64_t>((uint64_t{1} << 32) - 32);
  FrameClock::step();
  EXPECT_EQ(FrameClock::clockAccum, 42);
  EXPECT_EQ(FrameClock::clockPhase, 1);
}

TEST_F(FrameClockTest, NoClockWhileExitingAndThePauseMarkIsCleared) {
  StateMachine::enter(StateMachine::stateMapScreen);
  sendTheMapCursor();
  nvtest::writable(gamelib::GameLib::exiting) = true;
  nvtest::writable(gamelib::GameLib::pausedOnce) = true;
  clock.advanceMillis(42);
  FrameClock::step();
  EXPECT_EQ(FrameClock::clockAccum, 0);
  EXPECT_EQ(MapScreen::cursorX, 0);
  EXPECT_FALSE(gamelib::GameLib::pausedOnce);
  EXPECT_EQ(FrameClock::lastFrameTime, static_cast<int64_t>(start + 42));
  nvtest::writable(gamelib::GameLib::exiting) = false;
}

}  // namespace
