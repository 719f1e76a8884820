#pragma once

#include <cstdint>

#include "microedition/lcdui/DGraphics.ptr.h"

namespace guilib {

// What the widget library reads of the game library's canvas and the host:
// the display size and surface, the pointer, the key-state table, and the
// request for a new frame. The one place that names the canvas's statics.
class HostCanvas {
public:
  static int32_t screenWidth();
  static int32_t screenHeight();
  static qel::lcdui::DGraphicsPtr screenGraphics();

  static bool pointerHeld();
  static bool pointerDragged();
  static int32_t pointerX();
  static int32_t pointerY();
  static int32_t pointerPrevX();
  static int32_t pointerPrevY();

  // Up, down, left, right, fire, soft key 1 and soft key 2 of the key-state table.
  enum Key { Up, Down, Left, Right, Fire, SoftKey1, SoftKey2 };
  static bool keyHeld(Key key);
  // A key event arrived since the flag was last cleared.
  static bool keyPressedFlag();
  static void clearKeyPressedFlag();
  static int32_t lastKeyCode();
  // Held keys, the key flag and the pointer flags cleared.
  static void resetKeys();

  static void requestFrame();
};

}  // namespace guilib
