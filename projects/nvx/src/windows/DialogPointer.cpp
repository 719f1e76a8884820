#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/windows/DialogWindow.h"

namespace nvx {

namespace {

constexpr int32_t keyCodeUp = 38;
constexpr int32_t keyCodeDown = 40;
// Presses this far beside the list's columns still hit a row.
constexpr int32_t columnSlack = 2;

void pressAndRelease(int32_t code) {
  if (gamelib::ScreenCanvas* canvas = gamelib::ScreenCanvas::current()) {
    canvas->keyPressed(code);
    canvas->keyReleased(code);
  }
}

// The shown item whose row holds y, or -1.
int32_t itemAt(int32_t y) {
  const int32_t first = DialogWindow::firstShownItem();
  int32_t top = DialogWindow::contentY;
  for (int32_t i = first; i < first + DialogWindow::pageItems; ++i) {
    const int32_t height = DialogWindow::itemRowHeight(i);
    if (y >= top && y < top + height) return i;
    top += height;
  }
  return -1;
}

}  // namespace

void DialogWindow::dialogPointer(int32_t x, int32_t y) {
  if (itemIds && itemIds->length() > 0 && !plainList && x >= contentX - columnSlack &&
      x <= contentX + contentWidth + columnSlack) {
    const int32_t item = itemAt(y);
    if (item >= 0) {
      dialogDirty_ = 1;
      selection = item;
      if (itemIds->at(item) < 0 && soundSwitchOn() && contentWidth > 0)
        setItemValue(item, (x - contentX + contentWidth / 16) * valueSteps / contentWidth);
      pressAndRelease(KeyInput::selectKey);
      gamelib::GameLib::repaint();
      return;
    }
  }
  if (scrolls && x >= windowX && x <= windowX + windowWidth)
    pressAndRelease(y < contentY + visibleHeight / 2 ? keyCodeUp : keyCodeDown);
}

}  // namespace nvx
