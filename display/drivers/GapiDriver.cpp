#include "display/drivers/GapiDriver.h"

#include "display/device/DeviceModel.h"
#include "display/device/Log.h"
#include "display/drivers/FrameBufferOrigin.h"
#include "display/drivers/ScreenArea.h"
#include "platform/window/Windows.h"

namespace tdlx {
namespace {

// On the Compale P6C and the Typhoon, GXBeginDraw's buffer is not what the
// panel shows: drawing goes straight to the frame buffer found at detection.
bool usesFixedAddress() {
  const int model = getDeviceModel();
  return model == kModelCompaleP6C || model == kModelTyphoon;
}

std::uint32_t bufferKind(const GxLibrary& gx) {
  const bool dram = gx.isDramBuffer();
  logLine(dram ? "GAPI: Display is DRAM buffer" : "GAPI: Display is not DRAM buffer");
  return dram && !usesFixedAddress() ? kBufferDrawable : kBufferNotDrawable;
}

}  // namespace

bool GapiDriver::libraryPresent() { return LoadedLibrary(u"gx.dll").loaded(); }

bool GapiDriver::detect(wce::HWND window, ModeRecord& mode) {
  logLine("GAPI: Detect()");
  logLine("GAPI: Loading GX.DLL");
  GxLibrary gx;
  if (!gx.usable()) {
    logLine("GAPI: GX.DLL not found");
    return false;
  }
  logLine("GAPI: Calling GXOpenDisplay( %08zX, GX_FULLSCREEN )", reinterpret_cast<std::size_t>(window));
  if (!gx.openDisplay(window, wce::GX_FULLSCREEN)) {
    logLine("GAPI: GXOpenDisplay() failed");
    return false;
  }
  const wce::GXDisplayProperties properties = gx.getDisplayProperties();
  const auto width = static_cast<std::int32_t>(properties.cxWidth);
  const auto height = static_cast<std::int32_t>(properties.cyHeight);
  const FrameBufferOrigin origin =
      frameBufferOrigin(width, height, properties.cbxPitch, properties.cbyPitch, properties.cBPP);
  logLine("GAPI: Native orientation is %d (%d x %d)", origin.orientation, origin.width, origin.height);
  ModeRecord found = mode;
  found.width = static_cast<std::uint32_t>(origin.width);
  found.height = static_cast<std::uint32_t>(origin.height);
  found.bitsPerPixel = static_cast<std::uint32_t>(properties.cBPP);
  found.pitch = static_cast<std::uint32_t>(origin.pitch);
  found.orientation = origin.orientation;
  found.bufferKind = bufferKind(gx);
  if (found.frameBuffer == 0) {
    logLine("GAPI: Offset is %td", origin.offset);
    auto* address = static_cast<std::uint8_t*>(gx.beginDraw());
    logLine("GAPI: framebuffer at %08zx", reinterpret_cast<std::size_t>(address));
    gx.endDraw();
    if (address) found.frameBuffer = reinterpret_cast<std::uintptr_t>(address + origin.offset);
    logLine("GAPI: Final framebuffer address = %08zx", static_cast<std::size_t>(found.frameBuffer));
  }
  gx.closeDisplay();
  if (long{width} * height != screenDcArea()) return false;
  mode = found;
  logLine("GAPI: Found W:%d, H:%d, P:%d, O:%d, FB:%08zX",
          mode.width,
          mode.height,
          mode.pitch,
          mode.orientation,
          static_cast<std::size_t>(mode.frameBuffer));
  return true;
}

GapiDriver::~GapiDriver() {
  if (drawing_) gx_->endDraw();
  if (open_) gx_->closeDisplay();
}

bool GapiDriver::Initialize(wce::HWND window, const DisplayParams&, const ModeRecord& detected) {
  if (!wce::IsWindow(window) || detected.frameBuffer == 0 || gx_) return false;
  gx_ = std::make_unique<GxLibrary>();
  if (!gx_->usable() || !gx_->openDisplay(window, wce::GX_FULLSCREEN)) return false;
  open_ = true;
  const wce::GXDisplayProperties properties = gx_->getDisplayProperties();
  offset_ = frameBufferOrigin(static_cast<std::int32_t>(properties.cxWidth),
                              static_cast<std::int32_t>(properties.cyHeight),
                              properties.cbxPitch,
                              properties.cbyPitch,
                              properties.cBPP)
                .offset;
  mode_ = detected;
  mode_.bufferKind = bufferKind(*gx_);
  fixedAddress_ = usesFixedAddress();
  takeFrameBufferFromMode();
  return true;
}

FrameBufferInfo* GapiDriver::Lock() {
  if (fixedAddress_) return &frame_;
  auto* address = static_cast<std::uint8_t*>(gx_->beginDraw());
  if (!address) return nullptr;
  drawing_ = true;
  frame_.pixels = reinterpret_cast<std::uint16_t*>(address + offset_);
  return &frame_;
}

void GapiDriver::Unlock(std::uint32_t) {
  if (!drawing_) return;
  drawing_ = false;
  gx_->endDraw();
}

void GapiDriver::SetDirtyRect(const Rect& rect) {
  if (mode_.bufferKind == kBufferNotDrawable) return;
  const auto width = static_cast<std::int32_t>(mode_.width);
  const auto height = static_cast<std::int32_t>(mode_.height);
  std::int32_t first = rect.top;
  std::int32_t count = rect.bottom - rect.top;
  switch (mode_.orientation) {
    case 1:
      first = width - rect.right;
      count = rect.right - rect.left;
      break;
    case 2: first = height - rect.bottom; break;
    case 3:
      first = rect.left;
      count = rect.right - rect.left;
      break;
    default: break;
  }
  gx_->setViewport(static_cast<wce::DWORD>(first), static_cast<wce::DWORD>(count), 0, 0);
}

void GapiDriver::resume() {
  if (gx_) gx_->resume();
}

void GapiDriver::suspend() {
  if (gx_) gx_->suspend();
}

}  // namespace tdlx
