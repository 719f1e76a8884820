#include "microedition/backend/TdlxBackend.h"

#include "display/api/Display.h"
#include "microedition/backend/GxInput.h"
#include "platform/driver/DeviceDriver.h"

namespace qel::lcdui {

TdlxBackend::TdlxBackend() : surface_(qel::raster::SurfaceDesc{}) {}

TdlxBackend::~TdlxBackend() { close(); }

int32_t TdlxBackend::orientationFor(int32_t rotation) {
  switch (rotation) {
    case 0: return 0;
    case 90: return 3;
    case 180: return 2;
    case 270: return 1;
    default: return tdlx::kAnyOrientation;
  }
}

int32_t TdlxBackend::width() const { return display_ ? display_->GetParameters()->width : 0; }

int32_t TdlxBackend::height() const { return display_ ? display_->GetParameters()->height : 0; }

bool TdlxBackend::open(wce::HWND window, const BackendParams& params) {
  tdlx::DisplayParams wanted;
  wanted.width = params.width;
  wanted.height = params.height;
  wanted.orientation = orientationFor(params.rotation);
  wanted.swapEffect = tdlx::kSwapDiscard;
  display_ = tdlx::Display::Create(window, wanted);
  if (!display_) return false;
  GxInput::open();
  return true;
}

void TdlxBackend::close() {
  if (!display_) return;
  if (inScene_) present();
  display_.reset();
  GxInput::close();
}

bool TdlxBackend::setUpdateRect(const BackendRect& rect) {
  if (!display_) return false;
  tdlx::Rect dirty{rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
  display_->SetDirtyRect(&dirty);
  return true;
}

bool TdlxBackend::begin() {
  if (!display_) return false;
  if (!inScene_) inScene_ = display_->BeginScene();
  return inScene_;
}

qel::raster::RasterSurface* TdlxBackend::getSurface() {
  if (!inScene_) return nullptr;
  tdlx::FrameBufferInfo* buffer = display_->GetBackBuffer();
  if (!buffer || !buffer->pixels) return nullptr;
  qel::raster::SurfaceDesc desc;
  desc.format = qel::raster::PF_RGB565;
  desc.width = buffer->width;
  desc.height = buffer->height;
  desc.stride = buffer->pitch;
  desc.pixels = buffer->pixels;
  desc.drawable = 1;
  surface_.attach(desc);
  return &surface_;
}

void TdlxBackend::present() {
  if (!display_ || !inScene_) return;
  display_->EndScene(0);
  inScene_ = false;
  wce::presentFrame();
}

}  // namespace qel::lcdui
