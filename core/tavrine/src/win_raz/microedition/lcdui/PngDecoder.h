#pragma once

#include <cstddef>
#include <cstdint>

#include "microedition/lcdui/DImage.ptr.h"

namespace qel::lcdui {

// PNG through libpng. True colour: colour type 6 becomes ARGB8888, every
// other type RGB565, with palette entries of transparency 0 keyed as
// 0xFF00FF. Paletted: colour type 3 only, into INDEX8. Damaged data,
// another colour type in paletted mode, more pixels than kMaxDecodedPixels
// or a failed buffer throw 0x06000000.
DImagePtr decodePng(const uint8_t* data, size_t length, bool paletted);

}  // namespace qel::lcdui
