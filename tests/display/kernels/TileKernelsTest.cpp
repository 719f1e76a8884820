#include <gtest/gtest.h>
#include <string>

#include "BufferTestSupport.h"
#include "KernelSetTest.h"
#include "display/kernels/TileKernels.h"

namespace tdlx {
namespace {

// Every set the build has, named; each skips where this processor cannot run it.
class TileKernelSetTest : public KernelSetTest<tileKernelSets> {};

// One tile inside padded rows of both buffers, against the kernel contract
// read pixel by pixel.
TEST_P(TileKernelSetTest, TurnsATileAsItsContractSays) {
  for (const bool reverse : {false, true}) {
    TestBuffer src(21, 19, 3);
    src.fillWithPattern();
    TestBuffer dst(19, 18, 5);
    const TileKernel kernel = reverse ? set().kernels.reverseQuarterTurn : set().kernels.quarterTurn;
    kernel(&dst.at(2, 1), dst.info().pitch, &src.at(3, 2), src.info().pitch);
    for (std::int32_t y = 0; y < 18; ++y) {
      for (std::int32_t x = 0; x < 19 + 5; ++x) {
        const std::int32_t i = x - 2;
        const std::int32_t j = y - 1;
        const bool inside = i >= 0 && i < kTileSize && j >= 0 && j < kTileSize;
        const std::uint16_t expected = !inside   ? 0xDEAD
                                       : reverse ? src.at(3 + 15 - j, 2 + i)
                                                 : src.at(3 + j, 2 + 15 - i);
        ASSERT_EQ(dst.at(x, y), expected) << (reverse ? "reverse" : "forward") << " at " << x << ", " << y;
      }
    }
  }
}

INSTANTIATE_KERNEL_SETS(TileKernelSetTest);

// What the product runs is what the tests above cover: each family's table is
// its widest set this processor runs, and its first set runs everywhere.
TEST(TileKernels, EachFamilyRunsItsWidestAvailableSet) {
  struct Case {
    TileKernelFamily family;
    const TileKernelTable& chosen;
  };
  for (const Case& c :
       {Case{TileKernelFamily::General, generalTileKernels()}, Case{TileKernelFamily::XScale, xscaleTileKernels()}}) {
    const TileKernelSet* first = nullptr;
    const TileKernelSet* widest = nullptr;
    for (const TileKernelSet& set : tileKernelSets()) {
      if (set.family != c.family) continue;
      if (first == nullptr) first = &set;
      if (set.available) widest = &set;
    }
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->available) << first->name;
    EXPECT_EQ(&c.chosen, &widest->kernels) << widest->name;
  }
}

}  // namespace
}  // namespace tdlx
