#include "display/drivers/StrongArmDriver.h"

#include "display/device/DeviceModel.h"
#include "display/device/LcdControllers.h"
#include "display/device/Log.h"

namespace tdlx {
namespace {

constexpr std::uint32_t kIpaqH3800Frame = 0xAC050020;
constexpr std::uint32_t kIpaqH3800Orientation = 3;

}  // namespace

bool StrongArmDriver::detect(ModeRecord& mode) {
  try {
    return readStrongArmLcd(mode);
  } catch (...) {
    logLine("StrongARM: *** CAUGHT EXCEPTION ***");
    return false;
  }
}

StrongArmDriver::StrongArmDriver() : LcdDriver("StrongARM", kStrongArmLcdAddress, kStrongArmLcdBytes) {}

// The iPAQ H3800's panel scans a frame buffer at a fixed physical address,
// turned a quarter, which its controller's registers do not give away.
std::optional<LcdDriver::FixedFrame> StrongArmDriver::fixedFrame() const {
  if (getDeviceModel() != kModelIpaqH3800) return std::nullopt;
  return FixedFrame{kIpaqH3800Orientation, kIpaqH3800Frame};
}

bool StrongArmDriver::scanInWindow(const PhysicalMapping& registers) const {
  const std::uint32_t base = registers.word(kStrongArmDmaBase) + kStrongArmPaletteBytes;
  const std::uint32_t current = registers.word(kStrongArmDmaCurrent);
  const std::uint32_t height = mode_.height < 34 ? 34 : mode_.height;
  return current >= base + (height - 34) * mode_.pitch && current <= base + (height - 20) * mode_.pitch;
}

}  // namespace tdlx
