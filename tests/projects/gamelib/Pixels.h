#pragma once

#include <cstdint>
#include <vector>

#include "tests/support/ScreenPixels.h"

using nvtest::ImagePixels;
using nvtest::through565;

// A picture whose every pixel tells where it came from.
inline uint32_t sourcePixel(int x, int y) { return static_cast<uint32_t>((x * 24) << 16 | (y * 40) << 8 | 0x80); }

inline std::vector<uint32_t> sourcePicture(int width, int height) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(sourcePixel(x, y));
  return pixels;
}
