#pragma once

namespace wce {

// The metrics GetTextMetricsW reports, in pixels: height = ascent + descent.
struct TextMetrics {
  int height = 0;
  int ascent = 0;
  int descent = 0;
};

}  // namespace wce
