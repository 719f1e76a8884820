#include <cstring>

#include "microedition/raster/BlitKernels.h"
#include "microedition/raster/PixelAccess.h"
#include "microedition/raster/RasterPalette.h"

namespace qel::raster {

namespace {

// Rows this short are copied in place: a call per row costs more than the row.
constexpr ptrdiff_t kShortRow = 64;

// A row of at most kShortRow bytes, as 16-byte moves and a tail.
RASTER_INLINE void copyShortRow(uint8_t* d, const uint8_t* s, ptrdiff_t bytes) {
  ptrdiff_t i = 0;
  for (; i + 16 <= bytes; i += 16) std::memcpy(d + i, s + i, 16);
  if (i + 8 <= bytes) {
    std::memcpy(d + i, s + i, 8);
    i += 8;
  }
  if (i + 4 <= bytes) {
    std::memcpy(d + i, s + i, 4);
    i += 4;
  }
  for (; i < bytes; ++i) d[i] = s[i];
}

// Rows of a width known at compile time: each row is one or two vector moves.
template <size_t RowBytes>
void copyFixedRows(uint8_t* d, ptrdiff_t dstStride, const uint8_t* s, ptrdiff_t srcStride, int32_t rows) {
  for (int32_t j = 0; j < rows; ++j, d += dstStride, s += srcStride) std::memcpy(d, s, RowBytes);
}

template <typename T>
RASTER_INLINE void copyAlongSteps(const BlitRegion& r) {
  walkPixels<sizeof(T), sizeof(T)>(r, [](uint8_t* d, const uint8_t* s) { storePixel<T>(d, loadPixel<T>(s)); });
}

RASTER_INLINE void copyEqualFormats(const BlitRegion& r, int32_t bytes) {
  if (r.transform == RT_NONE) {
    copyRows(r.dst, r.stepY, r.src, r.srcStride, r.w * bytes, r.h);
    return;
  }
  switch (bytes) {
    case 1: copyAlongSteps<uint8_t>(r); break;
    case 2: copyAlongSteps<uint16_t>(r); break;
    case 4: copyAlongSteps<uint32_t>(r); break;
    default: break;
  }
}

RASTER_INLINE void copyFrom565(const BlitRegion& r, int32_t destFormat) {
  switch (destFormat) {
    case PF_ARGB8888:
      walkPixels<2, 4>(
          r, [](uint8_t* d, const uint8_t* s) { storePixel<uint32_t>(d, rgb565ToArgb(loadPixel<uint16_t>(s))); });
      break;
    case PF_RGBA8888:
      walkPixels<2, 4>(r, [](uint8_t* d, const uint8_t* s) {
        const uint32_t p = loadPixel<uint16_t>(s);
        storePixel<uint32_t>(d, ((p >> 11) << 27) | (((p >> 5) & 0x3F) << 18) | ((p & 0x1F) << 11) | 0xFF);
      });
      break;
    case PF_RGB888:
      walkPixels<2, 3>(r, [](uint8_t* d, const uint8_t* s) {
        const uint32_t p = loadPixel<uint16_t>(s);
        d[0] = static_cast<uint8_t>((p & 0x1F) << 3);
        d[1] = static_cast<uint8_t>(((p >> 5) & 0x3F) << 2);
        d[2] = static_cast<uint8_t>((p >> 11) << 3);
      });
      break;
    case PF_RGB565_SWAPPED:
      walkPixels<2, 2>(r, [](uint8_t* d, const uint8_t* s) {
        d[0] = s[1];
        d[1] = s[0];
      });
      break;
    case PF_RGB555:
      // A straight two-byte walk: only the untransformed case fits it.
      if (r.transform == RT_NONE) {
        walkPixels<2, 2>(r, [](uint8_t* d, const uint8_t* s) {
          const uint32_t p = loadPixel<uint16_t>(s);
          storePixel<uint16_t>(d, static_cast<uint16_t>((p & 0x1F) | ((p & 0xFFC0) >> 1)));
        });
      }
      break;
    default: break;
  }
}

RASTER_INLINE void copyFromIndex8(const BlitRequest& request, const BlitRegion& r) {
  RasterPalette* palette = request.palette ? request.palette : request.source->palette;
  if (!palette) {
    return;
  }
  switch (request.dest->format) {
    case PF_RGB565: {
      const uint16_t* table = palette->rgb565Table();
      walkPixels<1, 2>(r, [table](uint8_t* d, const uint8_t* s) { storePixel<uint16_t>(d, table[*s]); });
      break;
    }
    case PF_ARGB8888: {
      const uint32_t* table = palette->entries();
      walkPixels<1, 4>(r, [table](uint8_t* d, const uint8_t* s) { storePixel<uint32_t>(d, table[*s]); });
      break;
    }
    default: break;
  }
}

}  // namespace

void copyRows(uint8_t* d, ptrdiff_t dstStride, const uint8_t* s, ptrdiff_t srcStride, ptrdiff_t rowBytes,
              int32_t rows) {
  if (dstStride == rowBytes && srcStride == rowBytes) {
    std::memcpy(d, s, static_cast<size_t>(rowBytes * rows));
    return;
  }
  switch (rowBytes) {
    case 16: copyFixedRows<16>(d, dstStride, s, srcStride, rows); return;
    case 32: copyFixedRows<32>(d, dstStride, s, srcStride, rows); return;
    case 64: copyFixedRows<64>(d, dstStride, s, srcStride, rows); return;
    default: break;
  }
  if (rowBytes <= kShortRow) {
    for (int32_t j = 0; j < rows; ++j, d += dstStride, s += srcStride) copyShortRow(d, s, rowBytes);
    return;
  }
  for (int32_t j = 0; j < rows; ++j, d += dstStride, s += srcStride) std::memcpy(d, s, static_cast<size_t>(rowBytes));
}

RASTER_KERNEL void copyBlit(const BlitRequest& request, const BlitRegion& region) {
  const int32_t sourceFormat = request.source->format;
  const int32_t destFormat = request.dest->format;
  if (sourceFormat == destFormat) {
    copyEqualFormats(region, bytesPerPixel(sourceFormat));
    return;
  }
  switch (sourceFormat) {
    case PF_ARGB8888:
      if (destFormat == PF_RGB565) {
        walkPixels<4, 2>(
            region, [](uint8_t* d, const uint8_t* s) { storePixel<uint16_t>(d, argbTo565(loadPixel<uint32_t>(s))); });
      }
      break;
    case PF_RGB565: copyFrom565(region, destFormat); break;
    case PF_INDEX8: copyFromIndex8(request, region); break;
    default: break;
  }
}

}  // namespace qel::raster
