#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "display/kernels/ProcessorKind.h"

namespace tdlx {

inline constexpr std::int32_t kTileSize = 16;

// Turns one 16 x 16 tile: dst and src point at the tiles' top-left pixels, the
// pitches are in bytes. With (i, j) = (column, row) inside the tile:
//   quarter turn          dst (i, j) = src (j, 15 - i)
//   reverse quarter turn  dst (i, j) = src (15 - j, i)
using TileKernel = void (*)(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                            std::ptrdiff_t srcPitch);

struct TileKernelTable {
  TileKernel quarterTurn;
  TileKernel reverseQuarterTurn;
};

// The general kernels turn the tile as 8 x 8 blocks transposed in vector
// registers (two at once where the processor has 256-bit registers, their
// lanes filled by masked loads where it has AVX-512). The XScale kernels walk
// the source row by row and write the turned tile out row by row (whole rows
// through 256-bit registers where the processor has them).
enum class TileKernelFamily { General, XScale };

struct TileKernelSet {
  const char* name;
  TileKernelFamily family;
  bool available;  // this processor runs it
  TileKernelTable kernels;
};

// Every set this build has, each family's portable set first and its widest last.
std::span<const TileKernelSet> tileKernelSets();

// The widest set of each family that this processor runs, chosen once.
const TileKernelTable& generalTileKernels();
const TileKernelTable& xscaleTileKernels();

// The XScale kernels on XScale processors, the general ones elsewhere; both give
// the same pixels.
const TileKernelTable& tileKernelsFor(ProcessorKind kind);

}  // namespace tdlx
