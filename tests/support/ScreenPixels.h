#pragma once

#include <cstdint>
#include <vector>

#include "lang/DintArray.h"
#include "microedition/lcdui/DImage.h"

namespace nvtest {

// The pixel as 0xRRGGBB.
inline uint32_t pixel(const qel::lcdui::DImagePtr& image, int x, int y) {
  qel::lang::DintArrayPtr rgb = new qel::lang::DintArray(1);
  image->getRGB(rgb, 0, 1, x, y, 1, 1);
  return static_cast<uint32_t>(rgb[0]) & 0xffffff;
}

// 0xRRGGBB as it reads back from an RGB565 image (low bits zero).
inline uint32_t through565(uint32_t rgb) { return rgb & 0xF8FCF8; }

// Colours compared at RGB565 precision, the panel's.
inline bool sameColour(uint32_t a, uint32_t b) { return through565(a) == through565(b); }

// Whether any pixel of the rectangle has the colour (at RGB565 precision).
inline bool regionHas(const qel::lcdui::DImagePtr& image, int x, int y, int w, int h, uint32_t colour) {
  for (int i = 0; i < w; ++i)
    for (int j = 0; j < h; ++j)
      if (sameColour(pixel(image, x + i, y + j), colour)) return true;
  return false;
}

// The image's pixels as 0xRRGGBB, read at once.
class ImagePixels {
public:
  explicit ImagePixels(const qel::lcdui::DImagePtr& image) : width_(image->getWidth()) {
    qel::lang::DintArrayPtr rgb = new qel::lang::DintArray(image->getWidth() * image->getHeight());
    image->getRGB(rgb, 0, width_, 0, 0, width_, image->getHeight());
    for (int32_t i = 0; i < rgb->length(); ++i) pixels_.push_back(static_cast<uint32_t>(rgb->at(i)) & 0xFFFFFF);
  }
  uint32_t at(int x, int y) const { return pixels_[y * width_ + x]; }

private:
  int width_;
  std::vector<uint32_t> pixels_;
};

}  // namespace nvtest
