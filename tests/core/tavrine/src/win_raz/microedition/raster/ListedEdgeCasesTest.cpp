// The raster layer's listed edge cases, one row each.

#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <utility>

#include "TestSurface.h"
#include "microedition/raster/RasterBlit.h"
#include "microedition/raster/RasterPalette.h"
#include "microedition/raster/RasterSurface.h"

namespace qel::raster::testing {
namespace {

uint16_t at(const RasterSurface& s, int32_t x, int32_t y) {
  return static_cast<const uint16_t*>(s.pixels())[y * s.stride() / 2 + x];
}

std::set<std::pair<int32_t, int32_t>> lit(const RasterSurface& s) {
  std::set<std::pair<int32_t, int32_t>> pixels;
  for (int32_t y = 0; y < s.height(); ++y) {
    for (int32_t x = 0; x < s.width(); ++x) {
      if (at(s, x, y) != 0) {
        pixels.insert({x, y});
      }
    }
  }
  return pixels;
}

// A numbered RGB565 source: pixel (x, y) holds 0x100 * y + x + 1.
std::unique_ptr<RasterSurface> numbered(int32_t w, int32_t h) {
  auto s = std::make_unique<RasterSurface>(PF_RGB565, w, h);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      static_cast<uint16_t*>(s->pixels())[y * s->stride() / 2 + x] = static_cast<uint16_t>(0x100 * y + x + 1);
    }
  }
  return s;
}

struct EdgeCase {
  const char* name;
  std::function<void()> check;
};

const EdgeCase kCases[] = {
    {"convertColor of magenta in RGB565 is 0xF81F, in INDEX8 0",
     [] {
       EXPECT_EQ(convertColor(PF_RGB565, 0xFF00FF), 0xF81Fu);
       EXPECT_EQ(convertColor(PF_INDEX8, 0x123456), 0u);
     }},
    {"a 3-pixel-wide RGB565 row is padded to 8 bytes, an INDEX8 row is not",
     [] {
       EXPECT_EQ(RasterSurface(PF_RGB565, 3, 1).stride(), 8);
       EXPECT_EQ(RasterSurface(PF_INDEX8, 3, 1).stride(), 3);
     }},
    {"drawLine (0, 0)-(5, 2) writes 6 pixels, the same both ways",
     [] {
       RasterSurface forward(PF_RGB565, 8, 4);
       forward.drawLine({0, 0}, {5, 2}, 0xFFFFFF);
       RasterSurface backward(PF_RGB565, 8, 4);
       backward.drawLine({5, 2}, {0, 0}, 0xFFFFFF);
       EXPECT_EQ(lit(forward).size(), 6u);
       EXPECT_EQ(lit(forward), lit(backward));
     }},
    {"drawRect (0, 0, 4, 3) outlines a 5 x 4 frame",
     [] {
       RasterSurface s(PF_RGB565, 8, 8);
       s.drawRect({0, 0, 4, 3}, 0xFFFFFF);
       const auto pixels = lit(s);
       EXPECT_EQ(pixels.size(), 14u);
       EXPECT_TRUE(pixels.count({4, 3}) && pixels.count({0, 3}) && pixels.count({4, 0}));
       EXPECT_FALSE(pixels.count({5, 0}) || pixels.count({0, 4}) || pixels.count({1, 1}));
     }},
    {"a blit at (-3, -2) shows the source from its pixel (3, 2) at the clip corner",
     [] {
       auto source = numbered(6, 5);
       RasterSurface dest(PF_RGB565, 4, 4);
       dest.setClip({1, 1, 3, 3});
       dest.drawSurface(-2, -1, *source, nullptr, RT_NONE);
       EXPECT_EQ(at(dest, 1, 1), 0x100 * 2 + 3 + 1);
       EXPECT_EQ(at(dest, 0, 0), 0);
       RasterSurface whole(PF_RGB565, 4, 4);
       whole.drawSurface(-3, -2, *source, nullptr, RT_NONE);
       EXPECT_EQ(at(whole, 0, 0), 0x100 * 2 + 3 + 1);
     }},
    {"RT_ROT90 of a 2 x 1 source puts (1, 0) below (0, 0); RT_ROT270 puts (0, 0) at (0, 1)",
     [] {
       auto source = numbered(2, 1);
       RasterSurface cw(PF_RGB565, 2, 2);
       cw.drawSurface(0, 0, *source, nullptr, RT_ROT90);
       EXPECT_EQ(at(cw, 0, 0), 1);
       EXPECT_EQ(at(cw, 0, 1), 2);
       RasterSurface ccw(PF_RGB565, 2, 2);
       ccw.drawSurface(0, 0, *source, nullptr, RT_ROT270);
       EXPECT_EQ(at(ccw, 0, 1), 1);
       EXPECT_EQ(at(ccw, 0, 0), 2);
     }},
    {"a keyed indexed source skips every pixel whose entry 7 is magenta",
     [] {
       RasterSurface source(PF_INDEX8, 4, 1);
       source.palette()->setEntry(7, 0xFF00FF);
       source.palette()->setEntry(1, 0x0000FF);
       const uint8_t indices[] = {7, 1, 7, 1};
       std::copy(std::begin(indices), std::end(indices), static_cast<uint8_t*>(source.pixels()));
       RasterSurface dest(PF_RGB565, 4, 1);
       dest.fillRect(0, 0, 4, 1, 0xFFFFFF);
       dest.drawSurfaceKeyed(0, 0, source, 0xFF00FF, nullptr, RT_NONE, 0.0f);
       EXPECT_EQ(at(dest, 0, 0), 0xFFFF);
       EXPECT_EQ(at(dest, 1, 0), 0x001F);
       EXPECT_EQ(at(dest, 2, 0), 0xFFFF);
       EXPECT_EQ(at(dest, 3, 0), 0x001F);
     }},
    {"a blend with alpha 0 changes nothing, with 255 from RGB565 it copies",
     [] {
       RasterSurface source(PF_RGB565, 2, 2);
       source.fillRect(0, 0, 2, 2, 0x00FF00);
       RasterSurface dest(PF_RGB565, 2, 2);
       dest.fillRect(0, 0, 2, 2, 0xFFFFFF);
       dest.drawSurfaceAlpha(0, 0, source, 0, nullptr, kNoKey, RT_NONE);
       EXPECT_EQ(at(dest, 1, 1), 0xFFFF);
       dest.drawSurfaceAlpha(0, 0, source, 255, nullptr, kNoKey, RT_NONE);
       EXPECT_EQ(at(dest, 1, 1), 0x07E0);
     }},
    {"angle 0.00005 draws unrotated at the top-left, 0.5 around the centre",
     [] {
       RasterSurface source(PF_RGB565, 4, 2);
       source.fillRect(0, 0, 4, 2, 0xFFFFFF);
       RasterSurface flat(PF_RGB565, 10, 10);
       flat.drawSurfaceKeyed(3, 3, source, 0xFF00FF, nullptr, RT_NONE, 0.00005f);
       EXPECT_EQ(
           lit(flat),
           (std::set<std::pair<int32_t, int32_t>>{{3, 3}, {4, 3}, {5, 3}, {6, 3}, {3, 4}, {4, 4}, {5, 4}, {6, 4}}));
       RasterSurface turned(PF_RGB565, 10, 10);
       turned.drawSurfaceKeyed(3, 3, source, 0xFF00FF, nullptr, RT_NONE, 0.5f);
       EXPECT_EQ(at(turned, 3, 3), 0xFFFF);  // the centre
       EXPECT_EQ(at(turned, 2, 2), 0xFFFF);
       EXPECT_EQ(at(turned, 6, 4), 0);  // the unrotated far corner
     }},
    {"an RGB565 -> RGB555 copy of 0xFFFF yields 0x7FFF",
     [] {
       RasterSurface source(PF_RGB565, 1, 1);
       source.fillRect(0, 0, 1, 1, 0xFFFFFF);
       TestSurface screen(PF_RGB555, 1, 1);
       RasterSurface view(screen.desc());
       view.drawSurface(0, 0, source, nullptr, RT_NONE);
       EXPECT_EQ(screen.pixel(0, 0), 0x7FFFu);
     }},
};

TEST(ListedEdgeCases, everyRow) {
  for (const EdgeCase& c : kCases) {
    SCOPED_TRACE(c.name);
    c.check();
  }
}

}  // namespace
}  // namespace qel::raster::testing
