#include <gtest/gtest.h>

#include "PlanFixture.h"
#include "gamelib/ScreenCanvas.h"
#include "nvx/src/play/Keys.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogWindow.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

constexpr int32_t waitKey = 10003;
constexpr int32_t undoKey = 10004;

class KeysTest : public PlanFixture {
protected:
  // Persons 1 and 2 in the crew, person 1 selected.
  void SetUp() override {
    PlanFixture::SetUp();
    join(1, 4, 4);
    join(2, 6, 4);
    LevelKeys::selectPerson(0);
  }

  // Walks the selected person one cell with a direction key, the way the
  // frame step and the clock do it.
  void walk(int32_t key) {
    press(key);
    tick();
    GameState::pendingKey = GameState::noKey;
    tick(12);
  }
};

TEST_F(KeysTest, LevelKeyTable) {
  struct Case {
    const char* what;
    bool running;
    bool selected;
    int32_t key;
    // Expected afterwards.
    int selection, parked, transition, dialog, steps;
  };
  // A fresh fixture per row: person 1 selected (index 0), plan of one step.
  const Case cases[] = {
      {"wait records one step", false, true, waitKey, 0, 0, 0, -1, 2},
      {"wait does nothing while running", true, true, waitKey, 0, 0, 0, -1, 1},
      {"undo at step 0 does nothing", false, true, undoKey, 0, 0, 0, -1, 1},
      {"'0' selects the next person", false, true, '0', 1, 0, 0, -1, 1},
      {"'9' parks the selection", false, true, '9', 255, 0, 0, -1, 1},
      {"'5' opens the person menu", false, true, '5', 0, 0, 0, 2, 1},
      {"'7' does nothing", false, true, '7', 0, 0, 0, -1, 1},
      {"left soft key without a selection takes the parked one", false, false, 10000, 1, 1, 0, -1, 1},
      {"undo without a selection takes the parked one", false, false, undoKey, 1, 1, 0, -1, 1},
      {"wait without a selection does nothing", false, false, waitKey, 255, 1, 0, -1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    nvtest::writable(GameState::skipWorldLogic) = c.running ? 1 : 0;
    if (!c.selected) {
      GameState::parkedSelection = 1;
      GameState::selectionIndex = 255;
      WorldState::selectedPerson = nullptr;
    }
    nvtest::writable(DialogWindow::dialogId) = 255;
    press(c.key);
    EXPECT_EQ(GameState::selectionIndex, c.selection);
    EXPECT_EQ(GameState::parkedSelection, c.parked);
    EXPECT_EQ(GameState::pendingTransition, c.transition);
    EXPECT_EQ(DialogWindow::dialogId, c.dialog < 0 ? 255 : c.dialog);
    EXPECT_EQ(person(1)->steps->size(), c.steps);
  }
}

TEST_F(KeysTest, KeysWaitWhileAVehiclePhaseRunsOrThePersonIsMidStep) {
  WorldState::phase = 2;
  press('0');
  EXPECT_EQ(GameState::selectionIndex, 0);
  WorldState::phase = 0;
  person(1)->busy = 1;
  press('0');
  EXPECT_EQ(GameState::selectionIndex, 0);
  EXPECT_EQ(GameState::heldKey, GameState::noKey) << "an ignored key is not held";
}

TEST_F(KeysTest, CyclingPastTheLastPersonReturnsToTheFirst) {
  press('0');
  EXPECT_EQ(WorldState::selectedPerson.get(), person(2));
  EXPECT_EQ(WorldState::selectionChanged, 1);
  press('0');
  EXPECT_EQ(WorldState::selectedPerson.get(), person(1));
}

TEST_F(KeysTest, ParkingThenTheSoftKeyReturnsToTheSamePersonAndAnEmptyCrewToTheMap) {
  press('0');
  press('9');
  tick();
  EXPECT_FALSE(WorldState::selectedPerson) << "the next tick drops the parked selection";
  press(10000);
  EXPECT_EQ(WorldState::selectedPerson.get(), person(2));

  press('9');
  tick();
  GameTables::activePersons->removeAllElements();
  press(10000);
  EXPECT_EQ(GameState::pendingTransition, 3);
}

TEST_F(KeysTest, StaleSelectionsSelectNobodyOutsideTheCrew) {
  walk('6');
  press('9');
  press(undoKey);
  EXPECT_EQ(person(1)->steps->size(), 2) << "parked before the tick: no person at the index";
  tick();
  GameState::parkedSelection = 1;
  GameTables::activePersons->removeElement(person(2));
  press(10000);
  EXPECT_EQ(WorldState::selectedPerson.get(), person(1)) << "an index past the crew takes the first person";
}

TEST_F(KeysTest, ArrowsWithoutASelectionScrollHalfAView) {
  layFloor(40, 40, 2, 2);
  press('9');
  tick();
  nvtest::writable(WorldState::mapOriginX) = nvtest::writable(WorldState::mapOriginY) = -240;
  press('6');
  EXPECT_EQ(WorldState::mapOriginX, -360);
  press('2');
  EXPECT_EQ(WorldState::mapOriginY, -240 + 145);
}

TEST_F(KeysTest, WalkingRecordsOneStepAtATimeAndUndoTakesItBack) {
  walk('6');
  walk('6');
  walk('2');
  EXPECT_EQ(planOf(*person(1)), "4,4:1 5,4:1 6,4:1 6,3:0");
  EXPECT_EQ(WorldState::stepIndex, 3);
  EXPECT_EQ(person(1)->x, 6);
  EXPECT_EQ(person(1)->y, 3);
  press(undoKey);
  EXPECT_EQ(planOf(*person(1)), "4,4:1 5,4:1 6,4:0");
  EXPECT_EQ(WorldState::stepIndex, 2);
  EXPECT_EQ(person(1)->y, 4);
}

TEST_F(KeysTest, WalkStopsAtTheLastPlanStep) {
  WorldState::stepIndex = Person::lastPlanStep;
  press('6');
  tick(13);
  EXPECT_EQ(person(1)->x, 4);
  press(waitKey);
  EXPECT_EQ(person(1)->steps->size(), 1);
}

TEST_F(KeysTest, HeldWaitAndUndoRepeatAtFourClockPhasesOnceTheCycleCountedToThree) {
  struct Case {
    int key, phase, cycle;
    bool acts;
  };
  const Case cases[] = {
      {waitKey, 0, 3, true},
      {waitKey, 3, 5, true},
      {waitKey, 9, 12, true},
      {waitKey, 1, 3, false},
      {waitKey, 0, 2, false},
      {waitKey, 6, 1, false},
      {undoKey, 6, 3, true},
      {undoKey, 0, 4, true},
      {undoKey, 4, 3, false},
      {undoKey, 3, 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.key) + " phase " + std::to_string(c.phase) + " cycle " + std::to_string(c.cycle));
    TearDown();
    SetUp();
    press(waitKey);
    ASSERT_EQ(GameState::halfSecondCount, 1) << "a delivered key restarts the repeat gate";
    GameState::pendingKey = c.key;
    nvtest::writable(FrameClock::clockPhase) = static_cast<int8_t>(c.phase);
    GameState::halfSecondCount = static_cast<int8_t>(c.cycle);
    LevelKeys::planKeys();
    const int expected = c.key == waitKey ? (c.acts ? 3 : 2) : (c.acts ? 1 : 2);
    EXPECT_EQ(person(1)->steps->size(), expected);
  }
}

TEST_F(KeysTest, HoldingTheWaitKeyRecordsAWaitAtEachDeliveryOfTheFrameStep) {
  wce::ManualClock clock{10000};
  wce::ScopedClockSource clockScope(clock);
  nvtest::writable(FrameClock::keyRepeatTime) = nvtest::writable(FrameClock::lastFrameTime) = 10000;
  gamelib::ScreenCanvas::lastKeyCode = waitKey;
  gamelib::ScreenCanvas::keyPressedFlag = 1;
  // 1 s of frames 50 ms apart: deliveries more than 200 ms apart.
  for (int frame = 0; frame < 20; ++frame) {
    clock.advanceMillis(50);
    FrameClock::step();
  }
  gamelib::ScreenCanvas::keyPressedFlag = 0;
  clock.advanceMillis(50);
  FrameClock::step();
  EXPECT_EQ(GameState::pendingKey, GameState::noKey);
  EXPECT_EQ(person(1)->steps->size(), 1 + 4) << "deliveries at 250, 500, 750 and 1000 ms";
  EXPECT_EQ(WorldState::stepIndex, 4);
}

TEST_F(KeysTest, HeldKeysDoNotRepeatWhileRunning) {
  nvtest::writable(GameState::skipWorldLogic) = 1;
  GameState::pendingKey = waitKey;
  GameState::halfSecondCount = 5;
  LevelKeys::planKeys();
  EXPECT_EQ(person(1)->steps->size(), 1);
}

TEST_F(KeysTest, SelectingMovesTheStepToTheEndOfThatPlanAndShowsTheOthersThere) {
  walk('6');
  walk('6');
  walk('6');
  press('0');
  EXPECT_EQ(WorldState::stepIndex, 0) << "person 2 has planned nothing";
  EXPECT_EQ(person(1)->x, 4) << "person 1 stands where its plan starts";
  walk('2');
  EXPECT_EQ(WorldState::stepIndex, 1);
  EXPECT_EQ(person(1)->x, 5);
  press('0');
  EXPECT_EQ(WorldState::stepIndex, 3);
  EXPECT_EQ(person(1)->x, 7);
  EXPECT_EQ(person(2)->y, 3) << "person 2 stays on its last cell";
}

TEST_F(KeysTest, CrewSyncShowsEachPlanAtTheStep) {
  // Person 2 plans: walk west twice, work 3 steps, wait.
  Person* other = person(2);
  other->action = 1;
  other->direction = 0;
  WorldState::stepIndex = 0;
  other->recordSteps(2);
  WorldState::stepIndex = 2;
  other->x = 4;
  other->action = 4;
  other->recordSteps(3);
  WorldState::stepIndex = 5;
  other->action = 2;
  other->recordSteps(1);
  struct Case {
    int step;
    bool busy;
    int x, action, busyAfter;
    bool refresh;
  };
  const Case cases[] = {
      {0, true, 6, 1, 1, false},
      {1, false, 5, 1, 0, false},
      {2, true, 4, 4, 1, false},
      {4, true, 4, 4, 1, true},
      {9, true, 4, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("step " + std::to_string(c.step));
    other->busy = 0;
    WorldState::sceneDirty = 0;
    WorldState::stepIndex = static_cast<int16_t>(c.step);
    LevelKeys::syncCrewToStep(*person(1), c.busy);
    EXPECT_EQ(other->x, c.x);
    EXPECT_EQ(other->action, c.action);
    EXPECT_EQ(other->busy, c.busyAfter);
    EXPECT_EQ(WorldState::sceneDirty == 1, c.refresh) << "the work ends after this step";
  }
}

}  // namespace
}  // namespace nvx
