#pragma once

#include <cstdint>
#include <cstdlib>

#include "microedition/raster/GUIRect.h"
#include "microedition/raster/RasterPoint.h"

namespace qel::raster {

// Cuts the segment a-b to the inclusive edges of clip (outcodes, integer
// crossings truncated toward zero); false when nothing of it is inside.
bool clipLine(RasterPoint& a, RasterPoint& b, const GUIRect& clip);

// Calls plot(x, y) for the major + 1 pixels of the segment a-b, walking from
// both ends at once with the same midpoint decisions.
template <typename Plot>
void walkLine(RasterPoint a, RasterPoint b, Plot plot) {
  const int32_t dx = b.x - a.x;
  const int32_t dy = b.y - a.y;
  const int32_t sx = dx < 0 ? -1 : 1;
  const int32_t sy = dy < 0 ? -1 : 1;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int32_t major = xMajor ? std::abs(dx) : std::abs(dy);
  const int32_t minor = xMajor ? std::abs(dy) : std::abs(dx);
  const int32_t straightX = xMajor ? sx : 0;
  const int32_t straightY = xMajor ? 0 : sy;
  int64_t error = -major;
  for (int32_t round = 0; round < major / 2; ++round) {
    plot(a.x, a.y);
    plot(b.x, b.y);
    error += 2 * int64_t{minor};
    if (error > 0) {
      error -= 2 * int64_t{major};
      a.x += sx;
      a.y += sy;
      b.x -= sx;
      b.y -= sy;
    } else {
      a.x += straightX;
      a.y += straightY;
      b.x -= straightX;
      b.y -= straightY;
    }
  }
  plot(a.x, a.y);
  if (major % 2 == 1) {
    plot(b.x, b.y);
  }
}

}  // namespace qel::raster
