#pragma once

#include <cstdint>

namespace qel::raster {

// A 4:2:0 picture: 8-bit samples, chroma at half resolution both ways.
struct YuvPlanes {
  const uint8_t* luma = nullptr;
  const uint8_t* blueDiff = nullptr;  // U
  const uint8_t* redDiff = nullptr;   // V
  int32_t lumaStride = 0;
  int32_t chromaStride = 0;
};

}  // namespace qel::raster
