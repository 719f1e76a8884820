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
RASTER_INLINE void walkMasked(const BlitRegion& region, const MaskWalk& mask, Fn fn) {
  const int32_t w = region.w;
  const int32_t h = region.h;
  const ptrdiff_t stepX = region.stepX;
  const ptrdiff_t stepY = region.stepY;
  const ptrdiff_t srcStride = region.srcStride;
  const ptrdiff_t maskStride = mask.stride;
  for (int32_t j = 0; j < h; ++j) {
    uint8_t* d = region.dst + j * stepY;
    const uint8_t* s = region.src + j * srcStride;
    const uint8_t* m = mask.start + j * maskStride;
    if (stepX == 2) {
      for (int32_t i = 0; i < w; ++i) {
        fn(d + i * 2, s + i * SrcBytes, m + i * MaskBytes);
      }
    } else {
      for (int32_t i = 0; i < w; ++i) {
        fn(d + i * stepX, s + i * SrcBytes, m + i * MaskBytes);
      }
    }
  }
}

RASTER_INLINE void maskedBy565(const BlitRegion& r, const MaskWalk& mask, bool keyed, uint16_t key) {
  walkMasked<2, 2>(r, mask, [=](uint8_t* d, const uint8_t* s, const uint8_t* m) {
    const uint16_t coverage = (loadPixel<uint16_t>(m) >> 3) & 0xFC;
    const uint16_t p = loadPixel<uint16_t>(s);
    const uint16_t old = loadPixel<uint16_t>(d);
    const uint16_t blended = blend565With565(old, p, coverage);
    storePixel<uint16_t>(d, coverage == 0 || (keyed && p == key) ? old : blended);
  });
}

// The coverage byte of a mask pixel: a whole word shifted for 4-byte masks.
template <int MaskBytes>
RASTER_INLINE uint16_t coverageOf(const uint8_t* m, int32_t shift) {
  if constexpr (MaskBytes == 4) {
    return static_cast<uint16_t>((loadPixel<uint32_t>(m) >> shift) & 0xFF);
  } else {
    return *m;
  }
}

// The common sprite case: an ARGB8888 source that is its own mask.
RASTER_INLINE void maskedBySourceAlpha(const BlitRegion& r, uint16_t alpha, bool keyed, uint32_t key) {
  if (alpha >= 255) {
    walkPixels<4, 2>(r, [=](uint8_t* d, const uint8_t* s) {
      const uint32_t p = loadPixel<uint32_t>(s);
      const uint16_t coverage = static_cast<uint16_t>(p >> 24);
      const uint16_t old = loadPixel<uint16_t>(d);
      const uint16_t drawn = coverage == 255 ? argbTo565(p) : blend565WithArgb(old, p, coverage);
      storePixel<uint16_t>(d, coverage == 0 || (keyed && p == key) ? old : drawn);
    });
    return;
  }
  walkPixels<4, 2>(r, [=](uint8_t* d, const uint8_t* s) {
    const uint32_t p = loadPixel<uint32_t>(s);
    const uint16_t a = static_cast<uint16_t>((alpha * (p >> 24)) >> 8);
    const uint16_t old = loadPixel<uint16_t>(d);
    const uint16_t blended = blend565WithArgb(old, p, a);
    storePixel<uint16_t>(d, a == 0 || (keyed && p == key) ? old : blended);
  });
}

template <int MaskBytes>
RASTER_INLINE void maskedByAlpha(const BlitRegion& r, const MaskWalk& mask, int32_t shift, uint16_t alpha, bool keyed,
                                 uint32_t key) {
  if (alpha >= 255) {
    walkMasked<4, MaskBytes>(r, mask, [=](uint8_t* d, const uint8_t* s, const uint8_t* m) {
      const uint16_t coverage = coverageOf<MaskBytes>(m, shift);
      const uint32_t p = loadPixel<uint32_t>(s);
      const uint16_t old = loadPixel<uint16_t>(d);
      const uint16_t drawn = coverage == 255 ? argbTo565(p) : blend565WithArgb(old, p, coverage);
      storePixel<uint16_t>(d, coverage == 0 || (keyed && p == key) ? old : drawn);
    });
    return;
  }
  walkMasked<4, MaskBytes>(r, mask, [=](uint8_t* d, const uint8_t* s, const uint8_t* m) {
    const uint16_t a = static_cast<uint16_t>((alpha * coverageOf<MaskBytes>(m, shift)) >> 8);
    const uint32_t p = loadPixel<uint32_t>(s);
    const uint16_t old = loadPixel<uint16_t>(d);
    const uint16_t blended = blend565WithArgb(old, p, a);
    storePixel<uint16_t>(d, a == 0 || (keyed && p == key) ? old : blended);
  });
}

}  // namespace

RASTER_KERNEL void maskedBlit(const BlitRequest& request, const BlitRegion& region) {
  const SurfaceDesc& mask = *request.mask;
  const PixelFormatInfo& maskInfo = getFormatInfo(mask.format);
  // The mask is read at the source's coordinates: it must cover them.
  if (!mask.pixels || maskInfo.bytesPerPixel == 0 || mask.width < int64_t{region.skipX} + region.w ||
      mask.height < int64_t{region.skipY} + region.h || request.dest->format != PF_RGB565) {
    return;
  }
  const MaskWalk walk{static_cast<const uint8_t*>(mask.pixels) + ptrdiff_t{region.skipY} * mask.stride +
                          ptrdiff_t{region.skipX} * maskInfo.bytesPerPixel,
                      mask.stride};
  const bool keyed = request.key != kNoKey;
  const uint32_t key = keyValue(request);
  const int32_t sourceFormat = request.source->format;
  if (!maskInfo.hasAlpha) {
    if (mask.format == PF_RGB565 && sourceFormat == PF_RGB565) {
      maskedBy565(region, walk, keyed, static_cast<uint16_t>(key));
    }
    return;
  }
  if (sourceFormat != PF_ARGB8888) {
    return;
  }
  const uint16_t alpha = static_cast<uint16_t>(std::clamp(request.alpha, 0, 255));
  if (request.mask == request.source) {
    maskedBySourceAlpha(region, alpha, keyed, key);
  } else if (maskInfo.bytesPerPixel == 4) {
    maskedByAlpha<4>(region, walk, maskInfo.alphaShift, alpha, keyed, key);
  } else {
    maskedByAlpha<1>(region, walk, maskInfo.alphaShift, alpha, keyed, key);
  }
}

}  // namespace qel::raster
