#include "display/drivers/MediaQ.h"

#include "display/device/DeviceTimer.h"
#include "display/device/Log.h"
#include "display/drivers/HardwareWait.h"
#include "platform/window/Windows.h"

namespace tdlx {
namespace {

constexpr std::uintptr_t kWindowOffsetMask = 0x7FFFF;
constexpr std::uintptr_t kLowestFrameOffset = 0x42000;
constexpr std::uint32_t kLargestFrameBytes = 0x40000;

}  // namespace

bool MediaQ::detect(ModeRecord& mode) {
  if ((mode.frameBuffer & kWindowOffsetMask) < kLowestFrameOffset) {
    logLine("MediaQ: not a MediaQ [1]");
    return false;
  }
  const std::uint64_t bytes = std::uint64_t{mode.height} * mode.pitch;
  if (bytes > kLargestFrameBytes) {
    logLine("MediaQ: not a MediaQ [2]");
    return false;
  }
  // The clear is timed from a tick of the timer on.
  const std::uint32_t before = getMilliseconds();
  std::uint32_t start = before;
  waitForHardware([&] {
    start = getMilliseconds();
    return start != before;
  });
  auto* frame = reinterpret_cast<volatile std::uint8_t*>(mode.frameBuffer);
  for (std::uint64_t i = 0; i < bytes; ++i) frame[i] = 0;
  const std::uint32_t elapsed = getMilliseconds() - start;
  if (elapsed < kSlowClearMs) {
    logLine("MediaQ: not a MediaQ [3]");
    return false;
  }
  logLine("MediaQ: benchmarked %u ms", elapsed);
  logLine("MediaQ: detected MQ1100 or above");
  return true;
}

bool MediaQ::Initialize(wce::HWND window, const DisplayParams&, const ModeRecord& detected) {
  if (!wce::IsWindow(window) || detected.frameBuffer == 0) return false;
  mode_ = detected;
  mode_.bufferKind = kBufferNotDrawable;
  takeFrameBufferFromMode();
  return true;
}

}  // namespace tdlx
