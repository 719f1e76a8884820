#include "ReferenceBlitter.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "PixelIo.h"
#include "microedition/raster/RasterPalette.h"
#include "microedition/raster/YuvPlanes.h"

namespace qel::raster::testing {

namespace {

struct Visit {
  int32_t destX;
  int32_t destY;
  int32_t sourceX;
  int32_t sourceY;
};

uint32_t rgb565To888(uint32_t p) { return ((p >> 11) << 19) | (((p >> 5) & 0x3F) << 10) | ((p & 0x1F) << 3); }

uint32_t to565(uint32_t rgb) { return ((rgb >> 19 & 0x1F) << 11) | ((rgb >> 10 & 0x3F) << 5) | (rgb >> 3 & 0x1F); }

uint32_t blend(uint32_t d565, uint32_t rgb, uint32_t a) {
  const uint32_t d = rgb565To888(d565);
  auto sum = [&](int shift) { return (255 - a) * ((d >> shift) & 0xFF) + a * ((rgb >> shift) & 0xFF); };
  return (sum(16) & 0xF800) | ((sum(8) >> 5) & 0x7E0) | ((sum(0) >> 11) & 0x1F);
}

RasterPalette* paletteOf(const BlitRequest& r) { return r.palette ? r.palette : r.source->palette; }

// The source pixel as it would be copied to the destination, or nothing when
// the pair is not a copy pair.
std::optional<uint32_t> converted(const BlitRequest& r, uint32_t p, RasterTransform t) {
  const int32_t sf = r.source->format;
  const int32_t df = r.dest->format;
  if (sf == df) {
    const int32_t bytes = bytesPerPixel(sf);
    if (bytes == 1 || bytes == 2 || bytes == 4 || (bytes == 3 && t == RT_NONE)) {
      return p;
    }
    return std::nullopt;
  }
  if (sf == PF_ARGB8888 && df == PF_RGB565) {
    return to565(p & 0xFFFFFF);
  }
  if (sf == PF_RGB565) {
    const uint32_t r8 = (p >> 11) << 3, g8 = ((p >> 5) & 0x3F) << 2, b8 = (p & 0x1F) << 3;
    switch (df) {
      case PF_ARGB8888: return 0xFF000000u | r8 << 16 | g8 << 8 | b8;
      case PF_RGBA8888: return r8 << 24 | g8 << 16 | b8 << 8 | 0xFF;
      case PF_RGB888: return r8 << 16 | g8 << 8 | b8;
      case PF_RGB565_SWAPPED: return ((p & 0xFF) << 8) | (p >> 8);
      case PF_RGB555:
        if (t != RT_NONE) {
          return std::nullopt;
        }
        return ((r8 >> 3) << 10) | ((g8 >> 3) << 5) | (b8 >> 3);
      default: return std::nullopt;
    }
  }
  if (sf == PF_INDEX8 && paletteOf(r)) {
    const uint32_t entry = paletteOf(r)->count() > static_cast<int32_t>(p) ? paletteOf(r)->entries()[p] : 0;
    if (df == PF_RGB565) {
      return to565(entry);
    }
    if (df == PF_ARGB8888) {
      return entry;
    }
  }
  return std::nullopt;
}

uint32_t keyOf(const BlitRequest& r) {
  const int32_t format = r.source->format == PF_INDEX8 ? r.dest->format : r.source->format;
  if (format == PF_RGB565) {
    return to565(r.key);
  }
  return format == PF_ARGB8888 ? r.key : 0;
}

// The value compared with the key: the pixel, or its palette colour.
std::optional<uint32_t> keyedValue(const BlitRequest& r, uint32_t p, RasterTransform t) {
  if (r.source->format == PF_INDEX8) {
    return converted(r, p, t);
  }
  return p;
}

std::optional<uint32_t> copyPixel(const BlitRequest& r, uint32_t p, RasterTransform t) { return converted(r, p, t); }

std::optional<uint32_t> keyedPixel(const BlitRequest& r, uint32_t p, RasterTransform t) {
  const int32_t sf = r.source->format;
  const int32_t df = r.dest->format;
  const bool supported = (sf == PF_ARGB8888 && df == PF_RGB565) || (sf == PF_RGB565 && df == PF_ARGB8888) ||
                         (sf == PF_INDEX8 && (df == PF_RGB565 || df == PF_ARGB8888)) ||
                         (sf == df && (bytesPerPixel(sf) == 2 || bytesPerPixel(sf) == 4));
  if (!supported || keyedValue(r, p, t) == keyOf(r)) {
    return std::nullopt;
  }
  return converted(r, p, t);
}

std::optional<uint32_t> blendPixel(const BlitRequest& r, uint32_t p, uint32_t d, RasterTransform t) {
  const int32_t alpha = std::clamp(r.alpha, 0, 255);
  const int32_t sf = r.source->format;
  if (alpha == 0 || r.dest->format != PF_RGB565 || (sf != PF_RGB565 && sf != PF_INDEX8)) {
    return std::nullopt;
  }
  const std::optional<uint32_t> s = converted(r, p, t);
  if (!s || (r.key != kNoKey && *s == keyOf(r))) {
    return std::nullopt;
  }
  return alpha == 255 ? *s : blend(d, rgb565To888(*s), static_cast<uint32_t>(alpha));
}

std::optional<uint32_t> maskedPixel(const BlitRequest& r, uint32_t p, uint32_t d, uint32_t m) {
  const int32_t sf = r.source->format;
  const int32_t mf = r.mask->format;
  if (r.dest->format != PF_RGB565) {
    return std::nullopt;
  }
  const bool keyed = r.key != kNoKey;
  if (mf == PF_RGB565 && sf == PF_RGB565) {
    const uint32_t coverage = ((m >> 5) & 0x3F) << 2;
    if (coverage == 0 || (keyed && p == keyOf(r))) {
      return std::nullopt;
    }
    return blend(d, rgb565To888(p), coverage);
  }
  if ((mf != PF_ARGB8888 && mf != PF_ALPHA8 && mf != PF_RGBA8888) || sf != PF_ARGB8888) {
    return std::nullopt;
  }
  const uint32_t coverage = mf == PF_ARGB8888 ? m >> 24 : m & 0xFF;
  if (keyed && p == keyOf(r)) {
    return std::nullopt;
  }
  const int32_t alpha = std::clamp(r.alpha, 0, 255);
  const uint32_t a = alpha == 255 ? coverage : (static_cast<uint32_t>(alpha) * coverage) / 256;
  if (a == 0) {
    return std::nullopt;
  }
  if (alpha == 255 && a == 255) {
    return to565(p & 0xFFFFFF);
  }
  return blend(d, p & 0xFFFFFF, a);
}

std::optional<uint32_t> tintPixel(const BlitRequest& r, uint32_t p, uint32_t d) {
  if (r.dest->format != PF_RGB565) {
    return std::nullopt;
  }
  uint32_t coverage = 0;
  uint32_t full = 255;
  switch (r.source->format) {
    case PF_RGB565: {
      if (r.channel < 0 || r.channel > 2) {
        return std::nullopt;
      }
      const uint32_t rgb = rgb565To888(p);
      coverage = (rgb >> (16 - 8 * r.channel)) & 0xFF;
      full = r.channel == 1 ? 252 : 248;
      break;
    }
    case PF_ARGB8888:
      if (r.channel < 0 || r.channel > 3) {
        return std::nullopt;
      }
      coverage = r.channel == 3 ? p >> 24 : (p >> (16 - 8 * r.channel)) & 0xFF;
      break;
    case PF_ALPHA8: coverage = p; break;
    default: return std::nullopt;
  }
  if (coverage == 0) {
    return std::nullopt;
  }
  return coverage >= full ? to565(r.colour) : blend(d, r.colour & 0xFFFFFF, coverage);
}

uint32_t yuvPixel(const SurfaceDesc& source, int32_t sx, int32_t sy) {
  const auto* planes = static_cast<const YuvPlanes*>(source.pixels);
  const int32_t y = planes->luma[sy * planes->lumaStride + sx];
  const int32_t chroma = (sy / 2) * planes->chromaStride + sx / 2;
  const int32_t u = planes->blueDiff[chroma] - 128;
  const int32_t v = planes->redDiff[chroma] - 128;
  auto scaled = [](int64_t k, int32_t c) {
    const int64_t n = k * c + 32768;
    return static_cast<int32_t>(n >= 0 ? n / 65536 : -((-n + 65535) / 65536));
  };
  const int32_t red = std::clamp(y + scaled(113440, v), 0, 255);
  const int32_t green = std::clamp(y - scaled(22020, u) - scaled(45742, v), 0, 255);
  const int32_t blue = std::clamp(y + scaled(113504, u), 0, 255);
  return to565(static_cast<uint32_t>(red << 16 | green << 8 | blue));
}

}  // namespace

void referenceBlit(const BlitRequest& request) {
  BlitRequest r = request;
  if (!r.dest || !r.dest->drawable || !r.dest->pixels || !r.source || !r.source->pixels || r.transform == RT_ANGLE) {
    return;
  }
  const SurfaceDesc& dest = *r.dest;
  const SurfaceDesc& source = *r.source;
  if (r.mode == BLIT_MASKED && !r.mask) {
    r.mode = BLIT_COPY;
  }
  const bool yuv = source.format == PF_YUV420;
  const RasterTransform t = (r.transform >= RT_NONE && r.transform < RT_ANGLE && !yuv) ? r.transform : RT_NONE;
  const bool quarter = t == RT_ROT90 || t == RT_ROT270;
  const int64_t placedW = quarter ? source.height : source.width;
  const int64_t placedH = quarter ? source.width : source.height;

  std::vector<Visit> visits;
  int32_t maxSourceX = -1;
  int32_t maxSourceY = -1;
  for (int32_t y = 0; y < dest.height; ++y) {
    for (int32_t x = 0; x < dest.width; ++x) {
      if (r.useClip && (x < r.clip.x || y < r.clip.y || x >= r.clip.right() || y >= r.clip.bottom())) {
        continue;
      }
      const int64_t lx = int64_t{x} - r.x;
      const int64_t ly = int64_t{y} - r.y;
      if (lx < 0 || ly < 0 || lx >= placedW || ly >= placedH) {
        continue;
      }
      int64_t sx = lx;
      int64_t sy = ly;
      switch (t) {
        case RT_ROT180:
          sx = source.width - 1 - lx;
          sy = source.height - 1 - ly;
          break;
        case RT_ROT90:
          sx = ly;
          sy = source.height - 1 - lx;
          break;
        case RT_ROT270:
          sx = source.width - 1 - ly;
          sy = lx;
          break;
        case RT_MIRROR_X: sx = source.width - 1 - lx; break;
        case RT_MIRROR_Y: sy = source.height - 1 - ly; break;
        default: break;
      }
      visits.push_back({x, y, static_cast<int32_t>(sx), static_cast<int32_t>(sy)});
      maxSourceX = std::max(maxSourceX, static_cast<int32_t>(sx));
      maxSourceY = std::max(maxSourceY, static_cast<int32_t>(sy));
    }
  }
  if (r.mode == BLIT_MASKED && (!r.mask->pixels || r.mask->width <= maxSourceX || r.mask->height <= maxSourceY)) {
    return;
  }
  for (const Visit& v : visits) {
    if (yuv) {
      if (r.mode == BLIT_COPY && dest.format == PF_RGB565) {
        writePixel(dest, v.destX, v.destY, yuvPixel(source, v.sourceX, v.sourceY));
      }
      continue;
    }
    const uint32_t p = readPixel(source, v.sourceX, v.sourceY);
    const uint32_t d = readPixel(dest, v.destX, v.destY);
    std::optional<uint32_t> out;
    switch (r.mode) {
      case BLIT_COPY: out = copyPixel(r, p, t); break;
      case BLIT_KEYED: out = keyedPixel(r, p, t); break;
      case BLIT_BLEND: out = blendPixel(r, p, d, t); break;
      case BLIT_MASKED: out = maskedPixel(r, p, d, readPixel(*r.mask, v.sourceX, v.sourceY)); break;
      case BLIT_TINT: out = tintPixel(r, p, d); break;
      default: break;
    }
    if (out) {
      writePixel(dest, v.destX, v.destY, *out);
    }
  }
}

}  // namespace qel::raster::testing
