#include <functional>
#include <gtest/gtest.h>

#include "MenusFixture.h"
#include "lang/DShort.h"
#include "lang/DString.h"
#include "tests/projects/gamelib/GameLibTesting.h"

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
    MainCanvas::openDialog(
        static_cast<uint8_t>(dialogId), nullptr, 1, nullptr, new qel::lang::DshortArray(1, 0, 126), 129);
    MainCanvas::result = result;
    MainCanvas::dispatchDialogResult();
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
  const int dialogState = MainCanvas::stateDialog;
  const Case cases[] = {
      {"new game, nothing saved",
       22,
       item(200),
       [] { MainCanvas::saveExists = 0; },
       37,
       {201, 195, 196, 197},
       dialogState,
       0},
      {"new game over a saved one", 22, item(200), [] { MainCanvas::saveExists = 1; }, 27, {193, 194}, dialogState, 0},
      {"best results", 22, item(203), [] {}, 45, {214, 215}, dialogState, 0},
      {"best results with the third entry",
       22,
       item(203),
       [] { MainCanvas::bestResultsExtra = 1; },
       45,
       {214, 215, 216},
       dialogState,
       0},
      {"options", 22, item(208), [] {}, 4, {212, -2, -1}, dialogState, 0},
      {"help", 22, item(209), [] {}, 0, {}, dialogState, 0},
      {"info", 22, item(210), [] {}, 21, {}, dialogState, 0},
      {"about", 22, item(202), [] {}, 21, {}, dialogState, 0},
      {"info picture", 22, item(301), [] {}, 21, {}, dialogState, 0},
      {"an unknown item", 22, item(999), [] {}, -1, {}, MainCanvas::stateSplash, 0},
      {"info closed", 21, text(u"126"), [] {}, 22, {}, dialogState, 0},
      {"options closed", 4, text(u"true;true;true;"), [] {}, 22, {}, dialogState, 0},
      {"continue refused: new game", 27, item(194), [] {}, 37, {201, 195, 196, 197}, dialogState, 0},
      {"difficulty list cancelled", 37, nullptr, [] {}, -1, {}, MainCanvas::stateSplash, 0},
      {"show the best results", 45, item(214), [] {}, -1, {}, MainCanvas::stateBestResults, 0},
      {"reset the best results", 45, item(215), [] {}, -1, {}, MainCanvas::stateBestResults, 0},
      {"the third best-results entry", 45, item(216), [] {}, -1, {}, dialogState, 4},
      {"best-results menu cancelled", 45, nullptr, [] {}, 22, {}, dialogState, 0},
      {"start question answered no", 48, text(u"127"), [] {}, 22, {}, dialogState, 0},
      {"start question on the first run",
       48,
       text(u"127"),
       [] { MainCanvas::optionsMissing = 1; },
       21,
       {},
       dialogState,
       0},
      {"help closed", 0, text(u"126"), [] {}, -1, {}, MainCanvas::stateSplash, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MainCanvas::enter(MainCanvas::stateSplash);
    MainCanvas::pendingTransition = 0;
    MainCanvas::saveExists = 0;
    MainCanvas::bestResultsExtra = 0;
    MainCanvas::optionsMissing = 0;
    c.before();
    close(c.dialog, c.result);
    EXPECT_EQ(MainCanvas::gameState, c.state);
    EXPECT_EQ(MainCanvas::pendingTransition, c.transition);
    if (c.nextDialog >= 0) {
      EXPECT_EQ(MainCanvas::dialogId, c.nextDialog);
      EXPECT_EQ(MainCanvas::dialogReturnState, MainCanvas::stateSplash);
      if (!c.items.empty()) {
        EXPECT_EQ(idsOf(MainCanvas::itemIds), c.items);
      }
    }
  }
}

TEST_F(TitleResultsTest, AboutShowsTheVersionAndTheSupportAddress) {
  close(22, item(202));
  ASSERT_EQ(MainCanvas::dialogId, 21);
  qel::lang::DObjectArrayPtr params = new qel::lang::DObjectArray(2);
  params->at(0) = new qel::lang::DString(u"v1.1");
  params->at(1) = new qel::lang::DString(u"help@nv.invalid");
  EXPECT_EQ(glyphs(MainCanvas::bodyText), glyphs(MainCanvas::formatText(144, params)));
  EXPECT_EQ(glyphs(MainCanvas::titleText), glyphs(MainCanvas::getText(202)));
}

TEST_F(TitleResultsTest, ExitFromTheMainMenuEndsWithoutSavingTheLevelInProgress) {
  MainCanvas::saveOnExit = 1;
  close(22, item(211));
  EXPECT_TRUE(gamelib::GameLibTesting::exiting());
  EXPECT_EQ(MainCanvas::saveOnExit, 0);
}

TEST_F(TitleResultsTest, OptionsChosenByKeysAreStoredAndReadBack) {
  MainCanvas::sounds->setSfxVolume(30);
  MainCanvas::sounds->setMusicVolume(50);
  MainCanvas::sounds->play(MainCanvas::titleMusic, true, 0);
  close(22, item(208));
  ASSERT_EQ(MainCanvas::dialogId, 4);
  // The switch off stops the music; on again, it starts once more.
  MainCanvas::update('5');
  EXPECT_FALSE(playing(MainCanvas::titleMusic));
  MainCanvas::update('5');
  EXPECT_TRUE(playing(MainCanvas::titleMusic));
  MainCanvas::update('8');
  MainCanvas::update('6');
  MainCanvas::update('8');
  MainCanvas::update('4');
  MainCanvas::update('4');
  MainCanvas::update(MainCanvas::softKeyLeft);
  EXPECT_EQ(MainCanvas::dialogId, 22);

  std::vector<uint8_t> expected(16, 0);
  for (int i = 0; i < 16; ++i) expected[i] = MainCanvas::options->at(i) ? 1 : 0;
  expected.push_back(32);
  expected.push_back(32);
  EXPECT_EQ(recordOf(u"option"), expected);

  MainCanvas::sounds->setSfxVolume(64);
  MainCanvas::sounds->setMusicVolume(0);
  MainCanvas::loadOptions();
  EXPECT_EQ(MainCanvas::sounds->sfxVolume(), 32);
  EXPECT_EQ(MainCanvas::sounds->musicVolume(), 32);
}

TEST_F(TitleResultsTest, ContinueLoadsTheSavedGameAndTheLevelInProgressForTheMapScreen) {
  MainCanvas::difficulty = 1;
  MainCanvas::levelNumber = 9;
  MainCanvas::money = 5000;
  MainCanvas::retriesLeft = 2;
  MainCanvas::saveGame();
  ASSERT_TRUE(MainCanvas::loadLevel(9));
  MainCanvas::money = 4321;
  MainCanvas::saveLevelState();

  MainCanvas::difficulty = 0;
  MainCanvas::levelNumber = -1;
  MainCanvas::money = 0;
  MainCanvas::retriesLeft = 3;
  MainCanvas::saveExists = 1;
  close(22, item(200));
  ASSERT_EQ(MainCanvas::dialogId, 27);
  close(27, item(193));
  EXPECT_EQ(MainCanvas::difficulty, 1);
  EXPECT_EQ(MainCanvas::levelNumber, 9);
  EXPECT_EQ(MainCanvas::retriesLeft, 2);
  // The level in progress holds the money of the plan being made.
  EXPECT_EQ(MainCanvas::money, 4321);
  EXPECT_EQ(MainCanvas::pendingTransition, 3);
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
    MainCanvas::enter(MainCanvas::stateSplash);
    MainCanvas::pendingTransition = 0;
    close(37, item(c.item));
    EXPECT_EQ(MainCanvas::difficulty, c.difficulty);
    EXPECT_EQ(MainCanvas::levelNumber, c.level);
    EXPECT_EQ(MainCanvas::money, c.money);
    EXPECT_EQ(MainCanvas::pendingTransition, 3);
    EXPECT_EQ(recordOf(u"save1").size(), 7u);
  }
}

TEST_F(TitleResultsTest, TheStartQuestionAnsweredYesTurnsTheSoundOnAndTheMenuMusicPlays) {
  MainCanvas::sounds->setEnabled(false);
  close(48, text(u"126"));
  EXPECT_TRUE(MainCanvas::sounds->isEnabled());
  EXPECT_TRUE(playing(MainCanvas::titleMusic));
  EXPECT_EQ(MainCanvas::dialogId, 22);
}

TEST_F(TitleResultsTest, TheFirstRunShowsTheInformationOverANewDefaultTable) {
  MainCanvas::optionsMissing = 1;
  close(48, text(u"127"));
  EXPECT_EQ(MainCanvas::dialogId, 21);
  EXPECT_EQ(glyphs(MainCanvas::bodyText), glyphs(MainCanvas::getText(1)));
  EXPECT_EQ(recordOf(u"winner").size(), 90u);
  EXPECT_EQ(MainCanvas::optionsMissing, 0);
  close(21, text(u"126"));
  EXPECT_EQ(MainCanvas::dialogId, 22);
}

// A window over another screen goes back to it when no handler acts, with
// its list flags and the pending key cleared.
TEST_F(TitleResultsTest, AWindowNoHandlerActsOnReturnsToTheScreenUnderIt) {
  MainCanvas::enter(MainCanvas::stateMapScreen);
  MainCanvas::plainList = 1;
  MainCanvas::showTeam();
  EXPECT_EQ(MainCanvas::gameState, MainCanvas::stateDialog);
  EXPECT_EQ(MainCanvas::plainList, 1);
  MainCanvas::result = nullptr;
  MainCanvas::pendingKey = '5';
  MainCanvas::dispatchDialogResult();
  EXPECT_EQ(MainCanvas::gameState, MainCanvas::stateMapScreen);
  EXPECT_EQ(MainCanvas::plainList, 0);
  EXPECT_EQ(MainCanvas::noFrame, 0);
  EXPECT_EQ(MainCanvas::pendingKey, MainCanvas::noKey);
}

// What follows the training's end, a saved plan or a stored name: the main
// menu, whose choices reach the title menus whatever screen was under it.
TEST_F(TitleResultsTest, TheMainMenuFromAnotherScreenAnswersToTheTitleMenus) {
  MainCanvas::enter(MainCanvas::stateMapScreen);
  MainCanvas::showMapMenu();
  ASSERT_EQ(MainCanvas::dialogReturnState, MainCanvas::stateMapScreen);
  MainCanvas::returnToMainMenu();
  EXPECT_EQ(MainCanvas::dialogId, 22);
  EXPECT_EQ(MainCanvas::dialogReturnState, MainCanvas::stateSplash);
  MainCanvas::result = item(209);
  MainCanvas::dispatchDialogResult();
  EXPECT_EQ(MainCanvas::dialogId, 0);
  EXPECT_EQ(glyphs(MainCanvas::bodyText), glyphs(MainCanvas::getText(8)));
}

TEST_F(TitleResultsTest, ResettingTheBestResultsWritesTheDefaultTable) {
  writeRecord(u"winner", std::vector<uint8_t>(90, 7));
  close(45, item(215));
  const std::vector<uint8_t> record = recordOf(u"winner");
  ASSERT_EQ(record.size(), 90u);
  EXPECT_EQ(record[1], static_cast<uint8_t>(glyphsOf(251)[0]));
  // 100000 as the first amount, big-endian.
  EXPECT_EQ(std::vector<uint8_t>(record.begin() + 50, record.begin() + 54), (std::vector<uint8_t>{0, 1, 0x86, 0xA0}));
  EXPECT_EQ(MainCanvas::gameState, MainCanvas::stateBestResults);
  EXPECT_EQ(MainCanvas::winnerRow, -1);
}

}  // namespace
}  // namespace nvx
