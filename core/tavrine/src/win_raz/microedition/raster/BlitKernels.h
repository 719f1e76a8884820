#pragma once

#include <cstddef>
#include <cstdint>

#include "microedition/raster/BlitRequest.h"

// Pixel kernels are also compiled for AVX2 and picked at load time; the
// attribute goes on their definitions only. ThreadSanitizer builds go
// without: the clone resolver would run before the sanitizer is set up.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__SANITIZE_THREAD__)
#define RASTER_KERNEL __attribute__((target_clones("avx2", "default")))
#else
#define RASTER_KERNEL
#endif
// Helpers of a kernel are inlined into it, so that they share its clones.
#define RASTER_INLINE [[gnu::always_inline]] inline

namespace qel::raster {

// The part of a blit that survives clipping: w source pixels along each of h
// source rows, read from src and written along the destination steps.
struct BlitRegion {
  uint8_t* dst = nullptr;
  ptrdiff_t stepX = 0;
  ptrdiff_t stepY = 0;
  const uint8_t* src = nullptr;
  ptrdiff_t srcStride = 0;
  int32_t w = 0;
  int32_t h = 0;
  int32_t skipX = 0;
  int32_t skipY = 0;
  RasterTransform transform = RT_NONE;
};

// Calls fn(destination pixel, source pixel) for every pixel of the region.
// The region is read into locals first: stores through the pixel pointers
// could otherwise alias it and keep the loops from being vectorised.
template <int SrcBytes, int DstBytes, typename Fn>
RASTER_INLINE void walkPixels(const BlitRegion& region, Fn fn) {
  const int32_t w = region.w;
  const int32_t h = region.h;
  const ptrdiff_t stepX = region.stepX;
  const ptrdiff_t stepY = region.stepY;
  const ptrdiff_t srcStride = region.srcStride;
  uint8_t* const dst = region.dst;
  const uint8_t* const src = region.src;
  for (int32_t j = 0; j < h; ++j) {
    uint8_t* d = dst + j * stepY;
    const uint8_t* s = src + j * srcStride;
    if (stepX == DstBytes) {
      for (int32_t i = 0; i < w; ++i) {
        fn(d + i * DstBytes, s + i * SrcBytes);
      }
    } else if (stepX == -DstBytes) {
      for (int32_t i = 0; i < w; ++i) {
        fn(d - i * DstBytes, s + i * SrcBytes);
      }
    } else {
      for (int32_t i = 0; i < w; ++i) {
        fn(d + i * stepX, s + i * SrcBytes);
      }
    }
  }
}

// The key as a pixel value, formed in the source's format (the
// destination's for indexed sources).
uint32_t keyValue(const BlitRequest& request);

// Rows of rowBytes bytes each, straight down both surfaces: the untransformed
// copy between equal formats, which blit() takes before any mode dispatch.
void copyRows(uint8_t* d, ptrdiff_t dstStride, const uint8_t* s, ptrdiff_t srcStride, ptrdiff_t rowBytes, int32_t rows);
void copyBlit(const BlitRequest& request, const BlitRegion& region);
void keyedBlit(const BlitRequest& request, const BlitRegion& region);
void blendBlit(const BlitRequest& request, const BlitRegion& region);
void maskedBlit(const BlitRequest& request, const BlitRegion& region);
void tintBlit(const BlitRequest& request, const BlitRegion& region);
void yuvBlit(const BlitRequest& request, uint8_t* dst, int32_t w, int32_t h, int32_t skipX, int32_t skipY);
void rotatedBlit(const BlitRequest& request, const GUIRect& clip);

}  // namespace qel::raster
