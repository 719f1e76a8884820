#include <gtest/gtest.h>

#include "Floor.h"
#include "lang/DInteger.h"
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
#include "util/DRandom.h"

namespace nvx {
namespace {

// A 12 x 12 floor with the exit at (5, 5), seen from its top left corner
// while a level plays; every person exists, none takes part.
class DepartureTest : public ::testing::Test {
protected:
  void SetUp() override {
    MainCanvas::initStatics();
    loadDemoTexts(folder_);
    StateMachine::enter(StateMachine::stateLevel);
    nvtest::writable(GameTables::random) = new qel::util::DRandom(3);
    layFloor(12, 12, 5, 5);
    nvtest::writable(WorldState::mapOriginX) = nvtest::writable(WorldState::mapOriginY) = 0;
    GameState::difficulty = 0;
    nvtest::writable(GameState::skipWorldLogic) = 1;
    WorldState::phase = 0;
    GameState::levelEndFlag = 0;
    nvtest::writable(WorldState::latePenalty) = 0;
    nvtest::writable(WorldState::arrestsMade) = 0;
    GameState::pendingTransition = 0;
    GameState::mapMessage = -1;
    GameState::money = 1000;
    GameTables::levelCounters = new qel::lang::DintArray(6);
    for (int id = 0; id < 5; ++id) GameTables::persons[id] = new Person(id);
  }
  void TearDown() override {
    releaseDemoTexts();
    StateMachine::enter(254);
  }
  Person* person(int id) { return static_cast<Person*>(GameTables::persons[id].get()); }
  Person* join(int id, int x, int y) {
    Person* p = person(id);
    p->x = static_cast<int8_t>(x);
    p->y = static_cast<int8_t>(y);
    GameTables::activePersons->addElement(GameTables::persons[id]);
    return p;
  }
  bool inCrew(int id) { return GameTables::activePersons->contains(GameTables::persons[id]); }
  // The view's left edge with the exit's column in the middle of the screen.
  static int32_t viewOnExitX() {
    return GameState::screenWidth / 2 - GameState::cellSize * WorldState::exitX - GameState::cellSize / 2;
  }

  GameFolder folder_;
};

// Six steps left: two cells' walk each way per cell of distance.
TEST_F(DepartureTest, FetchOrArrestByDistance) {
  GameState::levelCounter = 106;
  WorldState::stepIndex = 100;
  join(0, 5, 5);
  Person* near = join(1, 8, 5);  // distance 6
  near->loot[1] = 3;
  Person* far = join(2, 5, 9);  // distance 8
  far->loot[5] = 40;
  Person* stunned = join(3, 5, 6);
  stunned->stunSteps = 2;
  stunned->loot[2] = 5;
  WorldRules::depart();

  EXPECT_EQ(WorldState::phase, 2);
  EXPECT_EQ(GameState::levelEndFlag, 3);
  EXPECT_TRUE(inCrew(1));
  EXPECT_EQ(near->x, 5 + 0);
  EXPECT_EQ(near->y, 5 - 1) << "on its seat beside the vehicle";
  EXPECT_EQ(WorldState::latePenalty, 1500);
  EXPECT_FALSE(inCrew(2));
  EXPECT_FALSE(inCrew(3));
  EXPECT_EQ(far->loot[0], 40) << "loot worth more than the bail";
  EXPECT_EQ(far->loot[5], 0);
  EXPECT_EQ(stunned->loot[0], 10) << "the bail of 10 thousand, more than its loot";
  EXPECT_TRUE(GameTables::savedIds->contains(GameTables::persons[2]));
  EXPECT_EQ(WorldState::arrestsMade, 1);
  EXPECT_EQ(WorldState::mapOriginX, viewOnExitX()) << "the view jumps to the exit";
}

TEST_F(DepartureTest, ArrestedLeaderMeansBusted) {
  GameState::levelCounter = 102;
  WorldState::stepIndex = 100;
  join(0, 9, 9);
  join(1, 5, 5)->loot[1] = 50;
  WorldRules::depart();
  EXPECT_EQ(GameState::levelEndFlag, 2);
  EXPECT_TRUE(inCrew(1));
}

TEST_F(DepartureTest, TrainingFetchesEveryone) {
  GameState::difficulty = -1;
  GameState::levelNumber = 3;
  GameState::levelCounter = 100;
  WorldState::stepIndex = 100;
  join(0, 0, 0);
  WorldRules::depart();
  EXPECT_TRUE(inCrew(0));
  EXPECT_EQ(GameState::levelEndFlag, 5);
}

TEST_F(DepartureTest, EmptyCrewBringsThePolice) {
  GameState::levelCounter = 100;
  WorldState::stepIndex = 100;
  join(0, 0, 0);
  WorldRules::depart();
  EXPECT_EQ(GameTables::activePersons->size(), 0);
  EXPECT_EQ(WorldState::phase, 4);
}

// The example pay-out: 9000 of loot, persons 1 and 2 take 20 and 15 percent.
TEST_F(DepartureTest, PayOutShares) {
  GameTables::levelCounters[0] = 12000;
  join(0, 5, 5)->loot[1] = 4;
  join(1, 5, 5)->loot[2] = 3;
  join(2, 5, 5)->loot[3] = 2;
  WorldRules::endLevel();
  EXPECT_EQ(GameState::money, 1000 + 9000 - 1800 - 1350);
  EXPECT_EQ(GameState::mapMessage, 150);
  EXPECT_EQ(GameState::pendingTransition, 3);
  ASSERT_TRUE(WorldState::resultValues);
  const auto value = [](int i) {
    return static_cast<qel::lang::DInteger*>(WorldState::resultValues[i].get())->intValue();
  };
  EXPECT_EQ(value(0), 75);
  EXPECT_EQ(value(1), 9000);
  EXPECT_EQ(value(2), 5850);
  EXPECT_FALSE(inCrew(0));
  EXPECT_EQ(person(1)->loot[2], 0);
}

TEST_F(DepartureTest, LatePersonsCostTheirPenalty) {
  GameState::levelEndFlag = 3;
  nvtest::writable(WorldState::latePenalty) = 1000;
  GameTables::levelCounters[0] = 4000;
  join(0, 5, 5)->loot[1] = 4;
  WorldRules::endLevel();
  EXPECT_EQ(GameState::money, 1000 + 3000);
  EXPECT_EQ(GameState::mapMessage, 151);
}

// A level without a loot target reads as 0 percent, no division by zero.
TEST_F(DepartureTest, NoTargetGivesZeroPercent) {
  join(0, 5, 5)->loot[4] = 2;
  WorldRules::endLevel();
  EXPECT_EQ(static_cast<qel::lang::DInteger*>(WorldState::resultValues[0].get())->intValue(), 0);
}

TEST_F(DepartureTest, NoLootEndsWithoutMoney) {
  join(0, 5, 5);
  WorldRules::endLevel();
  EXPECT_EQ(GameState::mapMessage, 152);
  EXPECT_EQ(GameState::money, 1000);
}

TEST_F(DepartureTest, BustedAndFailedLevelsOpenTheirWindows) {
  struct Case {
    int outcome;
    bool leaderJailed, othersLeft;
    int notice;
  } cases[] = {{2, true, true, 157}, {2, true, false, 154}, {2, false, true, 154}, {5, false, true, 155}};
  for (const auto& c : cases) {
    GameTables::activePersons->removeAllElements();
    GameTables::savedIds->removeAllElements();
    closeWindow();
    if (c.leaderJailed) {
      GameTables::savedIds->addElement(GameTables::persons[0]);
    } else {
      join(0, 5, 5);
    }
    if (c.othersLeft) join(1, 5, 5);
    GameState::levelEndFlag = static_cast<int8_t>(c.outcome);
    WorldRules::endLevel();
    EXPECT_TRUE(showsWindow(36, c.notice, 142));
    if (c.outcome == 2) {
      EXPECT_EQ(titlePicture(), (std::vector<int>{SpriteRows::spritePictureBox, 0}))
          << "the leader's portrait, not a level tile";
    }
    if (c.outcome == 5) {
      EXPECT_FALSE(inCrew(0));
    }
  }
}

TEST_F(DepartureTest, TrainingGoals) {
  struct Case {
    int level, x, y;
    int stateIndex;
    bool reached;
  } cases[] = {{1, 4, 4, 0, true},
               {1, 4, 4, 1, false},
               {2, 3, 5, 1, true},
               {2, 3, 5, 0, false},
               {3, 3, 11, 1, true},
               {4, 5, 6, 1, true},
               {6, 3, 6, 1, true},
               {6, 3, 5, 1, false},
               {7, 4, 4, 0, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.level * 100 + c.stateIndex);
    GameTables::roomObjects->clear();
    RoomObjectPtr o = new RoomObject(0, c.x, c.y, 0, false, 1, 1);
    o->state[c.stateIndex] = 0;
    GameTables::roomObjects->put(WorldRules::cellKey(c.x, c.y), o);
    GameState::levelNumber = static_cast<int8_t>(c.level);
    EXPECT_EQ(WorldRules::trainingResult(), c.reached ? 4 : 5);
  }
}

TEST_F(DepartureTest, TrainingGoalOfTheBombs) {
  GameState::levelNumber = 5;
  RoomObjectPtr safe = new RoomObject(0, 9, 5, 0, false, 1, 1);
  safe->state[1] = 0;
  GameTables::roomObjects->put(WorldRules::cellKey(9, 5), safe);
  RoomObjectPtr small = new RoomObject(9, 4, 5, 2, true, 'q', 0);
  RoomObjectPtr large = new RoomObject(9, 8, 5, 2, true, 'r', 0);
  GameTables::bombs->put(WorldRules::cellKey(4, 5), small);
  GameTables::bombs->put(WorldRules::cellKey(8, 5), large);
  EXPECT_EQ(WorldRules::trainingResult(), 5) << "fuses still burning";
  small->state[1] = 0;
  large->state[1] = -1;
  EXPECT_EQ(WorldRules::trainingResult(), 4);
  GameTables::bombs->put(WorldRules::cellKey(8, 5), new RoomObject(9, 8, 5, 2, true, 'q', 0));
  EXPECT_EQ(WorldRules::trainingResult(), 5) << "the large bomb belongs at (8, 5)";
}

// Arrival, play, departure ordered, the crew walks in, the vehicle leaves.
TEST_F(DepartureTest, VehiclePhasesInOrder) {
  GameState::levelCounter = 300;
  WorldState::stepIndex = 100;
  GameTables::levelCounters[0] = 1000;
  const int homeX = 5 * 24 - 12;
  WorldState::phase = 5;
  WorldState::vehicleX = homeX + 20;
  WorldState::vehicleSpeed = 4;
  int ticks = 0;
  while (WorldState::phase == 5 && ticks++ < 100) WorldRules::stepVehicle();
  EXPECT_EQ(WorldState::phase, 0);
  EXPECT_EQ(ticks, 5);

  join(0, 5, 5)->loot[1] = 1;
  join(4, 5, 4);
  WorldRules::depart();
  EXPECT_EQ(WorldState::phase, 2) << "person 4 still walks in";
  EXPECT_EQ(person(4)->x, 4);
  EXPECT_EQ(person(4)->y, 6) << "fetched to its seat";
  person(4)->x = 5;
  person(4)->y = 5;
  WorldRules::onReachExit();
  ASSERT_EQ(WorldState::phase, 3);
  ticks = 0;
  while (WorldState::phase == 3 && ticks++ < 1000) WorldRules::stepVehicle();
  EXPECT_EQ(GameState::pendingTransition, 3) << "the level ended";
  EXPECT_EQ(GameState::mapMessage, 150);
}

TEST_F(DepartureTest, TheArrivingCarReachesTheExitAtItsStartSpeed) {
  nvtest::writable(GameState::screenWidth) = 240;
  WorldState::phase = 5;
  WorldState::vehicleX = GameState::screenWidth;
  WorldState::vehicleSpeed = WorldState::arrivalSpeed;
  int ticks = 0;
  while (WorldState::phase == 5 && ticks++ < 1000) WorldRules::stepVehicle();
  EXPECT_EQ(WorldState::phase, 0);
  EXPECT_GT(WorldState::policeStartSpeed, 1) << "the police come faster than a pixel a tick";
}

TEST_F(DepartureTest, LeavingLateMeetsThePolice) {
  GameState::levelCounter = 120;
  WorldState::stepIndex = 100;
  WorldState::policeStartSpeed = 6;
  WorldState::phase = 3;
  WorldState::phaseCounter = 0;
  WorldState::vehicleSpeed = 1;
  join(0, 5, 5);
  int ticks = 0;
  while (WorldState::phase == 3 && ticks++ < 1000) WorldRules::stepVehicle();
  EXPECT_EQ(WorldState::phase, 4);
  EXPECT_EQ(WorldState::vehicleSpeed, 6);
  GameState::levelEndFlag = 2;
  ticks = 0;
  while (WorldState::phase == 4 && ticks++ < 1000) WorldRules::stepVehicle();
  EXPECT_EQ(WorldState::phase, 0);
  EXPECT_LT(ticks, 1000);
  EXPECT_TRUE(showsWindow(36, 154, 142));
}

TEST_F(DepartureTest, WholeCrewAtTheExitIsAskedToLeave) {
  join(0, 5, 5);
  join(1, 5, 5);
  WorldRules::onReachExit();
  EXPECT_TRUE(showsWindow(17, 173, 137, true));
}

}  // namespace
}  // namespace nvx
