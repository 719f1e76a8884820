#include <gtest/gtest.h>

#include "lang/DExceptionBase.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/WorldState.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

// A 240 x 320 screen of 24-pixel cells over a map of the given size.
class ViewScrollTest : public ::testing::Test {
protected:
  void SetUp() override {
    MainCanvas::initStatics();
    nvtest::writable(GameState::cellSize) = 24;
    nvtest::writable(GameState::screenWidth) = 240;
    nvtest::writable(GameState::screenHeight) = nvtest::writable(GameState::viewHeight) =
        nvtest::writable(ViewScene::mapAreaHeight) = 320;
    WorldState::phase = 0;
    GameState::mapPainting = 0;
    nvtest::writable(WorldState::sceneDirtyAgain) = 0;
  }
  void TearDown() override { MainCanvas::releaseStatics(); }

  static void map(int columns, int rows, int originX, int originY) {
    WorldState::mapWidth = static_cast<int8_t>(columns);
    WorldState::mapHeight = static_cast<int8_t>(rows);
    nvtest::writable(WorldState::mapOriginX) = originX;
    nvtest::writable(WorldState::mapOriginY) = originY;
    WorldState::sceneDirty = 0;
  }
};

struct MoveCase {
  const char* what;
  int originX, column;
  bool center, force;
  int expectedX;
};

// The x axis of a 20-column map (480 pixels) on the 240-pixel screen; the
// origin stays within [-240, 0].
TEST_F(ViewScrollTest, ACellNearAnEdgeTurnsThePageWithinTheMap) {
  const MoveCase cases[] = {
      {"cell within half a cell of the far edge: one cell from the near edge", 0, 9, false, false, -192},
      {"cell inside the view: no move", 0, 8, false, false, 0},
      {"cell within half a cell of the near edge: page back", -192, 8, false, false, 0},
      {"page turn past the map's end is clamped", -192, 17, false, false, -240},
      {"already at the map's end: no move", -240, 19, false, false, -240},
      {"page back clamped at the map's start", -48, 2, false, false, 0},
      {"centred on a cell", 0, 10, true, false, -132},
      {"centring near the start is clamped", -100, 1, true, false, 0},
      {"a page turn forced to centre", 0, 9, false, true, -108},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    map(20, 5, c.originX, 100);
    ViewScene::centerViewOn(c.column, 0, c.center, c.force, false);
    EXPECT_EQ(WorldState::mapOriginX, c.expectedX);
    EXPECT_EQ(WorldState::sceneDirty, c.expectedX != c.originX ? 1 : 0);
  }
}

TEST_F(ViewScrollTest, AMapSmallerThanTheViewStaysCentredWhateverIsAsked) {
  for (int direction = 2; direction <= 5; ++direction) {
    map(8, 10, 24, 40);
    ViewScene::scrollView(direction);
    ViewScene::centerViewOn(7, 9, false, false, false);
    ViewScene::centerViewOn(0, 0, true, true, false);
    EXPECT_EQ(WorldState::mapOriginX, (240 - 8 * 24) / 2);
    EXPECT_EQ(WorldState::mapOriginY, (320 - 10 * 24) / 2);
  }
}

TEST_F(ViewScrollTest, ScrollingMovesHalfAViewAndStopsAtTheMapsEdges) {
  map(30, 30, -240, -200);
  ViewScene::scrollView(5);
  EXPECT_EQ(WorldState::mapOriginX, -360);
  ViewScene::scrollView(5);
  EXPECT_EQ(WorldState::mapOriginX, 240 - 30 * 24);
  ViewScene::scrollView(4);
  EXPECT_EQ(WorldState::mapOriginX, -360);
  ViewScene::scrollView(2);
  EXPECT_EQ(WorldState::mapOriginY, -40);
  ViewScene::scrollView(2);
  EXPECT_EQ(WorldState::mapOriginY, 0);
  ViewScene::scrollView(3);
  EXPECT_EQ(WorldState::mapOriginY, -160);
  EXPECT_EQ(WorldState::mapOriginX, -360);
}

// The bottom bar covers y 280..319: rows move and clamp within the 280
// pixels above it, never the full screen height.
TEST_F(ViewScrollTest, TheVerticalAxisUsesTheMapAreaAboveTheBar) {
  nvtest::writable(ViewScene::mapAreaHeight) = 280;
  map(5, 30, 0, 0);
  ViewScene::centerViewOn(0, 11, false, false, false);
  EXPECT_EQ(WorldState::mapOriginY, -240) << "row 11 lies under the bar: the page turns";
  map(5, 30, -400, -400);
  ViewScene::scrollView(3);
  EXPECT_EQ(WorldState::mapOriginY, 280 - 30 * 24) << "the last row ends at the bar's top";
  map(5, 11, 0, 0);
  ViewScene::centerViewOn(0, 0, true, false, false);
  EXPECT_EQ(WorldState::mapOriginY, (280 - 11 * 24) / 2) << "a map shorter than the area is centred in it";
}

TEST_F(ViewScrollTest, AnInvalidationDuringAPaintIsKept) {
  GameState::mapPainting = 1;
  ViewScene::invalidateScene();
  EXPECT_EQ(WorldState::sceneDirty, 1);
  EXPECT_EQ(WorldState::sceneDirtyAgain, 1);
  GameState::mapPainting = 0;
  nvtest::writable(WorldState::sceneDirtyAgain) = 0;
  ViewScene::invalidateScene();
  EXPECT_EQ(WorldState::sceneDirtyAgain, 0);
}

TEST_F(ViewScrollTest, TheSelectionOutsideTheCrewIsRefused) {
  GameState::selectionIndex = 255;
  try {
    ViewScene::selectedFromIndex();
    FAIL() << "no exception";
  } catch (const qel::lang::DExceptionBase& e) {
    EXPECT_EQ(e.code(), 0x05800001u);
  }
}

TEST_F(ViewScrollTest, TheStepClockShowsMinutesAndTwoDigitSeconds) {
  const std::pair<int, const char*> cases[] = {
      {0, "0:00"}, {9, "0:09"}, {59, "0:59"}, {60, "1:00"}, {65, "1:05"}, {599, "9:59"}, {600, "10:00"}};
  for (const auto& [steps, text] : cases) EXPECT_EQ(ViewScene::stepClockText(steps), text) << steps;
}

}  // namespace
}  // namespace nvx
