#pragma once

#include <cstdint>

#include "microedition/raster/PixelFormat.h"

namespace qel::raster {

class RasterPalette;

// Describes a pixel buffer; copied as a unit between surfaces and requests.
struct SurfaceDesc {
  PixelFormat format = PF_NONE;
  int32_t width = 0;
  int32_t height = 0;
  int32_t stride = 0;      // bytes from one row to the next
  void* pixels = nullptr;  // row 0; a YuvPlanes record for PF_YUV420
  RasterPalette* palette = nullptr;
  int32_t drawable = 0;  // non-zero when the surface accepts drawing
};

}  // namespace qel::raster
