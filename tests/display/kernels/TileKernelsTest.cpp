#include <gtest/gtest.h>

#include "BufferTestSupport.h"
#include "display/kernels/TileKernels.h"
#include "display/kernels/WideTurns.h"
#include "display/kernels/WidestTurns.h"

namespace tdlx {
namespace {

struct VectorKernels {
  const char* name;
  bool available;
  TileKernel quarterTurn;
  TileKernel reverseQuarterTurn;
};

// The tables pick one set per processor; this reaches every set the processor
// can run, each on a tile inside padded rows of both buffers.
TEST(TileKernels, EveryVectorSetTurnsATileAsItsContractSays) {
  const VectorKernels sets[] = {
      {"wide", wideTurnsAvailable(), wideQuarterTurn, wideReverseQuarterTurn},
      {"wide rows", wideTurnsAvailable(), wideRowQuarterTurn, wideRowReverseQuarterTurn},
      {"widest", widestTurnsAvailable(), widestQuarterTurn, widestReverseQuarterTurn},
  };
  for (const VectorKernels& set : sets) {
    if (!set.available) {
      continue;
    }
    for (const bool reverse : {false, true}) {
      TestBuffer src(21, 19, 3);
      src.fillWithPattern();
      TestBuffer dst(19, 18, 5);
      const TileKernel kernel = reverse ? set.reverseQuarterTurn : set.quarterTurn;
      kernel(&dst.at(2, 1), dst.info().pitch, &src.at(3, 2), src.info().pitch);
      for (std::int32_t y = 0; y < 18; ++y) {
        for (std::int32_t x = 0; x < 19 + 5; ++x) {
          const std::int32_t i = x - 2;
          const std::int32_t j = y - 1;
          const bool inside = i >= 0 && i < kTileSize && j >= 0 && j < kTileSize;
          const std::uint16_t expected = !inside   ? 0xDEAD
                                         : reverse ? src.at(3 + 15 - j, 2 + i)
                                                   : src.at(3 + j, 2 + 15 - i);
          ASSERT_EQ(dst.at(x, y), expected) << set.name << (reverse ? " reverse" : "") << " at " << x << ", " << y;
        }
      }
    }
  }
}

}  // namespace
}  // namespace tdlx
