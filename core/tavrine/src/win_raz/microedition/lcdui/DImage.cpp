#include "microedition/lcdui/DImage.h"

#include <memory>

#include "io/DArchive.h"
#include "io/DFileInputStream.h"
#include "io/DInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DintArray.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DPalette.h"
#include "microedition/lcdui/ImageDecoder.h"
#include "microedition/raster/RasterPalette.h"
#include "microedition/raster/RasterSurface.h"

namespace qel::lcdui {

using qel::lang::throwException;
using qel::lang::throwNullPointer;
using qel::lang::ExceptionCode::ArrayIndexOutOfBounds;
using qel::lang::ExceptionCode::IllegalArgument;
using qel::raster::RasterSurface;
using qel::raster::RasterTransform;

namespace {

// The transforms an image can be made with; any other is refused.
RasterTransform creationTransformOf(int32_t transform) {
  switch (transform) {
    case 0: return qel::raster::RT_NONE;
    case 2: return qel::raster::RT_MIRROR_X;
    case 3: return qel::raster::RT_ROT180;
    case 5: return qel::raster::RT_ROT90;
    case 6: return qel::raster::RT_ROT270;
    default: throwException(IllegalArgument);
  }
}

}  // namespace

DImage::DImage(std::unique_ptr<RasterSurface> surface) : surface_(std::move(surface)) {
  if (!surface_ || !surface_->pixels()) throwNullPointer();
}

DImage::~DImage() = default;

DImagePtr DImage::createImageOfFormat(int32_t width, int32_t height, qel::raster::PixelFormat format) {
  if (width <= 0 || height <= 0) throwException(IllegalArgument);
  DImagePtr image(new DImage(std::make_unique<RasterSurface>(format, width, height)));
  image->surface_->fillRect(0, 0, width, height, 0xFFFFFF);
  return image;
}

DImagePtr DImage::createImage(int32_t width, int32_t height) {
  return createImageOfFormat(width, height, qel::raster::PF_RGB565);
}

DImagePtr DImage::createImageFromResource(qel::lang::DStringPtr name, int32_t transform, bool paletted) {
  if (!name) throwNullPointer();
  qel::io::DInputStreamPtr stream;
  try {
    stream = qel::io::DArchive::openCurrentEntryStream(name);
  } catch (const qel::lang::DExceptionBase& e) {
    e.rethrowUnless(qel::lang::ExceptionCode::Exception);
  }
  if (!stream) stream = new qel::io::DFileInputStream(name);
  return createImageFromStream(stream, transform, paletted);
}

DImagePtr DImage::createImageFromStream(qel::io::DInputStreamPtr stream, int32_t transform, bool paletted) {
  if (!stream) throwNullPointer();
  const uint8_t* data = stream->getData();
  const int32_t length = stream->getDataLength();
  DImagePtr image;
  try {
    image = createImageFromData(data, length, paletted);
  } catch (...) {
    stream->releaseData();
    throw;
  }
  stream->releaseData();
  if (transform != 0) image = createTransformedImage(image, transform);
  image->name_ = stream->getName();
  return image;
}

DImagePtr DImage::createImageFromData(const uint8_t* data, int32_t length, bool paletted) {
  if (!data && length > 0) throwNullPointer();
  return decodeImage(data, length > 0 ? static_cast<size_t>(length) : 0, paletted);
}

DImagePtr DImage::createTransformedImage(DImagePtr image, int32_t transform) {
  if (!image) throwNullPointer();
  const RasterTransform rasterTransform = creationTransformOf(transform);
  DImagePtr copy(new DImage(image->surface_->createTransformed(rasterTransform)));
  copy->keyed_ = image->keyed_;
  if (image->hasPalette() && copy->hasPalette()) copy->surface_->palette()->assign(*image->surface_->palette());
  return copy;
}

DGraphicsPtr DImage::getGraphics() {
  return DGraphicsPtr(new DGraphics(std::make_unique<RasterSurface>(surface_->desc()), this));
}

int32_t DImage::getWidth() const { return surface_->width(); }

int32_t DImage::getHeight() const { return surface_->height(); }

void DImage::getRGB(qel::lang::DintArrayPtr rgbData, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                    int32_t width, int32_t height) {
  if (x < 0 || y < 0 || int64_t{x} + width > getWidth() || int64_t{y} + height > getHeight())
    throwException(IllegalArgument);
  if (!rgbData) throwNullPointer();
  if (width <= 0 || height <= 0) return;
  if (offset < 0 || scanlength < width ||
      int64_t{offset} + int64_t{height - 1} * scanlength + width > rgbData->length())
    throwException(ArrayIndexOutOfBounds);
  qel::raster::SurfaceDesc view;
  view.format = qel::raster::PF_ARGB8888;
  view.width = width;
  view.height = height;
  view.stride = scanlength * 4;
  view.pixels = rgbData->data() + offset;
  view.drawable = 1;
  RasterSurface target(view);
  // Palette entries are 0x00RRGGBB: read them as opaque, the key excepted.
  std::unique_ptr<qel::raster::RasterPalette> opaque;
  if (const qel::raster::RasterPalette* palette = surface_->palette()) {
    opaque = std::make_unique<qel::raster::RasterPalette>(*palette);
    for (int32_t i = 0; i < palette->count(); ++i) {
      const uint32_t entry = palette->entries()[i] & 0xFFFFFF;
      opaque->setEntry(i, entry == kKeyColour ? entry : 0xFF000000u | entry);
    }
  }
  target.drawSurfaceKeyed(-x, -y, *surface_, kKeyColour, opaque.get(), qel::raster::RT_NONE, 0.0f);
}

void DImage::fillWithColorKey() {
  keyed_ = true;
  surface_->fillRect(0, 0, surface_->width(), surface_->height(), kKeyColour);
}

void DImage::setName(const qel::lang::DStringPtr& name) { name_ = name; }

bool DImage::hasPalette() const { return surface_->palette() != nullptr; }

DPalettePtr DImage::getPalette() const {
  if (!hasPalette()) return nullptr;
  DPalettePtr copy(new DPalette(256));
  copy->palette().assign(*surface_->palette());
  return copy;
}

bool DImage::setPalette(DPalettePtr palette) {
  if (!hasPalette()) return false;
  if (!palette) throwNullPointer();
  surface_->palette()->assign(palette->palette());
  return true;
}

}  // namespace qel::lcdui
