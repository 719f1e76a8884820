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
    MainCanvas::difficulty = c.difficulty;
    MainCanvas::levelNumber = c.level;
    MainCanvas::money = c.money;
    MainCanvas::retriesLeft = c.retries;
    MainCanvas::savedIds->removeAllElements();
    for (int32_t id : c.jailed) MainCanvas::savedIds->addElement(MainCanvas::persons[id]);
    MainCanvas::saveGame();
    EXPECT_EQ(record(u"save1", 1), c.game);
    EXPECT_EQ(record(u"save1", 2), Bytes{static_cast<uint8_t>(c.retries)});
    EXPECT_EQ(recordCount(u"save1"), 2);
    EXPECT_EQ(MainCanvas::saveExists, 1);
  }
  EXPECT_EQ(record(u"save0", 1), std::nullopt);
}

TEST_F(SavedGameTest, LoadReadsBothRecordsBack) {
  putRecords(u"save1", {{0x01, 0x00, 0x00, 0x01, 0x86, 0xA0, 0x02, 0x04, 0x02}, {0x01}});
  MainCanvas::levelNumber = 1;
  MainCanvas::loadGame();
  EXPECT_EQ(MainCanvas::difficulty, 1);
  EXPECT_EQ(MainCanvas::levelNumber, 1);  // stored as 0
  EXPECT_EQ(MainCanvas::money, 100000);
  ASSERT_EQ(MainCanvas::savedIds->size(), 2);
  EXPECT_EQ(MainCanvas::savedIds->elementAt(0), MainCanvas::persons[4].get());
  EXPECT_EQ(MainCanvas::savedIds->elementAt(1), MainCanvas::persons[2].get());
  EXPECT_EQ(MainCanvas::retriesLeft, 1);
  EXPECT_TRUE(MainCanvas::hasSave(1));
  EXPECT_FALSE(MainCanvas::hasSave(2));
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
    MainCanvas::difficulty = 1;
    MainCanvas::levelNumber = 9;
    MainCanvas::money = 777;
    MainCanvas::retriesLeft = 2;
    MainCanvas::savedIds->removeAllElements();
    MainCanvas::savedIds->addElement(MainCanvas::persons[1]);
    MainCanvas::loadGame();
    EXPECT_EQ(MainCanvas::difficulty, 1);
    EXPECT_EQ(MainCanvas::levelNumber, 9);
    EXPECT_EQ(MainCanvas::money, 777);
    EXPECT_EQ(MainCanvas::retriesLeft, 2);
    EXPECT_EQ(MainCanvas::savedIds->size(), 1);
    EXPECT_FALSE(MainCanvas::hasSave(1));
    EXPECT_EQ(record(u"save1", 1), c.records[0]);
  }
}

TEST_F(SavedGameTest, MissingStoreLoadsNothing) {
  MainCanvas::money = 4321;
  MainCanvas::loadGame();
  EXPECT_EQ(MainCanvas::money, 4321);
  EXPECT_FALSE(MainCanvas::hasSave(1));
}

// A first save killed between its two records leaves record 1 alone.
TEST_F(SavedGameTest, SavingCompletesAStoreCutShortAfterItsFirstRecord) {
  putRecords(u"save1", {{0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00}});
  EXPECT_FALSE(MainCanvas::hasSave(1));
  MainCanvas::difficulty = 0;
  MainCanvas::levelNumber = 4;
  MainCanvas::money = 0;
  MainCanvas::savedIds->removeAllElements();
  MainCanvas::retriesLeft = 2;
  MainCanvas::saveGame();
  EXPECT_EQ(record(u"save1", 1), (Bytes{0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(record(u"save1", 2), Bytes{0x02});
  EXPECT_TRUE(MainCanvas::hasSave(1));
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
    MainCanvas::levelNumber = 8;
    MainCanvas::loadGame();
    EXPECT_EQ(MainCanvas::money, 2000);
    EXPECT_EQ(MainCanvas::retriesLeft, 1);
    ASSERT_EQ(MainCanvas::savedIds->size(), 1);
    EXPECT_EQ(record(u"save1", 1), newGame);
    EXPECT_EQ(record(u"save1", 2), Bytes{0x01});
    EXPECT_EQ(recordCount(u"save1"), 2);
  }
}

TEST_F(SavedGameTest, SlotCounterRewritesOnlyRecordTwo) {
  const Bytes game{0x00, 0x08, 0, 0, 0x10, 0, 0x00};
  putRecords(u"save1", {game, {0x03}});
  MainCanvas::retriesLeft = 1;
  MainCanvas::saveSlotCounter();
  EXPECT_EQ(record(u"save1", 1), game);
  EXPECT_EQ(record(u"save1", 2), Bytes{0x01});
}

TEST_F(SavedGameTest, DeleteClearsSaveExistsOnlyWhenAStoreWasThere) {
  MainCanvas::saveExists = 1;
  MainCanvas::deleteSave();
  EXPECT_EQ(MainCanvas::saveExists, 1);
  MainCanvas::saveGame();
  MainCanvas::deleteSave();
  EXPECT_EQ(MainCanvas::saveExists, 0);
  EXPECT_EQ(record(u"save1", 1), std::nullopt);

  putRecords(u"path", {{0x07}});
  MainCanvas::deleteLevelInProgress();
  EXPECT_EQ(record(u"path", 1), std::nullopt);
  MainCanvas::deleteLevelInProgress();
}

}  // namespace
}  // namespace nvx
