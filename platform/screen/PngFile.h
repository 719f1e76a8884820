#pragma once
// RGB565 pixels written as an 8-bit RGB PNG file (libpng); each channel is
// widened by repeating its top bits, so 0x1F and 0x3F become 255.

#include <cstdint>
#include <string>

#include "platform/screen/DeviceScreen.h"

namespace wce {

// Answers an error text, empty on success.
std::string writeRgb565Png(const std::string& path, const std::uint16_t* pixels, int width, int height);
// The screen's view, upright.
std::string writeScreenPng(const DeviceScreen& screen, const std::string& path);

struct Rgb888 {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
  bool operator==(const Rgb888&) const = default;
};
Rgb888 widenRgb565(std::uint16_t pixel);

}  // namespace wce
