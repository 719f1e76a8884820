#pragma once

#include <cstdint>

#include "microedition/lcdui/DGraphics.ptr.h"

namespace nvx {

// What the map screen and level play draw over their picture: the speech
// bubble the message line stands in, the blinking hint button, the retries
// left and the money bar. Statics of MainCanvas.
struct Overlays {
  static constexpr int32_t retriesText = 260;
  static constexpr int32_t bubbleSteps = 3;
  static constexpr int32_t bubbleMiddles = 7;
  static constexpr int32_t bubbleRise = 14;
  // The hint button shows icon 2 and stands for the right soft key.
  static constexpr int32_t hintIcon = 2;
  static constexpr int32_t hintZone = 5;
  // Rows of the money bar: its end, its filler and the separator.
  static constexpr int8_t spriteMoneyBar = 31;
  static constexpr int8_t spriteMoneyFiller = 32;
  static constexpr int8_t spriteMoneyDot = 33;

  // Frame width and height of a sprite row.
  static int32_t spriteWidth(int32_t row);
  static int32_t spriteHeight(int32_t row);

  // The bubble from (x, y) toward the screen's middle, downwards from a
  // point above y 61, else upwards; the message line is placed in its box.
  // With atCursorOnly only while the cursor stands at (x, y).
  static void paintSpeechBubble(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, bool atCursorOnly);
  // The bubble's vertical step for a start at y.
  static int32_t bubbleStep(int32_t y);
  // In the second half of the pulse, the button standing for the right soft
  // key while a place hint is pending.
  static void paintHintBlink(const qel::lcdui::DGraphicsPtr& g);
  // "Retries:" and the count at the bottom left, when the difficulty has
  // limited retries.
  static void paintRetries(const qel::lcdui::DGraphicsPtr& g);
  // The money right-aligned in a bar left of the top bar's right corner.
  static void paintMoneyBar(const qel::lcdui::DGraphicsPtr& g);
};

}  // namespace nvx
