#include <gif_lib.h>
#include <gtest/gtest.h>
#include <string>
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

class Gif {
public:
  explicit Gif(const std::string& name) : data_(readFixture(name + ".gif")), frames_(readReference(name + ".rgba")) {}

  DGifLoaderPtr open(bool paletted) {
    reader_ = {data_.data(), data_.size(), 0};
    int error = 0;
    GifFileType* gif = DGifOpen(&reader_, &readMemory, &error);
    EXPECT_NE(gif, nullptr);
    return DGifLoaderPtr(new DGifLoader(gif, paletted));
  }
  // ImageMagick's coalesced frames.
  const std::vector<uint32_t>& frames() const { return frames_; }

private:
  std::vector<uint8_t> data_;
  std::vector<uint32_t> frames_;
  MemoryReader reader_;
};

class AnimatedGif : public testing::Test {
protected:
  DGifLoaderPtr open(bool paletted) { return gif_.open(paletted); }
  // ImageMagick's coalesced frame, 7 x 5.
  uint32_t reference(int frame, int x, int y) const { return gif_.frames()[frame * 35 + y * 7 + x]; }

  Gif gif_{"gif_animated"};
};

TEST_F(AnimatedGif, FramesComeWithTheirDisplayTimes) {
  const DGifLoaderPtr loader = open(false);
  EXPECT_EQ(loader->getClassName(), "DObject");
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

// Every frame as ImageMagick's -coalesce composes it: transparent there is
// the key here. gif_disposal has each disposal method before some frame.
class ComposedFrames : public testing::TestWithParam<const char*> {};

TEST_P(ComposedFrames, MatchImageMagickFrameByFrame) {
  Gif gif(GetParam());
  const DGifLoaderPtr loader = gif.open(false);
  size_t at = 0;
  int frameNumber = 0;
  while (at < gif.frames().size()) {
    SCOPED_TRACE(frameNumber);
    const DImagePtr frame = loader->nextFrame();
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->isKeyed());
    int differing = 0;
    for (int y = 0; y < frame->getHeight(); ++y) {
      for (int x = 0; x < frame->getWidth(); ++x, ++at) {
        const uint32_t ref = gif.frames().at(at);
        const uint32_t expected = (ref >> 24) == 0 ? 0xF81Fu : toRgb565(ref);
        if (pixelAt(*frame, x, y) != expected) {
          if (++differing < 4) ADD_FAILURE() << "at " << x << ", " << y << ": " << pixelAt(*frame, x, y);
        }
      }
    }
    EXPECT_EQ(differing, 0);
    ++frameNumber;
  }
  EXPECT_FALSE(loader->nextFrame());
}

INSTANTIATE_TEST_SUITE_P(Files, ComposedFrames, testing::Values("gif_animated", "gif_disposal"),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

// Paletted frames stand alone: a frame after "restore to background" ends them.
TEST(PalettedGif, FramesEndAtADisposalThatNeedsTheScreen) {
  Gif gif("gif_disposal");
  const DGifLoaderPtr loader = gif.open(true);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(loader->nextFrame()) << i;
  EXPECT_FALSE(loader->nextFrame());
}

TEST_F(AnimatedGif, PalettedFramesCarryAFullPalette) {
  const DGifLoaderPtr loader = open(true);
  const DImagePtr frame = loader->nextFrame();
  ASSERT_TRUE(frame);
  ASSERT_EQ(frame->surface().format(), qel::raster::PF_INDEX8);
  EXPECT_EQ(frame->getPalette()->palette().count(), 256);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x)
      EXPECT_EQ(
          frame->surface().palette()->getEntry(static_cast<int32_t>(pixelAt(*frame, x, y)), qel::raster::PF_RGB565),
          toRgb565(reference(0, x, y)));
}

}  // namespace
