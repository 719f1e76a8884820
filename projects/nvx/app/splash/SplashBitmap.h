#pragma once
// The bytes of splash.bmp, embedded at build time.

#include <cstdint>
#include <span>

namespace nvx {

extern const std::span<const std::uint8_t> splashBitmapBytes;

}  // namespace nvx
