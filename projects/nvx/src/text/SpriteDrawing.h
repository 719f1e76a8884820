#pragma once

#include <cstdint>

#include "microedition/lcdui/DGraphics.ptr.h"

namespace nvx {

// Sprite frames, outline shapes and bevelled boxes. A sprite set is a row
// of the sprite table: its frames are cells of one size in one picture.
struct SpriteDrawing {
  static constexpr int32_t buttonLight = 0xBEBCBC;
  static constexpr int32_t buttonDark = 0x424242;

  // Draws frame of set at (x, y) with the cut margins widened to what lies
  // off screen; the clip is left set to what shows. Nothing shows when the
  // set's picture is not loaded or the set has no frames per row.
  static void drawSprite(const qel::lcdui::DGraphicsPtr& g, int32_t set, int32_t frame, int32_t x, int32_t y,
                         int32_t cutLeft, int32_t cutRight, int32_t cutTop, int32_t cutBottom);
  static void drawSpriteFrame(const qel::lcdui::DGraphicsPtr& g, int32_t set, int32_t frame, int32_t x, int32_t y);
  // Outline shape (nothing for shape < 0) in one cell, turned by quarters.
  static void drawShape(const qel::lcdui::DGraphicsPtr& g, int32_t shape, int32_t quarterTurns, int32_t x, int32_t y,
                        int32_t colour);
  // fill < 0 leaves the inside as it is.
  static void drawBevelBox(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h, bool pressed,
                           int32_t fill, int32_t lightColour, int32_t darkColour);
  static void drawButtonBox(const qel::lcdui::DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h, bool pressed,
                            int32_t fill);
  // Loads picture i by its name; a missing picture keeps the old one.
  static void loadPicture(int32_t i);
};

}  // namespace nvx
