#include <gif_lib.h>
#include <gtest/gtest.h>

#include <vector>

#include "Fixtures.h"
#include "SurfacePixels.h"
#include "microedition/lcdui/DGifLoader.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/DPalette.h"
#include "microedition/lcdui/MemoryReader.h"
#include "microedition/raster/RasterPalette.h"

namespace {

using qel::lcdui::DGifLoader;
using qel::lcdui::DGifLoaderPtr;
using qel::lcdui::DImagePtr;
using qel::lcdui::MemoryReader;

int readMemory(GifFileType* gif, GifByteType* target, int count) {
  return static_cast<int>(static_cast<MemoryReader*>(gif->UserData)->read(target, static_cast<size_t>(count)));
}

class AnimatedGif : public testing::Test {
protected:
  DGifLoaderPtr open(bool paletted) {
    reader_ = {data_.data(), data_.size(), 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader_, &readMemory, &error);
    EXPECT_NE(gif, nullptr);
    return DGifLoaderPtr(new DGifLoader(gif, paletted));
  }

  // ImageMagick's coalesced frame, 7 x 5.
  uint32_t reference(int frame, int x, int y) const { return frames_[frame * 35 + y * 7 + x]; }

  std::vector<uint8_t> data_ = readFixture("gif_animated.gif");
  std::vector<uint32_t> frames_ = readReference("gif_animated.rgba");
  MemoryReader reader_;
};

TEST_F(AnimatedGif, FramesComeWithTheirDisplayTimes) {
  const DGifLoaderPtr loader = open(false);
  const int delays[] = {200, 350, 500};
  for (int delay : delays) {
    const DImagePtr frame = loader->nextFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->getFrameDelay(), delay);
    EXPECT_EQ(frame->getWidth(), 7);
    EXPECT_EQ(frame->getHeight(), 5);
  }
  EXPECT_FALSE(loader->nextFrame());
}

// The second frame is 4 x 3 at (2, 1).
TEST_F(AnimatedGif, SubFrameLandsAtItsOffset) {
  const DGifLoaderPtr loader = open(false);
  loader->nextFrame();
  const DImagePtr frame = loader->nextFrame();
  ASSERT_TRUE(frame);
  for (int y = 1; y < 4; ++y)
    for (int x = 2; x < 6; ++x) EXPECT_EQ(pixelAt(*frame, x, y), toRgb565(reference(1, x, y))) << x << ", " << y;
}

// The third frame covers the screen; its transparent pixels are keyed.
TEST_F(AnimatedGif, TransparentIndexBecomesTheKey) {
  const DGifLoaderPtr loader = open(false);
  loader->nextFrame();
  loader->nextFrame();
  const DImagePtr frame = loader->nextFrame();
  ASSERT_TRUE(frame);
  EXPECT_TRUE(frame->isKeyed());
  int keyed = 0;
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) {
      if (pixelAt(*frame, x, y) == 0xF81F) {
        ++keyed;
        continue;
      }
      EXPECT_EQ(pixelAt(*frame, x, y), toRgb565(reference(2, x, y))) << x << ", " << y;
    }
  }
  EXPECT_GT(keyed, 0);
}

TEST_F(AnimatedGif, PalettedFramesCarryAFullPalette) {
  const DGifLoaderPtr loader = open(true);
  const DImagePtr frame = loader->nextFrame();
  ASSERT_TRUE(frame);
  ASSERT_EQ(frame->surface().format(), qel::raster::PF_INDEX8);
  EXPECT_EQ(frame->getPalette()->palette().count(), 256);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x)
      EXPECT_EQ(frame->surface().palette()->getEntry(static_cast<int32_t>(pixelAt(*frame, x, y)), qel::raster::PF_RGB565),
                toRgb565(reference(0, x, y)));
}

}  // namespace
