#include "display/drivers/FrameBufferOrigin.h"

#include <cstdlib>

namespace tdlx {

FrameBufferOrigin frameBufferOrigin(std::int32_t width, std::int32_t height, std::int32_t xStride, std::int32_t yStride,
                                    std::int32_t bitsPerPixel) {
  std::uint32_t orientation;
  if (xStride < 1) {
    orientation = yStride < 0 ? 2 : 3;
  } else {
    orientation = yStride < 1 ? 1 : 0;
  }
  const bool sideways = orientation == 1 || orientation == 3;
  FrameBufferOrigin origin{
      orientation, sideways ? height : width, sideways ? width : height, std::abs(sideways ? xStride : yStride), 0};
  switch (orientation) {
    case 1: origin.offset = (bitsPerPixel + 7) / 8 - std::ptrdiff_t{height} * bitsPerPixel / 8; break;
    case 2: origin.offset = std::ptrdiff_t{width - 1} * xStride + std::ptrdiff_t{height - 1} * yStride; break;
    case 3: origin.offset = std::ptrdiff_t{width - 1} * xStride; break;
    default: break;
  }
  return origin;
}

}  // namespace tdlx
