#include <gtest/gtest.h>

#include "ScreensRecorder.h"
#include "gamelib/LangInfo.h"
#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/MainCanvas.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/projects/gamelib/Pixels.h"
#include "tests/projects/gamelib/TestPng.h"

using nvx::MainCanvas;
using qel::lcdui::DImage;
using qel::lcdui::DImagePtr;

namespace {

uint32_t codeOf(void (*action)()) {
  try {
    action();
  } catch (const qel::lang::DExceptionBase& e) {
    return e.code();
  }
  return 0;
}

// The game's tables on a 240 x 320 view with the screens recorded; no
// instance, no transition, no dialog.
class StateMachineTest : public ::testing::Test {
protected:
  void SetUp() override {
    MainCanvas::initStatics();
    MainCanvas::screenWidth = MainCanvas::viewWidth = 240;
    MainCanvas::screenHeight = MainCanvas::viewHeight = 320;
    MainCanvas::pendingTransition = MainCanvas::transitionArmed = 0;
    MainCanvas::loadingPictures = 0;
    MainCanvas::skipWorldLogic = 0;
    MainCanvas::introShown = MainCanvas::optionsMissing = 0;
    MainCanvas::dialogReturnState = 0;
    MainCanvas::halfSecondCount = 1;
  }
  void TearDown() override {
    MainCanvas::instance.release();
    MainCanvas::splashImage.release();
    MainCanvas::backImage.release();
    MainCanvas::backGraphics.release();
    MainCanvas::releaseStatics();
    MainCanvas::enter(254);
    MainCanvas::splashStep = 0;
    MainCanvas::pendingTransition = MainCanvas::transitionArmed = 0;
    MainCanvas::pendingKey = MainCanvas::noKey;
    MainCanvas::screenWidth = MainCanvas::screenHeight = MainCanvas::viewWidth = MainCanvas::viewHeight = 0;
    gamelib::LangInfo::releaseInstance();
  }

  DImagePtr screen = DImage::createImage(240, 320);
  ScreensRecorder screens;
};

TEST_F(StateMachineTest, EachStatePaintsItsScreenThenTheMessageLine) {
  MainCanvas::backGraphics = DImage::createImage(240, 320)->getGraphics();
  struct Case {
    uint8_t state;
    const char* painted;
  };
  const Case cases[] = {
      {0, "paintSplash paintTicker"},
      {1, "paintLevel paintHintOverlay paintTicker"},
      {2, "paintDialog(back) paintTicker"},
      {3, "paintMapScreen paintHintOverlay paintTicker"},
      {4, "paintBestResults paintTicker"},
      {5, "paintLanguageScreen paintTicker"},
      {254, "paintTicker"},
  };
  for (const Case& c : cases) {
    screens.calls.clear();
    MainCanvas::enter(c.state);
    MainCanvas::paint(screen->getGraphics());
    EXPECT_EQ(screens.joined(), c.painted) << int(c.state);
  }
}

TEST_F(StateMachineTest, NothingIsPaintedWhileShutDownLoadingOrWithoutAContext) {
  const uint32_t blank = ImagePixels(screen).at(120, 160);
  MainCanvas::pendingTransition = 3;
  MainCanvas::enter(255);
  MainCanvas::paint(screen->getGraphics());
  MainCanvas::enter(3);
  MainCanvas::paint(nullptr);
  MainCanvas::loadingPictures = 1;
  MainCanvas::paint(screen->getGraphics());
  EXPECT_TRUE(screens.calls.empty()) << screens.joined();
  EXPECT_EQ(MainCanvas::transitionArmed, 0);
  EXPECT_EQ(ImagePixels(screen).at(120, 160), blank);
}

TEST_F(StateMachineTest, ATransitionRunsOnlyAfterAFrameShowedTheWaitBox) {
  MainCanvas::instance = new MainCanvas();
  MainCanvas::enter(0);
  MainCanvas::pendingTransition = 3;
  MainCanvas::runPendingTransition();
  EXPECT_EQ(screens.count("enterMapScreen"), 0);

  MainCanvas::paint(screen->getGraphics());
  EXPECT_EQ(MainCanvas::transitionArmed, 1);
  const ImagePixels box(screen);
  EXPECT_EQ(box.at(120, 160), through565(0xB2003E));
  // Pressed in: dark outline, light top and left edges.
  const int32_t letters = MainCanvas::getText(130)->length();
  const int32_t left = 120 - MainCanvas::textCharWidth * letters / 2 - 8;
  const int32_t right = left + MainCanvas::textCharWidth * letters + 15;
  const int32_t top = 160 - MainCanvas::textLineHeight / 2 - 4;
  const int32_t bottom = top + MainCanvas::textLineHeight + 7;
  EXPECT_EQ(box.at(left, top + 2), through565(0xBEBCBC));
  EXPECT_EQ(box.at(left + 2, top), through565(0xBEBCBC));
  EXPECT_EQ(box.at(right, top + 2), through565(0x424242));
  EXPECT_EQ(box.at(left + 2, bottom), through565(0x424242));
  MainCanvas::runPendingTransition();
  EXPECT_EQ(screens.count("enterMapScreen"), 1);
  EXPECT_EQ(MainCanvas::pendingTransition, 0);
  EXPECT_EQ(MainCanvas::transitionArmed, 0);
}

TEST_F(StateMachineTest, ArmedTransitionsReachTheirScreens) {
  MainCanvas::instance = new MainCanvas();
  struct Case {
    uint8_t transition;
    const char* ran;
  };
  for (const Case& c : {Case{1, "setUpLevel"},
                        Case{2, "enterPlanning"},
                        Case{3, "enterMapScreen"},
                        Case{4, "enterBestResults"},
                        Case{9, ""}}) {
    screens.calls.clear();
    MainCanvas::winnerRow = 2;
    MainCanvas::pendingTransition = c.transition;
    MainCanvas::transitionArmed = 1;
    MainCanvas::runPendingTransition();
    EXPECT_EQ(screens.joined(), c.ran) << int(c.transition);
    EXPECT_EQ(MainCanvas::winnerRow, c.transition == 4 ? -1 : 2);
    // An unknown request is dropped, so no wait box stays on the screen.
    EXPECT_EQ(MainCanvas::pendingTransition, 0);
    EXPECT_EQ(MainCanvas::transitionArmed, 0);
  }
}

TEST_F(StateMachineTest, TheMapScreenTransitionNeedsTheInstance) {
  MainCanvas::pendingTransition = 3;
  MainCanvas::transitionArmed = 1;
  EXPECT_EQ(codeOf([] { MainCanvas::runPendingTransition(); }), qel::lang::ExceptionCode::NullPointer);
}

TEST_F(StateMachineTest, UpdatesGoToTheCurrentStateWithTheKeyPending) {
  struct Case {
    uint8_t state;
    uint8_t skipWorldLogic;
    const char* handled;
  };
  const Case cases[] = {
      {1, 0, "levelKeys levelLogic"},
      {1, 1, "levelKeys"},
      {2, 0, "dialogKeys"},
      {3, 0, "updateMapScreen"},
      {4, 0, "updateBestResults"},
      {5, 0, "updateLanguageScreen"},
      {255, 0, ""},
  };
  for (const Case& c : cases) {
    screens.calls.clear();
    MainCanvas::enter(c.state);
    MainCanvas::skipWorldLogic = c.skipWorldLogic;
    MainCanvas::update(52);
    EXPECT_EQ(screens.joined(), c.handled) << int(c.state);
    EXPECT_EQ(MainCanvas::pendingKey, 52);
  }
}

TEST_F(StateMachineTest, SplashKeysAreSwallowedAndAdvanceOnlyStepFive) {
  MainCanvas::enter(0);
  for (int8_t step : {4, 5, 6}) {
    MainCanvas::splashStep = step;
    MainCanvas::update(53);
    EXPECT_EQ(MainCanvas::pendingKey, MainCanvas::noKey);
    EXPECT_EQ(MainCanvas::splashStep, step == 5 ? 6 : step);
  }
}

TEST_F(StateMachineTest, ADialogOverADialogKeepsTheStateUnderTheFirst) {
  MainCanvas::enter(3);
  MainCanvas::setHotZone(4, 0, 0, 10, 10);
  MainCanvas::tickerText = new qel::lang::DshortArray(3);
  MainCanvas::enterDialog();
  EXPECT_EQ(MainCanvas::gameState, 2);
  EXPECT_EQ(MainCanvas::dialogReturnState, 3);
  EXPECT_EQ(MainCanvas::hotZoneAt(5, 5), -1);
  EXPECT_FALSE(MainCanvas::tickerText);
  MainCanvas::enterDialog();
  EXPECT_EQ(MainCanvas::dialogReturnState, 3);
  EXPECT_EQ(screens.joined(), "layoutDialog layoutDialog");
}

TEST_F(StateMachineTest, AfterTheSplashComesTheQuestionThenTheMenuOrTheFirstRunText) {
  struct Case {
    uint8_t introShown, optionsMissing;
    const char* opened;
    uint8_t optionsMissingAfter;
  };
  for (const Case& c :
       {Case{0, 1, "openStartUpDialog", 1}, Case{1, 0, "openMainMenu", 0}, Case{1, 1, "openFirstRunInfo", 0}}) {
    screens.calls.clear();
    MainCanvas::introShown = c.introShown;
    MainCanvas::optionsMissing = c.optionsMissing;
    MainCanvas::splashImage = DImage::createImage(2, 2);
    MainCanvas::enter(0);
    MainCanvas::splashStep = 26;
    MainCanvas::advanceSplash();
    EXPECT_EQ(screens.joined(), c.opened);
    EXPECT_EQ(MainCanvas::introShown, 1);
    EXPECT_EQ(MainCanvas::optionsMissing, c.optionsMissingAfter);
    EXPECT_EQ(MainCanvas::splashStep, 26);
    EXPECT_FALSE(MainCanvas::splashImage);
  }
}

// The splash pictures come from a real archive.
class SplashTest : public StateMachineTest {
protected:
  void SetUp() override {
    StateMachineTest::SetUp();
    folder.addEntry("prov.png", solidPng(4, 4, 0x00FF00));
    folder.addEntry("logo2.png", solidPng(4, 4, 0x0000FF));
    folder.addEntry("title.png", solidPng(8, 8, 0xFF0000));
    folder.addEntry("pic2.png", solidPng(200, 10, 0xFFFFFF));
    folder.openArchive();
    MainCanvas::enter(0);
  }

  // Steps until the splash painter has to move on, or 30 times.
  void advanceToPainterStep() {
    for (int i = 0; i < 30 && !(MainCanvas::splashStep >= 7 && (MainCanvas::splashStep & 1)); ++i)
      MainCanvas::advanceSplash();
  }

  GameFolder folder;
};

TEST_F(SplashTest, TheLogoWaitsForAHalfSecondThenDropsBothPictures) {
  MainCanvas::splashStep = 1;
  MainCanvas::advanceSplash();
  ASSERT_TRUE(MainCanvas::splashImage);
  EXPECT_EQ(MainCanvas::splashImage->getWidth(), 4);
  EXPECT_EQ(MainCanvas::splashStep, 4);
  MainCanvas::advanceSplash();
  ASSERT_TRUE(MainCanvas::backImage);
  EXPECT_EQ(MainCanvas::backImage->getWidth(), 8);
  EXPECT_EQ(MainCanvas::splashStep, 5);

  MainCanvas::advanceSplash();
  EXPECT_EQ(MainCanvas::splashStep, 5);
  MainCanvas::halfSecondCount = 2;
  MainCanvas::advanceSplash();
  EXPECT_EQ(MainCanvas::splashStep, 6);
  EXPECT_FALSE(MainCanvas::splashImage);
  EXPECT_FALSE(MainCanvas::backImage);
  EXPECT_EQ(MainCanvas::halfSecondCount, 1);
}

TEST_F(SplashTest, MissingLogosGoStraightOnAndOddStepsWaitForThePainter) {
  qel::io::DArchive::close();
  MainCanvas::splashStep = 1;
  advanceToPainterStep();
  EXPECT_EQ(MainCanvas::splashStep, 7);
  EXPECT_FALSE(MainCanvas::splashImage);
  MainCanvas::advanceSplash();
  EXPECT_EQ(MainCanvas::splashStep, 7);
}

TEST_F(SplashTest, StepTenLaysTheScreenOutAroundTheTitlePicture) {
  const int32_t placeX = MainCanvas::mapPlaces->at(0)->at(0);
  const int32_t placeY = MainCanvas::mapPlaces->at(0)->at(1);
  const int32_t pointX = MainCanvas::mapPoints->at(0)->at(0);
  const int32_t titleH = MainCanvas::spriteTable->at(MainCanvas::spriteTitle)->at(3);
  const int32_t topH = MainCanvas::spriteTable->at(MainCanvas::spriteTopBar)->at(3);
  const int32_t bottomH = MainCanvas::spriteTable->at(MainCanvas::spriteBottomBar)->at(3);
  MainCanvas::splashStep = 10;
  MainCanvas::advanceSplash();
  EXPECT_EQ(MainCanvas::splashStep, 11);
  EXPECT_EQ(MainCanvas::spriteTable->at(MainCanvas::spriteTitle)->at(2), 200);
  EXPECT_EQ(MainCanvas::layoutX, 20);
  EXPECT_EQ(MainCanvas::layoutY, ((320 - titleH - topH) >> 1) + topH);
  EXPECT_EQ(MainCanvas::layoutBottom, 320 - bottomH);
  EXPECT_EQ(MainCanvas::mapPlaces->at(0)->at(0), placeX + 20);
  EXPECT_EQ(MainCanvas::mapPlaces->at(0)->at(1), placeY + MainCanvas::layoutY);
  EXPECT_EQ(MainCanvas::mapPoints->at(0)->at(0), pointX + 20);
  EXPECT_EQ(MainCanvas::mapPlace, 0);
  EXPECT_EQ(MainCanvas::cursorTargetX, placeX + 20);
  EXPECT_EQ(MainCanvas::cursorTargetY, placeY + MainCanvas::layoutY);
}

TEST_F(SplashTest, LaterStepsMakeTheBackImageAndLoadTheGame) {
  MainCanvas::splashStep = 18;
  MainCanvas::advanceSplash();
  ASSERT_TRUE(MainCanvas::backImage);
  EXPECT_EQ(MainCanvas::backImage->getWidth(), 240);
  EXPECT_EQ(MainCanvas::backImage->getHeight(), 320);
  EXPECT_TRUE(MainCanvas::backGraphics);
  EXPECT_EQ(screens.joined(), "initMapScale");

  MainCanvas::splashStep = 22;
  EXPECT_EQ(codeOf([] { MainCanvas::advanceSplash(); }), qel::lang::ExceptionCode::NullPointer);
  MainCanvas::instance = new MainCanvas();
  MainCanvas::advanceSplash();
  EXPECT_EQ(MainCanvas::splashStep, 23);
  EXPECT_EQ(screens.count("loadAtStartUp"), 1);
}

}  // namespace
