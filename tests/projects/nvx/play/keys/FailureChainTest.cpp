#include <array>
#include <gtest/gtest.h>
#include <vector>

#include "PlanFixture.h"
#include "lang/DInteger.h"
#include "lang/DObjectArray.h"
#include "nvx/src/play/Keys.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/projects/nvx/RoomObjectState.h"
#include "tests/projects/nvx/world/LevelSource.h"
#include "tests/support/Writable.h"
#include "util/DEnumeration.h"

namespace nvx {
namespace {

// A level of a game at difficulty 1 as its run was set up: 3000 money, the
// leader's pockets "hit" and person 1 carrying "jkt" in the crew.
class FailureChainTest : public PlanFixture {
protected:
  void SetUp() override {
    PlanFixture::SetUp();
    setUpRun(8);
  }

  void setUpRun(int level) {
    GameState::difficulty = 1;
    GameState::retriesLeft = 3;
    ASSERT_TRUE(WorldRules::loadLevel(level));
    GameState::levelNumber = static_cast<int8_t>(level);
    GameState::money = nvtest::writable(GameState::startMoney) = 3000;
    nvtest::writable(GameState::levelCounterAtStart) = GameState::levelCounter;
    join(1, 3, 3, "jkt");
    Person* leader = person(0);
    for (int i = 0; i < 3; ++i) leader->pockets[i] = static_cast<int8_t>("hit"[i]);
    for (int i = 0; i < 3; ++i) GameTables::padLetters[i] = leader->pockets[i];
    GameTables::activeAtLevelStart->removeAllElements();
    GameTables::activeAtLevelStart->addElement(person(1));
    GameTables::activePersons->addElement(leader);
    GameTables::savedIds->removeAllElements();
    GameTables::levelList->removeAllElements();
    WorldRules::shareEntries(GameTables::alarmLinks, GameTables::savedAlarmLinks);
    GameStore::saveGame();
    nvtest::writable(GameState::skipWorldLogic) = 1;
  }

  // Level 8 with the cash of its two desks as one group of 3, which each
  // load of the level splits between them at random.
  void shareTheDesksCash() {
    std::vector<nv::demodata::Level> levels = LevelSource::demoLevels();
    for (nv::demodata::RoomObjectRecord& o : levels[7].objects)
      if (o.y == 5 && (o.x == 2 || o.x == 5)) {
        o.amount = 3;
        o.shared = true;
      }
    folder_.addEntry("m", nv::demodata::encodeLevelFile(levels));
    folder_.openArchive();
  }

  // Every room object planned to be opened and emptied, at steps of its own.
  static void stampObjects() {
    int16_t step = 1;
    for (qel::util::DEnumerationPtr e = GameTables::roomObjects->elements(); e->hasMoreElements(); ++step) {
      auto* o = static_cast<RoomObject*>(e->nextElement());
      o->openStamp = step;
      o->takeStamp = static_cast<int16_t>(step + 100);
    }
  }

  // The failed level's window (36 busted, 39 the training alarm) answered.
  bool fail(int dialog) {
    nvtest::writable(DialogWindow::dialogId) = static_cast<uint8_t>(dialog);
    return answer(new qel::lang::DString(u"126"));
  }
};

TEST_F(FailureChainTest, AFailedLevelOffersTheRetryWhileTriesAreLeft) {
  struct Case {
    int dialog, difficulty, retries;
    // Expected.
    int window, retriesAfter;
  };
  const Case cases[] = {
      {36, 1, 3, 35, 2},
      {39, -1, 3, 35, 3},
      {36, 0, 1, 35, 1},
      {36, 2, 1, 35, 0},
      {36, 2, 0, 32, 0},
      {39, -1, 0, 32, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("dialog " + std::to_string(c.dialog) + " difficulty " + std::to_string(c.difficulty));
    GameState::difficulty = static_cast<int8_t>(c.difficulty);
    GameState::retriesLeft = static_cast<int8_t>(c.retries);
    StateMachine::enter(StateMachine::stateDialog);
    EXPECT_TRUE(fail(c.dialog)) << "the next window stays open";
    EXPECT_EQ(DialogWindow::dialogId, c.window);
    EXPECT_EQ(GameState::retriesLeft, c.retriesAfter);
    qel::lang::DObjectArrayPtr shown = new qel::lang::DObjectArray(1);
    if (c.difficulty <= 0)
      shown[0] = new qel::lang::DShort(257);
    else
      shown[0] = new qel::lang::DInteger(c.retriesAfter);
    EXPECT_TRUE(c.window == 32 ? bodyIs(162) : bodyIs(158, shown));
  }
}

// Also on the first level of the game, where a level start resets the
// persons; whatever the reload of the level draws at random.
TEST_F(FailureChainTest, RetryRestoresMoneyCrewItemsPlanAndTheTimeOfTheRun) {
  for (int seed = 1; seed <= 10; ++seed)
    for (int level : {8, 7}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + " level " + std::to_string(level));
      TearDown();
      PlanFixture::SetUp();
      shareTheDesksCash();
      nvtest::writable(GameTables::random) = new qel::util::DRandom(seed);
      setUpRun(level);
      stampObjects();
      const auto planned = ::nvx::test::roomObjectState();
      Person* leader = person(0);
      const int boughtOffer = 2;
      GameTables::levelTotals[boughtOffer] = 0;
      GameState::money = 1200;
      GameState::levelCounter -= 40;
      LevelKeys::selectPerson(1);
      nvtest::writable(DialogWindow::dialogId) = 2;
      answerId(118);
      ASSERT_EQ(leader->pockets[0], 't') << "the leader dropped the items";
      GameTables::activePersons->removeElement(person(1));
      GameTables::savedIds->addElement(person(1));
      GameTables::alarmLinks->clear();

      StateMachine::enter(StateMachine::stateDialog);
      ASSERT_TRUE(fail(36));
      ASSERT_EQ(DialogWindow::dialogId, 35);
      EXPECT_FALSE(answer(new qel::lang::DString(u"126")));
      EXPECT_EQ(GameState::money, 3000);
      EXPECT_EQ(GameState::levelCounter, GameState::levelCounterAtStart);
      EXPECT_EQ(GameState::levelNumber, level);
      EXPECT_EQ(GameState::pendingTransition, 3);
      EXPECT_EQ(pocketsOf(*leader), "hit");
      ASSERT_EQ(GameTables::activePersons->size(), 1);
      EXPECT_EQ(GameTables::activePersons->elementAt(0), person(1));
      EXPECT_EQ(pocketsOf(*person(1)), "jkt");
      EXPECT_EQ(GameTables::savedIds->size(), 0);
      EXPECT_EQ(GameTables::alarmLinks->size(), GameTables::savedAlarmLinks->size());
      EXPECT_EQ(::nvx::test::roomObjectState(), planned) << "planned stamps and shared loot";
      EXPECT_EQ(GameTables::levelTotals[boughtOffer], 0) << "the offer bought before the run";
      EXPECT_EQ(GameState::retriesLeft, 2);
    }
}

TEST_F(FailureChainTest, WithoutTriesTheGameIsOverAndTheSaveIsDeleted) {
  ASSERT_TRUE(GameStore::hasSave(1));
  GameState::retriesLeft = 0;
  StateMachine::enter(StateMachine::stateDialog);
  ASSERT_TRUE(fail(39));
  ASSERT_EQ(DialogWindow::dialogId, 32);
  GameState::money = 1 << 30;
  answer(new qel::lang::DString(u"126"));
  EXPECT_FALSE(GameStore::hasSave(1));
  EXPECT_EQ(GameState::gameState, StateMachine::stateBestResults);
  EXPECT_EQ(GameState::winnerRow, 0) << "the money enters the best results, for a name to be typed";
}

}  // namespace
}  // namespace nvx
