#include <algorithm>

#include "microedition/raster/BlitKernels.h"
#include "microedition/raster/PixelAccess.h"
#include "microedition/raster/RasterPalette.h"

namespace qel::raster {

namespace {

// Blends 565 source values (read through load) at constant opacity; pixels
// equal to the key (when there is one) are skipped.
template <int SrcBytes, typename Load>
void blendInto565(const BlitRegion& r, uint32_t alpha, bool keyed, uint32_t key, Load load) {
    if (alpha >= 255) {
        walkPixels<SrcBytes, 2>(r, [=](uint8_t* d, const uint8_t* s) {
            const uint32_t p = load(s);
            if (!keyed || p != key) {
                storePixel<uint16_t>(d, static_cast<uint16_t>(p));
            }
        });
        return;
    }
    walkPixels<SrcBytes, 2>(r, [=](uint8_t* d, const uint8_t* s) {
        const uint32_t p = load(s);
        if (!keyed || p != key) {
            storePixel<uint16_t>(d, blend565With565(loadPixel<uint16_t>(d), p, alpha));
        }
    });
}

}  // namespace

void blendBlit(const BlitRequest& request, const BlitRegion& region) {
    const uint32_t alpha = static_cast<uint32_t>(std::clamp(request.alpha, 0, 255));
    if (alpha == 0 || request.dest->format != PF_RGB565) {
        return;
    }
    const bool keyed = request.key != kNoKey;
    const uint32_t key = keyValue(request);
    if (request.source->format == PF_RGB565) {
        blendInto565<2>(region, alpha, keyed, key,
                        [](const uint8_t* s) -> uint32_t { return loadPixel<uint16_t>(s); });
    } else if (request.source->format == PF_INDEX8) {
        RasterPalette* palette = request.palette ? request.palette : request.source->palette;
        if (!palette) {
            return;
        }
        const uint16_t* table = palette->rgb565Table();
        blendInto565<1>(region, alpha, keyed, key,
                        [table](const uint8_t* s) -> uint32_t { return table[*s]; });
    }
}

}  // namespace qel::raster
