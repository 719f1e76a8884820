#include "microedition/raster/PixelFormat.h"

#include <array>
#include <cstddef>

namespace qel::raster {

namespace {

constexpr std::array<PixelFormatInfo, 10> kFormats{{
    {PF_NONE, 0, false, 0},
    {PF_RGB565, 2, false, 0},
    {PF_ARGB8888, 4, true, 24},
    {PF_ALPHA8, 1, true, 0},
    {PF_RGB888, 3, false, 0},
    {PF_INDEX8, 1, false, 0},
    {PF_YUV420, 0, false, 0},
    {PF_RGB565_SWAPPED, 2, false, 0},
    {PF_RGBA8888, 4, true, 0},
    {PF_RGB555, 2, false, 0},
}};

}  // namespace

const PixelFormatInfo& getFormatInfo(int32_t format) {
  if (format < 0 || format >= static_cast<int32_t>(kFormats.size())) {
    return kFormats[0];
  }
  return kFormats[static_cast<size_t>(format)];
}

int32_t bytesPerPixel(int32_t format) { return getFormatInfo(format).bytesPerPixel; }

uint32_t convertColor(int32_t format, uint32_t rgb) {
  switch (format) {
    case PF_RGB565: return ((rgb >> 19 & 0x1F) << 11) | ((rgb >> 10 & 0x3F) << 5) | (rgb >> 3 & 0x1F);
    case PF_ARGB8888: return rgb;
    default: return 0;
  }
}

}  // namespace qel::raster
