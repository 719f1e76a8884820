#include "nvx/src/input/KeyInput.h"
#include "nvx/src/play/LevelStart.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/windows/DialogWindow.h"
#include "tests/projects/nvx/map/MapFixture.h"
#include "util/DVector.h"

namespace nvx {
namespace {

// Driven through the state machine, a new training game reaches the map screen, its briefing, a person hired and
// equipped by keys, and planning.
class MapWalkTest : public MapFixture {
protected:
  void SetUp() override {
    MapFixture::SetUp();
    MainCanvas::instance = new MainCanvas();
  }
  void TearDown() override {
    MainCanvas::instance.release();
    MapFixture::TearDown();
  }

  // One frame drawn (arming a transition) and one phase change.
  static void frame() {
    const qel::lcdui::DImagePtr screen = qel::lcdui::DImage::createImage(240, 320);
    StateMachine::paint(screen->getGraphics());
    if (GameState::gameState == StateMachine::stateMapScreen) MapScreen::tickMapScreen();
    StateMachine::runPendingTransition();
  }
  static void key(int code) {
    StateMachine::update(code);
    frame();
  }
  // Phase changes until the cursor stands on its target.
  static void glide() {
    for (int i = 0;
         i < 20 && (MapScreen::cursorX != GameState::cursorTargetX || MapScreen::cursorY != GameState::cursorTargetY);
         ++i)
      frame();
  }
};

TEST_F(MapWalkTest, TrainingFromTheBriefingToPlanning) {
  GameState::difficulty = -1;
  StateMachine::enter(StateMachine::stateSplash);
  GameState::splashStep = 25;
  LevelStart::restartGame();
  ASSERT_EQ(GameState::levelNumber, 1);
  frame();
  ASSERT_EQ(GameState::gameState, StateMachine::stateMapScreen);
  frame();
  ASSERT_EQ(GameState::gameState, StateMachine::stateDialog);
  EXPECT_EQ(DialogWindow::dialogId, 41);
  key(KeyInput::softKeyLeft);
  ASSERT_EQ(GameState::gameState, StateMachine::stateMapScreen);

  // The level offers one person; walk to their place and hire them.
  int place = -1;
  for (int p = 3; p <= 6; ++p)
    if (MapScreen::placeOpen(p)) place = p;
  ASSERT_GE(place, 3);
  for (int tries = 0; tries < 12 && GameState::mapPlace != place; ++tries) {
    key(tries % 2 ? '2' : '6');
    glide();
  }
  ASSERT_EQ(GameState::mapPlace, place);
  key('5');
  ASSERT_EQ(DialogWindow::dialogId, 2);
  // The list offers hire first.
  EXPECT_EQ(DialogWindow::itemIds[0], 124);
  key(KeyInput::softKeyLeft);
  EXPECT_TRUE(GameTables::activePersons->contains(GameTables::persons->at(place - 2)));
  if (GameState::gameState == StateMachine::stateDialog) key(KeyInput::softKeyLeft);
  ASSERT_EQ(GameState::shopMode, 1);

  // Buy the crowbar, the first cell, then leave the shop.
  frame();
  glide();
  key('5');
  const Person& hired = person(place - 2);
  EXPECT_EQ(hired.pockets[0], 'h');
  EXPECT_EQ(GameState::money, 0);
  key(KeyInput::softKeyLeft);
  EXPECT_EQ(GameState::shopMode, 0);

  // Planning starts from place 7 with the next frame.
  for (int tries = 0; tries < 12 && GameState::mapPlace != 7; ++tries) {
    key(tries % 2 ? '8' : '6');
    glide();
  }
  ASSERT_EQ(GameState::mapPlace, 7);
  key('5');
  EXPECT_EQ(GameState::gameState, StateMachine::stateLevel);
}

}  // namespace
}  // namespace nvx
