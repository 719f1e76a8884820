#include "gamelib/GameLib.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/world/Path.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/projects/nvx/RoomObjectState.h"
#include "tests/projects/nvx/store/StoreFixture.h"
#include "tests/support/DemoData.h"
#include "util/DEnumeration.h"

namespace nvx {
namespace {

// The saved game and the level in progress over a real level of the demo
// data set, read back the way Continue does after a new start.
class ContinueTest : public StoreFixture {
protected:
  void SetUp() override {
    nvtest::openDemoData(folder_);
    StoreFixture::SetUp();
  }
  void TearDown() override {
    gamelib::GameLib::setSearchPath(nullptr);
    StoreFixture::TearDown();
  }
};

TEST_F(ContinueTest, NewStartRestoresTheSavedLevelInProgress) {
  GameState::difficulty = 1;
  GameState::levelNumber = 7;
  ASSERT_TRUE(WorldRules::loadLevel(7));
  GameState::money = 2500;
  GameState::retriesLeft = 3;
  GameStore::saveGame();

  for (int32_t id = 0; id < 5; ++id) person(id).resetPlan();
  GameTables::activePersons->addElement(GameTables::persons[0]);
  GameTables::activePersons->addElement(GameTables::persons[3]);
  person(3).pockets[0] = 'h';
  Person& planner = person(3);
  planner.steps->removeAllElements();
  for (int32_t i = 0; i < 130; ++i)
    planner.steps->addElement(new Path(WorldState::exitX, WorldState::exitY, Path::Wait, 1, 0));
  planner.steps->addElement(new Path(WorldState::exitX, WorldState::exitY, 0, 1, 0));
  int16_t stamp = 10;
  for (qel::util::DEnumerationPtr e = GameTables::roomObjects->elements(); e->hasMoreElements();) {
    auto* o = static_cast<RoomObject*>(e->nextElement());
    o->openStamp = stamp++;
    o->takeStamp = static_cast<int16_t>(stamp * 2);
  }
  const auto stamped = ::nvx::test::roomObjectState();
  ASSERT_FALSE(stamped.empty());
  GameStore::saveLevelState();

  // A new start: fresh statics and persons, no level, then Continue.
  MainCanvas::initStatics();
  for (int32_t id = 0; id < 5; ++id) GameTables::persons[id] = new Person(id);
  GameState::levelNumber = -1;
  GameState::money = 4000;
  GameStore::loadGame();
  ASSERT_EQ(GameState::levelNumber, 7);
  EXPECT_EQ(GameState::difficulty, 1);
  EXPECT_NE(::nvx::test::roomObjectState(), stamped);
  GameStore::loadLevelState();

  EXPECT_EQ(GameState::levelNumber, 7);
  EXPECT_EQ(GameState::money, 2500);
  EXPECT_EQ(::nvx::test::roomObjectState(), stamped);
  ASSERT_EQ(GameTables::activePersons->size(), 2);
  EXPECT_EQ(GameTables::activePersons->elementAt(1), GameTables::persons[3].get());
  EXPECT_EQ(person(3).pockets[0], 'h');
  ASSERT_EQ(person(3).steps->size(), 131);
  EXPECT_EQ(person(3).getStep(129)->getAction(), Path::Wait);
  EXPECT_EQ(person(3).getStep(129)->x, WorldState::exitX);
}

}  // namespace
}  // namespace nvx
