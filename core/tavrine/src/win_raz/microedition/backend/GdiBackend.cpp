#include "microedition/backend/GdiBackend.h"

#include "microedition/backend/GxInput.h"
#include "microedition/raster/RasterSurface.h"
#include "platform/driver/DeviceDriver.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/SystemInfo.h"
#include "platform/window/Messages.h"
#include "platform/window/Windows.h"

namespace qel::lcdui {

using qel::raster::RasterSurface;

namespace {

constexpr int32_t PixelsPerMetre = 1024;

// DIB rows are padded to 4 bytes.
int32_t dibStride(int32_t width) { return (width * 2 + 3) & ~3; }

}  // namespace

GdiBackend::GdiBackend() = default;

GdiBackend::~GdiBackend() {
  if (open_) close();
}

int32_t GdiBackend::width() const { return open_ ? surface_->width() : 0; }

int32_t GdiBackend::height() const { return open_ ? surface_->height() : 0; }

void GdiBackend::takeOverScreen(wce::HWND window) {
  wce::SetWindowLongW(window, wce::GWL_EXSTYLE, wce::GetWindowLongW(window, wce::GWL_EXSTYLE) | wce::WS_EX_TOPMOST);
  wce::HWND taskBar = wce::FindWindowW(u"Shell_TrayWnd", nullptr);
  if (!taskBar) taskBar = wce::FindWindowW(u"HHTaskBar", nullptr);
  if (taskBar) wce::ShowWindow(taskBar, wce::SW_SHOW);
  wce::MoveWindow(
      window, 0, 0, wce::GetSystemMetrics(wce::SM_CXSCREEN), wce::GetSystemMetrics(wce::SM_CYSCREEN), false);
}

bool GdiBackend::open(wce::HWND window, const BackendParams& params) {
  GxInput::open();
  wce::HDC dc = wce::GetDC(window);
  if (!dc) return false;
  takeOverScreen(window);

  wce::BitmapInfo info;
  info.header.width = params.width;
  info.header.height = -params.height;
  info.header.planes = 1;
  info.header.bitCount = 16;
  info.header.compression = wce::BI_RGB;
  info.header.sizeImage = static_cast<uint32_t>(params.width) * static_cast<uint32_t>(params.height) * 2;
  info.header.xPelsPerMeter = PixelsPerMetre;
  info.header.yPelsPerMeter = PixelsPerMetre;
  void* bits = nullptr;
  dib_ = wce::CreateDIBSection(dc, &info, wce::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib_) {
    wce::ReleaseDC(window, dc);
    return false;
  }
  memoryDc_ = wce::CreateCompatibleDC(dc);
  wce::HGDIOBJ replaced = memoryDc_ ? wce::SelectObject(memoryDc_, dib_) : nullptr;
  wce::ReleaseDC(window, dc);
  if (!replaced) {
    release();
    return false;
  }
  wce::DeleteObject(replaced);

  qel::raster::SurfaceDesc desc;
  desc.format = qel::raster::PF_RGB555;
  desc.width = params.width;
  desc.height = params.height;
  desc.stride = dibStride(params.width);
  desc.pixels = bits;
  desc.drawable = 1;
  surface_ = std::make_unique<RasterSurface>(desc);
  open_ = true;
  updateRect_ = {0, 0, params.width, params.height};
  window_ = window;
  return true;
}

void GdiBackend::release() {
  surface_.reset();
  if (memoryDc_) wce::DeleteDC(memoryDc_);
  memoryDc_ = nullptr;
  if (dib_) wce::DeleteObject(dib_);
  dib_ = nullptr;
}

void GdiBackend::close() {
  window_ = nullptr;
  release();
  open_ = false;
  begun_ = false;
  GxInput::close();
}

bool GdiBackend::setUpdateRect(const BackendRect& rect) {
  if (!open_) return false;
  updateRect_ = rect;
  return true;
}

bool GdiBackend::begin() {
  if (!open_) return false;
  begun_ = true;
  return true;
}

RasterSurface* GdiBackend::getSurface() { return begun_ ? surface_.get() : nullptr; }

void GdiBackend::present() {
  if (!begun_) return;
  wce::HDC dc = wce::GetDC(window_);
  if (dc) {
    wce::BitBlt(dc, 0, 0, width(), height(), memoryDc_, 0, 0, wce::SRCCOPY);
    wce::ReleaseDC(window_, dc);
  }
  begun_ = false;
  wce::presentFrame();
}

}  // namespace qel::lcdui
