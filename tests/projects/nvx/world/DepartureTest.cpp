#include <gtest/gtest.h>

#include "Floor.h"
#include "lang/DInteger.h"
#include "lang/DbyteArray2d.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "tests/projects/nvx/world/ShownWindow.h"
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
    MainCanvas::enter(MainCanvas::stateLevel);
    MainCanvas::random = new qel::util::DRandom(3);
    layFloor(12, 12, 5, 5);
    MainCanvas::mapOriginX = MainCanvas::mapOriginY = 0;
    MainCanvas::difficulty = 0;
    MainCanvas::skipWorldLogic = 1;
    MainCanvas::phase = 0;
    MainCanvas::levelEndFlag = 0;
    MainCanvas::latePenalty = 0;
    MainCanvas::arrestsMade = 0;
    MainCanvas::pendingTransition = 0;
    MainCanvas::mapMessage = -1;
    MainCanvas::money = 1000;
    MainCanvas::levelCounters = new qel::lang::DintArray(6);
    for (int id = 0; id < 5; ++id) MainCanvas::persons[id] = new Person(id);
  }
  void TearDown() override {
    releaseDemoTexts();
    MainCanvas::enter(254);
  }
  Person* person(int id) { return static_cast<Person*>(MainCanvas::persons[id].get()); }
  Person* join(int id, int x, int y) {
    Person* p = person(id);
    p->x = static_cast<int8_t>(x);
    p->y = static_cast<int8_t>(y);
    MainCanvas::activePersons->addElement(MainCanvas::persons[id]);
    return p;
  }
  bool inCrew(int id) { return MainCanvas::activePersons->contains(MainCanvas::persons[id]); }
  // The view's left edge with the exit's column in the middle of the screen.
  static int32_t viewOnExitX() {
    return MainCanvas::screenWidth / 2 - MainCanvas::cellSize * MainCanvas::exitX - MainCanvas::cellSize / 2;
  }

  GameFolder folder_;
};

// Six steps left: two cells' walk each way per cell of distance.
TEST_F(DepartureTest, FetchOrArrestByDistance) {
  MainCanvas::levelCounter = 106;
  MainCanvas::stepIndex = 100;
  join(0, 5, 5);
  Person* near = join(1, 8, 5);  // distance 6
  near->loot[1] = 3;
  Person* far = join(2, 5, 9);  // distance 8
  far->loot[5] = 40;
  Person* stunned = join(3, 5, 6);
  stunned->stunSteps = 2;
  stunned->loot[2] = 5;
  MainCanvas::depart();

  EXPECT_EQ(MainCanvas::phase, 2);
  EXPECT_EQ(MainCanvas::levelEndFlag, 3);
  EXPECT_TRUE(inCrew(1));
  EXPECT_EQ(near->x, 5 + 0);
  EXPECT_EQ(near->y, 5 - 1) << "on its seat beside the vehicle";
  EXPECT_EQ(MainCanvas::latePenalty, 1500);
  EXPECT_FALSE(inCrew(2));
  EXPECT_FALSE(inCrew(3));
  EXPECT_EQ(far->loot[0], 40) << "loot worth more than the bail";
  EXPECT_EQ(far->loot[5], 0);
  EXPECT_EQ(stunned->loot[0], 10) << "the bail of 10 thousand, more than its loot";
  EXPECT_TRUE(MainCanvas::savedIds->contains(MainCanvas::persons[2]));
  EXPECT_EQ(MainCanvas::arrestsMade, 1);
  EXPECT_EQ(MainCanvas::mapOriginX, viewOnExitX()) << "the view jumps to the exit";
}

TEST_F(DepartureTest, ArrestedLeaderMeansBusted) {
  MainCanvas::levelCounter = 102;
  MainCanvas::stepIndex = 100;
  join(0, 9, 9);
  join(1, 5, 5)->loot[1] = 50;
  MainCanvas::depart();
  EXPECT_EQ(MainCanvas::levelEndFlag, 2);
  EXPECT_TRUE(inCrew(1));
}

TEST_F(DepartureTest, TrainingFetchesEveryone) {
  MainCanvas::difficulty = -1;
  MainCanvas::levelNumber = 3;
  MainCanvas::levelCounter = 100;
  MainCanvas::stepIndex = 100;
  join(0, 0, 0);
  MainCanvas::depart();
  EXPECT_TRUE(inCrew(0));
  EXPECT_EQ(MainCanvas::levelEndFlag, 5);
}

TEST_F(DepartureTest, EmptyCrewBringsThePolice) {
  MainCanvas::levelCounter = 100;
  MainCanvas::stepIndex = 100;
  join(0, 0, 0);
  MainCanvas::depart();
  EXPECT_EQ(MainCanvas::activePersons->size(), 0);
  EXPECT_EQ(MainCanvas::phase, 4);
}

// The example pay-out: 9000 of loot, persons 1 and 2 take 20 and 15 percent.
TEST_F(DepartureTest, PayOutShares) {
  MainCanvas::levelCounters[0] = 12000;
  join(0, 5, 5)->loot[1] = 4;
  join(1, 5, 5)->loot[2] = 3;
  join(2, 5, 5)->loot[3] = 2;
  MainCanvas::endLevel();
  EXPECT_EQ(MainCanvas::money, 1000 + 9000 - 1800 - 1350);
  EXPECT_EQ(MainCanvas::mapMessage, 150);
  EXPECT_EQ(MainCanvas::pendingTransition, 3);
  ASSERT_TRUE(MainCanvas::resultValues);
  const auto value = [](int i) {
    return static_cast<qel::lang::DInteger*>(MainCanvas::resultValues[i].get())->intValue();
  };
  EXPECT_EQ(value(0), 75);
  EXPECT_EQ(value(1), 9000);
  EXPECT_EQ(value(2), 5850);
  EXPECT_FALSE(inCrew(0));
  EXPECT_EQ(person(1)->loot[2], 0);
}

TEST_F(DepartureTest, LatePersonsCostTheirPenalty) {
  MainCanvas::levelEndFlag = 3;
  MainCanvas::latePenalty = 1000;
  MainCanvas::levelCounters[0] = 4000;
  join(0, 5, 5)->loot[1] = 4;
  MainCanvas::endLevel();
  EXPECT_EQ(MainCanvas::money, 1000 + 3000);
  EXPECT_EQ(MainCanvas::mapMessage, 151);
}

// A level without a loot target reads as 0 percent, no division by zero.
TEST_F(DepartureTest, NoTargetGivesZeroPercent) {
  join(0, 5, 5)->loot[4] = 2;
  MainCanvas::endLevel();
  EXPECT_EQ(static_cast<qel::lang::DInteger*>(MainCanvas::resultValues[0].get())->intValue(), 0);
}

TEST_F(DepartureTest, NoLootEndsWithoutMoney) {
  join(0, 5, 5);
  MainCanvas::endLevel();
  EXPECT_EQ(MainCanvas::mapMessage, 152);
  EXPECT_EQ(MainCanvas::money, 1000);
}

TEST_F(DepartureTest, BustedAndFailedLevelsOpenTheirWindows) {
  struct Case {
    int outcome;
    bool leaderJailed, othersLeft;
    int notice;
  } cases[] = {{2, true, true, 157}, {2, true, false, 154}, {2, false, true, 154}, {5, false, true, 155}};
  for (const auto& c : cases) {
    MainCanvas::activePersons->removeAllElements();
    MainCanvas::savedIds->removeAllElements();
    closeWindow();
    if (c.leaderJailed) {
      MainCanvas::savedIds->addElement(MainCanvas::persons[0]);
    } else {
      join(0, 5, 5);
    }
    if (c.othersLeft) join(1, 5, 5);
    MainCanvas::levelEndFlag = static_cast<int8_t>(c.outcome);
    MainCanvas::endLevel();
    EXPECT_TRUE(showsWindow(36, c.notice, 142));
    if (c.outcome == 2) {
      EXPECT_EQ(titlePicture(), (std::vector<int>{MainCanvas::spritePictureBox, 0}))
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
    MainCanvas::roomObjects->clear();
    RoomObjectPtr o = new RoomObject(0, c.x, c.y, 0, false, 1, 1);
    o->state[c.stateIndex] = 0;
    MainCanvas::roomObjects->put(MainCanvas::cellKey(c.x, c.y), o);
    MainCanvas::levelNumber = static_cast<int8_t>(c.level);
    EXPECT_EQ(MainCanvas::trainingResult(), c.reached ? 4 : 5);
  }
}

TEST_F(DepartureTest, TrainingGoalOfTheBombs) {
  MainCanvas::levelNumber = 5;
  RoomObjectPtr safe = new RoomObject(0, 9, 5, 0, false, 1, 1);
  safe->state[1] = 0;
  MainCanvas::roomObjects->put(MainCanvas::cellKey(9, 5), safe);
  RoomObjectPtr small = new RoomObject(9, 4, 5, 2, true, 'q', 0);
  RoomObjectPtr large = new RoomObject(9, 8, 5, 2, true, 'r', 0);
  MainCanvas::bombs->put(MainCanvas::cellKey(4, 5), small);
  MainCanvas::bombs->put(MainCanvas::cellKey(8, 5), large);
  EXPECT_EQ(MainCanvas::trainingResult(), 5) << "fuses still burning";
  small->state[1] = 0;
  large->state[1] = -1;
  EXPECT_EQ(MainCanvas::trainingResult(), 4);
  MainCanvas::bombs->put(MainCanvas::cellKey(8, 5), new RoomObject(9, 8, 5, 2, true, 'q', 0));
  EXPECT_EQ(MainCanvas::trainingResult(), 5) << "the large bomb belongs at (8, 5)";
}

// Arrival, play, departure ordered, the crew walks in, the vehicle leaves.
TEST_F(DepartureTest, VehiclePhasesInOrder) {
  MainCanvas::levelCounter = 300;
  MainCanvas::stepIndex = 100;
  MainCanvas::levelCounters[0] = 1000;
  const int homeX = 5 * 24 - 12;
  MainCanvas::phase = 5;
  MainCanvas::vehicleX = homeX + 20;
  MainCanvas::vehicleSpeed = 4;
  int ticks = 0;
  while (MainCanvas::phase == 5 && ticks++ < 100) MainCanvas::stepVehicle();
  EXPECT_EQ(MainCanvas::phase, 0);
  EXPECT_EQ(ticks, 5);

  join(0, 5, 5)->loot[1] = 1;
  join(4, 5, 4);
  MainCanvas::depart();
  EXPECT_EQ(MainCanvas::phase, 2) << "person 4 still walks in";
  EXPECT_EQ(person(4)->x, 4);
  EXPECT_EQ(person(4)->y, 6) << "fetched to its seat";
  person(4)->x = 5;
  person(4)->y = 5;
  MainCanvas::onReachExit();
  ASSERT_EQ(MainCanvas::phase, 3);
  ticks = 0;
  while (MainCanvas::phase == 3 && ticks++ < 1000) MainCanvas::stepVehicle();
  EXPECT_EQ(MainCanvas::pendingTransition, 3) << "the level ended";
  EXPECT_EQ(MainCanvas::mapMessage, 150);
}

TEST_F(DepartureTest, TheArrivingCarReachesTheExitAtItsStartSpeed) {
  MainCanvas::screenWidth = 240;
  MainCanvas::phase = 5;
  MainCanvas::vehicleX = MainCanvas::screenWidth;
  MainCanvas::vehicleSpeed = MainCanvas::arrivalSpeed;
  int ticks = 0;
  while (MainCanvas::phase == 5 && ticks++ < 1000) MainCanvas::stepVehicle();
  EXPECT_EQ(MainCanvas::phase, 0);
  EXPECT_GT(MainCanvas::policeStartSpeed, 1) << "the police come faster than a pixel a tick";
}

TEST_F(DepartureTest, LeavingLateMeetsThePolice) {
  MainCanvas::levelCounter = 120;
  MainCanvas::stepIndex = 100;
  MainCanvas::policeStartSpeed = 6;
  MainCanvas::phase = 3;
  MainCanvas::phaseCounter = 0;
  MainCanvas::vehicleSpeed = 1;
  join(0, 5, 5);
  int ticks = 0;
  while (MainCanvas::phase == 3 && ticks++ < 1000) MainCanvas::stepVehicle();
  EXPECT_EQ(MainCanvas::phase, 4);
  EXPECT_EQ(MainCanvas::vehicleSpeed, 6);
  MainCanvas::levelEndFlag = 2;
  ticks = 0;
  while (MainCanvas::phase == 4 && ticks++ < 1000) MainCanvas::stepVehicle();
  EXPECT_EQ(MainCanvas::phase, 0);
  EXPECT_LT(ticks, 1000);
  EXPECT_TRUE(showsWindow(36, 154, 142));
}

TEST_F(DepartureTest, WholeCrewAtTheExitIsAskedToLeave) {
  join(0, 5, 5);
  join(1, 5, 5);
  MainCanvas::onReachExit();
  EXPECT_TRUE(showsWindow(17, 173, 137, true));
}

}  // namespace
}  // namespace nvx
