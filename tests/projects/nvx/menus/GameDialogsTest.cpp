#include <gtest/gtest.h>

#include "MenusFixture.h"
#include "lang/DInteger.h"
#include "lang/DShort.h"

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
  MainCanvas::infoImage.release();
  MainCanvas::showMainMenu();
  EXPECT_EQ(numbers(MainCanvas::itemIds), (std::vector<int>{200, 208, 209, 210, 203, 202, 211}));
  EXPECT_EQ(MainCanvas::noFrame, 1);
  MainCanvas::infoImage = qel::lcdui::DImage::createImage(30, 20);
  MainCanvas::enter(MainCanvas::stateSplash);
  MainCanvas::showMainMenu();
  EXPECT_EQ(numbers(MainCanvas::itemIds), (std::vector<int>{200, 208, 209, 210, 203, 202, 301, 211}));
  EXPECT_EQ(MainCanvas::splashStep, 25);
  EXPECT_EQ(numbers(MainCanvas::softKeys), (std::vector<int>{126}));

  MainCanvas::showInfoPicture();
  EXPECT_EQ(MainCanvas::spriteTable[MainCanvas::spriteInfoPicture][2], 30);
  EXPECT_EQ(MainCanvas::spriteTable[MainCanvas::spriteInfoPicture][3], 20);
  EXPECT_EQ(MainCanvas::pictures->at(7).get(), MainCanvas::infoImage.get());
  EXPECT_EQ(numbers(MainCanvas::bodyText), numbers(MainCanvas::getText(302)));
}

TEST_F(GameDialogsTest, TheSoundOptionsShowTheSwitchAndTheVolumesInEighths) {
  MainCanvas::sounds->setSfxVolume(63);
  MainCanvas::sounds->setMusicVolume(8);
  MainCanvas::showSoundOptions();
  EXPECT_EQ(MainCanvas::dialogId, 4);
  EXPECT_EQ(MainCanvas::dialogKind, MainCanvas::kindOptions);
  EXPECT_EQ(numbers(MainCanvas::itemIds), (std::vector<int>{212, -2, -1}));
  EXPECT_EQ(MainCanvas::itemToggles->at(0), 1);
  auto value = [](int item) {
    auto* params = dynamic_cast<qel::lang::DObjectArray*>(MainCanvas::itemParams->at(item).get());
    return dynamic_cast<qel::lang::DShort*>(params->at(0).get())->shortValue();
  };
  EXPECT_EQ(value(1), 7);
  EXPECT_EQ(value(2), 1);
  MainCanvas::sounds->setEnabled(false);
  MainCanvas::showSoundOptions();
  EXPECT_EQ(MainCanvas::itemToggles->at(0), 0);
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
  const int body1 = MainCanvas::levelTable[0][25];
  const int body7 = MainCanvas::levelTable[6][25];
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
    MainCanvas::enter(MainCanvas::stateMapScreen);
    MainCanvas::levelNumber = static_cast<int8_t>(c.level);
    MainCanvas::touchInput = c.touch ? 1 : 0;
    MainCanvas::levelTable[c.level - 1][0] = static_cast<int16_t>(c.time);
    MainCanvas::showLevelBriefing();
    EXPECT_EQ(MainCanvas::dialogId, 41);
    EXPECT_EQ(numbers(MainCanvas::bodyText),
              numbers(MainCanvas::formatText(c.body, ints({c.params[0], c.params[1], c.params[2]}))));
    EXPECT_EQ(numbers(MainCanvas::titleText),
              numbers(c.titleParam < 0 ? MainCanvas::getText(c.titleId)
                                       : MainCanvas::formatText(c.titleId, ints({c.titleParam}))));
    EXPECT_TRUE(playing(MainCanvas::hintTicking));
  }
}

class HintTest : public MenusTest {
protected:
  void SetUp() override {
    MenusTest::SetUp();
    MainCanvas::difficulty = -1;
    MainCanvas::enter(MainCanvas::stateMapScreen);
    MainCanvas::dialogReturnState = MainCanvas::stateMapScreen;
  }
};

TEST_F(HintTest, AHintOnTheMapStopsTheMusicStartsTheTickingAndIsShownOnce) {
  MainCanvas::sounds->play(MainCanvas::titleMusic, true, 0);
  ASSERT_TRUE(playing(MainCanvas::titleMusic));
  EXPECT_TRUE(MainCanvas::showHint(5, MainCanvas::spritePersonIcon, 2, false));
  EXPECT_FALSE(playing(MainCanvas::titleMusic));
  EXPECT_TRUE(playing(MainCanvas::hintTicking));
  EXPECT_EQ(MainCanvas::dialogId, 42);
  EXPECT_EQ(numbers(MainCanvas::bodyText), numbers(MainCanvas::getText(4)));
  EXPECT_EQ(numbers(MainCanvas::titleText), numbers(MainCanvas::getText(135)));
  EXPECT_EQ(MainCanvas::titleIcons->at(0), MainCanvas::spritePersonIcon);
  EXPECT_EQ(MainCanvas::titleIcons->at(1), 2);
  // The flag is stored with the options, so the hint stays shown after a restart.
  const std::vector<uint8_t> option = recordOf(u"option");
  ASSERT_EQ(option.size(), 18u);
  EXPECT_EQ(option[5], 1);

  EXPECT_FALSE(MainCanvas::showHint(5, -1, 0, false));
  EXPECT_TRUE(MainCanvas::showHint(5, -1, 0, true));
  EXPECT_FALSE(MainCanvas::titleIcons);
}

// Hiring closes the person's window over the map and shows its hint from
// there: the map's music goes on.
TEST_F(HintTest, AHintFromAWindowOverTheMapKeepsTheMusic) {
  MainCanvas::enter(MainCanvas::stateDialog);
  MainCanvas::sounds->play(MainCanvas::titleMusic, true, 0);
  EXPECT_TRUE(MainCanvas::showHint(5, MainCanvas::spritePersonIcon, 2, false));
  EXPECT_EQ(MainCanvas::dialogId, 42);
  EXPECT_TRUE(playing(MainCanvas::titleMusic));
  EXPECT_FALSE(playing(MainCanvas::hintTicking));
}

TEST_F(HintTest, TheTickingAlreadyPlayingKeepsTheOtherSounds) {
  MainCanvas::sounds->play(MainCanvas::hintTicking, true, 0);
  MainCanvas::sounds->play(0, true, 0);
  EXPECT_TRUE(MainCanvas::showHint(3, -1, 0, false));
  EXPECT_TRUE(playing(0));
  EXPECT_TRUE(playing(MainCanvas::hintTicking));
}

TEST_F(HintTest, OutsideTrainingOnlyForcedHintsShowAndLevelPlayKeepsItsSounds) {
  MainCanvas::difficulty = 1;
  MainCanvas::dialogId = 0;
  EXPECT_FALSE(MainCanvas::showHint(4, -1, 0, false));
  EXPECT_NE(MainCanvas::dialogId, 42);
  MainCanvas::enter(MainCanvas::stateLevel);
  MainCanvas::touchInput = 1;
  MainCanvas::sounds->play(15, true, 0);
  EXPECT_TRUE(MainCanvas::showHint(7, -1, 0, true));
  EXPECT_EQ(numbers(MainCanvas::bodyText), numbers(MainCanvas::getText(296)));
  EXPECT_TRUE(playing(15));
  EXPECT_FALSE(playing(MainCanvas::hintTicking));
}

TEST_F(GameDialogsTest, TheGameMenuOffersARetryOnlyWithRetriesLeftOutsideTraining) {
  struct Case {
    int difficulty;
    int retries;
    std::vector<int> items;
  };
  const Case cases[] = {{0, 3, {192, 191}}, {2, 1, {192, 191}}, {1, 0, {192}}, {-1, 3, {192}}};
  for (const Case& c : cases) {
    MainCanvas::difficulty = static_cast<int8_t>(c.difficulty);
    MainCanvas::retriesLeft = static_cast<int8_t>(c.retries);
    MainCanvas::showGameMenu();
    EXPECT_EQ(MainCanvas::dialogId, 14);
    EXPECT_EQ(numbers(MainCanvas::itemIds), c.items) << c.difficulty << " " << c.retries;
  }
  MainCanvas::retriesLeft = 3;
}

TEST_F(GameDialogsTest, TheLevelTotalsListOnlyOffersWithAPriceAndOpenNothingWithoutOne) {
  for (int i = 0; i < MainCanvas::levelTotals->length(); ++i) MainCanvas::levelTotals[i] = 0;
  MainCanvas::dialogId = 0;
  MainCanvas::showLevelTotals();
  EXPECT_EQ(MainCanvas::gameState, MainCanvas::stateSplash);
  MainCanvas::levelTotals[2] = 1500;
  MainCanvas::levelTotals[6] = 300;
  MainCanvas::showLevelTotals();
  EXPECT_EQ(MainCanvas::dialogId, 20);
  EXPECT_EQ(numbers(MainCanvas::itemIds), (std::vector<int>{230, 234}));
  EXPECT_EQ(numbers(MainCanvas::getItemText(1)), numbers(MainCanvas::formatText(234, ints({300}))));
}

}  // namespace
}  // namespace nvx
