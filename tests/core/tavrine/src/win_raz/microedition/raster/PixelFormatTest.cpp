#include <gtest/gtest.h>

#include "microedition/raster/PixelFormat.h"

namespace qel::raster {
namespace {

TEST(PixelFormat, tableRows) {
  struct Row {
    int32_t format;
    int32_t bytes;
    bool alpha;
    int32_t shift;
  };
  const Row rows[] = {{0, 0, false, 0},
                      {1, 2, false, 0},
                      {2, 4, true, 24},
                      {3, 1, true, 0},
                      {4, 3, false, 0},
                      {5, 1, false, 0},
                      {6, 0, false, 0},
                      {7, 2, false, 0},
                      {8, 4, true, 0},
                      {9, 2, false, 0},
                      // Outside 0..9: the row of PF_NONE.
                      {10, 0, false, 0},
                      {-1, 0, false, 0}};
  for (const Row& row : rows) {
    const PixelFormatInfo& info = getFormatInfo(row.format);
    EXPECT_EQ(info.bytesPerPixel, row.bytes) << row.format;
    EXPECT_EQ(bytesPerPixel(row.format), row.bytes) << row.format;
    EXPECT_EQ(info.hasAlpha, row.alpha) << row.format;
    EXPECT_EQ(info.alphaShift, row.shift) << row.format;
  }
  EXPECT_EQ(getFormatInfo(42).format, PF_NONE);
}

TEST(PixelFormat, convertColorKeepsTopBitsFor565AndTheWordForArgb) {
  struct Case {
    int32_t format;
    uint32_t rgb;
    uint32_t expected;
  };
  const Case cases[] = {
      {PF_RGB565, 0xFF00FF, 0xF81F},
      {PF_RGB565, 0xFFFFFF, 0xFFFF},
      {PF_RGB565, 0x070307, 0x0000},
      {PF_RGB565, 0x080408, 0x0821},
      {PF_RGB565, 0xFF8040, 0xFC08},
      {PF_ARGB8888, 0x12345678, 0x12345678},
      {PF_INDEX8, 0xFF00FF, 0},
      {PF_ALPHA8, 0xFFFFFF, 0},
      {PF_RGB888, 0xFFFFFF, 0},
      {PF_RGB565_SWAPPED, 0xFFFFFF, 0},
      {PF_RGBA8888, 0xFFFFFF, 0},
      {PF_RGB555, 0xFFFFFF, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(convertColor(c.format, c.rgb), c.expected) << c.format << " " << std::hex << c.rgb;
  }
}

}  // namespace
}  // namespace qel::raster
