#include <gtest/gtest.h>

#include "MenusFixture.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/play/LevelStart.h"
#include "nvx/src/screens/Ticker.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/windows/GameDialogs.h"
#include "tests/support/Writable.h"

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
       StateMachine::stateLevel,
       1,
       KeyInput::softKeyLeft,
       [] {},
       [] { return GameState::pendingTransition == 3 && WorldState::policeOffset == 1000; }},
      {"while planning the vehicle stands by too",
       StateMachine::stateLevel,
       0,
       KeyInput::softKeyLeft,
       [] {},
       [] { return GameState::pendingTransition == 3 && WorldState::policeOffset != 1000; }},
      {"a window moves its selection",
       StateMachine::stateDialog,
       0,
       '8',
       [] { GameDialogs::showMainMenu(); },
       [] { return DialogWindow::dialogId == 22 && DialogWindow::selection == 1; }},
      {"the map screen starts its message line",
       StateMachine::stateMapScreen,
       0,
       KeyInput::softKeyRight,
       [] {},
       [] { return GameState::tickerRunning == 1; }},
      {"the best results go back to the main menu",
       StateMachine::stateBestResults,
       0,
       KeyInput::softKeyLeft,
       [] { GameState::winnerRow = -1; },
       [] { return GameState::gameState == StateMachine::stateDialog && DialogWindow::dialogId == 22; }},
      {"the language screen moves to the next language",
       StateMachine::stateLanguage,
       0,
       '8',
       [] {},
       [] { return GameState::languageIndex == 1; }},
      {"nothing in another state", 255, 0, '8', [] {}, [] { return GameState::gameState == 255; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StateMachine::enter(StateMachine::stateSplash);
    GameTables::activePersons->removeAllElements();
    WorldState::selectedPerson = nullptr;
    WorldState::phase = 0;
    GameState::pendingTransition = 0;
    nvtest::writable(WorldState::policeOffset) = 1000;
    nvtest::writable(GameState::tickerRunning) = 0;
    GameState::languageIndex = 0;
    c.prepare();
    if (c.state != StateMachine::stateDialog) StateMachine::enter(c.state);
    nvtest::writable(GameState::skipWorldLogic) = c.skipWorldLogic;
    StateMachine::update(c.key);
    EXPECT_TRUE(c.handled());
  }
  GameState::pendingTransition = 0;
  nvtest::writable(GameState::tickerRunning) = 0;
  Ticker::clearTicker();
}

TEST_F(StateScreensTest, ATransitionRunsOnlyAfterAFrameShowedTheWaitBox) {
  const qel::lcdui::DImagePtr screen = qel::lcdui::DImage::createImage(240, 320);
  GameState::pendingTransition = 3;
  StateMachine::runPendingTransition();
  EXPECT_EQ(GameState::gameState, StateMachine::stateSplash);
  StateMachine::paint(screen->getGraphics());
  EXPECT_EQ(GameState::transitionArmed, 1);
  StateMachine::runPendingTransition();
  EXPECT_EQ(GameState::gameState, StateMachine::stateMapScreen);
  EXPECT_EQ(GameState::pendingTransition, 0);
  EXPECT_EQ(GameState::transitionArmed, 0);
}

TEST_F(StateScreensTest, ArmedTransitionsReachTheirScreens) {
  GameState::difficulty = 0;
  LevelStart::startLevel(1);
  GameTables::activePersons->addElement(GameTables::persons[1]);
  struct Case {
    uint8_t transition;
    uint8_t state;
    // Expected: level play running (1), planning (0), or no level play (-1).
    int running;
  };
  for (const Case& c : {Case{1, StateMachine::stateLevel, 1},
                        Case{2, StateMachine::stateLevel, 0},
                        Case{3, StateMachine::stateMapScreen, -1},
                        Case{4, StateMachine::stateBestResults, -1},
                        Case{9, StateMachine::stateSplash, -1}}) {
    SCOPED_TRACE(int(c.transition));
    StateMachine::enter(StateMachine::stateSplash);
    GameState::winnerRow = 2;
    GameState::pendingTransition = c.transition;
    nvtest::writable(GameState::transitionArmed) = 1;
    StateMachine::runPendingTransition();
    EXPECT_EQ(GameState::gameState, c.state);
    if (c.running >= 0) {
      EXPECT_EQ(GameState::skipWorldLogic, c.running);
    }
    EXPECT_EQ(GameState::winnerRow, c.transition == 4 ? -1 : 2) << "the best results only shown";
    // An unknown request is dropped, so no wait box stays on the screen.
    EXPECT_EQ(GameState::pendingTransition, 0);
    EXPECT_EQ(GameState::transitionArmed, 0);
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
    GameState::introShown = c.introShown;
    GameState::optionsMissing = c.optionsMissing;
    nvtest::writable(GameState::splashImage) = qel::lcdui::DImage::createImage(2, 2);
    StateMachine::enter(StateMachine::stateSplash);
    GameState::splashStep = 26;
    StateMachine::advanceSplash();
    EXPECT_EQ(GameState::gameState, StateMachine::stateDialog);
    EXPECT_EQ(DialogWindow::dialogId, c.window);
    EXPECT_EQ(recordOf(u"winner").size(), c.window == 21 ? 90u : 3u) << "the first run resets the best results";
    EXPECT_EQ(GameState::introShown, 1);
    EXPECT_EQ(GameState::optionsMissing, c.optionsMissingAfter);
    EXPECT_EQ(GameState::splashStep, 25) << "the title screen painted again under the window";
    EXPECT_FALSE(GameState::splashImage);
  }
}

}  // namespace
}  // namespace nvx
