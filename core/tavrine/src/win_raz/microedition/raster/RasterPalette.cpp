#include "microedition/raster/RasterPalette.h"

#include <algorithm>

#include "microedition/raster/PixelFormat.h"

namespace qel::raster {

namespace {

constexpr int32_t kIndexValues = 256;

}  // namespace

RasterPalette::RasterPalette(int32_t count) { allocate(count); }

RasterPalette::RasterPalette(const RasterPalette& other) {
  allocate(other.count_);
  assign(other);
}

RasterPalette& RasterPalette::operator=(const RasterPalette& other) {
  assign(other);
  return *this;
}

RasterPalette::~RasterPalette() = default;

int32_t RasterPalette::storageSize() const { return std::max(count_, kIndexValues); }

void RasterPalette::allocate(int32_t count) {
  count_ = std::max(count, 0);
  entries_ = std::make_unique<uint32_t[]>(static_cast<size_t>(storageSize()));
  cache_.reset();
  cacheFormat_ = 0;
}

void RasterPalette::assign(const RasterPalette& other) {
  if (this == &other) {
    return;
  }
  if (count_ != other.count_) {
    allocate(other.count_);
  }
  std::copy_n(other.entries_.get(), storageSize(), entries_.get());
  cacheFormat_ = other.cacheFormat_;
  if (other.cacheFormat_ == 1) {
    if (!cache_) {
      cache_ = std::make_unique<uint16_t[]>(static_cast<size_t>(storageSize()));
    }
    std::copy_n(other.cache_.get(), storageSize(), cache_.get());
  }
}

const void* RasterPalette::getTable(int32_t format) {
  switch (format) {
    case PF_ARGB8888: return entries_.get();
    case PF_RGB565: return rgb565Table();
    default: return nullptr;
  }
}

const uint16_t* RasterPalette::rgb565Table() {
  if (cacheFormat_ != 1) {
    buildCache(PF_RGB565);
  }
  return cache_.get();
}

void RasterPalette::buildCache(int32_t format) {
  if (format != PF_RGB565) {
    return;
  }
  if (!cache_) {
    cache_ = std::make_unique<uint16_t[]>(static_cast<size_t>(storageSize()));
  }
  for (int32_t i = 0; i < storageSize(); ++i) {
    cache_[i] = static_cast<uint16_t>(convertColor(PF_RGB565, entries_[i]));
  }
  cacheFormat_ = 1;
}

uint32_t RasterPalette::getEntry(int32_t index, int32_t format) {
  if (index < 0 || index >= count_) {
    return 0;
  }
  switch (format) {
    case PF_RGB565: return rgb565Table()[index];
    case PF_ARGB8888: return entries_[index];
    default: return 0;
  }
}

void RasterPalette::setEntry(int32_t index, uint32_t rgb) {
  if (index < 0 || index >= count_) {
    return;
  }
  entries_[index] = rgb;
  cacheFormat_ = 0;
}

}  // namespace qel::raster
