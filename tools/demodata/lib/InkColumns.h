#pragma once

#include "tools/demodata/lib/Image.h"
#include "tools/demodata/lib/ScreenLayout.h"

namespace nv::demodata {

// The columns of a sprite's first frame that hold ink: first is the frame's width and last -1
// when the frame is clear.
struct InkColumns {
  int first;
  int last;
};

InkColumns inkColumnsOf(const Image& sheet, const SpriteRow& sprite);

}  // namespace nv::demodata
