#include "display/kernels/RotatedCopy.h"

#include <algorithm>

namespace tdlx {
namespace {

struct SourcePixel {
  std::int32_t column;
  std::int32_t row;
};

// For quarter turns.
SourcePixel sourceOf(int rotation, const FrameBufferInfo& src, std::int32_t x, std::int32_t y) {
  switch (rotation) {
    case 1: return {y, src.height - 1 - x};
    default: return {src.width - 1 - y, x};
  }
}

void copyPixels(int rotation, const FrameBufferInfo& dst, const FrameBufferInfo& src, const Rect& area) {
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    std::uint16_t* out = rowOf(dst, y);
    for (std::int32_t x = area.left; x < area.right; ++x) {
      const SourcePixel from = sourceOf(rotation, src, x, y);
      out[x] = rowOf(src, from.row)[from.column];
    }
  }
}

// dst (X, Y) = src (W - 1 - X, H - 1 - Y), a row at a time.
void copyHalfTurn(ReversedCopy copyRow, const FrameBufferInfo& dst, const FrameBufferInfo& src, const Rect& area) {
  const std::int32_t width = area.right - area.left;
  // Full rows packed without padding in both buffers turn as one reversed run.
  if (width == src.width && width == dst.width && src.pitch == width * 2 && dst.pitch == src.pitch) {
    copyRow(rowOf(dst, area.top),
            rowOf(src, src.height - 1 - area.top) + (src.width - 1),
            width * (area.bottom - area.top));
    return;
  }
  for (std::int32_t y = area.top; y < area.bottom; ++y) {
    copyRow(rowOf(dst, y) + area.left,
            rowOf(src, src.height - 1 - y) + (src.width - 1 - area.left),
            area.right - area.left);
  }
}

}  // namespace

void RotatedCopy::copy(int rotation, const FrameBufferInfo& dst, const FrameBufferInfo& src, const Rect& rect,
                       TileOrder order) const {
  if (rotation < 1 || rotation > 3) {
    return;
  }
  const bool quarter = rotation != 2;
  const std::int32_t turnedWidth = quarter ? src.height : src.width;
  const std::int32_t turnedHeight = quarter ? src.width : src.height;
  const Rect area = rect.clippedTo(std::min(dst.width, turnedWidth), std::min(dst.height, turnedHeight));
  if (area.isEmpty()) {
    return;
  }
  if (!quarter) {
    copyHalfTurn(copyReversed_, dst, src, area);
    return;
  }
  // Whole tiles go through the kernel, their corners found by stepping: a
  // tile to the right or below in the frame buffer is a tile up, down, left or
  // right in the back buffer. Partial edge tiles go pixel by pixel.
  const TileKernel kernel = rotation == 1 ? kernels_.quarterTurn : kernels_.reverseQuarterTurn;
  const std::ptrdiff_t tileRows = std::ptrdiff_t{kTileSize} * src.pitch;
  const std::ptrdiff_t tileColumns = std::ptrdiff_t{kTileSize} * 2;
  // Byte offsets of the first tile's corners, and the steps for one tile right
  // and one tile down in the frame buffer.
  const SourcePixel corner = sourceOf(rotation, src, area.left, area.top);
  const std::ptrdiff_t firstSource =
      rotation == 1 ? std::ptrdiff_t{corner.row - (kTileSize - 1)} * src.pitch + std::ptrdiff_t{corner.column} * 2
                    : std::ptrdiff_t{corner.row} * src.pitch + std::ptrdiff_t{corner.column - (kTileSize - 1)} * 2;
  const std::ptrdiff_t sourceRight = rotation == 1 ? -tileRows : tileRows;
  const std::ptrdiff_t sourceDown = rotation == 1 ? tileColumns : -tileColumns;
  const std::ptrdiff_t firstDestination = std::ptrdiff_t{area.top} * dst.pitch + std::ptrdiff_t{area.left} * 2;
  const std::ptrdiff_t destinationDown = std::ptrdiff_t{kTileSize} * dst.pitch;
  auto* const destinationBytes = reinterpret_cast<std::byte*>(dst.pixels);
  const auto* const sourceBytes = reinterpret_cast<const std::byte*>(src.pixels);
  const auto tileAt = [&](std::int32_t column, std::int32_t row) {
    const std::int32_t x = area.left + column * kTileSize;
    const std::int32_t y = area.top + row * kTileSize;
    if (x + kTileSize > area.right || y + kTileSize > area.bottom) {
      copyPixels(
          rotation, dst, src, Rect{x, y, std::min(x + kTileSize, area.right), std::min(y + kTileSize, area.bottom)});
      return;
    }
    kernel(reinterpret_cast<std::uint16_t*>(destinationBytes + firstDestination + column * tileColumns +
                                            row * destinationDown),
           dst.pitch,
           reinterpret_cast<const std::uint16_t*>(sourceBytes + firstSource + column * sourceRight + row * sourceDown),
           src.pitch);
  };
  const std::int32_t columns = (area.right - area.left + kTileSize - 1) / kTileSize;
  const std::int32_t rows = (area.bottom - area.top + kTileSize - 1) / kTileSize;
  if (order == TileOrder::ColumnsOuter) {
    for (std::int32_t column = 0; column < columns; ++column) {
      for (std::int32_t row = 0; row < rows; ++row) {
        tileAt(column, row);
      }
    }
    return;
  }
  for (std::int32_t row = 0; row < rows; ++row) {
    for (std::int32_t column = 0; column < columns; ++column) {
      tileAt(column, row);
    }
  }
}

}  // namespace tdlx
