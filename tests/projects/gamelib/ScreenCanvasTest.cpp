#include <gtest/gtest.h>

#include "GameFolder.h"
#include "HostDouble.h"
#include "gamelib/GameLib.h"
#include "gamelib/Resources.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DObjectArray.h"

using gamelib::GameLib;
using gamelib::ScreenCanvas;

namespace {

class ScreenCanvasTest : public ::testing::Test {
protected:
  void SetUp() override {
    folder.addEntry("240x320.dat", "PATH=hi/\n");
    folder.writeArchive();
    host.clock.setAutoAdvance(1);
    host.app->startApp();
    host.clock.setAutoAdvance(0);
    canvas = ScreenCanvas::current();
    ASSERT_NE(canvas, nullptr);
    ScreenCanvas::resetKeys();
  }
  void TearDown() override { gamelib::Resources::setSearchPath(nullptr); }

  GameFolder folder;
  HostDouble host;
  ScreenCanvas* canvas = nullptr;
};

TEST_F(ScreenCanvasTest, APressAndReleaseInOneStepHoldTheKeyForOneStep) {
  canvas->keyPressed('5');
  canvas->keyReleased('5');
  EXPECT_EQ(ScreenCanvas::keyAny, 1);
  EXPECT_EQ(ScreenCanvas::keyStates[ScreenCanvas::Fire], 0);
  ScreenCanvas::pumpKeyEvent();
  EXPECT_EQ(ScreenCanvas::keyStates[ScreenCanvas::Fire], 1);
  ScreenCanvas::pumpKeyEvent();
  EXPECT_EQ(ScreenCanvas::keyStates[ScreenCanvas::Fire], 0);
  EXPECT_EQ(ScreenCanvas::keyAny, 0);
  EXPECT_EQ(ScreenCanvas::queueRead, -1);
  EXPECT_EQ(ScreenCanvas::queueWrite, -1);
}

TEST_F(ScreenCanvasTest, ActionsSetTheirBytes) {
  struct Case {
    int32_t code;
    std::vector<int> held;
  };
  for (const Case& c : {Case{38, {ScreenCanvas::Up}}, Case{'8', {ScreenCanvas::Down}}, Case{37, {ScreenCanvas::Left}},
                        Case{10000, {ScreenCanvas::SoftLeft}}, Case{10001, {ScreenCanvas::SoftRight}},
                        Case{-2, {ScreenCanvas::ExtraUp, ScreenCanvas::Up}},
                        Case{-3, {ScreenCanvas::ExtraDown, ScreenCanvas::Down}}, Case{-4, {ScreenCanvas::Special}},
                        Case{10004, {}}, Case{10003, {}}, Case{12345, {}}}) {
    ScreenCanvas::resetKeys();
    ScreenCanvas::processKey(c.code, true);
    for (int action = 0; action < ScreenCanvas::ActionCount; ++action) {
      bool expected = std::find(c.held.begin(), c.held.end(), action) != c.held.end();
      EXPECT_EQ(ScreenCanvas::keyStates[action], expected ? 1 : 0) << c.code << " action " << action;
    }
    EXPECT_EQ(ScreenCanvas::keyAny, 1);
    EXPECT_EQ(ScreenCanvas::lastKeyCode, c.code);
  }
}

TEST_F(ScreenCanvasTest, AFullQueueOverwritesItsLastEntry) {
  for (int i = 0; i < 1030; ++i) canvas->keyPressed(1000 + i);
  EXPECT_EQ(ScreenCanvas::queueWrite, 1023);
  EXPECT_EQ(ScreenCanvas::keyQueue[1022].code, 1000 + 1022);
  EXPECT_EQ(ScreenCanvas::keyQueue[1023].code, 1000 + 1029);
  for (int i = 0; i < 1024; ++i) ScreenCanvas::pumpKeyEvent();
  EXPECT_EQ(ScreenCanvas::lastKeyCode, 1000 + 1029);
  EXPECT_EQ(ScreenCanvas::queueWrite, -1);
}

TEST_F(ScreenCanvasTest, OneQueuedKeyIsReplayedPerDueStep) {
  canvas->keyPressed(13);
  canvas->keyPressed(38);
  GameLib::scheduleTime = 0;
  host.clock.setMillis(42);
  host.app->step();
  EXPECT_EQ(ScreenCanvas::keyStates[ScreenCanvas::Fire], 1);
  EXPECT_EQ(ScreenCanvas::keyStates[ScreenCanvas::Up], 0);
  host.app->step();  // not due: nothing replayed
  EXPECT_EQ(ScreenCanvas::keyStates[ScreenCanvas::Up], 0);
  host.clock.setMillis(84);
  host.app->step();
  EXPECT_EQ(ScreenCanvas::keyStates[ScreenCanvas::Up], 1);
}

TEST_F(ScreenCanvasTest, PointerPressDragAndRelease) {
  canvas->pointerPressed(10, 20);
  EXPECT_EQ(ScreenCanvas::pointerDown, 1);
  canvas->pointerPressed(50, 50);  // ignored while down
  EXPECT_EQ(ScreenCanvas::pointerX, 10);
  canvas->pointerDragged(-1, 30);
  canvas->pointerDragged(241, 30);
  EXPECT_EQ(ScreenCanvas::pointerIsDragged, 0);
  canvas->pointerDragged(240, 900);  // y is not tested
  EXPECT_EQ(ScreenCanvas::pointerIsDragged, 1);
  EXPECT_EQ(ScreenCanvas::pointerPrevX, 10);
  EXPECT_EQ(ScreenCanvas::pointerY, 900);
  canvas->pointerPressed(5, 5);  // ignored while dragged
  EXPECT_EQ(ScreenCanvas::pointerX, 240);
  canvas->pointerReleased(7, 8);
  EXPECT_EQ(ScreenCanvas::pointerDown, 0);
  EXPECT_EQ(ScreenCanvas::pointerIsDragged, 0);
  EXPECT_EQ(ScreenCanvas::pointerX, 7);
  canvas->pointerReleased(9, 9);  // ignored: nothing held
  EXPECT_EQ(ScreenCanvas::pointerX, 7);
}

TEST_F(ScreenCanvasTest, ResetKeysLeavesTheQueueAndLastKey) {
  canvas->keyPressed(13);
  ScreenCanvas::processKey(38, true);
  canvas->pointerPressed(1, 1);
  ScreenCanvas::resetKeys();
  EXPECT_EQ(ScreenCanvas::keyStates[ScreenCanvas::Up], 0);
  EXPECT_EQ(ScreenCanvas::pointerDown, 0);
  EXPECT_EQ(ScreenCanvas::lastKeyCode, 38);
  EXPECT_EQ(ScreenCanvas::queueWrite, 0);
}

TEST_F(ScreenCanvasTest, OnlyARealSizeChangeEmptiesTheQueue) {
  canvas->keyPressed(13);
  canvas->sizeChanged(240, 320);
  EXPECT_EQ(ScreenCanvas::queueWrite, 0);
  canvas->setBufferSize(320, 240);
  canvas->sizeChanged(320, 240);
  EXPECT_EQ(ScreenCanvas::queueWrite, -1);
  EXPECT_EQ(ScreenCanvas::canvasWidth, 320);
  EXPECT_FALSE(GameLib::resolutionSupported);
}

}  // namespace
