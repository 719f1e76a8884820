#include "display/device/LcdControllers.h"

#include "display/device/Log.h"
#include "display/device/PhysicalMemory.h"

namespace tdlx {
namespace {

std::uint32_t roundUp(std::uint32_t value, std::uint32_t step) { return (value + step - 1) / step * step; }

}  // namespace

bool readXScaleLcd(ModeRecord& mode) {
  PhysicalMapping registers(kXScaleLcdAddress, kXScaleLcdBytes, false);
  constexpr std::uint32_t kBitsByCode[] = {1, 2, 4, 8, 16};
  if (registers && (registers.word(0) & 1)) {
    const std::uint32_t code = (registers.word(3) >> 24) & 7;
    const std::uint32_t bits = code < 5 ? kBitsByCode[code] : 0;
    if (bits == 16) {
      mode.width = (registers.word(1) & 0x3FF) + 1;
      mode.height = (registers.word(2) & 0x3FF) + 1;
      mode.bitsPerPixel = 16;
      mode.pitch = roundUp(mode.width, 8) * 2;
      mode.bufferKind = kBufferNotDrawable;
      logLine("XScale: found LCD");
      return true;
    }
  }
  logLine("XScale: no LCD detected");
  return false;
}

bool readStrongArmLcd(ModeRecord& mode) {
  PhysicalMapping registers(kStrongArmLcdAddress, kStrongArmLcdBytes, false);
  if (registers && (registers.word(0) & 1)) {
    const std::uint32_t base = registers.word(kStrongArmDmaBase);
    PhysicalMapping palette(base, 2, false);
    constexpr std::uint32_t kBitsByCode[] = {4, 8, 16, 0};
    const std::uint32_t bits =
        palette ? kBitsByCode[(*static_cast<const volatile std::uint16_t*>(palette.view()) >> 12) & 3] : 0;
    if (bits == 16 && (registers.word(0) & 0x80)) {
      mode.width = (registers.word(8) & 0x3FF) + 16;
      mode.height = (registers.word(9) & 0x3FF) + 1;
      mode.bitsPerPixel = 16;
      mode.pitch = roundUp(mode.width, 16) * 2;
      mode.bufferKind = kBufferNotDrawable;
      logLine("StrongARM: found LCD");
      return true;
    }
  }
  logLine("StrongARM: no LCD detected");
  return false;
}

}  // namespace tdlx
