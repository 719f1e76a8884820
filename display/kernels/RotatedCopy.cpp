#include "display/kernels/RotatedCopy.h"

#include <algorithm>

namespace tdlx {
namespace {

struct SourcePixel {
    std::int32_t column;
    std::int32_t row;
};

SourcePixel sourceOf(int rotation, const FrameBufferInfo& src, std::int32_t x, std::int32_t y) {
    switch (rotation) {
    case 1:
        return {y, src.height - 1 - x};
    case 2:
        return {src.width - 1 - x, src.height - 1 - y};
    default:
        return {src.width - 1 - y, x};
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

}  // namespace

void RotatedCopy::copy(int rotation, const FrameBufferInfo& dst, const FrameBufferInfo& src,
                       const Rect& rect, TileOrder order) const {
    if (rotation < 1 || rotation > 3) {
        return;
    }
    const bool quarter = rotation != 2;
    const std::int32_t turnedWidth = quarter ? src.height : src.width;
    const std::int32_t turnedHeight = quarter ? src.width : src.height;
    const Rect area =
        rect.clippedTo(std::min(dst.width, turnedWidth), std::min(dst.height, turnedHeight));
    if (area.isEmpty()) {
        return;
    }
    const auto tileAt = [&](std::int32_t x, std::int32_t y) {
        copyTile(rotation, dst, src,
                 Rect{x, y, std::min(x + kTileSize, area.right), std::min(y + kTileSize, area.bottom)});
    };
    if (quarter && order == TileOrder::ColumnsOuter) {
        for (std::int32_t x = area.left; x < area.right; x += kTileSize) {
            for (std::int32_t y = area.top; y < area.bottom; y += kTileSize) {
                tileAt(x, y);
            }
        }
        return;
    }
    for (std::int32_t y = area.top; y < area.bottom; y += kTileSize) {
        for (std::int32_t x = area.left; x < area.right; x += kTileSize) {
            tileAt(x, y);
        }
    }
}

void RotatedCopy::copyTile(int rotation, const FrameBufferInfo& dst, const FrameBufferInfo& src,
                           const Rect& tile) const {
    if (tile.right - tile.left != kTileSize || tile.bottom - tile.top != kTileSize) {
        copyPixels(rotation, dst, src, tile);
        return;
    }
    // The tile's top-left pixel comes from a corner of the source tile; step from
    // that corner to the source tile's top-left.
    const SourcePixel corner = sourceOf(rotation, src, tile.left, tile.top);
    std::int32_t column = corner.column;
    std::int32_t row = corner.row;
    TileKernel kernel = kernels_.reverseQuarterTurn;
    switch (rotation) {
    case 1:
        row -= kTileSize - 1;
        kernel = kernels_.quarterTurn;
        break;
    case 2:
        column -= kTileSize - 1;
        row -= kTileSize - 1;
        kernel = kernels_.halfTurn;
        break;
    default:
        column -= kTileSize - 1;
        break;
    }
    kernel(rowOf(dst, tile.top) + tile.left, dst.pitch, rowOf(src, row) + column, src.pitch);
}

}  // namespace tdlx
