#pragma once

#include <cstdint>
#include <vector>

namespace wce {

// Coverage bytes (0 background, 255 full ink), `width` per row, top row first.
// (left, top) places the mask's top-left pixel relative to the top-left corner of
// the character cell, which is where text aligned TA_TOP | TA_LEFT is drawn.
struct GlyphMask {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> alpha;

  std::uint8_t at(int x, int y) const { return alpha[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace wce
