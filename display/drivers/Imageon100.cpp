#include "display/drivers/Imageon100.h"

#include "display/device/DeviceModel.h"
#include "display/device/Log.h"
#include "platform/window/Windows.h"

namespace tdlx {

bool Imageon100::detect(ModeRecord&) {
  logLine("Imageon100: Detect()");
  try {
    const int model = getDeviceModel();
    const auto attachedOnce = [] {
      const ImageonLibrary chip;
      if (!chip.loaded() || !chip.canAllocate() || !chip.attach()) return false;
      chip.detach();
      return true;
    };
    // Only the e740 and e750 carry the chip; elsewhere its library may load
    // and attach without a chip behind it.
    if ((model != kModelToshibaE740 && model != kModelToshibaE750) || !attachedOnce()) {
      logLine("Imageon100: Not an Imageon100");
      return false;
    }
    logLine("Imageon100: Detected");
    return true;
  } catch (...) {
    logLine("Imageon100: *** CAUGHT EXCEPTION ***");
    return false;
  }
}

bool Imageon100::Initialize(wce::HWND window, const DisplayParams&, const ModeRecord& detected) {
  logLine("Imageon100: Initialize()");
  if (!wce::IsWindow(window) || detected.width == 0 || detected.height == 0) return false;
  mode_ = detected;
  mode_.bitsPerPixel = 16;
  mode_.pitch = mode_.width * 2;
  mode_.bufferKind = kBufferNotDrawable;
  attached_ = chip_.attach();
  haveSurface_ = attached_ && chip_.allocateSurface(surface_, mode_.width, mode_.height);
  haveOverlay_ = haveSurface_ && chip_.allocOverlay(overlay_);
  if (!haveOverlay_ || !chip_.setupOverlay(overlay_, surface_) || !chip_.setOverlayPos(overlay_, 0, 0) ||
      !chip_.setOverlayOnOff(overlay_, true)) {
    logLine("Imageon100: unable to set up the overlay");
    return false;
  }
  frame_.width = static_cast<std::int32_t>(mode_.width);
  frame_.height = static_cast<std::int32_t>(mode_.height);
  frame_.pitch = static_cast<std::int32_t>(mode_.pitch);
  frame_.owns = false;
  return true;
}

FrameBufferInfo* Imageon100::Lock() {
  bool idle = false;
  for (int i = 0; i < kIdleTries && !idle; ++i) idle = chip_.waitComplete(100);
  if (!idle) {
    logLine("Imageon100: chip still busy, frame skipped");
    return nullptr;
  }
  void* pixels = chip_.setupMemoryTransfer(surface_);
  if (!pixels) return nullptr;
  transferOpen_ = true;
  frame_.pixels = static_cast<std::uint16_t*>(pixels);
  return &frame_;
}

void Imageon100::Unlock(std::uint32_t) { endTransfer(); }

void Imageon100::endTransfer() {
  if (!transferOpen_) return;
  chip_.terminateMemoryTransfer();
  transferOpen_ = false;
  frame_.pixels = nullptr;
}

void Imageon100::resume() {
  if (haveOverlay_) chip_.setOverlayOnOff(overlay_, true);
}

void Imageon100::suspend() {
  endTransfer();
  if (haveOverlay_) chip_.setOverlayOnOff(overlay_, false);
}

Imageon100::~Imageon100() {
  endTransfer();
  if (haveOverlay_) {
    chip_.setOverlayOnOff(overlay_, false);
    chip_.releaseOverlay(overlay_);
  }
  if (haveSurface_) chip_.destroySurface(surface_);
  if (attached_) chip_.detach();
}

}  // namespace tdlx
