// One pixel through every mode and format pair, against values worked out by
// hand from the conversion and blend formulas.

#include <gtest/gtest.h>
#include <optional>

#include "TestSurface.h"
#include "microedition/raster/RasterBlit.h"

namespace qel::raster::testing {
namespace {

constexpr int32_t kSelfMask = -1;
constexpr int32_t kNoMask = 0;
constexpr uint32_t kUntouched = 0x1234;

struct Case {
  const char* name;
  BlitMode mode;
  PixelFormat sourceFormat;
  uint32_t sourcePixel;  // an index for PF_INDEX8, whose entry is paletteEntry
  PixelFormat destFormat;
  uint32_t destPixel;
  uint32_t expected;
  uint32_t key = kNoKey;
  int32_t alpha = 255;
  int32_t channel = 0;
  uint32_t colour = 0;
  int32_t maskFormat = kNoMask;
  uint32_t maskPixel = 0;
  uint32_t paletteEntry = 0;
};

const Case kCases[] = {
    {"argb to 565", BLIT_COPY, PF_ARGB8888, 0x00FF8040, PF_RGB565, 0, 0xFC08},
    {"argb to 565 ignores alpha", BLIT_COPY, PF_ARGB8888, 0x7F0000FF, PF_RGB565, 0, 0x001F},
    {"565 to argb", BLIT_COPY, PF_RGB565, 0xF81F, PF_ARGB8888, 0, 0xFFF800F8},
    {"565 to argb green", BLIT_COPY, PF_RGB565, 0x07E0, PF_ARGB8888, 0, 0xFF00FC00},
    {"565 to rgba", BLIT_COPY, PF_RGB565, 0xF81F, PF_RGBA8888, 0, 0xF800F8FF},
    {"565 to 888 green", BLIT_COPY, PF_RGB565, 0x07E0, PF_RGB888, 0, 0x00FC00},
    {"565 to 888 red", BLIT_COPY, PF_RGB565, 0xF800, PF_RGB888, 0, 0xF80000},
    {"565 to swapped", BLIT_COPY, PF_RGB565, 0x1234, PF_RGB565_SWAPPED, 0, 0x3412},
    {"565 to 555 white", BLIT_COPY, PF_RGB565, 0xFFFF, PF_RGB555, 0, 0x7FFF},
    {"565 to 555 green", BLIT_COPY, PF_RGB565, 0x07E0, PF_RGB555, 0, 0x03E0},
    {"565 to 555 drops the low green bit", BLIT_COPY, PF_RGB565, 0x0020, PF_RGB555, 0xFFFF, 0},
    {"index to 565", BLIT_COPY, PF_INDEX8, 5, PF_RGB565, 0, 0x07E0, kNoKey, 255, 0, 0, kNoMask, 0, 0x00FF00},
    {"index to argb", BLIT_COPY, PF_INDEX8, 5, PF_ARGB8888, 0, 0x00FF00, kNoKey, 255, 0, 0, kNoMask, 0, 0x00FF00},
    {"index to index copies the byte", BLIT_COPY, PF_INDEX8, 5, PF_INDEX8, 0, 5},
    {"888 to 565 is not a pair", BLIT_COPY, PF_RGB888, 0xFFFFFF, PF_RGB565, kUntouched, kUntouched},
    {"argb to rgba is not a pair", BLIT_COPY, PF_ARGB8888, 0xFFFFFFFF, PF_RGBA8888, kUntouched, kUntouched},
    {"565 to alpha8 is not a pair", BLIT_COPY, PF_RGB565, 0xFFFF, PF_ALPHA8, 0x34, 0x34},

    {"keyed argb skips the key word", BLIT_KEYED, PF_ARGB8888, 0x00FF00FF, PF_RGB565, kUntouched, kUntouched, 0xFF00FF},
    {"keyed argb compares the whole word", BLIT_KEYED, PF_ARGB8888, 0xFFFF00FF, PF_RGB565, 0, 0xF81F, 0xFF00FF},
    {"keyed 565 skips", BLIT_KEYED, PF_RGB565, 0xF81F, PF_RGB565, kUntouched, kUntouched, 0xFF00FF},
    {"keyed 565 writes others", BLIT_KEYED, PF_RGB565, 0xF81E, PF_RGB565, 0, 0xF81E, 0xFF00FF},
    {"keyed 565 to argb skips", BLIT_KEYED, PF_RGB565, 0xF81F, PF_ARGB8888, kUntouched, kUntouched, 0xFF00FF},
    {"keyed 565 to argb writes", BLIT_KEYED, PF_RGB565, 0x001F, PF_ARGB8888, 0, 0xFF0000F8, 0xFF00FF},
    {"keyed index compares the 565 result",
     BLIT_KEYED,
     PF_INDEX8,
     9,
     PF_RGB565,
     kUntouched,
     kUntouched,
     0xFF00FF,
     255,
     0,
     0,
     kNoMask,
     0,
     0xFE00FE},
    {"keyed index to argb compares the entry",
     BLIT_KEYED,
     PF_INDEX8,
     9,
     PF_ARGB8888,
     0,
     0xFE00FE,
     0xFF00FF,
     255,
     0,
     0,
     kNoMask,
     0,
     0xFE00FE},
    {"keyed swapped keys black", BLIT_KEYED, PF_RGB565_SWAPPED, 0, PF_RGB565_SWAPPED, kUntouched, kUntouched, 0xFF00FF},
    {"keyed argb to argb", BLIT_KEYED, PF_ARGB8888, 0xFF00FF00, PF_ARGB8888, 0, 0xFF00FF00, 0xFF00FF},
    {"keyed index to index is not a pair", BLIT_KEYED, PF_INDEX8, 3, PF_INDEX8, 0x12, 0x12, 0xFF00FF},

    {"blend half", BLIT_BLEND, PF_RGB565, 0xFFFF, PF_RGB565, 0, 0x7BEF, kNoKey, 128},
    {"blend quarter onto white", BLIT_BLEND, PF_RGB565, 0, PF_RGB565, 0xFFFF, 0xBDF7, kNoKey, 64},
    {"blend alpha 0 draws nothing", BLIT_BLEND, PF_RGB565, 0xFFFF, PF_RGB565, kUntouched, kUntouched, kNoKey, 0},
    {"blend alpha 255 copies", BLIT_BLEND, PF_RGB565, 0xABCD, PF_RGB565, 0, 0xABCD, kNoKey, 255},
    {"blend alpha below 0 draws nothing", BLIT_BLEND, PF_RGB565, 0xFFFF, PF_RGB565, kUntouched, kUntouched, kNoKey, -4},
    {"blend alpha above 255 copies", BLIT_BLEND, PF_RGB565, 0xABCD, PF_RGB565, 0, 0xABCD, kNoKey, 300},
    {"blend skips the key", BLIT_BLEND, PF_RGB565, 0xF81F, PF_RGB565, kUntouched, kUntouched, 0xFF00FF, 128},
    {"blend from index", BLIT_BLEND, PF_INDEX8, 1, PF_RGB565, 0, 0x7BEF, kNoKey, 128, 0, 0, kNoMask, 0, 0xFFFFFF},
    {"blend onto argb is not a pair", BLIT_BLEND, PF_RGB565, 0xFFFF, PF_ARGB8888, 0x12, 0x12, kNoKey, 128},

    {"masked argb half coverage",
     BLIT_MASKED,
     PF_ARGB8888,
     0x80FFFFFF,
     PF_RGB565,
     0,
     0x7BEF,
     kNoKey,
     255,
     0,
     0,
     kSelfMask},
    {"masked argb full coverage writes",
     BLIT_MASKED,
     PF_ARGB8888,
     0xFF00FF00,
     PF_RGB565,
     0,
     0x07E0,
     kNoKey,
     255,
     0,
     0,
     kSelfMask},
    {"masked argb zero coverage skips",
     BLIT_MASKED,
     PF_ARGB8888,
     0x00FFFFFF,
     PF_RGB565,
     kUntouched,
     kUntouched,
     kNoKey,
     255,
     0,
     0,
     kSelfMask},
    {"masked argb quarter coverage",
     BLIT_MASKED,
     PF_ARGB8888,
     0x40FF0000,
     PF_RGB565,
     0,
     0x3800,
     kNoKey,
     255,
     0,
     0,
     kSelfMask},
    {"masked with request alpha",
     BLIT_MASKED,
     PF_ARGB8888,
     0xFFFFFFFF,
     PF_RGB565,
     0,
     0x7BEF,
     kNoKey,
     128,
     0,
     0,
     kSelfMask},
    {"masked request alpha below 0 draws nothing",
     BLIT_MASKED,
     PF_ARGB8888,
     0xFFFFFFFF,
     PF_RGB565,
     kUntouched,
     kUntouched,
     kNoKey,
     -7,
     0,
     0,
     kSelfMask},
    {"masked request alpha 1 rounds to nothing",
     BLIT_MASKED,
     PF_ARGB8888,
     0xFFFFFFFF,
     PF_RGB565,
     kUntouched,
     kUntouched,
     kNoKey,
     1,
     0,
     0,
     kSelfMask},
    {"masked by alpha8",
     BLIT_MASKED,
     PF_ARGB8888,
     0x00FF0000,
     PF_RGB565,
     0,
     0xF800,
     kNoKey,
     255,
     0,
     0,
     PF_ALPHA8,
     0xFF},
    {"masked by rgba's low byte",
     BLIT_MASKED,
     PF_ARGB8888,
     0x00FF0000,
     PF_RGB565,
     0,
     0xF800,
     kNoKey,
     255,
     0,
     0,
     PF_RGBA8888,
     0x000000FF},
    {"masked by 565 green has no opaque shortcut",
     BLIT_MASKED,
     PF_RGB565,
     0xFFFF,
     PF_RGB565,
     0,
     0xF7DE,
     kNoKey,
     255,
     0,
     0,
     PF_RGB565,
     0x07E0},
    {"masked by 565 low green",
     BLIT_MASKED,
     PF_RGB565,
     0,
     PF_RGB565,
     0xFFFF,
     0xF7BE,
     kNoKey,
     255,
     0,
     0,
     PF_RGB565,
     0x0020},
    {"masked 565 skips the key",
     BLIT_MASKED,
     PF_RGB565,
     0xF81F,
     PF_RGB565,
     kUntouched,
     kUntouched,
     0xFF00FF,
     255,
     0,
     0,
     PF_RGB565,
     0x07E0},
    {"masked argb skips the key word",
     BLIT_MASKED,
     PF_ARGB8888,
     0x00FF00FF,
     PF_RGB565,
     kUntouched,
     kUntouched,
     0xFF00FF,
     255,
     0,
     0,
     PF_ALPHA8,
     0xFF},
    {"masked argb opaque magenta is drawn",
     BLIT_MASKED,
     PF_ARGB8888,
     0xFFFF00FF,
     PF_RGB565,
     0,
     0xF81F,
     0xFF00FF,
     255,
     0,
     0,
     PF_ALPHA8,
     0xFF},
    {"masked 565 mask onto argb is not a pair",
     BLIT_MASKED,
     PF_RGB565,
     0xFFFF,
     PF_ARGB8888,
     0x12,
     0x12,
     kNoKey,
     255,
     0,
     0,
     PF_RGB565,
     0x07E0},
    {"masked alpha mask with 565 source is not a pair",
     BLIT_MASKED,
     PF_RGB565,
     0xFFFF,
     PF_RGB565,
     kUntouched,
     kUntouched,
     kNoKey,
     255,
     0,
     0,
     PF_ALPHA8,
     0xFF},
    {"masked without a mask copies", BLIT_MASKED, PF_ARGB8888, 0x00FF8040, PF_RGB565, 0, 0xFC08},

    {"tint alpha8 full", BLIT_TINT, PF_ALPHA8, 255, PF_RGB565, 0, 0xF81F, kNoKey, 255, 3, 0xFF00FF},
    {"tint alpha8 half", BLIT_TINT, PF_ALPHA8, 128, PF_RGB565, 0, 0x7BEF, kNoKey, 255, 3, 0xFFFFFF},
    {"tint alpha8 none", BLIT_TINT, PF_ALPHA8, 0, PF_RGB565, kUntouched, kUntouched, kNoKey, 255, 3, 0xFFFFFF},
    {"tint 565 red full at 248", BLIT_TINT, PF_RGB565, 0xF800, PF_RGB565, 0, 0x07E0, kNoKey, 255, 0, 0x00FF00},
    {"tint 565 green full at 252", BLIT_TINT, PF_RGB565, 0x07E0, PF_RGB565, 0, 0x07E0, kNoKey, 255, 1, 0x00FF00},
    {"tint 565 green 248 blends", BLIT_TINT, PF_RGB565, 0x07C0, PF_RGB565, 0, 0xF7BE, kNoKey, 255, 1, 0xFFFFFF},
    {"tint 565 blue full", BLIT_TINT, PF_RGB565, 0x001F, PF_RGB565, 0, 0xF800, kNoKey, 255, 2, 0xFF0000},
    {"tint 565 has no alpha channel",
     BLIT_TINT,
     PF_RGB565,
     0xFFFF,
     PF_RGB565,
     kUntouched,
     kUntouched,
     kNoKey,
     255,
     3,
     0xFF0000},
    {"tint argb alpha", BLIT_TINT, PF_ARGB8888, 0xFF000000, PF_RGB565, 0, 0x001F, kNoKey, 255, 3, 0x0000FF},
    {"tint argb red", BLIT_TINT, PF_ARGB8888, 0x00FF0000, PF_RGB565, 0, 0x001F, kNoKey, 255, 0, 0x0000FF},
    {"tint argb green", BLIT_TINT, PF_ARGB8888, 0x0000FF00, PF_RGB565, 0, 0x001F, kNoKey, 255, 1, 0x0000FF},
    {"tint argb blue", BLIT_TINT, PF_ARGB8888, 0x000000FF, PF_RGB565, 0, 0x001F, kNoKey, 255, 2, 0x0000FF},
    {"tint argb red channel empty",
     BLIT_TINT,
     PF_ARGB8888,
     0xFF00FFFF,
     PF_RGB565,
     kUntouched,
     kUntouched,
     kNoKey,
     255,
     0,
     0x0000FF},
    {"tint argb channel 4",
     BLIT_TINT,
     PF_ARGB8888,
     0xFFFFFFFF,
     PF_RGB565,
     kUntouched,
     kUntouched,
     kNoKey,
     255,
     4,
     0x0000FF},
    {"tint onto argb is not a pair", BLIT_TINT, PF_ALPHA8, 255, PF_ARGB8888, 0x12, 0x12, kNoKey, 255, 3, 0xFFFFFF},
};

TEST(BlitFormula, onePixelPerModeAndPair) {
  for (const Case& c : kCases) {
    TestSurface source(c.sourceFormat, 1, 1);
    source.setPixel(0, 0, c.sourcePixel);
    source.palette().setEntry(static_cast<int32_t>(c.sourcePixel & 0xFF), c.paletteEntry);
    TestSurface dest(c.destFormat, 1, 1);
    dest.setPixel(0, 0, c.destPixel);
    std::optional<TestSurface> mask;
    BlitRequest r;
    r.mode = c.mode;
    r.dest = &dest.desc();
    r.source = &source.desc();
    r.key = c.key;
    r.alpha = c.alpha;
    r.channel = c.channel;
    r.colour = c.colour;
    if (c.maskFormat == kSelfMask) {
      r.mask = &source.desc();
    } else if (c.maskFormat != kNoMask) {
      mask.emplace(static_cast<PixelFormat>(c.maskFormat), 1, 1);
      mask->setPixel(0, 0, c.maskPixel);
      r.mask = &mask->desc();
    }
    blit(r);
    EXPECT_EQ(dest.pixel(0, 0), c.expected) << c.name << std::hex << ": got " << dest.pixel(0, 0);
  }
}

struct YuvCase {
  uint8_t y;
  uint8_t u;
  uint8_t v;
  uint32_t expected;
};

TEST(BlitFormula, yuvSamplesToRgb565) {
  const YuvCase cases[] = {
      {128, 128, 128, 0x8410},  // grey: every difference table is 0 at 128
      {255, 128, 255, 0xFD3F},  // red clamped, green 255 - 89
      {0, 0, 0, 0x0420},        // red and blue clamped at 0, green 43 + 89
      {0, 128, 255, 0xD800},    // red 220
      {0, 255, 128, 0x001B},    // blue 220, green clamped
  };
  std::mt19937 random(1);
  for (const YuvCase& c : cases) {
    TestYuv picture(1, 1, random);
    picture.luma()[0] = c.y;
    picture.u()[0] = c.u;
    picture.v()[0] = c.v;
    TestSurface dest(PF_RGB565, 1, 1);
    BlitRequest r;
    r.dest = &dest.desc();
    r.source = &picture.desc();
    blit(r);
    EXPECT_EQ(dest.pixel(0, 0), c.expected) << int{c.y} << " " << int{c.u} << " " << int{c.v};
  }
}

TEST(BlitFormula, yuvChromaCoversTwoByTwoLumaSamples) {
  std::mt19937 random(2);
  TestYuv picture(4, 4, random);
  for (uint8_t& sample : picture.luma()) {
    sample = 128;
  }
  // Chroma (1, 1) differs from the rest: it belongs to luma (2..3, 2..3).
  std::fill(picture.u().begin(), picture.u().end(), 128);
  std::fill(picture.v().begin(), picture.v().end(), 128);
  const int32_t chromaStride = 3;
  picture.v()[chromaStride + 1] = 255;
  TestSurface dest(PF_RGB565, 3, 3);
  BlitRequest r;
  r.dest = &dest.desc();
  r.source = &picture.desc();
  r.x = -1;
  r.y = -1;
  blit(r);
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 3; ++x) {
      const bool tinted = x >= 1 && y >= 1;
      EXPECT_EQ(dest.pixel(x, y) != 0x8410, tinted) << x << "," << y;
    }
  }
}

TEST(BlitFormula, productTableHoldsEveryByteProduct) {
  const uint16_t* table = getProductTable();
  ASSERT_EQ(table, getProductTable());
  for (uint32_t a = 0; a < 256; a += 17) {
    for (uint32_t b = 0; b < 256; ++b) {
      ASSERT_EQ(table[a * 256 + b], a * b);
    }
  }
  EXPECT_EQ(table[65535], 65025);
}

}  // namespace
}  // namespace qel::raster::testing
