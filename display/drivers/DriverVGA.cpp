#include "display/drivers/DriverVGA.h"

#include "display/device/DeviceModel.h"
#include "display/device/DisplayEscapeQueries.h"
#include "display/device/Log.h"
#include "display/drivers/FrameBufferOrigin.h"
#include "display/drivers/ScreenArea.h"
#include "platform/window/Windows.h"

namespace tdlx {
namespace {

constexpr std::uint32_t kRotate90Clockwise = 3;

}  // namespace

bool DriverVGA::detect(ModeRecord& mode) {
  wce::RawFrameBufferInfo raw;
  if (!queryRawFrameBuffer(raw)) {
    logLine("DriverVGA: GETRAWFRAMEBUFFER failed");
    return false;
  }
  logLine("DriverVGA: Raw info: W:%d, H:%d, X:%d, Y:%d, FB:%p",
          raw.width,
          raw.height,
          raw.xStride,
          raw.yStride,
          raw.framePointer);
  const int model = getDeviceModel();
  // The i760's driver reports a raw frame buffer of another size than its
  // 240 x 320 panel, which would fail the area check below.
  if (model == kModelSamsungI760) {
    raw.width = 240;
    raw.height = 320;
    logLine("DriverVGA: Fix for Samsung i760: W:%d, H:%d, X:%d, Y:%d, FB:%p",
            raw.width,
            raw.height,
            raw.xStride,
            raw.yStride,
            raw.framePointer);
  }
  if (long{raw.width} * raw.height != screenDcArea()) return false;
  const FrameBufferOrigin origin = frameBufferOrigin(raw.width, raw.height, raw.xStride, raw.yStride, raw.bitsPerPixel);
  logLine("DriverVGA: Native orientation is %d", origin.orientation);
  mode.width = static_cast<std::uint32_t>(origin.width);
  mode.height = static_cast<std::uint32_t>(origin.height);
  mode.bitsPerPixel = raw.bitsPerPixel;
  mode.pitch = static_cast<std::uint32_t>(origin.pitch);
  mode.orientation = origin.orientation;
  mode.bufferKind = kBufferNotDrawable;
  logLine("DriverVGA: Found W:%d, H:%d, D:%d", mode.width, mode.height, mode.bitsPerPixel);
  logLine("DriverVGA: Offset is %td", origin.offset);
  mode.frameBuffer = reinterpret_cast<std::uintptr_t>(static_cast<std::uint8_t*>(raw.framePointer) + origin.offset);
  logLine("DriverVGA: Final framebuffer address = %08zx", static_cast<std::size_t>(mode.frameBuffer));
  // The Motorola Q's panel is mounted turned, but its driver reports the
  // frame buffer as upright.
  if (model == kModelMotoQ || model == kModelMotoQ9c) {
    mode.orientation = kRotate90Clockwise;
    logLine("DriverVGA: Motorola Q detected, overriding orientation to ORIENTATION_ROTATE90CW");
  }
  return true;
}

bool DriverVGA::Initialize(wce::HWND window, const DisplayParams&, const ModeRecord& detected) {
  if (!wce::IsWindow(window) || detected.frameBuffer == 0) return false;
  mode_ = detected;
  mode_.bufferKind = kBufferNotDrawable;
  takeFrameBufferFromMode();
  return true;
}

FrameBufferInfo* DriverVGA::Lock() { return &frame_; }

}  // namespace tdlx
