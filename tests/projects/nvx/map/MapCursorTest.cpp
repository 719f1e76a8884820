#include "nvx/src/input/KeyInput.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "tests/projects/nvx/map/MapFixture.h"
#include "tests/support/Writable.h"
#include "util/DVector.h"

namespace nvx {
namespace {

using MapCursorTest = MapFixture;

// Moves on the places; a person not offered by the level, or jailed, is
// skipped through the link table in the same direction.
TEST_F(MapCursorTest, RoutesAndSkipLinks) {
  struct Row {
    int from;
    int direction;
    std::vector<int> closed;  // person ids not offered
    bool firstJailed;         // person 1 in jail instead
    int to;
  };
  const Row rows[] = {
      {0, 2, {}, false, 4},      // up from the job menu to person 2
      {0, 0, {}, false, 2},      // left to the leader
      {0, 1, {}, false, 7},      // right to planning
      {0, 2, {2}, false, 3},     // person 2 away: on to person 1 above
      {4, 2, {}, true, 8},       // person 1 jailed: up to the map menu corner
      {5, 0, {1}, false, 4},     // person 1 away: left on to person 2
      {5, 2, {}, false, 1},      // up from person 3 to the break-in corner
      {6, 0, {2}, false, 0},     // person 2 away: left on to the job menu
      {5, 0, {1, 2}, false, 0},  // two skips in a row
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "from " << row.from << " direction " << row.direction);
    MainCanvas::initStatics();
    layOutMap();
    for (int id = 0; id < 5; ++id) GameTables::persons->at(id) = new Person(id);
    for (int id = 1; id <= 4; ++id) offer(id, true);
    for (int id : row.closed) offer(id, false);
    if (row.firstJailed) GameTables::savedIds->addElement(GameTables::persons->at(1));
    placeCursorAt(row.from);
    MapScreen::moveCursor(row.direction);
    EXPECT_EQ(GameState::mapPlace, row.to);
    EXPECT_EQ(GameState::cursorTargetX, GameTables::mapPlaces[row.to][0]);
    EXPECT_EQ(GameState::cursorTargetY, GameTables::mapPlaces[row.to][1]);
    if (row.to >= 2 && row.to <= 6) {
      EXPECT_EQ(WorldState::chosenPerson.get(), GameTables::persons->at(row.to - 2).get());
    }
  }
}

TEST_F(MapCursorTest, KeysMoveTheCursorByAction) {
  struct Row {
    int key;
    int to;
  };
  // From person 2 (place 4): up '2', down '8', left '4', right '6'.
  const Row rows[] = {{'2', 3}, {'8', 0}, {'4', 2}, {'6', 6}};
  for (int id = 1; id <= 4; ++id) offer(id, true);
  for (const Row& row : rows) {
    placeCursorAt(4);
    GameState::pendingKey = row.key;
    MapScreen::updateMapScreen();
    EXPECT_EQ(GameState::mapPlace, row.to) << char(row.key);
    EXPECT_EQ(GameState::pendingKey, GameState::noKey);
  }
}

// The shop cursor wraps at six columns and at the item rows.
TEST_F(MapCursorTest, ShopColumnAndRowWrap) {
  struct Row {
    int column, row, direction;
    int toColumn, toRow;
  };
  const Row rows[] = {
      {0, 0, 0, 5, 0},
      {5, 0, 1, 0, 0},
      {2, 0, 1, 3, 0},
      {3, 1, 0, 2, 1},
      {0, 0, 2, 0, 1},
      {4, 1, 3, 4, 0},
      {4, 0, 3, 4, 1},
      {1, 1, 2, 1, 0},
  };
  ASSERT_EQ(GameState::itemPairCount, 2);
  nvtest::writable(GameState::shopMode) = 1;
  MapScreen::shopGridX = 30;
  MapScreen::shopGridY = 100;
  nvtest::writable(MapScreen::shopGapX) = 5;
  nvtest::writable(MapScreen::shopGapY) = 5;
  for (int c = 0; c < 6; ++c)
    for (int r = 0; r < 2; ++r) GameTables::shopGrid[c][r] = static_cast<int8_t>('h' + r * 6 + c);
  for (const Row& row : rows) {
    GameState::shopColumn = row.column;
    GameState::shopRow = row.row;
    MapScreen::moveCursor(row.direction);
    EXPECT_EQ(GameState::shopColumn, row.toColumn);
    EXPECT_EQ(GameState::shopRow, row.toRow);
    // Cells are 20 pixels with gaps of 5; the cursor goes to the cell's middle.
    EXPECT_EQ(GameState::cursorTargetX, 30 + 25 * row.toColumn + 10);
    EXPECT_EQ(GameState::cursorTargetY, 100 + 25 * row.toRow + 10);
  }
}

// Each phase change moves the cursor half its way, the last pixel at once.
TEST_F(MapCursorTest, CursorGlideSteps) {
  struct Row {
    int distance;
    std::vector<int> positions;
  };
  const Row rows[] = {
      {5, {2, 3, 4, 5}},
      {-5, {-3, -4, -5}},
      {1, {1}},
      {-1, {-1}},
      {8, {4, 6, 7, 8}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.distance);
    nvtest::writable(MapScreen::cursorX) = 100;
    nvtest::writable(MapScreen::cursorY) = 50;
    GameState::cursorTargetX = 100 + row.distance;
    GameState::cursorTargetY = 50;
    nvtest::writable(MapScreen::mapCursorArrived) = 0;
    for (size_t i = 0; i < row.positions.size(); ++i) {
      EXPECT_EQ(MapScreen::mapCursorArrived, 0);
      MapScreen::tickMapScreen();
      EXPECT_EQ(MapScreen::cursorX, 100 + row.positions[i]) << "phase change " << i;
    }
    EXPECT_EQ(MapScreen::mapCursorArrived, 1);
    MapScreen::tickMapScreen();
    EXPECT_EQ(MapScreen::cursorX, GameState::cursorTargetX);
  }
}

// A tapped spot acts on the phase change on which the cursor arrives.
TEST_F(MapCursorTest, PendingSpotActsOnArrival) {
  placeCursorAt(1);
  nvtest::writable(MapScreen::cursorX) -= 5;
  MapScreen::mapSpotPending = 1;
  for (int i = 0; i < 3; ++i) {
    MapScreen::tickMapScreen();
    EXPECT_EQ(GameState::pendingTransition, 0) << i;
  }
  MapScreen::tickMapScreen();
  EXPECT_EQ(GameState::pendingTransition, 1);
  EXPECT_EQ(MapScreen::mapSpotPending, 0);
}

// Select on a place waits until the gliding cursor has reached it.
TEST_F(MapCursorTest, SelectActsOnlyOnceTheCursorHasArrived) {
  placeCursorAt(1);
  nvtest::writable(MapScreen::cursorY) += 3;
  GameState::pendingKey = KeyInput::selectKey;
  MapScreen::updateMapScreen();
  EXPECT_EQ(GameState::pendingTransition, 0);
  placeCursorAt(1);
  GameState::pendingKey = '5';
  MapScreen::updateMapScreen();
  EXPECT_EQ(GameState::pendingTransition, 1);
}

}  // namespace
}  // namespace nvx
