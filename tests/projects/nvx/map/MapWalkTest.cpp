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
    MainCanvas::paint(screen->getGraphics());
    if (MainCanvas::gameState == MainCanvas::stateMapScreen) MainCanvas::tickMapScreen();
    MainCanvas::runPendingTransition();
  }
  static void key(int code) {
    MainCanvas::update(code);
    frame();
  }
  // Phase changes until the cursor stands on its target.
  static void glide() {
    for (int i = 0; i < 20 && (MainCanvas::cursorX != MainCanvas::cursorTargetX ||
                               MainCanvas::cursorY != MainCanvas::cursorTargetY);
         ++i)
      frame();
  }
};

TEST_F(MapWalkTest, TrainingFromTheBriefingToPlanning) {
  MainCanvas::difficulty = -1;
  MainCanvas::enter(MainCanvas::stateSplash);
  MainCanvas::splashStep = 25;
  MainCanvas::restartGame();
  ASSERT_EQ(MainCanvas::levelNumber, 1);
  frame();
  ASSERT_EQ(MainCanvas::gameState, MainCanvas::stateMapScreen);
  frame();
  ASSERT_EQ(MainCanvas::gameState, MainCanvas::stateDialog);
  EXPECT_EQ(MainCanvas::dialogId, 41);
  key(MainCanvas::softKeyLeft);
  ASSERT_EQ(MainCanvas::gameState, MainCanvas::stateMapScreen);

  // The level offers one person; walk to their place and hire them.
  int place = -1;
  for (int p = 3; p <= 6; ++p)
    if (MainCanvas::placeOpen(p)) place = p;
  ASSERT_GE(place, 3);
  for (int tries = 0; tries < 12 && MainCanvas::mapPlace != place; ++tries) {
    key(tries % 2 ? '2' : '6');
    glide();
  }
  ASSERT_EQ(MainCanvas::mapPlace, place);
  key('5');
  ASSERT_EQ(MainCanvas::dialogId, 2);
  // The list offers hire first.
  EXPECT_EQ(MainCanvas::itemIds[0], 124);
  key(MainCanvas::softKeyLeft);
  EXPECT_TRUE(MainCanvas::activePersons->contains(MainCanvas::persons->at(place - 2)));
  if (MainCanvas::gameState == MainCanvas::stateDialog) key(MainCanvas::softKeyLeft);
  ASSERT_EQ(MainCanvas::shopMode, 1);

  // Buy the crowbar, the first cell, then leave the shop.
  frame();
  glide();
  key('5');
  const Person& hired = person(place - 2);
  EXPECT_EQ(hired.pockets[0], 'h');
  EXPECT_EQ(MainCanvas::money, 0);
  key(MainCanvas::softKeyLeft);
  EXPECT_EQ(MainCanvas::shopMode, 0);

  // Planning starts from place 7 with the next frame.
  for (int tries = 0; tries < 12 && MainCanvas::mapPlace != 7; ++tries) {
    key(tries % 2 ? '8' : '6');
    glide();
  }
  ASSERT_EQ(MainCanvas::mapPlace, 7);
  key('5');
  EXPECT_EQ(MainCanvas::gameState, MainCanvas::stateLevel);
}

}  // namespace
}  // namespace nvx
