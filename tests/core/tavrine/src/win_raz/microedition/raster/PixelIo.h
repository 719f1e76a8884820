#pragma once

#include <cstdint>

#include "microedition/raster/SurfaceDesc.h"

namespace qel::raster::testing {

// Pixels of any 1- to 4-byte format as little-endian values.
uint32_t readPixel(const SurfaceDesc& desc, int32_t x, int32_t y);
void writePixel(const SurfaceDesc& desc, int32_t x, int32_t y, uint32_t value);

}  // namespace qel::raster::testing
