#pragma once

#include <cstdint>

#include "microedition/lcdui/DGraphics.ptr.h"

namespace nvx {

// Sprite-set frames and outline shapes as the level view draws them, as
// statics of MainCanvas.
struct SpriteDrawing {
  // Frame of sprite set `set` at (x, y), less the cut margins; the margins
  // grow to cover what lies off the screen. The clip is left as set.
  static void drawSprite(const qel::lcdui::DGraphicsPtr& g, int32_t set, int32_t frame, int32_t x, int32_t y,
                         int32_t cutLeft, int32_t cutRight, int32_t cutTop, int32_t cutBottom);
  static void drawSpriteFrame(const qel::lcdui::DGraphicsPtr& g, int32_t set, int32_t frame, int32_t x, int32_t y);
  // Outline shape (nothing below 0), turned by quarter turns, in one cell at (x, y).
  static void drawShape(const qel::lcdui::DGraphicsPtr& g, int32_t shape, int32_t quarterTurns, int32_t x, int32_t y,
                        int32_t colour);
};

}  // namespace nvx
