#include "microedition/lcdui/DGifLoader.h"

#include <gif_lib.h>

#include <algorithm>
#include <utility>

#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/DPalette.h"
#include "microedition/raster/RasterPalette.h"
#include "microedition/raster/RasterSurface.h"

namespace qel::lcdui {

namespace {

constexpr uint32_t kKey = DImage::kKeyColour;
constexpr int kDisposeToBackground = 2;
constexpr int kDisposeToPrevious = 3;

struct InterlacePass {
  int first;
  int step;
};
constexpr InterlacePass kInterlacePasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
constexpr InterlacePass kProgressive[] = {{0, 1}};

uint32_t rgbOf(const GifColorType& colour) {
  return uint32_t{colour.Red} << 16 | uint32_t{colour.Green} << 8 | colour.Blue;
}

}  // namespace

DGifLoader::DGifLoader(GifFileType* gif, bool paletted) : gif_(gif), paletted_(paletted), background_(kKey) {
  const ColorMapObject* map = gif->SColorMap;
  if (map) {
    const int index = gif->SBackGroundColor;
    background_ = index >= 0 && index < map->ColorCount ? rgbOf(map->Colors[index]) : 0;
  }
}

DGifLoader::~DGifLoader() {
  int error = 0;
  DGifCloseFile(gif_, &error);
}

DImagePtr DGifLoader::nextFrame() {
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif_, &type) == GIF_ERROR) return endOfFrames();
    if (type == EXTENSION_RECORD_TYPE) {
      if (!readExtension()) return endOfFrames();
    } else if (type == IMAGE_DESC_RECORD_TYPE) {
      DImagePtr frame = readFrame();
      if (!frame) return endOfFrames();
      if (delay_ != 0) {
        frame->setFrameDelay(delay_ * 10);
        stillFrame_.release();
        return frame;
      }
      stillFrame_ = frame;
    } else {
      return endOfFrames();
    }
  }
}

DImagePtr DGifLoader::endOfFrames() { return std::exchange(stillFrame_, nullptr); }

bool DGifLoader::readExtension() {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif_, &code, &block) == GIF_ERROR) return false;
  if (code == GRAPHICS_EXT_FUNC_CODE) {
    if (!block || block[0] != 4) return false;
    const int flags = block[1];
    delay_ = block[2] | block[3] << 8;
    nextDisposal_ = (flags >> 2) & 7;
    transparentIndex_ = (flags & 1) ? block[4] : -1;
  } else if (code == APPLICATION_EXT_FUNC_CODE && !block) {
    return false;
  }
  while (block) {
    if (DGifGetExtensionNext(gif_, &block) == GIF_ERROR) return false;
  }
  return true;
}

DImagePtr DGifLoader::readFrame() {
  if (DGifGetImageDesc(gif_) == GIF_ERROR) return nullptr;
  const ColorMapObject* map = gif_->Image.ColorMap ? gif_->Image.ColorMap : gif_->SColorMap;
  if (!map || !map->Colors || map->ColorCount <= 0) return nullptr;
  const int count = std::min(map->ColorCount, 256);
  const DPalettePtr palette(new DPalette(256));
  for (int i = 0; i < count; ++i) palette->palette().setEntry(i, rgbOf(map->Colors[i]));
  if (transparentIndex_ >= 0 && transparentIndex_ < count) palette->palette().setEntry(transparentIndex_, kKey);

  DImagePtr frame = paletted_ ? readPalettedFrame(*palette) : composeFrame(*palette);
  if (!frame) return nullptr;
  disposal_ = nextDisposal_;
  if (disposal_ == kDisposeToBackground) clearColour_ = transparentIndex_ >= 0 ? kKey : background_;
  nextDisposal_ = 0;
  transparentIndex_ = -1;
  return frame;
}

DImagePtr DGifLoader::readPalettedFrame(DPalette& palette) {
  if (disposal_ == kDisposeToBackground || disposal_ == kDisposeToPrevious) return nullptr;
  DImagePtr frame;
  try {
    frame = DImage::createImageOfFormat(gif_->SWidth, gif_->SHeight, qel::raster::PF_INDEX8);
  } catch (const qel::lang::DExceptionBase&) {
    return nullptr;
  }
  frame->surface().palette()->assign(palette.palette());
  frame->setKeyed(true);
  if (!readPixels(frame->surface(), nullptr, false)) return nullptr;
  return frame;
}

DImagePtr DGifLoader::composeFrame(DPalette& palette) {
  const bool first = !screen_;
  if (first) {
    try {
      screen_ = DImage::createImageOfFormat(gif_->SWidth, gif_->SHeight, qel::raster::PF_RGB565);
    } catch (const qel::lang::DExceptionBase&) {
      return nullptr;
    }
    screen_->surface().fillRect(0, 0, gif_->SWidth, gif_->SHeight, background_);
  } else {
    disposePrevious();
  }
  if (nextDisposal_ == kDisposeToPrevious) previous_ = DImage::createTransformedImage(screen_, 0);
  qel::raster::RasterSurface& surface = screen_->surface();
  const GifImageDesc& desc = gif_->Image;
  const int left = std::clamp(desc.Left, 0, surface.width());
  const int top = std::clamp(desc.Top, 0, surface.height());
  previousArea_[0] = left;
  previousArea_[1] = top;
  previousArea_[2] = std::clamp(desc.Left + desc.Width, 0, surface.width()) - left;
  previousArea_[3] = std::clamp(desc.Top + desc.Height, 0, surface.height()) - top;
  if (!readPixels(surface, palette.palette().rgb565Table(), !first)) return nullptr;
  DImagePtr frame = DImage::createTransformedImage(screen_, 0);
  frame->setKeyed(true);
  return frame;
}

void DGifLoader::disposePrevious() {
  if (disposal_ == kDisposeToBackground) {
    screen_->surface().fillRect(previousArea_[0], previousArea_[1], previousArea_[2], previousArea_[3], clearColour_);
  } else if (disposal_ == kDisposeToPrevious && previous_) {
    screen_->surface().drawSurface(0, 0, previous_->surface(), nullptr, qel::raster::RT_NONE);
  }
}

// Paletted targets take the index bytes; others the colours, where a
// transparent pixel either leaves what lies below or becomes the key.
bool DGifLoader::readPixels(qel::raster::RasterSurface& surface, const uint16_t* colours, bool keepUnderTransparent) {
  const GifImageDesc& desc = gif_->Image;
  if (desc.Width <= 0 || desc.Height <= 0) return true;
  lineBuffer_.assign(static_cast<size_t>(desc.Width), 0);
  const int firstColumn = std::max(0, -desc.Left);
  const int endColumn = std::min(desc.Width, surface.width() - desc.Left);
  const auto* passes = desc.Interlace ? kInterlacePasses : kProgressive;
  const int passCount = desc.Interlace ? 4 : 1;
  const int transparent = keepUnderTransparent ? transparentIndex_ : -1;
  for (int pass = 0; pass < passCount; ++pass) {
    for (int row = passes[pass].first; row < desc.Height; row += passes[pass].step) {
      if (DGifGetLine(gif_, lineBuffer_.data(), desc.Width) == GIF_ERROR) return false;
      const int y = desc.Top + row;
      if (y < 0 || y >= surface.height()) continue;
      uint8_t* target = static_cast<uint8_t*>(surface.pixels()) + static_cast<size_t>(y) * surface.stride();
      if (!colours) {
        for (int x = firstColumn; x < endColumn; ++x) target[desc.Left + x] = lineBuffer_[x];
      } else {
        auto* pixels = reinterpret_cast<uint16_t*>(target);
        for (int x = firstColumn; x < endColumn; ++x)
          if (lineBuffer_[x] != transparent) pixels[desc.Left + x] = colours[lineBuffer_[x]];
      }
    }
  }
  return true;
}

}  // namespace qel::lcdui
