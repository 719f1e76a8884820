#pragma once

#include <cstddef>
#include <cstdint>

namespace tdlx {

// How a frame buffer reported with pixel steps lies in memory.
struct FrameBufferOrigin {
  std::uint32_t orientation;
  // Exchanged for orientations 1 and 3.
  std::int32_t width;
  std::int32_t height;
  std::int32_t pitch;
  // Added to the reported address to reach the first byte of the buffer.
  std::ptrdiff_t offset;
};

// width and height as reported; the strides are bytes to the next pixel of a
// row and to the next row.
FrameBufferOrigin frameBufferOrigin(std::int32_t width, std::int32_t height, std::int32_t xStride, std::int32_t yStride,
                                    std::int32_t bitsPerPixel);

}  // namespace tdlx
