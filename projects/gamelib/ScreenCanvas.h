#pragma once

#include <array>
#include <cstdint>

#include "gamelib/DragForwardingCanvas.h"
#include "gamelib/ImageFont.ptr.h"
#include "lang/DString.ptr.h"
#include "microedition/lcdui/DGraphics.ptr.h"

namespace gamelib {

// The game's one canvas. Key events are queued and replayed one per game
// step into the key-state table; pointer events act at once. All state is
// static so the game reads it without a reference to the canvas.
class ScreenCanvas : public DragForwardingCanvas {
public:
  static constexpr int32_t QueueCapacity = 1024;

  // Takes the size and a back-buffer context from the canvas; empties the
  // queue. Needs the application's display.
  ScreenCanvas();
  ~ScreenCanvas() override;

  void sizeChanged(int32_t w, int32_t h) override;
  void showNotify() override;
  void hideNotify() override {}
  void keyPressed(int32_t code) override;
  void keyReleased(int32_t code) override;
  void keyRepeated(int32_t) override {}
  void pointerPressed(int32_t x, int32_t y) override;
  void pointerReleased(int32_t x, int32_t y) override;
  void pointerMoved(int32_t, int32_t) override {}

  // The canvas made by the running application, or null.
  static ScreenCanvas* current();
  // Replays one queued key event into the key state.
  static void pumpKeyEvent();
  static void processKey(int32_t code, bool pressed);
  // Clears the key-state bytes and the pointer flags.
  static void resetKeys();
  static void clearQueue();

  // The image font prefix + "/game" becomes the one font.
  static void loadFonts(const qel::lang::DStringPtr& prefix);
  static int32_t getFontHeight();
  static int32_t stringWidth(const qel::lang::DStringPtr& text);
  static void drawString(qel::lcdui::DGraphicsPtr g, const qel::lang::DStringPtr& text, int32_t x, int32_t y,
                         int32_t anchor);
  static ImageFontPtr currentFont();
  static void releaseFonts();

  static int32_t screenWidth;
  static int32_t screenHeight;
  static qel::lcdui::DGraphicsPtr screenGraphics;
  static int32_t lastKeyCode;
  // Key-state bytes, 1 while held; set when a queued event is replayed.
  static uint8_t keyUp, keyDown, keyLeft, keyRight, keyFire;
  static uint8_t keyUpLeft, keyUpRight, keyDownLeft, keyDownRight;
  static uint8_t keySoftLeft, keySoftRight, keyExtraUp, keyExtraDown, keySpecial;
  // Set as soon as a press arrives; a replayed event sets it to its pressed
  // state (every action but the special one, unmapped keys too).
  static uint8_t keyPressedFlag;
  static uint8_t pointerHeld;
  static uint8_t pointerDragged;
  static int32_t pointerX, pointerY, pointerPrevX, pointerPrevY;

  struct QueuedKey {
    int32_t code;
    int32_t pressed;
  };
  static std::array<QueuedKey, QueueCapacity> keyQueue;
  static int32_t queueRead;
  static int32_t queueWrite;

protected:
  void pointerDrag(int32_t x, int32_t y) override;

private:
  static void enqueue(int32_t code, int32_t pressed);
};

}  // namespace gamelib
