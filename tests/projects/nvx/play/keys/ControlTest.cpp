#include <gtest/gtest.h>

#include "PlanFixture.h"
#include "nvx/src/play/Keys.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogWindow.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

class ControlTest : public PlanFixture {};

TEST_F(ControlTest, KeysTurnAndStartWalksUnlessSomethingIsInTheWay) {
  struct Case {
    const char* what;
    int32_t pending, held;
    int actionBefore, stepIndex;
    bool running;
    // Expected.
    bool walks;
    int direction, action, dialog;
    bool keyKept;
  };
  // Person 1 stands at (4, 4) facing south; a closed door at (4, 3), person
  // 2 at (3, 4), the map's edge far away.
  const Case cases[] = {
      {"east onto floor", '6', GameState::noKey, 0, 0, false, true, 2, 1, -1, true},
      {"the held key when none is pending", GameState::noKey, '8', 0, 0, false, true, 3, 1, -1, true},
      {"no key: wait", GameState::noKey, GameState::noKey, 1, 0, false, false, 3, 2, -1, true},
      {"a key that steers nothing: wait", '5', GameState::noKey, 0, 0, false, false, 3, 2, -1, true},
      {"a walker stops at the door", '2', GameState::noKey, 1, 0, false, false, 1, 2, -1, false},
      {"a standing person is offered the door", '2', GameState::noKey, 0, 0, false, false, 1, 0, 8, true},
      {"planning walks through persons", '4', GameState::noKey, 0, 0, false, true, 0, 1, -1, true},
      {"running does not", '4', GameState::noKey, 0, 0, true, false, 0, 2, -1, true},
      {"nothing at the last plan step", '6', GameState::noKey, 0, Person::lastPlanStep, false, false, 3, 0, -1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    place(1, 4, 3, 3);
    Person* p = join(1, 4, 4, "hit");
    join(2, 3, 4);
    p->direction = 3;
    p->action = static_cast<int8_t>(c.actionBefore);
    WorldState::stepIndex = static_cast<int16_t>(c.stepIndex);
    nvtest::writable(GameState::skipWorldLogic) = c.running ? 1 : 0;
    GameState::pendingKey = c.pending;
    GameState::heldKey = c.held;
    nvtest::writable(DialogWindow::dialogId) = 255;
    EXPECT_EQ(p->control(), c.walks);
    EXPECT_EQ(p->direction, c.direction);
    EXPECT_EQ(p->action, c.action);
    EXPECT_EQ(DialogWindow::dialogId, c.dialog < 0 ? 255 : c.dialog);
    EXPECT_EQ(GameState::pendingKey == c.pending, c.keyKept);
    if (c.stepIndex == 0) {
      EXPECT_EQ(GameState::heldKey, GameState::noKey) << "the key is used up";
    }
  }
}

TEST_F(ControlTest, PlanningTickRecordsTheWalkAndMovesTheOthersAlong) {
  Person* p = join(1, 4, 4);
  Person* other = join(2, 6, 6);
  other->action = 1;
  other->direction = 1;
  other->recordSteps(2);
  LevelKeys::selectPerson(0);
  GameState::pendingKey = '6';
  tick();
  EXPECT_EQ(p->busy, 1);
  EXPECT_EQ(WorldState::stepIndex, 1);
  EXPECT_EQ(other->busy, 1) << "the crew walks along with the recorded step";
  GameState::pendingKey = GameState::noKey;
  tick(12);
  EXPECT_EQ(p->busy, 0);
  EXPECT_EQ(p->x, 5);
  EXPECT_EQ(other->y, 5);
  EXPECT_EQ(planOf(*p), "4,4:1 5,4:0");
  tick(12);
  EXPECT_EQ(p->x, 5) << "a released key records nothing more";
  EXPECT_EQ(WorldState::stepIndex, 1);
}

TEST_F(ControlTest, SelectedLeaderIsSteeredLiveWhileRunning) {
  Person* leader = join(0, 4, 4);
  Person* other = join(1, 6, 6);
  other->action = 1;
  other->direction = 1;
  other->recordSteps(1);
  for (Person* p : {leader, other}) p->resetToStart();
  nvtest::writable(GameState::skipWorldLogic) = 1;
  LevelKeys::selectPerson(0);
  GameState::pendingKey = '8';
  tick();
  GameState::pendingKey = GameState::noKey;
  tick(12);
  EXPECT_EQ(leader->y, 5);
  EXPECT_EQ(other->y, 5) << "the others play their plans";
  tick(24);
  EXPECT_EQ(leader->y, 5) << "without a key the leader waits";
  EXPECT_EQ(leader->action, 2);
}

TEST_F(ControlTest, LeaderWorksAnObjectLiveWhileRunning) {
  // A crate at (4, 3); with 'i' it takes 8 units of work.
  RoomObject* crate = place(5, 4, 3, 3, 1, 2);
  Person* leader = join(0, 4, 4, "tit");
  leader->resetToStart();
  nvtest::writable(GameState::skipWorldLogic) = 1;
  LevelKeys::selectPerson(0);
  GameState::pendingKey = '2';
  tick();
  ASSERT_EQ(DialogWindow::dialogId, 8) << "facing the crate offers its use";
  EXPECT_EQ(itemIds(), std::vector<int>{'i'});
  GameState::pendingKey = GameState::noKey;
  StateMachine::enter(StateMachine::stateLevel);
  answerIndex(0);
  EXPECT_EQ(leader->action, 4);
  EXPECT_EQ(leader->busy, 1);
  EXPECT_EQ(crate->state[0], 8);
  tick(12 * 9);
  EXPECT_LT(crate->state[0], 1);
  EXPECT_EQ(leader->busy, 0);
  EXPECT_EQ(leader->pathIndex, 0) << "the live leader uses no plan steps";
}

}  // namespace
}  // namespace nvx
