#include <gtest/gtest.h>
#include <vector>

#include "Floor.h"
#include "lang/DExceptionBase.h"
#include "lang/DbyteArray2d.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/projects/nvx/world/ShownWindow.h"
#include "tests/support/Writable.h"
#include "util/DHashtable.h"

namespace nvx {
namespace {

// An 8 x 8 floor with its exit at (2, 2) and a safe at (5, 1) facing south,
// while a level plays.
class PersonTest : public ::testing::Test {
protected:
  void SetUp() override {
    MainCanvas::initStatics();
    loadDemoTexts(folder_);
    StateMachine::enter(StateMachine::stateLevel);
    layFloor(8, 8, 2, 2);
    WorldState::stepIndex = 0;
    nvtest::writable(GameState::skipWorldLogic) = 0;
    WorldState::phase = 0;
    safe_ = new RoomObject(0, 5, 1, 3, false, 1, 4);
    GameTables::roomObjects->put(WorldRules::cellKey(5, 1), safe_);
    person_ = new Person(2);
    person_->resetPlan();
  }
  void TearDown() override {
    releaseDemoTexts();
    StateMachine::enter(254);
  }

  // What the planning tick does for a recorded walk, and for n steps of work.
  void walk(int direction) {
    person_->action = 1;
    person_->direction = direction;
    person_->recordSteps(1);
    ++WorldState::stepIndex;
    person_->x = static_cast<int8_t>(person_->x + GameTables::directionSteps[0][direction]);
    person_->y = static_cast<int8_t>(person_->y + GameTables::directionSteps[1][direction]);
  }
  void work(int direction, int n) {
    person_->action = 4;
    person_->direction = direction;
    person_->target = WorldRules::objectInFront(*person_);
    person_->recordSteps(n);
    WorldState::stepIndex = static_cast<int16_t>(WorldState::stepIndex + n);
    person_->target->openStamp = WorldState::stepIndex;
  }

  // Person 3 of the crew beside person_, planned to walk east from the exit.
  Person& plannedCrewMate() {
    mate_ = new Person(3);
    mate_->resetPlan();
    mate_->action = 1;
    mate_->direction = 2;
    mate_->recordSteps(5);
    mate_->busy = 0;
    GameTables::activePersons->addElement(person_.get());
    GameTables::activePersons->addElement(mate_.get());
    return *mate_;
  }

  GameFolder folder_;
  RoomObjectPtr safe_;
  PersonPtr person_;
  PersonPtr mate_;
};

TEST_F(PersonTest, NewPersonHasEmptyPocketsAndAPlanAtTheExit) {
  EXPECT_EQ(person_->pockets[0], 't');
  EXPECT_EQ(person_->pockets[2], 't');
  EXPECT_EQ(person_->load, 0);
  ASSERT_EQ(person_->steps->size(), 1);
  EXPECT_EQ(person_->getStep(0)->x, 2);
  EXPECT_EQ(person_->getStep(1), nullptr);
  EXPECT_THROW(person_->getStep(-1), qel::lang::DExceptionBase);
}

TEST_F(PersonTest, RecordedStepsKeepTheirCellsAndEndInAPlaceholder) {
  walk(2);
  walk(2);
  walk(1);
  ASSERT_EQ(person_->steps->size(), 4);
  const int cells[][2] = {{2, 2}, {3, 2}, {4, 2}, {4, 1}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(person_->getStep(i)->x, cells[i][0]) << i;
    EXPECT_EQ(person_->getStep(i)->y, cells[i][1]) << i;
  }
  EXPECT_EQ(person_->getStep(3)->getAction(), 0);
  EXPECT_EQ(person_->getStep(3)->getDirection(), 1);

  person_->recordSteps(0);
  EXPECT_EQ(person_->steps->size(), 4);
  WorldState::stepIndex = 7;
  EXPECT_THROW(person_->recordSteps(1), qel::lang::DExceptionBase);
}

TEST_F(PersonTest, UndoTakesBackOneWalkOrAWholeRunOfWork) {
  walk(2);
  walk(2);
  walk(2);  // (5, 2), below the safe
  work(1, 8);
  ASSERT_EQ(WorldState::stepIndex, 11);
  ASSERT_EQ(safe_->openStamp, 11);

  person_->undoStep();
  EXPECT_EQ(WorldState::stepIndex, 3);
  EXPECT_EQ(person_->steps->size(), 4);
  EXPECT_EQ(person_->x, 5);
  EXPECT_EQ(person_->y, 2);
  EXPECT_EQ(safe_->openStamp, 0) << "the planned opening goes with its steps";
  EXPECT_EQ(person_->busy, 0);

  person_->undoStep();
  EXPECT_EQ(WorldState::stepIndex, 2);
  EXPECT_EQ(person_->steps->size(), 3);
  EXPECT_EQ(person_->x, 4);
  EXPECT_EQ(person_->getStep(2)->x, 4);

  person_->undoAll();
  EXPECT_EQ(WorldState::stepIndex, 0);
  EXPECT_EQ(person_->steps->size(), 1);
  EXPECT_EQ(person_->x, 2);
  EXPECT_EQ(person_->y, 2);
}

TEST_F(PersonTest, PlaybackRewindsAndSkipsRepeatedWork) {
  person_->pockets[0] = 'h';
  walk(2);
  walk(2);
  walk(2);
  work(1, 4);
  person_->resetToStart();
  EXPECT_EQ(person_->x, 2);
  EXPECT_EQ(person_->pathIndex, 0);
  EXPECT_EQ(person_->load, 10) << "the crowbar's weight";

  person_->pathIndex = 3;
  person_->playStep(false);
  EXPECT_EQ(person_->action, 4);
  person_->skipRepeats(4, 1);
  EXPECT_EQ(person_->pathIndex, 7) << "on the step after the four work steps, the next to play";
}

TEST_F(PersonTest, DepartureFollowsTheRouteUntilTheExit) {
  WorldState::phase = 2;
  person_->x = 4;
  WorldState::routeIndex[2] = 1;
  person_->playStep(false);
  EXPECT_EQ(person_->action, 1);
  EXPECT_EQ(person_->direction, 3);
  WorldState::routeIndex[2] = 3;
  person_->playStep(false);
  EXPECT_EQ(person_->action, 0);
  WorldState::phase = 3;
  person_->playStep(false);
  EXPECT_EQ(person_->action, 2);
}

TEST_F(PersonTest, EmptyingPocketsCreditsTheirItems) {
  GameState::money = 100;
  person_->pockets[0] = 'j';
  person_->pockets[2] = 'h';
  person_->updateLoad();
  EXPECT_EQ(person_->load, 21);
  person_->emptyPockets(true);
  EXPECT_EQ(GameState::money, 100 + 7000 + 50);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(person_->pockets[i], 't');
  EXPECT_EQ(person_->load, 0);
  person_->pockets[1] = 's';
  person_->emptyPockets(false);
  EXPECT_EQ(GameState::money, 7150);
}

TEST_F(PersonTest, TakingLootStopsAtTheCapacity) {
  struct Case {
    int id, load, content, amount;
    bool taken;
  } cases[] = {
      {0, 17, 5, 2, false},  // capacity 18, gold weighs 3
      {0, 15, 5, 2, true},
      {1, 28, 1, 6, true},
      {4, 19, 2, 1, true},
      {4, 20, 2, 1, false},
      {1, 0, 0, 3, false},  // nothing in it
      {1, 0, 3, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id * 100 + c.load);
    closeWindow();
    PersonPtr p = new Person(c.id);
    p->load = static_cast<int8_t>(c.load);
    p->target = new RoomObject(0, 5, 1, 3, true, c.content, c.amount);
    p->target->state[1] = 0;
    EXPECT_EQ(p->takeLoot(), c.taken);
    if (c.taken) {
      EXPECT_EQ(p->loot[c.content], c.amount);
      EXPECT_EQ(p->load, c.load + GameTables::alarmTable[c.content][1]);
      EXPECT_NE(GameState::gameState, StateMachine::stateDialog);
    } else if (c.content != 0 && c.amount != 0) {
      EXPECT_EQ(p->target->state[1], 8);
      EXPECT_TRUE(showsWindow(0, 184, 41 + c.id));
      EXPECT_EQ(titlePicture(), (std::vector<int>{SpriteRows::spritePictureBox, c.id})) << "the person's portrait";
    }
  }
}

TEST_F(PersonTest, ClearLootKeepsTheBail) {
  for (int k = 0; k < 6; ++k) person_->loot[k] = static_cast<int16_t>(k + 1);
  person_->clearLoot();
  EXPECT_EQ(person_->loot[0], 1);
  for (int k = 1; k < 6; ++k) EXPECT_EQ(person_->loot[k], 0);
}

TEST_F(PersonTest, UsingAnObjectInPlanningRecordsItsStepsAndStampsIt) {
  Person& mate = plannedCrewMate();
  WorldState::sceneDirty = 0;
  person_->x = 5;
  person_->y = 2;
  person_->direction = 1;
  person_->action = 4;
  person_->target = safe_;
  person_->useObject(3, true);
  EXPECT_EQ(WorldState::stepIndex, 3);
  EXPECT_EQ(person_->steps->size(), 4);
  EXPECT_EQ(safe_->openStamp, 3);
  EXPECT_EQ(person_->busy, 1);
  EXPECT_EQ(mate.x, 4) << "the crew mate shown at the last step of the work";
  EXPECT_EQ(mate.busy, 1);
  EXPECT_EQ(WorldState::sceneDirty, 1);
}

TEST_F(PersonTest, PlantingPlansABombOnceACell) {
  Person& mate = plannedCrewMate();
  person_->pockets[0] = 'r';
  person_->pocketSlot = 0;
  person_->action = 5;
  person_->target = safe_;
  person_->useObject(2, false);
  const RoomObjectPtr bomb = static_cast<RoomObject*>(GameTables::bombs->get(WorldRules::cellKey(2, 2)));
  ASSERT_TRUE(bomb);
  EXPECT_EQ(bomb->content, 'r');
  EXPECT_EQ(bomb->openStamp, WorldState::stepIndex + 5);
  EXPECT_EQ(person_->target.get(), bomb.get());

  EXPECT_EQ(mate.x, 3) << "the crew mate shown at the plant's last step";
  EXPECT_NE(GameState::gameState, StateMachine::stateDialog);

  const int stepsBefore = person_->steps->size();
  mate.x = 7;
  person_->useObject(2, false);
  EXPECT_EQ(person_->steps->size(), stepsBefore);
  EXPECT_TRUE(showsWindow(0, 172, 137));
  EXPECT_EQ(mate.x, 7) << "nothing recorded, the crew stays";
}

TEST_F(PersonTest, PlantingWhileRunningSetsTheBombsWaitOnly) {
  nvtest::writable(GameState::skipWorldLogic) = 1;
  person_->pockets[1] = 'q';
  person_->pocketSlot = 1;
  person_->action = 5;
  person_->useObject(4, false);
  const RoomObjectPtr bomb = static_cast<RoomObject*>(GameTables::bombs->get(WorldRules::cellKey(2, 2)));
  ASSERT_TRUE(bomb);
  EXPECT_EQ(bomb->state[0], 4);
  EXPECT_EQ(bomb->openStamp, 0);
  EXPECT_EQ(person_->steps->size(), 1);
  EXPECT_EQ(WorldState::stepIndex, 0);
}

}  // namespace
}  // namespace nvx
