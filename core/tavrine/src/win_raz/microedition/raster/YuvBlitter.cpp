#include <algorithm>
#include <array>

#include "microedition/raster/BlitKernels.h"
#include "microedition/raster/PixelAccess.h"
#include "microedition/raster/YuvPlanes.h"

namespace qel::raster {

namespace {

using ChromaTable = std::array<int32_t, 256>;

constexpr ChromaTable makeTable(int64_t k) {
  ChromaTable table{};
  for (int32_t c = 0; c < 256; ++c) {
    // Arithmetic shift of a possibly negative product: floor division.
    const int64_t scaled = k * (c - 128) + 32768;
    table[static_cast<size_t>(c)] = static_cast<int32_t>(scaled >= 0 ? scaled / 65536 : -((-scaled + 65535) / 65536));
  }
  return table;
}

constexpr ChromaTable kRedFromV = makeTable(113440);
constexpr ChromaTable kGreenFromV = makeTable(45742);
constexpr ChromaTable kGreenFromU = makeTable(22020);
constexpr ChromaTable kBlueFromU = makeTable(113504);

inline uint32_t clampByte(int32_t value) { return static_cast<uint32_t>(std::clamp(value, 0, 255)); }

}  // namespace

RASTER_KERNEL void yuvBlit(const BlitRequest& request, uint8_t* dst, int32_t w, int32_t h, int32_t skipX,
                           int32_t skipY) {
  const auto* planes = static_cast<const YuvPlanes*>(request.source->pixels);
  if (!planes->luma || !planes->blueDiff || !planes->redDiff) {
    return;
  }
  const ptrdiff_t destStride = request.dest->stride;
  for (int32_t j = 0; j < h; ++j) {
    const int32_t row = skipY + j;
    const uint8_t* luma = planes->luma + ptrdiff_t{row} * planes->lumaStride + skipX;
    const ptrdiff_t chromaRow = ptrdiff_t{row >> 1} * planes->chromaStride;
    const uint8_t* u = planes->blueDiff + chromaRow;
    const uint8_t* v = planes->redDiff + chromaRow;
    uint8_t* d = dst + j * destStride;
    for (int32_t i = 0; i < w; ++i) {
      const int32_t column = (skipX + i) >> 1;
      const int32_t y = luma[i];
      const uint32_t red = clampByte(y + kRedFromV[v[column]]);
      const uint32_t green = clampByte(y - kGreenFromU[u[column]] - kGreenFromV[v[column]]);
      const uint32_t blue = clampByte(y + kBlueFromU[u[column]]);
      storePixel<uint16_t>(d + i * 2, static_cast<uint16_t>(((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3)));
    }
  }
}

}  // namespace qel::raster
