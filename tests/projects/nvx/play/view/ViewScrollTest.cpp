#include <gtest/gtest.h>

#include "lang/DExceptionBase.h"
#include "nvx/src/state/MainCanvas.h"

namespace nvx {
namespace {

// A 240 x 320 screen of 24-pixel cells over a map of the given size.
class ViewScrollTest : public ::testing::Test {
protected:
  void SetUp() override {
    MainCanvas::initStatics();
    MainCanvas::cellSize = 24;
    MainCanvas::screenWidth = 240;
    MainCanvas::screenHeight = MainCanvas::viewHeight = MainCanvas::mapAreaHeight = 320;
    MainCanvas::phase = 0;
    MainCanvas::mapPainting = 0;
    MainCanvas::sceneDirtyAgain = 0;
  }
  void TearDown() override { MainCanvas::releaseStatics(); }

  static void map(int columns, int rows, int originX, int originY) {
    MainCanvas::mapWidth = static_cast<int8_t>(columns);
    MainCanvas::mapHeight = static_cast<int8_t>(rows);
    MainCanvas::mapOriginX = originX;
    MainCanvas::mapOriginY = originY;
    MainCanvas::sceneDirty = 0;
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
    MainCanvas::centerViewOn(c.column, 0, c.center, c.force, false);
    EXPECT_EQ(MainCanvas::mapOriginX, c.expectedX);
    EXPECT_EQ(MainCanvas::sceneDirty, c.expectedX != c.originX ? 1 : 0);
  }
}

TEST_F(ViewScrollTest, AMapSmallerThanTheViewStaysCentredWhateverIsAsked) {
  for (int direction = 2; direction <= 5; ++direction) {
    map(8, 10, 24, 40);
    MainCanvas::scrollView(direction);
    MainCanvas::centerViewOn(7, 9, false, false, false);
    MainCanvas::centerViewOn(0, 0, true, true, false);
    EXPECT_EQ(MainCanvas::mapOriginX, (240 - 8 * 24) / 2);
    EXPECT_EQ(MainCanvas::mapOriginY, (320 - 10 * 24) / 2);
  }
}

TEST_F(ViewScrollTest, ScrollingMovesHalfAViewAndStopsAtTheMapsEdges) {
  map(30, 30, -240, -200);
  MainCanvas::scrollView(5);
  EXPECT_EQ(MainCanvas::mapOriginX, -360);
  MainCanvas::scrollView(5);
  EXPECT_EQ(MainCanvas::mapOriginX, 240 - 30 * 24);
  MainCanvas::scrollView(4);
  EXPECT_EQ(MainCanvas::mapOriginX, -360);
  MainCanvas::scrollView(2);
  EXPECT_EQ(MainCanvas::mapOriginY, -40);
  MainCanvas::scrollView(2);
  EXPECT_EQ(MainCanvas::mapOriginY, 0);
  MainCanvas::scrollView(3);
  EXPECT_EQ(MainCanvas::mapOriginY, -160);
  EXPECT_EQ(MainCanvas::mapOriginX, -360);
}

// The bottom bar covers y 280..319: rows move and clamp within the 280
// pixels above it, never the full screen height.
TEST_F(ViewScrollTest, TheVerticalAxisUsesTheMapAreaAboveTheBar) {
  MainCanvas::mapAreaHeight = 280;
  map(5, 30, 0, 0);
  MainCanvas::centerViewOn(0, 11, false, false, false);
  EXPECT_EQ(MainCanvas::mapOriginY, -240) << "row 11 lies under the bar: the page turns";
  map(5, 30, -400, -400);
  MainCanvas::scrollView(3);
  EXPECT_EQ(MainCanvas::mapOriginY, 280 - 30 * 24) << "the last row ends at the bar's top";
  map(5, 11, 0, 0);
  MainCanvas::centerViewOn(0, 0, true, false, false);
  EXPECT_EQ(MainCanvas::mapOriginY, (280 - 11 * 24) / 2) << "a map shorter than the area is centred in it";
}

TEST_F(ViewScrollTest, AnInvalidationDuringAPaintIsKept) {
  MainCanvas::mapPainting = 1;
  MainCanvas::invalidateScene();
  EXPECT_EQ(MainCanvas::sceneDirty, 1);
  EXPECT_EQ(MainCanvas::sceneDirtyAgain, 1);
  MainCanvas::mapPainting = 0;
  MainCanvas::sceneDirtyAgain = 0;
  MainCanvas::invalidateScene();
  EXPECT_EQ(MainCanvas::sceneDirtyAgain, 0);
}

TEST_F(ViewScrollTest, TheSelectionOutsideTheCrewIsRefused) {
  MainCanvas::selectionIndex = 255;
  try {
    MainCanvas::selectedFromIndex();
    FAIL() << "no exception";
  } catch (const qel::lang::DExceptionBase& e) {
    EXPECT_EQ(e.code(), 0x05800001u);
  }
}

TEST_F(ViewScrollTest, TheStepClockShowsMinutesAndTwoDigitSeconds) {
  const std::pair<int, const char*> cases[] = {
      {0, "0:00"}, {9, "0:09"}, {59, "0:59"}, {60, "1:00"}, {65, "1:05"}, {599, "9:59"}, {600, "10:00"}};
  for (const auto& [steps, text] : cases) EXPECT_EQ(MainCanvas::stepClockText(steps), text) << steps;
}

}  // namespace
}  // namespace nvx
