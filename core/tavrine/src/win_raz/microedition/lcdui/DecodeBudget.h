#pragma once

#include <cstdint>

namespace qel::lcdui {

// The most pixels a decoded picture may have: 3072 x 2048, twenty screens
// of 480 x 640. A header claims its size before any pixel is read, so the
// decoders refuse a larger one before allocating. A PNG or GIF decode then
// holds at most 48 MB with its working buffers (an interlaced PNG keeps all
// its rows, a GIF saves the areas its frames cover: 8 bytes a pixel in
// all), a JPEG decode its 12 MB picture and libjpeg's capped memory,
// whatever the data claim.
inline constexpr int64_t kMaxDecodedPixels = int64_t{3072} * 2048;

// What libjpeg may allocate besides the picture (a progressive JPEG keeps
// the coefficients of the whole picture, up to 8 bytes a pixel).
inline constexpr long kMaxJpegWorkingBytes = 40L << 20;

inline bool fitsDecodeBudget(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width * height <= kMaxDecodedPixels;
}

}  // namespace qel::lcdui
