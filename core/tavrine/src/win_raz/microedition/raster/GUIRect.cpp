#include "microedition/raster/GUIRect.h"

#include <algorithm>
#include <limits>

namespace qel::raster {

namespace {

int32_t clampToInt32(int64_t value) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

bool spansOverlap(int64_t aStart, int64_t aLength, int64_t bStart, int64_t bLength) {
  if (bStart < aStart) {
    return bStart + bLength > aStart;
  }
  return bStart < aStart + aLength;
}

}  // namespace

GUIRect GUIRect::intersect(const GUIRect& rect, const GUIRect& clip) {
  GUIRect out = rect;
  int64_t width = rect.width;
  int64_t height = rect.height;
  if (out.x < clip.x) {
    width -= int64_t{clip.x} - out.x;
    out.x = clip.x;
  }
  if (out.x + width > clip.right()) {
    width = clip.right() - out.x;
  }
  if (out.y < clip.y) {
    height -= int64_t{clip.y} - out.y;
    out.y = clip.y;
  }
  if (out.y + height > clip.bottom()) {
    height = clip.bottom() - out.y;
  }
  if (width <= 0 || height <= 0) {
    out.width = 0;
    out.height = 0;
  } else {
    out.width = static_cast<int32_t>(width);
    out.height = static_cast<int32_t>(height);
  }
  return out;
}

GUIRect GUIRect::unionRect(const GUIRect& rect, const GUIRect& other) {
  if (other.width <= 0 || other.height <= 0) {
    return rect;
  }
  const int32_t left = std::min(rect.x, other.x);
  const int32_t top = std::min(rect.y, other.y);
  const int64_t right = std::max(rect.right(), other.right());
  const int64_t bottom = std::max(rect.bottom(), other.bottom());
  return {left, top, clampToInt32(right - left), clampToInt32(bottom - top)};
}

bool GUIRect::equals(const GUIRect& a, const GUIRect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

bool GUIRect::containsRect(const GUIRect& rect, const GUIRect& inner) {
  return inner.x >= rect.x && inner.y >= rect.y && inner.right() <= rect.right() && inner.bottom() <= rect.bottom();
}

bool GUIRect::overlapsX(const GUIRect& a, const GUIRect& b) { return spansOverlap(a.x, a.width, b.x, b.width); }

bool GUIRect::overlapsY(const GUIRect& a, const GUIRect& b) { return spansOverlap(a.y, a.height, b.y, b.height); }

}  // namespace qel::raster
