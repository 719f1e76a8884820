#include <benchmark/benchmark.h>
#include <cstring>
#include <string>
#include <vector>

#include "display/kernels/BufferCopy.h"
#include "display/kernels/ChangedBlockCopy.h"
#include "display/kernels/FastCopy.h"
#include "display/kernels/ReversedCopy.h"
#include "display/kernels/RotatedCopy.h"

namespace tdlx {
namespace {

// A 16-bit buffer with the shadow-buffer pitch.
struct Buffer {
  Buffer(std::int32_t width, std::int32_t height)
      : pixels(static_cast<std::size_t>(((width * 2 + 3) & ~3) / 2) * height, 0x1234) {
    info.width = width;
    info.height = height;
    info.pitch = (width * 2 + 3) & ~3;
    info.pixels = pixels.data();
  }
  std::vector<std::uint16_t> pixels;
  FrameBufferInfo info;
};

void BM_FastCopy(benchmark::State& state) {
  const auto size = static_cast<std::size_t>(state.range(0));
  std::vector<unsigned char> src(size + 4, 7), dst(size + 4);
  for (auto _ : state) {
    benchmark::DoNotOptimize(fastCopy(dst.data() + 1, src.data() + 2, size));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_FastCopy)->Arg(33)->Arg(480)->Arg(153600);

void BM_Memcpy(benchmark::State& state) {
  const auto size = static_cast<std::size_t>(state.range(0));
  std::vector<unsigned char> src(size + 4, 7), dst(size + 4);
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::memcpy(dst.data() + 1, src.data() + 2, size));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}
BENCHMARK(BM_Memcpy)->Arg(33)->Arg(480)->Arg(153600);

void BM_CopyRect(benchmark::State& state) {
  Buffer shadow(240, 320), frame(240, 320);
  for (auto _ : state) {
    copyRect(frame.info, shadow.info, {0, 0, 240, 320});
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 240 * 320 * 2);
}
BENCHMARK(BM_CopyRect);

// Arguments: rotation, kernel table (0 general, 1 XScale), order (0 columns outer, 1 rows outer).
void BM_RotatedCopy(benchmark::State& state) {
  const int rotation = static_cast<int>(state.range(0));
  const TileKernelTable& kernels = state.range(1) == 0 ? generalTileKernels() : xscaleTileKernels();
  const TileOrder order = state.range(2) == 0 ? TileOrder::ColumnsOuter : TileOrder::RowsOuter;
  Buffer shadow(240, 320);
  Buffer frame(rotation == 2 ? 240 : 320, rotation == 2 ? 320 : 240);
  const RotatedCopy copier(kernels);
  for (auto _ : state) {
    copier.copy(rotation, frame.info, shadow.info, {0, 0, frame.info.width, frame.info.height}, order);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 240 * 320 * 2);
}
BENCHMARK(BM_RotatedCopy)->ArgsProduct({{1, 2, 3}, {0, 1}, {0, 1}});

// The kernels alone: one tile turned again and again while it stays in the
// first-level cache.
void BM_TileKernel(benchmark::State& state, TileKernel kernel) {
  Buffer source(kTileSize, kTileSize), target(kTileSize, kTileSize);
  for (auto _ : state) {
    kernel(target.info.pixels, target.info.pitch, source.info.pixels, source.info.pitch);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kTileSize * kTileSize * 2);
}

// A whole 240 x 320 buffer as one reversed run, as the half turn copies it.
void BM_ReversedCopy(benchmark::State& state, ReversedCopy copy) {
  const std::int32_t pixels = 240 * 320;
  std::vector<std::uint16_t> source(pixels, 0x1234), target(pixels);
  for (auto _ : state) {
    copy(target.data(), source.data() + (pixels - 1), pixels);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * pixels * 2);
}

// One row a kernel set this processor runs: BM_TileKernel/<set>/<turn> and BM_ReversedCopy/<set>.
[[maybe_unused]] const bool kSetsRegistered = [] {
  for (const TileKernelSet& set : tileKernelSets()) {
    if (!set.available) continue;
    const std::string name = std::string("BM_TileKernel/") + set.name;
    benchmark::RegisterBenchmark((name + "/quarter").c_str(), BM_TileKernel, set.kernels.quarterTurn);
    benchmark::RegisterBenchmark((name + "/reverse").c_str(), BM_TileKernel, set.kernels.reverseQuarterTurn);
  }
  for (const ReversedCopySet& set : reversedCopySets()) {
    if (set.available) {
      benchmark::RegisterBenchmark((std::string("BM_ReversedCopy/") + set.name).c_str(), BM_ReversedCopy, set.copy);
    }
  }
  return true;
}();

// Argument: one changed word in every n words.
void BM_ChangedBlocks(benchmark::State& state) {
  const std::size_t pixels = 240 * 320;
  std::vector<std::uint16_t> frame(pixels), current(pixels, 5), previous(pixels, 5);
  for (std::size_t i = 0; i < pixels; i += 2 * static_cast<std::size_t>(state.range(0))) {
    current[i] = 6;
  }
  for (auto _ : state) {
    copyChangedBlocks(frame.data(), current.data(), previous.data(), pixels * 2 / kChangedBlockBytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * pixels * 2));
}
BENCHMARK(BM_ChangedBlocks)->Arg(1)->Arg(64);

}  // namespace
}  // namespace tdlx
