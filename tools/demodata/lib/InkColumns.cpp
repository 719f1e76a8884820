#include "tools/demodata/lib/InkColumns.h"

#include <algorithm>

namespace nv::demodata {

InkColumns inkColumnsOf(const Image& sheet, const SpriteRow& sprite) {
  InkColumns ink{sprite.w, -1};
  for (int x = 0; x < sprite.w; ++x)
    for (int y = 0; y < sprite.h; ++y)
      if (sheet.at(sprite.x + x, sprite.y + y).a != 0) {
        ink.first = std::min(ink.first, x);
        ink.last = std::max(ink.last, x);
      }
  return ink;
}

}  // namespace nv::demodata
