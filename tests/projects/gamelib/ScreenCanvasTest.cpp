#include <gtest/gtest.h>

#include "GameFolder.h"
#include "HostDouble.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DObjectArray.h"
#include "tests/support/Writable.h"

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
  void TearDown() override { gamelib::GameLib::setSearchPath(nullptr); }

  GameFolder folder;
  HostDouble host;
  // The host delivers drags through the canvas base, as here.
  void drag(int32_t x, int32_t y) { static_cast<qel::lcdui::DCanvas*>(canvas)->pointerDragged(x, y); }

  ScreenCanvas* canvas = nullptr;
};

TEST_F(ScreenCanvasTest, APressAndReleaseInOneStepHoldTheKeyForOneStep) {
  EXPECT_EQ(canvas->getClassName(), "DObject");
  canvas->keyPressed('5');
  canvas->keyReleased('5');
  EXPECT_EQ(ScreenCanvas::keyPressedFlag, 1);
  EXPECT_EQ(ScreenCanvas::keyFire, 0);
  ScreenCanvas::pumpKeyEvent();
  EXPECT_EQ(ScreenCanvas::keyFire, 1);
  ScreenCanvas::pumpKeyEvent();
  EXPECT_EQ(ScreenCanvas::keyFire, 0);
  EXPECT_EQ(ScreenCanvas::keyPressedFlag, 0);
  EXPECT_EQ(ScreenCanvas::queueRead, -1);
  EXPECT_EQ(ScreenCanvas::queueWrite, -1);
}

TEST_F(ScreenCanvasTest, ActionsSetTheirBytes) {
  struct Case {
    int32_t code;
    std::vector<uint8_t*> held;
  };
  const Case cases[] = {Case{38, {&ScreenCanvas::keyUp}},
                        Case{'8', {&ScreenCanvas::keyDown}},
                        Case{37, {&ScreenCanvas::keyLeft}},
                        Case{'6', {&ScreenCanvas::keyRight}},
                        Case{10002, {&ScreenCanvas::keyFire}},
                        Case{'1', {&ScreenCanvas::keyUpLeft}},
                        Case{'3', {&ScreenCanvas::keyUpRight}},
                        Case{'7', {&ScreenCanvas::keyDownLeft}},
                        Case{'9', {&ScreenCanvas::keyDownRight}},
                        Case{10000, {&ScreenCanvas::keySoftLeft}},
                        Case{10001, {&ScreenCanvas::keySoftRight}},
                        Case{-2, {&ScreenCanvas::keyExtraUp, &ScreenCanvas::keyUp}},
                        Case{-3, {&ScreenCanvas::keyExtraDown, &ScreenCanvas::keyDown}},
                        Case{-4, {&ScreenCanvas::keySpecial}},
                        Case{10004, {}},
                        Case{10003, {}},
                        Case{12345, {}}};
  // Every key byte the cases name, each checked in every case.
  std::vector<uint8_t*> bytes;
  for (const Case& c : cases)
    for (uint8_t* byte : c.held)
      if (std::find(bytes.begin(), bytes.end(), byte) == bytes.end()) bytes.push_back(byte);
  ASSERT_EQ(bytes.size(), 14u);
  for (const Case& c : cases) {
    ScreenCanvas::resetKeys();
    ScreenCanvas::processKey(c.code, true);
    for (size_t i = 0; i < bytes.size(); ++i) {
      bool expected = std::find(c.held.begin(), c.held.end(), bytes[i]) != c.held.end();
      EXPECT_EQ(*bytes[i], expected ? 1 : 0) << c.code << " byte " << i;
    }
    EXPECT_EQ(ScreenCanvas::keyPressedFlag, 1);
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
  nvtest::writable(GameLib::scheduleTime) = 0;
  host.clock.setMillis(42);
  host.app->step();
  EXPECT_EQ(ScreenCanvas::keyFire, 1);
  EXPECT_EQ(ScreenCanvas::keyUp, 0);
  host.app->step();  // not due: nothing replayed
  EXPECT_EQ(ScreenCanvas::keyUp, 0);
  host.clock.setMillis(84);
  host.app->step();
  EXPECT_EQ(ScreenCanvas::keyUp, 1);
}

TEST_F(ScreenCanvasTest, PointerPressDragAndRelease) {
  canvas->pointerPressed(10, 20);
  EXPECT_EQ(ScreenCanvas::pointerHeld, 1);
  canvas->pointerPressed(50, 50);  // ignored while down
  EXPECT_EQ(ScreenCanvas::pointerX, 10);
  drag(-1, 30);
  drag(241, 30);
  EXPECT_EQ(ScreenCanvas::pointerDragged, 0);
  drag(240, 900);  // y is not tested
  EXPECT_EQ(ScreenCanvas::pointerDragged, 1);
  EXPECT_EQ(ScreenCanvas::pointerPrevX, 10);
  EXPECT_EQ(ScreenCanvas::pointerY, 900);
  canvas->pointerPressed(5, 5);  // ignored while dragged
  EXPECT_EQ(ScreenCanvas::pointerX, 240);
  canvas->pointerReleased(7, 8);
  EXPECT_EQ(ScreenCanvas::pointerHeld, 0);
  EXPECT_EQ(ScreenCanvas::pointerDragged, 0);
  EXPECT_EQ(ScreenCanvas::pointerX, 7);
  canvas->pointerReleased(9, 9);  // ignored: nothing held
  EXPECT_EQ(ScreenCanvas::pointerX, 7);
}

TEST_F(ScreenCanvasTest, ResetKeysLeavesTheQueueAndLastKey) {
  canvas->keyPressed(13);
  ScreenCanvas::processKey(38, true);
  canvas->pointerPressed(1, 1);
  ScreenCanvas::resetKeys();
  EXPECT_EQ(ScreenCanvas::keyUp, 0);
  EXPECT_EQ(ScreenCanvas::pointerHeld, 0);
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
  EXPECT_EQ(ScreenCanvas::screenWidth, 320);
  EXPECT_FALSE(GameLib::resolutionSupported);
}

}  // namespace
