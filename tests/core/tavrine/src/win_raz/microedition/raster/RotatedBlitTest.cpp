#include <cmath>
#include <gtest/gtest.h>
#include <limits>

#include "TestSurface.h"
#include "microedition/raster/RasterBlit.h"
#include "microedition/raster/RasterSurface.h"

namespace qel::raster::testing {
namespace {

constexpr uint32_t kKey565 = 0xF81F;
constexpr uint32_t kBackground = 0x0841;

TestSurface pattern(int32_t w, int32_t h) {
  TestSurface s(PF_RGB565, w, h);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      s.setPixel(x, y, (x * 7 + y * 131 + 3) & 0xFFFF);
    }
  }
  s.setPixel(1, 1, kKey565);
  return s;
}

BlitRequest rotated(TestSurface& dest, const TestSurface& source, int32_t x, int32_t y, float angle) {
  BlitRequest r;
  r.mode = BLIT_KEYED;
  r.dest = &dest.desc();
  r.source = &source.desc();
  r.x = x;
  r.y = y;
  r.key = 0xFF00FF;
  r.transform = RT_ANGLE;
  r.angle = angle;
  r.useClip = 1;
  r.clip = {0, 0, dest.desc().width, dest.desc().height};
  return r;
}

// The rotation evaluated directly at every pixel centre.
uint32_t expectedAt(const TestSurface& source, int32_t cx, int32_t cy, float angle, int32_t X, int32_t Y,
                    uint32_t before) {
  const int64_t c = static_cast<int64_t>(std::cos(-static_cast<double>(angle)) * 1024.0);
  const int64_t s = static_cast<int64_t>(std::sin(-static_cast<double>(angle)) * 1024.0);
  const int64_t px = (X - cx) * 64 + 32;
  const int64_t py = (Y - cy) * 64 + 32;
  const int64_t u = c * px + s * py + source.desc().width * 32768;
  const int64_t v = c * py - s * px + source.desc().height * 32768;
  const int64_t sx = u >> 16;
  const int64_t sy = v >> 16;
  if (sx < 0 || sy < 0 || sx >= source.desc().width || sy >= source.desc().height) {
    return before;
  }
  const uint32_t p = source.pixel(static_cast<int32_t>(sx), static_cast<int32_t>(sy));
  return p == kKey565 ? before : p;
}

TEST(RotatedBlit, matchesTheFixedPointRotationAtEveryPixel) {
  const TestSurface source = pattern(7, 4);
  for (float angle : {0.5f, 1.0f, 2.0f, 3.14159f, 4.5f, 6.0f}) {
    for (auto [cx, cy] : {std::pair{10, 9}, std::pair{1, 2}, std::pair{18, 17}}) {
      TestSurface dest(PF_RGB565, 20, 19);
      dest.fill(kBackground);
      BlitRequest r = rotated(dest, source, cx, cy, angle);
      blit(r);
      for (int32_t Y = 0; Y < 19; ++Y) {
        for (int32_t X = 0; X < 20; ++X) {
          ASSERT_EQ(dest.pixel(X, Y), expectedAt(source, cx, cy, angle, X, Y, kBackground))
              << "angle " << angle << " centre " << cx << "," << cy << " at " << X << "," << Y;
        }
      }
    }
  }
}

TEST(RotatedBlit, agreesWithAnExactRotationAwayFromPixelEdges) {
  const TestSurface source = pattern(9, 6);
  const float angle = 0.7f;
  TestSurface dest(PF_RGB565, 24, 24);
  dest.fill(kBackground);
  BlitRequest r = rotated(dest, source, 12, 12, angle);
  blit(r);
  int32_t compared = 0;
  for (int32_t Y = 0; Y < 24; ++Y) {
    for (int32_t X = 0; X < 24; ++X) {
      const double dx = X + 0.5 - 12;
      const double dy = Y + 0.5 - 12;
      const double u = std::cos(angle) * dx - std::sin(angle) * dy + 4.5;
      const double v = std::sin(angle) * dx + std::cos(angle) * dy + 3.0;
      const double fu = u - std::floor(u);
      const double fv = v - std::floor(v);
      if (fu < 0.05 || fu > 0.95 || fv < 0.05 || fv > 0.95 || u < 0 || v < 0 || u >= 9 || v >= 6) {
        continue;
      }
      const uint32_t p = source.pixel(static_cast<int32_t>(u), static_cast<int32_t>(v));
      if (p != kKey565) {
        EXPECT_EQ(dest.pixel(X, Y), p) << X << "," << Y;
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 20);
}

TEST(RotatedBlit, aPositiveAngleTurnsCounterClockwise) {
  TestSurface source(PF_RGB565, 9, 9);
  source.fill(0x0001);
  for (int32_t y = 3; y <= 5; ++y) {
    for (int32_t x = 6; x <= 8; ++x) {
      source.setPixel(x, y, 0xFFFF);  // a block right of the centre
    }
  }
  TestSurface dest(PF_RGB565, 30, 30);
  dest.fill(0);
  BlitRequest r = rotated(dest, source, 15, 15, 1.5707964f);
  blit(r);
  int32_t marked = 0;
  for (int32_t Y = 0; Y < 30; ++Y) {
    for (int32_t X = 0; X < 30; ++X) {
      if (dest.pixel(X, Y) == 0xFFFF) {
        ++marked;
        EXPECT_LT(Y, 15 - 1) << X << "," << Y;
        EXPECT_LE(std::abs(X - 15), 2) << X << "," << Y;
      }
    }
  }
  EXPECT_GE(marked, 9);
}

TEST(RotatedBlit, neverWritesOutsideTheDestination) {
  const TestSurface source = pattern(7, 7);
  for (int32_t useClip : {0, 1}) {
    for (auto [cx, cy] : {std::pair{0, 0}, std::pair{5, 4}, std::pair{-2, 6}, std::pair{7, -1}}) {
      TestSurface dest(PF_RGB565, 6, 5, 4);
      dest.fill(kBackground);
      const TestSurface before(dest);
      BlitRequest r = rotated(dest, source, cx, cy, 0.9f);
      r.useClip = useClip;
      r.clip = {-20, -20, 60, 60};
      blit(r);
      const auto& after = dest.bytes();
      const int32_t stride = dest.desc().stride;
      for (size_t i = 0; i < after.size(); ++i) {
        const bool padding = static_cast<int32_t>(i % stride) >= 12 || i >= static_cast<size_t>(stride * 5);
        if (padding) {
          ASSERT_EQ(after[i], before.bytes()[i]) << "byte " << i;
        }
      }
    }
  }
}

TEST(RotatedBlit, onlySixteenBitSurfacesOfOneFormatAreRotated) {
  TestSurface source(PF_ARGB8888, 3, 3);
  source.fill(0xFFFFFFFF);
  TestSurface dest(PF_ARGB8888, 8, 8);
  dest.fill(0);
  const TestSurface before(dest);
  BlitRequest r = rotated(dest, source, 4, 4, 0.5f);
  blit(r);
  EXPECT_EQ(dest.bytes(), before.bytes());
  TestSurface narrow(PF_RGB565, 3, 3);
  narrow.fill(0xFFFF);
  r = rotated(dest, narrow, 4, 4, 0.5f);
  blit(r);
  EXPECT_EQ(dest.bytes(), before.bytes());
  TestSurface dest565(PF_RGB565, 8, 8);
  dest565.fill(0);
  r = rotated(dest565, narrow, 4, 4, 0.5f);
  r.clip = {2, 2, 0, 0};
  const TestSurface before565(dest565);
  blit(r);
  EXPECT_EQ(dest565.bytes(), before565.bytes()) << "empty clip";
  r = rotated(dest565, narrow, 4, 4, std::numeric_limits<float>::infinity());
  blit(r);
  EXPECT_EQ(dest565.bytes(), before565.bytes()) << "infinite angle";
}

}  // namespace
}  // namespace qel::raster::testing
