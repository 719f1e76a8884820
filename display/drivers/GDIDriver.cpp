#include "display/drivers/GDIDriver.h"

#include <utility>

#include "display/device/Log.h"
#include "display/device/SystemLibraries.h"
#include "platform/gdi/Gdi.h"
#include "platform/window/Windows.h"

namespace tdlx {
namespace {

std::uint32_t shadowPitch(std::uint32_t width) { return (width * 2 + 3) & ~3u; }

}  // namespace

bool GDIDriver::detect(ModeRecord& mode) {
  wce::HDC dc = wce::GetDC(nullptr);
  if (!dc) {
    logLine("GDIDriver: unable to get screen's DC");
    return false;
  }
  int width = wce::GetDeviceCaps(dc, wce::HORZRES);
  int height = wce::GetDeviceCaps(dc, wce::VERTRES);
  const int depth = wce::GetDeviceCaps(dc, wce::BITSPIXEL);
  wce::ReleaseDC(nullptr, dc);
  const int orientation = readSystemOrientation();
  if (orientation == 1 || orientation == 3) std::swap(width, height);
  mode.width = static_cast<std::uint32_t>(width);
  mode.height = static_cast<std::uint32_t>(height);
  mode.bitsPerPixel = static_cast<std::uint32_t>(depth);
  mode.pitch = shadowPitch(mode.width);
  mode.bufferKind = kBufferDrawable;
  logLine("GDIDriver: Found W:%d, H:%d, D:%d", width, height, depth);
  return true;
}

GDIDriver::~GDIDriver() {
  if (memoryDc_) {
    if (previousBitmap_) wce::SelectObject(memoryDc_, previousBitmap_);
    wce::DeleteDC(memoryDc_);
  }
  if (section_) wce::DeleteObject(section_);
  if (orientationBefore_ >= 0 && readSystemOrientation() != orientationBefore_) {
    setSystemOrientation(orientationBefore_);
  }
}

bool GDIDriver::Initialize(wce::HWND window, const DisplayParams& params, const ModeRecord& detected) {
  if (!wce::IsWindow(window) || memoryDc_) return false;
  window_ = window;
  mode_ = detected;
  orientationBefore_ = readSystemOrientation();
  setSystemOrientation(params.orientation >= 0 && params.orientation < kAnyOrientation ? params.orientation : 0);
  mode_.orientation = static_cast<std::uint32_t>(readSystemOrientation());

  wce::HDC screen = wce::GetDC(nullptr);
  if (!screen) return false;
  const int width = wce::GetDeviceCaps(screen, wce::HORZRES);
  const int height = wce::GetDeviceCaps(screen, wce::VERTRES);
  memoryDc_ = wce::CreateCompatibleDC(screen);
  wce::ReleaseDC(nullptr, screen);
  if (!memoryDc_) return false;

  wce::BitmapInfo info = wce::BitmapInfo::topDownRgb565(width, height);
  void* bits = nullptr;
  section_ = wce::CreateDIBSection(memoryDc_, &info, wce::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section_ || !bits) return false;
  previousBitmap_ = wce::SelectObject(memoryDc_, section_);
  if (!previousBitmap_) return false;

  mode_.width = static_cast<std::uint32_t>(width);
  mode_.height = static_cast<std::uint32_t>(height);
  mode_.bitsPerPixel = 16;
  mode_.pitch = shadowPitch(mode_.width);
  mode_.bufferKind = kBufferDrawable;
  mode_.frameBuffer = reinterpret_cast<std::uintptr_t>(bits);
  takeFrameBufferFromMode();
  SetDirtyRect(Rect{0, 0, width, height});
  return true;
}

FrameBufferInfo* GDIDriver::Lock() { return &frame_; }

void GDIDriver::Unlock(std::uint32_t) {
  if (!wce::IsWindow(window_)) return;
  wce::HDC dc = wce::GetDC(window_);
  if (!dc) return;
  wce::BitBlt(dc, dirtyX_, dirtyY_, dirtyWidth_, dirtyHeight_, memoryDc_, dirtyX_, dirtyY_, wce::SRCCOPY);
  wce::ReleaseDC(window_, dc);
}

void GDIDriver::SetDirtyRect(const Rect& rect) {
  dirtyX_ = rect.left;
  dirtyY_ = rect.top;
  dirtyWidth_ = rect.right - rect.left;
  dirtyHeight_ = rect.bottom - rect.top;
}

}  // namespace tdlx
