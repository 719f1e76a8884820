#pragma once

#include <cstddef>
#include <cstdint>

namespace tdlx {

// A frame buffer or back buffer of 16-bit RGB565 pixels; pitch is in bytes per row.
struct FrameBufferInfo {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t pitch = 0;
  std::uint16_t* pixels = nullptr;
  bool owns = false;
};

inline std::uint16_t* rowOf(const FrameBufferInfo& buffer, std::int32_t y) {
  return reinterpret_cast<std::uint16_t*>(reinterpret_cast<std::byte*>(buffer.pixels) +
                                          static_cast<std::ptrdiff_t>(buffer.pitch) * y);
}

}  // namespace tdlx
