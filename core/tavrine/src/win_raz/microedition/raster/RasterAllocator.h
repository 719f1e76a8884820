#pragma once

#include <cstddef>
#include <cstdint>

#include "microedition/raster/SurfaceDesc.h"

namespace qel::raster {

// Makes and frees pixel buffers. Counted: a surface that owns its buffer
// holds one count of the allocator that made it.
class RasterAllocator {
public:
  RasterAllocator() = default;
  RasterAllocator(const RasterAllocator&) = delete;
  RasterAllocator& operator=(const RasterAllocator&) = delete;
  virtual ~RasterAllocator() = default;

  // Fills stride, pixels and (for PF_INDEX8) palette of a descriptor whose
  // format, width and height are set; false leaves it unchanged.
  virtual bool createBuffer(SurfaceDesc& desc) = 0;
  // Frees pixels and palette and clears both pointers.
  virtual void freeBuffer(SurfaceDesc& desc) = 0;
  // Raw memory, null on failure.
  virtual void* alloc(size_t bytes, int32_t rows) = 0;
  virtual void free(void* address) = 0;

  void addRef() { ++refCount_; }
  // Drops one count; the allocator deletes itself when none is left.
  void release();
  int32_t refCount() const { return refCount_; }

  // The process-wide default allocator. The holder is made by the host at
  // start-up, or by the first getDefault; destroyDefault drops the
  // holder's count (surfaces still alive keep the allocator with theirs).
  static void createHolder();
  static RasterAllocator* getDefault();
  static void destroyDefault();

private:
  int32_t refCount_ = 0;
};

}  // namespace qel::raster
