#pragma once

#include <cstdint>

namespace qel::lang {

// Integer abs, max and min.
class DMath {
public:
  DMath() = delete;

  // The larger of v and -v; the smallest int stays negative.
  static int32_t abs(int32_t v) {
    uint32_t magnitude = v < 0 ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v);
    return static_cast<int32_t>(magnitude);
  }
  static int32_t max(int32_t a, int32_t b) { return a > b ? a : b; }
  static int32_t min(int32_t a, int32_t b) { return a < b ? a : b; }
};

}  // namespace qel::lang
