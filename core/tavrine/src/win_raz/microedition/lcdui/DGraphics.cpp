#include "microedition/lcdui/DGraphics.h"

#include <algorithm>
#include <limits>

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "lang/DintArray.h"
#include "microedition/lcdui/DCharMask.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/DPalette.h"
#include "microedition/lcdui/DVideoStream.h"
#include "microedition/raster/RasterSurface.h"
#include "microedition/raster/YuvPlanes.h"

namespace qel::lcdui {

using qel::lang::throwNullPointer;
using qel::raster::GUIRect;
using qel::raster::RasterPoint;
using qel::raster::RasterSurface;
using qel::raster::RasterTransform;
using qel::raster::SurfaceDesc;

namespace {

constexpr uint32_t kKey = DImage::kKeyColour;
constexpr int32_t kAlphaChannel = 3;

// The transform an image is drawn with; an unknown one draws it as it is.
RasterTransform drawingTransformOf(int32_t transform) {
  switch (transform) {
    case 1: return qel::raster::RT_MIRROR_Y;
    case 2: return qel::raster::RT_MIRROR_X;
    case 3: return qel::raster::RT_ROT180;
    case 5: return qel::raster::RT_ROT90;
    case 6: return qel::raster::RT_ROT270;
    default: return qel::raster::RT_NONE;
  }
}

bool isTurned(int32_t transform) { return transform == 5 || transform == 6; }

int32_t clampToInt32(int64_t value) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// How far an anchor moves a box of the given size to its top-left corner.
int64_t anchorShift(int32_t anchor, int32_t size, int32_t far, int32_t centre) {
  if (anchor & far) return size;
  if (anchor & centre) return size >> 1;
  return 0;
}

// Whether count elements from offset, rows of stride apart, fit in length.
bool fitsArray(int32_t length, int32_t offset, int32_t stride, int32_t rowLength, int32_t rows) {
  return offset >= 0 && stride >= rowLength && int64_t{offset} + int64_t{rows - 1} * stride + rowLength <= length;
}

void checkArray(bool fits) {
  if (!fits) qel::lang::throwException(qel::lang::ExceptionCode::ArrayIndexOutOfBounds);
}

DImage& checked(const DImagePtr& img) {
  if (!img) throwNullPointer();
  return *img;
}

}  // namespace

DGraphics::DGraphics(std::unique_ptr<RasterSurface> surface, qel::lang::DObjectPtr owner)
    : surface_(std::move(surface)), owner_(std::move(owner)) {
  if (!surface_) throwNullPointer();
  font_ = DFont::getDefaultFont();
  surface_->setClip({0, 0, surface_->width(), surface_->height()});
}

DGraphics::~DGraphics() = default;

RasterPoint DGraphics::translated(int32_t x, int32_t y) const {
  return {clampToInt32(int64_t{x} + translateX_), clampToInt32(int64_t{y} + translateY_)};
}

RasterPoint DGraphics::place(const DImage& img, int32_t x, int32_t y, int32_t anchor, bool turned) const {
  const int32_t w = turned ? img.getHeight() : img.getWidth();
  const int32_t h = turned ? img.getWidth() : img.getHeight();
  return {clampToInt32(int64_t{x} + translateX_ - anchorShift(anchor, w, RIGHT, HCENTER)),
          clampToInt32(int64_t{y} + translateY_ - anchorShift(anchor, h, BOTTOM, VCENTER))};
}

int32_t DGraphics::drawChar(char16_t ch, int32_t x, int32_t y) {
  if (!font_) throwNullPointer();
  const DCharMaskPtr mask = font_->getCharMask(ch);
  if (!mask) return 0;
  SurfaceDesc view;
  view.format = qel::raster::PF_ALPHA8;
  view.width = mask->width();
  view.height = mask->height();
  view.stride = mask->width();
  view.pixels = mask->pixels();
  if (view.width > 0 && view.height > 0)
    surface_->drawSurfaceTinted(x, y, RasterSurface(view), colour_, kAlphaChannel, qel::raster::RT_NONE);
  return mask->width();
}

void DGraphics::drawImage(DImagePtr img, DImagePtr maskImg, int32_t x, int32_t y, int32_t anchor, int32_t transform) {
  const DImage& image = checked(img);
  const DImage& mask = checked(maskImg);
  const RasterPoint at = place(image, x, y, anchor, isTurned(transform));
  surface_->drawSurfaceMasked(at.x, at.y, image.surface(), &mask.surface(), kKey, drawingTransformOf(transform));
}

void DGraphics::drawImage(DImagePtr img, DPalettePtr palette, int32_t x, int32_t y, int32_t anchor, int32_t transform) {
  const DImage& image = checked(img);
  if (!palette) throwNullPointer();
  const RasterPoint at = place(image, x, y, anchor, isTurned(transform));
  const RasterTransform rt = drawingTransformOf(transform);
  if (image.isKeyed())
    surface_->drawSurfaceKeyed(at.x, at.y, image.surface(), kKey, &palette->palette(), rt, 0.0f);
  else
    surface_->drawSurface(at.x, at.y, image.surface(), &palette->palette(), rt);
}

void DGraphics::drawImage(DImagePtr img, int32_t x, int32_t y, int32_t anchor, int32_t transform) {
  const DImage& image = checked(img);
  const RasterPoint at = place(image, x, y, anchor, isTurned(transform));
  const RasterTransform rt = drawingTransformOf(transform);
  if (image.isKeyed())
    surface_->drawSurfaceKeyed(at.x, at.y, image.surface(), kKey, nullptr, rt, 0.0f);
  else if (image.surface().format() == qel::raster::PF_ARGB8888)
    surface_->drawSurfaceMasked(at.x, at.y, image.surface(), nullptr, kKey, rt);
  else
    surface_->drawSurface(at.x, at.y, image.surface(), nullptr, rt);
}

void DGraphics::drawImageOpaque(DImagePtr img, int32_t x, int32_t y, int32_t anchor, int32_t transform) {
  const DImage& image = checked(img);
  const RasterPoint at = place(image, x, y, anchor, isTurned(transform));
  surface_->drawSurface(at.x, at.y, image.surface(), nullptr, drawingTransformOf(transform));
}

void DGraphics::drawImage(DImagePtr img, int32_t x, int32_t y, int32_t alpha, int32_t anchor, int32_t transform,
                          DPalettePtr palette) {
  const DImage& image = checked(img);
  const RasterPoint at = place(image, x, y, anchor, isTurned(transform));
  surface_->drawSurfaceAlpha(
      at.x, at.y, image.surface(), alpha, palette ? &palette->palette() : nullptr, kKey, drawingTransformOf(transform));
}

void DGraphics::drawImageRotated(DImagePtr img, DPalettePtr palette, int32_t x, int32_t y, int32_t anchor,
                                 float angle) {
  const DImage& image = checked(img);
  if (!palette) throwNullPointer();
  if (!image.isKeyed()) return;
  const RasterPoint at = place(image, x, y, anchor, false);
  surface_->drawSurfaceKeyed(at.x, at.y, image.surface(), kKey, &palette->palette(), qel::raster::RT_NONE, angle);
}

void DGraphics::drawImageRotated(DImagePtr img, int32_t x, int32_t y, int32_t anchor, float angle) {
  const DImage& image = checked(img);
  if (!image.isKeyed()) return;
  const RasterPoint at = place(image, x, y, anchor, false);
  surface_->drawSurfaceKeyed(at.x, at.y, image.surface(), kKey, nullptr, qel::raster::RT_NONE, angle);
}

void DGraphics::drawString(qel::lang::DStringPtr str, int32_t x, int32_t y, int32_t anchor) {
  if (getClipWidth() <= 0 || getClipHeight() <= 0 || !font_) return;
  if (!str) throwNullPointer();
  const RasterPoint origin = translated(x, y);
  int64_t left = origin.x;
  int64_t top = origin.y;
  const int32_t width = font_->stringWidth(str);
  if (!(anchor & LEFT)) left -= anchorShift(anchor, width, RIGHT, HCENTER);
  if (!(anchor & TOP)) {
    if (anchor & BOTTOM)
      top -= font_->getHeight();
    else if (anchor & VCENTER)
      top -= font_->getHeight() >> 1;
    else if (anchor & BASELINE)
      top -= font_->getAscent();
  }
  int32_t penX = clampToInt32(left);
  const int32_t penY = clampToInt32(top);
  for (char16_t ch : str->view()) penX = clampToInt32(int64_t{penX} + drawChar(ch, penX, penY));
}

void DGraphics::fillRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  const RasterPoint at = translated(x, y);
  surface_->fillRect(at.x, at.y, w, h, colour_);
}

void DGraphics::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  surface_->drawLine(translated(x1, y1), translated(x2, y2), colour_);
}

void DGraphics::drawRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  const RasterPoint at = translated(x, y);
  surface_->drawRect({at.x, at.y, w, h}, colour_);
}

void DGraphics::drawMask(uint32_t colour, DImagePtr img, int32_t x, int32_t y, int32_t channel, int32_t anchor,
                         int32_t transform) {
  const DImage& image = checked(img);
  if (channel < 0 || channel > kAlphaChannel) channel = kAlphaChannel;
  const RasterPoint at = place(image, x, y, anchor, isTurned(transform));
  surface_->drawSurfaceTinted(at.x, at.y, image.surface(), colour, channel, drawingTransformOf(transform));
}

void DGraphics::drawRGB(qel::lang::DintArrayPtr rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                        int32_t width, int32_t height, bool processAlpha) {
  if (!rgbData) throwNullPointer();
  if (width <= 0 || height <= 0) return;
  checkArray(fitsArray(rgbData->length(), offset, scanlength, width, height));
  SurfaceDesc view;
  view.format = qel::raster::PF_ARGB8888;
  view.width = width;
  view.height = height;
  view.stride = scanlength * 4;
  view.pixels = rgbData->data() + offset;
  const RasterSurface source(view);
  if (processAlpha)
    surface_->drawSurfaceMasked(x, y, source, nullptr, qel::raster::kNoKey, qel::raster::RT_NONE);
  else
    surface_->drawSurfaceKeyed(x, y, source, kKey, nullptr, qel::raster::RT_NONE, 0.0f);
}

void DGraphics::drawYUV(qel::lang::DbyteArrayPtr luma, qel::lang::DbyteArrayPtr blueDiff,
                        qel::lang::DbyteArrayPtr redDiff, int32_t lumaOffset, int32_t chromaOffset, int32_t lumaStride,
                        int32_t chromaStride, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (!luma || !blueDiff || !redDiff) throwNullPointer();
  if (width <= 0 || height <= 0) return;
  const int32_t chromaWidth = (width + 1) / 2;
  const int32_t chromaHeight = (height + 1) / 2;
  checkArray(fitsArray(luma->length(), lumaOffset, lumaStride, width, height) &&
             fitsArray(blueDiff->length(), chromaOffset, chromaStride, chromaWidth, chromaHeight) &&
             fitsArray(redDiff->length(), chromaOffset, chromaStride, chromaWidth, chromaHeight));
  qel::raster::YuvPlanes planes;
  planes.luma = reinterpret_cast<const uint8_t*>(luma->data()) + lumaOffset;
  planes.blueDiff = reinterpret_cast<const uint8_t*>(blueDiff->data()) + chromaOffset;
  planes.redDiff = reinterpret_cast<const uint8_t*>(redDiff->data()) + chromaOffset;
  planes.lumaStride = lumaStride;
  planes.chromaStride = chromaStride;
  SurfaceDesc view;
  view.format = qel::raster::PF_YUV420;
  view.width = width;
  view.height = height;
  view.pixels = &planes;
  const RasterPoint at = translated(x, y);
  surface_->drawSurface(at.x, at.y, RasterSurface(view), nullptr, qel::raster::RT_NONE);
}

void DGraphics::drawVideoFrame(DVideoStreamPtr stream, int32_t x, int32_t y, int32_t anchor) {
  if (!stream) throwNullPointer();
  const int32_t w = stream->getWidth();
  const int32_t h = stream->getHeight();
  stream->drawFrame(*this,
                    clampToInt32(x - anchorShift(anchor, w, RIGHT, HCENTER)),
                    clampToInt32(y - anchorShift(anchor, h, BOTTOM, VCENTER)),
                    w,
                    h);
}

int32_t DGraphics::getClipX() const { return surface_->clip().x; }
int32_t DGraphics::getClipY() const { return surface_->clip().y; }
int32_t DGraphics::getClipWidth() const { return surface_->clip().width; }
int32_t DGraphics::getClipHeight() const { return surface_->clip().height; }

void DGraphics::setClip(int32_t x, int32_t y, int32_t w, int32_t h) {
  const RasterPoint at = translated(x, y);
  surface_->setClip({at.x, at.y, w, h});
}

void DGraphics::clipRect(int32_t x, int32_t y, int32_t w, int32_t h) {
  const RasterPoint at = translated(x, y);
  surface_->setClip(GUIRect::intersect(surface_->clip(), {at.x, at.y, w, h}));
}

DFontPtr DGraphics::getFont() const { return font_; }

void DGraphics::setFont(DFontPtr font) { font_ = std::move(font); }

void DGraphics::setColor(int32_t r, int32_t g, int32_t b) {
  colour_ =
      (static_cast<uint32_t>(r) & 255) << 16 | (static_cast<uint32_t>(g) & 255) << 8 | (static_cast<uint32_t>(b) & 255);
}

void DGraphics::translate(int32_t dx, int32_t dy) {
  translateX_ = static_cast<int32_t>(static_cast<uint32_t>(translateX_) + static_cast<uint32_t>(dx));
  translateY_ = static_cast<int32_t>(static_cast<uint32_t>(translateY_) + static_cast<uint32_t>(dy));
}

}  // namespace qel::lcdui
