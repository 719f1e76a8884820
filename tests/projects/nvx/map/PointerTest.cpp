#include "lang/DshortArray2d.h"
#include "platform/system/ActiveDevice.h"
#include "tests/projects/nvx/map/MapFixture.h"
#include "util/DVector.h"

namespace nvx {
namespace {

using PointerTest = MapFixture;

// A zone is hit only strictly inside its edges, in every state, and hands
// its key to that state's update: level play holds it, the map screen's
// right soft key starts the message line; the best results (no name typed)
// and the language screen have no use for the key and leave it pending.
TEST_F(PointerTest, ZoneEdgesPerState) {
  struct State {
    uint8_t state;
    bool (*handled)();
  };
  const auto pending = [] { return MainCanvas::pendingKey == MainCanvas::softKeyRight; };
  const State states[] = {{MainCanvas::stateLevel, [] { return MainCanvas::heldKey == MainCanvas::softKeyRight; }},
                          {MainCanvas::stateMapScreen, [] { return MainCanvas::tickerRunning == 1; }},
                          {MainCanvas::stateBestResults, pending},
                          {MainCanvas::stateLanguage, pending}};
  struct Tap {
    int x, y;
    bool hits;
  };
  // Zone 5 (the right soft key) spans x 100 to 120, y 200 to 210.
  const Tap taps[] = {{101, 201, true},
                      {119, 209, true},
                      {100, 205, false},
                      {120, 205, false},
                      {110, 200, false},
                      {110, 210, false},
                      {0, 0, false}};
  MainCanvas::skipWorldLogic = 1;
  MainCanvas::phase = 0;
  MainCanvas::winnerRow = -1;
  for (const State& state : states) {
    for (const Tap& tap : taps) {
      SCOPED_TRACE(::testing::Message() << int(state.state) << " at " << tap.x << "," << tap.y);
      MainCanvas::heldKey = MainCanvas::noKey;
      MainCanvas::tickerRunning = 0;
      MainCanvas::clearTicker();
      MainCanvas::clearHotZones();
      MainCanvas::setHotZone(5, 100, 200, 20, 10);
      MainCanvas::enter(state.state);
      MainCanvas::pendingKey = MainCanvas::noKey;
      MainCanvas::handlePointer(tap.x, tap.y);
      EXPECT_EQ(state.handled(), tap.hits);
      if (!tap.hits) {
        EXPECT_EQ(MainCanvas::pendingKey, MainCanvas::noKey);
      }
    }
  }
}

// In level play a tap steers the selected person: the longer axis decides,
// a diagonal counts as vertical, and level play's keys hold the arrow.
TEST_F(PointerTest, SteersTheSelectedPerson) {
  MainCanvas::enter(MainCanvas::stateLevel);
  MainCanvas::phase = 0;
  PersonPtr walker = new Person(1);
  walker->x = 3;
  walker->y = 4;
  MainCanvas::selectedPerson = walker;
  int px = 0, py = 0;
  walker->getScreenPosition(px, py);
  struct Row {
    int dx, dy, key;
  };
  const Row rows[] = {{10, 5, 39}, {-10, 5, 37}, {5, 10, 40}, {5, -10, 38}, {6, 6, 40}, {-6, -6, 38}, {0, 0, 38}};
  for (const Row& row : rows) {
    MainCanvas::heldKey = MainCanvas::noKey;
    MainCanvas::handlePointer(px + row.dx, py + row.dy);
    EXPECT_EQ(MainCanvas::pendingKey, row.key) << row.dx << "," << row.dy;
    EXPECT_EQ(MainCanvas::heldKey, row.key) << row.dx << "," << row.dy;
  }
  MainCanvas::selectedPerson.release();
}

// The two top corners: the left one is the map menu (spot 8), the right one
// the break-in (spot 1); the edges toward the map do not belong to them.
TEST_F(PointerTest, CornerSpotsAtTheirEdges) {
  const int leftW = MainCanvas::spriteWidth(MainCanvas::spriteTopLeft);
  const int leftH = MainCanvas::spriteHeight(MainCanvas::spriteTopLeft);
  const int rightX = 240 - MainCanvas::spriteWidth(MainCanvas::spriteTopRight);
  struct Row {
    int x, y, spot;
  };
  const Row rows[] = {{0, 0, 8},
                      {leftW - 1, leftH - 1, 8},
                      {leftW, 0, 0},
                      {0, leftH, 0},
                      {rightX, 0, 1},
                      {239, 5, 1},
                      {rightX - 1, 5, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.x << "," << row.y);
    placeCursorAt(0);
    MainCanvas::mapSpotPending = 0;
    MainCanvas::handlePointer(row.x, row.y);
    EXPECT_EQ(MainCanvas::mapPlace, row.spot);
    EXPECT_EQ(MainCanvas::mapSpotPending, row.spot != 0);
    EXPECT_EQ(MainCanvas::cursorTargetX, MainCanvas::mapPlaces[row.spot][0]);
  }
}

// The tap rectangles of "res.dat" are shifted by the map's offset; left and
// top edges belong to them, right and bottom ones do not.
TEST_F(PointerTest, MapSpotRectangles) {
  for (int id = 1; id <= 4; ++id) offer(id, true);
  const int x0 = MainCanvas::layoutX, y0 = MainCanvas::layoutY;
  struct Row {
    int x, y, spot;
  };
  // Group 0 (the leader, spot 2) is 0, 62, 48 x 50; group 5 (person 1, spot 3) 87, 11, 49 x 38.
  const Row rows[] = {{x0, y0 + 62, 2}, {x0 + 47, y0 + 111, 2}, {x0 + 100, y0 + 20, 3}, {x0 + 60, y0 + 5, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.x << "," << row.y);
    placeCursorAt(0);
    MainCanvas::chosenPerson.release();
    MainCanvas::handlePointer(row.x, row.y);
    EXPECT_EQ(MainCanvas::mapPlace, row.spot);
    if (row.spot >= 2) {
      EXPECT_EQ(MainCanvas::chosenPerson.get(), MainCanvas::persons->at(row.spot - 2).get());
      EXPECT_EQ(MainCanvas::mapSpotPending, 1);
    }
  }
}

TEST_F(PointerTest, JailedOrAbsentPersonsCannotBeTapped) {
  for (int id = 1; id <= 4; ++id) offer(id, true);
  const int x = MainCanvas::layoutX + 100, y = MainCanvas::layoutY + 20;
  MainCanvas::savedIds->addElement(MainCanvas::persons->at(1));
  MainCanvas::handlePointer(x, y);
  EXPECT_EQ(MainCanvas::mapPlace, 0);
  EXPECT_EQ(MainCanvas::mapSpotPending, 0);
  MainCanvas::savedIds->removeAllElements();
  offer(1, false);
  MainCanvas::handlePointer(x, y);
  EXPECT_EQ(MainCanvas::mapPlace, 0);
}

// A second tap on the selected spot acts at once.
TEST_F(PointerTest, TappingTheSelectedSpotActivatesIt) {
  placeCursorAt(1);
  MainCanvas::handlePointer(239, 2);
  EXPECT_EQ(MainCanvas::pendingTransition, 1);
}

// Without the spot rectangles of "res.dat" a tap on the map does nothing.
TEST_F(PointerTest, MapWithoutSpotRectanglesIgnoresTaps) {
  const int x = MainCanvas::layoutX + 10, y = MainCanvas::layoutY + 80;
  MainCanvas::resShortRows = new qel::lang::DshortArray2d(7);
  MainCanvas::handlePointer(x, y);
  EXPECT_EQ(MainCanvas::mapPlace, 0);
  MainCanvas::resShortRows.release();
  MainCanvas::handlePointer(x, y);
  EXPECT_EQ(MainCanvas::mapPlace, 0);
}

// Cells of 20 pixels with gaps of 5 from (30, 100).
TEST_F(PointerTest, ShopGridTaps) {
  MainCanvas::shopMode = 1;
  MainCanvas::shopGridX = 30;
  MainCanvas::shopGridY = 100;
  MainCanvas::shopGapX = 5;
  MainCanvas::shopGapY = 5;
  for (int i = 0; i < 12; ++i) MainCanvas::shopGrid[i % 6][i / 6] = static_cast<int8_t>('h' + i);
  MainCanvas::chosenPerson = MainCanvas::persons->at(1);
  struct Row {
    int x, y, column, row;
  };
  const Row rows[] = {{80, 101, 2, 0}, {179, 149, 5, 1}, {180, 101, 5, 1}, {80, 150, 5, 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.x << "," << row.y);
    gamelib::ScreenCanvas::keyPressedFlag = 1;
    MainCanvas::handlePointer(row.x, row.y);
    EXPECT_EQ(MainCanvas::shopColumn, row.column);
    EXPECT_EQ(MainCanvas::shopRow, row.row);
    EXPECT_EQ(gamelib::ScreenCanvas::keyPressedFlag, 0);
  }
  // A second tap on the selected cell buys its item ('s', price 500).
  MainCanvas::levelTable[MainCanvas::levelNumber - 1][13 + 11] = 1;
  MainCanvas::handlePointer(179, 149);
  EXPECT_EQ(person(1).pockets[0], 's');
  EXPECT_EQ(MainCanvas::money, 3500);
}

TEST_F(PointerTest, LanguageRows) {
  MainCanvas::enter(MainCanvas::stateLanguage);
  MainCanvas::langRowX = 20;
  MainCanvas::langRowWidth = 200;
  MainCanvas::langListTop = 100;
  MainCanvas::langRowHeight = 30;
  const int n = gamelib::LangInfo::languageCount();
  ASSERT_GE(n, 1);
  struct Row {
    int x, y, chosen;
  };
  const Row rows[] = {{20, 100, 0},
                      {219, 129, 0},
                      {219, 100 + 30 * n - 1, n - 1},
                      {220, 110, -1},
                      {19, 110, -1},
                      {50, 100 + 30 * n, -1}};
  for (const Row& row : rows) {
    MainCanvas::languageIndex = 5;
    MainCanvas::handlePointer(row.x, row.y);
    EXPECT_EQ(MainCanvas::languageIndex, row.chosen >= 0 ? row.chosen : 5) << row.x << "," << row.y;
  }
}

// In a window a tap on an item selects it.
TEST_F(PointerTest, DialogItems) {
  MainCanvas::showMapMenu();
  MainCanvas::prepareDialog(0);
  ASSERT_EQ(MainCanvas::gameState, MainCanvas::stateDialog);
  ASSERT_EQ(MainCanvas::itemIds->length(), 3);
  const int second = MainCanvas::contentY + MainCanvas::itemRowHeight(0) + 1;
  MainCanvas::handlePointer(MainCanvas::contentX + 5, second);
  EXPECT_EQ(MainCanvas::selection, 1);
}

// Touch mode follows "input.touchscreen": a Pocket PC has a pen, a
// smartphone only when the platform reports a pointing device.
// The game starts on the language screen, laid out in the device's font.
TEST_F(PointerTest, TouchModeIsWhatTheDeviceReports) {
  gamelib::ScreenCanvas::loadFonts(u"");
  struct Row {
    const char16_t* platform;
    bool pointer;
    uint8_t touch;
  };
  const Row rows[] = {{u"PocketPC", false, 1}, {u"SmartPhone", false, 0}, {u"SmartPhone", true, 1}};
  for (const Row& row : rows) {
    wce::DeviceProfile device;
    device.platformType = row.platform;
    device.touchScreen = row.pointer;
    wce::ScopedDeviceProfile profile(device);
    MainCanvas::touchInput = 7;
    MainCanvas::arrowUp.release();
    MainCanvas::init(new MainCanvas());
    EXPECT_EQ(MainCanvas::touchInput, row.touch);
    EXPECT_EQ(MainCanvas::arrowUp.get() != nullptr, row.touch == 1);
    EXPECT_EQ(MainCanvas::gameState, MainCanvas::stateLanguage);
    MainCanvas::instance.release();
  }
  gamelib::ScreenCanvas::releaseFonts();
}

}  // namespace
}  // namespace nvx
