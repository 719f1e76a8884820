#pragma once

#include <cstdint>

namespace tdlx {

inline constexpr std::int32_t kAnyOrientation = 4;
inline constexpr std::int32_t kSwapDiscard = 1;

// What the caller asks of a display, and on success what it got: the swap
// effect then names the kind of back buffer in use (1 or 2).
struct DisplayParams {
  std::int32_t width = 0;
  std::int32_t height = 0;
  // Quarter turns like the system's display orientations; 4 = any.
  std::int32_t orientation = kAnyOrientation;
  std::int32_t swapEffect = 0;
};

}  // namespace tdlx
