#include <gtest/gtest.h>

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Path.h"
#include "tests/support/Writable.h"

using namespace qel::lang;
using nvx::GameState;
using nvx::GameTables;
using nvx::MainCanvas;

namespace {

class StaticsTest : public ::testing::Test {
protected:
  void SetUp() override { MainCanvas::initStatics(); }
  void TearDown() override {
    nvtest::writable(GameState::cellSize) = 24;
    MainCanvas::releaseStatics();
  }
};

int32_t rowLength(DObject* row) {
  if (auto* shorts = dynamic_cast<DshortArray*>(row)) return shorts->length();
  if (auto* ints = dynamic_cast<DintArray*>(row)) return ints->length();
  if (auto* bytes = dynamic_cast<DbyteArray*>(row)) return bytes->length();
  if (auto* objects = dynamic_cast<DObjectArray*>(row)) return objects->length();
  return -1;
}

uint32_t codeOf(void (*action)()) {
  try {
    action();
  } catch (const DExceptionBase& e) {
    return e.code();
  }
  return 0;
}

TEST_F(StaticsTest, DerivedValuesOfTheBuiltInTables) {
  EXPECT_EQ(GameState::itemPairCount, 2);
  EXPECT_EQ(GameState::hudOffsetX, -48);
  EXPECT_EQ(GameTables::shopGrid->length(), 6);
  EXPECT_EQ(GameTables::shopGrid->at(5)->length(), 2);
}

TEST_F(StaticsTest, TableShapes) {
  struct Shape {
    const char* name;
    DObjectArray* table;
    int32_t rows;
    int32_t columns;  // -1: rows differ
  };
  const Shape shapes[] = {
      {"spriteTable", GameTables::spriteTable.get(), 53, 6},
      {"mapPlaces", GameTables::mapPlaces.get(), 9, 3},
      {"mapPoints", GameTables::mapPoints.get(), 5, 2},
      {"objectTypeTable", GameTables::objectTypeTable.get(), 29, 7},
      {"hotZones", GameTables::hotZones.get(), 18, 4},
      {"mapRoutes", GameTables::mapRoutes.get(), 9, 4},
      {"mapLinks", GameTables::mapLinks.get(), 4, 4},
      {"itemTable", GameTables::itemTable.get(), 12, 4},
      {"directionSteps", GameTables::directionSteps.get(), 2, 4},
      {"diagonalSteps", GameTables::diagonalSteps.get(), 2, 4},
      {"animationFrames", GameTables::animationFrames.get(), 16, -1},
      {"typeGroups", GameTables::typeGroups.get(), 16, -1},
      {"turnSteps", GameTables::turnSteps.get(), 2, 5},
      {"routeTable", GameTables::routeTable.get(), 5, 3},
      {"objectFallbacks", GameTables::objectFallbacks.get(), 29, -1},
      {"levelTable", GameTables::levelTable.get(), 26, -1},
      {"difficultyTable", GameTables::difficultyTable.get(), 5, 3},
      {"alarmTable", GameTables::alarmTable.get(), 6, 2},
      {"objectChances", GameTables::objectChances.get(), 29, 12},
      {"pictureAreas", GameTables::pictureAreas.get(), 24, -1},
  };
  for (const Shape& shape : shapes) {
    SCOPED_TRACE(shape.name);
    ASSERT_EQ(shape.table->length(), shape.rows);
    if (shape.columns < 0) continue;
    for (int32_t r = 0; r < shape.rows; ++r) {
      auto* row = shape.table->at(r).get();
      ASSERT_NE(row, nullptr);
      EXPECT_EQ(rowLength(row), shape.columns) << r;
    }
  }
  EXPECT_EQ(GameTables::resShortRows->length(), 7);
  EXPECT_TRUE(GameTables::resShortRows->at(0).isNull());
}

TEST_F(StaticsTest, RaggedRowsAndSpotValues) {
  EXPECT_EQ(GameTables::animationFrames->at(13)->length(), 12);
  EXPECT_EQ(GameTables::animationFrames->at(14)->length(), 1);
  EXPECT_EQ(GameTables::animationFrames->at(15)->at(1), 72);
  EXPECT_EQ(GameTables::typeGroups->at(11)->length(), 4);
  EXPECT_EQ(GameTables::objectFallbacks->at(17)->at(0), -1);
  EXPECT_EQ(GameTables::pictureAreas->at(20)->length(), 40);
  // Levels 7, 8, 11, 12, 19 and 26 have a further text.
  for (int32_t level = 0; level < 26; ++level) {
    bool further = level == 6 || level == 7 || level == 10 || level == 11 || level == 18 || level == 25;
    EXPECT_EQ(GameTables::levelTable->at(level)->length(), further ? 27 : 26) << level;
  }
  EXPECT_EQ(GameTables::levelTable->at(25)->at(26), 40);
  EXPECT_EQ(GameTables::levelTable->at(4)->at(12), 11100);
  EXPECT_EQ(GameTables::objectChances->at(27)->at(0), 17);
  EXPECT_EQ(GameTables::objectChances->at(28)->at(0), 0);
  EXPECT_EQ(GameTables::objectTypeTable->at(19)->at(5), 160);
  EXPECT_EQ(GameTables::itemTable->at(8)->at(0), 30000);
  EXPECT_EQ(GameTables::bounceOffsets->at(0), -6);
  EXPECT_EQ(GameTables::colourTable->at(4), 0xff00ee);
  EXPECT_EQ(GameTables::keyCodeList->length(), 14);
  EXPECT_EQ(GameTables::keyCodeList->at(13), 57);
  EXPECT_EQ(GameTables::padLetters->at(2), 't');
  EXPECT_EQ(GameTables::glyphWidths->at(7), 0);
}

TEST_F(StaticsTest, OnlyTheSecondOptionIsSetAtFirst) {
  for (int32_t i = 0; i < GameTables::options->length(); ++i) EXPECT_EQ(GameTables::options->at(i), i == 2) << i;
  EXPECT_EQ(GameTables::options->length(), 16);
}

TEST_F(StaticsTest, NamesOfPicturesAndStores) {
  EXPECT_TRUE(static_cast<DString*>(GameTables::pictureNames->at(0).get())->equals(u"abc"));
  EXPECT_TRUE(static_cast<DString*>(GameTables::pictureNames->at(7).get())->equals(u"pic7"));
  EXPECT_TRUE(GameTables::storeSave->equals(u"save"));
  EXPECT_TRUE(GameTables::storePath->equals(u"path"));
}

TEST_F(StaticsTest, CellSizedSpritesFollowTheCellSizeOfTheMoment) {
  for (int32_t row : {0, 1, 2, 4}) {
    EXPECT_EQ(GameTables::spriteTable->at(row)->at(2), 24);
    EXPECT_EQ(GameTables::spriteTable->at(row)->at(3), 24);
  }
  EXPECT_EQ(GameTables::spriteTable->at(43)->at(2), 7);
  EXPECT_EQ(GameTables::spriteTable->at(43)->at(3), 9);
  EXPECT_EQ(GameTables::spriteTable->at(3)->at(2), 25);

  nvtest::writable(GameState::cellSize) = 32;
  MainCanvas::initStatics();
  EXPECT_EQ(GameTables::spriteTable->at(4)->at(3), 32);
  EXPECT_EQ(GameTables::spriteTable->at(3)->at(2), 25);
}

TEST_F(StaticsTest, DepartureRoutesArePathsAtTheOrigin) {
  auto* step = dynamic_cast<nvx::Path*>(GameTables::routeTable->at(4)->at(0).get());
  ASSERT_NE(step, nullptr);
  EXPECT_EQ(step->getAction(), 1);
  EXPECT_EQ(step->getDirection(), 2);
  EXPECT_EQ(step->x, 0);
  auto* last = dynamic_cast<nvx::Path*>(GameTables::routeTable->at(1)->at(2).get());
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->getAction(), 0);
  EXPECT_EQ(last->getDirection(), 3);
}

TEST_F(StaticsTest, TablesIndexOnlyInside) {
  EXPECT_EQ(codeOf([] { GameTables::objectChances->at(29); }), ExceptionCode::IndexOutOfBounds);
  EXPECT_EQ(codeOf([] { GameTables::objectChances->at(28)->at(12); }), ExceptionCode::ArrayIndexOutOfBounds);
}

TEST_F(StaticsTest, ReleaseDropsTheTablesAndKeepsTheScalars) {
  GameState::money = 1234;
  MainCanvas::releaseStatics();
  EXPECT_TRUE(GameTables::spriteTable.isNull());
  EXPECT_TRUE(GameTables::textCache.isNull());
  EXPECT_TRUE(GameTables::random.isNull());
  EXPECT_EQ(GameState::money, 1234);
  EXPECT_EQ(codeOf([] { GameTables::spriteTable->at(0); }), ExceptionCode::NullPointer);
  GameState::money = 4000;
}

TEST(GameStateTest, WidthsAndInitialValues) {
  static_assert(sizeof(GameState::gameState) == 1 && sizeof(GameState::cellSize) == 2);
  static_assert(sizeof(GameState::mapMessage) == 2 && sizeof(GameState::clockStart) == 8);
  EXPECT_EQ(GameState::gameState, 254);
  EXPECT_EQ(GameState::pendingKey, 999999);
  EXPECT_EQ(GameState::levelNumber, -1);
  EXPECT_EQ(GameState::placeYColumn, 1);
  EXPECT_EQ(GameState::saveSlot, 1);
  // The map screen's message starts at "none".
  EXPECT_EQ(static_cast<uint16_t>(GameState::mapMessage), 65535);
}

}  // namespace
