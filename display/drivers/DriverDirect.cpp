#include "display/drivers/DriverDirect.h"

#include <algorithm>

#include "display/device/DisplayEscapeQueries.h"
#include "display/device/Log.h"
#include "display/drivers/HardwareWait.h"
#include "platform/window/Windows.h"

namespace tdlx {

bool DriverDirect::detect(ModeRecord& mode) {
  wce::GxDeviceInfo info;
  if (!queryGxInfo(info) || !info.frameBuffer) {
    logLine("DriverDirect: not supported");
    return false;
  }
  mode.width = info.width;
  mode.height = info.height;
  mode.bitsPerPixel = info.bitsPerPixel;
  mode.pitch = info.stride;
  mode.orientation = (info.format & wce::GX_FORMAT_LANDSCAPE) ? 1 : 0;
  mode.frameBuffer = reinterpret_cast<std::uintptr_t>(info.frameBuffer);
  logLine("DriverDirect: Found W:%d, H:%d, P:%d, O:%d, FB:%08zX",
          mode.width,
          mode.height,
          mode.pitch,
          mode.orientation,
          static_cast<std::size_t>(mode.frameBuffer));
  if (DmaLibrary().usable()) {
    mode.bufferKind = kBufferDrawable;
    logLine("DriverDirect: GXDMA detected");
  } else {
    mode.bufferKind = kBufferNotDrawable;
    logLine("DriverDirect: No GXDMA");
  }
  return true;
}

bool DriverDirect::Initialize(wce::HWND window, const DisplayParams&, const ModeRecord& detected) {
  if (!wce::IsWindow(window) || detected.frameBuffer == 0) return false;
  mode_ = detected;
  takeFrameBufferFromMode();
  if (mode_.bufferKind == kBufferDrawable) {
    dma_ = std::make_unique<DmaLibrary>();
    if (!dma_->usable()) return false;
  }
  dirty_ = Rect{0, 0, frame_.width, frame_.height};
  return true;
}

FrameBufferInfo* DriverDirect::Lock() {
  if (dma_) waitForHardware([this] { return dma_->ready(); });
  return &frame_;
}

void DriverDirect::Unlock(std::uint32_t) {
  if (dma_ && !dirty_.isEmpty()) {
    dma_->copyToVram(
        frame_.pixels, frame_.pitch, dirty_.left, dirty_.top, dirty_.right - dirty_.left, dirty_.bottom - dirty_.top);
  }
}

void DriverDirect::SetDirtyRect(const Rect& rect) {
  Rect area = rect.clippedTo(frame_.width, frame_.height);
  area.left &= ~3;
  const std::int32_t width = (area.right - area.left + 3) & ~3;
  area.right = std::min(area.left + width, frame_.width);
  dirty_ = area;
}

}  // namespace tdlx
