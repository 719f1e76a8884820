#include "microedition/raster/RasterLine.h"

#include <cstdint>

namespace qel::raster {

namespace {

constexpr int32_t kAbove = 8;
constexpr int32_t kBelow = 4;
constexpr int32_t kLeft = 2;
constexpr int32_t kRight = 1;

struct Edges {
  int64_t left;
  int64_t top;
  int64_t right;
  int64_t bottom;
};

int32_t outcode(int64_t x, int64_t y, const Edges& e) {
  int32_t code = 0;
  if (y < e.top) {
    code |= kAbove;
  } else if (y > e.bottom) {
    code |= kBelow;
  }
  if (x < e.left) {
    code |= kLeft;
  } else if (x > e.right) {
    code |= kRight;
  }
  return code;
}

uint64_t magnitude(int64_t value) {
  return value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

// from + (to - from) * num / den, truncated toward zero; from when den is 0.
// Each operand is a difference of two 32-bit coordinates, so the product's
// magnitude fits in 64 unsigned bits, and num / den lies in [0, 1].
int64_t crossing(int64_t from, int64_t to, int64_t num, int64_t den) {
  if (den == 0) {
    return from;
  }
  const int64_t span = to - from;
  const auto step = static_cast<int64_t>(magnitude(span) * magnitude(num) / magnitude(den));
  const bool negative = ((span < 0) != (num < 0)) != (den < 0);
  return negative ? from - step : from + step;
}

}  // namespace

bool clipLine(RasterPoint& a, RasterPoint& b, const GUIRect& clip) {
  if (clip.isEmpty()) {
    return false;
  }
  const Edges e{clip.x, clip.y, clip.right() - 1, clip.bottom() - 1};
  int64_t x1 = a.x, y1 = a.y, x2 = b.x, y2 = b.y;
  int32_t code1 = outcode(x1, y1, e);
  int32_t code2 = outcode(x2, y2, e);
  // Each end moves at most once per edge direction; the bound only guards.
  for (int32_t pass = 0; pass < 16; ++pass) {
    if ((code1 | code2) == 0) {
      a = {static_cast<int32_t>(x1), static_cast<int32_t>(y1)};
      b = {static_cast<int32_t>(x2), static_cast<int32_t>(y2)};
      return true;
    }
    if ((code1 & code2) != 0) {
      return false;
    }
    const bool first = code1 != 0;
    const int32_t code = first ? code1 : code2;
    int64_t x = 0;
    int64_t y = 0;
    if (code >= kAbove) {
      y = e.top;
      x = crossing(x1, x2, e.top - y1, y2 - y1);
    } else if ((code & kBelow) != 0) {
      y = e.bottom;
      x = crossing(x1, x2, e.bottom - y1, y2 - y1);
    } else if ((code & kLeft) != 0) {
      x = e.left;
      y = crossing(y1, y2, e.left - x1, x2 - x1);
    } else {
      x = e.right;
      y = crossing(y1, y2, e.right - x1, x2 - x1);
    }
    if (first) {
      x1 = x;
      y1 = y;
      code1 = outcode(x1, y1, e);
    } else {
      x2 = x;
      y2 = y;
      code2 = outcode(x2, y2, e);
    }
  }
  return false;
}

}  // namespace qel::raster
