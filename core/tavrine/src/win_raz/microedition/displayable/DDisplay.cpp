#include "microedition/displayable/DDisplay.h"

#include <algorithm>
#include <cstring>

#include "lang/DExceptionBase.h"
#include "lang/Host.h"
#include "microedition/backend/DisplayBackend.h"
#include "microedition/displayable/DCanvas.h"
#include "microedition/midlet/DMIDlet.h"
#include "microedition/raster/RasterSurface.h"

namespace qel::lcdui {

using qel::raster::RasterSurface;

namespace {

DDisplay* globalDisplay = nullptr;

uint16_t rgb565To555(uint16_t pixel) { return static_cast<uint16_t>(((pixel >> 1) & 0x7FE0) | (pixel & 0x001F)); }

}  // namespace

DDisplay::DDisplay(DisplayBackend* backend) : backend_(backend) {
  globalDisplay = this;
  qel::midlet::DMIDlet* application = qel::midlet::DMIDlet::current();
  if (!application) qel::lang::throwNullPointer();
  application->setDisplay(this);
  width_ = backend_->width();
  height_ = backend_->height();
}

DDisplay::~DDisplay() {
  current_.release();
  if (globalDisplay == this) globalDisplay = nullptr;
}

DDisplayPtr DDisplay::getDisplay(qel::midlet::DMIDletPtr midlet) { return DDisplayPtr(midlet->getDisplay()); }

void DDisplay::setCurrent(DCanvasPtr canvas) {
  DCanvasPtr old = current_;
  if (old) {
    old->hideNotify();
    old->setShown(false);
  }
  current_ = canvas;
  old.release();
  if (canvas) {
    canvas->notifyShown();
    canvas->setShown(true);
  }
}

DCanvasPtr DDisplay::getCurrent() const { return current_; }

DDisplay* DDisplay::instance() { return globalDisplay; }

void DDisplay::flush() {
  DDisplay* display = globalDisplay;
  if (!display || !display->current_) return;
  qel::lang::Host* host = qel::lang::Host::current();
  if (!host || host->isInactive()) return;
  DisplayBackend* backend = display->backend_;
  if (!backend->begin()) return;
  RasterSurface* screen = backend->getSurface();
  RasterSurface* backBuffer = display->current_->getBackBuffer();
  if (screen && backBuffer) {
    if (host->isScale2x()) {
      doublePixels(*backBuffer, *screen);
    } else {
      screen->drawSurface(0, 0, *backBuffer, nullptr, qel::raster::RT_NONE);
    }
  }
  backend->present();
}

// Each pixel becomes a 2 x 2 block, as far as the screen reaches; an odd last
// column is doubled like the others.
void DDisplay::doublePixels(const RasterSurface& source, RasterSurface& screen) {
  if (!source.pixels() || !screen.pixels()) return;
  const bool to555 = screen.format() == qel::raster::PF_RGB555;
  if (!to555 && screen.format() != qel::raster::PF_RGB565) return;
  const int32_t rows = std::min(source.height(), screen.height() / 2);
  const int32_t columns = std::min(source.width(), screen.width() / 2);
  const auto* sourceBytes = static_cast<const uint8_t*>(source.pixels());
  auto* screenBytes = static_cast<uint8_t*>(screen.pixels());
  for (int32_t y = 0; y < rows; ++y) {
    const auto* in = reinterpret_cast<const uint16_t*>(sourceBytes + static_cast<ptrdiff_t>(y) * source.stride());
    auto* top = reinterpret_cast<uint16_t*>(screenBytes + static_cast<ptrdiff_t>(2 * y) * screen.stride());
    auto* bottom = reinterpret_cast<uint16_t*>(reinterpret_cast<uint8_t*>(top) + screen.stride());
    for (int32_t x = 0; x < columns; ++x) {
      uint16_t pixel = to555 ? rgb565To555(in[x]) : in[x];
      top[2 * x] = top[2 * x + 1] = pixel;
      bottom[2 * x] = bottom[2 * x + 1] = pixel;
    }
  }
}

}  // namespace qel::lcdui
