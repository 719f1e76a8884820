#pragma once

#include <cstdint>

#include "microedition/raster/GUIRect.h"

namespace guilib {

// The point lies in the rectangle, edges included.
inline bool rectContains(const qel::raster::GUIRect& r, int64_t px, int64_t py) {
  return px >= r.x && px <= r.right() && py >= r.y && py <= r.bottom();
}

// The rectangles overlap or touch.
inline bool rectOverlaps(const qel::raster::GUIRect& a, const qel::raster::GUIRect& b) {
  return a.x <= b.right() && a.right() >= b.x && a.y <= b.bottom() && a.bottom() >= b.y;
}

}  // namespace guilib
