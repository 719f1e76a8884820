#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "SurfacePixels.h"
#include "lang/DintArray.h"
#include "lang/ExceptionCode.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/raster/RasterPalette.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

namespace {

using qel::lcdui::DImage;
using qel::lcdui::DImagePtr;
namespace code = qel::lang::ExceptionCode;
namespace raster = qel::raster;

constexpr uint16_t kKey565 = 0xF81F;

DImagePtr decodeFixture(const std::string& name, bool paletted = false) {
  const std::vector<uint8_t> data = readFixture(name);
  return DImage::createImageFromData(data.data(), static_cast<int32_t>(data.size()), paletted);
}

std::string stem(const std::string& name) { return name.substr(0, name.rfind('.')); }

// ImageMagick's decode of a fixture, at 16 bits a channel where kept.
std::vector<uint32_t> referenceOf(const std::string& file) {
  const std::string deep = stem(file) + ".rgba16";
  return readReference(hasFixture(deep) ? deep : stem(file) + ".rgba");
}

struct DecodeCase {
  const char* file;
  raster::PixelFormat format;
  bool keyed;
};

// How a decoded pixel must look against ImageMagick's decode: ARGB images
// keep every channel, RGB565 images drop alpha, except that fully
// transparent pixels of palette images and of grey and RGB images with a
// colour key become the key colour.
uint32_t expectedPixel(const DecodeCase& c, uint32_t reference) {
  if (c.format == raster::PF_ARGB8888) return reference;
  if (c.keyed && (reference >> 24) == 0) return kKey565;
  return toRgb565(reference);
}

class TrueColourPng : public testing::TestWithParam<DecodeCase> {};

TEST_P(TrueColourPng, MatchesImageMagick) {
  const DecodeCase& c = GetParam();
  const DImagePtr image = decodeFixture(c.file);
  const std::vector<uint32_t> reference = referenceOf(c.file);
  ASSERT_EQ(image->surface().format(), c.format);
  ASSERT_EQ(image->getWidth() * image->getHeight(), static_cast<int>(reference.size()));
  EXPECT_EQ(image->isKeyed(), c.keyed);
  for (int y = 0; y < image->getHeight(); ++y)
    for (int x = 0; x < image->getWidth(); ++x)
      ASSERT_EQ(pixelAt(*image, x, y), expectedPixel(c, reference[y * image->getWidth() + x]))
          << "at " << x << ", " << y;
}

INSTANTIATE_TEST_SUITE_P(ColourTypes, TrueColourPng,
                         testing::Values(DecodeCase{"png_rgb8.png", raster::PF_RGB565, false},
                                         DecodeCase{"png_rgb16.png", raster::PF_RGB565, false},
                                         DecodeCase{"png_rgb8_interlaced.png", raster::PF_RGB565, false},
                                         DecodeCase{"png_rgba8.png", raster::PF_ARGB8888, false},
                                         DecodeCase{"png_rgba16.png", raster::PF_ARGB8888, false},
                                         DecodeCase{"png_rgba8_interlaced.png", raster::PF_ARGB8888, false},
                                         DecodeCase{"png_grey8.png", raster::PF_RGB565, false},
                                         DecodeCase{"png_grey4.png", raster::PF_RGB565, false},
                                         DecodeCase{"png_grey2.png", raster::PF_RGB565, false},
                                         DecodeCase{"png_greyalpha8.png", raster::PF_RGB565, false},
                                         DecodeCase{"png_palette8.png", raster::PF_RGB565, true},
                                         DecodeCase{"png_palette4.png", raster::PF_RGB565, true},
                                         DecodeCase{"png_palette4_interlaced.png", raster::PF_RGB565, true},
                                         DecodeCase{"png_palette2.png", raster::PF_RGB565, false},
                                         DecodeCase{"png_palette_partial_alpha.png", raster::PF_RGB565, true},
                                         DecodeCase{"png_rgb8_key.png", raster::PF_RGB565, true},
                                         DecodeCase{"png_grey8_key.png", raster::PF_RGB565, true},
                                         DecodeCase{"png_rgb16_key.png", raster::PF_RGB565, true},
                                         DecodeCase{"png_grey16_key.png", raster::PF_RGB565, true},
                                         DecodeCase{"png_rgb16_noise.png", raster::PF_RGB565, false},
                                         DecodeCase{"png_rgba16_noise.png", raster::PF_ARGB8888, false},
                                         DecodeCase{"png_ztxt_large.png", raster::PF_RGB565, false}),
                         [](const testing::TestParamInfo<DecodeCase>& info) {
                           return stem(info.param.file).substr(4);
                         });

class PalettedDecode : public testing::TestWithParam<const char*> {};

// Paletted loading keeps the indices; the palette gives ImageMagick's colours.
TEST_P(PalettedDecode, IndicesThroughPaletteMatchImageMagick) {
  const std::string file = GetParam();
  const DImagePtr image = decodeFixture(file, true);
  const std::vector<uint32_t> reference = readReference(stem(file) + ".rgba");
  ASSERT_EQ(image->surface().format(), raster::PF_INDEX8);
  ASSERT_TRUE(image->hasPalette());
  raster::RasterPalette& palette = *image->surface().palette();
  for (int y = 0; y < image->getHeight(); ++y) {
    for (int x = 0; x < image->getWidth(); ++x) {
      const uint32_t ref = reference[y * image->getWidth() + x];
      const uint32_t expected = (ref >> 24) == 0 ? DImage::kKeyColour : ref & 0xFFFFFF;
      ASSERT_EQ(palette.getEntry(static_cast<int32_t>(pixelAt(*image, x, y)), raster::PF_ARGB8888), expected)
          << "at " << x << ", " << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Files, PalettedDecode,
                         testing::Values("png_palette8.png", "png_palette4_interlaced.png",
                                         "png_palette_partial_alpha.png", "gif_still.gif", "gif_interlaced.gif",
                                         "gif_transparent.gif"),
                         [](const testing::TestParamInfo<const char*>& info) { return stem(info.param); });

// Read back as words, palette pixels are 0xFFRRGGBB in ImageMagick's
// colours (partly transparent entries count as opaque); fully transparent
// ones leave the caller's words.
TEST_P(PalettedDecode, ReadBackAsOpaqueWords) {
  const std::string file = GetParam();
  const DImagePtr image = decodeFixture(file, true);
  const std::vector<uint32_t> reference = readReference(stem(file) + ".rgba");
  const int count = image->getWidth() * image->getHeight();
  const qel::lang::DintArrayPtr words(new qel::lang::DintArray(count));
  for (int i = 0; i < count; ++i) words[i] = 7;
  image->getRGB(words, 0, image->getWidth(), 0, 0, image->getWidth(), image->getHeight());
  int differing = 0;
  for (int i = 0; i < count; ++i) {
    const uint32_t expected = (reference[i] >> 24) == 0 ? 7u : 0xFF000000u | reference[i];
    if (static_cast<uint32_t>(words[i]) != expected && ++differing < 4)
      ADD_FAILURE() << "pixel " << i << ": " << std::hex << words[i] << " for " << expected;
  }
  EXPECT_EQ(differing, 0);
}

TEST(PalettedDecode, RefusesWhatHasNoPalette) {
  EXPECT_THROWS_CODE(code::IO, decodeFixture("png_rgb8.png", true));
  EXPECT_THROWS_CODE(code::IO, decodeFixture("jpeg_baseline.jpg", true));
}

class JpegDecode : public testing::TestWithParam<const char*> {};

TEST_P(JpegDecode, MatchesImageMagick) {
  const std::string file = GetParam();
  const DImagePtr image = decodeFixture(file);
  const std::vector<uint32_t> reference = referenceOf(file);
  ASSERT_EQ(image->surface().format(), raster::PF_RGB565);
  ASSERT_EQ(image->getWidth() * image->getHeight(), static_cast<int>(reference.size()));
  EXPECT_FALSE(image->isKeyed());
  for (int y = 0; y < image->getHeight(); ++y)
    for (int x = 0; x < image->getWidth(); ++x)
      ASSERT_EQ(pixelAt(*image, x, y), toRgb565(reference[y * image->getWidth() + x])) << "at " << x << ", " << y;
}

INSTANTIATE_TEST_SUITE_P(Files, JpegDecode,
                         testing::Values("jpeg_baseline.jpg", "jpeg_progressive.jpg", "jpeg_grey.jpg", "jpeg_cmyk.jpg",
                                         "jpeg_cmyk_progressive.jpg"),
                         [](const testing::TestParamInfo<const char*>& info) { return stem(info.param); });

struct GifCase {
  const char* file;
  bool keyed;
  int32_t frameDelay;
};

class GifDecode : public testing::TestWithParam<GifCase> {};

TEST_P(GifDecode, FirstFrameMatchesImageMagick) {
  const GifCase& c = GetParam();
  const DImagePtr image = decodeFixture(c.file);
  const std::vector<uint32_t> reference = readReference(stem(c.file) + ".rgba");
  ASSERT_EQ(image->surface().format(), raster::PF_RGB565);
  EXPECT_TRUE(image->isKeyed());
  EXPECT_EQ(image->getFrameDelay(), c.frameDelay);
  for (int y = 0; y < image->getHeight(); ++y) {
    for (int x = 0; x < image->getWidth(); ++x) {
      const uint32_t ref = reference[y * image->getWidth() + x];
      ASSERT_EQ(pixelAt(*image, x, y), c.keyed && (ref >> 24) == 0 ? kKey565 : toRgb565(ref))
          << "at " << x << ", " << y;
    }
  }
}

// ImageMagick writes still pictures with a display time of 0: they load.
INSTANTIATE_TEST_SUITE_P(Files, GifDecode,
                         testing::Values(GifCase{"gif_still.gif", false, 0}, GifCase{"gif_interlaced.gif", true, 0},
                                         GifCase{"gif_transparent.gif", true, 0},
                                         GifCase{"gif_still_delay0.gif", true, 0},
                                         GifCase{"gif_animated.gif", false, 200}),
                         [](const testing::TestParamInfo<GifCase>& info) { return stem(info.param.file); });

TEST(GifDecode, FrameWithoutGraphicControlShowsFor100Milliseconds) {
  EXPECT_EQ(decodeFixture("gif_frame_past_screen.gif")->getFrameDelay(), 100);
}

// A 6 x 4 frame at (1, 1) on a 3 x 2 screen: its first row lands on screen
// row 1 from column 1, the rest is cut off; the screen around it keeps the
// background colour (black), as ImageMagick shows it.
TEST(GifDecode, FrameOffsetsApplyAndFramesAreClippedToTheScreen) {
  const DImagePtr image = decodeFixture("gif_frame_past_screen.gif");
  ASSERT_EQ(image->getWidth(), 3);
  ASSERT_EQ(image->getHeight(), 2);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(pixelAt(*image, x, 0), 0x0000u) << x;
  EXPECT_EQ(pixelAt(*image, 0, 1), 0x0000u);
  EXPECT_EQ(pixelAt(*image, 1, 1), 0xFFFFu);
  EXPECT_EQ(pixelAt(*image, 2, 1), 0x0000u);
}

// Frames of delay 0 are passed over; a damaged third frame ends the data and
// the second comes back as ImageMagick composes it.
TEST(GifDecode, DamagedFrameLeavesTheLastCompleteOne) {
  const DImagePtr image = decodeFixture("gif_delay0_cut.gif");
  const std::vector<uint32_t> frames = readReference("gif_disposal.rgba");
  EXPECT_EQ(image->getFrameDelay(), 0);
  const int size = image->getWidth() * image->getHeight();
  ASSERT_EQ(frames.size(), static_cast<size_t>(size) * 8);
  for (int i = 0; i < size; ++i) {
    const uint32_t ref = frames[static_cast<size_t>(size + i)];
    ASSERT_EQ(pixelAt(*image, i % image->getWidth(), i / image->getWidth()), (ref >> 24) == 0 ? kKey565 : toRgb565(ref))
        << "pixel " << i;
  }
}

TEST(DecodeRefusal, HostileAndDamagedFiles) {
  EXPECT_THROWS_CODE(code::IO, decodeFixture("png_huge.png"));
  EXPECT_THROWS_CODE(code::IO, decodeFixture("png_bad_crc.png"));
  EXPECT_THROWS_CODE(code::IO, decodeFixture("png_text_huge.png"));
  EXPECT_THROWS_CODE(code::IO, decodeFixture("gif_huge_screen.gif"));
  EXPECT_THROWS_CODE(code::IO, decodeFixture("gif_no_colour_map.gif"));
  EXPECT_THROWS_CODE(code::IO, decodeFixture("gif_huge_screen.gif", true));
  EXPECT_THROWS_CODE(code::NullPointer, decodeFixture("jpeg_huge.jpg"));
}

// Headers within the side limit that claim more pixels than a picture may
// have: refused before the picture is made, whether the data are a few bytes
// (PNG, GIF, JPEG) or a complete, valid picture (the 1-bit PNG).
TEST(DecodeRefusal, PicturesOverThePixelBudget) {
  struct Case {
    const char* file;
    bool paletted;
    uint32_t code;
  } cases[] = {{"png_lying_size.png", false, code::IO},
               {"png_over_budget.png", false, code::IO},
               {"gif_lying_screen.gif", false, code::IO},
               {"gif_lying_screen.gif", true, code::IO},
               {"jpeg_lying_size.jpg", false, code::NullPointer}};
  for (const Case& c : cases) EXPECT_THROWS_CODE(c.code, decodeFixture(c.file, c.paletted)) << c.file;
}

// 2048 x 2048 pictures by ImageMagick, red at the top to blue at the bottom,
// against ImageMagick's own decode at three points (one step of RGB565 apart).
TEST(DecodeLimits, PicturesOf2048By2048StillLoad) {
  struct Point {
    int x, y;
    uint32_t rgb;
  };
  struct Case {
    const char* file;
    Point points[3];
  } cases[] = {{"big_2048_rgba_interlaced.png", {{0, 0, 0xFF0000}, {1000, 1024, 0x7F007F}, {2047, 2047, 0x0000FF}}},
               {"big_2048_progressive.jpg", {{0, 0, 0xFE0002}, {1000, 1024, 0x7F0081}, {2047, 2047, 0x0100FE}}},
               {"big_2048.gif", {{0, 0, 0xEF0010}, {1000, 1024, 0x6F0090}, {2047, 2047, 0x1000EF}}}};
  for (const Case& c : cases) {
    const DImagePtr image = decodeFixture(c.file);
    ASSERT_EQ(image->getWidth(), 2048) << c.file;
    ASSERT_EQ(image->getHeight(), 2048) << c.file;
    qel::lang::DintArrayPtr words = new qel::lang::DintArray(1);
    for (const Point& p : c.points) {
      image->getRGB(words, 0, 1, p.x, p.y, 1, 1);
      const auto got = static_cast<uint32_t>(words[0]);
      for (int shift : {16, 8, 0})
        EXPECT_NEAR(static_cast<int>(got >> shift & 0xFF), static_cast<int>(p.rgb >> shift & 0xFF), 8)
            << c.file << " at " << p.x << ", " << p.y;
    }
  }
}

TEST(DecodeRefusal, ShortAndUnknownData) {
  const uint8_t seven[7] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A};
  EXPECT_THROWS_CODE(code::IO, DImage::createImageFromData(seven, 7, false));
  EXPECT_THROWS_CODE(code::IO, DImage::createImageFromData(seven, 0, false));
  const uint8_t text[] = "not an image at all";
  EXPECT_THROWS_CODE(code::NullPointer, DImage::createImageFromData(text, sizeof text, false));
  EXPECT_THROWS_CODE(code::IO, DImage::createImageFromData(text, sizeof text, true));
}

// Indices past a short palette read zeroed entries, never past the table.
TEST(DecodeRefusal, IndicesPastThePaletteReadBlack) {
  const DImagePtr image = decodeFixture("png_index_past_palette.png");
  EXPECT_EQ(pixelAt(*image, 0, 0), 0xF800u);
  EXPECT_EQ(pixelAt(*image, 1, 0), 0x07E0u);
  EXPECT_EQ(pixelAt(*image, 3, 3), 0x0000u);
}

// Every prefix of every fixture either decodes or is refused with a
// framework exception; AddressSanitizer sees every read.
TEST(DecodeTruncation, EveryPrefixFailsCleanlyOrDecodes) {
  const char* files[] = {"png_rgb8.png",
                         "png_rgba8_interlaced.png",
                         "png_palette4.png",
                         "png_grey2.png",
                         "png_rgb16.png",
                         "jpeg_baseline.jpg",
                         "jpeg_progressive.jpg",
                         "gif_animated.gif",
                         "gif_interlaced.gif",
                         "gif_frame_past_screen.gif"};
  for (const char* file : files) {
    const std::vector<uint8_t> data = readFixture(file);
    for (size_t length = 0; length < data.size(); ++length) {
      const std::vector<uint8_t> prefix(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
      for (bool paletted : {false, true}) {
        try {
          const DImagePtr image =
              DImage::createImageFromData(prefix.data(), static_cast<int32_t>(prefix.size()), paletted);
          EXPECT_GT(image->getWidth(), 0);
        } catch (const qel::lang::DExceptionBase& e) {
          EXPECT_TRUE(e.code() == code::IO || e.code() == code::NullPointer)
              << file << " prefix " << length << " code " << std::hex << e.code();
        }
      }
    }
  }
}

}  // namespace
