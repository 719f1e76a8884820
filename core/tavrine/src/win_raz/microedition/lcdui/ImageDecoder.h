#pragma once

#include <cstddef>
#include <cstdint>

#include "microedition/lcdui/DImage.ptr.h"

namespace qel::lcdui {

// Chooses the decoder by content: the PNG signature, "GIF87a" or "GIF89a",
// else JPEG (true colour only). Paletted decoding yields INDEX8 images
// from palette PNGs and GIFs and refuses everything else with 0x06000000.
DImagePtr decodeImage(const uint8_t* data, size_t length, bool paletted);

bool isPng(const uint8_t* data, size_t length);
bool isGif(const uint8_t* data, size_t length);

}  // namespace qel::lcdui
