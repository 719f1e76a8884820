#include <gtest/gtest.h>

#include "MenusFixture.h"

namespace nvx {
namespace {

// The state machine over the game's own screens, just after the splash.
using StateScreensTest = MenusTest;

TEST_F(StateScreensTest, UpdatesGoToTheCurrentStateWithTheKeyPending) {
  struct Case {
    const char* what;
    uint8_t state;
    uint8_t skipWorldLogic;
    int32_t key;
    void (*prepare)();
    bool (*handled)();
  };
  const Case cases[] = {
      {"level play without a crew leaves for the map",
       MainCanvas::stateLevel,
       1,
       MainCanvas::softKeyLeft,
       [] {},
       [] { return MainCanvas::pendingTransition == 3 && MainCanvas::policeOffset == 1000; }},
      {"while planning the vehicle stands by too",
       MainCanvas::stateLevel,
       0,
       MainCanvas::softKeyLeft,
       [] {},
       [] { return MainCanvas::pendingTransition == 3 && MainCanvas::policeOffset != 1000; }},
      {"a window moves its selection",
       MainCanvas::stateDialog,
       0,
       '8',
       [] { MainCanvas::showMainMenu(); },
       [] { return MainCanvas::dialogId == 22 && MainCanvas::selection == 1; }},
      {"the map screen starts its message line",
       MainCanvas::stateMapScreen,
       0,
       MainCanvas::softKeyRight,
       [] {},
       [] { return MainCanvas::tickerRunning == 1; }},
      {"the best results go back to the main menu",
       MainCanvas::stateBestResults,
       0,
       MainCanvas::softKeyLeft,
       [] { MainCanvas::winnerRow = -1; },
       [] { return MainCanvas::gameState == MainCanvas::stateDialog && MainCanvas::dialogId == 22; }},
      {"the language screen moves to the next language",
       MainCanvas::stateLanguage,
       0,
       '8',
       [] {},
       [] { return MainCanvas::languageIndex == 1; }},
      {"nothing in another state", 255, 0, '8', [] {}, [] { return MainCanvas::gameState == 255; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MainCanvas::enter(MainCanvas::stateSplash);
    MainCanvas::activePersons->removeAllElements();
    MainCanvas::selectedPerson = nullptr;
    MainCanvas::phase = 0;
    MainCanvas::pendingTransition = 0;
    MainCanvas::policeOffset = 1000;
    MainCanvas::tickerRunning = 0;
    MainCanvas::languageIndex = 0;
    c.prepare();
    if (c.state != MainCanvas::stateDialog) MainCanvas::enter(c.state);
    MainCanvas::skipWorldLogic = c.skipWorldLogic;
    MainCanvas::update(c.key);
    EXPECT_TRUE(c.handled());
  }
  MainCanvas::pendingTransition = 0;
  MainCanvas::tickerRunning = 0;
  MainCanvas::clearTicker();
}

TEST_F(StateScreensTest, ATransitionRunsOnlyAfterAFrameShowedTheWaitBox) {
  const qel::lcdui::DImagePtr screen = qel::lcdui::DImage::createImage(240, 320);
  MainCanvas::pendingTransition = 3;
  MainCanvas::runPendingTransition();
  EXPECT_EQ(MainCanvas::gameState, MainCanvas::stateSplash);
  MainCanvas::paint(screen->getGraphics());
  EXPECT_EQ(MainCanvas::transitionArmed, 1);
  MainCanvas::runPendingTransition();
  EXPECT_EQ(MainCanvas::gameState, MainCanvas::stateMapScreen);
  EXPECT_EQ(MainCanvas::pendingTransition, 0);
  EXPECT_EQ(MainCanvas::transitionArmed, 0);
}

TEST_F(StateScreensTest, ArmedTransitionsReachTheirScreens) {
  MainCanvas::difficulty = 0;
  MainCanvas::startLevel(1);
  MainCanvas::activePersons->addElement(MainCanvas::persons[1]);
  struct Case {
    uint8_t transition;
    uint8_t state;
    // Expected: level play running (1), planning (0), or no level play (-1).
    int running;
  };
  for (const Case& c : {Case{1, MainCanvas::stateLevel, 1},
                        Case{2, MainCanvas::stateLevel, 0},
                        Case{3, MainCanvas::stateMapScreen, -1},
                        Case{4, MainCanvas::stateBestResults, -1},
                        Case{9, MainCanvas::stateSplash, -1}}) {
    SCOPED_TRACE(int(c.transition));
    MainCanvas::enter(MainCanvas::stateSplash);
    MainCanvas::winnerRow = 2;
    MainCanvas::pendingTransition = c.transition;
    MainCanvas::transitionArmed = 1;
    MainCanvas::runPendingTransition();
    EXPECT_EQ(MainCanvas::gameState, c.state);
    if (c.running >= 0) {
      EXPECT_EQ(MainCanvas::skipWorldLogic, c.running);
    }
    EXPECT_EQ(MainCanvas::winnerRow, c.transition == 4 ? -1 : 2) << "the best results only shown";
    // An unknown request is dropped, so no wait box stays on the screen.
    EXPECT_EQ(MainCanvas::pendingTransition, 0);
    EXPECT_EQ(MainCanvas::transitionArmed, 0);
  }
}

TEST_F(StateScreensTest, AfterTheSplashComesTheQuestionThenTheMenuOrTheFirstRunText) {
  struct Case {
    uint8_t introShown, optionsMissing;
    int window;
    uint8_t optionsMissingAfter;
  };
  for (const Case& c : {Case{0, 1, 48, 1}, Case{1, 0, 22, 0}, Case{1, 1, 21, 0}}) {
    SCOPED_TRACE(c.window);
    writeRecord(u"winner", {1, 2, 3});
    MainCanvas::introShown = c.introShown;
    MainCanvas::optionsMissing = c.optionsMissing;
    MainCanvas::splashImage = qel::lcdui::DImage::createImage(2, 2);
    MainCanvas::enter(MainCanvas::stateSplash);
    MainCanvas::splashStep = 26;
    MainCanvas::advanceSplash();
    EXPECT_EQ(MainCanvas::gameState, MainCanvas::stateDialog);
    EXPECT_EQ(MainCanvas::dialogId, c.window);
    EXPECT_EQ(recordOf(u"winner").size(), c.window == 21 ? 90u : 3u) << "the first run resets the best results";
    EXPECT_EQ(MainCanvas::introShown, 1);
    EXPECT_EQ(MainCanvas::optionsMissing, c.optionsMissingAfter);
    EXPECT_EQ(MainCanvas::splashStep, 25) << "the title screen painted again under the window";
    EXPECT_FALSE(MainCanvas::splashImage);
  }
}

}  // namespace
}  // namespace nvx
