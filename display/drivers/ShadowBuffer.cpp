#include "display/drivers/ShadowBuffer.h"

#include <algorithm>

namespace tdlx {

ShadowBuffer::ShadowBuffer(std::int32_t width, std::int32_t height)
    : pixels_(static_cast<std::size_t>(pitchFor(std::max(width, 0)) / 2) *
              static_cast<std::size_t>(std::max(height, 0))) {
  info_.width = std::max(width, 0);
  info_.height = std::max(height, 0);
  info_.pitch = pitchFor(info_.width);
  info_.pixels = pixels_.data();
  info_.owns = true;
}

}  // namespace tdlx
