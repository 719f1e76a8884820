#include <gtest/gtest.h>

#include "MenusFixture.h"
#include "lang/DInteger.h"
#include "lang/DShort.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/windows/GameDialogs.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

std::vector<int> numbers(const qel::lang::DshortArrayPtr& a) {
  if (!a) return {};
  return std::vector<int>(a->data(), a->data() + a->length());
}

qel::lang::DObjectArrayPtr ints(std::initializer_list<int> values) {
  qel::lang::DObjectArrayPtr a = new qel::lang::DObjectArray(static_cast<int32_t>(values.size()));
  int32_t i = 0;
  for (int v : values) a->at(i++) = new qel::lang::DInteger(v);
  return a;
}

using GameDialogsTest = MenusTest;

TEST_F(GameDialogsTest, TheMainMenuOffersTheInfoPictureOnlyWhileItIsLoaded) {
  GameState::infoImage.release();
  GameDialogs::showMainMenu();
  EXPECT_EQ(numbers(DialogWindow::itemIds), (std::vector<int>{200, 208, 209, 210, 203, 202, 211}));
  EXPECT_EQ(DialogWindow::noFrame, 1);
  GameState::infoImage = qel::lcdui::DImage::createImage(30, 20);
  StateMachine::enter(StateMachine::stateSplash);
  GameDialogs::showMainMenu();
  EXPECT_EQ(numbers(DialogWindow::itemIds), (std::vector<int>{200, 208, 209, 210, 203, 202, 301, 211}));
  EXPECT_EQ(GameState::splashStep, 25);
  EXPECT_EQ(numbers(DialogWindow::softKeys), (std::vector<int>{126}));

  GameDialogs::showInfoPicture();
  EXPECT_EQ(GameTables::spriteTable[SpriteRows::spriteInfoPicture][2], 30);
  EXPECT_EQ(GameTables::spriteTable[SpriteRows::spriteInfoPicture][3], 20);
  EXPECT_EQ(GameState::pictures->at(7).get(), GameState::infoImage.get());
  EXPECT_EQ(numbers(DialogWindow::bodyText), numbers(LanguageTexts::getText(302)));
}

TEST_F(GameDialogsTest, TheSoundOptionsShowTheSwitchAndTheVolumesInEighths) {
  GameState::sounds->setSfxVolume(63);
  GameState::sounds->setMusicVolume(8);
  GameDialogs::showSoundOptions();
  EXPECT_EQ(DialogWindow::dialogId, 4);
  EXPECT_EQ(DialogWindow::dialogKind, DialogWindow::kindOptions);
  EXPECT_EQ(numbers(DialogWindow::itemIds), (std::vector<int>{212, -2, -1}));
  EXPECT_EQ(DialogWindow::itemToggles->at(0), 1);
  auto value = [](int item) {
    auto* params = dynamic_cast<qel::lang::DObjectArray*>(DialogWindow::itemParams->at(item).get());
    return dynamic_cast<qel::lang::DShort*>(params->at(0).get())->shortValue();
  };
  EXPECT_EQ(value(1), 7);
  EXPECT_EQ(value(2), 1);
  GameState::sounds->setEnabled(false);
  GameDialogs::showSoundOptions();
  EXPECT_EQ(DialogWindow::itemToggles->at(0), 0);
}

TEST_F(GameDialogsTest, TheBriefingShowsTheLevelTimeAndItsTitle) {
  struct Case {
    int level;
    bool touch;
    int time;
    std::vector<int> params;
    int titleId;
    int titleParam;
    int body;
  };
  const int body1 = GameTables::levelTable[0][25];
  const int body7 = GameTables::levelTable[6][25];
  const Case cases[] = {
      {1, false, 125, {2, 0, 5}, 133, -1, body1},
      {1,
       true,
       59,
       {0, 5, 9},
       133,
       -1,
       body1 == 9    ? 299
       : body1 == 13 ? 300
                     : body1},
      {7, false, 600, {10, 0, 0}, 134, 1, body7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level);
    StateMachine::enter(StateMachine::stateMapScreen);
    GameState::levelNumber = static_cast<int8_t>(c.level);
    nvtest::writable(GameState::touchInput) = c.touch ? 1 : 0;
    GameTables::levelTable[c.level - 1][0] = static_cast<int16_t>(c.time);
    GameDialogs::showLevelBriefing();
    EXPECT_EQ(DialogWindow::dialogId, 41);
    EXPECT_EQ(numbers(DialogWindow::bodyText),
              numbers(BitmapText::formatText(c.body, ints({c.params[0], c.params[1], c.params[2]}))));
    EXPECT_EQ(numbers(DialogWindow::titleText),
              numbers(c.titleParam < 0 ? LanguageTexts::getText(c.titleId)
                                       : BitmapText::formatText(c.titleId, ints({c.titleParam}))));
    EXPECT_TRUE(playing(GameDialogs::hintTicking));
  }
}

class HintTest : public MenusTest {
protected:
  void SetUp() override {
    MenusTest::SetUp();
    GameState::difficulty = -1;
    StateMachine::enter(StateMachine::stateMapScreen);
    nvtest::writable(GameState::dialogReturnState) = StateMachine::stateMapScreen;
  }
};

TEST_F(HintTest, AHintOnTheMapStopsTheMusicStartsTheTickingAndIsShownOnce) {
  GameState::sounds->play(GameDialogs::titleMusic, true, 0);
  ASSERT_TRUE(playing(GameDialogs::titleMusic));
  EXPECT_TRUE(GameDialogs::showHint(5, SpriteRows::spritePersonIcon, 2, false));
  EXPECT_FALSE(playing(GameDialogs::titleMusic));
  EXPECT_TRUE(playing(GameDialogs::hintTicking));
  EXPECT_EQ(DialogWindow::dialogId, 42);
  EXPECT_EQ(numbers(DialogWindow::bodyText), numbers(LanguageTexts::getText(4)));
  EXPECT_EQ(numbers(DialogWindow::titleText), numbers(LanguageTexts::getText(135)));
  EXPECT_EQ(DialogWindow::titleIcons->at(0), SpriteRows::spritePersonIcon);
  EXPECT_EQ(DialogWindow::titleIcons->at(1), 2);
  // The flag is stored with the options, so the hint stays shown after a restart.
  const std::vector<uint8_t> option = recordOf(u"option");
  ASSERT_EQ(option.size(), 18u);
  EXPECT_EQ(option[5], 1);

  EXPECT_FALSE(GameDialogs::showHint(5, -1, 0, false));
  EXPECT_TRUE(GameDialogs::showHint(5, -1, 0, true));
  EXPECT_FALSE(DialogWindow::titleIcons);
}

// Hiring closes the person's window over the map and shows its hint from
// there: the map's music goes on.
TEST_F(HintTest, AHintFromAWindowOverTheMapKeepsTheMusic) {
  StateMachine::enter(StateMachine::stateDialog);
  GameState::sounds->play(GameDialogs::titleMusic, true, 0);
  EXPECT_TRUE(GameDialogs::showHint(5, SpriteRows::spritePersonIcon, 2, false));
  EXPECT_EQ(DialogWindow::dialogId, 42);
  EXPECT_TRUE(playing(GameDialogs::titleMusic));
  EXPECT_FALSE(playing(GameDialogs::hintTicking));
}

TEST_F(HintTest, TheTickingAlreadyPlayingKeepsTheOtherSounds) {
  GameState::sounds->play(GameDialogs::hintTicking, true, 0);
  GameState::sounds->play(0, true, 0);
  EXPECT_TRUE(GameDialogs::showHint(3, -1, 0, false));
  EXPECT_TRUE(playing(0));
  EXPECT_TRUE(playing(GameDialogs::hintTicking));
}

TEST_F(HintTest, OutsideTrainingOnlyForcedHintsShowAndLevelPlayKeepsItsSounds) {
  GameState::difficulty = 1;
  nvtest::writable(DialogWindow::dialogId) = 0;
  EXPECT_FALSE(GameDialogs::showHint(4, -1, 0, false));
  EXPECT_NE(DialogWindow::dialogId, 42);
  StateMachine::enter(StateMachine::stateLevel);
  nvtest::writable(GameState::touchInput) = 1;
  GameState::sounds->play(15, true, 0);
  EXPECT_TRUE(GameDialogs::showHint(7, -1, 0, true));
  EXPECT_EQ(numbers(DialogWindow::bodyText), numbers(LanguageTexts::getText(296)));
  EXPECT_TRUE(playing(15));
  EXPECT_FALSE(playing(GameDialogs::hintTicking));
}

TEST_F(GameDialogsTest, TheGameMenuOffersARetryOnlyWithRetriesLeftOutsideTraining) {
  struct Case {
    int difficulty;
    int retries;
    std::vector<int> items;
  };
  const Case cases[] = {{0, 3, {192, 191}}, {2, 1, {192, 191}}, {1, 0, {192}}, {-1, 3, {192}}};
  for (const Case& c : cases) {
    GameState::difficulty = static_cast<int8_t>(c.difficulty);
    GameState::retriesLeft = static_cast<int8_t>(c.retries);
    GameDialogs::showGameMenu();
    EXPECT_EQ(DialogWindow::dialogId, 14);
    EXPECT_EQ(numbers(DialogWindow::itemIds), c.items) << c.difficulty << " " << c.retries;
  }
  GameState::retriesLeft = 3;
}

TEST_F(GameDialogsTest, TheLevelTotalsListOnlyOffersWithAPriceAndOpenNothingWithoutOne) {
  for (int i = 0; i < GameTables::levelTotals->length(); ++i) GameTables::levelTotals[i] = 0;
  nvtest::writable(DialogWindow::dialogId) = 0;
  GameDialogs::showLevelTotals();
  EXPECT_EQ(GameState::gameState, StateMachine::stateSplash);
  GameTables::levelTotals[2] = 1500;
  GameTables::levelTotals[6] = 300;
  GameDialogs::showLevelTotals();
  EXPECT_EQ(DialogWindow::dialogId, 20);
  EXPECT_EQ(numbers(DialogWindow::itemIds), (std::vector<int>{230, 234}));
  EXPECT_EQ(numbers(DialogWindow::getItemText(1)), numbers(BitmapText::formatText(234, ints({300}))));
}

}  // namespace
}  // namespace nvx
