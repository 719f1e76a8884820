#pragma once

#include "microedition/raster/DefaultRasterAllocator.h"

namespace qel::raster::testing {

// The default allocator with counted allocations, and failure on demand.
class CountingAllocator : public DefaultRasterAllocator {
public:
  explicit CountingAllocator(int32_t* liveCounter = nullptr) : destroyed_(liveCounter) {
    if (destroyed_) {
      ++*destroyed_;
    }
  }
  ~CountingAllocator() override {
    if (destroyed_) {
      --*destroyed_;
    }
  }

  void* alloc(size_t bytes, int32_t rows) override {
    ++allocCalls;
    if (failNext) {
      return nullptr;
    }
    ++live;
    return DefaultRasterAllocator::alloc(bytes, rows);
  }
  void free(void* address) override {
    if (address) {
      --live;
    }
    DefaultRasterAllocator::free(address);
  }

  int32_t allocCalls = 0;
  int32_t live = 0;
  bool failNext = false;

private:
  int32_t* destroyed_;
};

}  // namespace qel::raster::testing
