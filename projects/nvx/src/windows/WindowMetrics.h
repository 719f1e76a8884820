#pragma once

#include <cstdint>

namespace nvx::tables {

// The window's layout metrics in screen pixels (the title allowance in glyph
// cells), as plain data: the demo data builder lays titles and the main menu
// out by the same numbers to check that they fit.
struct WindowMetrics {
  static constexpr int32_t border = 3;
  static constexpr int32_t shadowDepth = 3;
  static constexpr int32_t leftInset = 4;
  static constexpr int32_t rightInset = 4;
  static constexpr int32_t topInset = 3;
  static constexpr int32_t bottomInset = 4;
  static constexpr int32_t titleInset = 6;
  // In glyph cells: what the title needs beside its own glyphs.
  static constexpr int32_t titleWidthAllowance = 4;
  static constexpr int32_t menuRowSpacing = 6;
  static constexpr int32_t screenMarginLeft = 6;
  static constexpr int32_t screenMarginRight = 6;
  static constexpr int32_t screenMarginTop = 6;
  static constexpr int32_t screenMarginBottom = 4;
};

}  // namespace nvx::tables
