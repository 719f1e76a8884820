#pragma once

#include <cstddef>
#include <cstdint>

namespace tdlx {

// Turn kernels in 256-bit registers, for processors that have them; each gives
// the same pixels as its narrower counterpart in TileKernels and ReversedCopy.
bool wideTurnsAvailable();

// out[x] = last[-x] for x in 0 .. count - 1; out must not overlap the source row.
void wideCopyReversed(std::uint16_t* out, const std::uint16_t* last, std::int32_t count);

// 16 x 16 tiles, with the contracts of TileKernel: each source row pair is
// transposed in two 128-bit lanes at once, each destination row leaves whole.
void wideQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src, std::ptrdiff_t srcPitch);
void wideReverseQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                            std::ptrdiff_t srcPitch);

// The same tiles read as whole source rows in order, transposed as 8 x 8 blocks
// and joined across lanes before each destination row leaves.
void wideRowQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src, std::ptrdiff_t srcPitch);
void wideRowReverseQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                               std::ptrdiff_t srcPitch);

}  // namespace tdlx
