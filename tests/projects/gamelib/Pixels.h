#pragma once

#include <cstdint>
#include <vector>

#include "lang/DintArray.h"
#include "microedition/lcdui/DImage.h"

// A picture whose every pixel tells where it came from.
inline uint32_t sourcePixel(int x, int y) { return static_cast<uint32_t>((x * 24) << 16 | (y * 40) << 8 | 0x80); }

inline std::vector<uint32_t> sourcePicture(int width, int height) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(sourcePixel(x, y));
  return pixels;
}

// 0xRRGGBB as it reads back from an RGB565 image (low bits zero).
inline uint32_t through565(uint32_t rgb) { return rgb & 0xF8FCF8; }

// The image's pixels as 0xRRGGBB.
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
