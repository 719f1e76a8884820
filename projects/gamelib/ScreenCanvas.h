#pragma once

#include <array>
#include <cstdint>

#include "gamelib/ImageFont.ptr.h"
#include "microedition/displayable/DGameCanvas.h"
#include "lang/DString.ptr.h"
#include "microedition/lcdui/DGraphics.ptr.h"

namespace gamelib {

// The game's one canvas. Key events are queued and replayed one per game
// step into the key-state table; pointer events act at once. All state is
// static so the game reads it without a reference to the canvas.
class ScreenCanvas : public qel::lcdui::DGameCanvas {
public:
  static constexpr int32_t QueueCapacity = 1024;
  // Key-state bytes, one per framework action.
  enum Action : int32_t {
    Up = 0, Down = 1, Left = 2, Right = 3, Fire = 4, UpLeft = 5, UpRight = 6, DownLeft = 7, DownRight = 8,
    SoftLeft = 9, SoftRight = 10, Special = 13, ExtraUp = 14, ExtraDown = 15, ActionCount = 16
  };

  // Takes the size and a back-buffer context from the canvas; empties the
  // queue. Needs the application's display.
  ScreenCanvas();
  ~ScreenCanvas() override;

  std::string getClassName() const override { return "ScreenCanvas"; }

  void sizeChanged(int32_t w, int32_t h) override;
  void showNotify() override;
  void hideNotify() override {}
  void keyPressed(int32_t code) override;
  void keyReleased(int32_t code) override;
  void keyRepeated(int32_t) override {}
  void pointerPressed(int32_t x, int32_t y) override;
  void pointerReleased(int32_t x, int32_t y) override;
  void pointerDragged(int32_t x, int32_t y) override;
  void pointerMoved(int32_t, int32_t) override {}

  // The canvas made by the running application, or null.
  static ScreenCanvas* current();
  // Replays one queued key event into the key state.
  static void pumpKeyEvent();
  static void processKey(int32_t code, bool pressed);
  // Clears the key-state bytes and the pointer flags.
  static void resetKeys();
  static void clearQueue();
  static bool keyHeld(int32_t action);

  // The image font prefix + "/game" becomes the one font.
  static void loadFonts(const qel::lang::DStringPtr& prefix);
  static int32_t getFontHeight();
  static int32_t stringWidth(const qel::lang::DStringPtr& text);
  static void drawString(qel::lcdui::DGraphicsPtr g, const qel::lang::DStringPtr& text, int32_t x, int32_t y,
                         int32_t anchor);
  static ImageFontPtr currentFont();
  static void releaseFonts();

  static int32_t canvasWidth;
  static int32_t canvasHeight;
  static qel::lcdui::DGraphicsPtr backGraphics;
  static int32_t lastKeyCode;
  static std::array<uint8_t, ActionCount> keyStates;
  static uint8_t keyAny;
  static uint8_t pointerDown;
  static uint8_t pointerIsDragged;
  static int32_t pointerX, pointerY, pointerPrevX, pointerPrevY;

  struct QueuedKey {
    int32_t code;
    int32_t pressed;
  };
  static std::array<QueuedKey, QueueCapacity> keyQueue;
  static int32_t queueRead;
  static int32_t queueWrite;

private:
  static void enqueue(int32_t code, int32_t pressed);
};

}  // namespace gamelib
