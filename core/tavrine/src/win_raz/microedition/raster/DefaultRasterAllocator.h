#pragma once

#include "microedition/raster/RasterAllocator.h"

namespace qel::raster {

// Buffers from the global heap. Sizes are checked in 64 bits: a side that is
// not positive or above kMaxSide gets no buffer.
class DefaultRasterAllocator : public RasterAllocator {
public:
  static constexpr int32_t kMaxSide = 16384;

  bool createBuffer(SurfaceDesc& desc) override;
  void freeBuffer(SurfaceDesc& desc) override;
  void* alloc(size_t bytes, int32_t rows) override;
  void free(void* address) override;
};

}  // namespace qel::raster
