#pragma once

#include <cstdint>
#include <vector>

#include "display/kernels/FrameBufferInfo.h"

namespace tdlx {

// A buffer of 16-bit pixels with padding at the end of every row.
class TestBuffer {
public:
  TestBuffer(std::int32_t width, std::int32_t height, std::int32_t padPixels = 0, std::uint16_t fill = 0xDEAD)
      : storage_(static_cast<std::size_t>(width + padPixels) * height, fill) {
    info_.width = width;
    info_.height = height;
    info_.pitch = (width + padPixels) * 2;
    info_.pixels = storage_.data();
  }

  // Every pixel a different value made of its position.
  TestBuffer& fillWithPattern() {
    for (std::int32_t y = 0; y < info_.height; ++y) {
      for (std::int32_t x = 0; x < info_.width; ++x) {
        at(x, y) = static_cast<std::uint16_t>(y * 331 + x * 7 + 1);
      }
    }
    return *this;
  }

  std::uint16_t& at(std::int32_t x, std::int32_t y) { return rowOf(info_, y)[x]; }
  const FrameBufferInfo& info() const { return info_; }
  const std::vector<std::uint16_t>& storage() const { return storage_; }

private:
  std::vector<std::uint16_t> storage_;
  FrameBufferInfo info_;
};

}  // namespace tdlx
