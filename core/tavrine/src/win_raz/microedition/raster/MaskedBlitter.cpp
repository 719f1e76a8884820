#include <algorithm>

#include "microedition/raster/BlitKernels.h"
#include "microedition/raster/PixelAccess.h"

namespace qel::raster {

namespace {

struct MaskWalk {
    const uint8_t* start;
    ptrdiff_t stride;
};

// Calls fn(destination, source, mask) with the mask read at the source's
// coordinates.
template <int SrcBytes, int MaskBytes, typename Fn>
void walkMasked(const BlitRegion& r, const MaskWalk& mask, Fn fn) {
    for (int32_t j = 0; j < r.h; ++j) {
        uint8_t* d = r.dst + j * r.stepY;
        const uint8_t* s = r.src + j * r.srcStride;
        const uint8_t* m = mask.start + j * mask.stride;
        if (r.stepX == 2) {
            for (int32_t i = 0; i < r.w; ++i) {
                fn(d + i * 2, s + i * SrcBytes, m + i * MaskBytes);
            }
        } else {
            for (int32_t i = 0; i < r.w; ++i) {
                fn(d + i * r.stepX, s + i * SrcBytes, m + i * MaskBytes);
            }
        }
    }
}

void maskedBy565(const BlitRegion& r, const MaskWalk& mask, bool keyed, uint32_t key) {
    walkMasked<2, 2>(r, mask, [=](uint8_t* d, const uint8_t* s, const uint8_t* m) {
        const uint32_t coverage = (loadPixel<uint16_t>(m) >> 3) & 0xFC;
        const uint32_t p = loadPixel<uint16_t>(s);
        if (coverage != 0 && (!keyed || p != key)) {
            storePixel<uint16_t>(d, blend565With565(loadPixel<uint16_t>(d), p, coverage));
        }
    });
}

inline void blendArgb(uint8_t* d, uint32_t p, uint32_t a) {
    storePixel<uint16_t>(d, blend565(loadPixel<uint16_t>(d), (p >> 16) & 0xFF, (p >> 8) & 0xFF,
                                     p & 0xFF, a));
}

template <int MaskBytes>
void maskedByAlpha(const BlitRegion& r, const MaskWalk& mask, int32_t alphaOffset, uint32_t alpha,
                   bool keyed, uint32_t key) {
    if (alpha >= 255) {
        walkMasked<4, MaskBytes>(r, mask, [=](uint8_t* d, const uint8_t* s, const uint8_t* m) {
            const uint32_t coverage = m[alphaOffset];
            const uint32_t p = loadPixel<uint32_t>(s);
            if (coverage == 0 || (keyed && p == key)) {
                return;
            }
            if (coverage == 255) {
                storePixel<uint16_t>(d, argbTo565(p));
            } else {
                blendArgb(d, p, coverage);
            }
        });
        return;
    }
    walkMasked<4, MaskBytes>(r, mask, [=](uint8_t* d, const uint8_t* s, const uint8_t* m) {
        const uint32_t a = (alpha * m[alphaOffset]) >> 8;
        const uint32_t p = loadPixel<uint32_t>(s);
        if (a != 0 && (!keyed || p != key)) {
            blendArgb(d, p, a);
        }
    });
}

}  // namespace

void maskedBlit(const BlitRequest& request, const BlitRegion& region) {
    const SurfaceDesc& mask = *request.mask;
    const PixelFormatInfo& maskInfo = getFormatInfo(mask.format);
    // The mask is read at the source's coordinates: it must cover them.
    if (!mask.pixels || maskInfo.bytesPerPixel == 0 ||
        mask.width < int64_t{region.skipX} + region.w ||
        mask.height < int64_t{region.skipY} + region.h ||
        request.dest->format != PF_RGB565) {
        return;
    }
    const MaskWalk walk{static_cast<const uint8_t*>(mask.pixels) +
                            ptrdiff_t{region.skipY} * mask.stride +
                            ptrdiff_t{region.skipX} * maskInfo.bytesPerPixel,
                        mask.stride};
    const bool keyed = request.key != kNoKey;
    const uint32_t key = keyValue(request);
    const int32_t sourceFormat = request.source->format;
    if (!maskInfo.hasAlpha) {
        if (mask.format == PF_RGB565 && sourceFormat == PF_RGB565) {
            maskedBy565(region, walk, keyed, key);
        }
        return;
    }
    if (sourceFormat != PF_ARGB8888) {
        return;
    }
    const uint32_t alpha = static_cast<uint32_t>(std::clamp(request.alpha, 0, 255));
    const int32_t alphaOffset = maskInfo.alphaShift / 8;
    if (maskInfo.bytesPerPixel == 4) {
        maskedByAlpha<4>(region, walk, alphaOffset, alpha, keyed, key);
    } else {
        maskedByAlpha<1>(region, walk, alphaOffset, alpha, keyed, key);
    }
}

}  // namespace qel::raster
