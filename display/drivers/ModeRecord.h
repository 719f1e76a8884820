#pragma once

#include <cstdint>

namespace tdlx {

inline constexpr std::uint32_t kUnknownOrientation = 4;

// Whether a driver's frame buffer can be drawn into as the back buffer.
enum BufferKind : std::uint32_t {
  kBufferNotDrawable = 0,
  kBufferDrawableUnlessSwapCopy = 1,
  kBufferDrawable = 2,
};

// A screen mode as detection and the drivers find it.
struct ModeRecord {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t bitsPerPixel = 0;
  std::uint32_t pitch = 0;
  std::uint32_t orientation = kUnknownOrientation;
  std::uint32_t bufferKind = kBufferNotDrawable;
  std::uintptr_t frameBuffer = 0;
};

}  // namespace tdlx
