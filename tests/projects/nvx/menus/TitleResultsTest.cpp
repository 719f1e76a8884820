#include <functional>
#include <gtest/gtest.h>

#include "MenusFixture.h"
#include "lang/DShort.h"
#include "lang/DString.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogResults.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/windows/GameDialogs.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

using Bytes = std::vector<uint8_t>;

std::vector<int> idsOf(const qel::lang::DshortArrayPtr& ids) {
  if (!ids) return {};
  return std::vector<int>(ids->data(), ids->data() + ids->length());
}

std::vector<int> glyphs(const qel::lang::DshortArrayPtr& text) {
  if (!text) return {};
  return std::vector<int>(text->data(), text->data() + text->length());
}

qel::lang::DObjectPtr item(int16_t id) { return new qel::lang::DShort(id); }
qel::lang::DObjectPtr text(const char16_t* t) { return new qel::lang::DString(t); }

class TitleResultsTest : public MenusTest {
protected:
  // A window of the title menus closed with the result.
  void close(int32_t dialogId, const qel::lang::DObjectPtr& result) {
    DialogWindow::openDialog(
        static_cast<uint8_t>(dialogId), nullptr, 1, nullptr, new qel::lang::DshortArray(1, 0, 126), 129);
    DialogWindow::result = result;
    DialogResults::dispatchDialogResult();
  }
};

// What each choice of the title menus opens or starts, and what it stores.
TEST_F(TitleResultsTest, EachTitleMenuChoiceLeadsToItsNextWindowOrState) {
  struct Case {
    const char* what;
    int32_t dialog;
    qel::lang::DObjectPtr result;
    std::function<void()> before;
    int32_t nextDialog;  // -1: no window is open afterwards
    std::vector<int> items;
    int32_t state;
    int32_t transition;
  };
  const int dialogState = StateMachine::stateDialog;
  const Case cases[] = {
      {"new game, nothing saved",
       22,
       item(200),
       [] { GameState::saveExists = 0; },
       37,
       {201, 195, 196, 197},
       dialogState,
       0},
      {"new game over a saved one", 22, item(200), [] { GameState::saveExists = 1; }, 27, {193, 194}, dialogState, 0},
      {"best results", 22, item(203), [] {}, 45, {214, 215}, dialogState, 0},
      {"best results with the third entry",
       22,
       item(203),
       [] { nvtest::writable(GameState::bestResultsExtra) = 1; },
       45,
       {214, 215, 216},
       dialogState,
       0},
      {"options", 22, item(208), [] {}, 4, {212, -2, -1}, dialogState, 0},
      {"help", 22, item(209), [] {}, 0, {}, dialogState, 0},
      {"info", 22, item(210), [] {}, 21, {}, dialogState, 0},
      {"about", 22, item(202), [] {}, 21, {}, dialogState, 0},
      {"info picture", 22, item(301), [] {}, 21, {}, dialogState, 0},
      {"an unknown item", 22, item(999), [] {}, -1, {}, StateMachine::stateSplash, 0},
      {"info closed", 21, text(u"126"), [] {}, 22, {}, dialogState, 0},
      {"options closed", 4, text(u"true;true;true;"), [] {}, 22, {}, dialogState, 0},
      {"continue refused: new game", 27, item(194), [] {}, 37, {201, 195, 196, 197}, dialogState, 0},
      {"difficulty list cancelled", 37, nullptr, [] {}, -1, {}, StateMachine::stateSplash, 0},
      {"show the best results", 45, item(214), [] {}, -1, {}, StateMachine::stateBestResults, 0},
      {"reset the best results", 45, item(215), [] {}, -1, {}, StateMachine::stateBestResults, 0},
      {"the third best-results entry", 45, item(216), [] {}, -1, {}, dialogState, 4},
      {"best-results menu cancelled", 45, nullptr, [] {}, 22, {}, dialogState, 0},
      {"start question answered no", 48, text(u"127"), [] {}, 22, {}, dialogState, 0},
      {"start question on the first run",
       48,
       text(u"127"),
       [] { GameState::optionsMissing = 1; },
       21,
       {},
       dialogState,
       0},
      {"help closed", 0, text(u"126"), [] {}, -1, {}, StateMachine::stateSplash, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StateMachine::enter(StateMachine::stateSplash);
    GameState::pendingTransition = 0;
    GameState::saveExists = 0;
    nvtest::writable(GameState::bestResultsExtra) = 0;
    GameState::optionsMissing = 0;
    c.before();
    close(c.dialog, c.result);
    EXPECT_EQ(GameState::gameState, c.state);
    EXPECT_EQ(GameState::pendingTransition, c.transition);
    if (c.nextDialog >= 0) {
      EXPECT_EQ(DialogWindow::dialogId, c.nextDialog);
      EXPECT_EQ(GameState::dialogReturnState, StateMachine::stateSplash);
      if (!c.items.empty()) {
        EXPECT_EQ(idsOf(DialogWindow::itemIds), c.items);
      }
    }
  }
}

TEST_F(TitleResultsTest, AboutShowsTheVersionAndTheSupportAddress) {
  close(22, item(202));
  ASSERT_EQ(DialogWindow::dialogId, 21);
  qel::lang::DObjectArrayPtr params = new qel::lang::DObjectArray(2);
  params->at(0) = new qel::lang::DString(u"v1.1");
  params->at(1) = new qel::lang::DString(u"help@nv.invalid");
  EXPECT_EQ(glyphs(DialogWindow::bodyText), glyphs(BitmapText::formatText(144, params)));
  EXPECT_EQ(glyphs(DialogWindow::titleText), glyphs(LanguageTexts::getText(202)));
}

TEST_F(TitleResultsTest, ExitFromTheMainMenuEndsWithoutSavingTheLevelInProgress) {
  GameState::saveOnExit = 1;
  close(22, item(211));
  EXPECT_TRUE(gamelib::GameLib::exiting);
  EXPECT_EQ(GameState::saveOnExit, 0);
}

TEST_F(TitleResultsTest, OptionsChosenByKeysAreStoredAndReadBack) {
  GameState::sounds->setSfxVolume(30);
  GameState::sounds->setMusicVolume(50);
  GameState::sounds->play(GameDialogs::titleMusic, true, 0);
  close(22, item(208));
  ASSERT_EQ(DialogWindow::dialogId, 4);
  // The switch off stops the music; on again, it starts once more.
  StateMachine::update('5');
  EXPECT_FALSE(playing(GameDialogs::titleMusic));
  StateMachine::update('5');
  EXPECT_TRUE(playing(GameDialogs::titleMusic));
  StateMachine::update('8');
  StateMachine::update('6');
  StateMachine::update('8');
  StateMachine::update('4');
  StateMachine::update('4');
  StateMachine::update(KeyInput::softKeyLeft);
  EXPECT_EQ(DialogWindow::dialogId, 22);

  std::vector<uint8_t> expected(16, 0);
  for (int i = 0; i < 16; ++i) expected[i] = GameTables::options->at(i) ? 1 : 0;
  expected.push_back(32);
  expected.push_back(32);
  EXPECT_EQ(recordOf(u"option"), expected);

  GameState::sounds->setSfxVolume(64);
  GameState::sounds->setMusicVolume(0);
  GameStore::loadOptions();
  EXPECT_EQ(GameState::sounds->sfxVolume(), 32);
  EXPECT_EQ(GameState::sounds->musicVolume(), 32);
}

TEST_F(TitleResultsTest, ContinueLoadsTheSavedGameAndTheLevelInProgressForTheMapScreen) {
  GameState::difficulty = 1;
  GameState::levelNumber = 9;
  GameState::money = 5000;
  GameState::retriesLeft = 2;
  GameStore::saveGame();
  ASSERT_TRUE(WorldRules::loadLevel(9));
  GameState::money = 4321;
  GameStore::saveLevelState();

  GameState::difficulty = 0;
  GameState::levelNumber = -1;
  GameState::money = 0;
  GameState::retriesLeft = 3;
  GameState::saveExists = 1;
  close(22, item(200));
  ASSERT_EQ(DialogWindow::dialogId, 27);
  close(27, item(193));
  EXPECT_EQ(GameState::difficulty, 1);
  EXPECT_EQ(GameState::levelNumber, 9);
  EXPECT_EQ(GameState::retriesLeft, 2);
  // The level in progress holds the money of the plan being made.
  EXPECT_EQ(GameState::money, 4321);
  EXPECT_EQ(GameState::pendingTransition, 3);
}

TEST_F(TitleResultsTest, ADifficultyStartsANewGameFromItsFirstLevel) {
  struct Case {
    int16_t item;
    int difficulty;
    int level;
    int money;
  };
  const Case cases[] = {{201, -1, 1, 50}, {195, 0, 7, 4000}, {196, 1, 7, 4000}, {197, 2, 7, 4000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    StateMachine::enter(StateMachine::stateSplash);
    GameState::pendingTransition = 0;
    close(37, item(c.item));
    EXPECT_EQ(GameState::difficulty, c.difficulty);
    EXPECT_EQ(GameState::levelNumber, c.level);
    EXPECT_EQ(GameState::money, c.money);
    EXPECT_EQ(GameState::pendingTransition, 3);
    EXPECT_EQ(recordOf(u"save1").size(), 7u);
  }
}

TEST_F(TitleResultsTest, TheStartQuestionAnsweredYesTurnsTheSoundOnAndTheMenuMusicPlays) {
  GameState::sounds->setEnabled(false);
  close(48, text(u"126"));
  EXPECT_TRUE(GameState::sounds->isEnabled());
  EXPECT_TRUE(playing(GameDialogs::titleMusic));
  EXPECT_EQ(DialogWindow::dialogId, 22);
}

TEST_F(TitleResultsTest, TheFirstRunShowsTheInformationOverANewDefaultTable) {
  GameState::optionsMissing = 1;
  close(48, text(u"127"));
  EXPECT_EQ(DialogWindow::dialogId, 21);
  EXPECT_EQ(glyphs(DialogWindow::bodyText), glyphs(LanguageTexts::getText(1)));
  EXPECT_EQ(recordOf(u"winner").size(), 90u);
  EXPECT_EQ(GameState::optionsMissing, 0);
  close(21, text(u"126"));
  EXPECT_EQ(DialogWindow::dialogId, 22);
}

// A window over another screen goes back to it when no handler acts, with
// its list flags and the pending key cleared.
TEST_F(TitleResultsTest, AWindowNoHandlerActsOnReturnsToTheScreenUnderIt) {
  StateMachine::enter(StateMachine::stateMapScreen);
  nvtest::writable(DialogWindow::plainList) = 1;
  GameDialogs::showTeam();
  EXPECT_EQ(GameState::gameState, StateMachine::stateDialog);
  EXPECT_EQ(DialogWindow::plainList, 1);
  DialogWindow::result = nullptr;
  GameState::pendingKey = '5';
  DialogResults::dispatchDialogResult();
  EXPECT_EQ(GameState::gameState, StateMachine::stateMapScreen);
  EXPECT_EQ(DialogWindow::plainList, 0);
  EXPECT_EQ(DialogWindow::noFrame, 0);
  EXPECT_EQ(GameState::pendingKey, GameState::noKey);
}

// What follows the training's end, a saved plan or a stored name: the main
// menu, whose choices reach the title menus whatever screen was under it.
TEST_F(TitleResultsTest, TheMainMenuFromAnotherScreenAnswersToTheTitleMenus) {
  StateMachine::enter(StateMachine::stateMapScreen);
  GameDialogs::showMapMenu();
  ASSERT_EQ(GameState::dialogReturnState, StateMachine::stateMapScreen);
  GameDialogs::returnToMainMenu();
  EXPECT_EQ(DialogWindow::dialogId, 22);
  EXPECT_EQ(GameState::dialogReturnState, StateMachine::stateSplash);
  DialogWindow::result = item(209);
  DialogResults::dispatchDialogResult();
  EXPECT_EQ(DialogWindow::dialogId, 0);
  EXPECT_EQ(glyphs(DialogWindow::bodyText), glyphs(LanguageTexts::getText(8)));
}

TEST_F(TitleResultsTest, ResettingTheBestResultsWritesTheDefaultTable) {
  writeRecord(u"winner", std::vector<uint8_t>(90, 7));
  close(45, item(215));
  const std::vector<uint8_t> record = recordOf(u"winner");
  ASSERT_EQ(record.size(), 90u);
  EXPECT_EQ(record[1], static_cast<uint8_t>(glyphsOf(251)[0]));
  // 100000 as the first amount, big-endian.
  EXPECT_EQ(std::vector<uint8_t>(record.begin() + 50, record.begin() + 54), (std::vector<uint8_t>{0, 1, 0x86, 0xA0}));
  EXPECT_EQ(GameState::gameState, StateMachine::stateBestResults);
  EXPECT_EQ(GameState::winnerRow, -1);
}

}  // namespace
}  // namespace nvx
