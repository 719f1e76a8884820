#include <algorithm>
#include <cmath>

#include "microedition/raster/BlitKernels.h"
#include "microedition/raster/PixelAccess.h"

namespace qel::raster {

void rotatedBlit(const BlitRequest& request, const GUIRect& clip) {
  const SurfaceDesc& source = *request.source;
  const SurfaceDesc& dest = *request.dest;
  if (source.format != dest.format || bytesPerPixel(source.format) != 2 || !std::isfinite(request.angle)) {
    return;
  }
  const float halfW = static_cast<float>(source.width) * 0.5f;
  const float halfH = static_cast<float>(source.height) * 0.5f;
  const int64_t radius =
      static_cast<int64_t>(std::sqrt(static_cast<double>(halfW) * halfW + static_cast<double>(halfH) * halfH) + 1.0);
  // The square of side 2r around (x, y), cut to the clip.
  const int64_t left = std::max(int64_t{request.x} - radius, int64_t{clip.x});
  const int64_t top = std::max(int64_t{request.y} - radius, int64_t{clip.y});
  const int64_t right = std::min(int64_t{request.x} + radius, clip.right());
  const int64_t bottom = std::min(int64_t{request.y} + radius, clip.bottom());
  if (right <= left || bottom <= top) {
    return;
  }
  const GUIRect box{static_cast<int32_t>(left),
                    static_cast<int32_t>(top),
                    static_cast<int32_t>(right - left),
                    static_cast<int32_t>(bottom - top)};
  const double angle = -static_cast<double>(request.angle);
  const int64_t c = static_cast<int64_t>(std::cos(angle) * 1024.0);
  const int64_t s = static_cast<int64_t>(std::sin(angle) * 1024.0);
  const uint16_t key = static_cast<uint16_t>(keyValue(request));
  const uint64_t width = static_cast<uint64_t>(source.width);
  const uint64_t height = static_cast<uint64_t>(source.height);

  // Pixel centres relative to (x, y), in 1/64 pixel.
  const int64_t startX = (int64_t{box.x} - request.x) * 64 + 32;
  const int64_t startY = (int64_t{box.y} - request.y) * 64 + 32;
  int64_t rowU = c * startX + s * startY + (int64_t{source.width} << 15);
  int64_t rowV = c * startY - s * startX + (int64_t{source.height} << 15);
  const auto* sourcePixels = static_cast<const uint8_t*>(source.pixels);
  for (int32_t row = 0; row < box.height; ++row) {
    uint8_t* d = static_cast<uint8_t*>(dest.pixels) + ptrdiff_t{box.y + row} * dest.stride + ptrdiff_t{box.x} * 2;
    int64_t u = rowU;
    int64_t v = rowV;
    for (int32_t column = 0; column < box.width; ++column, d += 2) {
      const uint64_t sx = static_cast<uint64_t>(u >> 16);
      const uint64_t sy = static_cast<uint64_t>(v >> 16);
      u += c * 64;
      v -= s * 64;
      if (sx >= width || sy >= height) {
        continue;
      }
      const uint16_t p = loadPixel<uint16_t>(sourcePixels + sy * source.stride + sx * 2);
      if (p != key) {
        storePixel<uint16_t>(d, p);
      }
    }
    rowU += s * 64;
    rowV += c * 64;
  }
}

}  // namespace qel::raster
