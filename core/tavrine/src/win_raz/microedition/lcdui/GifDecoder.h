#pragma once

#include <cstddef>
#include <cstdint>

#include "microedition/lcdui/DImage.ptr.h"

namespace qel::lcdui {

// The first displayable frame of a GIF (INDEX8 when paletted, else RGB565),
// keyed, with its display time. Data that do not open or yield no frame
// (a screen of more than kMaxDecodedPixels among them) throw 0x06000000.
DImagePtr decodeGif(const uint8_t* data, size_t length, bool paletted);

}  // namespace qel::lcdui
