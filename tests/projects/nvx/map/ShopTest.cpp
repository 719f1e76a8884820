#include "lang/DbyteArray.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogWindow.h"
#include "tests/projects/nvx/map/MapFixture.h"
#include "tests/support/Writable.h"
#include "util/DVector.h"

namespace nvx {
namespace {

// The shop open for Milo (person 1, carrying up to 30) on level 7.
class ShopTest : public MapFixture {
protected:
  void SetUp() override {
    MapFixture::SetUp();
    for (int i = 0; i < 12; ++i) GameTables::levelTable[6][13 + i] = 1;
    WorldState::chosenPerson = GameTables::persons->at(1);
    MapScreen::openShop();
    for (int i = 0; i < 12; ++i) GameTables::shopGrid[i % 6][i / 6] = static_cast<int8_t>('h' + i);
  }

  // Select on the cell of item letter.
  static void select(char letter) {
    const int i = letter - 'h';
    GameState::shopColumn = i % 6;
    GameState::shopRow = i / 6;
    StateMachine::enter(StateMachine::stateMapScreen);
    nvtest::writable(DialogWindow::dialogId) = 99;
    GameState::pendingKey = KeyInput::selectKey;
    MapScreen::updateMapScreen();
  }

  static void carry(const char* pockets, int load) {
    for (int s = 0; s < 3; ++s) person(1).pockets[s] = static_cast<int8_t>(pockets[s]);
    person(1).load = static_cast<int8_t>(load);
  }

  static std::string pockets() {
    std::string p;
    for (int s = 0; s < 3; ++s) p += static_cast<char>(person(1).pockets[s]);
    return p;
  }
};

// Items: 'h' crowbar 50 weight 10, 'i' hammer 120 weight 15, 'k' lockpicks
// 3000 weight 1.
TEST_F(ShopTest, BuyAndGiveBack) {
  struct Row {
    const char* pockets;
    int load;
    int money;
    char item;
    const char* pocketsAfter;
    int loadAfter;
    int moneyAfter;
    const char* notice;  // empty: no window
  };
  const Row rows[] = {
      {"itt", 15, 1000, 'i', "ttt", 0, 1120, ""},   // given back at its full price
      {"htt", 10, 4000, 'k', "hkt", 11, 1000, ""},  // bought into the first empty pocket
      {"hhh", 10, 4000, 'k', "hhh", 10, 4000, ""},  // no empty pocket: nothing changes
      {"ttt", 0, 100, 'i', "ttt", 0, 100, "That costs 120, you have 100."},
      {"ttt", 25, 4000, 'i', "ttt", 25, 4000, "Milo can carry only 5 more, the tool weighs 15."},
      {"ttt", 30, 4000, 'i', "ttt", 30, 4000, "Milo cannot carry the tool of weight 15."},
      {"ttt", 35, 4000, 'k', "ttt", 35, 4000, "Milo cannot carry the tool of weight 1."},
      {"ttt", 15, 4000, 'i', "itt", 30, 3880, ""},  // exactly the capacity left
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.pockets << " " << row.item);
    carry(row.pockets, row.load);
    GameState::money = row.money;
    nvtest::writable(MapScreen::shopRepaint) = 0;
    select(row.item);
    EXPECT_EQ(pockets(), row.pocketsAfter);
    EXPECT_EQ(person(1).load, row.loadAfter);
    EXPECT_EQ(GameState::money, row.moneyAfter);
    if (*row.notice) {
      EXPECT_EQ(DialogWindow::dialogId, 0);
      EXPECT_EQ(GameState::gameState, StateMachine::stateDialog);
      EXPECT_EQ(text(DialogWindow::bodyText), row.notice);
    } else {
      EXPECT_EQ(DialogWindow::dialogId, 99);
      EXPECT_EQ(MapScreen::shopRepaint, 1);
    }
  }
}

TEST_F(ShopTest, ItemNotSoldForTheLevel) {
  GameTables::levelTable[6][13 + 3] = 0;
  select('k');
  EXPECT_EQ(pockets(), "ttt");
  EXPECT_EQ(text(DialogWindow::bodyText), "This tool is not sold for this job.");
}

// The money decides before the level: an unaffordable item not sold here
// reports the price.
TEST_F(ShopTest, PriceIsTestedFirst) {
  GameTables::levelTable[6][13 + 3] = 0;
  GameState::money = 100;
  select('k');
  EXPECT_EQ(text(DialogWindow::bodyText), "That costs 3000, you have 100.");
}

// Leaving the shop erases the plan when an item the person had is gone;
// filling an empty pocket keeps it.
TEST_F(ShopTest, LeavingErasesThePlanOnlyWhenAnItemWasGivenBack) {
  struct Row {
    const char* before;
    char item;
    bool erased;
  };
  const Row rows[] = {{"htt", 'h', true}, {"htt", 'k', false}, {"ttt", 'k', false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.before);
    carry(row.before, row.before[0] == 'h' ? 10 : 0);
    MapScreen::openShop();
    person(1).resetPlan();
    for (int i = 0; i < 4; ++i) person(1).steps->addElement(new Path(1, 1, 0, 0, 0));
    select(row.item);
    GameState::pendingKey = KeyInput::softKeyLeft;
    MapScreen::updateMapScreen();
    EXPECT_EQ(GameState::shopMode, 0);
    EXPECT_EQ(person(1).steps->size() == 1, row.erased);
  }
}

TEST_F(ShopTest, SpotDialogOfABomb) {
  GameState::shopColumn = 3;
  GameState::shopRow = 1;
  GameState::pendingKey = KeyInput::softKeyRight;
  MapScreen::updateMapScreen();
  EXPECT_EQ(DialogWindow::dialogId, 0);
  EXPECT_EQ(text(DialogWindow::titleText), "Mini charge");
  EXPECT_EQ(text(DialogWindow::bodyText),
            "Planting the small charge takes " + std::to_string(GameTables::objectChances[0][9]) +
                " steps; it goes off 5 steps later and opens what stands beside it.");
}

TEST_F(ShopTest, SpotDialogListsWhatAnItemWorksOn) {
  GameState::shopColumn = 0;
  GameState::pendingKey = KeyInput::softKeyRight;
  MapScreen::updateMapScreen();
  EXPECT_EQ(DialogWindow::dialogId, 0);
  EXPECT_EQ(text(DialogWindow::titleText), "Crowbar");
  ASSERT_TRUE(DialogWindow::itemIds);
  EXPECT_EQ(DialogWindow::itemIds[0], 81);
  int kinds = 0;
  for (int r = 0; r < GameTables::objectChances->length(); ++r) kinds += r != 11 && GameTables::objectChances[r][0] > 0;
  EXPECT_EQ(DialogWindow::itemIds->length(), kinds + 1);
  for (int i = 1; i <= kinds; ++i) EXPECT_EQ(DialogWindow::itemIds[i], 82);
  EXPECT_EQ(DialogWindow::plainList, 1);
}

}  // namespace
}  // namespace nvx
