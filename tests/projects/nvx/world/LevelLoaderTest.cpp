#include <gtest/gtest.h>
#include <map>
#include <set>

#include "LevelSource.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/support/Writable.h"
#include "util/DEnumeration.h"
#include "util/DRandom.h"

namespace nvx {
namespace {

using nv::demodata::Level;
using nv::demodata::RoomObjectRecord;

RoomObject* objectAt(int x, int y) {
  return static_cast<RoomObject*>(GameTables::roomObjects->get(WorldRules::cellKey(x, y)));
}

// A small room with its exit and seats on floor, one container with loot.
Level smallLevel() {
  Level level;
  level.width = 6;
  level.height = 5;
  level.cells.assign(5, std::vector<int>(6, 13));
  level.cells[0][0] = 0;
  level.objects = {{3, 4, 1, 1, 2, 5}};
  level.exitX = 2;
  level.exitY = 2;
  return level;
}

class LevelLoaderTest : public ::testing::Test {
protected:
  void SetUp() override {
    MainCanvas::initStatics();
    GameState::difficulty = 0;
  }
  LevelSource source_;
};

TEST_F(LevelLoaderTest, EveryDemoLevelLoadsAsTheBuilderWroteIt) {
  const std::vector<Level> levels = LevelSource::demoLevels();
  ASSERT_EQ(levels.size(), 26u);
  source_.install(levels);
  for (int n = 1; n <= 26; ++n) {
    SCOPED_TRACE("level " + std::to_string(n));
    const Level& expected = levels[n - 1];
    ASSERT_TRUE(WorldRules::loadLevel(n));
    ASSERT_EQ(WorldState::mapWidth, expected.width);
    ASSERT_EQ(WorldState::mapHeight, expected.height);
    for (int y = 0; y < expected.height; ++y)
      for (int x = 0; x < expected.width; ++x) ASSERT_EQ(WorldState::grid[x][y], expected.cell(x, y));
    EXPECT_EQ(WorldState::exitX, expected.exitX);
    EXPECT_EQ(WorldState::exitY, expected.exitY);
    EXPECT_EQ(GameTables::roomObjects->size(), static_cast<int>(expected.objects.size()));

    // Shared loot is split, never made or lost: per loot kind the level holds
    // each (kind, amount) group's amount once.
    std::map<std::pair<int, int>, int> groups;
    std::map<int, int> expectedLoot;
    for (const RoomObjectRecord& o : expected.objects) {
      const RoomObject* loaded = objectAt(o.x, o.y);
      ASSERT_NE(loaded, nullptr);
      EXPECT_EQ(loaded->type, o.kind);
      EXPECT_EQ(loaded->facing, o.facing);
      EXPECT_EQ(loaded->state[0], 'x');
      if ((loaded->flags() & RoomObject::containerFlag) && o.content > 0 && o.amount > 0 &&
          groups.emplace(std::pair{o.content, o.amount}, 0).second)
        expectedLoot[o.content] += o.amount * 1000;
    }
    for (int kind = 1; kind <= 5; ++kind) EXPECT_EQ(GameTables::levelCounters[kind], expectedLoot[kind]) << kind;
    int total = 0;
    for (int kind = 1; kind <= 5; ++kind) total += expectedLoot[kind];
    EXPECT_EQ(GameTables::levelCounters[0], total / 1000 * 1000);

    for (const auto& alarm : expected.alarms)
      for (const auto& [x, y] : alarm.cells) {
        auto* box = static_cast<qel::lang::DInteger*>(GameTables::alarmLinks->get(WorldRules::cellKey(x, y)));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->intValue(), (alarm.boxX << 8) | alarm.boxY);
      }

    const auto& row = GameTables::levelTable[n - 1];
    EXPECT_GE(GameState::levelCounter, row[0]);
    EXPECT_LE(GameState::levelCounter, row[0] + 10);
    EXPECT_EQ(WorldState::alarmBoxesOff, row[6] * 100);
    const int offers[] = {0, 1, 2, 3, 4, 5, 11};
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(GameTables::levelTotals[k], row[offers[k]] * 100);
  }
}

TEST_F(LevelLoaderTest, TrainingLevelsSetTheirMoney) {
  source_.install(LevelSource::demoLevels());
  GameState::difficulty = -1;
  GameState::money = 4000;
  WorldRules::loadLevel(4);
  EXPECT_EQ(GameState::money, 300);
  GameState::difficulty = 0;
  WorldRules::loadLevel(5);
  EXPECT_EQ(GameState::money, 300);
}

// Objects the loader refuses; the good one beside them stays.
TEST_F(LevelLoaderTest, BadObjectsAreSkipped) {
  struct Case {
    const char* what;
    RoomObjectRecord record;
  } cases[] = {
      {"kind above 28", {29, 1, 1, 0, 0, 0}},
      {"negative kind", {-1, 1, 1, 0, 0, 0}},
      {"content above 5", {3, 1, 1, 0, 6, 2}},
      {"column outside", {3, 6, 1, 0, 0, 0}},
      {"row outside", {3, 1, 5, 0, 0, 0}},
      {"negative row", {3, 1, -1, 0, 0, 0}},
      {"facing 4", {3, 1, 1, 4, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Level level = smallLevel();
    level.objects.push_back(c.record);
    LevelSource source;
    source.install(std::vector<Level>{level});
    EXPECT_TRUE(WorldRules::loadLevel(1));
    ASSERT_EQ(GameTables::roomObjects->size(), 1);
    EXPECT_NE(objectAt(4, 1), nullptr);
  }
}

TEST_F(LevelLoaderTest, GuardedCellsOffTheMapAreSkipped) {
  Level level = smallLevel();
  level.objects.push_back({6, 5, 4, 0, 0, 1});
  level.alarms = {{5, 4, {{1, 1}, {9, 1}, {1, 4}}}, {7, 7, {{2, 3}}}};
  source_.install(std::vector<Level>{level});
  WorldRules::loadLevel(1);
  EXPECT_EQ(GameTables::alarmLinks->size(), 2);
  EXPECT_TRUE(GameTables::alarmLinks->containsKey(WorldRules::cellKey(1, 4)));
  EXPECT_FALSE(GameTables::alarmLinks->containsKey(WorldRules::cellKey(2, 3)));
}

// A size of 0 or less, or a level "m" does not hold, leaves no map at all,
// never the grid and objects of the level before.
TEST_F(LevelLoaderTest, MissingOrSizelessLevelHasNoMap) {
  Level sizeless = smallLevel();
  sizeless.width = 0;
  sizeless.cells.assign(5, {});
  source_.install(std::vector<Level>{smallLevel(), sizeless});
  for (int n : {2, 3, 40}) {
    SCOPED_TRACE(n);
    ASSERT_TRUE(WorldRules::loadLevel(1));
    EXPECT_FALSE(WorldRules::loadLevel(n));
    EXPECT_EQ(WorldState::mapWidth, 0);
    EXPECT_EQ(WorldState::mapHeight, 0);
    EXPECT_EQ(WorldState::grid->length(), 0);
    EXPECT_EQ(GameTables::roomObjects->size(), 0);
  }
}

TEST_F(LevelLoaderTest, ShortRecordKeepsWhatWasRead) {
  Level first = smallLevel();
  Level cut = smallLevel();
  cut.exitX = 3;
  cut.alarms = {{4, 1, {{1, 1}}}};
  nv::demodata::Bytes body = cut.encode();
  const std::size_t objectsEnd = 2 + 30 + 2 + 7 * cut.objects.size();
  body.resize(objectsEnd);
  source_.install({first.encode(), body});
  WorldRules::loadLevel(1);
  WorldState::exitX = 1;
  EXPECT_TRUE(WorldRules::loadLevel(2));
  EXPECT_EQ(GameTables::roomObjects->size(), 1);
  EXPECT_EQ(GameTables::alarmLinks->size(), 0);
  EXPECT_EQ(WorldState::exitX, 1);
  EXPECT_EQ(GameTables::levelCounters[0], 5000);
  EXPECT_GE(GameState::levelCounter, GameTables::levelTable[1][0]);
}

TEST_F(LevelLoaderTest, RecordWithoutExitKeepsTheExit) {
  nv::demodata::Bytes body = smallLevel().encode();
  body.resize(body.size() - 9);
  body.push_back(0);
  source_.install({body});
  WorldState::exitX = 4;
  WorldState::exitY = 3;
  WorldRules::loadLevel(1);
  EXPECT_EQ(WorldState::exitX, 4);
  EXPECT_EQ(WorldState::exitY, 3);
}

// Containers sharing (content, amount) split the amount among them; a lone
// container keeps its own.
TEST_F(LevelLoaderTest, SharedLootIsSplitWithinItsGroup) {
  Level level = smallLevel();
  level.objects = {{0, 1, 1, 0, 1, 6},
                   {3, 3, 1, 0, 1, 6},  // a pair of cash 6
                   {0, 1, 3, 0, 2, 9},
                   {3, 3, 3, 0, 2, 9},
                   {7, 5, 3, 0, 2, 9},  // three of jewels 9
                   {7, 5, 1, 0, 5, 4},  // a lone gold 4
                   {1, 0, 4, 0, 0, 0}};
  source_.install(std::vector<Level>{level});
  std::set<int> pairSplits;
  for (int seed = 0; seed < 40; ++seed) {
    nvtest::writable(GameTables::random) = new qel::util::DRandom(seed);
    WorldRules::loadLevel(1);
    const int a = objectAt(1, 1)->amount, b = objectAt(3, 1)->amount;
    EXPECT_EQ(a + b, 6);
    EXPECT_GE(a, 0);
    pairSplits.insert(a);
    EXPECT_EQ(objectAt(1, 3)->amount + objectAt(3, 3)->amount + objectAt(5, 3)->amount, 9);
    EXPECT_EQ(objectAt(5, 1)->amount, 4);
    EXPECT_EQ(GameTables::levelCounters[0], 19000);
  }
  EXPECT_GT(pairSplits.size(), 2u) << "the split is drawn at random";
}

TEST_F(LevelLoaderTest, SplitIsTheSameForTheSameSeed) {
  Level level = smallLevel();
  level.objects = {{0, 1, 1, 0, 1, 60}, {3, 3, 1, 0, 1, 60}, {7, 5, 1, 0, 1, 60}};
  source_.install(std::vector<Level>{level});
  auto split = [] {
    nvtest::writable(GameTables::random) = new qel::util::DRandom(77);
    WorldRules::loadLevel(1);
    return std::vector<int>{
        objectAt(1, 1)->amount, objectAt(3, 1)->amount, objectAt(5, 1)->amount, GameState::levelCounter};
  };
  EXPECT_EQ(split(), split());
}

}  // namespace
}  // namespace nvx
