#pragma once

#include <cstddef>
#include <cstdint>

namespace tdlx {

// Turn kernels in 512-bit registers, for processors that have them; each gives
// the same pixels as its counterpart in WideTurns.
bool widestTurnsAvailable();

// 16 x 16 tiles, with the contracts of TileKernel: each register holds two
// whole source rows eight apart, so a tile turns in eight registers.
void widestQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src, std::ptrdiff_t srcPitch);
void widestReverseQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                              std::ptrdiff_t srcPitch);

}  // namespace tdlx
