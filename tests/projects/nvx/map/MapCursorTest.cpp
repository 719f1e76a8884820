#include "tests/projects/nvx/map/MapFixture.h"
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
    for (int id = 0; id < 5; ++id) MainCanvas::persons->at(id) = new Person(id);
    for (int id = 1; id <= 4; ++id) offer(id, true);
    for (int id : row.closed) offer(id, false);
    if (row.firstJailed) MainCanvas::savedIds->addElement(MainCanvas::persons->at(1));
    placeCursorAt(row.from);
    MainCanvas::moveCursor(row.direction);
    EXPECT_EQ(MainCanvas::mapPlace, row.to);
    EXPECT_EQ(MainCanvas::cursorTargetX, MainCanvas::mapPlaces[row.to][0]);
    EXPECT_EQ(MainCanvas::cursorTargetY, MainCanvas::mapPlaces[row.to][1]);
    if (row.to >= 2 && row.to <= 6) {
      EXPECT_EQ(MainCanvas::chosenPerson.get(), MainCanvas::persons->at(row.to - 2).get());
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
    MainCanvas::pendingKey = row.key;
    MainCanvas::updateMapScreen();
    EXPECT_EQ(MainCanvas::mapPlace, row.to) << char(row.key);
    EXPECT_EQ(MainCanvas::pendingKey, MainCanvas::noKey);
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
  ASSERT_EQ(MainCanvas::itemPairCount, 2);
  MainCanvas::shopMode = 1;
  MainCanvas::shopGridX = 30;
  MainCanvas::shopGridY = 100;
  MainCanvas::shopGapX = 5;
  MainCanvas::shopGapY = 5;
  for (int c = 0; c < 6; ++c)
    for (int r = 0; r < 2; ++r) MainCanvas::shopGrid[c][r] = static_cast<int8_t>('h' + r * 6 + c);
  for (const Row& row : rows) {
    MainCanvas::shopColumn = row.column;
    MainCanvas::shopRow = row.row;
    MainCanvas::moveCursor(row.direction);
    EXPECT_EQ(MainCanvas::shopColumn, row.toColumn);
    EXPECT_EQ(MainCanvas::shopRow, row.toRow);
    // Cells are 20 pixels with gaps of 5; the cursor goes to the cell's middle.
    EXPECT_EQ(MainCanvas::cursorTargetX, 30 + 25 * row.toColumn + 10);
    EXPECT_EQ(MainCanvas::cursorTargetY, 100 + 25 * row.toRow + 10);
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
    MainCanvas::cursorX = 100;
    MainCanvas::cursorY = 50;
    MainCanvas::cursorTargetX = 100 + row.distance;
    MainCanvas::cursorTargetY = 50;
    MainCanvas::mapCursorArrived = 0;
    for (size_t i = 0; i < row.positions.size(); ++i) {
      EXPECT_EQ(MainCanvas::mapCursorArrived, 0);
      MainCanvas::tickMapScreen();
      EXPECT_EQ(MainCanvas::cursorX, 100 + row.positions[i]) << "phase change " << i;
    }
    EXPECT_EQ(MainCanvas::mapCursorArrived, 1);
    MainCanvas::tickMapScreen();
    EXPECT_EQ(MainCanvas::cursorX, MainCanvas::cursorTargetX);
  }
}

// A tapped spot acts on the phase change on which the cursor arrives.
TEST_F(MapCursorTest, PendingSpotActsOnArrival) {
  placeCursorAt(1);
  MainCanvas::cursorX -= 5;
  MainCanvas::mapSpotPending = 1;
  for (int i = 0; i < 3; ++i) {
    MainCanvas::tickMapScreen();
    EXPECT_EQ(MainCanvas::pendingTransition, 0) << i;
  }
  MainCanvas::tickMapScreen();
  EXPECT_EQ(MainCanvas::pendingTransition, 1);
  EXPECT_EQ(MainCanvas::mapSpotPending, 0);
}

// Select on a place waits until the gliding cursor has reached it.
TEST_F(MapCursorTest, SelectActsOnlyOnceTheCursorHasArrived) {
  placeCursorAt(1);
  MainCanvas::cursorY += 3;
  MainCanvas::pendingKey = MainCanvas::selectKey;
  MainCanvas::updateMapScreen();
  EXPECT_EQ(MainCanvas::pendingTransition, 0);
  placeCursorAt(1);
  MainCanvas::pendingKey = '5';
  MainCanvas::updateMapScreen();
  EXPECT_EQ(MainCanvas::pendingTransition, 1);
}

}  // namespace
}  // namespace nvx
