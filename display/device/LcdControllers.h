#pragma once
// The LCD controllers of the StrongARM and XScale processors, read through
// physical memory: whether one drives the screen at 16 bits per pixel, and at
// what size.

#include <cstdint>

#include "display/drivers/ModeRecord.h"

namespace tdlx {

inline constexpr std::uint64_t kXScaleLcdAddress = 0x44000000;
inline constexpr std::uint32_t kXScaleLcdBytes = 544;
inline constexpr std::uint64_t kStrongArmLcdAddress = 0xB0100000;
inline constexpr std::uint32_t kStrongArmLcdBytes = 44;
// Word indices of the registers the drivers read.
inline constexpr std::size_t kStrongArmDmaBase = 4;
inline constexpr std::size_t kStrongArmDmaCurrent = 5;
inline constexpr std::size_t kXScalePosition = 0x208 / 4;
// The 16-entry palette in front of a 16-bit StrongARM frame.
inline constexpr std::uint32_t kStrongArmPaletteBytes = 32;

// Found: the mode's size, depth and pitch are the controller's. The frame
// address stays the one the earlier detections found.
bool readXScaleLcd(ModeRecord& mode);
bool readStrongArmLcd(ModeRecord& mode);

}  // namespace tdlx
