#pragma once

#include <string>

#include "tools/demodata/lib/Bytes.h"
#include "tools/demodata/lib/Image.h"
#include "tools/demodata/lib/PixelFont.h"

namespace nv::demodata {

// The GUI image set "img/gui": scroll arrows (animations 0-3: up, down, left, right) and the
// on-screen person buttons (4-7), one frame of one part each.
struct GuiImageSet {
  Image picture;
  Bytes description;  // "img/gui.bin"
};
GuiImageSet buildGuiImageSet(const PixelFont& font);

Image paintLogo(const PixelFont& font);                                     // "logo1", shown on white
Image paintSplashBackground(const PixelFont& font, int width, int height);  // "logo2", the screen's size
Image paintTitle(const PixelFont& font);                                    // "title", over "logo2"
Image paintInfoPicture(const PixelFont& font);                              // "info"
Image paintHand();                                                          // "hand"
Image paintTouchArrow(int direction);  // "arrow_left", "arrow_up", "arrow_right", "arrow_down": 0..3

}  // namespace nv::demodata
