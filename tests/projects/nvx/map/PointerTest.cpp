#include "lang/DshortArray2d.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/input/Pointer.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/screens/Overlays.h"
#include "nvx/src/screens/Ticker.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/windows/GameDialogs.h"
#include "platform/system/ActiveDevice.h"
#include "tests/projects/nvx/map/MapFixture.h"
#include "tests/support/Writable.h"
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
  const auto pending = [] { return GameState::pendingKey == KeyInput::softKeyRight; };
  const State states[] = {{StateMachine::stateLevel, [] { return GameState::heldKey == KeyInput::softKeyRight; }},
                          {StateMachine::stateMapScreen, [] { return GameState::tickerRunning == 1; }},
                          {StateMachine::stateBestResults, pending},
                          {StateMachine::stateLanguage, pending}};
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
  nvtest::writable(GameState::skipWorldLogic) = 1;
  WorldState::phase = 0;
  GameState::winnerRow = -1;
  for (const State& state : states) {
    for (const Tap& tap : taps) {
      SCOPED_TRACE(::testing::Message() << int(state.state) << " at " << tap.x << "," << tap.y);
      GameState::heldKey = GameState::noKey;
      nvtest::writable(GameState::tickerRunning) = 0;
      Ticker::clearTicker();
      KeyInput::clearHotZones();
      KeyInput::setHotZone(5, 100, 200, 20, 10);
      StateMachine::enter(state.state);
      GameState::pendingKey = GameState::noKey;
      Pointer::handlePointer(tap.x, tap.y);
      EXPECT_EQ(state.handled(), tap.hits);
      if (!tap.hits) {
        EXPECT_EQ(GameState::pendingKey, GameState::noKey);
      }
    }
  }
}

// In level play a tap steers the selected person: the longer axis decides,
// a diagonal counts as vertical, and level play's keys hold the arrow.
TEST_F(PointerTest, SteersTheSelectedPerson) {
  StateMachine::enter(StateMachine::stateLevel);
  WorldState::phase = 0;
  PersonPtr walker = new Person(1);
  walker->x = 3;
  walker->y = 4;
  WorldState::selectedPerson = walker;
  int px = 0, py = 0;
  walker->getScreenPosition(px, py);
  struct Row {
    int dx, dy, key;
  };
  const Row rows[] = {{10, 5, 39}, {-10, 5, 37}, {5, 10, 40}, {5, -10, 38}, {6, 6, 40}, {-6, -6, 38}, {0, 0, 38}};
  for (const Row& row : rows) {
    GameState::heldKey = GameState::noKey;
    Pointer::handlePointer(px + row.dx, py + row.dy);
    EXPECT_EQ(GameState::pendingKey, row.key) << row.dx << "," << row.dy;
    EXPECT_EQ(GameState::heldKey, row.key) << row.dx << "," << row.dy;
  }
  WorldState::selectedPerson.release();
}

// The two top corners: the left one is the map menu (spot 8), the right one
// the break-in (spot 1); the edges toward the map do not belong to them.
TEST_F(PointerTest, CornerSpotsAtTheirEdges) {
  const int leftW = Overlays::spriteWidth(SpriteRows::spriteTopLeft);
  const int leftH = Overlays::spriteHeight(SpriteRows::spriteTopLeft);
  const int rightX = 240 - Overlays::spriteWidth(SpriteRows::spriteTopRight);
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
    MapScreen::mapSpotPending = 0;
    Pointer::handlePointer(row.x, row.y);
    EXPECT_EQ(GameState::mapPlace, row.spot);
    EXPECT_EQ(MapScreen::mapSpotPending, row.spot != 0);
    EXPECT_EQ(GameState::cursorTargetX, GameTables::mapPlaces[row.spot][0]);
  }
}

// The tap rectangles of "res.dat" are shifted by the map's offset; left and
// top edges belong to them, right and bottom ones do not.
TEST_F(PointerTest, MapSpotRectangles) {
  for (int id = 1; id <= 4; ++id) offer(id, true);
  const int x0 = GameState::layoutX, y0 = GameState::layoutY;
  struct Row {
    int x, y, spot;
  };
  // Group 0 (the leader, spot 2) is 0, 62, 48 x 50; group 5 (person 1, spot 3) 87, 11, 49 x 38.
  const Row rows[] = {{x0, y0 + 62, 2}, {x0 + 47, y0 + 111, 2}, {x0 + 100, y0 + 20, 3}, {x0 + 60, y0 + 5, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.x << "," << row.y);
    placeCursorAt(0);
    WorldState::chosenPerson.release();
    Pointer::handlePointer(row.x, row.y);
    EXPECT_EQ(GameState::mapPlace, row.spot);
    if (row.spot >= 2) {
      EXPECT_EQ(WorldState::chosenPerson.get(), GameTables::persons->at(row.spot - 2).get());
      EXPECT_EQ(MapScreen::mapSpotPending, 1);
    }
  }
}

TEST_F(PointerTest, JailedOrAbsentPersonsCannotBeTapped) {
  for (int id = 1; id <= 4; ++id) offer(id, true);
  const int x = GameState::layoutX + 100, y = GameState::layoutY + 20;
  GameTables::savedIds->addElement(GameTables::persons->at(1));
  Pointer::handlePointer(x, y);
  EXPECT_EQ(GameState::mapPlace, 0);
  EXPECT_EQ(MapScreen::mapSpotPending, 0);
  GameTables::savedIds->removeAllElements();
  offer(1, false);
  Pointer::handlePointer(x, y);
  EXPECT_EQ(GameState::mapPlace, 0);
}

// A second tap on the selected spot acts at once.
TEST_F(PointerTest, TappingTheSelectedSpotActivatesIt) {
  placeCursorAt(1);
  Pointer::handlePointer(239, 2);
  EXPECT_EQ(GameState::pendingTransition, 1);
}

// Without the spot rectangles of "res.dat" a tap on the map does nothing.
TEST_F(PointerTest, MapWithoutSpotRectanglesIgnoresTaps) {
  const int x = GameState::layoutX + 10, y = GameState::layoutY + 80;
  nvtest::writable(GameTables::resShortRows) = new qel::lang::DshortArray2d(7);
  Pointer::handlePointer(x, y);
  EXPECT_EQ(GameState::mapPlace, 0);
  nvtest::writable(GameTables::resShortRows).release();
  Pointer::handlePointer(x, y);
  EXPECT_EQ(GameState::mapPlace, 0);
}

// Cells of 20 pixels with gaps of 5 from (30, 100).
TEST_F(PointerTest, ShopGridTaps) {
  nvtest::writable(GameState::shopMode) = 1;
  MapScreen::shopGridX = 30;
  MapScreen::shopGridY = 100;
  nvtest::writable(MapScreen::shopGapX) = 5;
  nvtest::writable(MapScreen::shopGapY) = 5;
  for (int i = 0; i < 12; ++i) GameTables::shopGrid[i % 6][i / 6] = static_cast<int8_t>('h' + i);
  WorldState::chosenPerson = GameTables::persons->at(1);
  struct Row {
    int x, y, column, row;
  };
  const Row rows[] = {{80, 101, 2, 0}, {179, 149, 5, 1}, {180, 101, 5, 1}, {80, 150, 5, 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.x << "," << row.y);
    gamelib::ScreenCanvas::keyPressedFlag = 1;
    Pointer::handlePointer(row.x, row.y);
    EXPECT_EQ(GameState::shopColumn, row.column);
    EXPECT_EQ(GameState::shopRow, row.row);
    EXPECT_EQ(gamelib::ScreenCanvas::keyPressedFlag, 0);
  }
  // A second tap on the selected cell buys its item ('s', price 500).
  GameTables::levelTable[GameState::levelNumber - 1][13 + 11] = 1;
  Pointer::handlePointer(179, 149);
  EXPECT_EQ(person(1).pockets[0], 's');
  EXPECT_EQ(GameState::money, 3500);
}

TEST_F(PointerTest, LanguageRows) {
  StateMachine::enter(StateMachine::stateLanguage);
  nvtest::writable(GameState::langRowX) = 20;
  nvtest::writable(GameState::langRowWidth) = 200;
  nvtest::writable(GameState::langListTop) = 100;
  nvtest::writable(GameState::langRowHeight) = 30;
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
    GameState::languageIndex = 5;
    Pointer::handlePointer(row.x, row.y);
    EXPECT_EQ(GameState::languageIndex, row.chosen >= 0 ? row.chosen : 5) << row.x << "," << row.y;
  }
}

// In a window a tap on an item selects it.
TEST_F(PointerTest, DialogItems) {
  GameDialogs::showMapMenu();
  DialogWindow::prepareDialog(0);
  ASSERT_EQ(GameState::gameState, StateMachine::stateDialog);
  ASSERT_EQ(DialogWindow::itemIds->length(), 3);
  const int second = DialogWindow::contentY + DialogWindow::itemRowHeight(0) + 1;
  Pointer::handlePointer(DialogWindow::contentX + 5, second);
  EXPECT_EQ(DialogWindow::selection, 1);
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
    nvtest::writable(GameState::touchInput) = 7;
    GameState::arrowUp.release();
    MainCanvas::init(new MainCanvas());
    EXPECT_EQ(GameState::touchInput, row.touch);
    EXPECT_EQ(GameState::arrowUp.get() != nullptr, row.touch == 1);
    EXPECT_EQ(GameState::gameState, StateMachine::stateLanguage);
    MainCanvas::instance.release();
  }
  gamelib::ScreenCanvas::releaseFonts();
}

}  // namespace
}  // namespace nvx
