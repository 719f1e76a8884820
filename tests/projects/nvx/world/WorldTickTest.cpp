#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

#include "Floor.h"
#include "lang/DInteger.h"
#include "lang/DbyteArray2d.h"
#include "nvx/src/state/FrameClock.h"
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
#include "util/DEnumeration.h"
#include "util/DHashtable.h"
#include "util/DRandom.h"

namespace nvx {
namespace {

struct Step {
  int action, direction, count, slot;
};

// A 10 x 8 floor with the exit at (2, 2); plans are recorded the way the
// planning view records them, then run tick by tick while a level plays.
class WorldTickTest : public ::testing::Test {
protected:
  void SetUp() override {
    MainCanvas::initStatics();
    loadDemoTexts(folder_);
    StateMachine::enter(StateMachine::stateLevel);
    nvtest::writable(GameTables::random) = new qel::util::DRandom(11);
    layFloor(10, 8, 2, 2);
    GameState::difficulty = 0;
    WorldState::phase = 0;
    GameState::levelEndFlag = 0;
    WorldState::alarmBoxesOff = 0;
    WorldState::alarmRaised = nvtest::writable(WorldState::alarmSounding) = WorldState::noiseMade =
        WorldState::loudNoiseMade = 0;
    GameState::levelCounter = 500;
    nvtest::writable(WorldState::pendingNotice) = -1;
    GameState::selectionIndex = 0;
    GameTables::levelTotals = new qel::lang::DintArray(7);
    GameTables::levelCounters = new qel::lang::DintArray(6);
    for (int id = 0; id < 5; ++id) GameTables::persons[id] = new Person(id);
  }
  void TearDown() override {
    releaseDemoTexts();
    StateMachine::enter(254);
  }

  RoomObject* place(int type, int x, int y, int facing, int content = 0, int amount = 0) {
    RoomObjectPtr o = new RoomObject(type, x, y, facing, false, content, amount);
    GameTables::roomObjects->put(WorldRules::cellKey(x, y), o);
    return o.get();
  }

  Person* plan(int id, int x, int y, const std::vector<Step>& steps, const char* pockets = "ttt") {
    Person* p = static_cast<Person*>(GameTables::persons[id].get());
    for (int i = 0; i < 3; ++i) p->pockets[i] = static_cast<int8_t>(pockets[i]);
    p->resetPlan();
    p->x = static_cast<int8_t>(x);
    p->y = static_cast<int8_t>(y);
    p->getStep(0)->x = p->x;
    p->getStep(0)->y = p->y;
    WorldState::stepIndex = 0;
    for (const Step& s : steps) {
      p->action = static_cast<int8_t>(s.action);
      p->direction = s.direction;
      p->pocketSlot = s.slot;
      for (int i = 0; i < s.count; ++i) {
        p->recordSteps(1);
        ++WorldState::stepIndex;
        if (s.action == 1) {
          p->x = static_cast<int8_t>(p->x + GameTables::directionSteps[0][s.direction]);
          p->y = static_cast<int8_t>(p->y + GameTables::directionSteps[1][s.direction]);
        }
      }
    }
    GameTables::activePersons->addElement(GameTables::persons[id]);
    return p;
  }

  void startRun(int selectedId) {
    for (int i = 0; i < GameTables::activePersons->size(); ++i)
      static_cast<Person*>(GameTables::activePersons->elementAt(i))->resetToStart();
    WorldRules::resetRoomObjects(false);
    WorldState::stepIndex = 0;
    nvtest::writable(GameState::skipWorldLogic) = 1;
    WorldState::selectedPerson = static_cast<Person*>(GameTables::persons[selectedId].get());
    tick_ = 0;
  }

  void run(int ticks) {
    for (int i = 0; i < ticks; ++i) {
      nvtest::writable(FrameClock::clockTick) = static_cast<int8_t>(tick_++ % 12);
      WorldRules::worldTick();
    }
  }

  Person* person(int id) { return static_cast<Person*>(GameTables::persons[id].get()); }

  GameFolder folder_;
  int tick_ = 0;
};

TEST_F(WorldTickTest, TwoWalkersToOneCell) {
  plan(1, 4, 4, {{1, 2, 1, 0}});
  plan(2, 6, 4, {{1, 0, 1, 0}});
  startRun(1);
  run(13);
  EXPECT_EQ(person(1)->x, 5);
  EXPECT_EQ(person(2)->x, 6) << "the second walker is refused";
  EXPECT_EQ(person(2)->action, 2);
}

TEST_F(WorldTickTest, ClosedDoorStopsAPlannedWalk) {
  place(1, 5, 4, 0);
  plan(1, 4, 4, {{1, 2, 2, 0}});
  startRun(1);
  run(30);
  EXPECT_EQ(person(1)->x, 4);
}

TEST_F(WorldTickTest, LeaderWaitsWithoutUsingSteps) {
  Person* leader = plan(0, 4, 4, {{2, 1, 3, 0}});
  Person* other = plan(1, 6, 4, {{2, 1, 3, 0}});
  startRun(1);
  leader->action = 2;
  run(40);
  EXPECT_EQ(leader->pathIndex, 0);
  EXPECT_EQ(other->pathIndex, 3) << "one step for each of its three waits";
  EXPECT_EQ(WorldState::stepIndex, 4);
}

TEST_F(WorldTickTest, WorkOpensAndTakingEmptiesTheSafe) {
  RoomObject* safe = place(0, 5, 3, 3, 1, 4);  // faces south: reached from (5, 4)
  Person* p = plan(1, 5, 4, {{4, 1, 35, 0}, {3, 1, 8, 0}}, "jtt");
  startRun(1);
  run(12 * 60);
  EXPECT_LE(safe->state[0], 0);
  EXPECT_LT(safe->state[1], 1);
  EXPECT_EQ(p->loot[1], 4);
  EXPECT_EQ(p->load, 11 + 2);
}

// A work step without an item in the pocket stands as a wait.
TEST_F(WorldTickTest, WorkWithAnEmptyPocketWaits) {
  RoomObject* safe = place(0, 5, 3, 3, 1, 4);
  Person* p = plan(1, 5, 4, {{4, 1, 3, 0}});
  startRun(1);
  run(12 * 4);
  EXPECT_EQ(safe->state[0], 'x');
  EXPECT_EQ(p->action, 2);
}

TEST_F(WorldTickTest, FinishedAlarmBoxNoLongerGuards) {
  RoomObject* box = place(6, 5, 3, 3);
  place(6, 8, 6, 0);
  GameTables::alarmLinks->put(WorldRules::cellKey(1, 1), WorldRules::cellKey(5, 3));
  GameTables::alarmLinks->put(WorldRules::cellKey(1, 2), WorldRules::cellKey(5, 3));
  GameTables::alarmLinks->put(WorldRules::cellKey(7, 7), WorldRules::cellKey(8, 6));
  plan(1, 5, 4, {{4, 1, 50, 0}}, "ntt");
  startRun(1);
  run(12 * 55);
  EXPECT_LE(box->state[0], 0);
  EXPECT_EQ(GameTables::alarmLinks->size(), 1);
  EXPECT_TRUE(GameTables::alarmLinks->containsKey(WorldRules::cellKey(7, 7)));
}

// A planted small bomb: the fuse burns five of its steps, then the four
// cells around it open and persons within one cell, diagonals too, are stunned.
TEST_F(WorldTickTest, BlastOpensNeighboursAndStunsNearPersons) {
  RoomObject* crate = place(3, 6, 4, 0);
  RoomObject* statue = place(28, 5, 3, 0);
  RoomObjectPtr bomb = new RoomObject(9, 5, 4, 2, false, 'q', 0);
  bomb->state[0] = 0;
  bomb->state[1] = 5;
  GameTables::bombs->put(WorldRules::cellKey(5, 4), bomb);
  Person* near = plan(1, 4, 5, {});
  Person* far = plan(2, 3, 4, {});
  startRun(1);
  run(12 * 5);
  EXPECT_EQ(crate->state[0], 0);
  EXPECT_EQ(statue->state[0], 'x') << "inert objects stand";
  EXPECT_EQ(near->stunSteps, 10);
  EXPECT_EQ(far->stunSteps, 0);
  run(12 * 11);
  EXPECT_EQ(near->stunSteps, 0);
}

TEST_F(WorldTickTest, StepCountAgainstTheLimit) {
  GameState::levelCounter = 20;
  Person* p = plan(1, 4, 4, {});
  startRun(1);
  run(12 * 11);
  EXPECT_EQ(WorldState::alarmSounding, 1) << "ten steps before the limit";
  run(12 * 10);
  EXPECT_EQ(GameState::levelEndFlag, 2);
  EXPECT_EQ(WorldState::phase, 4);
  EXPECT_EQ(p->x, 4);
}

TEST_F(WorldTickTest, TrainingTimeOutFailsTheLevel) {
  GameState::difficulty = -1;
  GameState::levelCounter = 5;
  plan(0, 2, 2, {});
  plan(1, 4, 4, {});
  startRun(1);
  run(12 * 5 + 1);
  EXPECT_EQ(WorldState::alarmSounding, 0);
  EXPECT_TRUE(showsWindow(36, 155, 142));
}

TEST_F(WorldTickTest, NoticeOfTheLoadOpensForTheSelectedPerson) {
  plan(1, 4, 4, {});
  startRun(1);
  nvtest::writable(WorldState::pendingNotice) = 186;
  run(1);
  EXPECT_TRUE(showsWindow(0, 186, 42));
  EXPECT_EQ(WorldState::pendingNotice, -1);
}

// The same plans and seed give the same run, tick for tick.
TEST_F(WorldTickTest, SamePlanRunsTheSameTwice) {
  auto runOnce = [this] {
    SetUp();
    GameTables::roomObjects->clear();
    GameTables::bombs->clear();
    GameTables::activePersons->removeAllElements();
    place(0, 5, 2, 3, 1, 6);
    place(1, 7, 4, 0);
    place(3, 8, 5, 0, 2, 3);
    plan(0, 2, 2, {{2, 1, 4, 0}});
    plan(1, 2, 3, {{1, 2, 3, 0}, {4, 1, 35, 0}, {3, 1, 8, 0}, {1, 3, 1, 0}}, "jtt");
    plan(2, 3, 6, {{1, 2, 4, 0}, {4, 2, 22, 0}, {1, 2, 2, 0}}, "htt");
    startRun(1);
    std::ostringstream log;
    for (int t = 0; t < 12 * 70; ++t) {
      run(1);
      for (int id = 0; id < 3; ++id) {
        const Person* p = person(id);
        log << int(p->x) << ',' << int(p->y) << ',' << int(p->action) << ',' << p->stepTick << ' ';
      }
      for (auto e = GameTables::roomObjects->elements(); e->hasMoreElements();) {
        const auto* o = static_cast<RoomObject*>(e->nextElement());
        log << int(o->state[0]) << '/' << int(o->state[1]) << ' ';
      }
      log << '\n';
    }
    return log.str();
  };
  const std::string first = runOnce();
  EXPECT_EQ(first, runOnce());
  EXPECT_NE(first.find("5,3,4,"), std::string::npos) << "person 1 worked at the safe";
}

}  // namespace
}  // namespace nvx
