#pragma once

#include <cstddef>
#include <cstdint>

namespace tdlx {

// Turn kernels for processors with AVX-512 (F and VL); each gives the same
// pixels as its counterpart in WideTurns.
bool widestTurnsAvailable();

// 16 x 16 tiles, with the contracts of TileKernel: 256-bit registers hold the
// same halves of two source rows eight apart, joined by masked loads instead
// of lane shuffles, and each destination row leaves whole.
void widestQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src, std::ptrdiff_t srcPitch);
void widestReverseQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                              std::ptrdiff_t srcPitch);

}  // namespace tdlx
