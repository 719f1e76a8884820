#include "microedition/lcdui/DGifLoader.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <utility>

#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/DPalette.h"
#include "microedition/lcdui/DecodeBudget.h"
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
      if (!readFrame()) return endOfFrames();
      stillPending_ = delay_ == 0;
      if (!stillPending_) {
        DImagePtr frame = takeFrame();
        frame->setFrameDelay(delay_ * 10);
        return frame;
      }
    } else {
      return endOfFrames();
    }
  }
}

DImagePtr DGifLoader::endOfFrames() {
  if (!stillPending_) return nullptr;
  stillPending_ = false;
  return takeFrame();
}

// The screen itself goes: a paletted frame stands alone, and a composed
// screen is copied only when a further frame is drawn.
DImagePtr DGifLoader::takeFrame() {
  DImagePtr frame = screen_;
  if (paletted_)
    screen_.release();
  else
    screenHandedOut_ = true;
  frame->setKeyed(true);
  return frame;
}

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

bool DGifLoader::readFrame() {
  if (DGifGetImageDesc(gif_) == GIF_ERROR) return false;
  const ColorMapObject* map = gif_->Image.ColorMap ? gif_->Image.ColorMap : gif_->SColorMap;
  if (!map || !map->Colors || map->ColorCount <= 0) return false;
  const int count = std::min(map->ColorCount, 256);
  const DPalettePtr palette(new DPalette(256));
  for (int i = 0; i < count; ++i) palette->palette().setEntry(i, rgbOf(map->Colors[i]));
  if (transparentIndex_ >= 0 && transparentIndex_ < count) palette->palette().setEntry(transparentIndex_, kKey);
  if (!drawFrame(*palette)) return false;
  disposal_ = nextDisposal_;
  if (disposal_ == kDisposeToBackground) clearColour_ = transparentIndex_ >= 0 ? kKey : background_;
  nextDisposal_ = 0;
  transparentIndex_ = -1;
  return true;
}

// Each step saves the area it changes first, so a frame that fails to read
// leaves the screen as the last complete frame left it.
bool DGifLoader::drawFrame(DPalette& palette) {
  // Paletted frames stand alone: a disposal that would need the screen ends them.
  if (paletted_ && (disposal_ == kDisposeToBackground || disposal_ == kDisposeToPrevious)) return false;
  const bool first = !screen_;
  if (first) {
    if (!fitsDecodeBudget(gif_->SWidth, gif_->SHeight)) return false;
    try {
      screen_ = DImage::createImageOfFormat(
          gif_->SWidth, gif_->SHeight, paletted_ ? qel::raster::PF_INDEX8 : qel::raster::PF_RGB565);
    } catch (const qel::lang::DExceptionBase&) {
      return false;
    }
    if (!paletted_) screen_->surface().fillRect(0, 0, gif_->SWidth, gif_->SHeight, background_);
  }
  if (screenHandedOut_) {
    screen_ = DImage::createTransformedImage(screen_, 0);
    screenHandedOut_ = false;
  }
  SavedArea disposed;
  if (!first) disposePrevious(disposed);
  SavedArea drawn = frameArea();
  save(drawn);
  qel::raster::RasterPalette oldPalette;
  if (paletted_) {
    oldPalette.assign(*screen_->surface().palette());
    screen_->surface().palette()->assign(palette.palette());
  }
  if (!readPixels(paletted_ ? nullptr : palette.palette().rgb565Table(), !first && !paletted_)) {
    restore(drawn);
    restore(disposed);
    if (paletted_) screen_->surface().palette()->assign(oldPalette);
    return false;
  }
  previous_ = std::move(drawn);
  return true;
}

// A paletted screen still holding a frame of delay 0 gets its pixels back to
// index 0.
void DGifLoader::disposePrevious(SavedArea& changed) {
  qel::raster::RasterSurface& surface = screen_->surface();
  changed = previous_;
  changed.bytes.clear();
  if (paletted_) {
    save(changed);
    for (int32_t row = 0; row < changed.height; ++row)
      std::fill_n(
          static_cast<uint8_t*>(surface.pixels()) + static_cast<size_t>(changed.y + row) * surface.stride() + changed.x,
          changed.width,
          uint8_t{0});
  } else if (disposal_ == kDisposeToBackground) {
    save(changed);
    surface.fillRect(changed.x, changed.y, changed.width, changed.height, clearColour_);
  } else if (disposal_ == kDisposeToPrevious) {
    save(changed);
    restore(previous_);
  }
}

DGifLoader::SavedArea DGifLoader::frameArea() const {
  const qel::raster::RasterSurface& surface = screen_->surface();
  const GifImageDesc& desc = gif_->Image;
  SavedArea area;
  area.x = std::clamp(desc.Left, 0, surface.width());
  area.y = std::clamp(desc.Top, 0, surface.height());
  area.width = std::clamp(desc.Left + desc.Width, 0, surface.width()) - area.x;
  area.height = std::clamp(desc.Top + desc.Height, 0, surface.height()) - area.y;
  return area;
}

void DGifLoader::save(SavedArea& area) const {
  area.bytes.clear();
  if (area.width <= 0 || area.height <= 0) return;
  const qel::raster::RasterSurface& surface = screen_->surface();
  const size_t rowBytes = static_cast<size_t>(area.width) * (paletted_ ? 1 : 2);
  area.bytes.resize(rowBytes * static_cast<size_t>(area.height));
  for (int32_t row = 0; row < area.height; ++row)
    std::memcpy(area.bytes.data() + rowBytes * static_cast<size_t>(row),
                static_cast<const uint8_t*>(surface.pixels()) + static_cast<size_t>(area.y + row) * surface.stride() +
                    static_cast<size_t>(area.x) * (paletted_ ? 1 : 2),
                rowBytes);
}

void DGifLoader::restore(const SavedArea& area) {
  if (area.bytes.empty()) return;
  qel::raster::RasterSurface& surface = screen_->surface();
  const size_t rowBytes = static_cast<size_t>(area.width) * (paletted_ ? 1 : 2);
  for (int32_t row = 0; row < area.height; ++row)
    std::memcpy(static_cast<uint8_t*>(surface.pixels()) + static_cast<size_t>(area.y + row) * surface.stride() +
                    static_cast<size_t>(area.x) * (paletted_ ? 1 : 2),
                area.bytes.data() + rowBytes * static_cast<size_t>(row),
                rowBytes);
}

// Paletted targets take the index bytes; others the colours, where a
// transparent pixel either leaves what lies below or becomes the key.
bool DGifLoader::readPixels(const uint16_t* colours, bool keepUnderTransparent) {
  qel::raster::RasterSurface& surface = screen_->surface();
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
