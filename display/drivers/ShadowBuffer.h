#pragma once
// A back buffer in system memory, rows padded to 4 bytes, black at first.

#include <cstdint>
#include <vector>

#include "display/kernels/FrameBufferInfo.h"

namespace tdlx {

class ShadowBuffer {
public:
  ShadowBuffer(std::int32_t width, std::int32_t height);
  ShadowBuffer(const ShadowBuffer&) = delete;
  ShadowBuffer& operator=(const ShadowBuffer&) = delete;

  FrameBufferInfo& info() { return info_; }
  const FrameBufferInfo& info() const { return info_; }

  static std::int32_t pitchFor(std::int32_t width) { return (width * 2 + 3) & ~3; }

private:
  std::vector<std::uint16_t> pixels_;
  FrameBufferInfo info_;
};

}  // namespace tdlx
