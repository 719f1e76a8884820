#include "tools/demodata/lib/FixedSizeSprites.h"

#include <algorithm>

namespace nv::demodata {

namespace {

// One row of frames each.
constexpr const char* kFixedSizeRows[] = {"buttonBase", "buttonIcons"};

}  // namespace

Image appendFixedSizeSprites(const Image& sheet, const Image& enlargedSheet, const ScreenLayout& painted,
                             ScreenLayout& scaled) {
  int stripHeight = 0;
  for (const char* name : kFixedSizeRows) stripHeight = std::max(stripHeight, painted.sprite(name).h);
  Image out(enlargedSheet.width(), enlargedSheet.height() + stripHeight);
  out.paste(enlargedSheet, 0, 0);
  int x = 0;
  for (const char* name : kFixedSizeRows) {
    const SpriteRow& row = painted.sprite(name);
    const int width = row.w * row.framesPerRow;
    out.paste(sheet.cropped(row.x, row.y, width, row.h), x, enlargedSheet.height());
    scaled.placeSprite(name, x, enlargedSheet.height(), row.w, row.h);
    x += width;
  }
  return out;
}

}  // namespace nv::demodata
