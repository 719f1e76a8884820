#include "PixelIo.h"

#include <cstddef>

namespace qel::raster::testing {

namespace {

uint8_t* at(const SurfaceDesc& desc, int32_t x, int32_t y) {
  return static_cast<uint8_t*>(desc.pixels) + std::ptrdiff_t{y} * desc.stride +
         std::ptrdiff_t{x} * bytesPerPixel(desc.format);
}

}  // namespace

uint32_t readPixel(const SurfaceDesc& desc, int32_t x, int32_t y) {
  const uint8_t* p = at(desc, x, y);
  uint32_t value = 0;
  for (int32_t i = bytesPerPixel(desc.format) - 1; i >= 0; --i) {
    value = value << 8 | p[i];
  }
  return value;
}

void writePixel(const SurfaceDesc& desc, int32_t x, int32_t y, uint32_t value) {
  uint8_t* p = at(desc, x, y);
  for (int32_t i = 0; i < bytesPerPixel(desc.format); ++i, value >>= 8) {
    p[i] = static_cast<uint8_t>(value);
  }
}

}  // namespace qel::raster::testing
