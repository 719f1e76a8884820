#include "lang/DInteger.h"
#include "lang/DShort.h"
#include "lang/DString.h"
#include "lang/DshortArray.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogResults.h"
#include "nvx/src/windows/DialogWindow.h"
#include "tests/projects/nvx/map/MapFixture.h"
#include "tests/support/Writable.h"
#include "util/DVector.h"

namespace nvx {
namespace {

using qel::lang::DShort;
using qel::lang::DString;

// A window opened from the map screen closes with a result.
class MapResultsTest : public MapFixture {
protected:
  void SetUp() override {
    MapFixture::SetUp();
    GameTables::levelTotals = new qel::lang::DintArray(7);
    GameTables::levelCounters = new qel::lang::DintArray(6);
  }

  static bool close(uint8_t dialog, const qel::lang::DObjectPtr& result) {
    StateMachine::enter(StateMachine::stateDialog);
    nvtest::writable(GameState::dialogReturnState) = StateMachine::stateMapScreen;
    nvtest::writable(DialogWindow::dialogId) = dialog;
    DialogWindow::result = result;
    return DialogResults::mapDialogResult();
  }
  static bool chose(uint8_t dialog, int item) { return close(dialog, new DShort(static_cast<int16_t>(item))); }
  static bool pressed(uint8_t dialog, const char16_t* key) { return close(dialog, new DString(key)); }

  static std::vector<int> items() {
    std::vector<int> ids;
    for (int i = 0; DialogWindow::itemIds && i < DialogWindow::itemIds->length(); ++i)
      ids.push_back(DialogWindow::itemIds[i]);
    return ids;
  }
};

TEST_F(MapResultsTest, CancelReturnsToTheMapWithNoOtherEffect) {
  const int money = GameState::money;
  for (uint8_t dialog : {2, 3, 6, 20, 26, 28, 29, 30}) {
    nvtest::writable(DialogWindow::dialogId) = dialog;
    EXPECT_FALSE(close(dialog, nullptr)) << int(dialog);
    EXPECT_EQ(DialogWindow::dialogId, dialog);
  }
  EXPECT_EQ(GameState::money, money);
  EXPECT_EQ(GameState::mapFullRepaint, 1);
}

// Hiring opens the shop for the person, its grid placed from the cell size
// until the panel is painted; dismissing undoes the plan and refunds the
// pockets.
TEST_F(MapResultsTest, PersonsHiredAndDismissed) {
  WorldState::chosenPerson = GameTables::persons->at(2);
  person(2).pockets[0] = 'k';
  MapScreen::shopGridX = MapScreen::shopGridY = 0;
  EXPECT_FALSE(chose(2, 124));
  EXPECT_TRUE(GameTables::activePersons->contains(GameTables::persons->at(2)));
  EXPECT_EQ(GameState::shopMode, 1);
  EXPECT_EQ(GameTables::carrySlots[0], 'k');
  EXPECT_EQ(MapScreen::shopGridX, 24 / 2 + 12);
  EXPECT_EQ(MapScreen::shopGridY, 24 / 2 + 32);
  MapScreen::leaveShop();

  person(2).load = 1;
  EXPECT_FALSE(chose(2, 123));
  EXPECT_FALSE(GameTables::activePersons->contains(GameTables::persons->at(2)));
  EXPECT_EQ(person(2).pockets[0], 't');
  EXPECT_EQ(person(2).load, 0);
  EXPECT_EQ(GameState::money, 4000 + 3000);
}

TEST_F(MapResultsTest, HiringInTrainingShowsTheHintOnce) {
  GameState::difficulty = -1;
  WorldState::chosenPerson = GameTables::persons->at(4);
  EXPECT_TRUE(chose(2, 124));
  EXPECT_EQ(DialogWindow::dialogId, 42);
  GameTables::activePersons->removeAllElements();
  nvtest::writable(DialogWindow::dialogId) = 99;
  EXPECT_FALSE(chose(2, 124));
}

TEST_F(MapResultsTest, PersonDetails) {
  WorldState::chosenPerson = GameTables::persons->at(1);
  EXPECT_TRUE(chose(2, 122));
  EXPECT_EQ(DialogWindow::dialogId, 0);
  EXPECT_EQ(text(DialogWindow::titleText), "Milo");
  EXPECT_EQ(text(DialogWindow::bodyText).rfind("Carries 30. Share 20 percent.", 0), 0u) << text(DialogWindow::bodyText);
}

// Level 7 sells the jewel tip for 300 and the inside story for 200.
TEST_F(MapResultsTest, TipsShop) {
  GameTables::levelTotals[2] = 300;
  GameTables::levelTotals[6] = 200;
  EXPECT_TRUE(chose(20, 230));
  EXPECT_EQ(DialogWindow::dialogId, 26);
  EXPECT_EQ(text(DialogWindow::bodyText), "Buy Where the jewels are for 300?");

  GameState::money = 299;
  EXPECT_TRUE(pressed(26, u"126"));
  EXPECT_EQ(text(DialogWindow::bodyText), "That costs 300, you have 299.");
  EXPECT_EQ(GameTables::levelTotals[2], 300);

  GameState::money = 1000;
  chose(20, 230);
  EXPECT_TRUE(pressed(26, u"126"));
  EXPECT_EQ(GameState::money, 700);
  EXPECT_EQ(GameTables::levelTotals[2], 0);
  EXPECT_EQ(DialogWindow::dialogId, 20);
  EXPECT_EQ(items(), std::vector<int>{234});

  chose(20, 234);
  EXPECT_TRUE(pressed(26, u"126"));
  EXPECT_EQ(GameState::money, 500);
  EXPECT_EQ(DialogWindow::dialogId, 34);
  EXPECT_EQ(text(DialogWindow::bodyText), "Inside story: the owner keeps gold in the back office safe.");
  // Everything bought: the list opens no more.
  nvtest::writable(DialogWindow::dialogId) = 99;
  EXPECT_FALSE(pressed(34, u"126"));
  EXPECT_FALSE(pressed(26, u"127"));
}

TEST_F(MapResultsTest, JobSummary) {
  GameTables::levelCounters[0] = 5000;
  GameTables::levelCounters[2] = 3000;
  GameTables::levelCounters[5] = 2000;
  GameTables::levelTotals[1] = 100;
  EXPECT_TRUE(chose(6, 219));
  EXPECT_EQ(DialogWindow::dialogId, 25);
  EXPECT_EQ(text(DialogWindow::bodyText),
            "The full loot is worth 5000. Tips are still for sale._On the map:_Jewels_Gold___");
}

// Bail costs the person's bail in thousands and releases them.
TEST_F(MapResultsTest, Bail) {
  person(3).loot[0] = 10;
  person(3).pockets[1] = 'h';
  GameTables::savedIds->addElement(GameTables::persons->at(1));
  GameTables::savedIds->addElement(GameTables::persons->at(3));
  EXPECT_FALSE(pressed(29, u"2"));
  EXPECT_TRUE(pressed(29, u"1"));
  EXPECT_EQ(DialogWindow::dialogId, 30);
  EXPECT_EQ(text(DialogWindow::titleText), "Brock");
  EXPECT_EQ(text(DialogWindow::bodyText), "Pay the bail of 10000?");

  GameState::money = 9999;
  EXPECT_TRUE(pressed(30, u"126"));
  EXPECT_EQ(text(DialogWindow::bodyText), "That costs 10000, you have 9999.");
  EXPECT_EQ(GameTables::savedIds->size(), 2);

  GameState::money = 10500;
  EXPECT_FALSE(pressed(30, u"126"));
  EXPECT_EQ(GameState::money, 500);
  EXPECT_EQ(GameTables::savedIds->size(), 1);
  EXPECT_FALSE(GameTables::savedIds->contains(GameTables::persons->at(3)));
  EXPECT_EQ(person(3).pockets[1], 't');
  EXPECT_EQ(GameState::money, 500);
}

// The alarm information is offered while the boxes are hidden; paying takes
// the fee and changes nothing else.
TEST_F(MapResultsTest, AlarmFee) {
  WorldState::alarmBoxesOff = 0;
  EXPECT_FALSE(chose(6, 218));
  WorldState::alarmBoxesOff = 900;
  EXPECT_TRUE(chose(6, 218));
  EXPECT_EQ(DialogWindow::dialogId, 28);
  EXPECT_EQ(text(DialogWindow::bodyText), "Buy the alarm plan for 900?");
  GameState::money = 800;
  EXPECT_TRUE(pressed(28, u"126"));
  EXPECT_EQ(text(DialogWindow::bodyText), "That costs 900, you have 800.");
  GameState::money = 1000;
  EXPECT_FALSE(pressed(28, u"126"));
  EXPECT_EQ(GameState::money, 100);
  EXPECT_EQ(WorldState::alarmBoxesOff, 900);
}

TEST_F(MapResultsTest, LevelEndMenu) {
  struct Row {
    int8_t difficulty;
    int8_t retries;
    std::vector<int> items;
  };
  const Row rows[] = {{1, 2, {192, 191}}, {0, 1, {192, 191}}, {1, 0, {192}}, {-1, 3, {192}}};
  for (const Row& row : rows) {
    GameState::difficulty = row.difficulty;
    GameState::retriesLeft = row.retries;
    EXPECT_TRUE(close(38, new DString(u"126")));
    EXPECT_EQ(DialogWindow::dialogId, 14);
    EXPECT_EQ(text(DialogWindow::titleText), "Nightvault");
    EXPECT_EQ(items(), row.items) << int(row.difficulty) << " " << int(row.retries);
  }
}

// After the result, the arrested of this run are named before the menu.
TEST_F(MapResultsTest, ArrestsReportedBeforeTheLevelEndMenu) {
  GameTables::levelList->addElement(GameTables::persons->at(4));
  GameTables::savedIds->addElement(GameTables::persons->at(4));
  EXPECT_TRUE(pressed(11, u"126"));
  EXPECT_EQ(DialogWindow::dialogId, 14);
  for (int id : {1, 2}) GameTables::savedIds->addElement(GameTables::persons->at(id));
  EXPECT_TRUE(pressed(31, u"126"));
  EXPECT_EQ(DialogWindow::dialogId, 13);
  EXPECT_EQ(text(DialogWindow::bodyText), "Arrested: Pip, Milo and Tessa");
  EXPECT_TRUE(pressed(13, u"126"));
  EXPECT_EQ(DialogWindow::dialogId, 14);
}

TEST_F(MapResultsTest, RetryCountsDownOutsideTheEasyGame) {
  GameState::difficulty = 2;
  GameState::retriesLeft = 2;
  EXPECT_TRUE(chose(14, 191));
  EXPECT_EQ(DialogWindow::dialogId, 35);
  EXPECT_EQ(text(DialogWindow::bodyText), "Try the job again? Retries left: 2");
  EXPECT_EQ(GameState::retriesLeft, 1);
}

// Next level loads the following level and asks for the map screen.
TEST_F(MapResultsTest, NextLevel) {
  GameTables::activePersons->addElement(GameTables::persons->at(2));
  EXPECT_FALSE(chose(14, 192));
  EXPECT_EQ(GameState::levelNumber, 8);
  EXPECT_EQ(GameState::pendingTransition, 3);
  EXPECT_EQ(GameTables::activePersons->size(), 0);
}

// Saving from the map menu keeps the level in progress and leaves for the
// main menu, whose result goes to the title menus.
TEST_F(MapResultsTest, SaveFromTheMapMenu) {
  EXPECT_TRUE(chose(3, 199));
  EXPECT_EQ(DialogWindow::dialogId, 22);
  EXPECT_EQ(GameState::dialogReturnState, StateMachine::stateSplash);
  EXPECT_TRUE(std::filesystem::exists(folder_.user()) && !std::filesystem::is_empty(folder_.user()));
}

TEST_F(MapResultsTest, MapMenuHelpAndOptions) {
  EXPECT_TRUE(chose(3, 209));
  EXPECT_EQ(DialogWindow::dialogId, 0);
  EXPECT_EQ(text(DialogWindow::titleText), "Help");
  EXPECT_TRUE(chose(3, 190));
  EXPECT_EQ(DialogWindow::dialogId, 4);
  EXPECT_FALSE(chose(3, 211));
}

TEST_F(MapResultsTest, PlanningAloneAfterTheNotice) {
  EXPECT_FALSE(pressed(33, u"126"));
  EXPECT_EQ(GameState::pendingTransition, 2);
}

}  // namespace
}  // namespace nvx
