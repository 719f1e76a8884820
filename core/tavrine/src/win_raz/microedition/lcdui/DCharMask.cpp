#include "microedition/lcdui/DCharMask.h"

#include <algorithm>

namespace qel::lcdui {

void DCharMask::setSize(int32_t width, int32_t height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<size_t>(width_) * height_, 0);
}

}  // namespace qel::lcdui
