#include "display/drivers/XScaleDriver.h"

#include "display/device/LcdControllers.h"
#include "display/device/Log.h"

namespace tdlx {
namespace {

constexpr std::uint32_t kPositionMask = 0x1FFFFF;
constexpr std::uint32_t kBlanking = 1u << 26;

}  // namespace

bool XScaleDriver::detect(ModeRecord& mode) {
  try {
    return readXScaleLcd(mode);
  } catch (...) {
    logLine("XScale: *** CAUGHT EXCEPTION ***");
    return false;
  }
}

XScaleDriver::XScaleDriver() : LcdDriver("XScale", kXScaleLcdAddress, kXScaleLcdBytes) {}

bool XScaleDriver::scanInWindow(const PhysicalMapping& registers) const {
  const std::uint32_t position = registers.word(kXScalePosition);
  if (position & kBlanking) return false;
  const std::uint32_t offset = position & kPositionMask;
  return offset >= 20 * mode_.pitch && offset <= 34 * mode_.pitch;
}

}  // namespace tdlx
