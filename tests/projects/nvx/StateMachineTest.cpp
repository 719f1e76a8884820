#include <gtest/gtest.h>

#include "gamelib/LangInfo.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogWindow.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/projects/gamelib/Pixels.h"
#include "tests/projects/gamelib/TestPng.h"
#include "tests/support/DemoData.h"
#include "tests/support/Writable.h"
#include "util/DVector.h"

using nvx::DialogWindow;
using nvx::GameState;
using nvx::GameTables;
using nvx::KeyInput;
using nvx::LanguageTexts;
using nvx::MainCanvas;
using nvx::SpriteRows;
using nvx::StateMachine;
using nvx::WorldState;
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
    nvtest::writable(GameState::screenWidth) = nvtest::writable(GameState::viewWidth) = 240;
    nvtest::writable(GameState::screenHeight) = nvtest::writable(GameState::viewHeight) = 320;
    GameState::pendingTransition = nvtest::writable(GameState::transitionArmed) = 0;
    nvtest::writable(GameState::loadingPictures) = 0;
    nvtest::writable(GameState::skipWorldLogic) = 0;
    GameState::introShown = GameState::optionsMissing = 0;
    nvtest::writable(GameState::dialogReturnState) = 0;
    GameState::halfSecondCount = 1;
  }
  void TearDown() override {
    MainCanvas::instance.release();
    nvtest::writable(GameState::splashImage).release();
    nvtest::writable(GameState::backImage).release();
    nvtest::writable(StateMachine::backGraphics).release();
    MainCanvas::releaseStatics();
    StateMachine::enter(254);
    GameState::splashStep = 0;
    GameState::pendingTransition = nvtest::writable(GameState::transitionArmed) = 0;
    GameState::pendingKey = GameState::noKey;
    nvtest::writable(GameState::screenWidth) = nvtest::writable(GameState::screenHeight) =
        nvtest::writable(GameState::viewWidth) = nvtest::writable(GameState::viewHeight) = 0;
    gamelib::LangInfo::releaseInstance();
  }

  DImagePtr screen = DImage::createImage(240, 320);
};

TEST_F(StateMachineTest, NothingIsPaintedWhileShutDownLoadingOrWithoutAContext) {
  const uint32_t blank = ImagePixels(screen).at(120, 160);
  GameState::pendingTransition = 3;
  StateMachine::enter(255);
  StateMachine::paint(screen->getGraphics());
  StateMachine::enter(3);
  StateMachine::paint(nullptr);
  nvtest::writable(GameState::loadingPictures) = 1;
  StateMachine::paint(screen->getGraphics());
  EXPECT_EQ(GameState::transitionArmed, 0);
  EXPECT_EQ(ImagePixels(screen).at(120, 160), blank);
}

// Any request shows the pressed-in wait box, and arms it; an unknown one
// is then dropped, so that no wait box stays on the screen.
TEST_F(StateMachineTest, AFrameWithARequestShowsThePressedInWaitBox) {
  StateMachine::enter(254);
  GameState::pendingTransition = 9;
  StateMachine::paint(screen->getGraphics());
  EXPECT_EQ(GameState::transitionArmed, 1);
  const ImagePixels box(screen);
  EXPECT_EQ(box.at(120, 160), through565(0xB2003E));
  // Pressed in: dark outline, light top and left edges.
  const int32_t letters = LanguageTexts::getText(130)->length();
  const int32_t left = 120 - GameState::textCharWidth * letters / 2 - 8;
  const int32_t right = left + GameState::textCharWidth * letters + 15;
  const int32_t top = 160 - GameState::textLineHeight / 2 - 4;
  const int32_t bottom = top + GameState::textLineHeight + 7;
  EXPECT_EQ(box.at(left, top + 2), through565(0xBEBCBC));
  EXPECT_EQ(box.at(left + 2, top), through565(0xBEBCBC));
  EXPECT_EQ(box.at(right, top + 2), through565(0x424242));
  EXPECT_EQ(box.at(left + 2, bottom), through565(0x424242));
  StateMachine::runPendingTransition();
  EXPECT_EQ(GameState::pendingTransition, 0);
  EXPECT_EQ(GameState::transitionArmed, 0);
}

TEST_F(StateMachineTest, TheMapScreenTransitionNeedsTheInstance) {
  GameState::pendingTransition = 3;
  nvtest::writable(GameState::transitionArmed) = 1;
  EXPECT_EQ(codeOf([] { StateMachine::runPendingTransition(); }), qel::lang::ExceptionCode::NullPointer);
}

TEST_F(StateMachineTest, SplashKeysAreSwallowedAndAdvanceOnlyStepFive) {
  StateMachine::enter(0);
  for (int8_t step : {4, 5, 6}) {
    GameState::splashStep = step;
    StateMachine::update(53);
    EXPECT_EQ(GameState::pendingKey, GameState::noKey);
    EXPECT_EQ(GameState::splashStep, step == 5 ? 6 : step);
  }
}

TEST_F(StateMachineTest, ADialogOverADialogKeepsTheStateUnderTheFirst) {
  nvtest::writable(DialogWindow::titleText) = new qel::lang::DshortArray(4);
  DialogWindow::bodyText = new qel::lang::DshortArray(10);
  StateMachine::enter(3);
  KeyInput::setHotZone(4, 0, 0, 10, 10);
  GameState::tickerText = new qel::lang::DshortArray(3);
  DialogWindow::backdropPending = 0;
  StateMachine::enterDialog();
  EXPECT_EQ(GameState::gameState, 2);
  EXPECT_EQ(GameState::dialogReturnState, 3);
  EXPECT_EQ(KeyInput::hotZoneAt(5, 5), -1);
  EXPECT_FALSE(GameState::tickerText);
  EXPECT_EQ(DialogWindow::ready, 1) << "the window is laid out";
  EXPECT_EQ(DialogWindow::backdropPending, 1) << "the screen under it is still to be kept";
  nvtest::writable(DialogWindow::ready) = DialogWindow::backdropPending = 0;
  StateMachine::enterDialog();
  EXPECT_EQ(GameState::dialogReturnState, 3);
  EXPECT_EQ(DialogWindow::ready, 1);
  EXPECT_EQ(DialogWindow::backdropPending, 0) << "the first window's backdrop is kept";
  DialogWindow::resetDialog();
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
    StateMachine::enter(0);
  }

  // Steps until the splash painter has to move on, or 30 times.
  void advanceToPainterStep() {
    for (int i = 0; i < 30 && !(GameState::splashStep >= 7 && (GameState::splashStep & 1)); ++i)
      StateMachine::advanceSplash();
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
      {0, [](const DImagePtr&) { GameState::splashStep = 3; }, 0xC0C0C0},
      {1,
       [](const DImagePtr& picture) {
         WorldState::trailImage = picture;
         WorldState::trailGraphics = picture->getGraphics();
       },
       kept},
      {2,
       [](const DImagePtr& picture) {
         nvtest::writable(StateMachine::backGraphics) = picture->getGraphics();
         nvtest::writable(GameState::dialogReturnState) = 3;
         nvtest::writable(DialogWindow::ready) = 1;
         nvtest::writable(DialogWindow::noFrame) = 1;
         DialogWindow::bodyText = new qel::lang::DshortArray(0);
       },
       kept},
      {3,
       [](const DImagePtr& picture) {
         nvtest::writable(GameState::backImage) = picture;
         nvtest::writable(StateMachine::backGraphics) = picture->getGraphics();
         nvtest::writable(GameState::mapFullRepaint) = 0;
       },
       kept},
      {4,
       [](const DImagePtr& picture) {
         nvtest::writable(GameState::backImage) = picture;
         nvtest::writable(StateMachine::backGraphics) = picture->getGraphics();
         GameTables::bestResults = new qel::util::DVector(2);
         nvtest::writable(GameState::bestResultsRepaint) = 0;
         GameState::winnerRow = -1;
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
    StateMachine::enter(c.state);
    c.prepare(keptPicture());
    StateMachine::paint(screen->getGraphics());
    EXPECT_EQ(ImagePixels(screen).at(1, 100), through565(c.shown));
    WorldState::trailImage.release();
    WorldState::trailGraphics.release();
    nvtest::writable(GameState::backImage).release();
    nvtest::writable(StateMachine::backGraphics).release();
    GameTables::bestResults.release();
    DialogWindow::resetDialog();
    gamelib::ScreenCanvas::releaseFonts();
  }
}

TEST_F(SplashTest, TheLogoWaitsForAHalfSecondThenDropsBothPictures) {
  GameState::splashStep = 1;
  StateMachine::advanceSplash();
  ASSERT_TRUE(GameState::splashImage);
  EXPECT_EQ(GameState::splashImage->getWidth(), 4);
  EXPECT_EQ(GameState::splashStep, 4);
  StateMachine::advanceSplash();
  ASSERT_TRUE(GameState::backImage);
  EXPECT_EQ(GameState::backImage->getWidth(), 8);
  EXPECT_EQ(GameState::splashStep, 5);

  StateMachine::advanceSplash();
  EXPECT_EQ(GameState::splashStep, 5);
  GameState::halfSecondCount = 2;
  StateMachine::advanceSplash();
  EXPECT_EQ(GameState::splashStep, 6);
  EXPECT_FALSE(GameState::splashImage);
  EXPECT_FALSE(GameState::backImage);
  EXPECT_EQ(GameState::halfSecondCount, 1);
}

TEST_F(SplashTest, MissingLogosGoStraightOnAndOddStepsWaitForThePainter) {
  qel::io::DArchive::close();
  GameState::splashStep = 1;
  advanceToPainterStep();
  EXPECT_EQ(GameState::splashStep, 7);
  EXPECT_FALSE(GameState::splashImage);
  StateMachine::advanceSplash();
  EXPECT_EQ(GameState::splashStep, 7);
}

TEST_F(SplashTest, StepTenLaysTheScreenOutAroundTheTitlePicture) {
  const int32_t placeX = GameTables::mapPlaces->at(0)->at(0);
  const int32_t placeY = GameTables::mapPlaces->at(0)->at(1);
  const int32_t pointX = GameTables::mapPoints->at(0)->at(0);
  const int32_t titleH = GameTables::spriteTable->at(SpriteRows::spriteTitle)->at(3);
  const int32_t topH = GameTables::spriteTable->at(SpriteRows::spriteTopBar)->at(3);
  const int32_t bottomH = GameTables::spriteTable->at(SpriteRows::spriteBottomBar)->at(3);
  GameState::splashStep = 10;
  StateMachine::advanceSplash();
  EXPECT_EQ(GameState::splashStep, 11);
  EXPECT_EQ(GameTables::spriteTable->at(SpriteRows::spriteTitle)->at(2), 200);
  EXPECT_EQ(GameState::layoutX, 20);
  EXPECT_EQ(GameState::layoutY, ((320 - titleH - topH) >> 1) + topH);
  EXPECT_EQ(GameState::layoutBottom, 320 - bottomH);
  EXPECT_EQ(GameTables::mapPlaces->at(0)->at(0), placeX + 20);
  EXPECT_EQ(GameTables::mapPlaces->at(0)->at(1), placeY + GameState::layoutY);
  EXPECT_EQ(GameTables::mapPoints->at(0)->at(0), pointX + 20);
  EXPECT_EQ(GameState::mapPlace, 0);
  EXPECT_EQ(GameState::cursorTargetX, placeX + 20);
  EXPECT_EQ(GameState::cursorTargetY, placeY + GameState::layoutY);
}

TEST_F(SplashTest, LaterStepsMakeTheBackImageAndLoadTheGame) {
  nvtest::writable(WorldState::visibleColumns) = nvtest::writable(WorldState::visibleRows) = 0;
  GameState::splashStep = 18;
  StateMachine::advanceSplash();
  ASSERT_TRUE(GameState::backImage);
  EXPECT_EQ(GameState::backImage->getWidth(), 240);
  EXPECT_EQ(GameState::backImage->getHeight(), 320);
  EXPECT_TRUE(StateMachine::backGraphics);
  EXPECT_EQ(WorldState::visibleColumns, 240 / GameState::cellSize) << "the map's scale";
  EXPECT_EQ(WorldState::visibleRows, 320 / GameState::cellSize);

  GameState::splashStep = 22;
  EXPECT_EQ(codeOf([] { StateMachine::advanceSplash(); }), qel::lang::ExceptionCode::NullPointer);
  MainCanvas::instance = new MainCanvas();
  GameTables::persons[0] = nullptr;
  StateMachine::advanceSplash();
  EXPECT_EQ(GameState::splashStep, 23);
  EXPECT_TRUE(GameState::sounds) << "the start-up load";
  EXPECT_TRUE(GameTables::persons[0]);
  GameState::sounds->release();
  GameState::sounds.release();
}

}  // namespace
