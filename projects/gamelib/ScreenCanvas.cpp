#include "gamelib/ScreenCanvas.h"

#include "gamelib/GameLib.h"
#include "gamelib/ImageFont.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"

namespace gamelib {

using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::lcdui::DGraphicsPtr;

int32_t ScreenCanvas::screenWidth = 0;
int32_t ScreenCanvas::screenHeight = 0;
DGraphicsPtr ScreenCanvas::screenGraphics;
int32_t ScreenCanvas::lastKeyCode = 0;
uint8_t ScreenCanvas::keyUp = 0, ScreenCanvas::keyDown = 0, ScreenCanvas::keyLeft = 0, ScreenCanvas::keyRight = 0;
uint8_t ScreenCanvas::keyFire = 0, ScreenCanvas::keyUpLeft = 0, ScreenCanvas::keyUpRight = 0;
uint8_t ScreenCanvas::keyDownLeft = 0, ScreenCanvas::keyDownRight = 0, ScreenCanvas::keySoftLeft = 0;
uint8_t ScreenCanvas::keySoftRight = 0, ScreenCanvas::keyExtraUp = 0, ScreenCanvas::keyExtraDown = 0;
uint8_t ScreenCanvas::keySpecial = 0;
uint8_t ScreenCanvas::keyPressedFlag = 0;
uint8_t ScreenCanvas::pointerHeld = 0;
uint8_t ScreenCanvas::pointerDragged = 0;
int32_t ScreenCanvas::pointerX = 0;
int32_t ScreenCanvas::pointerY = 0;
int32_t ScreenCanvas::pointerPrevX = 0;
int32_t ScreenCanvas::pointerPrevY = 0;
std::array<ScreenCanvas::QueuedKey, ScreenCanvas::QueueCapacity> ScreenCanvas::keyQueue{};
int32_t ScreenCanvas::queueRead = -1;
int32_t ScreenCanvas::queueWrite = -1;

namespace {

ScreenCanvas*& currentCanvas() {
  static ScreenCanvas* canvas = nullptr;
  return canvas;
}

ImageFontPtr& fontTable() {
  static ImageFontPtr font;
  return font;
}

constexpr int32_t SpecialAction = -5;
constexpr int32_t ExtraUpAction = 14;
constexpr int32_t ExtraDownAction = 15;
constexpr int32_t ActionCount = 16;

// The key-state byte each framework action sets; actions 14 and 15 also set
// up and down. Actions 11 and 12 set none.
uint8_t* byteOfAction(int32_t action) {
  static uint8_t* const bytes[ActionCount] = {&ScreenCanvas::keyUp,
                                              &ScreenCanvas::keyDown,
                                              &ScreenCanvas::keyLeft,
                                              &ScreenCanvas::keyRight,
                                              &ScreenCanvas::keyFire,
                                              &ScreenCanvas::keyUpLeft,
                                              &ScreenCanvas::keyUpRight,
                                              &ScreenCanvas::keyDownLeft,
                                              &ScreenCanvas::keyDownRight,
                                              &ScreenCanvas::keySoftLeft,
                                              &ScreenCanvas::keySoftRight,
                                              nullptr,
                                              nullptr,
                                              &ScreenCanvas::keySpecial,
                                              &ScreenCanvas::keyExtraUp,
                                              &ScreenCanvas::keyExtraDown};
  if (action < 0 || action >= ActionCount) return nullptr;
  return bytes[action];
}

void clearKeyBytes() {
  for (int32_t action = 0; action < ActionCount; ++action)
    if (uint8_t* byte = byteOfAction(action)) *byte = 0;
}

}  // namespace

ScreenCanvas::ScreenCanvas() {
  screenWidth = getWidth();
  screenHeight = getHeight();
  screenGraphics = getGraphics();
  clearQueue();
  currentCanvas() = this;
}

ScreenCanvas::~ScreenCanvas() {
  if (currentCanvas() == this) currentCanvas() = nullptr;
}

ScreenCanvas* ScreenCanvas::current() { return currentCanvas(); }

void ScreenCanvas::clearQueue() { queueRead = queueWrite = -1; }

void ScreenCanvas::enqueue(int32_t code, int32_t pressed) {
  if (queueWrite < 0) queueRead = 0;
  if (queueWrite < QueueCapacity - 1) ++queueWrite;
  keyQueue[queueWrite] = {code, pressed};
}

void ScreenCanvas::keyPressed(int32_t code) {
  keyPressedFlag = 1;
  enqueue(code, 1);
}

void ScreenCanvas::keyReleased(int32_t code) { enqueue(code, 0); }

void ScreenCanvas::pumpKeyEvent() {
  if (queueRead < 0) return;
  QueuedKey entry = keyQueue[queueRead];
  ++queueRead;
  if (queueRead > queueWrite) clearQueue();
  processKey(entry.code, entry.pressed != 0);
}

void ScreenCanvas::processKey(int32_t code, bool pressed) {
  lastKeyCode = code;
  int32_t action = currentCanvas() ? currentCanvas()->getMappedKey(code) : -1;
  if (action == SpecialAction) {
    keySpecial = 1;
    return;
  }
  const uint8_t value = pressed ? 1 : 0;
  if (uint8_t* byte = byteOfAction(action)) *byte = value;
  if (action == ExtraUpAction) keyUp = value;
  if (action == ExtraDownAction) keyDown = value;
  keyPressedFlag = value;
}

void ScreenCanvas::resetKeys() {
  clearKeyBytes();
  keyPressedFlag = 0;
  pointerHeld = 0;
  pointerDragged = 0;
}

void ScreenCanvas::pointerPressed(int32_t x, int32_t y) {
  if (pointerHeld || pointerDragged) return;
  pointerX = pointerPrevX = x;
  pointerY = pointerPrevY = y;
  resetKeys();
  pointerHeld = 1;
}

void ScreenCanvas::pointerDrag(int32_t x, int32_t y) {
  if (!pointerHeld || x < 0 || x > screenWidth) return;
  pointerPrevX = pointerX;
  pointerX = x;
  pointerPrevY = pointerY;
  pointerY = y;
  resetKeys();
  pointerDragged = 1;
  pointerHeld = 1;
}

void ScreenCanvas::pointerReleased(int32_t x, int32_t y) {
  if (!pointerHeld && !pointerDragged) return;
  pointerX = x;
  pointerY = y;
  pointerDragged = 0;
  pointerHeld = 0;
  resetKeys();
}

void ScreenCanvas::sizeChanged(int32_t w, int32_t h) {
  if (w == screenWidth && h == screenHeight) return;
  screenGraphics = getGraphics();
  screenWidth = getWidth();
  screenHeight = getHeight();
  GameLib::resolutionSupported_ = GameLib::hasResolutionFile(screenWidth, screenHeight);
  resetKeys();
  clearQueue();
}

void ScreenCanvas::showNotify() { GameLib::resetSchedule(); }

void ScreenCanvas::loadFonts(const DStringPtr& prefix) {
  ImageFontPtr font = new ImageFont();
  font->load(DString::concat(prefix, u"/game"), false);
  fontTable() = font;
}

ImageFontPtr ScreenCanvas::currentFont() {
  if (!fontTable()) qel::lang::throwNullPointer();
  return fontTable();
}

void ScreenCanvas::releaseFonts() { fontTable().release(); }

int32_t ScreenCanvas::getFontHeight() { return currentFont()->getHeight(); }

int32_t ScreenCanvas::stringWidth(const DStringPtr& text) { return currentFont()->stringWidth(text); }

void ScreenCanvas::drawString(DGraphicsPtr g, const DStringPtr& text, int32_t x, int32_t y, int32_t anchor) {
  currentFont()->drawString(std::move(g), text, x, y, anchor);
}

}  // namespace gamelib
