#include "display/drivers/VideoDriver.h"

namespace tdlx {

void VideoDriver::takeFrameBufferFromMode() {
  frame_.width = static_cast<std::int32_t>(mode_.width);
  frame_.height = static_cast<std::int32_t>(mode_.height);
  frame_.pitch = static_cast<std::int32_t>(mode_.pitch);
  frame_.pixels = reinterpret_cast<std::uint16_t*>(mode_.frameBuffer);
  frame_.owns = false;
}

}  // namespace tdlx
