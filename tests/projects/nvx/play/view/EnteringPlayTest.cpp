#include "DemoLevel.h"
#include "lang/DintArray2d.h"
#include "lang/DshortArray2d.h"
#include "nvx/src/play/EnteringPlay.h"
#include "nvx/src/play/LevelStart.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogWindow.h"
#include "tests/support/Writable.h"

namespace nvx {
namespace {

class EnteringPlayTest : public DemoLevel {
protected:
  static std::vector<int> crewIds() {
    std::vector<int> out;
    for (int i = 0; i < GameTables::activePersons->size(); ++i)
      out.push_back(static_cast<Person*>(GameTables::activePersons->elementAt(i))->id);
    return out;
  }
};

TEST_F(EnteringPlayTest, ATrainingLevelWithoutCrewOnlyOpensTheNotice) {
  GameState::difficulty = -1;
  LevelStart::startLevel(3);
  StateMachine::enter(StateMachine::stateMapScreen);
  EnteringPlay::setUpLevel();
  EXPECT_EQ(GameState::gameState, StateMachine::stateDialog);
  EXPECT_EQ(GameState::dialogReturnState, StateMachine::stateMapScreen);
  EXPECT_EQ(DialogWindow::dialogId, 0);
  EXPECT_EQ(GameState::skipWorldLogic, 0);
  EXPECT_FALSE(WorldState::trailImage);
}

TEST_F(EnteringPlayTest, TheLeaderJoinsTheRunOutsideTheTrainingAndAtItsLastLevel) {
  struct Case {
    int difficulty, level;
    std::vector<int> crew;
  };
  const Case cases[] = {{-1, 5, {3}}, {-1, 6, {3, 0}}, {0, 7, {3, 0}}, {2, 12, {3, 0}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.difficulty << " " << c.level);
    GameState::difficulty = static_cast<int8_t>(c.difficulty);
    LevelStart::startLevel(c.level);
    GameTables::activePersons->removeAllElements();
    hire(3);
    EnteringPlay::setUpLevel();
    EXPECT_EQ(crewIds(), c.crew);
    EXPECT_EQ(GameState::gameState, StateMachine::stateLevel);
    EXPECT_EQ(GameState::skipWorldLogic, 1);
    EXPECT_EQ(WorldState::phase, 5) << "the vehicle arrives";
    EXPECT_EQ(WorldState::vehicleX, 240);
    EXPECT_EQ(Person::selected()->id, c.crew.back());
    EXPECT_EQ(GameState::levelCounterAtStart, GameState::levelCounter);
    ASSERT_TRUE(WorldState::trailImage);

    EnteringPlay::enterPlanning();
    EXPECT_EQ(crewIds(), std::vector<int>{3});
    ASSERT_NE(Person::selected(), nullptr);
    EXPECT_EQ(Person::selected()->id, 3) << "the first of the crew is steered";
    EXPECT_EQ(GameState::skipWorldLogic, 0);
    EXPECT_EQ(GameState::gameState, StateMachine::stateLevel);
  }
}

TEST_F(EnteringPlayTest, ARunSetUpTwiceKeepsOneLeader) {
  GameState::difficulty = 0;
  LevelStart::startLevel(8);
  hire(3);
  EnteringPlay::setUpLevel();
  EnteringPlay::setUpLevel();
  EXPECT_EQ(crewIds(), (std::vector<int>{3, 0}));
}

TEST_F(EnteringPlayTest, PlanningStraightFromTheMapScreenPaintsTheLevel) {
  GameState::difficulty = 0;
  LevelStart::startLevel(7);
  EnteringPlay::enterPlanning();
  qel::lcdui::DImagePtr screen = newScreen();
  ViewScene::paintLevel(screen->getGraphics());
  EXPECT_FALSE(nvtest::sameColour(nvtest::pixel(screen, 120, 100), 0xFFFFFF)) << "the level, not an empty screen";
  EXPECT_EQ(WorldState::sceneDirty, 0);
}

// Sheets of 200 frames (all), 100, 30 and 8 person frames; the first frame
// of animation rows 0, 1, 3, 4, 7, 11 and 15 after fitting.
TEST_F(EnteringPlayTest, PersonAnimationsFallBackToFramesTheSheetHolds) {
  struct Case {
    int width, height;
    std::vector<int> firstFrames;
  };
  const Case cases[] = {
      {192, 600, {9, 8, 168, 137, 88, 152, 136}},
      {240, 240, {9, 8, 24, 40, 88, 88, 6}},
      {144, 120, {9, 8, 24, 24, 24, 24, 6}},
      {192, 24, {9, 8, 24, 24, 24, 24, 6}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width * c.height / 576);
    MainCanvas::initStatics();
    GameState::pictures[6] = qel::lcdui::DImage::createImage(c.width, c.height);
    nvtest::writable(WorldState::spritesFitted) = 0;
    EnteringPlay::fitSpriteTables();
    std::vector<int> firstFrames;
    for (int row : {0, 1, 3, 4, 7, 11, 15}) firstFrames.push_back(GameTables::animationFrames[row][0]);
    EXPECT_EQ(firstFrames, c.firstFrames);
    EXPECT_EQ(WorldState::spritesFitted, 1);
  }
}

TEST_F(EnteringPlayTest, ObjectKindsTakeTheirFallbacksFramesOnceARun) {
  GameState::pictures[5] = qel::lcdui::DImage::createImage(192, 120);  // 40 frames
  nvtest::writable(WorldState::spritesFitted) = 0;
  EnteringPlay::fitSpriteTables();
  auto kind = [](int t) {
    std::vector<int> row;
    for (int column = 0; column < 7; ++column) row.push_back(GameTables::objectTypeTable[t][column]);
    return row;
  };
  EXPECT_EQ(kind(2), (std::vector<int>{32, 34, 32, 34, 2, 5, 10})) << "door frames of kind 1";
  EXPECT_EQ(kind(8), (std::vector<int>{8, 10, 12, 14, 8, 17, 10})) << "kind 3";
  EXPECT_EQ(kind(14), (std::vector<int>{48, 50, 52, 54, 13, 81, 4})) << "last fallback, half-drawn flag taken";
  EXPECT_EQ(kind(17), (std::vector<int>{40, 40, 40, 40, -1, 32, 0})) << "no fallback: past the sheet, no symbol";
  EXPECT_EQ(kind(28), (std::vector<int>{20, 22, 20, 22, 19, 32, 7}));
  EXPECT_EQ(kind(12), (std::vector<int>{24, 26, 28, 30, 11, 145, 5})) << "frames that exist stay";

  GameState::pictures[5] = qel::lcdui::DImage::createImage(24, 24);
  EnteringPlay::fitSpriteTables();
  EXPECT_EQ(kind(12)[0], 24) << "fitted once a run";
}

}  // namespace
}  // namespace nvx
