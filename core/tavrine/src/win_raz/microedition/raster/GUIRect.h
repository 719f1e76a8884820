#pragma once

#include <cstdint>

namespace qel::raster {

// A rectangle of four signed integers; edges are computed in 64 bits so that
// huge widths never wrap around.
struct GUIRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  // rect cut to clip; a result without area gets width = height = 0 and
  // keeps its (cut) position.
  static GUIRect intersect(const GUIRect& rect, const GUIRect& clip);
  // The smallest rectangle holding both when other has an area; else rect.
  static GUIRect unionRect(const GUIRect& rect, const GUIRect& other);
  static bool equals(const GUIRect& a, const GUIRect& b);
  // inner lies wholly inside rect (edges included).
  static bool containsRect(const GUIRect& rect, const GUIRect& inner);
  // The point lies in rect, edges included.
  static bool contains(const GUIRect& rect, int64_t px, int64_t py) {
    return px >= rect.x && px <= rect.right() && py >= rect.y && py <= rect.bottom();
  }
  // The rectangles overlap or touch.
  static bool overlaps(const GUIRect& a, const GUIRect& b) {
    return a.x <= b.right() && a.right() >= b.x && a.y <= b.bottom() && a.bottom() >= b.y;
  }
  static bool overlapsX(const GUIRect& a, const GUIRect& b);
  static bool overlapsY(const GUIRect& a, const GUIRect& b);

  int64_t right() const { return int64_t{x} + width; }
  int64_t bottom() const { return int64_t{y} + height; }
  bool isEmpty() const { return width <= 0 || height <= 0; }
};

}  // namespace qel::raster
