#pragma once

#include <cstddef>
#include <cstdint>

#include "microedition/lcdui/DImage.ptr.h"

namespace qel::lcdui {

// JPEG through libjpeg into an opaque RGB565 image. Data that end early
// are finished with an end-of-image marker; a fatal decoding error, more
// pixels than kMaxDecodedPixels or more working memory than
// kMaxJpegWorkingBytes throw 0x05000080, a buffer that cannot be made
// 0x06000000.
DImagePtr decodeJpeg(const uint8_t* data, size_t length);

}  // namespace qel::lcdui
