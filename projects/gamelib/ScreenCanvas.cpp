#include "gamelib/ScreenCanvas.h"

#include "gamelib/GameLib.h"
#include "gamelib/ImageFont.h"
#include "gamelib/Resources.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"

namespace gamelib {

using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::lcdui::DGraphicsPtr;

int32_t ScreenCanvas::canvasWidth = 0;
int32_t ScreenCanvas::canvasHeight = 0;
DGraphicsPtr ScreenCanvas::backGraphics;
int32_t ScreenCanvas::lastKeyCode = 0;
std::array<uint8_t, ScreenCanvas::ActionCount> ScreenCanvas::keyStates{};
uint8_t ScreenCanvas::keyAny = 0;
uint8_t ScreenCanvas::pointerDown = 0;
uint8_t ScreenCanvas::pointerIsDragged = 0;
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

}  // namespace

ScreenCanvas::ScreenCanvas() {
  canvasWidth = getWidth();
  canvasHeight = getHeight();
  backGraphics = getGraphics();
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
  keyAny = 1;
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
  if (action == -5) {
    keyStates[Special] = 1;
    return;
  }
  const uint8_t value = pressed ? 1 : 0;
  if (action >= 0 && action < ActionCount && action != 11 && action != 12) keyStates[action] = value;
  if (action == ExtraUp) keyStates[Up] = value;
  if (action == ExtraDown) keyStates[Down] = value;
  keyAny = value;
}

void ScreenCanvas::resetKeys() {
  keyStates.fill(0);
  keyAny = 0;
  pointerDown = 0;
  pointerIsDragged = 0;
}

bool ScreenCanvas::keyHeld(int32_t action) {
  return action >= 0 && action < ActionCount && keyStates[action] != 0;
}

void ScreenCanvas::pointerPressed(int32_t x, int32_t y) {
  if (pointerDown || pointerIsDragged) return;
  pointerX = pointerPrevX = x;
  pointerY = pointerPrevY = y;
  resetKeys();
  pointerDown = 1;
}

void ScreenCanvas::pointerDragged(int32_t x, int32_t y) {
  if (!pointerDown || x < 0 || x > canvasWidth) return;
  pointerPrevX = pointerX;
  pointerX = x;
  pointerPrevY = pointerY;
  pointerY = y;
  resetKeys();
  pointerIsDragged = 1;
  pointerDown = 1;
}

void ScreenCanvas::pointerReleased(int32_t x, int32_t y) {
  if (!pointerDown && !pointerIsDragged) return;
  pointerX = x;
  pointerY = y;
  pointerIsDragged = 0;
  pointerDown = 0;
  resetKeys();
}

void ScreenCanvas::sizeChanged(int32_t w, int32_t h) {
  if (w == canvasWidth && h == canvasHeight) return;
  backGraphics = getGraphics();
  canvasWidth = getWidth();
  canvasHeight = getHeight();
  GameLib::resolutionSupported = Resources::hasResolutionFile(canvasWidth, canvasHeight);
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
