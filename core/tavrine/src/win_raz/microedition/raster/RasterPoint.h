#pragma once

#include <cstdint>

namespace qel::raster {

struct RasterPoint {
  int32_t x = 0;
  int32_t y = 0;
};

}  // namespace qel::raster
