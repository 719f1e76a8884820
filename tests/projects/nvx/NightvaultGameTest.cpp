#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

#include "gamelib/GameLib.h"
#include "gamelib/LangInfo.h"
#include "gamelib/ScreenCanvas.h"
#include "microedition/host/ApplicationFactory.h"
#include "microedition/host/GameEngine.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/NightvaultGame.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/windows/DialogWindow.h"
#include "platform/driver/DeviceDriver.h"
#include "platform/driver/MemoryDriver.h"
#include "platform/system/Clock.h"
#include "platform/testing/ManualClock.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/projects/gamelib/TestPng.h"
#include "tests/support/DemoData.h"
#include "tests/support/Writable.h"
#include "util/DStringManager.h"

using gamelib::GameLib;
using nvx::DialogWindow;
using nvx::GameState;
using nvx::GameTables;
using nvx::MainCanvas;
using nvx::StateMachine;

namespace {

// The device of the run: each look at its events notes the splash step the
// game is on, and once the start-up question is open the application ends.
class WatchingDevice final : public wce::MemoryDriver {
public:
  void pollEvents() override {
    if (GameState::gameState == StateMachine::stateSplash &&
        (splashSteps.empty() || splashSteps.back() != GameState::splashStep))
      splashSteps.push_back(GameState::splashStep);
    if (GameState::gameState == StateMachine::stateDialog && DialogWindow::dialogId == startUpQuestion &&
        !GameLib::exiting) {
      askedToStart = true;
      GameLib::exitApp();
    }
  }
  void waitEvents(uint32_t) override {}

  static constexpr int startUpQuestion = 48;
  std::vector<int> splashSteps;
  bool askedToStart = false;
};

TEST(NightvaultGameTest, TheRealHostRunsTheGameFromStartToTheStartUpQuestion) {
  GameFolder folder;
  folder.addEntry("240x320.dat", "PATH=hi/\n");
  folder.addEntry("hi/logo1.png", solidPng(20, 10, 0xFF0000));
  folder.writeArchive();
  wce::ManualClock clock{1000};
  clock.setAutoAdvance(1);
  wce::ScopedClockSource clockScope(clock);
  WatchingDevice device;
  wce::DeviceDriverScope deviceScope(device);
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

  // The one language applied, every step of the splash in order, then the question.
  ASSERT_FALSE(device.splashSteps.empty());
  EXPECT_EQ(device.splashSteps.front(), 0);
  EXPECT_TRUE(std::is_sorted(device.splashSteps.begin(), device.splashSteps.end()));
  EXPECT_EQ(device.splashSteps.back(), 26);
  EXPECT_TRUE(device.askedToStart);
  EXPECT_EQ(GameState::gameState, StateMachine::stateShutDown);
  EXPECT_EQ(GameState::splashStep, 26);
  EXPECT_EQ(GameState::introShown, 1);
  EXPECT_EQ(GameState::pendingKey, GameState::noKey);
  StateMachine::enter(254);
  GameState::splashStep = 0;
  GameState::languageIndex = 0;
  nvtest::writable(GameState::screenWidth) = nvtest::writable(GameState::screenHeight) =
      nvtest::writable(GameState::viewWidth) = nvtest::writable(GameState::viewHeight) = 0;
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
    StateMachine::enter(254);
    GameState::languageIndex = 0;
    nvtest::writable(GameState::cellSize) = 24;
    nvtest::writable(GameState::barButtonX) = nvtest::writable(GameState::barButtonY) = 2;
    nvtest::writable(GameState::overlayAX) = nvtest::writable(GameState::overlayBX) = 17;
    nvtest::writable(GameState::overlayAY) = 19;
    nvtest::writable(GameState::overlayBY) = 5;
    nvtest::writable(GameState::textCharWidth) = 7;
    nvtest::writable(GameState::textLineHeight) = 9;
  }

  GameFolder folder;
  nvx::NightvaultGame game;
};

TEST_F(NightvaultGameUnitTest, ResDatOverwritesTheLayoutBytesAndTheGamesOwnTables) {
  // Nine bytes, one row of map places {50, 60}, no other rows.
  folder.addEntry("res.dat", bytesOf({3, 4, 16, 10, 11, 12, 13, 6, 8, 1, 2, 0, 0, 0, 50, 0, 0, 0, 60, 0, 0, 0}));
  folder.openArchive();
  game.initStatics();
  GameLib::loadResData(game.layoutTables());
  game.setDerivedLayout(5, 6, 7);
  const int32_t bytes[] = {GameState::barButtonX,
                           GameState::barButtonY,
                           GameState::cellSize,
                           GameState::overlayAX,
                           GameState::overlayAY,
                           GameState::overlayBX,
                           GameState::overlayBY,
                           GameState::textCharWidth,
                           GameState::textLineHeight};
  EXPECT_EQ(std::vector<int32_t>(std::begin(bytes), std::end(bytes)),
            (std::vector<int32_t>{3, 4, 16, 10, 11, 12, 13, 6, 8}));
  EXPECT_EQ(GameTables::mapPlaces->at(0)->at(0), 50);
  EXPECT_EQ(GameTables::mapPlaces->at(0)->at(1), 60);
  EXPECT_EQ(GameTables::mapPlaces->at(0)->at(2), 242);
  EXPECT_EQ(GameState::cursorOffsetY, 5);
  EXPECT_EQ(GameState::layoutValue3, 7);
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
  EXPECT_EQ(GameState::textCharWidth, textCharWidth);
  EXPECT_EQ(GameState::layoutValue3, tables.spriteTable->at(44)->at(2));
}

TEST_F(NightvaultGameUnitTest, WithoutResDatTheLayoutBytesKeepTheirDefaults) {
  folder.openArchive();
  game.initStatics();
  GameLib::loadResData(game.layoutTables());
  game.setDerivedLayout(0, 0, 0);
  EXPECT_EQ(GameState::cellSize, 24);
  EXPECT_EQ(GameState::barButtonX, 2);
  EXPECT_EQ(GameState::overlayBY, 5);
  EXPECT_EQ(GameState::textCharWidth, 7);
  EXPECT_EQ(GameState::textLineHeight, 9);
}

TEST_F(NightvaultGameUnitTest, WithTwoLanguagesTheGameStartsOnTheLanguageScreen) {
  folder.addEntry("lang.dat", recordLines({"LANG=English;Deutsch", "ID=en;de"}));
  folder.writeProgramFile("langid", bytesOf({0, 0, 0, 1}));
  folder.addEntry("img/gui.bin", bytesOf({0, 0, 0, 0}));
  folder.addEntry("img/gui.png", solidPng(2, 2, 0));
  // The device's font, which lays the language screen out.
  for (const char* name : {"game_0", "game_0.png"}) {
    const nv::demodata::ArchiveEntry* font = nvtest::demoData().find(std::string("240x320/") + name);
    ASSERT_NE(font, nullptr) << name;
    folder.addEntry(name, std::string(font->data.begin(), font->data.end()));
  }
  folder.openArchive();
  gamelib::ScreenCanvas::loadFonts(u"");
  gamelib::ScreenCanvas::screenWidth = 240;
  gamelib::ScreenCanvas::screenHeight = 320;
  game.initStatics();
  nvtest::writable(GameState::langPanelWidth) = 0;
  game.init();
  gamelib::ScreenCanvas::releaseFonts();
  EXPECT_GT(GameState::langPanelWidth, 0) << "the language screen is laid out";
  EXPECT_EQ(GameState::gameState, 5);
  EXPECT_EQ(GameState::languageIndex, 1);
  EXPECT_TRUE(MainCanvas::instance);
  EXPECT_TRUE(GameState::guiImages);
  EXPECT_EQ(GameState::pendingKey, GameState::noKey);
}

}  // namespace
