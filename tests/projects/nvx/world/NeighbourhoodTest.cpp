#include <gtest/gtest.h>
#include <vector>

#include "Floor.h"
#include "lang/DbyteArray2d.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/projects/nvx/world/ShownWindow.h"
#include "tests/support/Writable.h"
#include "util/DHashtable.h"
#include "util/DRandom.h"

namespace nvx {
namespace {

// An 8 x 6 room: walls on the border, the exit at (3, 3), while a level
// plays.
class NeighbourhoodTest : public ::testing::Test {
protected:
  void SetUp() override {
    MainCanvas::initStatics();
    loadDemoTexts(folder_);
    StateMachine::enter(StateMachine::stateLevel);
    nvtest::writable(GameTables::random) = new qel::util::DRandom(5);
    layFloor(8, 6, 3, 3, true);
    WorldState::stepIndex = 10;
    nvtest::writable(GameState::skipWorldLogic) = 0;
    WorldState::alarmBoxesOff = 0;
    GameState::difficulty = 0;
    WorldState::alarmRaised = WorldState::noiseMade = WorldState::loudNoiseMade = 0;
    GameTables::levelTotals = new qel::lang::DintArray(7);
  }
  void TearDown() override {
    releaseDemoTexts();
    StateMachine::enter(254);
  }

  RoomObject* place(int type, int x, int y, int facing) {
    RoomObjectPtr o = new RoomObject(type, x, y, facing, false, 0, 0);
    GameTables::roomObjects->put(WorldRules::cellKey(x, y), o);
    return o.get();
  }
  Person* join(int id, int x, int y, int direction, int action = 0) {
    PersonPtr p = new Person(id);
    p->x = static_cast<int8_t>(x);
    p->y = static_cast<int8_t>(y);
    p->direction = direction;
    p->action = static_cast<int8_t>(action);
    GameTables::activePersons->addElement(p);
    return p.get();
  }
  GameFolder folder_;
};

TEST_F(NeighbourhoodTest, CellClassesOfWallsFloorsDoorsAndTheOutside) {
  place(1, 2, 2, 0);
  place(3, 4, 2, 0);
  EXPECT_EQ(WorldRules::cellClass(0, 0, false), 2);
  EXPECT_EQ(WorldRules::cellClass(1, 1, false), 13);
  EXPECT_EQ(WorldRules::cellClass(2, 2, false), 12) << "a door counts as wall";
  EXPECT_EQ(WorldRules::cellClass(4, 2, false), 13);
  EXPECT_EQ(WorldRules::cellClass(-1, 2, true), 12);
  EXPECT_EQ(WorldRules::cellClass(8, 2, false), 16);
}

TEST_F(NeighbourhoodTest, StepsAtTheEdgeBesideTheExitAndIntoOthers) {
  WorldState::mapWidth = 8;
  Person* atEdge = join(1, 0, 2, 0);
  EXPECT_FALSE(WorldRules::canStep(*atEdge, false));
  EXPECT_FALSE(WorldRules::isBlockedByObject(*atEdge, false));

  Person* besideExit = join(2, 1, 3, 2);
  EXPECT_FALSE(WorldRules::canStep(*besideExit, false)) << "the van stands at (2, 3)";
  Person* intoWall = join(3, 1, 1, 1);
  EXPECT_FALSE(WorldRules::canStep(*intoWall, false));
  EXPECT_FALSE(WorldRules::canStep(*intoWall, true));
}

TEST_F(NeighbourhoodTest, TwoWalkersToOneCellAndASharedExit) {
  Person* first = join(1, 4, 1, 3, 1);  // walks south into (4, 2)
  Person* second = join(2, 5, 2, 0);    // wants (4, 2) too
  EXPECT_FALSE(WorldRules::canStep(*second, false));
  EXPECT_TRUE(WorldRules::canStep(*second, true)) << "persons are ignored while planning";
  EXPECT_TRUE(WorldRules::canStep(*first, false)) << "its own walk does not block it";
  first->stunSteps = 2;
  EXPECT_TRUE(WorldRules::canStep(*second, false)) << "a stunned person holds only nothing";

  join(3, 3, 3, 0);
  join(4, 3, 3, 1);
  Person* toExit = join(0, 3, 2, 3);
  EXPECT_TRUE(WorldRules::canStep(*toExit, false));
}

TEST_F(NeighbourhoodTest, WhatBlocksInRunningAndInPlanning) {
  RoomObject* door = place(1, 4, 2, 0);
  RoomObject* locked = place(4, 5, 3, 0);
  RoomObject* box = place(6, 2, 1, 0);
  place(20, 5, 1, 0);
  Person* p = join(1, 4, 3, 1);  // faces the door
  struct Case {
    const char* what;
    int x, y, direction;
    bool planning;
    int doorState, doorStamp, lockedStamp, offer5, boxesOff;
    bool blocked;
  } cases[] = {
      {"closed door, running", 4, 3, 1, false, 'x', 0, 0, 0, 0, true},
      {"open door, running", 4, 3, 1, false, 0, 0, 0, 0, 0, false},
      {"stamped door, running", 4, 3, 1, false, 'x', 5, 0, 0, 0, true},
      {"stamped door, planning", 4, 3, 1, true, 'x', 5, 0, 0, 0, false},
      {"door stamped later, planning", 4, 3, 1, true, 'x', 11, 0, 0, 0, true},
      {"locked door, planning", 4, 3, 2, true, 'x', 0, 0, 0, 0, true},
      {"locked door, offer unbought", 4, 3, 2, true, 'x', 0, 0, 900, 0, false},
      {"locked door, stamped", 4, 3, 2, true, 'x', 0, 10, 0, 0, false},
      {"locked door, running", 4, 3, 2, false, 'x', 0, 10, 900, 0, true},
      {"alarm box", 3, 1, 0, false, 'x', 0, 0, 0, 0, true},
      {"alarm boxes off", 3, 1, 0, false, 'x', 0, 0, 0, 100, false},
      {"rug", 4, 1, 2, false, 'x', 0, 0, 0, 0, false},
      {"nothing", 6, 3, 1, false, 'x', 0, 0, 0, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    p->x = static_cast<int8_t>(c.x);
    p->y = static_cast<int8_t>(c.y);
    p->direction = c.direction;
    door->state[0] = static_cast<int8_t>(c.doorState);
    door->openStamp = static_cast<int16_t>(c.doorStamp);
    locked->openStamp = static_cast<int16_t>(c.lockedStamp);
    box->openStamp = 0;
    GameTables::levelTotals[5] = c.offer5;
    WorldState::alarmBoxesOff = c.boxesOff;
    EXPECT_EQ(WorldRules::isBlockedByObject(*p, c.planning), c.blocked);
  }
}

TEST_F(NeighbourhoodTest, ObjectInFrontHidesSwitchedOffAlarmBoxes) {
  RoomObject* box = place(6, 2, 1, 0);
  Person* p = join(1, 2, 2, 1);
  EXPECT_EQ(WorldRules::objectInFront(*p), box);
  WorldState::alarmBoxesOff = 500;
  EXPECT_EQ(WorldRules::objectInFront(*p), nullptr);
}

TEST_F(NeighbourhoodTest, OpenSidesCountFromTheFacing) {
  // Kind 6 (flags 65): reached only from side 0, the cell in its facing direction.
  RoomObject* box = place(6, 3, 1, 3);
  EXPECT_TRUE(WorldRules::isOnOpenSide(*box, 3, 2));
  EXPECT_FALSE(WorldRules::isOnOpenSide(*box, 2, 1));
  EXPECT_FALSE(WorldRules::isOnOpenSide(*box, 5, 5)) << "no side cell: bit 4";
  RoomObject* safe = place(0, 5, 2, 0);  // flags 17: side 0 and bit 4
  EXPECT_TRUE(WorldRules::isOnOpenSide(*safe, 4, 2));
  EXPECT_FALSE(WorldRules::isOnOpenSide(*safe, 6, 2));
  EXPECT_TRUE(WorldRules::isOnOpenSide(*safe, 1, 1));
}

TEST_F(NeighbourhoodTest, BlastsOpenWhatTheyReach) {
  // A wall safe in the top wall facing south, and one beside it facing west.
  RoomObject* facing = place(12, 3, 0, 3);
  RoomObject* turned = place(12, 2, 0, 0);
  RoomObject* crate = place(3, 4, 1, 0);
  RoomObject* plant = place(17, 2, 1, 0);
  RoomObject* lockedDoor = place(4, 3, 2, 0);
  struct Case {
    int x, y;
    bool strong, diagonal;
    bool facingOpen, turnedOpen, crateOpen;
  } cases[] = {
      {3, 1, false, false, true, false, true},
      {2, 1, false, false, false, false, false},
      {2, 1, true, false, false, true, false},
      {3, 1, true, true, false, true, false},  // the diagonals only
  };
  for (const auto& c : cases) {
    for (RoomObject* o : {facing, turned, crate, plant, lockedDoor}) o->reset(false);
    WorldRules::affectNeighbours(c.x, c.y, false, false, 0, c.strong, c.diagonal);
    EXPECT_EQ(facing->state[0] == 0, c.facingOpen) << c.x << c.strong;
    EXPECT_EQ(turned->state[0] == 0, c.turnedOpen) << c.x << c.strong;
    EXPECT_EQ(crate->state[0] == 0, c.crateOpen) << c.x << c.strong;
    EXPECT_EQ(plant->state[0], 'x');
    EXPECT_EQ(lockedDoor->state[0], 'x');
  }
}

TEST_F(NeighbourhoodTest, EveryBlastedNeighbourRaisesTheAlarmCheck) {
  place(17, 2, 1, 0);  // a plant the blast leaves alone, on a guarded cell
  place(6, 6, 1, 0);
  GameTables::alarmLinks->put(WorldRules::cellKey(2, 1), WorldRules::cellKey(6, 1));
  GameState::levelCounter = 200;
  WorldRules::affectNeighbours(2, 2, false, false, 0, false, false);
  EXPECT_EQ(WorldState::alarmRaised, 1);
  EXPECT_LE(GameState::levelCounter, 10 + 30);
  EXPECT_TRUE(showsWindow(0, 146, 137));

  closeWindow();
  WorldRules::affectNeighbours(2, 2, true, false, 14, false, false);
  EXPECT_NE(GameState::gameState, StateMachine::stateDialog) << "planned stamps raise nothing";
}

TEST_F(NeighbourhoodTest, PlannedBlastsStampTheEarliestOpening) {
  RoomObject* crate = place(3, 4, 2, 0);
  WorldRules::affectNeighbours(4, 3, true, false, 20, false, false);
  EXPECT_EQ(crate->openStamp, 20);
  WorldRules::affectNeighbours(4, 3, true, false, 25, false, false);
  EXPECT_EQ(crate->openStamp, 20);
  WorldRules::affectNeighbours(4, 3, true, false, 15, false, false);
  EXPECT_EQ(crate->openStamp, 15);
  WorldRules::affectNeighbours(4, 3, true, true, 20, false, false);
  EXPECT_EQ(crate->openStamp, 15) << "only the bomb's own stamp is cleared";
  WorldRules::affectNeighbours(4, 3, true, true, 15, false, false);
  EXPECT_EQ(crate->openStamp, 0);
  EXPECT_EQ(crate->state[0], 'x');
}

TEST_F(NeighbourhoodTest, NoisesShortenTheTimeOncePerKind) {
  GameState::levelCounter = 300;
  WorldRules::makeNoise(false);
  const int afterQuiet = GameState::levelCounter;
  EXPECT_GE(300 - afterQuiet, 10);
  EXPECT_LE(300 - afterQuiet, 30);
  WorldRules::makeNoise(false);
  EXPECT_EQ(GameState::levelCounter, afterQuiet);
  WorldRules::makeNoise(true);
  const int afterLoud = GameState::levelCounter;
  EXPECT_LE(afterQuiet - afterLoud, 30) << "a loud noise after a quiet one cuts 0-30";
  WorldRules::makeNoise(true);
  EXPECT_EQ(GameState::levelCounter, afterLoud);
}

TEST_F(NeighbourhoodTest, TrainingAlarmFailsTheLevel) {
  GameState::difficulty = -1;
  GameState::levelEndFlag = 0;
  GameTables::alarmLinks->put(WorldRules::cellKey(4, 2), WorldRules::cellKey(6, 1));
  Person* p = join(1, 4, 3, 1);
  nvtest::writable(GameState::skipWorldLogic) = 1;
  EXPECT_TRUE(WorldRules::canStep(*p, false));
  EXPECT_EQ(GameState::levelEndFlag, 5);
  EXPECT_TRUE(showsWindow(39, 156, 137));
}

}  // namespace
}  // namespace nvx
