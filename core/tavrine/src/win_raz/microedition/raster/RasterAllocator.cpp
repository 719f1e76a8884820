#include "microedition/raster/RasterAllocator.h"

#include "microedition/raster/DefaultRasterAllocator.h"

namespace qel::raster {

namespace {

struct DefaultHolder {
  RasterAllocator* allocator = nullptr;
};

DefaultHolder* holder = nullptr;

}  // namespace

void RasterAllocator::release() {
  if (--refCount_ < 1) {
    delete this;
  }
}

void RasterAllocator::createHolder() {
  if (!holder) {
    holder = new DefaultHolder;
  }
}

RasterAllocator* RasterAllocator::getDefault() {
  createHolder();
  if (!holder->allocator) {
    holder->allocator = new DefaultRasterAllocator;
    holder->allocator->addRef();
  }
  return holder->allocator;
}

void RasterAllocator::destroyDefault() {
  if (!holder) {
    return;
  }
  if (holder->allocator) {
    holder->allocator->release();
  }
  delete holder;
  holder = nullptr;
}

}  // namespace qel::raster
