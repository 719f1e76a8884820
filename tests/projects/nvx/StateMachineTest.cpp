#include <gtest/gtest.h>

#include "gamelib/LangInfo.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/MainCanvas.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/projects/gamelib/Pixels.h"
#include "tests/projects/gamelib/TestPng.h"
#include "tests/support/DemoData.h"
#include "util/DVector.h"

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

// The game's tables on a 240 x 320 view; no instance, no transition, no
// dialog. What the screens do over the game's data is in StateScreensTest.
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
};

TEST_F(StateMachineTest, NothingIsPaintedWhileShutDownLoadingOrWithoutAContext) {
  const uint32_t blank = ImagePixels(screen).at(120, 160);
  MainCanvas::pendingTransition = 3;
  MainCanvas::enter(255);
  MainCanvas::paint(screen->getGraphics());
  MainCanvas::enter(3);
  MainCanvas::paint(nullptr);
  MainCanvas::loadingPictures = 1;
  MainCanvas::paint(screen->getGraphics());
  EXPECT_EQ(MainCanvas::transitionArmed, 0);
  EXPECT_EQ(ImagePixels(screen).at(120, 160), blank);
}

// Any request shows the pressed-in wait box, and arms it; an unknown one
// is then dropped, so that no wait box stays on the screen.
TEST_F(StateMachineTest, AFrameWithARequestShowsThePressedInWaitBox) {
  MainCanvas::enter(254);
  MainCanvas::pendingTransition = 9;
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
  EXPECT_EQ(MainCanvas::pendingTransition, 0);
  EXPECT_EQ(MainCanvas::transitionArmed, 0);
}

TEST_F(StateMachineTest, TheMapScreenTransitionNeedsTheInstance) {
  MainCanvas::pendingTransition = 3;
  MainCanvas::transitionArmed = 1;
  EXPECT_EQ(codeOf([] { MainCanvas::runPendingTransition(); }), qel::lang::ExceptionCode::NullPointer);
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
  MainCanvas::titleText = new qel::lang::DshortArray(4);
  MainCanvas::bodyText = new qel::lang::DshortArray(10);
  MainCanvas::enter(3);
  MainCanvas::setHotZone(4, 0, 0, 10, 10);
  MainCanvas::tickerText = new qel::lang::DshortArray(3);
  MainCanvas::backdropPending = 0;
  MainCanvas::enterDialog();
  EXPECT_EQ(MainCanvas::gameState, 2);
  EXPECT_EQ(MainCanvas::dialogReturnState, 3);
  EXPECT_EQ(MainCanvas::hotZoneAt(5, 5), -1);
  EXPECT_FALSE(MainCanvas::tickerText);
  EXPECT_EQ(MainCanvas::ready, 1) << "the window is laid out";
  EXPECT_EQ(MainCanvas::backdropPending, 1) << "the screen under it is still to be kept";
  MainCanvas::ready = MainCanvas::backdropPending = 0;
  MainCanvas::enterDialog();
  EXPECT_EQ(MainCanvas::dialogReturnState, 3);
  EXPECT_EQ(MainCanvas::ready, 1);
  EXPECT_EQ(MainCanvas::backdropPending, 0) << "the first window's backdrop is kept";
  MainCanvas::resetDialog();
}

// The splash pictures, and what the screens read, come from a real archive.
class SplashTest : public StateMachineTest {
protected:
  void SetUp() override {
    StateMachineTest::SetUp();
    folder.addEntry("prov.png", solidPng(4, 4, 0x00FF00));
    folder.addEntry("logo2.png", solidPng(4, 4, 0x0000FF));
    folder.addEntry("title.png", solidPng(8, 8, 0xFF0000));
    folder.addEntry("pic2.png", solidPng(200, 10, 0xFFFFFF));
    // The device's font, for the language screen.
    for (const char* name : {"game_0", "game_0.png"}) {
      const nv::demodata::ArchiveEntry* font = nvtest::demoData().find(std::string("240x320/") + name);
      folder.addEntry(name, std::string(font->data.begin(), font->data.end()));
    }
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

// Each state's painter shows what it keeps: the splash without its picture a
// grey view, level play its scene picture, a window the frame kept under it,
// the map screen and the best results their composed back picture, the
// language screen a black screen around its panel.
TEST_F(SplashTest, EachStatePaintsItsScreen) {
  constexpr uint32_t kept = 0x3060A0;
  const auto keptPicture = [] {
    DImagePtr picture = DImage::createImage(240, 320);
    const qel::lcdui::DGraphicsPtr g = picture->getGraphics();
    g->setColor(kept);
    g->fillRect(0, 0, 240, 320);
    return picture;
  };
  struct Case {
    uint8_t state;
    void (*prepare)(const DImagePtr& picture);
    uint32_t shown;
  };
  const Case cases[] = {
      {0, [](const DImagePtr&) { MainCanvas::splashStep = 3; }, 0xC0C0C0},
      {1,
       [](const DImagePtr& picture) {
         MainCanvas::trailImage = picture;
         MainCanvas::trailGraphics = picture->getGraphics();
       },
       kept},
      {2,
       [](const DImagePtr& picture) {
         MainCanvas::backGraphics = picture->getGraphics();
         MainCanvas::dialogReturnState = 3;
         MainCanvas::ready = 1;
         MainCanvas::noFrame = 1;
         MainCanvas::bodyText = new qel::lang::DshortArray(0);
       },
       kept},
      {3,
       [](const DImagePtr& picture) {
         MainCanvas::backImage = picture;
         MainCanvas::backGraphics = picture->getGraphics();
         MainCanvas::mapFullRepaint = 0;
       },
       kept},
      {4,
       [](const DImagePtr& picture) {
         MainCanvas::backImage = picture;
         MainCanvas::backGraphics = picture->getGraphics();
         MainCanvas::bestResults = new qel::util::DVector(2);
         MainCanvas::bestResultsRepaint = 0;
         MainCanvas::winnerRow = -1;
       },
       kept},
      {5,
       [](const DImagePtr&) {
         gamelib::ScreenCanvas::loadFonts(u"");
         gamelib::ScreenCanvas::screenWidth = 240;
         gamelib::ScreenCanvas::screenHeight = 320;
       },
       0x000000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.state));
    const qel::lcdui::DGraphicsPtr blank = screen->getGraphics();
    blank->setColor(0xFFFFFFu);
    blank->fillRect(0, 0, 240, 320);
    MainCanvas::enter(c.state);
    c.prepare(keptPicture());
    MainCanvas::paint(screen->getGraphics());
    EXPECT_EQ(ImagePixels(screen).at(1, 100), through565(c.shown));
    MainCanvas::trailImage.release();
    MainCanvas::trailGraphics.release();
    MainCanvas::backImage.release();
    MainCanvas::backGraphics.release();
    MainCanvas::bestResults.release();
    MainCanvas::resetDialog();
    gamelib::ScreenCanvas::releaseFonts();
  }
}

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
  MainCanvas::visibleColumns = MainCanvas::visibleRows = 0;
  MainCanvas::splashStep = 18;
  MainCanvas::advanceSplash();
  ASSERT_TRUE(MainCanvas::backImage);
  EXPECT_EQ(MainCanvas::backImage->getWidth(), 240);
  EXPECT_EQ(MainCanvas::backImage->getHeight(), 320);
  EXPECT_TRUE(MainCanvas::backGraphics);
  EXPECT_EQ(MainCanvas::visibleColumns, 240 / MainCanvas::cellSize) << "the map's scale";
  EXPECT_EQ(MainCanvas::visibleRows, 320 / MainCanvas::cellSize);

  MainCanvas::splashStep = 22;
  EXPECT_EQ(codeOf([] { MainCanvas::advanceSplash(); }), qel::lang::ExceptionCode::NullPointer);
  MainCanvas::instance = new MainCanvas();
  MainCanvas::persons[0] = nullptr;
  MainCanvas::advanceSplash();
  EXPECT_EQ(MainCanvas::splashStep, 23);
  EXPECT_TRUE(MainCanvas::sounds) << "the start-up load";
  EXPECT_TRUE(MainCanvas::persons[0]);
  MainCanvas::sounds->release();
  MainCanvas::sounds.release();
}

}  // namespace
