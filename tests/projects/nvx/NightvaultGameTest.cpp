#include <gtest/gtest.h>

#include "ScreensRecorder.h"
#include "gamelib/GameLib.h"
#include "gamelib/LangInfo.h"
#include "gamelib/ScreenCanvas.h"
#include "microedition/host/ApplicationFactory.h"
#include "microedition/host/GameEngine.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/NightvaultGame.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/projects/gamelib/TestPng.h"
#include "tests/support/DemoData.h"
#include "util/DStringManager.h"

using gamelib::GameLib;
using nvx::MainCanvas;

namespace {

// Screens that apply the one language, paint the splash steps the painter
// owns, and end the application at the start-up question.
class SplashPlayingScreens final : public ScreensRecorder {
public:
  void updateLanguageScreen() override {
    ScreensRecorder::updateLanguageScreen();
    calls.back() += "(" + std::to_string(MainCanvas::pendingKey) + ")";
    MainCanvas::enter(0);
    MainCanvas::splashStep = 0;
  }
  void paintSplash(const qel::lcdui::DGraphicsPtr& g) override {
    if (MainCanvas::splashStep == 0) {
      MainCanvas::screenWidth = MainCanvas::viewWidth = gamelib::ScreenCanvas::screenWidth;
      MainCanvas::screenHeight = MainCanvas::viewHeight = gamelib::ScreenCanvas::screenHeight;
    }
    if (MainCanvas::splashStep == 0 || (MainCanvas::splashStep >= 7 && (MainCanvas::splashStep & 1))) {
      calls.push_back("paintSplash" + std::to_string(MainCanvas::splashStep));
      ++MainCanvas::splashStep;
    }
    (void)g;
  }
  void openStartUpDialog() override {
    ScreensRecorder::openStartUpDialog();
    GameLib::exitApp();
  }
};

TEST(NightvaultGameTest, TheRealHostRunsTheGameFromStartToTheStartUpQuestion) {
  GameFolder folder;
  folder.addEntry("240x320.dat", "PATH=hi/\n");
  folder.addEntry("hi/logo1.png", solidPng(20, 10, 0xFF0000));
  folder.writeArchive();
  wce::ManualClock clock{1000};
  clock.setAutoAdvance(1);
  wce::ScopedClockSource clockScope(clock);
  SplashPlayingScreens screens;
  nvx::NightvaultGame::registerWithGameLib();
  qel::host::installApplicationFactory(
      +[]() -> qel::midlet::DMIDletPtr { return gamelib::GameLib::createApplication(); });
  {
    qel::host::GameEngine engine(new qel::util::DStringManager(0));
    engine.run(nullptr, 240, 320);
  }
  qel::host::installApplicationFactory(nullptr);
  GameLib::registerGame(nullptr);
  GameLib::setSearchPath(nullptr);
  gamelib::LangInfo::releaseInstance();

  std::string shown;
  for (const std::string& call : screens.calls)
    if (call != "paintTicker" && call != "tickTicker") shown += (shown.empty() ? "" : " ") + call;
  EXPECT_EQ(shown,
            "updateLanguageScreen(10002) paintSplash0 paintSplash7 paintSplash9 paintSplash11 paintSplash13 "
            "paintSplash15 paintSplash17 initMapScale paintSplash19 paintSplash21 loadAtStartUp paintSplash23 "
            "paintSplash25 openStartUpDialog shutdown");
  EXPECT_EQ(MainCanvas::splashStep, 26);
  EXPECT_EQ(MainCanvas::introShown, 1);
  EXPECT_EQ(MainCanvas::pendingKey, MainCanvas::noKey);
  MainCanvas::enter(254);
  MainCanvas::splashStep = 0;
  MainCanvas::languageIndex = 0;
  MainCanvas::screenWidth = MainCanvas::screenHeight = MainCanvas::viewWidth = MainCanvas::viewHeight = 0;
}

std::string bytesOf(std::initializer_list<int> bytes) {
  std::string out;
  for (int b : bytes) out.push_back(static_cast<char>(b));
  return out;
}

class NightvaultGameUnitTest : public ::testing::Test {
protected:
  void SetUp() override { gamelib::LangInfo::releaseInstance(); }
  void TearDown() override {
    game.releaseStatics();
    gamelib::LangInfo::releaseInstance();
    MainCanvas::instance.release();
    MainCanvas::enter(254);
    MainCanvas::languageIndex = 0;
    MainCanvas::cellSize = 24;
    MainCanvas::barButtonX = MainCanvas::barButtonY = 2;
    MainCanvas::overlayAX = MainCanvas::overlayBX = 17;
    MainCanvas::overlayAY = 19;
    MainCanvas::overlayBY = 5;
    MainCanvas::textCharWidth = 7;
    MainCanvas::textLineHeight = 9;
  }

  GameFolder folder;
  nvx::NightvaultGame game;
  ScreensRecorder screens;
};

TEST_F(NightvaultGameUnitTest, ResDatOverwritesTheLayoutBytesAndTheGamesOwnTables) {
  // Nine bytes, one row of map places {50, 60}, no other rows.
  folder.addEntry("res.dat", bytesOf({3, 4, 16, 10, 11, 12, 13, 6, 8, 1, 2, 0, 0, 0, 50, 0, 0, 0, 60, 0, 0, 0}));
  folder.openArchive();
  game.initStatics();
  GameLib::loadResData(game.layoutTables());
  game.setDerivedLayout(5, 6, 7);
  const int32_t bytes[] = {MainCanvas::barButtonX,
                           MainCanvas::barButtonY,
                           MainCanvas::cellSize,
                           MainCanvas::overlayAX,
                           MainCanvas::overlayAY,
                           MainCanvas::overlayBX,
                           MainCanvas::overlayBY,
                           MainCanvas::textCharWidth,
                           MainCanvas::textLineHeight};
  EXPECT_EQ(std::vector<int32_t>(std::begin(bytes), std::end(bytes)),
            (std::vector<int32_t>{3, 4, 16, 10, 11, 12, 13, 6, 8}));
  EXPECT_EQ(MainCanvas::mapPlaces->at(0)->at(0), 50);
  EXPECT_EQ(MainCanvas::mapPlaces->at(0)->at(1), 60);
  EXPECT_EQ(MainCanvas::mapPlaces->at(0)->at(2), 242);
  EXPECT_EQ(MainCanvas::cursorOffsetY, 5);
  EXPECT_EQ(MainCanvas::layoutValue3, 7);
}

// The derived values are measured on the tables res.dat filled, and the
// layout bytes it gave stay (the demo's glyph cell is narrower than the default).
TEST_F(NightvaultGameUnitTest, TheDerivedLayoutKeepsTheLayoutBytesOfResDat) {
  const nv::demodata::ArchiveEntry* res = nvtest::demoData().find("240x320/res.dat");
  ASSERT_NE(res, nullptr);
  const int textCharWidth = static_cast<int8_t>(res->data.at(7));
  ASSERT_NE(textCharWidth, 7) << "the demo's glyph cell differs from the default";
  folder.addEntry("res.dat", std::string(res->data.begin(), res->data.end()));
  folder.openArchive();
  game.initStatics();
  gamelib::ResTables& tables = game.layoutTables();
  GameLib::loadResData(tables);
  GameLib::deriveLayout(game, tables);
  EXPECT_EQ(MainCanvas::textCharWidth, textCharWidth);
  EXPECT_EQ(MainCanvas::layoutValue3, tables.spriteTable->at(44)->at(2));
}

TEST_F(NightvaultGameUnitTest, WithoutResDatTheLayoutBytesKeepTheirDefaults) {
  folder.openArchive();
  game.initStatics();
  GameLib::loadResData(game.layoutTables());
  game.setDerivedLayout(0, 0, 0);
  EXPECT_EQ(MainCanvas::cellSize, 24);
  EXPECT_EQ(MainCanvas::barButtonX, 2);
  EXPECT_EQ(MainCanvas::overlayBY, 5);
  EXPECT_EQ(MainCanvas::textCharWidth, 7);
  EXPECT_EQ(MainCanvas::textLineHeight, 9);
}

TEST_F(NightvaultGameUnitTest, WithTwoLanguagesTheGameStartsOnTheLanguageScreen) {
  folder.addEntry("lang.dat", recordLines({"LANG=English;Deutsch", "ID=en;de"}));
  folder.writeProgramFile("langid", bytesOf({0, 0, 0, 1}));
  folder.addEntry("img/gui.bin", bytesOf({0, 0, 0, 0}));
  folder.addEntry("img/gui.png", solidPng(2, 2, 0));
  folder.openArchive();
  game.initStatics();
  game.init();
  EXPECT_EQ(screens.joined(), "setUpLanguageScreen");
  EXPECT_EQ(MainCanvas::gameState, 5);
  EXPECT_EQ(MainCanvas::languageIndex, 1);
  EXPECT_TRUE(MainCanvas::instance);
  EXPECT_TRUE(MainCanvas::guiImages);
  EXPECT_EQ(MainCanvas::pendingKey, MainCanvas::noKey);
}

}  // namespace
