#pragma once

#include <cstdint>

#include "lang/DshortArray.h"
#include "microedition/lcdui/DGraphics.ptr.h"

namespace nvx {

// The one line of bitmap text that scrolls through a window: the hint of a
// map place, the item line of the shop, the notices of level play. Statics
// of MainCanvas; the fields are GameState's ticker fields.
struct Ticker {
  // Loops: n passes through the window; scrollInOnce stops once the end is
  // visible; waitThenScroll stands until tickerPassCount passes 3.
  static constexpr int8_t scrollInOnce = -1;
  static constexpr int8_t waitThenScroll = -2;
  static constexpr int32_t itemLineText = 263;
  // The hint flags of map places 0 to 8 are options 7 to 15.
  static constexpr int32_t firstPlaceHintOption = 7;

  // The text starts just right of the window x .. x + width.
  static void setTicker(const qel::lang::DshortArrayPtr& text, int32_t x, int32_t y, int32_t width, int8_t loops);
  static void clearTicker();
  // One pixel of scrolling, while a line is set and runs (or the shop is open).
  static void tickTicker();
  // The line clipped to its window: in level play always, elsewhere only
  // while the cursor stands where the line was set.
  static void paintTicker(const qel::lcdui::DGraphicsPtr& g);
  // The description of the place under the cursor, set for that place; in
  // training its once-only hint becomes pending, or counts as shown when the
  // line already runs.
  static void showPlaceHint();
  // The name, price and weight of the shop item under the shop cursor,
  // standing at the window's left edge before it scrolls.
  static void showItemLine();

  // The line's width in pixels.
  static int32_t tickerTextWidth();
  // Whether the map cursor is at (x, y): where it goes, not where the
  // gliding hand is drawn.
  static bool cursorAt(int32_t x, int32_t y);
};

}  // namespace nvx
