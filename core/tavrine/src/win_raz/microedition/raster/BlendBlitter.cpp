#include <algorithm>

#include "microedition/raster/BlitKernels.h"
#include "microedition/raster/PixelAccess.h"
#include "microedition/raster/RasterPalette.h"

namespace qel::raster {

namespace {

// Blends 565 source values (read through load) at constant opacity; pixels
// equal to the key (when there is one) keep the destination. Every pixel is
// stored so that the loops stay branch-free.
template <int SrcBytes, typename Load>
RASTER_INLINE void blendInto565(const BlitRegion& r, uint16_t alpha, bool keyed, uint16_t key, Load load) {
  if (alpha >= 255) {
    walkPixels<SrcBytes, 2>(r, [=](uint8_t* d, const uint8_t* s) {
      const uint16_t p = load(s);
      storePixel<uint16_t>(d, keyed && p == key ? loadPixel<uint16_t>(d) : p);
    });
    return;
  }
  walkPixels<SrcBytes, 2>(r, [=](uint8_t* d, const uint8_t* s) {
    const uint16_t p = load(s);
    const uint16_t old = loadPixel<uint16_t>(d);
    const uint16_t blended = blend565With565(old, p, alpha);
    storePixel<uint16_t>(d, keyed && p == key ? old : blended);
  });
}

}  // namespace

RASTER_KERNEL void blendBlit(const BlitRequest& request, const BlitRegion& region) {
  const uint16_t alpha = static_cast<uint16_t>(std::clamp(request.alpha, 0, 255));
  if (alpha == 0 || request.dest->format != PF_RGB565) {
    return;
  }
  const bool keyed = request.key != kNoKey;
  const uint16_t key = static_cast<uint16_t>(keyValue(request));
  if (request.source->format == PF_RGB565) {
    blendInto565<2>(region, alpha, keyed, key, [](const uint8_t* s) { return loadPixel<uint16_t>(s); });
  } else if (request.source->format == PF_INDEX8) {
    RasterPalette* palette = request.palette ? request.palette : request.source->palette;
    if (!palette) {
      return;
    }
    const uint16_t* table = palette->rgb565Table();
    blendInto565<1>(region, alpha, keyed, key, [table](const uint8_t* s) { return table[*s]; });
  }
}

}  // namespace qel::raster
