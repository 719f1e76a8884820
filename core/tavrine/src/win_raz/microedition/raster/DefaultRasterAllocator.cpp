#include "microedition/raster/DefaultRasterAllocator.h"

#include <new>

#include "microedition/raster/RasterPalette.h"

namespace qel::raster {

bool DefaultRasterAllocator::createBuffer(SurfaceDesc& desc) {
  const int64_t bytes = bytesPerPixel(desc.format);
  if (bytes == 0 || desc.width <= 0 || desc.height <= 0 || desc.width > kMaxSide || desc.height > kMaxSide) {
    return false;
  }
  const int64_t rowBytes = desc.width * bytes;
  int64_t stride = rowBytes;
  if (bytes != 1 && (rowBytes & 2) != 0) {
    stride = rowBytes - 2 + 4;
  }
  void* pixels = alloc(static_cast<size_t>(desc.height * stride), desc.height);
  if (!pixels) {
    return false;
  }
  RasterPalette* palette = nullptr;
  if (desc.format == PF_INDEX8) {
    palette = new (std::nothrow) RasterPalette(256);
    if (!palette) {
      free(pixels);
      return false;
    }
  }
  desc.stride = static_cast<int32_t>(stride);
  desc.pixels = pixels;
  desc.palette = palette;
  return true;
}

void DefaultRasterAllocator::freeBuffer(SurfaceDesc& desc) {
  free(desc.pixels);
  delete desc.palette;
  desc.pixels = nullptr;
  desc.palette = nullptr;
}

void* DefaultRasterAllocator::alloc(size_t bytes, int32_t) { return new (std::nothrow) uint8_t[bytes](); }

void DefaultRasterAllocator::free(void* address) { delete[] static_cast<uint8_t*>(address); }

}  // namespace qel::raster
