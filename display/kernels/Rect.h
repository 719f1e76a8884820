#pragma once

#include <algorithm>
#include <cstdint>

namespace tdlx {

// A pixel rectangle; right and bottom are exclusive.
struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;

  bool isEmpty() const { return right <= left || bottom <= top; }

  // The part of this rectangle inside {0, 0, width, height}.
  Rect clippedTo(std::int32_t width, std::int32_t height) const {
    return {std::max(left, 0), std::max(top, 0), std::min(right, width), std::min(bottom, height)};
  }

  friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace tdlx
