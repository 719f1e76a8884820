#include "microedition/raster/BlitKernels.h"
#include "microedition/raster/PixelAccess.h"

namespace qel::raster {

namespace {

struct Tint {
  uint16_t r8;
  uint16_t g8;
  uint16_t b8;
  uint16_t opaque;
};

// coverage(source pixel) in 0..full; full or more writes the colour. Every
// pixel is stored so that the loop stays branch-free.
template <int SrcBytes, typename Coverage>
RASTER_INLINE void tintWith(const BlitRegion& r, const Tint& tint, uint32_t full, Coverage coverage) {
  walkPixels<SrcBytes, 2>(r, [=](uint8_t* d, const uint8_t* s) {
    const uint16_t c = static_cast<uint16_t>(coverage(s));
    const uint16_t old = loadPixel<uint16_t>(d);
    const uint16_t blended = blend565(old, tint.r8, tint.g8, tint.b8, c);
    storePixel<uint16_t>(d, c == 0 ? old : (c >= full ? tint.opaque : blended));
  });
}

RASTER_INLINE void tintFrom565(const BlitRegion& r, const Tint& tint, int32_t channel) {
  switch (channel) {
    case 0:
      tintWith<2>(r, tint, 248, [](const uint8_t* s) -> uint32_t { return (loadPixel<uint16_t>(s) >> 8) & 0xF8; });
      break;
    case 1:
      tintWith<2>(r, tint, 252, [](const uint8_t* s) -> uint32_t { return (loadPixel<uint16_t>(s) >> 3) & 0xFC; });
      break;
    case 2:
      tintWith<2>(r, tint, 248, [](const uint8_t* s) -> uint32_t { return (loadPixel<uint16_t>(s) & 0x1F) << 3; });
      break;
    default: break;
  }
}

}  // namespace

RASTER_KERNEL void tintBlit(const BlitRequest& request, const BlitRegion& region) {
  if (request.dest->format != PF_RGB565) {
    return;
  }
  const uint32_t colour = request.colour;
  const Tint tint{static_cast<uint16_t>((colour >> 16) & 0xFF),
                  static_cast<uint16_t>((colour >> 8) & 0xFF),
                  static_cast<uint16_t>(colour & 0xFF),
                  static_cast<uint16_t>(convertColor(PF_RGB565, colour))};
  switch (request.source->format) {
    case PF_RGB565: tintFrom565(region, tint, request.channel); break;
    case PF_ARGB8888: {
      static constexpr int32_t kByteOfChannel[4] = {2, 1, 0, 3};
      if (request.channel < 0 || request.channel > 3) {
        return;
      }
      const int32_t offset = kByteOfChannel[request.channel];
      tintWith<4>(region, tint, 255, [offset](const uint8_t* s) -> uint32_t { return s[offset]; });
      break;
    }
    case PF_ALPHA8: tintWith<1>(region, tint, 255, [](const uint8_t* s) -> uint32_t { return *s; }); break;
    default: break;
  }
}

}  // namespace qel::raster
