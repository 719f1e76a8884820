#include <gtest/gtest.h>

#include "lang/DExceptionBase.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"

using nvx::GameState;
using nvx::GameTables;
using nvx::KeyInput;
using nvx::MainCanvas;

namespace {

TEST(KeyInputTest, KeyCodesGiveTheirActions) {
  struct Case {
    int32_t code;
    int32_t action;
  };
  const Case cases[] = {
      {10000, 10000},
      {10001, 10001},
      {10004, 0},
      {10003, 1},
      {'0', 11},
      {'1', 6},
      {'2', 2},
      {'3', 7},
      {'4', 4},
      {'5', 10},
      {'6', 5},
      {'7', 8},
      {'8', 3},
      {'9', 9},
      // Arrows and the select key through the canvas's game actions.
      {38, 2},
      {40, 3},
      {37, 4},
      {39, 5},
      {10002, 10},
      // Raw codes the canvas gives no game action.
      {-2, 2},
      {-3, 3},
      // Return is not select; unmapped codes are no action.
      {13, 999999},
      {'A', 999999},
      {-1, 999999},
      {0, 999999},
      {10005, 999999},
  };
  for (const Case& c : cases) EXPECT_EQ(KeyInput::keyAction(c.code), c.action) << "code " << c.code;
}

TEST(KeyInputTest, ActionOfHeldForgetsTheHeldKey) {
  GameState::heldKey = 53;
  EXPECT_EQ(KeyInput::keyActionOfHeld(38), 2);
  EXPECT_EQ(GameState::heldKey, 999999);
}

class HotZoneTest : public ::testing::Test {
protected:
  void SetUp() override { MainCanvas::initStatics(); }
  void TearDown() override { MainCanvas::releaseStatics(); }
};

TEST_F(HotZoneTest, OnlyPointsStrictlyInsideHitAndTheLowestRowWins) {
  KeyInput::setHotZone(3, 10, 20, 30, 40);  // {10, 40, 20, 60}
  KeyInput::setHotZone(7, 0, 0, 100, 100);
  struct Case {
    int32_t x, y, zone;
  };
  const Case cases[] = {
      {11, 21, 3},
      {39, 59, 3},
      {25, 40, 3},
      // Edges of zone 3 fall to the larger zone 7 behind it.
      {10, 40, 7},
      {40, 40, 7},
      {25, 20, 7},
      {25, 60, 7},
      // Edges of zone 7 and beyond hit nothing.
      {0, 50, -1},
      {50, 0, -1},
      {100, 50, -1},
      {50, 100, -1},
      {-5, -5, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(KeyInput::hotZoneAt(c.x, c.y), c.zone) << c.x << "," << c.y;
  EXPECT_EQ(GameTables::keyCodeList->at(KeyInput::hotZoneAt(25, 40)), 53);
}

TEST_F(HotZoneTest, ArrowZonesNeverStandForKeysAndSurviveClearing) {
  KeyInput::setHotZone(2, 0, 0, 50, 50);
  KeyInput::setHotZone(15, 0, 0, 200, 200);
  EXPECT_EQ(KeyInput::hotZoneAt(100, 100), -1);
  KeyInput::clearHotZones();
  EXPECT_EQ(KeyInput::hotZoneAt(10, 10), -1);
  for (int32_t k = 0; k < 4; ++k) EXPECT_EQ(GameTables::hotZones->at(2)->at(k), 0);
  EXPECT_EQ(GameTables::hotZones->at(15)->at(1), 200);
}

TEST_F(HotZoneTest, AZoneOutsideTheTableIsAnIndexError) {
  for (int32_t index : {-1, 18}) {
    try {
      KeyInput::setHotZone(index, 0, 0, 1, 1);
      ADD_FAILURE() << index;
    } catch (const qel::lang::DExceptionBase& e) {
      EXPECT_EQ(e.code() & qel::lang::ExceptionCode::IndexOutOfBounds, qel::lang::ExceptionCode::IndexOutOfBounds);
    }
  }
}

TEST(KeyInputTest, ItemIndexIsTheLetterFromH) {
  EXPECT_EQ(KeyInput::itemIndex('h'), 0);
  EXPECT_EQ(KeyInput::itemIndex('s'), 11);
  EXPECT_EQ(KeyInput::itemIndex('h' + 200), -56);
}

}  // namespace
