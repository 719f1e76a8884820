#pragma once

#include "tools/demodata/lib/Image.h"
#include "tools/demodata/lib/ScreenLayout.h"

namespace nv::demodata {

// The soft-key buttons and their icons stand in the game's soft-key bar, whose height is the
// same on every screen: on an enlarged screen they keep the size they were painted at. Returns
// `enlargedSheet` (the GUI sheet `sheet` enlarged) with a strip below it that holds those rows
// as painted, and points their rows in `scaled` at the strip.
Image appendFixedSizeSprites(const Image& sheet, const Image& enlargedSheet, const ScreenLayout& painted,
                             ScreenLayout& scaled);

}  // namespace nv::demodata
