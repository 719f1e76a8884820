#pragma once

#include <string>

namespace wce {

inline constexpr int FW_NORMAL = 400;
inline constexpr int FW_SEMIBOLD = 600;
inline constexpr int FW_BOLD = 700;

// The logical font handed to FontService::createFont, as CreateFontIndirectW takes it.
// height < 0: character (em) height in pixels; height > 0: cell height in pixels
// (ascent + descent); 0: the default height.
struct LogFont {
  int height = 0;
  int weight = FW_NORMAL;
  bool italic = false;
  bool underline = false;
  std::u16string faceName;
};

// The logical height asking for a character height of `points` at `dpi` (LOGPIXELSY),
// truncated toward zero: 9 points at 96 dpi give -12.
constexpr int heightForPoints(int points, int dpi) { return -(points * dpi) / 72; }

}  // namespace wce
