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
  adjustMode(mode_);
  mode_.bufferKind = kBufferNotDrawable;
  if (mode_.frameBuffer == 0) return false;
  const std::uint32_t bytes = mode_.height * mode_.pitch;
  const std::uint64_t address = chooseAlias(mode_.frameBuffer);
  frameView_ = PhysicalMapping(address, bytes, false);
  registers_ = PhysicalMapping(registersAddress_, registerBytes_, false);
  if (!frameView_ || !registers_) {
    logLine("%s: unable to map the framebuffer at %08llX", name_, static_cast<unsigned long long>(address));
    return false;
  }
  mode_.frameBuffer = address;
  frame_.width = static_cast<std::int32_t>(mode_.width);
  frame_.height = static_cast<std::int32_t>(mode_.height);
  frame_.pitch = static_cast<std::int32_t>(mode_.pitch);
  frame_.pixels = static_cast<std::uint16_t*>(frameView_.view());
  frame_.owns = false;
  return true;
}

std::uint64_t LcdDriver::chooseAlias(std::uint64_t address) {
  if (!(address & kAliasBit)) return address;
  logLine("%s: detecting framebuffer", name_);
  const std::uint32_t bytes = mode_.height * mode_.pitch;
  const PhysicalMapping given(address, bytes, false);
  const PhysicalMapping cleared(address & ~kAliasBit, bytes, false);
  if (!given || !cleared || std::memcmp(given.view(), cleared.view(), bytes) != 0) return address;
  logLine("%s: found framebuffer", name_);
  return address & ~kAliasBit;
}

void LcdDriver::WaitBeforeCopy() {
  if (!waitForHardware([this] { return scanInWindow(registers_); })) {
    logLine("%s: LCD never reached the copy window, copying anyway", name_);
  }
}

}  // namespace tdlx
