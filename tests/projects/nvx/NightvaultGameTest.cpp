#include <gtest/gtest.h>

#include "ScreensRecorder.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "microedition/host/GameEngine.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/NightvaultGame.h"
#include "platform/system/Clock.h"
#include "platform/system/ManualClock.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/projects/gamelib/TestPng.h"
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
    MainCanvas::gameState = 0;
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
  {
    qel::host::GameEngine engine(new qel::util::DStringManager(0));
    engine.run(nullptr, 240, 320);
  }
  GameLib::registerGame(nullptr);
  GameLib::setSearchPath(nullptr);

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
  MainCanvas::gameState = 254;
  MainCanvas::splashStep = 0;
}

}  // namespace
