#include <gtest/gtest.h>
#include <vector>

#include "display/kernels/ChangedBlockCopy.h"

namespace tdlx {
namespace {

constexpr std::uint16_t kUntouched = 0xDEAD;
constexpr std::size_t kPixelsPerBlock = kChangedBlockBytes / 2;

struct Buffers {
  std::vector<std::uint16_t> frame;
  std::vector<std::uint16_t> current;
  std::vector<std::uint16_t> previous;
};

// Three blocks and one more: pixel pairs 0, 5 (one half), 17 and 40 changed, and a
// change in the block past the copied ones.
Buffers makeBuffers() {
  constexpr std::size_t kPixels = 4 * kPixelsPerBlock;
  Buffers b{std::vector<std::uint16_t>(kPixels, kUntouched),
            std::vector<std::uint16_t>(kPixels),
            std::vector<std::uint16_t>(kPixels)};
  for (std::size_t i = 0; i < kPixels; ++i) {
    b.current[i] = b.previous[i] = static_cast<std::uint16_t>(i * 13);
  }
  for (std::size_t pixel : {0, 1, 11, 34, 35, 80, 81, 100}) {
    b.current[pixel] ^= 0x0F0F;
  }
  return b;
}

// The frame after copying three blocks: each changed word written, the others left.
std::vector<std::uint16_t> expectedFrame(const Buffers& before) {
  std::vector<std::uint16_t> frame = before.frame;
  for (std::size_t word : {0, 5, 17, 40}) {
    frame[2 * word] = before.current[2 * word];
    frame[2 * word + 1] = before.current[2 * word + 1];
  }
  return frame;
}

TEST(ChangedBlockCopy, WritesOnlyChangedWords) {
  Buffers b = makeBuffers();
  const Buffers before = b;
  copyChangedBlocks(b.frame.data(), b.current.data(), b.previous.data(), 3);
  EXPECT_EQ(b.frame, expectedFrame(before));
  EXPECT_EQ(b.previous, before.previous);
  EXPECT_EQ(b.current, before.current);
}

TEST(ChangedBlockCopy, TrackingVariantAlsoBringsPreviousUpToDate) {
  Buffers b = makeBuffers();
  const Buffers before = b;
  copyChangedBlocksAndTrack(b.frame.data(), b.current.data(), b.previous.data(), 3);
  EXPECT_EQ(b.frame, expectedFrame(before));
  const std::ptrdiff_t copied = 3 * kPixelsPerBlock;
  EXPECT_TRUE(std::equal(b.previous.begin(), b.previous.begin() + copied, before.current.begin()));
  EXPECT_TRUE(std::equal(b.previous.begin() + copied, b.previous.end(), before.previous.begin() + copied));
}

TEST(ChangedBlockCopy, NoBlocksWriteNothing) {
  Buffers b = makeBuffers();
  const Buffers before = b;
  copyChangedBlocksAndTrack(b.frame.data(), b.current.data(), b.previous.data(), 0);
  EXPECT_EQ(b.frame, before.frame);
  EXPECT_EQ(b.previous, before.previous);
}

}  // namespace
}  // namespace tdlx
