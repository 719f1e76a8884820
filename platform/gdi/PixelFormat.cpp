#include "platform/gdi/PixelFormat.h"

#include <cstring>

namespace wce {
namespace {

std::uint8_t widen5(unsigned value) { return static_cast<std::uint8_t>((value << 3) | (value >> 2)); }
std::uint8_t widen6(unsigned value) { return static_cast<std::uint8_t>((value << 2) | (value >> 4)); }

}  // namespace

int bytesPerPixel(PixelFormat format) { return format == PixelFormat::Xrgb8888 ? 4 : 2; }

Colour readPixel(PixelFormat format, const std::uint8_t* at) {
  if (format == PixelFormat::Xrgb8888) {
    std::uint32_t pixel;
    std::memcpy(&pixel, at, 4);
    return {static_cast<std::uint8_t>(pixel >> 16),
            static_cast<std::uint8_t>(pixel >> 8),
            static_cast<std::uint8_t>(pixel)};
  }
  std::uint16_t pixel;
  std::memcpy(&pixel, at, 2);
  if (format == PixelFormat::Rgb555) {
    return {widen5((pixel >> 10) & 0x1F), widen5((pixel >> 5) & 0x1F), widen5(pixel & 0x1F)};
  }
  return {widen5((pixel >> 11) & 0x1F), widen6((pixel >> 5) & 0x3F), widen5(pixel & 0x1F)};
}

std::uint16_t toRgb565(Colour colour) {
  return static_cast<std::uint16_t>(((colour.red >> 3) << 11) | ((colour.green >> 2) << 5) | (colour.blue >> 3));
}

void writePixel(PixelFormat format, std::uint8_t* at, Colour colour) {
  if (format == PixelFormat::Xrgb8888) {
    const std::uint32_t pixel = (std::uint32_t{colour.red} << 16) | (std::uint32_t{colour.green} << 8) | colour.blue;
    std::memcpy(at, &pixel, 4);
    return;
  }
  const std::uint16_t pixel =
      format == PixelFormat::Rgb565
          ? toRgb565(colour)
          : static_cast<std::uint16_t>(((colour.red >> 3) << 10) | ((colour.green >> 3) << 5) | (colour.blue >> 3));
  std::memcpy(at, &pixel, 2);
}

}  // namespace wce
