#include "DemoLevel.h"
#include "gamelib/Animation.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/world/Path.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/support/Writable.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"

namespace nvx {
namespace {

constexpr uint32_t green = 0x00FF00;  // person 2's trail

class ViewPaintTest : public DemoLevel {
protected:
  // Person 2's plan: walking south through column x from row y, steps steps.
  static PersonPtr plannedWalker(int x, int y, int steps) {
    PersonPtr p = hire(2);
    p->steps->removeAllElements();
    for (int i = 0; i < steps; ++i) p->steps->addElement(new Path(x, y + i, Path::Walk, 3, 0));
    p->steps->addElement(new Path(x, y + steps, 0, 3, 0));
    return p;
  }

  static int cellLeft(int x) { return WorldState::mapOriginX + x * GameState::cellSize; }
  static int cellTop(int y) { return WorldState::mapOriginY + y * GameState::cellSize; }
};

TEST_F(ViewPaintTest, APlanTrailIsDrawnOnlyForTheStepsBeforeTheCurrentOne) {
  openLevel(9, false);
  plannedWalker(2, 1, 4);
  for (int current : {0, 2, 4}) {
    SCOPED_TRACE(current);
    WorldState::stepIndex = static_cast<int16_t>(current);
    WorldState::sceneDirty = 1;
    ViewScene::paintLevel(newScreen()->getGraphics());
    // A step's dots run from its cell's centre to the next one's: the lower
    // half of its own cell is its alone.
    for (int step = 0; step < 4; ++step)
      EXPECT_EQ(nvtest::regionHas(WorldState::trailImage, cellLeft(2), cellTop(1 + step) + 14, 24, 10, green),
                step < current)
          << step;
  }
}

// A guarded cell whose alarm box is missing, and cells too small for the
// twelfth-of-a-cell dot advance, still paint.
TEST_F(ViewPaintTest, DamagedLevelDataPaintsWithoutTheMissingParts) {
  openLevel(9, false);
  WorldState::alarmBoxesOff = 0;
  GameTables::alarmLinks->put(WorldRules::cellKey(2, 2), WorldRules::cellKey(0, 0));
  plannedWalker(2, 1, 3);
  WorldState::stepIndex = 3;
  ViewScene::paintLevel(newScreen()->getGraphics());
  EXPECT_TRUE(nvtest::regionHas(WorldState::trailImage, cellLeft(2), cellTop(1), 24, 72, green));

  nvtest::writable(GameState::cellSize) = 8;
  WorldState::sceneDirty = 1;
  ViewScene::paintLevel(newScreen()->getGraphics());
  EXPECT_EQ(WorldState::sceneDirty, 0);
  nvtest::writable(GameState::cellSize) = 24;
}

// The selected person's take steps add the loot in front of them to the
// forecast once per run of equal steps; the exit hands the loot over.
TEST_F(ViewPaintTest, TheLoadForecastCountsPlannedTakesUntilTheExit) {
  openLevel(9, false);
  const RoomObject* loot = nullptr;
  for (auto e = GameTables::roomObjects->elements(); e->hasMoreElements();) {
    const auto* o = static_cast<RoomObject*>(e->nextElement());
    if (o->content > 0 && o->amount > 0 && GameTables::levelTotals[o->content] < 1 &&
        GameTables::alarmTable[o->content][1] > 0)
      loot = o;
  }
  ASSERT_NE(loot, nullptr);
  const int weight = GameTables::alarmTable[loot->content][1];
  PersonPtr p = hire(2);
  select(p);
  p->steps->removeAllElements();
  for (int i = 0; i < 3; ++i) p->steps->addElement(new Path(loot->x + 1, loot->y, Path::Take, 0, 0));
  p->steps->addElement(new Path(loot->x + 1, loot->y, Path::Wait, 0, 0));
  p->steps->addElement(new Path(loot->x + 1, loot->y, Path::Take, 0, 0));
  p->steps->addElement(new Path(loot->x + 1, loot->y, Path::Wait, 0, 0));
  p->steps->addElement(new Path(WorldState::exitX, WorldState::exitY, Path::Wait, 0, 0));
  p->steps->addElement(new Path(WorldState::exitX, WorldState::exitY, 0, 0, 0));
  const std::pair<int, int> cases[] = {{3, weight}, {5, 2 * weight}, {7, 0}};
  for (const auto& [current, forecast] : cases) {
    WorldState::stepIndex = static_cast<int16_t>(current);
    const Path& at = *static_cast<Path*>(p->steps->elementAt(current));  // where the plan has the person
    p->x = at.x;
    p->y = at.y;
    WorldState::sceneDirty = 1;
    ViewScene::paintLevel(newScreen()->getGraphics());
    EXPECT_EQ(p->planLoad, forecast) << current;
  }
  EXPECT_FALSE(p->target) << "painting leaves the person's target alone";
}

struct ClockCase {
  bool running;
  int overLimit;  // stepIndex minus the limit
  int phase;
  bool red;
};

TEST_F(ViewPaintTest, TheStepClockBlinksRedPastTheLimitInTheLaterPhasesOnly) {
  const ClockCase cases[] = {
      {false, 1, 7, true},
      {false, 1, 11, true},
      {false, 1, 6, false},
      {false, 1, 0, false},
      {false, 0, 7, false},
      {true, 1, 7, true},
      {true, 1, 3, false},
      {true, 0, 9, false},
  };
  openLevel(7, false);
  select(hire(2));
  GameState::levelCounter = 400;
  const int cw = GameTables::spriteTable[ViewScene::clockSprite][2];
  const int ch = GameTables::spriteTable[ViewScene::clockSprite][3];
  const int top = 320 - ch / 2 - GameTables::spriteTable[ViewScene::barSprite][3];
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.running << " " << c.overLimit << " " << c.phase);
    nvtest::writable(GameState::skipWorldLogic) = c.running ? 1 : 0;
    const int limit = c.running ? GameState::levelCounter - 30 : GameTables::levelTable[6][0];
    WorldState::stepIndex = static_cast<int16_t>(limit + c.overLimit);
    nvtest::writable(FrameClock::clockPhase) = static_cast<int8_t>(c.phase);
    qel::lcdui::DImagePtr screen = newScreen();
    ViewScene::paintStepClock(screen->getGraphics());
    // Inside the red box's left margin, clear of the digits.
    EXPECT_EQ(nvtest::sameColour(nvtest::pixel(screen, 240 - cw + 4 - 2 + 1, top + 5), ViewScene::clockAlarmColour),
              c.red);
    EXPECT_FALSE(nvtest::sameColour(nvtest::pixel(screen, 240 - cw - 2 + 1, top + 1), ViewScene::clockAlarmColour));
  }
}

// The frame carries the hand cursor, drawn after the bar and clock as the
// map screen draws it.
TEST_F(ViewPaintTest, TheFrameDrawsTheHandCursorAtTheCursor) {
  openLevel(9, false);
  const auto frame = [](int x, int y) {
    nvtest::writable(MapScreen::cursorX) = x;
    nvtest::writable(MapScreen::cursorY) = y;
    WorldState::sceneDirty = 1;
    qel::lcdui::DImagePtr screen = newScreen();
    ViewScene::paintLevel(screen->getGraphics());
    return screen;
  };
  qel::lcdui::DImagePtr withoutHand = frame(-1000, -1000);
  qel::lcdui::DImagePtr expected = frame(-1000, -1000);
  MapScreen::paintCursor(expected->getGraphics(), 120, 100, 0);
  qel::lcdui::DImagePtr withHand = frame(120, 100);
  bool handShows = false, sameAsExpected = true;
  for (int y = 0; y < 320; ++y) {
    for (int x = 0; x < 240; ++x) {
      handShows = handShows || nvtest::pixel(withHand, x, y) != nvtest::pixel(withoutHand, x, y);
      sameAsExpected = sameAsExpected && nvtest::pixel(withHand, x, y) == nvtest::pixel(expected, x, y);
    }
  }
  EXPECT_TRUE(handShows);
  EXPECT_TRUE(sameAsExpected);
}

TEST_F(ViewPaintTest, ScrollArrowsAppearOnlyAlongAnAxisWhereTheMapIsLarger) {
  struct Case {
    int columns, rows;
    bool across, upDown;
  };
  // 13 rows fit the screen's height but not the map area above the bar.
  const Case cases[] = {
      {20, 5, true, false}, {5, 20, false, true}, {20, 20, true, true}, {10, 11, false, false}, {10, 13, false, true}};
  nvtest::writable(GameState::touchInput) = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.columns << "x" << c.rows);
    for (int zone = 14; zone < 18; ++zone) KeyInput::setHotZone(zone, 0, 0, 0, 0);
    WorldState::mapWidth = static_cast<int8_t>(c.columns);
    WorldState::mapHeight = static_cast<int8_t>(c.rows);
    ViewScene::paintScrollArrows(newScreen()->getGraphics());
    for (int zone = 14; zone < 18; ++zone) {
      const bool expected = zone < 16 ? c.across : c.upDown;
      EXPECT_EQ(GameTables::hotZones[zone][1] > GameTables::hotZones[zone][0], expected) << zone;
    }
  }
}

// With a person selected the touch screen shows the person buttons from
// the right edge instead; the run leaves out the first.
TEST_F(ViewPaintTest, PersonButtonsRegisterTheirZonesFromTheRightEdge) {
  nvtest::writable(GameState::touchInput) = 1;
  openLevel(9, false);
  select(hire(2));
  const int w = GameState::guiImages->getAnimation(4)->box().width;
  for (bool running : {false, true}) {
    SCOPED_TRACE(running);
    nvtest::writable(GameState::skipWorldLogic) = running ? 1 : 0;
    KeyInput::clearHotZones();
    ViewScene::paintLevel(newScreen()->getGraphics());
    const int zones[] = {0, 13, 3, 5};
    for (int i = 0; i < 4; ++i) {
      const bool shown = !(running && i == 0);
      EXPECT_EQ(GameTables::hotZones[zones[i]][0], shown ? 240 - (4 - i) * w : 0) << zones[i];
    }
  }
}

TEST_F(ViewPaintTest, ASceneInvalidatedWhilePaintingIsRebuiltOnceMore) {
  openLevel(9, false);
  // An exit seat: always floor, never an object.
  const int x = WorldState::exitX, y = WorldState::exitY - 1;
  auto paint = [] { ViewScene::paintLevel(newScreen()->getGraphics()); };
  auto probe = [&] { return nvtest::pixel(WorldState::trailImage, cellLeft(x) + 5, cellTop(y) + 14); };
  paint();
  const uint32_t floor = probe();

  GameState::mapPainting = 1;  // an invalidation while a paint is in progress
  ViewScene::invalidateScene();
  GameState::mapPainting = 0;
  paint();
  EXPECT_EQ(WorldState::sceneDirty, 1);

  WorldState::grid[x][y] = 0;  // a wall where the floor was
  paint();
  EXPECT_EQ(WorldState::sceneDirty, 0);
  const uint32_t wall = probe();
  EXPECT_NE(wall, floor);

  WorldState::grid[x][y] = 13;
  paint();
  EXPECT_EQ(probe(), wall) << "no rebuild without invalidation";
}

// Three levels through the frame painter in both modes, dumped as PNG beside
// the test program.
TEST_F(ViewPaintTest, DemoLevelsPaintInPlanningAndInPlayback) {
  const uint32_t van = 0x3a5a8a;
  for (int level : {1, 7, 12}) {
    SCOPED_TRACE(level);
    openLevel(level, false);
    GameTables::activePersons->removeAllElements();
    // Three steps in the exit's column, on the side with room.
    const int firstRow = WorldState::exitY >= 3 ? WorldState::exitY - 3 : WorldState::exitY + 1;
    PersonPtr walker = plannedWalker(WorldState::exitX, firstRow, 3);
    select(walker);
    walker->x = WorldState::exitX;
    walker->y = static_cast<int8_t>(firstRow + 3);
    WorldState::stepIndex = 3;
    WorldRules::stepVehicle();
    qel::lcdui::DImagePtr planning = newScreen();
    ViewScene::paintLevel(planning->getGraphics());
    nvtest::dumpPng(planning, "view-level" + std::to_string(level) + "-planning");
    const int barTop = 320 - GameTables::spriteTable[ViewScene::barSprite][3];
    const bool narrow = WorldState::mapWidth * GameState::cellSize < 240;
    EXPECT_TRUE(nvtest::regionHas(planning, cellLeft(WorldState::exitX), cellTop(firstRow), 24, 72, green));
    EXPECT_FALSE(nvtest::sameColour(nvtest::pixel(planning, 120, barTop + 2), 0)) << "bottom bar";
    if (narrow) {
      EXPECT_TRUE(nvtest::sameColour(nvtest::pixel(planning, 0, 0), ViewScene::planningBackground));
    }

    nvtest::writable(GameState::skipWorldLogic) = 1;
    WorldState::phase = 0;
    WorldRules::stepVehicle();
    WorldState::sceneDirty = 1;
    qel::lcdui::DImagePtr running = newScreen();
    ViewScene::paintLevel(running->getGraphics());
    nvtest::dumpPng(running, "view-level" + std::to_string(level) + "-running");
    if (narrow) {
      EXPECT_TRUE(nvtest::sameColour(nvtest::pixel(running, 0, 0), ViewScene::runningBackground));
    }
    EXPECT_TRUE(nvtest::regionHas(running, WorldState::vehicleX, WorldState::vehicleY, 48, 24, van)) << "vehicle";
    EXPECT_FALSE(nvtest::regionHas(running, cellLeft(WorldState::exitX), cellTop(firstRow), 24, 72, green))
        << "no trails while running";
  }
}

}  // namespace
}  // namespace nvx
