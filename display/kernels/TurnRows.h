#pragma once

#include "display/kernels/TileKernels.h"

namespace tdlx {

// The rows a quarter turn of one tile reads and writes, for the vector
// kernels: sourceRow(m) names the source row whose pixels become pixel m of
// each destination row, destinationRow(c) the row that receives source column c.

// Quarter turn: destination row j is source column j read upwards.
inline constexpr auto kUpwards = [](int m) { return kTileSize - 1 - m; };
inline constexpr auto kSameRow = [](int c) { return c; };
// Reverse quarter turn: destination row j is source column 15 - j read downwards.
inline constexpr auto kDownwards = [](int m) { return m; };
inline constexpr auto kMirroredRow = [](int c) { return kTileSize - 1 - c; };

}  // namespace tdlx
