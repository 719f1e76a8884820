#include <gtest/gtest.h>

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Path.h"

using namespace qel::lang;
using nvx::MainCanvas;

namespace {

class StaticsTest : public ::testing::Test {
protected:
  void SetUp() override { MainCanvas::initStatics(); }
  void TearDown() override {
    MainCanvas::cellSize = 24;
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
  EXPECT_EQ(MainCanvas::itemPairCount, 2);
  EXPECT_EQ(MainCanvas::hudOffsetX, -48);
  EXPECT_EQ(MainCanvas::shopGrid->length(), 6);
  EXPECT_EQ(MainCanvas::shopGrid->at(5)->length(), 2);
}

TEST_F(StaticsTest, TableShapes) {
  struct Shape {
    const char* name;
    DObjectArray* table;
    int32_t rows;
    int32_t columns;  // -1: rows differ
  };
  const Shape shapes[] = {
      {"spriteTable", MainCanvas::spriteTable.get(), 53, 6},
      {"mapPlaces", MainCanvas::mapPlaces.get(), 9, 3},
      {"mapPoints", MainCanvas::mapPoints.get(), 5, 2},
      {"objectTypeTable", MainCanvas::objectTypeTable.get(), 29, 7},
      {"hotZones", MainCanvas::hotZones.get(), 18, 4},
      {"mapRoutes", MainCanvas::mapRoutes.get(), 9, 4},
      {"mapLinks", MainCanvas::mapLinks.get(), 4, 4},
      {"itemTable", MainCanvas::itemTable.get(), 12, 4},
      {"directionSteps", MainCanvas::directionSteps.get(), 2, 4},
      {"diagonalSteps", MainCanvas::diagonalSteps.get(), 2, 4},
      {"animationFrames", MainCanvas::animationFrames.get(), 16, -1},
      {"typeGroups", MainCanvas::typeGroups.get(), 16, -1},
      {"turnSteps", MainCanvas::turnSteps.get(), 2, 5},
      {"routeTable", MainCanvas::routeTable.get(), 5, 3},
      {"objectFallbacks", MainCanvas::objectFallbacks.get(), 29, -1},
      {"levelTable", MainCanvas::levelTable.get(), 26, -1},
      {"difficultyTable", MainCanvas::difficultyTable.get(), 5, 3},
      {"alarmTable", MainCanvas::alarmTable.get(), 6, 2},
      {"objectChances", MainCanvas::objectChances.get(), 29, 12},
      {"pictureAreas", MainCanvas::pictureAreas.get(), 24, -1},
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
  EXPECT_EQ(MainCanvas::resShortRows->length(), 7);
  EXPECT_TRUE(MainCanvas::resShortRows->at(0).isNull());
}

TEST_F(StaticsTest, RaggedRowsAndSpotValues) {
  EXPECT_EQ(MainCanvas::animationFrames->at(13)->length(), 12);
  EXPECT_EQ(MainCanvas::animationFrames->at(14)->length(), 1);
  EXPECT_EQ(MainCanvas::animationFrames->at(15)->at(1), 72);
  EXPECT_EQ(MainCanvas::typeGroups->at(11)->length(), 4);
  EXPECT_EQ(MainCanvas::objectFallbacks->at(17)->at(0), -1);
  EXPECT_EQ(MainCanvas::pictureAreas->at(20)->length(), 40);
  // Levels 7, 8, 11, 12, 19 and 26 have a further text.
  for (int32_t level = 0; level < 26; ++level) {
    bool further = level == 6 || level == 7 || level == 10 || level == 11 || level == 18 || level == 25;
    EXPECT_EQ(MainCanvas::levelTable->at(level)->length(), further ? 27 : 26) << level;
  }
  EXPECT_EQ(MainCanvas::levelTable->at(25)->at(26), 40);
  EXPECT_EQ(MainCanvas::levelTable->at(4)->at(12), 11100);
  EXPECT_EQ(MainCanvas::objectChances->at(27)->at(0), 17);
  EXPECT_EQ(MainCanvas::objectChances->at(28)->at(0), 0);
  EXPECT_EQ(MainCanvas::objectTypeTable->at(19)->at(5), 160);
  EXPECT_EQ(MainCanvas::itemTable->at(8)->at(0), 30000);
  EXPECT_EQ(MainCanvas::bounceOffsets->at(0), -6);
  EXPECT_EQ(MainCanvas::colourTable->at(4), 0xff00ee);
  EXPECT_EQ(MainCanvas::keyCodeList->length(), 14);
  EXPECT_EQ(MainCanvas::keyCodeList->at(13), 57);
  EXPECT_EQ(MainCanvas::padLetters->at(2), 't');
  EXPECT_EQ(MainCanvas::glyphWidths->at(7), 0);
}

TEST_F(StaticsTest, OnlyTheSecondOptionIsSetAtFirst) {
  for (int32_t i = 0; i < MainCanvas::options->length(); ++i) EXPECT_EQ(MainCanvas::options->at(i), i == 2) << i;
  EXPECT_EQ(MainCanvas::options->length(), 16);
}

TEST_F(StaticsTest, NamesOfPicturesAndStores) {
  EXPECT_TRUE(static_cast<DString*>(MainCanvas::pictureNames->at(0).get())->equals(u"abc"));
  EXPECT_TRUE(static_cast<DString*>(MainCanvas::pictureNames->at(7).get())->equals(u"pic7"));
  EXPECT_TRUE(MainCanvas::storeSave->equals(u"save"));
  EXPECT_TRUE(MainCanvas::storePath->equals(u"path"));
}

TEST_F(StaticsTest, CellSizedSpritesFollowTheCellSizeOfTheMoment) {
  for (int32_t row : {0, 1, 2, 4}) {
    EXPECT_EQ(MainCanvas::spriteTable->at(row)->at(2), 24);
    EXPECT_EQ(MainCanvas::spriteTable->at(row)->at(3), 24);
  }
  EXPECT_EQ(MainCanvas::spriteTable->at(43)->at(2), 7);
  EXPECT_EQ(MainCanvas::spriteTable->at(43)->at(3), 9);
  EXPECT_EQ(MainCanvas::spriteTable->at(3)->at(2), 25);

  MainCanvas::cellSize = 32;
  MainCanvas::initStatics();
  EXPECT_EQ(MainCanvas::spriteTable->at(4)->at(3), 32);
  EXPECT_EQ(MainCanvas::spriteTable->at(3)->at(2), 25);
}

TEST_F(StaticsTest, DepartureRoutesArePathsAtTheOrigin) {
  auto* step = dynamic_cast<nvx::Path*>(MainCanvas::routeTable->at(4)->at(0).get());
  ASSERT_NE(step, nullptr);
  EXPECT_EQ(step->getAction(), 1);
  EXPECT_EQ(step->getDirection(), 2);
  EXPECT_EQ(step->x, 0);
  auto* last = dynamic_cast<nvx::Path*>(MainCanvas::routeTable->at(1)->at(2).get());
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->getAction(), 0);
  EXPECT_EQ(last->getDirection(), 3);
}

TEST_F(StaticsTest, TablesIndexOnlyInside) {
  EXPECT_EQ(codeOf([] { MainCanvas::objectChances->at(29); }), ExceptionCode::IndexOutOfBounds);
  EXPECT_EQ(codeOf([] { MainCanvas::objectChances->at(28)->at(12); }), ExceptionCode::ArrayIndexOutOfBounds);
}

TEST_F(StaticsTest, ReleaseDropsTheTablesAndKeepsTheScalars) {
  MainCanvas::money = 1234;
  MainCanvas::releaseStatics();
  EXPECT_TRUE(MainCanvas::spriteTable.isNull());
  EXPECT_TRUE(MainCanvas::textCache.isNull());
  EXPECT_TRUE(MainCanvas::random.isNull());
  EXPECT_EQ(MainCanvas::money, 1234);
  EXPECT_EQ(codeOf([] { MainCanvas::spriteTable->at(0); }), ExceptionCode::NullPointer);
  MainCanvas::money = 4000;
}

TEST(GameStateTest, WidthsAndInitialValues) {
  static_assert(sizeof(MainCanvas::gameState) == 1 && sizeof(MainCanvas::cellSize) == 2);
  static_assert(sizeof(MainCanvas::mapMessage) == 2 && sizeof(MainCanvas::clockStart) == 8);
  EXPECT_EQ(MainCanvas::gameState, 254);
  EXPECT_EQ(MainCanvas::pendingKey, 999999);
  EXPECT_EQ(MainCanvas::levelNumber, -1);
  EXPECT_EQ(MainCanvas::placeYColumn, 1);
  EXPECT_EQ(MainCanvas::saveSlot, 1);
  // The map screen's message starts at "none".
  EXPECT_EQ(static_cast<uint16_t>(MainCanvas::mapMessage), 65535);
}

}  // namespace
