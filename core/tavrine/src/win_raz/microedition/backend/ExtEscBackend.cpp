#include "microedition/backend/ExtEscBackend.h"

#include "microedition/backend/GxInput.h"
#include "microedition/raster/RasterSurface.h"
#include "platform/driver/DeviceDriver.h"
#include "platform/gdi/Gdi.h"

namespace qel::lcdui {

using qel::raster::PF_RGB565;
using qel::raster::RasterSurface;

ExtEscBackend::ExtEscBackend() = default;

ExtEscBackend::~ExtEscBackend() {
  if (open_) close();
}

int32_t ExtEscBackend::width() const { return open_ ? record_.width : 0; }

int32_t ExtEscBackend::height() const { return open_ ? record_.height : 0; }

bool ExtEscBackend::isUsable(const wce::RawFrameBufferInfo& record) {
  return record.format == wce::FORMAT_565 && record.xStride == 2 && record.width > 0 && record.height > 0 &&
         record.yStride >= 2 * record.width && record.framePointer;
}

bool ExtEscBackend::open(wce::HWND window, const BackendParams&) {
  wce::HDC dc = wce::GetDC(window);
  if (!dc) return false;
  wce::RawFrameBufferInfo record;
  bool opened = false;
  if (wce::ExtEscape(dc, wce::GETRAWFRAMEBUFFER, 0, nullptr, sizeof(record), &record) > 0) {
    if (isUsable(record)) {
      qel::raster::SurfaceDesc desc;
      desc.format = PF_RGB565;
      desc.width = record.width;
      desc.height = record.height;
      desc.stride = record.yStride;
      desc.pixels = record.framePointer;
      desc.drawable = 1;
      screen_ = std::make_unique<RasterSurface>(desc);
      back_ = std::make_unique<RasterSurface>(PF_RGB565, record.width, record.height);
      updateRect_ = {0, 0, record.width, record.height};
      GxInput::open();
      opened = true;
    }
    record_ = record;
    window_ = window;
  }
  wce::ReleaseDC(window, dc);
  open_ = opened;
  return opened;
}

void ExtEscBackend::close() {
  window_ = nullptr;
  back_.reset();
  screen_.reset();
  open_ = false;
  begun_ = false;
  GxInput::close();
}

bool ExtEscBackend::setUpdateRect(const BackendRect& rect) {
  if (!open_) return false;
  updateRect_ = rect;
  screen_->setClip({rect.x, rect.y, rect.width, rect.height});
  return true;
}

bool ExtEscBackend::begin() {
  if (!open_) return false;
  begun_ = true;
  return true;
}

RasterSurface* ExtEscBackend::getSurface() { return begun_ ? back_.get() : nullptr; }

void ExtEscBackend::present() {
  if (!begun_) return;
  screen_->drawSurface(0, 0, *back_, nullptr, qel::raster::RT_NONE);
  begun_ = false;
  wce::presentFrame();
}

}  // namespace qel::lcdui
