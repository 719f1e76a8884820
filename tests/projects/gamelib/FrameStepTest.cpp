#include <gtest/gtest.h>

#include "GameFolder.h"
#include "HostDouble.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DObjectArray.h"
#include "tests/support/Writable.h"

using gamelib::GameLib;
using gamelib::ScreenCanvas;

namespace {

// A started application on the manual clock, with the clock standing still.
class FrameStepTest : public ::testing::Test {
protected:
  void SetUp() override {
    folder.addEntry("240x320.dat", "PATH=hi/\n");
    folder.writeArchive();
    host.clock.setAutoAdvance(1);
    host.app->startApp();
    host.clock.setAutoAdvance(0);
    RecordingGame::resetLog();
  }
  void TearDown() override { gamelib::GameLib::setSearchPath(nullptr); }

  // One call of step at time t after the previous call took previousMs.
  void stepAt(int64_t t, int64_t previousMs = 0) {
    host.clock.setMillis(static_cast<uint64_t>(t));
    nvtest::writable(GameLib::lastStepDuration) = previousMs;
    host.app->step();
  }

  GameFolder folder;
  HostDouble host;
};

TEST_F(FrameStepTest, StepsWhenAPeriodIsDueAndPaintsUnlessThePreviousCallWasSlow) {
  struct Case {
    int64_t schedule, now, previousMs;
    int steps, paints;
    int64_t newSchedule;
  };
  const Case cases[] = {
      {10000, 10041, 0, 0, 0, 10000},                 // not yet due
      {10000, 10042, 0, 1, 1, 10042},                 // due exactly
      {10000, 10042, 51, 1, 1, 10042},                // previous call fast enough
      {10000, 10042, 52, 1, 0, 10042},                // previous call too slow: not painted
      {10000, 10042 + 16 * 42, 0, 1, 1, 10042},       // 16 periods behind: worked off one by one
      {10000, 10042 + 17 * 42, 0, 1, 1, 10756 + 42},  // more than 16 behind: restarts from now
      {10000, 20000, 0, 1, 1, 20042},                 // a 10 s stall: one step
      {50000, 10000, 0, 0, 0, 10000},                 // clock behind the schedule: restarts from now
  };
  for (const Case& c : cases) {
    RecordingGame::resetLog();
    nvtest::writable(GameLib::scheduleTime) = c.schedule;
    nvtest::writable(GameLib::pausedOnce) = true;
    stepAt(c.now, c.previousMs);
    EXPECT_EQ(RecordingGame::steps, c.steps) << c.schedule << " " << c.now;
    EXPECT_EQ(RecordingGame::paints, c.paints) << c.schedule << " " << c.now;
    EXPECT_EQ(GameLib::scheduleTime, c.newSchedule) << c.schedule << " " << c.now;
    EXPECT_FALSE(GameLib::pausedOnce);
  }
}

TEST_F(FrameStepTest, BacklogIsWorkedOffOneStepPerCall) {
  nvtest::writable(GameLib::scheduleTime) = 10000;
  for (int i = 0; i < 5; ++i) stepAt(10000 + 42 * 5);
  EXPECT_EQ(RecordingGame::steps, 5);
  stepAt(10000 + 42 * 5);
  EXPECT_EQ(RecordingGame::steps, 5);
}

TEST_F(FrameStepTest, KeepsSteppingPastTheThirtyTwoBitTickWrap) {
  const int64_t wrap = int64_t{1} << 32;
  nvtest::writable(GameLib::scheduleTime) = wrap - 42;
  for (int64_t t = wrap - 42; t <= wrap + 42 * 3; t += 42) stepAt(t + 42);
  EXPECT_EQ(RecordingGame::steps, 5);
}

TEST_F(FrameStepTest, RecordsTheDurationOfTheCallItsPaintIncluded) {
  nvtest::writable(GameLib::scheduleTime) = 10000;
  host.clock.setMillis(10042);
  host.clock.setAutoAdvance(30);
  host.app->step();
  EXPECT_EQ(GameLib::lastStepDuration, 30);
}

TEST_F(FrameStepTest, PausesOnceUntilTheNextStep) {
  host.app->pauseApp();
  host.app->pauseApp();
  EXPECT_EQ(RecordingGame::calls, (std::vector<std::string>{"onPause"}));
  stepAt(1);
  host.app->pauseApp();
  EXPECT_EQ(RecordingGame::calls.back(), "onPause");
}

TEST_F(FrameStepTest, ShowingTheCanvasRestartsTheSchedule) {
  host.clock.setMillis(777777);
  ScreenCanvas::current()->showNotify();
  EXPECT_EQ(GameLib::scheduleTime, 777777);
}

TEST_F(FrameStepTest, DestroySavesTheLevelWhenAskedThenShutsDown) {
  RecordingGame::keepLevel = true;
  host.app->destroyApp(true);
  EXPECT_EQ(RecordingGame::calls, (std::vector<std::string>{"saveLevelState", "shutdown", "releaseStatics"}));
}

TEST_F(FrameStepTest, ExitAppEndsTheApplication) {
  GameLib::exitApp();
  EXPECT_TRUE(GameLib::exiting);
  EXPECT_EQ(host.app->getState(), qel::midlet::DMIDlet::StateDestroyed);
}

TEST_F(FrameStepTest, ARepaintDrawsTheGameOnAFreshContextAndFlushes) {
  const int presents = host.backend.presents;
  GameLib::repaint();
  EXPECT_EQ(host.backend.pixel(1, 1), 0x0000FFu);
  EXPECT_EQ(host.backend.presents, presents + 1);
}

TEST_F(FrameStepTest, UnsupportedSizeLaterShowsExitAndTheLeftSoftKeyEnds) {
  ScreenCanvas::current()->setBufferSize(100, 100);
  ScreenCanvas::current()->sizeChanged(100, 100);
  EXPECT_FALSE(GameLib::resolutionSupported);
  host.app->step();
  EXPECT_EQ(host.app->getState(), qel::midlet::DMIDlet::StateRunning);
  ScreenCanvas::current()->keyPressed(10000);
  host.app->step();
  EXPECT_EQ(RecordingGame::calls, (std::vector<std::string>{"shutdown"}));
  EXPECT_EQ(host.app->getState(), qel::midlet::DMIDlet::StateDestroyed);
}

}  // namespace

// The host sleeps for what millisUntilStep answers: the step is due exactly
// then, and 0 means the step has work at once (a frame, or a schedule to
// restart).
TEST_F(FrameStepTest, TheIdleTimeEndsWhenTheNextStepIsDue) {
  struct Case {
    int64_t schedule, now, idle;
  };
  const Case cases[] = {
      {10000, 10000, 42},                 // just stepped
      {10000, 10041, 1},                  // one millisecond early
      {10000, 10042, 0},                  // due
      {10000, 20000, 0},                  // behind
      {10000, 10042 - 16 * 42, 16 * 42},  // clock behind the schedule, still in reach
      {50000, 10000, 0},                  // too far behind the schedule: the step restarts it
  };
  for (const Case& c : cases) {
    nvtest::writable(GameLib::scheduleTime) = c.schedule;
    host.clock.setMillis(static_cast<uint64_t>(c.now));
    EXPECT_EQ(host.app->millisUntilStep(), c.idle) << c.schedule << " " << c.now;
    if (c.idle == 0) continue;
    RecordingGame::resetLog();
    stepAt(c.now + c.idle - 1);
    EXPECT_EQ(RecordingGame::steps, 0) << c.schedule << " " << c.now;
    stepAt(c.now + c.idle);
    EXPECT_EQ(RecordingGame::steps, 1) << c.schedule << " " << c.now;
  }
}
