#include "display/drivers/LcdDriver.h"

#include <cstring>

#include "display/device/Log.h"
#include "display/drivers/HardwareWait.h"
#include "platform/window/Windows.h"

namespace tdlx {
namespace {

constexpr std::uint64_t kAliasBit = 0x20000000;

}  // namespace

bool LcdDriver::Initialize(wce::HWND window, const DisplayParams&, const ModeRecord& detected) {
  if (!wce::IsWindow(window)) return false;
  mode_ = detected;
  mode_.bufferKind = kBufferNotDrawable;
  if (const std::optional<FixedFrame> fixed = fixedFrame()) {
    mode_.orientation = fixed->orientation;
    if (!mapFixedFrame(fixed->address)) return false;
  } else if (mode_.frameBuffer == 0) {
    return false;
  }
  registers_ = PhysicalMapping(registersAddress_, registerBytes_, false);
  if (!registers_) {
    logLine("%s: unable to map the LCD controller", name_);
    return false;
  }
  frame_.width = static_cast<std::int32_t>(mode_.width);
  frame_.height = static_cast<std::int32_t>(mode_.height);
  frame_.pitch = static_cast<std::int32_t>(mode_.pitch);
  frame_.pixels =
      frameView_ ? static_cast<std::uint16_t*>(frameView_.view()) : reinterpret_cast<std::uint16_t*>(mode_.frameBuffer);
  frame_.owns = false;
  return true;
}

bool LcdDriver::mapFixedFrame(std::uint64_t address) {
  const std::uint32_t bytes = mode_.height * mode_.pitch;
  if (address & kAliasBit) {
    logLine("%s: detecting framebuffer", name_);
    const PhysicalMapping given(address, bytes, false);
    const PhysicalMapping cleared(address & ~kAliasBit, bytes, false);
    if (given && cleared && std::memcmp(given.view(), cleared.view(), bytes) == 0) {
      logLine("%s: found framebuffer", name_);
      address &= ~kAliasBit;
    }
  }
  frameView_ = PhysicalMapping(address, bytes, false);
  if (!frameView_) {
    logLine("%s: unable to map the framebuffer at %08llX", name_, static_cast<unsigned long long>(address));
    return false;
  }
  mode_.frameBuffer = static_cast<std::uintptr_t>(address);
  return true;
}

void LcdDriver::WaitBeforeCopy() {
  if (!waitForHardware([this] { return scanInWindow(registers_); })) {
    logLine("%s: LCD never reached the copy window, copying anyway", name_);
  }
}

}  // namespace tdlx
