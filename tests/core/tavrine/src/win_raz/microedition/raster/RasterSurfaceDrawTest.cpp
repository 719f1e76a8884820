#include <climits>
#include <gtest/gtest.h>
#include <set>
#include <utility>

#include "TestSurface.h"
#include "microedition/raster/RasterSurface.h"

namespace qel::raster::testing {
namespace {

using PixelSet = std::set<std::pair<int32_t, int32_t>>;

PixelSet setPixels(const RasterSurface& surface) {
  PixelSet pixels;
  const auto* bytes = static_cast<const uint8_t*>(surface.pixels());
  const int32_t size = bytesPerPixel(surface.format());
  for (int32_t y = 0; y < surface.height(); ++y) {
    for (int32_t x = 0; x < surface.width(); ++x) {
      for (int32_t b = 0; b < size; ++b) {
        if (bytes[y * surface.stride() + x * size + b] != 0) {
          pixels.insert({x, y});
        }
      }
    }
  }
  return pixels;
}

PixelSet lineOn(int32_t w, int32_t h, RasterPoint a, RasterPoint b, GUIRect clip = {0, 0, INT_MAX, INT_MAX}) {
  RasterSurface surface(PF_RGB565, w, h);
  surface.setClip(clip);
  surface.drawLine(a, b, 0xFFFFFF);
  return setPixels(surface);
}

TEST(RasterSurfaceDraw, fillRectWritesTheConvertedColourInsideTheClip) {
  RasterSurface surface(PF_RGB565, 6, 5);
  surface.setClip({1, 1, 4, 3});
  surface.fillRect(-5, -5, 8, 8, 0xFF00FF);
  const auto* pixels = static_cast<const uint16_t*>(surface.pixels());
  for (int32_t y = 0; y < 5; ++y) {
    for (int32_t x = 0; x < 6; ++x) {
      const bool inside = x >= 1 && x <= 2 && y >= 1 && y <= 2;
      EXPECT_EQ(pixels[y * surface.stride() / 2 + x], inside ? 0xF81F : 0) << x << "," << y;
    }
  }
}

TEST(RasterSurfaceDraw, fillsWriteZeroOnFormatsWithoutAColourConversion) {
  RasterSurface indexed(PF_INDEX8, 3, 3);
  static_cast<uint8_t*>(indexed.pixels())[4] = 9;
  indexed.fillRect(0, 0, 3, 3, 0xFFFFFF);
  EXPECT_EQ(static_cast<uint8_t*>(indexed.pixels())[4], 0);
  RasterSurface argb(PF_ARGB8888, 2, 2);
  argb.fillRect(0, 0, 2, 2, 0x12345678);
  EXPECT_EQ(static_cast<uint32_t*>(argb.pixels())[3], 0x12345678u);
  // 3-byte pixels are not filled at all.
  RasterSurface rgb(PF_RGB888, 2, 2);
  static_cast<uint8_t*>(rgb.pixels())[0] = 5;
  rgb.fillRect(0, 0, 2, 2, 0);
  EXPECT_EQ(static_cast<uint8_t*>(rgb.pixels())[0], 5);
}

TEST(RasterSurfaceDraw, hugeRectanglesAreClippedWithoutWrapping) {
  RasterSurface surface(PF_RGB565, 4, 4);
  surface.fillRect(0, 0, INT_MAX, INT_MAX, 0xFFFFFF);
  EXPECT_EQ(setPixels(surface).size(), 16u);
  RasterSurface other(PF_RGB565, 4, 4);
  other.fillRect(INT_MAX - 1, INT_MAX - 1, 10, 10, 0xFFFFFF);
  other.fillRect(INT_MIN, 0, INT_MAX, 4, 0xFFFFFF);
  EXPECT_TRUE(setPixels(other).empty());
}

TEST(RasterSurfaceDraw, undrawableSurfacesAreLeftAlone) {
  TestSurface pixels(PF_RGB565, 3, 3);
  pixels.fill(0);
  SurfaceDesc desc = pixels.desc();
  desc.drawable = 0;
  RasterSurface view(desc);
  view.fillRect(0, 0, 3, 3, 0xFFFFFF);
  view.drawLine({0, 0}, {2, 1}, 0xFFFFFF);
  EXPECT_EQ(pixels.pixel(0, 0), 0u);
}

TEST(RasterSurfaceDraw, linesTable) {
  struct Case {
    RasterPoint a;
    RasterPoint b;
    PixelSet expected;
  };
  const Case cases[] = {
      {{0, 0}, {5, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
      {{5, 2}, {0, 0}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
      // Even major: the middle pixel comes from the first end.
      {{0, 0}, {4, 1}, {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}}},
      {{4, 1}, {0, 0}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}},
      {{1, 0}, {2, 5}, {{1, 0}, {1, 1}, {1, 2}, {2, 3}, {2, 4}, {2, 5}}},
      {{0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
      {{3, 1}, {0, 1}, {{0, 1}, {1, 1}, {2, 1}, {3, 1}}},
      {{2, 4}, {2, 6}, {{2, 4}, {2, 5}}},
      // Clipped at the left edge: the crossing truncates toward zero.
      {{-2, 0}, {7, 3}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}, {7, 3}}},
      {{-2000000000, -2000000000}, {2000000000, 2000000000}, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}},
      {{-5, -5}, {-1, 3}, {}},
      {{-1, 7}, {7, -1}, {{1, 5}, {2, 4}, {3, 3}, {4, 2}, {5, 1}, {6, 0}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lineOn(8, 6, c.a, c.b), c.expected) << c.a.x << "," << c.a.y << " - " << c.b.x << "," << c.b.y;
  }
}

// Crossings of lines between the ends of the coordinate range, whose products
// of span and distance pass 2^63.
TEST(RasterSurfaceDraw, linesAcrossTheWholeCoordinateRangeAreClippedExactly) {
  const GUIRect clip{100, 100, 6, 6};
  EXPECT_EQ(lineOn(110, 110, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, clip),
            (PixelSet{{100, 100}, {101, 101}, {102, 102}, {103, 103}, {104, 104}, {105, 105}}));
  EXPECT_EQ(lineOn(110, 110, {INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}, clip),
            (PixelSet{{100, 100}, {101, 101}, {102, 102}, {103, 103}, {104, 104}, {105, 105}}));
  EXPECT_EQ(lineOn(110, 110, {INT_MIN + 210, INT_MAX}, {INT_MAX, INT_MIN + 210}, clip),
            (PixelSet{{104, 105}, {105, 104}}));
}

TEST(RasterSurfaceDraw, linesWithOddMajorsAreSymmetric) {
  for (int32_t x = -3; x < 12; ++x) {
    for (int32_t y = -3; y < 12; ++y) {
      const int32_t major = std::max(std::abs(x - 4), std::abs(y - 3));
      if (major % 2 == 1) {
        EXPECT_EQ(lineOn(20, 20, {9, 8}, {x + 5, y + 5}), lineOn(20, 20, {x + 5, y + 5}, {9, 8})) << x << "," << y;
        EXPECT_EQ(lineOn(20, 20, {9, 8}, {x + 5, y + 5}).size(), static_cast<size_t>(major + 1));
      }
    }
  }
}

TEST(RasterSurfaceDraw, linesStayInsideTheClip) {
  const GUIRect clip{2, 1, 4, 3};
  for (int32_t x = -4; x < 12; x += 3) {
    for (int32_t y = -4; y < 10; y += 2) {
      for (const PixelSet& pixels :
           {lineOn(8, 6, {x, y}, {7 - x, 5 - y}, clip), lineOn(8, 6, {x, 0}, {x + 3, 9}, clip)}) {
        for (auto [px, py] : pixels) {
          EXPECT_TRUE(px >= 2 && px < 6 && py >= 1 && py < 4) << px << "," << py;
        }
      }
    }
  }
}

TEST(RasterSurfaceDraw, horizontalAndVerticalLinesIncludeBothEnds) {
  RasterSurface surface(PF_ARGB8888, 6, 6);
  surface.setClip({1, 1, 4, 4});
  surface.drawHLine({-3, 2}, {9, 7}, 0xFFFFFF);
  surface.drawVLine({3, 4}, {3, -9}, 0xFFFFFF);
  surface.drawHLine({0, 0}, {5, 0}, 0xFFFFFF);  // above the clip
  EXPECT_EQ(setPixels(surface), (PixelSet{{1, 2}, {2, 2}, {3, 2}, {4, 2}, {3, 1}, {3, 3}, {3, 4}}));
}

TEST(RasterSurfaceDraw, drawRectOutlinesWPlusOneByHPlusOnePixels) {
  RasterSurface surface(PF_RGB565, 7, 6);
  surface.drawRect({0, 0, 4, 3}, 0xFFFFFF);
  PixelSet expected;
  for (int32_t x = 0; x <= 4; ++x) {
    expected.insert({x, 0});
    expected.insert({x, 3});
  }
  for (int32_t y = 0; y <= 3; ++y) {
    expected.insert({0, y});
    expected.insert({4, y});
  }
  EXPECT_EQ(setPixels(surface), expected);
  RasterSurface huge(PF_RGB565, 3, 3);
  huge.drawRect({1, 1, INT_MAX, INT_MAX}, 0xFFFFFF);
  EXPECT_EQ(setPixels(huge), (PixelSet{{1, 1}, {2, 1}, {1, 2}}));
}

}  // namespace
}  // namespace qel::raster::testing
