#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

#include "BufferTestSupport.h"
#include "KernelSetTest.h"
#include "display/kernels/ReversedCopy.h"
#include "display/kernels/RotatedCopy.h"

namespace tdlx {
namespace {

constexpr std::uint16_t kUntouched = 0xDEAD;

constexpr TileOrder kOrders[] = {TileOrder::ColumnsOuter, TileOrder::RowsOuter};

const char* nameOf(TileOrder order) { return order == TileOrder::ColumnsOuter ? "columns outer" : "rows outer"; }

// Every tile kernel set the build has, named; each skips where this processor
// cannot run it.
class TileKernelSetCopyTest : public KernelSetTest<tileKernelSets> {};
INSTANTIATE_KERNEL_SETS(TileKernelSetCopyTest);

// The same for the reversed row copies of the half turn.
class ReversedCopySetTest : public KernelSetTest<reversedCopySets> {};
INSTANTIATE_KERNEL_SETS(ReversedCopySetTest);

// The frame-buffer size for a back buffer of width x height turned by rotation.
std::pair<std::int32_t, std::int32_t> turnedSize(int rotation, std::int32_t width, std::int32_t height) {
  return rotation == 2 ? std::pair{width, height} : std::pair{height, width};
}

// Turns src clockwise by rotation quarter turns, one pixel at a time.
std::uint16_t naiveTurned(int rotation, TestBuffer& src, std::int32_t x, std::int32_t y) {
  const std::int32_t w = src.info().width;
  const std::int32_t h = src.info().height;
  switch (rotation) {
    case 1: return src.at(y, h - 1 - x);
    case 2: return src.at(w - 1 - x, h - 1 - y);
    default: return src.at(w - 1 - y, x);
  }
}

struct RotationCase {
  int rotation;
  std::int32_t srcWidth, srcHeight;
  Rect rect;
  Rect copied;
};

TEST_P(TileKernelSetCopyTest, MatchesANaiveTurnInEitherOrder) {
  const RotationCase cases[] = {
      {1, 48, 64, {0, 0, 64, 48}, {0, 0, 64, 48}},
      {2, 48, 64, {0, 0, 48, 64}, {0, 0, 48, 64}},
      {3, 48, 64, {0, 0, 64, 48}, {0, 0, 64, 48}},
      {1, 48, 64, {16, 16, 48, 32}, {16, 16, 48, 32}},
      {2, 48, 64, {16, 32, 32, 64}, {16, 32, 32, 64}},
      {3, 48, 64, {32, 0, 64, 16}, {32, 0, 64, 16}},
      // Sides that are no multiples of 16, with the rectangle rounded out past them.
      {1, 40, 54, {0, 0, 64, 48}, {0, 0, 54, 40}},
      {2, 40, 54, {0, 0, 48, 64}, {0, 0, 40, 54}},
      {3, 40, 54, {0, 0, 64, 48}, {0, 0, 54, 40}},
      {3, 40, 54, {5, 3, 29, 37}, {5, 3, 29, 37}},
  };
  for (const RotationCase& c : cases) {
    for (const TileOrder order : kOrders) {
      TestBuffer src(c.srcWidth, c.srcHeight, 2);
      src.fillWithPattern();
      const auto [width, height] = turnedSize(c.rotation, c.srcWidth, c.srcHeight);
      TestBuffer dst(width, height, 6);
      RotatedCopy(set().kernels).copy(c.rotation, dst.info(), src.info(), c.rect, order);
      for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < width + 6; ++x) {
          const bool inside = x >= c.copied.left && x < c.copied.right && y >= c.copied.top && y < c.copied.bottom;
          const std::uint16_t expected = inside ? naiveTurned(c.rotation, src, x, y) : kUntouched;
          ASSERT_EQ(dst.at(x, y), expected) << "rotation " << c.rotation << ", " << nameOf(order) << ", rect "
                                            << c.rect.left << "," << c.rect.top << " at " << x << ", " << y;
        }
      }
    }
  }
}

// Rows without padding in both buffers go as one run; a padded row on either
// side, or a rectangle narrower than the rows, goes row by row.
TEST_P(ReversedCopySetTest, HalfTurnMatchesANaiveTurnWithAndWithoutRowPadding) {
  struct Case {
    std::int32_t width, height, srcPad, dstPad;
    Rect rect;
  };
  const Case cases[] = {
      {240, 20, 0, 0, {0, 0, 240, 20}},
      {240, 20, 0, 0, {0, 3, 240, 17}},
      {37, 11, 0, 0, {0, 0, 37, 11}},
      {7, 3, 0, 0, {0, 0, 7, 3}},
      {240, 20, 0, 2, {0, 0, 240, 20}},
      {240, 20, 2, 0, {0, 5, 240, 9}},
      {240, 20, 0, 0, {1, 0, 240, 20}},
      {240, 20, 0, 0, {0, 0, 239, 20}},
  };
  for (const Case& c : cases) {
    TestBuffer src(c.width, c.height, c.srcPad);
    src.fillWithPattern();
    TestBuffer dst(c.width, c.height, c.dstPad);
    RotatedCopy(generalTileKernels(), set().copy).copy(2, dst.info(), src.info(), c.rect);
    for (std::int32_t y = 0; y < c.height; ++y) {
      for (std::int32_t x = 0; x < c.width + c.dstPad; ++x) {
        const bool inside = x >= c.rect.left && x < c.rect.right && y >= c.rect.top && y < c.rect.bottom;
        ASSERT_EQ(dst.at(x, y), inside ? naiveTurned(2, src, x, y) : kUntouched)
            << c.width << "x" << c.height << " pads " << c.srcPad << "/" << c.dstPad << " at " << x << ", " << y;
      }
    }
  }
}

// Every length up to past the widest loop's two-register step, from every
// destination alignment within a 32-byte line, and nothing written past the end.
TEST_P(ReversedCopySetTest, CopiesEveryLengthFromEveryAlignment) {
  std::vector<std::uint16_t> source(128);
  for (std::size_t i = 0; i < source.size(); ++i) source[i] = static_cast<std::uint16_t>(i * 257 + 3);
  const std::uint16_t* last = &source.back();
  for (std::int32_t count = 0; count <= 100; ++count) {
    for (std::int32_t offset = 0; offset < 16; ++offset) {
      std::vector<std::uint16_t> out(128, kUntouched);
      set().copy(out.data() + offset, last, count);
      for (std::int32_t x = 0; x < static_cast<std::int32_t>(out.size()); ++x) {
        const std::int32_t i = x - offset;
        ASSERT_EQ(out[x], i >= 0 && i < count ? last[-i] : kUntouched)
            << "count " << count << ", offset " << offset << " at " << x;
      }
    }
  }
}

TEST(ReversedCopy, TheHalfTurnRunsTheWidestAvailableSet) {
  ReversedCopy widest = nullptr;
  for (const ReversedCopySet& set : reversedCopySets()) {
    if (set.available) widest = set.copy;
  }
  EXPECT_EQ(reversedCopyKernel(), widest);
  EXPECT_TRUE(reversedCopySets().front().available) << reversedCopySets().front().name;
}

TEST(RotatedCopy, QuarterTurnPutsTheTopLeftPixelAtTheTopRight) {
  TestBuffer shadow(240, 320);
  shadow.fillWithPattern();
  shadow.at(0, 0) = 0xF800;
  TestBuffer frame(320, 240);
  RotatedCopy(tileKernelsFor(ProcessorKind::Other)).copy(1, frame.info(), shadow.info(), {0, 0, 320, 240});
  EXPECT_EQ(frame.at(319, 0), 0xF800);
}

TEST(RotatedCopy, OtherRotationsCopyNothing) {
  TestBuffer src(32, 32);
  src.fillWithPattern();
  TestBuffer dst(32, 32);
  for (int rotation : {0, 4, -1}) {
    RotatedCopy(generalTileKernels()).copy(rotation, dst.info(), src.info(), {0, 0, 32, 32});
  }
  EXPECT_EQ(dst.storage(), TestBuffer(32, 32).storage());
}

std::vector<std::uint16_t> readGray16(const std::string& name) {
  std::ifstream file(std::string(NV_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  std::vector<std::uint16_t> pixels(bytes.size() / 2);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                           static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  return pixels;
}

TEST_P(TileKernelSetCopyTest, AgreesWithImageMagick) {
  struct Case {
    int rotation;
    const char* reference;
  };
  const std::vector<std::uint16_t> source = readGray16("source-48x32.gray16");
  ASSERT_EQ(source.size(), 48u * 32u);
  for (const Case& c : {Case{1, "rotated-90.gray16"}, Case{2, "rotated-180.gray16"}, Case{3, "rotated-270.gray16"}}) {
    for (const TileOrder order : kOrders) {
      TestBuffer src(48, 32);
      std::copy(source.begin(), source.end(), &src.at(0, 0));
      const auto [width, height] = turnedSize(c.rotation, 48, 32);
      TestBuffer dst(width, height);
      RotatedCopy(set().kernels).copy(c.rotation, dst.info(), src.info(), {0, 0, width, height}, order);
      EXPECT_EQ(dst.storage(), readGray16(c.reference)) << c.reference << ", " << nameOf(order);
    }
  }
}

TEST(TileKernels, XScaleProcessorsGetTheirOwnVariants) {
  EXPECT_EQ(&tileKernelsFor(ProcessorKind::XScale), &xscaleTileKernels());
  EXPECT_EQ(&tileKernelsFor(ProcessorKind::StrongArm), &generalTileKernels());
  EXPECT_EQ(&tileKernelsFor(ProcessorKind::Other), &generalTileKernels());
}

TEST(ProcessorKind, ComesFromTheMainId) {
  struct Case {
    std::uint32_t mainId;
    ProcessorKind kind;
  };
  for (const Case& c : {Case{0x69052100, ProcessorKind::XScale},
                        Case{0x69052D06, ProcessorKind::XScale},
                        Case{0x6901B119, ProcessorKind::StrongArm},
                        Case{0x4401A118, ProcessorKind::Other},
                        Case{0x41069265, ProcessorKind::Other},
                        Case{0, ProcessorKind::Other}}) {
    EXPECT_EQ(processorKindFromMainId(c.mainId), c.kind) << std::hex << c.mainId;
  }
}

}  // namespace
}  // namespace tdlx
