#include "lang/DbyteArray2d.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/world/Path.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/projects/nvx/store/StoreFixture.h"
#include "util/DEnumeration.h"

namespace nvx {
namespace {

constexpr uint8_t walkEast = Path::Walk | 2 << 3;
constexpr uint8_t workEastSlot1 = Path::Work | 2 << 3 | 1 << 5;
constexpr uint8_t waitNorth = Path::Wait | 1 << 3;

// Level 4 on a 10 x 8 map with the exit at (2, 3), no objects, every plan
// only its placeholder, no crew and nobody in jail.
class LevelInProgressTest : public StoreFixture {
protected:
  void SetUp() override {
    StoreFixture::SetUp();
    GameState::levelNumber = 4;
    WorldState::mapWidth = 10;
    WorldState::mapHeight = 8;
    WorldState::grid = new qel::lang::DbyteArray2d(10, 8);
    WorldState::exitX = 2;
    WorldState::exitY = 3;
    GameState::money = 0;
    GameState::levelEndFlag = 0;
    WorldState::alarmBoxesOff = 0;
    for (int32_t id = 0; id < 5; ++id) person(id).resetPlan();
  }

  // Steps of the kinds given, each run (packed byte, count), then the
  // placeholder: the person's plan.
  static void setPlan(Person& p, const std::vector<std::pair<uint8_t, int32_t>>& runs, uint8_t placeholder = 0) {
    p.steps->removeAllElements();
    for (const auto& [packed, count] : runs)
      for (int32_t i = 0; i < count; ++i)
        p.steps->addElement(new Path(2, 3, packed & 7, (packed >> 3) & 3, packed >> 5));
    p.steps->addElement(new Path(2, 3, placeholder & 7, (placeholder >> 3) & 3, 0));
  }

  static void addObject(int32_t x, int32_t y, int16_t open, int16_t take, int8_t amount) {
    RoomObjectPtr object = new RoomObject(1, x, y, 0, false, 1, amount);
    object->openStamp = open;
    object->takeStamp = take;
    GameTables::roomObjects->put(WorldRules::cellKey(x, y), object);
  }

  // A saved game of level 4 with 900 money, for the fall-backs.
  static void putSavedGame() { putRecords(u"save1", {{0x00, 0x04, 0, 0, 0x03, 0x84, 0x00}, {0x02}}); }

  static Bytes pathRecord() { return record(u"path", 1).value_or(Bytes{}); }
};

// Header of a record with no crew and nobody in jail: level, money,
// outcome, 7 kind counts, alarm time, crew 0, leader's pockets, jailed 0.
constexpr size_t emptyHeader = 1 + 4 + 1 + 28 + 4 + 1 + 3 + 1;

TEST_F(LevelInProgressTest, RecordIsLaidOutFieldByField) {
  GameState::money = 0x01020304;
  GameTables::levelTotals[1] = 100;
  GameTables::levelTotals[6] = 200;
  WorldState::alarmBoxesOff = 5;
  GameTables::activePersons->addElement(GameTables::persons[2]);
  person(2).pockets[0] = 'h';
  person(2).loot[1] = 1;
  person(2).loot[5] = -2;
  person(0).pockets[2] = 'i';
  GameTables::savedIds->addElement(GameTables::persons[3]);
  setPlan(person(1), {{walkEast, 3}, {workEastSlot1, 8}});
  addObject(5, 1, 0, 0, 0);
  addObject(0, 7, 12, 0, 3);
  addObject(9, 0, 1, 2, 1);
  RoomObjectPtr bomb = new RoomObject(RoomObject::bombKind, 4, 4, 3, false, 'q', 0);
  bomb->openStamp = 9;
  GameTables::bombs->put(WorldRules::cellKey(4, 4), bomb);

  GameStore::saveLevelState();
  const Bytes expected{0x04, 0x01, 0x02,     0x03, 0x04,
                       0x00,  // level, money, outcome
                       0,    0,    0,        0,    0,
                       0,    0,    100,      0,    0,
                       0,    0,    0,        0,    0,
                       0,    0,    0,        0,    0,
                       0,    0,    0,        0,  // kind counts 0-5
                       0,    0,    0,        200,  0,
                       0,    0,    5,  // kind count 6, alarm
                       0x01, 0x02, 'h',      't',  't',
                       0,    0,    0,        1,    0,
                       0,    0,    0,        0,    0,
                       0xFF, 0xFE,                        // crew
                       't',  't',  'i',      0x01, 0x03,  // leader, jailed
                       0x00, 0x02, walkEast, 3,    workEastSlot1,
                       8,    0,    0,        0,    0,
                       0,    0,  // plans 1-4
                       0,    12,   0,        0,    3,
                       0,    0,    0,        0,    0,
                       0,    1,    0,        2,    1,  // stamps (0,7) (5,1) (9,0)
                       0x01, 4,    4,        0,    9,
                       0,    0,    'q'};  // bombs
  EXPECT_EQ(pathRecord(), expected);
}

TEST_F(LevelInProgressTest, PlansAreStoredAsRunsOfAtMost126) {
  const struct {
    const char* name;
    std::vector<std::pair<uint8_t, int32_t>> steps;
    uint8_t placeholder;
    Bytes runs;
  } cases[] = {
      {"placeholder only", {}, 0, {0, 0}},
      {"walks then work", {{walkEast, 3}, {workEastSlot1, 8}}, 0, {0, 2, walkEast, 3, workEastSlot1, 8}},
      {"run of exactly 126", {{waitNorth, 126}}, 0, {0, 1, waitNorth, 126}},
      {"run of 127", {{waitNorth, 127}}, 0, {0, 2, waitNorth, 126, waitNorth, 1}},
      {"300 equal steps", {{waitNorth, 300}}, 0, {0, 3, waitNorth, 126, waitNorth, 126, waitNorth, 48}},
      {"steps like the placeholder at the end", {{waitNorth, 2}, {0x08, 4}}, 0x08, {0, 1, waitNorth, 2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    setPlan(person(1), c.steps, c.placeholder);
    GameStore::saveLevelState();
    const Bytes stored = pathRecord();
    ASSERT_EQ(stored.size(), emptyHeader + c.runs.size() + 6 + 1);
    EXPECT_EQ(Bytes(stored.begin() + emptyHeader, stored.begin() + static_cast<long>(emptyHeader + c.runs.size())),
              c.runs);
  }
}

TEST_F(LevelInProgressTest, RoundTripRestoresCrewPlansStampsAndBombs) {
  GameState::money = 12345;
  GameState::levelEndFlag = 3;
  GameTables::levelTotals[2] = 700;
  GameTables::activePersons->addElement(GameTables::persons[1]);
  GameTables::activePersons->addElement(GameTables::persons[0]);
  person(1).pockets[1] = 'j';
  person(1).loot[3] = 4;
  person(0).pockets[0] = 'h';
  GameTables::savedIds->addElement(GameTables::persons[4]);
  setPlan(person(1), {{walkEast, 3}, {workEastSlot1, 8}});
  setPlan(person(2), {{waitNorth, 300}});
  addObject(3, 3, 7, 8, 2);
  RoomObjectPtr bomb = new RoomObject(RoomObject::bombKind, 6, 2, 3, false, 'r', 0);
  bomb->openStamp = 20;
  bomb->takeStamp = 21;
  GameTables::bombs->put(WorldRules::cellKey(6, 2), bomb);
  GameStore::saveLevelState();

  // Another run of the application: fresh persons, the level as loaded.
  for (int32_t id = 0; id < 5; ++id) {
    GameTables::persons[id] = new Person(id);
    person(id).resetPlan();
  }
  GameState::money = 0;
  GameState::levelEndFlag = 0;
  GameTables::levelTotals[2] = 0;
  GameTables::activePersons->removeAllElements();
  GameTables::savedIds->removeAllElements();
  GameTables::bombs->clear();
  GameTables::roomObjects->clear();
  addObject(3, 3, 0, 0, 5);

  GameStore::loadLevelState();
  EXPECT_EQ(GameState::levelNumber, 4);
  EXPECT_EQ(GameState::money, 12345);
  EXPECT_EQ(GameState::levelEndFlag, 3);
  EXPECT_EQ(GameTables::levelTotals[2], 700);
  ASSERT_EQ(GameTables::activePersons->size(), 2);
  EXPECT_EQ(GameTables::activePersons->elementAt(0), GameTables::persons[1].get());
  EXPECT_EQ(GameTables::activePersons->elementAt(1), GameTables::persons[0].get());
  EXPECT_EQ(person(1).pockets[1], 'j');
  EXPECT_EQ(person(1).loot[3], 4);
  EXPECT_EQ(person(1).load, person(1).getPocketsWeight());
  EXPECT_EQ(person(0).pockets[0], 'h');
  ASSERT_EQ(GameTables::savedIds->size(), 1);
  EXPECT_EQ(GameTables::savedIds->elementAt(0), GameTables::persons[4].get());

  // Walks move the cells on; the person stands where the plan ends.
  Person& walker = person(1);
  ASSERT_EQ(walker.steps->size(), 12);
  for (int32_t i = 0; i < 3; ++i) {
    const Path& step = *walker.getStep(i);
    EXPECT_EQ(step.x, 2 + i);
    EXPECT_EQ(step.packed(), walkEast);
  }
  EXPECT_EQ(walker.getStep(3)->x, 5);
  EXPECT_EQ(walker.getStep(10)->packed(), workEastSlot1);
  EXPECT_EQ(walker.getStep(11)->packed(), Path(0, 0, 0, 2, 0).packed());
  EXPECT_EQ(walker.x, 5);
  EXPECT_EQ(walker.y, 3);
  EXPECT_EQ(walker.direction, 2);
  EXPECT_EQ(walker.action, Path::Work);
  EXPECT_EQ(person(2).steps->size(), 301);
  EXPECT_EQ(person(3).steps->size(), 1);

  auto* object = static_cast<RoomObject*>(GameTables::roomObjects->get(WorldRules::cellKey(3, 3)));
  EXPECT_EQ(object->openStamp, 7);
  EXPECT_EQ(object->takeStamp, 8);
  EXPECT_EQ(object->amount, 2);
  auto* restored = static_cast<RoomObject*>(GameTables::bombs->get(WorldRules::cellKey(6, 2)));
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(restored->type, RoomObject::bombKind);
  EXPECT_EQ(restored->facing, 3);
  EXPECT_EQ(restored->openStamp, 20);
  EXPECT_EQ(restored->takeStamp, 21);
  EXPECT_EQ(restored->content, 'r');
}

// A level in progress that cannot be used gives the saved game, every
// person reset, and stays stored.
TEST_F(LevelInProgressTest, UnusableRecordFallsBackToTheSavedGame) {
  setPlan(person(1), {{walkEast, 3}});
  GameStore::saveLevelState();
  const Bytes good = pathRecord();
  ASSERT_EQ(good.size(), emptyHeader + 4 + 6 + 1);
  auto changed = [&](size_t at, uint8_t value) {
    Bytes b = good;
    b[at] = value;
    return b;
  };
  const struct {
    const char* name;
    std::optional<Bytes> stored;
  } cases[] = {
      {"no record", std::nullopt},
      {"cut short", Bytes(good.begin(), good.end() - 3)},
      {"bytes after the end",
       [&] {
         Bytes b = good;
         b.push_back(0);
         return b;
       }()},
      {"run of length 0", changed(emptyHeader + 3, 0)},
      {"run of length 127", changed(emptyHeader + 3, 127)},
      {"walk off the map", changed(emptyHeader + 3, 9)},
      {"unknown step action", changed(emptyHeader + 2, 7)},
      {"item slot 3", changed(emptyHeader + 2, Path::Work | 3 << 5)},
      {"unknown leader item", changed(emptyHeader - 2, 'z')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dropStore(u"path");
    dropStore(u"save1");
    if (c.stored) putRecords(u"path", {*c.stored});
    putSavedGame();
    GameState::levelNumber = 4;
    GameState::money = 1;
    setPlan(person(1), {{walkEast, 3}});
    person(2).pockets[0] = 'h';
    person(2).loot[2] = 3;
    GameStore::loadLevelState();
    EXPECT_EQ(GameState::levelNumber, 4);
    EXPECT_EQ(GameState::money, 900);
    EXPECT_EQ(GameState::retriesLeft, 2);
    EXPECT_EQ(person(1).steps->size(), 1);
    EXPECT_EQ(person(2).pockets[0], Person::emptyPocket);
    EXPECT_EQ(person(2).loot[2], 0);
    EXPECT_EQ(record(u"path", 1), c.stored);
  }
}

// A level in progress of another level is not used: nothing is restored
// or reset, and it stays stored.
TEST_F(LevelInProgressTest, RecordOfAnotherLevelLeavesEverythingUntouched) {
  setPlan(person(1), {{walkEast, 3}});
  GameStore::saveLevelState();
  const Bytes stored = pathRecord();
  putSavedGame();
  GameState::levelNumber = 5;
  GameState::money = 1;
  GameState::retriesLeft = 1;
  setPlan(person(2), {{waitNorth, 2}});
  person(2).pockets[0] = 'h';
  person(2).loot[2] = 3;
  GameStore::loadLevelState();
  EXPECT_EQ(GameState::levelNumber, 5);
  EXPECT_EQ(GameState::money, 1);
  EXPECT_EQ(GameState::retriesLeft, 1);
  EXPECT_EQ(person(1).steps->size(), 4);
  EXPECT_EQ(person(2).steps->size(), 3);
  EXPECT_EQ(person(2).pockets[0], 'h');
  EXPECT_EQ(person(2).loot[2], 3);
  EXPECT_EQ(record(u"path", 1), stored);
}

// Every cut and every flipped byte of a full record is either used or
// refused as a whole: plans and bombs always stay on the map.
TEST_F(LevelInProgressTest, CutOrFlippedRecordsNeverLeaveTheMap) {
  GameTables::activePersons->addElement(GameTables::persons[1]);
  GameTables::savedIds->addElement(GameTables::persons[2]);
  setPlan(person(1), {{walkEast, 3}, {waitNorth, 130}, {workEastSlot1, 2}});
  setPlan(person(4), {{Path::Walk | 3 << 3, 4}});
  addObject(1, 1, 3, 4, 2);
  GameTables::bombs->put(WorldRules::cellKey(7, 6), new RoomObject(RoomObject::bombKind, 7, 6, 3, false, 'q', 0));
  GameStore::saveLevelState();
  const Bytes good = pathRecord();
  putSavedGame();
  std::vector<Bytes> variants;
  for (size_t length = 0; length < good.size(); ++length)
    variants.emplace_back(good.begin(), good.begin() + static_cast<long>(length));
  for (size_t at = 1; at < good.size(); ++at) {
    variants.push_back(good);
    variants.back()[at] = static_cast<uint8_t>(variants.back()[at] ^ 0xFF);
  }
  for (const Bytes& stored : variants) {
    dropStore(u"path");
    putRecords(u"path", {stored});
    GameState::levelNumber = 4;
    GameStore::loadLevelState();
    for (int32_t id = 0; id < 5; ++id) {
      const Person& p = person(id);
      ASSERT_GE(p.steps->size(), 1);
      for (int32_t i = 0; i < p.steps->size(); ++i) {
        const Path& step = *p.getStep(i);
        ASSERT_TRUE(step.x >= 0 && step.x < 10 && step.y >= 0 && step.y < 8) << id << " step " << i;
      }
    }
    for (qel::util::DEnumerationPtr e = GameTables::bombs->elements(); e->hasMoreElements();) {
      const auto* bomb = static_cast<RoomObject*>(e->nextElement());
      ASSERT_TRUE(bomb->x >= 0 && bomb->x < 10 && bomb->y >= 0 && bomb->y < 8);
    }
  }
}

TEST_F(LevelInProgressTest, FailedWriteKeepsTheStoredLevelInProgress) {
  setPlan(person(1), {{walkEast, 2}});
  GameStore::saveLevelState();
  const Bytes before = pathRecord();
  ASSERT_FALSE(before.empty());
  setPlan(person(1), {{walkEast, 3}});
  GameTables::persons[4].release();
  GameStore::saveLevelState();
  EXPECT_EQ(pathRecord(), before);
}

}  // namespace
}  // namespace nvx
