#include "microedition/raster/BlitKernels.h"
#include "microedition/raster/PixelAccess.h"
#include "microedition/raster/RasterPalette.h"

namespace qel::raster {

namespace {

// Key-coloured pixels store the destination's own value: the loops stay
// branch-free.
template <typename T>
RASTER_INLINE void keyedSameFormat(const BlitRegion& r, uint32_t key) {
  const T k = static_cast<T>(key);
  walkPixels<sizeof(T), sizeof(T)>(r, [k](uint8_t* d, const uint8_t* s) {
    const T p = loadPixel<T>(s);
    storePixel<T>(d, p != k ? p : loadPixel<T>(d));
  });
}

template <typename Table, typename T>
RASTER_INLINE void keyedThroughTable(const BlitRegion& r, const Table* table, uint32_t key) {
  walkPixels<1, sizeof(T)>(r, [table, key](uint8_t* d, const uint8_t* s) {
    const T p = static_cast<T>(table[*s]);
    storePixel<T>(d, p != key ? p : loadPixel<T>(d));
  });
}

RASTER_INLINE void keyedFromIndex8(const BlitRequest& request, const BlitRegion& r, uint32_t key) {
  RasterPalette* palette = request.palette ? request.palette : request.source->palette;
  if (!palette) {
    return;
  }
  if (request.dest->format == PF_RGB565) {
    keyedThroughTable<uint16_t, uint16_t>(r, palette->rgb565Table(), key);
  } else if (request.dest->format == PF_ARGB8888) {
    keyedThroughTable<uint32_t, uint32_t>(r, palette->entries(), key);
  }
}

}  // namespace

RASTER_KERNEL void keyedBlit(const BlitRequest& request, const BlitRegion& region) {
  const int32_t sourceFormat = request.source->format;
  const int32_t destFormat = request.dest->format;
  const uint32_t key = keyValue(request);
  if (sourceFormat == destFormat) {
    const int32_t bytes = bytesPerPixel(sourceFormat);
    if (bytes == 2) {
      keyedSameFormat<uint16_t>(region, key);
    } else if (bytes == 4) {
      keyedSameFormat<uint32_t>(region, key);
    }
    return;
  }
  if (sourceFormat == PF_ARGB8888 && destFormat == PF_RGB565) {
    walkPixels<4, 2>(region, [key](uint8_t* d, const uint8_t* s) {
      const uint32_t p = loadPixel<uint32_t>(s);
      storePixel<uint16_t>(d, p != key ? argbTo565(p) : loadPixel<uint16_t>(d));
    });
  } else if (sourceFormat == PF_RGB565 && destFormat == PF_ARGB8888) {
    walkPixels<2, 4>(region, [key](uint8_t* d, const uint8_t* s) {
      const uint32_t p = loadPixel<uint16_t>(s);
      storePixel<uint32_t>(d, p != key ? rgb565ToArgb(p) : loadPixel<uint32_t>(d));
    });
  } else if (sourceFormat == PF_INDEX8) {
    keyedFromIndex8(request, region, key);
  }
}

}  // namespace qel::raster
