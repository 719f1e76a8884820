#include "display/kernels/TileKernels.h"

#include <array>
#include <cstring>

#include "display/kernels/WideTurns.h"
#include "display/kernels/WidestTurns.h"

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

// Eight pixels in one vector register.
using Pixels8 = std::uint16_t __attribute__((vector_size(16)));

[[gnu::always_inline]] inline Pixels8 load8(const std::uint16_t* from) {
  Pixels8 pixels;
  std::memcpy(&pixels, from, sizeof pixels);
  return pixels;
}

[[gnu::always_inline]] inline void store8(std::uint16_t* to, Pixels8 pixels) {
  std::memcpy(to, &pixels, sizeof pixels);
}

// columns[k] = (rows[0][k], rows[1][k], ..., rows[7][k]).
[[gnu::always_inline]] inline void transpose8(const Pixels8 (&rows)[8], Pixels8 (&columns)[8]) {
  Pixels8 pairs[8];
  for (int r = 0; r < 8; r += 2) {
    pairs[r] = __builtin_shufflevector(rows[r], rows[r + 1], 0, 8, 1, 9, 2, 10, 3, 11);
    pairs[r + 1] = __builtin_shufflevector(rows[r], rows[r + 1], 4, 12, 5, 13, 6, 14, 7, 15);
  }
  Pixels8 quads[8];
  for (int r = 0; r < 8; r += 4) {
    for (int h = 0; h < 2; ++h) {
      quads[r + 2 * h] = __builtin_shufflevector(pairs[r + h], pairs[r + 2 + h], 0, 1, 8, 9, 2, 3, 10, 11);
      quads[r + 2 * h + 1] = __builtin_shufflevector(pairs[r + h], pairs[r + 2 + h], 4, 5, 12, 13, 6, 7, 14, 15);
    }
  }
  for (int k = 0; k < 4; ++k) {
    columns[2 * k] = __builtin_shufflevector(quads[k], quads[k + 4], 0, 1, 2, 3, 8, 9, 10, 11);
    columns[2 * k + 1] = __builtin_shufflevector(quads[k], quads[k + 4], 4, 5, 6, 7, 12, 13, 14, 15);
  }
}

std::uint16_t* destRow(std::uint16_t* dst, std::ptrdiff_t pitch, int row) {
  return reinterpret_cast<std::uint16_t*>(reinterpret_cast<std::byte*>(dst) + pitch * row);
}

// Destination row j is source column j read upwards.
void generalQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                        std::ptrdiff_t srcPitch) {
  for (int block = 0; block < N; block += 8) {       // destination pixels block .. block + 7
    for (int column = 0; column < N; column += 8) {  // source columns
      Pixels8 rows[8];
      for (int m = 0; m < 8; ++m) rows[m] = load8(sourceRow(src, srcPitch, N - 1 - block - m) + column);
      Pixels8 columns[8];
      transpose8(rows, columns);
      for (int k = 0; k < 8; ++k) store8(destRow(dst, dstPitch, column + k) + block, columns[k]);
    }
  }
}

// Destination row j is source column 15 - j read downwards.
void generalReverseQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src,
                               std::ptrdiff_t srcPitch) {
  for (int block = 0; block < N; block += 8) {       // source rows, destination pixels
    for (int column = 0; column < N; column += 8) {  // source columns
      Pixels8 rows[8];
      for (int m = 0; m < 8; ++m) rows[m] = load8(sourceRow(src, srcPitch, block + m) + column);
      Pixels8 columns[8];
      transpose8(rows, columns);
      for (int k = 0; k < 8; ++k) store8(destRow(dst, dstPitch, N - 1 - column - k) + block, columns[k]);
    }
  }
}

void xscaleQuarterTurn(std::uint16_t* dst, std::ptrdiff_t dstPitch, const std::uint16_t* src, std::ptrdiff_t srcPitch) {
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

const TileKernelTable& widestAvailable(TileKernelFamily family) {
  const TileKernelTable* widest = nullptr;
  for (const TileKernelSet& set : tileKernelSets()) {
    if (set.family == family && set.available) widest = &set.kernels;
  }
  return *widest;
}

}  // namespace

std::span<const TileKernelSet> tileKernelSets() {
  using enum TileKernelFamily;
  static const TileKernelSet sets[] = {
      {"general_portable", General, true, {generalQuarterTurn, generalReverseQuarterTurn}},
      {"general_avx2", General, wideTurnsAvailable(), {wideQuarterTurn, wideReverseQuarterTurn}},
      {"general_avx512", General, widestTurnsAvailable(), {widestQuarterTurn, widestReverseQuarterTurn}},
      {"xscale_portable", XScale, true, {xscaleQuarterTurn, xscaleReverseQuarterTurn}},
      {"xscale_avx2", XScale, wideTurnsAvailable(), {wideRowQuarterTurn, wideRowReverseQuarterTurn}},
  };
  return sets;
}

const TileKernelTable& generalTileKernels() {
  static const TileKernelTable& kernels = widestAvailable(TileKernelFamily::General);
  return kernels;
}

const TileKernelTable& xscaleTileKernels() {
  static const TileKernelTable& kernels = widestAvailable(TileKernelFamily::XScale);
  return kernels;
}

const TileKernelTable& tileKernelsFor(ProcessorKind kind) {
  return kind == ProcessorKind::XScale ? xscaleTileKernels() : generalTileKernels();
}

}  // namespace tdlx
