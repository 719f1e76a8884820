#pragma once

#include "display/kernels/FrameBufferInfo.h"
#include "display/kernels/Rect.h"
#include "display/kernels/ReversedCopy.h"
#include "display/kernels/TileKernels.h"

namespace tdlx {

// The order in which the 16 x 16 tiles of a quarter-turn copy are visited.
enum class TileOrder { ColumnsOuter, RowsOuter };

// Copies a back buffer of W x H pixels into a frame buffer turned by 1, 2 or 3
// quarter turns; with (X, Y) = (column, row) in the frame buffer:
//   1: dst (X, Y) = src (Y, H - 1 - X)
//   2: dst (X, Y) = src (W - 1 - X, H - 1 - Y)
//   3: dst (X, Y) = src (W - 1 - Y, X)
// rect is in frame-buffer coordinates. It is clipped to the frame buffer and to the
// turned back buffer. Quarter turns go by 16 x 16 tiles: whole tiles through the
// kernels, partial edge tiles pixel by pixel; the half turn copies rows reversed
// through copyReversed.
class RotatedCopy {
public:
  explicit RotatedCopy(const TileKernelTable& kernels, ReversedCopy copyReversed = reversedCopyKernel())
      : kernels_(kernels), copyReversed_(copyReversed) {}

  // Other rotations copy nothing. The order matters to quarter turns only.
  void copy(int rotation, const FrameBufferInfo& dst, const FrameBufferInfo& src, const Rect& rect,
            TileOrder order = TileOrder::ColumnsOuter) const;

private:
  const TileKernelTable& kernels_;
  ReversedCopy copyReversed_;
};

}  // namespace tdlx
