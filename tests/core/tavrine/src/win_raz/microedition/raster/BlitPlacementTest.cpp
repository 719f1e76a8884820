// Placement, transform and refusal cases of the blit engine.

#include <gtest/gtest.h>

#include "TestSurface.h"
#include "microedition/raster/RasterBlit.h"
#include "microedition/raster/RasterSurface.h"

namespace qel::raster::testing {
namespace {

// A numbered source: pixel (x, y) holds 0x100 * y + x + 1.
TestSurface numbered(int32_t w, int32_t h) {
  TestSurface s(PF_RGB565, w, h);
  for (int32_t y = 0; y < h; ++y) {
    for (int32_t x = 0; x < w; ++x) {
      s.setPixel(x, y, 0x100 * y + x + 1);
    }
  }
  return s;
}

uint32_t numberAt(int32_t x, int32_t y) { return 0x100 * y + x + 1; }

void copy(TestSurface& dest, const TestSurface& source, int32_t x, int32_t y, RasterTransform t) {
  BlitRequest r;
  r.dest = &dest.desc();
  r.source = &source.desc();
  r.x = x;
  r.y = y;
  r.transform = t;
  blit(r);
}

TEST(BlitPlacement, transformsOfAThreeByTwoSourceClippedOnTheLeft) {
  // Source:  1 2 3 / 0x101 0x102 0x103, placed at (-1, 0) on a 3 x 3 surface.
  struct Case {
    RasterTransform transform;
    uint32_t expected[3][3];
  };
  const Case cases[] = {
      {RT_NONE, {{numberAt(1, 0), numberAt(2, 0), 0}, {numberAt(1, 1), numberAt(2, 1), 0}, {0, 0, 0}}},
      {RT_ROT180, {{numberAt(1, 1), numberAt(0, 1), 0}, {numberAt(1, 0), numberAt(0, 0), 0}, {0, 0, 0}}},
      {RT_MIRROR_X, {{numberAt(1, 0), numberAt(0, 0), 0}, {numberAt(1, 1), numberAt(0, 1), 0}, {0, 0, 0}}},
      {RT_MIRROR_Y, {{numberAt(1, 1), numberAt(2, 1), 0}, {numberAt(1, 0), numberAt(2, 0), 0}, {0, 0, 0}}},
      // Quarter turns place a 2 x 3 picture; its left column is cut.
      {RT_ROT90, {{numberAt(0, 0), 0, 0}, {numberAt(1, 0), 0, 0}, {numberAt(2, 0), 0, 0}}},
      {RT_ROT270, {{numberAt(2, 1), 0, 0}, {numberAt(1, 1), 0, 0}, {numberAt(0, 1), 0, 0}}},
  };
  const TestSurface source = numbered(3, 2);
  for (const Case& c : cases) {
    TestSurface dest(PF_RGB565, 3, 3);
    dest.fill(0);
    copy(dest, source, -1, 0, c.transform);
    for (int32_t y = 0; y < 3; ++y) {
      for (int32_t x = 0; x < 3; ++x) {
        EXPECT_EQ(dest.pixel(x, y), c.expected[y][x]) << "transform " << c.transform << " at " << x << "," << y;
      }
    }
  }
}

TEST(BlitPlacement, argbSourcesDrawnWithAlphaKeepTheirOwnAlpha) {
  RasterSurface source(PF_ARGB8888, 2, 1);
  static_cast<uint32_t*>(source.pixels())[0] = 0x00FFFFFF;
  static_cast<uint32_t*>(source.pixels())[1] = 0xFFFFFFFF;
  RasterSurface dest(PF_RGB565, 2, 1);
  dest.drawSurfaceAlpha(0, 0, source, 128, nullptr, kNoKey, RT_NONE);
  EXPECT_EQ(static_cast<const uint16_t*>(dest.pixels())[0], 0u);
  EXPECT_EQ(static_cast<const uint16_t*>(dest.pixels())[1], 0x7BEF);
}

TEST(BlitPlacement, rgb565To555WalksOnlyUntransformed) {
  RasterSurface source(PF_RGB565, 1, 1);
  source.fillRect(0, 0, 1, 1, 0xFFFFFF);
  TestSurface screen(PF_RGB555, 1, 1);
  RasterSurface view(screen.desc());
  view.drawSurface(0, 0, source, nullptr, RT_NONE);
  EXPECT_EQ(screen.pixel(0, 0), 0x7FFFu);
  // Only the untransformed walk fits this pair.
  screen.setPixel(0, 0, 0);
  view.drawSurface(0, 0, source, nullptr, RT_MIRROR_X);
  EXPECT_EQ(screen.pixel(0, 0), 0u);
}

TEST(BlitPlacement, aSeparateMaskMustCoverTheSkippedAndVisiblePixels) {
  TestSurface source(PF_ARGB8888, 8, 8);
  source.fill(0xFFFFFFFF);
  struct Case {
    int32_t maskSide;
    bool drawn;
  };
  // At (-2, -2) on a 4 x 4 surface the blit reads source pixels 2..5.
  const Case cases[] = {{4, false}, {5, false}, {6, true}, {8, true}};
  for (const Case& c : cases) {
    TestSurface mask(PF_ALPHA8, c.maskSide, c.maskSide, 0);
    mask.fill(0xFF);
    TestSurface dest(PF_RGB565, 4, 4);
    dest.fill(0);
    BlitRequest r;
    r.mode = BLIT_MASKED;
    r.dest = &dest.desc();
    r.source = &source.desc();
    r.mask = &mask.desc();
    r.x = -2;
    r.y = -2;
    blit(r);
    EXPECT_EQ(dest.pixel(0, 0), c.drawn ? 0xFFFFu : 0u) << "mask side " << c.maskSide;
  }
}

TEST(BlitPlacement, requestsThatCannotBeDrawnDrawNothing) {
  TestSurface source = numbered(3, 3);
  TestSurface dest(PF_RGB565, 3, 3);
  dest.fill(0);
  const TestSurface before(dest);
  auto expectUntouched = [&](BlitRequest r, const char* what) {
    blit(r);
    EXPECT_EQ(dest.bytes(), before.bytes()) << what;
  };
  BlitRequest base;
  base.dest = &dest.desc();
  base.source = &source.desc();

  BlitRequest r = base;
  r.dest = nullptr;
  expectUntouched(r, "no destination");
  r = base;
  r.source = nullptr;
  expectUntouched(r, "no source");
  SurfaceDesc undrawable = dest.desc();
  undrawable.drawable = 0;
  r = base;
  r.dest = &undrawable;
  expectUntouched(r, "undrawable");
  SurfaceDesc noPixels = source.desc();
  noPixels.pixels = nullptr;
  r = base;
  r.source = &noPixels;
  expectUntouched(r, "source without pixels");
  r = base;
  r.useClip = 1;
  r.clip = {1, 1, 0, 5};
  expectUntouched(r, "empty clip");
  r = base;
  r.x = 3;
  expectUntouched(r, "right of the surface");
  r = base;
  r.y = -3;
  r.transform = RT_ROT90;
  expectUntouched(r, "turned, above the surface");
  r = base;
  r.mode = static_cast<BlitMode>(9);
  expectUntouched(r, "unknown mode");
  SurfaceDesc empty = source.desc();
  empty.width = 0;
  r = base;
  r.source = &empty;
  expectUntouched(r, "empty source");
}

TEST(BlitPlacement, aClipOutsideTheDestinationIsCutToIt) {
  TestSurface source = numbered(6, 6);
  TestSurface dest(PF_RGB565, 3, 3);
  dest.fill(0);
  BlitRequest r;
  r.dest = &dest.desc();
  r.source = &source.desc();
  r.x = -1;
  r.y = -1;
  r.useClip = 1;
  r.clip = {-5, -5, 50, 50};
  blit(r);
  TestSurface expected(PF_RGB565, 3, 3);
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 3; ++x) {
      expected.setPixel(x, y, numberAt(x + 1, y + 1));
    }
  }
  EXPECT_EQ(dest.bytes(), expected.bytes());
}

}  // namespace
}  // namespace qel::raster::testing
