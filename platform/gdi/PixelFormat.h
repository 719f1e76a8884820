#pragma once
// The pixel layouts of bitmaps and the screen, and conversion between them
// through 8-bit channels (a narrow channel widens by repeating its top bits).

#include <cstdint>

namespace wce {

enum class PixelFormat { Rgb555, Rgb565, Xrgb8888 };

struct Colour {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

int bytesPerPixel(PixelFormat format);
Colour readPixel(PixelFormat format, const std::uint8_t* at);
void writePixel(PixelFormat format, std::uint8_t* at, Colour colour);
std::uint16_t toRgb565(Colour colour);

}  // namespace wce
