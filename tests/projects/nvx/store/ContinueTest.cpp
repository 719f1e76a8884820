#include "gamelib/GameLib.h"
#include "nvx/src/world/Path.h"
#include "nvx/src/world/RoomObject.h"
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
  MainCanvas::difficulty = 1;
  MainCanvas::levelNumber = 7;
  ASSERT_TRUE(MainCanvas::loadLevel(7));
  MainCanvas::money = 2500;
  MainCanvas::retriesLeft = 3;
  MainCanvas::saveGame();

  for (int32_t id = 0; id < 5; ++id) person(id).resetPlan();
  MainCanvas::activePersons->addElement(MainCanvas::persons[0]);
  MainCanvas::activePersons->addElement(MainCanvas::persons[3]);
  person(3).pockets[0] = 'h';
  Person& planner = person(3);
  planner.steps->removeAllElements();
  for (int32_t i = 0; i < 130; ++i)
    planner.steps->addElement(new Path(MainCanvas::exitX, MainCanvas::exitY, Path::Wait, 1, 0));
  planner.steps->addElement(new Path(MainCanvas::exitX, MainCanvas::exitY, 0, 1, 0));
  int16_t stamp = 10;
  for (qel::util::DEnumerationPtr e = MainCanvas::roomObjects->elements(); e->hasMoreElements();) {
    auto* o = static_cast<RoomObject*>(e->nextElement());
    o->openStamp = stamp++;
    o->takeStamp = static_cast<int16_t>(stamp * 2);
  }
  const auto stamped = ::nvx::test::roomObjectState();
  ASSERT_FALSE(stamped.empty());
  MainCanvas::saveLevelState();

  // A new start: fresh statics and persons, no level, then Continue.
  MainCanvas::initStatics();
  for (int32_t id = 0; id < 5; ++id) MainCanvas::persons[id] = new Person(id);
  MainCanvas::levelNumber = -1;
  MainCanvas::money = 4000;
  MainCanvas::loadGame();
  ASSERT_EQ(MainCanvas::levelNumber, 7);
  EXPECT_EQ(MainCanvas::difficulty, 1);
  EXPECT_NE(::nvx::test::roomObjectState(), stamped);
  MainCanvas::loadLevelState();

  EXPECT_EQ(MainCanvas::levelNumber, 7);
  EXPECT_EQ(MainCanvas::money, 2500);
  EXPECT_EQ(::nvx::test::roomObjectState(), stamped);
  ASSERT_EQ(MainCanvas::activePersons->size(), 2);
  EXPECT_EQ(MainCanvas::activePersons->elementAt(1), MainCanvas::persons[3].get());
  EXPECT_EQ(person(3).pockets[0], 'h');
  ASSERT_EQ(person(3).steps->size(), 131);
  EXPECT_EQ(person(3).getStep(129)->getAction(), Path::Wait);
  EXPECT_EQ(person(3).getStep(129)->x, MainCanvas::exitX);
}

}  // namespace
}  // namespace nvx
