#include "microedition/raster/RasterBlit.h"

#include <algorithm>

#include "microedition/raster/BlitKernels.h"

namespace qel::raster {

namespace {

bool isQuarterTurn(RasterTransform transform) { return transform == RT_ROT90 || transform == RT_ROT270; }

// Visible region in source terms; false when nothing is visible.
struct Visible {
  int64_t destX;
  int64_t destY;
  int64_t skipX;
  int64_t skipY;
  int64_t w;
  int64_t h;
};

Visible untransformedRegion(const BlitRequest& request, const GUIRect& q) {
  const int64_t x = request.x;
  const int64_t y = request.y;
  Visible v{};
  v.destX = std::max<int64_t>(x, q.x);
  v.destY = std::max<int64_t>(y, q.y);
  v.skipX = v.destX - x;
  v.skipY = v.destY - y;
  v.w = std::min(q.right() - v.destX, request.source->width - v.skipX);
  v.h = std::min(q.bottom() - v.destY, request.source->height - v.skipY);
  return v;
}

bool transformedRegion(const BlitRequest& request, RasterTransform transform, const GUIRect& q, Visible& v) {
  const int64_t x = request.x;
  const int64_t y = request.y;
  const int64_t sw = request.source->width;
  const int64_t sh = request.source->height;
  GUIRect placed{request.x, request.y, request.source->width, request.source->height};
  if (isQuarterTurn(transform)) {
    std::swap(placed.width, placed.height);
  }
  const GUIRect r = GUIRect::intersect(placed, q);
  if (r.isEmpty()) {
    return false;
  }
  v.destX = r.x;
  v.destY = r.y;
  v.skipX = r.x - x;
  v.skipY = r.y - y;
  v.w = r.width;
  v.h = r.height;
  switch (transform) {
    case RT_ROT180:
      v.skipX = x + sw - r.right();
      v.skipY = y + sh - r.bottom();
      break;
    case RT_ROT90:
      v.skipX = r.y - y;
      v.skipY = x + sh - r.right();
      v.w = r.height;
      v.h = r.width;
      break;
    case RT_ROT270:
      v.skipX = y + sw - r.bottom();
      v.skipY = r.x - x;
      v.w = r.height;
      v.h = r.width;
      break;
    case RT_MIRROR_X: v.skipX = x + sw - r.right(); break;
    case RT_MIRROR_Y: v.skipY = y + sh - r.bottom(); break;
    default: break;
  }
  return true;
}

void setSteps(BlitRequest& request, BlitRegion& region, ptrdiff_t b, ptrdiff_t s) {
  const ptrdiff_t w = region.w;
  const ptrdiff_t h = region.h;
  switch (region.transform) {
    case RT_ROT180:
      region.dst += (h - 1) * s + (w - 1) * b;
      request.stepX = -b;
      request.stepY = -s;
      break;
    case RT_ROT90:
      region.dst += (h - 1) * b;
      request.stepX = s;
      request.stepY = -b;
      break;
    case RT_ROT270:
      region.dst += (w - 1) * s;
      request.stepX = -s;
      request.stepY = b;
      break;
    case RT_MIRROR_X:
      region.dst += (w - 1) * b;
      request.stepX = -b;
      request.stepY = s;
      break;
    case RT_MIRROR_Y:
      region.dst += (h - 1) * s;
      request.stepX = b;
      request.stepY = -s;
      break;
    default:
      request.stepX = b;
      request.stepY = s;
      break;
  }
  region.stepX = request.stepX;
  region.stepY = request.stepY;
}

// The most common blit, an untransformed copy between surfaces of one format
// (sprites, tiles, the back buffer), clipped and copied row by row without the
// general path's region set-up and mode dispatch. False for any other blit.
bool copyPlainRows(BlitRequest& request) {
  const SurfaceDesc& dest = *request.dest;
  const SurfaceDesc& source = *request.source;
  if (request.mode != BLIT_COPY || request.transform != RT_NONE || source.format != dest.format) {
    return false;
  }
  const ptrdiff_t bytes = bytesPerPixel(source.format);
  if (bytes == 0) {
    return false;
  }
  request.stepX = bytes;
  request.stepY = dest.stride;
  int64_t left = 0, top = 0, right = dest.width, bottom = dest.height;
  if (request.useClip) {
    left = std::max<int64_t>(left, request.clip.x);
    top = std::max<int64_t>(top, request.clip.y);
    right = std::min(right, request.clip.right());
    bottom = std::min(bottom, request.clip.bottom());
  }
  const int64_t x = std::max<int64_t>(left, request.x);
  const int64_t y = std::max<int64_t>(top, request.y);
  const int64_t w = std::min<int64_t>(right, int64_t{request.x} + source.width) - x;
  const int64_t h = std::min<int64_t>(bottom, int64_t{request.y} + source.height) - y;
  if (w > 0 && h > 0) {
    copyRows(static_cast<uint8_t*>(dest.pixels) + y * dest.stride + x * bytes,
             dest.stride,
             static_cast<const uint8_t*>(source.pixels) + (y - request.y) * source.stride + (x - request.x) * bytes,
             source.stride,
             w * bytes,
             static_cast<int32_t>(h));
  }
  return true;
}

}  // namespace

void blit(BlitRequest& request) {
  const SurfaceDesc* dest = request.dest;
  const SurfaceDesc* source = request.source;
  if (!dest || !dest->drawable || !dest->pixels || !source || !source->pixels) {
    return;
  }
  if (copyPlainRows(request)) {
    return;
  }
  const GUIRect destRect{0, 0, dest->width, dest->height};
  const GUIRect q = request.useClip ? GUIRect::intersect(request.clip, destRect) : destRect;
  if (q.isEmpty() || source->width <= 0 || source->height <= 0) {
    return;
  }
  if (request.transform == RT_ANGLE) {
    rotatedBlit(request, q);
    return;
  }
  if (request.mode == BLIT_MASKED && !request.mask) {
    request.mode = BLIT_COPY;
  }
  const ptrdiff_t destBytes = bytesPerPixel(dest->format);
  if (destBytes == 0) {
    return;
  }

  Visible v = untransformedRegion(request, q);
  auto destAddress = [&](const Visible& at) {
    return static_cast<uint8_t*>(dest->pixels) + at.destY * dest->stride + at.destX * destBytes;
  };
  if (source->format == PF_YUV420) {
    if (request.mode == BLIT_COPY && dest->format == PF_RGB565 && v.w > 0 && v.h > 0) {
      yuvBlit(request,
              destAddress(v),
              static_cast<int32_t>(v.w),
              static_cast<int32_t>(v.h),
              static_cast<int32_t>(v.skipX),
              static_cast<int32_t>(v.skipY));
    }
    return;
  }
  const ptrdiff_t sourceBytes = bytesPerPixel(source->format);
  if (sourceBytes == 0) {
    return;
  }
  const RasterTransform transform =
      request.transform >= RT_NONE && request.transform < RT_ANGLE ? request.transform : RT_NONE;
  if (transform != RT_NONE && !transformedRegion(request, transform, q, v)) {
    return;
  }
  if (v.w <= 0 || v.h <= 0) {
    return;
  }

  BlitRegion region;
  region.transform = transform;
  region.w = static_cast<int32_t>(v.w);
  region.h = static_cast<int32_t>(v.h);
  region.skipX = static_cast<int32_t>(v.skipX);
  region.skipY = static_cast<int32_t>(v.skipY);
  region.dst = destAddress(v);
  region.src = static_cast<const uint8_t*>(source->pixels) + v.skipY * source->stride + v.skipX * sourceBytes;
  region.srcStride = source->stride;
  setSteps(request, region, destBytes, dest->stride);

  switch (request.mode) {
    case BLIT_COPY: copyBlit(request, region); break;
    case BLIT_MASKED: maskedBlit(request, region); break;
    case BLIT_KEYED: keyedBlit(request, region); break;
    case BLIT_TINT: tintBlit(request, region); break;
    case BLIT_BLEND: blendBlit(request, region); break;
    default: break;
  }
}

uint32_t keyValue(const BlitRequest& request) {
  const int32_t format = request.source->format == PF_INDEX8 ? request.dest->format : request.source->format;
  return convertColor(format, request.key);
}

}  // namespace qel::raster
