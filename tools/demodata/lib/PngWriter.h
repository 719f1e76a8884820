#pragma once

#include "tools/demodata/lib/Bytes.h"
#include "tools/demodata/lib/Image.h"

namespace nv::demodata {

// Encodes a picture as a non-interlaced 8-bit PNG the game decodes as intended: a palette PNG
// with tRNS alpha 0 for the transparent colour (keyed) when the picture has at most 256 colours
// and no partial alpha, else RGBA.
Bytes encodePng(const Image& image);

}  // namespace nv::demodata
