#pragma once

#include <cstddef>
#include <cstdint>

#include "microedition/raster/BlitRequest.h"

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
template <int SrcBytes, int DstBytes, typename Fn>
inline void walkPixels(const BlitRegion& r, Fn fn) {
    for (int32_t j = 0; j < r.h; ++j) {
        uint8_t* d = r.dst + j * r.stepY;
        const uint8_t* s = r.src + j * r.srcStride;
        if (r.stepX == DstBytes) {
            for (int32_t i = 0; i < r.w; ++i) {
                fn(d + i * DstBytes, s + i * SrcBytes);
            }
        } else {
            for (int32_t i = 0; i < r.w; ++i) {
                fn(d + i * r.stepX, s + i * SrcBytes);
            }
        }
    }
}

// The key as a pixel value, formed in the source's format (the
// destination's for indexed sources).
uint32_t keyValue(const BlitRequest& request);

void copyBlit(const BlitRequest& request, const BlitRegion& region);
void keyedBlit(const BlitRequest& request, const BlitRegion& region);
void blendBlit(const BlitRequest& request, const BlitRegion& region);
void maskedBlit(const BlitRequest& request, const BlitRegion& region);
void tintBlit(const BlitRequest& request, const BlitRegion& region);
void yuvBlit(const BlitRequest& request, uint8_t* dst, int32_t w, int32_t h, int32_t skipX,
             int32_t skipY);
void rotatedBlit(const BlitRequest& request, const GUIRect& clip);

}  // namespace qel::raster
