#include "display/kernels/BufferCopy.h"

#include <algorithm>
#include <cstddef>

#include "display/kernels/FastCopy.h"

namespace tdlx {

void copyRect(const FrameBufferInfo& dst, const FrameBufferInfo& src, const Rect& rect) {
  const Rect area = rect.clippedTo(std::min(dst.width, src.width), std::min(dst.height, src.height));
  if (area.isEmpty()) {
    return;
  }
  const std::size_t bytes = static_cast<std::size_t>(area.right - area.left) * 2;
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    fastCopy(rowOf(dst, y) + area.left, rowOf(src, y) + area.left, bytes);
  }
}

void copyBlock(const FrameBufferInfo& dst, const FrameBufferInfo& src, std::int32_t top, std::int32_t bottom) {
  const std::int32_t first = std::max(top, 0);
  const std::int32_t last = std::min({bottom, dst.height, src.height});
  if (last <= first) {
    return;
  }
  if (dst.pitch != src.pitch || src.pitch < 0) {
    copyRect(dst, src, Rect{0, first, std::min(dst.width, src.width), last});
    return;
  }
  fastCopy(rowOf(dst, first),
           rowOf(src, first),
           static_cast<std::size_t>(last - first) * static_cast<std::size_t>(src.pitch));
}

}  // namespace tdlx
