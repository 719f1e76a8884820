#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/store/GameStore.h"
#include "tests/projects/nvx/store/StoreFixture.h"

namespace nvx {
namespace {

using SavedGameTest = StoreFixture;

struct SaveCase {
  const char* name;
  int8_t difficulty, level;
  int32_t money;
  std::vector<int32_t> jailed;
  int8_t retries;
  Bytes game;
};

TEST_F(SavedGameTest, RecordsAreLaidOutByteForByteInSlotOne) {
  const SaveCase cases[] = {
      {"nobody in jail", 0, 7, 1000000, {}, 3, {0x00, 0x07, 0x00, 0x0F, 0x42, 0x40, 0x00}},
      {"training, two jailed", -1, 3, 50, {3, 1}, 2, {0xFF, 0x03, 0x00, 0x00, 0x00, 0x32, 0x02, 0x03, 0x01}},
      {"negative money", 2, 26, -2, {4}, 0, {0x02, 0x1A, 0xFF, 0xFF, 0xFF, 0xFE, 0x01, 0x04}},
  };
  for (const SaveCase& c : cases) {
    SCOPED_TRACE(c.name);
    GameState::difficulty = c.difficulty;
    GameState::levelNumber = c.level;
    GameState::money = c.money;
    GameState::retriesLeft = c.retries;
    GameTables::savedIds->removeAllElements();
    for (int32_t id : c.jailed) GameTables::savedIds->addElement(GameTables::persons[id]);
    GameStore::saveGame();
    EXPECT_EQ(record(u"save1", 1), c.game);
    EXPECT_EQ(record(u"save1", 2), Bytes{static_cast<uint8_t>(c.retries)});
    EXPECT_EQ(recordCount(u"save1"), 2);
    EXPECT_EQ(GameState::saveExists, 1);
  }
  EXPECT_EQ(record(u"save0", 1), std::nullopt);
}

TEST_F(SavedGameTest, LoadReadsBothRecordsBack) {
  putRecords(u"save1", {{0x01, 0x00, 0x00, 0x01, 0x86, 0xA0, 0x02, 0x04, 0x02}, {0x01}});
  GameState::levelNumber = 1;
  GameStore::loadGame();
  EXPECT_EQ(GameState::difficulty, 1);
  EXPECT_EQ(GameState::levelNumber, 1);  // stored as 0
  EXPECT_EQ(GameState::money, 100000);
  ASSERT_EQ(GameTables::savedIds->size(), 2);
  EXPECT_EQ(GameTables::savedIds->elementAt(0), GameTables::persons[4].get());
  EXPECT_EQ(GameTables::savedIds->elementAt(1), GameTables::persons[2].get());
  EXPECT_EQ(GameState::retriesLeft, 1);
  EXPECT_TRUE(GameStore::hasSave(1));
  EXPECT_FALSE(GameStore::hasSave(2));
}

// A record the game cannot have written is not used and stays as it is.
TEST_F(SavedGameTest, DamagedRecordsCountAsNoSave) {
  const struct {
    const char* name;
    std::vector<Bytes> records;
  } cases[] = {
      {"empty game record", {{}, {0x03}}},
      {"cut inside the money", {{0x00, 0x07, 0x00, 0x0F}, {0x03}}},
      {"fewer ids than counted", {{0x00, 0x07, 0, 0, 0, 1, 0x02, 0x01}, {0x03}}},
      {"bytes after the ids", {{0x00, 0x07, 0, 0, 0, 1, 0x00, 0x00}, {0x03}}},
      {"person id past the persons", {{0x00, 0x07, 0, 0, 0, 1, 0x01, 0x05}, {0x03}}},
      {"unknown difficulty", {{0x05, 0x07, 0, 0, 0, 1, 0x00}, {0x03}}},
      {"level past the last", {{0x00, 0x1B, 0, 0, 0, 1, 0x00}, {0x03}}},
      {"no retries record", {{0x00, 0x07, 0, 0, 0, 1, 0x00}}},
      {"placeholder of a broken first save", {Bytes(25, 0), {0x00}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dropStore(u"save1");
    putRecords(u"save1", c.records);
    GameState::difficulty = 1;
    GameState::levelNumber = 9;
    GameState::money = 777;
    GameState::retriesLeft = 2;
    GameTables::savedIds->removeAllElements();
    GameTables::savedIds->addElement(GameTables::persons[1]);
    GameStore::loadGame();
    EXPECT_EQ(GameState::difficulty, 1);
    EXPECT_EQ(GameState::levelNumber, 9);
    EXPECT_EQ(GameState::money, 777);
    EXPECT_EQ(GameState::retriesLeft, 2);
    EXPECT_EQ(GameTables::savedIds->size(), 1);
    EXPECT_FALSE(GameStore::hasSave(1));
    EXPECT_EQ(record(u"save1", 1), c.records[0]);
  }
}

TEST_F(SavedGameTest, MissingStoreLoadsNothing) {
  GameState::money = 4321;
  GameStore::loadGame();
  EXPECT_EQ(GameState::money, 4321);
  EXPECT_FALSE(GameStore::hasSave(1));
}

// A first save killed between its two records leaves record 1 alone.
TEST_F(SavedGameTest, SavingCompletesAStoreCutShortAfterItsFirstRecord) {
  putRecords(u"save1", {{0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00}});
  EXPECT_FALSE(GameStore::hasSave(1));
  GameState::difficulty = 0;
  GameState::levelNumber = 4;
  GameState::money = 0;
  GameTables::savedIds->removeAllElements();
  GameState::retriesLeft = 2;
  GameStore::saveGame();
  EXPECT_EQ(record(u"save1", 1), (Bytes{0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(record(u"save1", 2), Bytes{0x02});
  EXPECT_TRUE(GameStore::hasSave(1));
}

// A save killed after its pending pair (record 3: the game record's length,
// the game record, the retries) but before records 1 and 2 both took it: the
// pending pair is the save, and reading it finishes the write.
TEST_F(SavedGameTest, APendingPairWinsOverRecordsItHadNotFinished) {
  const Bytes oldGame{0x00, 0x07, 0x00, 0x00, 0x03, 0xE8, 0x00},
      newGame{0x00, 0x08, 0x00, 0x00, 0x07, 0xD0, 0x01, 0x02};
  Bytes pending{0x00, static_cast<uint8_t>(newGame.size())};
  pending.insert(pending.end(), newGame.begin(), newGame.end());
  pending.push_back(0x01);
  for (const Bytes& first : {oldGame, newGame}) {
    dropStore(u"save1");
    putRecords(u"save1", {first, {0x03}, pending});
    GameState::levelNumber = 8;
    GameStore::loadGame();
    EXPECT_EQ(GameState::money, 2000);
    EXPECT_EQ(GameState::retriesLeft, 1);
    ASSERT_EQ(GameTables::savedIds->size(), 1);
    EXPECT_EQ(record(u"save1", 1), newGame);
    EXPECT_EQ(record(u"save1", 2), Bytes{0x01});
    EXPECT_EQ(recordCount(u"save1"), 2);
  }
}

TEST_F(SavedGameTest, SlotCounterRewritesOnlyRecordTwo) {
  const Bytes game{0x00, 0x08, 0, 0, 0x10, 0, 0x00};
  putRecords(u"save1", {game, {0x03}});
  GameState::retriesLeft = 1;
  GameStore::saveSlotCounter();
  EXPECT_EQ(record(u"save1", 1), game);
  EXPECT_EQ(record(u"save1", 2), Bytes{0x01});
}

TEST_F(SavedGameTest, DeleteClearsSaveExistsOnlyWhenAStoreWasThere) {
  GameState::saveExists = 1;
  GameStore::deleteSave();
  EXPECT_EQ(GameState::saveExists, 1);
  GameStore::saveGame();
  GameStore::deleteSave();
  EXPECT_EQ(GameState::saveExists, 0);
  EXPECT_EQ(record(u"save1", 1), std::nullopt);

  putRecords(u"path", {{0x07}});
  GameStore::deleteLevelInProgress();
  EXPECT_EQ(record(u"path", 1), std::nullopt);
  GameStore::deleteLevelInProgress();
}

}  // namespace
}  // namespace nvx
