#include "display/kernels/TileKernels.h"

#include <array>
#include <cstring>

namespace tdlx {
namespace {

constexpr int N = kTileSize;

using TileRow = std::array<std::uint16_t, N>;
using Tile = std::array<TileRow, N>;

const std::uint16_t* sourceRow(const std::uint16_t* src, std::ptrdiff_t pitch, int row) {
    return reinterpret_cast<const std::uint16_t*>(reinterpret_cast<const std::byte*>(src) + pitch * row);
}

// Each destination row of a tile leaves as one 32-byte store (eight words, two pixels each).
void storeRow(std::uint16_t* dst, std::ptrdiff_t pitch, int row, const TileRow& pixels) {
    std::memcpy(reinterpret_cast<std::byte*>(dst) + pitch * row, pixels.data(), sizeof pixels);
}

void storeTile(std::uint16_t* dst, std::ptrdiff_t pitch, const Tile& tile) {
    for (int j = 0; j < N; ++j) {
        storeRow(dst, pitch, j, tile[j]);
    }
}

void generalQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                        std::ptrdiff_t srcPitch) {
    for (int j = 0; j < N; ++j) {
        TileRow row;
        for (int i = 0; i < N; ++i) {
            row[i] = sourceRow(src, srcPitch, N - 1 - i)[j];
        }
        storeRow(dst, dstPitch, j, row);
    }
}

void generalReverseQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                               std::ptrdiff_t srcPitch) {
    for (int j = 0; j < N; ++j) {
        TileRow row;
        for (int i = 0; i < N; ++i) {
            row[i] = sourceRow(src, srcPitch, i)[N - 1 - j];
        }
        storeRow(dst, dstPitch, j, row);
    }
}

void generalHalfTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                     std::ptrdiff_t srcPitch) {
    for (int j = 0; j < N; ++j) {
        const std::uint16_t* from = sourceRow(src, srcPitch, N - 1 - j);
        TileRow row;
        for (int i = 0; i < N; ++i) {
            row[i] = from[N - 1 - i];
        }
        storeRow(dst, dstPitch, j, row);
    }
}

void xscaleQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                       std::ptrdiff_t srcPitch) {
    Tile tile;
    for (int s = 0; s < N; ++s) {
        const std::uint16_t* from = sourceRow(src, srcPitch, s);
        for (int c = 0; c < N; ++c) {
            tile[c][N - 1 - s] = from[c];
        }
    }
    storeTile(dst, dstPitch, tile);
}

void xscaleReverseQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                              std::ptrdiff_t srcPitch) {
    Tile tile;
    for (int s = 0; s < N; ++s) {
        const std::uint16_t* from = sourceRow(src, srcPitch, s);
        for (int c = 0; c < N; ++c) {
            tile[N - 1 - c][s] = from[c];
        }
    }
    storeTile(dst, dstPitch, tile);
}

void xscaleHalfTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                    std::ptrdiff_t srcPitch) {
    Tile tile;
    for (int s = 0; s < N; ++s) {
        const std::uint16_t* from = sourceRow(src, srcPitch, s);
        for (int c = 0; c < N; ++c) {
            tile[N - 1 - s][N - 1 - c] = from[c];
        }
    }
    storeTile(dst, dstPitch, tile);
}

constexpr TileKernelTable kGeneral{generalQuarterTurn, generalReverseQuarterTurn, generalHalfTurn};
constexpr TileKernelTable kXScale{xscaleQuarterTurn, xscaleReverseQuarterTurn, xscaleHalfTurn};

}  // namespace

const TileKernelTable& generalTileKernels() { return kGeneral; }

const TileKernelTable& xscaleTileKernels() { return kXScale; }

const TileKernelTable& tileKernelsFor(ProcessorKind kind) {
    return kind == ProcessorKind::XScale ? kXScale : kGeneral;
}

}  // namespace tdlx
