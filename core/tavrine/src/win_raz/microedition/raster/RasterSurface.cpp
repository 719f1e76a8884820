#include "microedition/raster/RasterSurface.h"

#include <algorithm>
#include <limits>

#include "microedition/raster/BlitKernels.h"
#include "microedition/raster/PixelAccess.h"
#include "microedition/raster/RasterAllocator.h"
#include "microedition/raster/RasterBlit.h"
#include "microedition/raster/RasterLine.h"
#include "microedition/raster/RasterPalette.h"

namespace qel::raster {

namespace {

constexpr float kSmallestAngle = 0.0001f;

template <typename T>
void fillSpan(uint8_t* at, int32_t count, uint32_t value) {
  const T pixel = static_cast<T>(value);
  if (reinterpret_cast<uintptr_t>(at) % alignof(T) == 0) {
    std::fill_n(reinterpret_cast<T*>(at), count, pixel);
    return;
  }
  for (int32_t i = 0; i < count; ++i) {
    storePixel<T>(at + i * sizeof(T), pixel);
  }
}

RASTER_KERNEL void fillPixels(uint8_t* at, int32_t count, int32_t bytes, uint32_t value) {
  switch (bytes) {
    case 1: fillSpan<uint8_t>(at, count, value); break;
    case 2: fillSpan<uint16_t>(at, count, value); break;
    case 4: fillSpan<uint32_t>(at, count, value); break;
    default: break;
  }
}

bool isFillable(int32_t bytes) { return bytes == 1 || bytes == 2 || bytes == 4; }

// The whole surface as a clip; a surface without area gets an empty one.
GUIRect wholeOf(const SurfaceDesc& desc) {
  const GUIRect whole{0, 0, desc.width, desc.height};
  return GUIRect::intersect(whole, whole);
}

int32_t clampToInt32(int64_t value) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace

RasterSurface::RasterSurface(PixelFormat format, int32_t width, int32_t height, RasterAllocator* allocator) {
  if (format == PF_YUV420) {
    return;
  }
  allocator_ = allocator ? allocator : RasterAllocator::getDefault();
  allocator_->addRef();
  desc_.format = format;
  desc_.width = width;
  desc_.height = height;
  desc_.drawable = 1;
  allocator_->createBuffer(desc_);
  clip_ = wholeOf(desc_);
}

RasterSurface::RasterSurface(const SurfaceDesc& desc) : desc_(desc), clip_(wholeOf(desc)) {}

RasterSurface::~RasterSurface() { releaseBuffer(); }

void RasterSurface::releaseBuffer() {
  if (allocator_) {
    allocator_->freeBuffer(desc_);
    allocator_->release();
    allocator_ = nullptr;
  }
}

void RasterSurface::attach(const SurfaceDesc& desc) {
  releaseBuffer();
  desc_ = desc;
  clip_ = wholeOf(desc_);
}

void RasterSurface::setClip(const GUIRect& rect) {
  clip_ = GUIRect::intersect(rect, {0, 0, desc_.width, desc_.height});
}

bool RasterSurface::canDraw() const { return desc_.drawable != 0 && desc_.pixels != nullptr && !clip_.isEmpty(); }

void RasterSurface::fillRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t rgb) {
  const int32_t bytes = bytesPerPixel(desc_.format);
  const GUIRect area = GUIRect::intersect({x, y, w, h}, clip_);
  if (!canDraw() || area.isEmpty() || !isFillable(bytes)) {
    return;
  }
  const uint32_t value = convertColor(desc_.format, rgb);
  auto* row = static_cast<uint8_t*>(desc_.pixels) + ptrdiff_t{area.y} * desc_.stride + ptrdiff_t{area.x} * bytes;
  if (int64_t{area.width} * bytes == desc_.stride) {
    fillPixels(row, area.width * area.height, bytes, value);
    return;
  }
  for (int32_t j = 0; j < area.height; ++j, row += desc_.stride) {
    fillPixels(row, area.width, bytes, value);
  }
}

void RasterSurface::drawHLine(RasterPoint p1, RasterPoint p2, uint32_t rgb) {
  const int32_t bytes = bytesPerPixel(desc_.format);
  if (!canDraw() || !isFillable(bytes) || p1.y < clip_.y || p1.y >= clip_.bottom()) {
    return;
  }
  const int32_t from = std::max(std::min(p1.x, p2.x), clip_.x);
  const int32_t to = static_cast<int32_t>(std::min<int64_t>(std::max(p1.x, p2.x), clip_.right() - 1));
  if (to < from) {
    return;
  }
  auto* at = static_cast<uint8_t*>(desc_.pixels) + ptrdiff_t{p1.y} * desc_.stride + ptrdiff_t{from} * bytes;
  fillPixels(at, to - from + 1, bytes, convertColor(desc_.format, rgb));
}

void RasterSurface::drawVLine(RasterPoint p1, RasterPoint p2, uint32_t rgb) {
  const int32_t bytes = bytesPerPixel(desc_.format);
  if (!canDraw() || !isFillable(bytes) || p1.x < clip_.x || p1.x >= clip_.right()) {
    return;
  }
  const int32_t from = std::max(std::min(p1.y, p2.y), clip_.y);
  const int32_t to = static_cast<int32_t>(std::min<int64_t>(std::max(p1.y, p2.y), clip_.bottom() - 1));
  if (to < from) {
    return;
  }
  const uint32_t value = convertColor(desc_.format, rgb);
  auto* at = static_cast<uint8_t*>(desc_.pixels) + ptrdiff_t{from} * desc_.stride + ptrdiff_t{p1.x} * bytes;
  for (int32_t y = from; y <= to; ++y, at += desc_.stride) {
    fillPixels(at, 1, bytes, value);
  }
}

void RasterSurface::drawLine(RasterPoint p1, RasterPoint p2, uint32_t rgb) {
  if (p1.y == p2.y) {
    drawHLine(p1, p2, rgb);
    return;
  }
  if (p1.x == p2.x) {
    drawVLine(p1, p2, rgb);
    return;
  }
  const int32_t bytes = bytesPerPixel(desc_.format);
  if (!canDraw() || !isFillable(bytes) || !clipLine(p1, p2, clip_)) {
    return;
  }
  const uint32_t value = convertColor(desc_.format, rgb);
  auto* pixels = static_cast<uint8_t*>(desc_.pixels);
  const ptrdiff_t stride = desc_.stride;
  walkLine(
      p1, p2, [&](int32_t x, int32_t y) { fillPixels(pixels + y * stride + ptrdiff_t{x} * bytes, 1, bytes, value); });
}

void RasterSurface::drawRect(const GUIRect& rect, uint32_t rgb) {
  const int32_t right = clampToInt32(rect.right());
  const int32_t bottom = clampToInt32(rect.bottom());
  drawLine({rect.x, rect.y}, {right, rect.y}, rgb);
  drawLine({rect.x, bottom}, {right, bottom}, rgb);
  drawLine({rect.x, rect.y}, {rect.x, bottom}, rgb);
  drawLine({right, rect.y}, {right, bottom}, rgb);
}

BlitRequest RasterSurface::request(BlitMode mode, int32_t x, int32_t y, const RasterSurface& source) const {
  BlitRequest r;
  r.mode = mode;
  r.dest = &desc_;
  r.x = x;
  r.y = y;
  r.source = &source.desc_;
  r.useClip = 1;
  r.clip = clip_;
  return r;
}

void RasterSurface::drawSurface(int32_t x, int32_t y, const RasterSurface& source, RasterPalette* palette,
                                RasterTransform transform) {
  BlitRequest r = request(BLIT_COPY, x, y, source);
  r.palette = palette;
  r.transform = transform;
  blit(r);
}

void RasterSurface::drawSurfaceKeyed(int32_t x, int32_t y, const RasterSurface& source, uint32_t key,
                                     RasterPalette* palette, RasterTransform transform, float angle) {
  BlitRequest r = request(BLIT_KEYED, x, y, source);
  r.key = key;
  r.palette = palette;
  r.transform = transform;
  if (angle > kSmallestAngle) {
    r.transform = RT_ANGLE;
    r.angle = angle;
  }
  blit(r);
}

void RasterSurface::drawSurfaceMasked(int32_t x, int32_t y, const RasterSurface& source, const RasterSurface* mask,
                                      uint32_t key, RasterTransform transform) {
  BlitRequest r = request(BLIT_MASKED, x, y, source);
  r.mask = mask ? &mask->desc_ : &source.desc_;
  r.key = key;
  r.alpha = 255;
  r.transform = transform;
  blit(r);
}

void RasterSurface::drawSurfaceTinted(int32_t x, int32_t y, const RasterSurface& maskSurface, uint32_t colour,
                                      int32_t channel, RasterTransform transform) {
  BlitRequest r = request(BLIT_TINT, x, y, maskSurface);
  r.colour = colour;
  r.channel = channel;
  r.transform = transform;
  blit(r);
}

void RasterSurface::drawSurfaceAlpha(int32_t x, int32_t y, const RasterSurface& source, int32_t alpha,
                                     RasterPalette* palette, uint32_t key, RasterTransform transform) {
  const bool selfMasked = source.format() == PF_ARGB8888;
  BlitRequest r = request(selfMasked ? BLIT_MASKED : BLIT_BLEND, x, y, source);
  r.mask = selfMasked ? &source.desc_ : nullptr;
  r.alpha = alpha;
  r.palette = palette;
  r.key = key;
  r.transform = transform;
  blit(r);
}

std::unique_ptr<RasterSurface> RasterSurface::createCompatible(int32_t width, int32_t height,
                                                               RasterAllocator* allocator) const {
  return std::make_unique<RasterSurface>(desc_.format, width, height, allocator);
}

void RasterSurface::copyTransformedInto(SurfaceDesc& target, RasterTransform transform) const {
  BlitRequest r;
  r.mode = BLIT_COPY;
  r.dest = &target;
  r.source = &desc_;
  r.transform = transform;
  blit(r);
  if (desc_.palette && target.palette) {
    target.palette->assign(*desc_.palette);
  }
}

std::unique_ptr<RasterSurface> RasterSurface::clone(RasterAllocator* allocator) const {
  return createTransformed(RT_NONE, allocator);
}

std::unique_ptr<RasterSurface> RasterSurface::createTransformed(RasterTransform transform,
                                                                RasterAllocator* allocator) const {
  if (desc_.format == PF_NONE || transform == RT_ANGLE) {
    return nullptr;
  }
  const bool quarterTurn = transform == RT_ROT90 || transform == RT_ROT270;
  auto copy =
      createCompatible(quarterTurn ? desc_.height : desc_.width, quarterTurn ? desc_.width : desc_.height, allocator);
  if (!copy->pixels()) {
    return nullptr;
  }
  copyTransformedInto(copy->desc_, transform);
  return copy;
}

bool RasterSurface::transformInPlace(RasterTransform transform, RasterAllocator* allocator) {
  if (!allocator_ || desc_.format == PF_NONE || transform == RT_ANGLE) {
    return false;
  }
  RasterAllocator* target = allocator ? allocator : allocator_;
  const bool quarterTurn = transform == RT_ROT90 || transform == RT_ROT270;
  SurfaceDesc turned;
  turned.format = desc_.format;
  turned.width = quarterTurn ? desc_.height : desc_.width;
  turned.height = quarterTurn ? desc_.width : desc_.height;
  turned.drawable = 1;
  if (!target->createBuffer(turned)) {
    return false;
  }
  copyTransformedInto(turned, transform);
  turned.drawable = desc_.drawable;
  allocator_->freeBuffer(desc_);
  if (target != allocator_) {
    target->addRef();
    allocator_->release();
    allocator_ = target;
  }
  desc_ = turned;
  clip_ = wholeOf(desc_);
  return true;
}

}  // namespace qel::raster
