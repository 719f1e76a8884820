#pragma once

#include <cstdint>

namespace qel::raster {

enum PixelFormat : int32_t {
  PF_NONE = 0,
  PF_RGB565 = 1,
  PF_ARGB8888 = 2,
  PF_ALPHA8 = 3,
  PF_RGB888 = 4,
  PF_INDEX8 = 5,
  PF_YUV420 = 6,
  PF_RGB565_SWAPPED = 7,
  PF_RGBA8888 = 8,
  PF_RGB555 = 9,
};

struct PixelFormatInfo {
  PixelFormat format;
  int32_t bytesPerPixel;
  bool hasAlpha;
  int32_t alphaShift;
};

// The row of format; formats outside 0..9 yield the row of PF_NONE.
const PixelFormatInfo& getFormatInfo(int32_t format);
int32_t bytesPerPixel(int32_t format);

// A 0xRRGGBB colour as a pixel of format: RGB565 keeps the top bits of each
// channel, ARGB8888 keeps the word, every other format gives 0.
uint32_t convertColor(int32_t format, uint32_t rgb);

}  // namespace qel::raster
