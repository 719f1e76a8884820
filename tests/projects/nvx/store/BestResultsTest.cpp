#include "lang/DshortArray.h"
#include "lang/DshortArray2d.h"
#include "nvx/src/store/GameStore.h"
#include "tests/projects/nvx/store/StoreFixture.h"

namespace nvx {
namespace {

using BestResultsTest = StoreFixture;

qel::lang::DshortArrayPtr glyphs(std::initializer_list<int16_t> values) {
  qel::lang::DshortArrayPtr row = new qel::lang::DshortArray(static_cast<int32_t>(values.size()));
  int32_t i = 0;
  for (int16_t v : values) row[i++] = v;
  return row;
}

qel::lang::DintArrayPtr scores(std::initializer_list<int32_t> values) {
  qel::lang::DintArrayPtr array = new qel::lang::DintArray(static_cast<int32_t>(values.size()));
  int32_t i = 0;
  for (int32_t v : values) array[i++] = v;
  return array;
}

TEST_F(BestResultsTest, NinetyBytesWithNamesPaddedOrCutToFiveGlyphs) {
  qel::lang::DObjectArrayPtr names = new qel::lang::DObjectArray(5);
  names[0] = glyphs({1, 2, 3, 4, 5});
  names[1] = glyphs({6, 7, 8});                    // padded with glyph 0
  names[2] = glyphs({9, 10, 11, 12, 13, 14, 15});  // cut after five
  names[3] = glyphs({300, -1, 0, 0, 52});
  names[4] = glyphs({});
  GameStore::saveBestResults(names, scores({100000, 50000, 30000, 20000, -10}));
  const Bytes expected{0,    1,    0,    2,    0,    3,    0,    4,    0, 5,   //
                       0,    6,    0,    7,    0,    8,    0,    0,    0, 0,   //
                       0,    9,    0,    10,   0,    11,   0,    12,   0, 13,  //
                       0x01, 0x2C, 0xFF, 0xFF, 0,    0,    0,    0,    0, 52,  //
                       0,    0,    0,    0,    0,    0,    0,    0,    0, 0,   //
                       0x00, 0x01, 0x86, 0xA0, 0x00, 0x00, 0xC3, 0x50,         //
                       0x00, 0x00, 0x75, 0x30, 0x00, 0x00, 0x4E, 0x20,         //
                       0xFF, 0xFF, 0xFF, 0xF6,                                 //
                       0,    0,    0,    0,    0,    0,    0,    0,    0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(record(u"winner", 1), expected);

  qel::util::DVectorPtr table = GameStore::loadBestResults();
  ASSERT_EQ(table->size(), 2);
  auto& loadedNames = *static_cast<qel::lang::DshortArray2d*>(table->elementAt(0));
  auto& loadedScores = *static_cast<qel::lang::DintArray*>(table->elementAt(1));
  EXPECT_EQ(loadedNames.at(1).at(2), 8);
  EXPECT_EQ(loadedNames.at(1).at(3), 0);
  EXPECT_EQ(loadedNames.at(2).at(4), 13);
  EXPECT_EQ(loadedNames.at(3).at(0), 300);
  EXPECT_EQ(loadedNames.at(3).at(1), -1);
  EXPECT_EQ(loadedScores.at(0), 100000);
  EXPECT_EQ(loadedScores.at(4), -10);

  names[0] = glyphs({20});
  GameStore::saveBestResults(names, scores({1, 2, 3, 4, 5}));
  EXPECT_EQ(recordCount(u"winner"), 1);
  EXPECT_EQ(record(u"winner", 1)->size(), 90u);
  EXPECT_EQ(record(u"winner", 1)->at(1), 20);
}

TEST_F(BestResultsTest, MissingOrWrongLengthRecordGivesAnEmptyTable) {
  EXPECT_EQ(GameStore::loadBestResults()->size(), 0);
  for (size_t length : {0u, 69u, 71u, 89u, 91u}) {
    SCOPED_TRACE(length);
    dropStore(u"winner");
    putRecords(u"winner", {Bytes(length, 7)});
    EXPECT_EQ(GameStore::loadBestResults()->size(), 0);
    EXPECT_EQ(record(u"winner", 1), Bytes(length, 7));
  }
}

// The names and scores take 70 bytes: a record of only those reads too.
TEST_F(BestResultsTest, SeventyByteRecordReads) {
  Bytes stored(70, 0);
  stored[9] = 42;
  stored[69] = 9;
  putRecords(u"winner", {stored});
  qel::util::DVectorPtr table = GameStore::loadBestResults();
  ASSERT_EQ(table->size(), 2);
  EXPECT_EQ(static_cast<qel::lang::DshortArray2d*>(table->elementAt(0))->at(0).at(4), 42);
  EXPECT_EQ(static_cast<qel::lang::DintArray*>(table->elementAt(1))->at(4), 9);
}

// Too few rows or scores: nothing is written and the stored table stays.
TEST_F(BestResultsTest, IncompleteTableWritesNothing) {
  putRecords(u"winner", {Bytes(90, 1)});
  GameStore::saveBestResults(new qel::lang::DObjectArray(4), scores({1, 2, 3, 4, 5}));
  qel::lang::DObjectArrayPtr names = new qel::lang::DObjectArray(5);
  GameStore::saveBestResults(names, scores({1, 2, 3}));
  EXPECT_EQ(record(u"winner", 1), Bytes(90, 1));
}

}  // namespace
}  // namespace nvx
