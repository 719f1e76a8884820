#include <gtest/gtest.h>

#include "CountingAllocator.h"
#include "TestSurface.h"
#include "microedition/raster/RasterPalette.h"
#include "microedition/raster/RasterSurface.h"

namespace qel::raster::testing {
namespace {

uint16_t at(const RasterSurface& s, int32_t x, int32_t y) {
  return static_cast<const uint16_t*>(s.pixels())[y * s.stride() / 2 + x];
}

// 3 x 2 RGB565 surface holding 1 2 3 / 4 5 6.
std::unique_ptr<RasterSurface> numbered(RasterAllocator* allocator = nullptr) {
  auto s = std::make_unique<RasterSurface>(PF_RGB565, 3, 2, allocator);
  auto* p = static_cast<uint16_t*>(s->pixels());
  const int32_t row = s->stride() / 2;
  for (int32_t i = 0; i < 6; ++i) {
    p[(i / 3) * row + i % 3] = static_cast<uint16_t>(i + 1);
  }
  return s;
}

TEST(RasterSurface, newSurfacesAreDrawableAndClippedToThemselves) {
  RasterSurface s(PF_ARGB8888, 5, 4);
  EXPECT_TRUE(s.isDrawable());
  EXPECT_TRUE(GUIRect::equals(s.clip(), {0, 0, 5, 4}));
  s.setClip({-2, 1, 4, 10});
  EXPECT_TRUE(GUIRect::equals(s.clip(), {0, 1, 2, 3}));
  s.setClip({9, 9, 2, 2});
  EXPECT_TRUE(s.clip().isEmpty());
}

TEST(RasterSurface, yuvSurfacesAreEmptyAndUndrawable) {
  RasterSurface s(PF_YUV420, 4, 4);
  EXPECT_EQ(s.format(), PF_NONE);
  EXPECT_FALSE(s.isDrawable());
  EXPECT_EQ(s.pixels(), nullptr);
  EXPECT_EQ(s.allocator(), nullptr);
}

TEST(RasterSurface, viewsShareThePixelsAndOwnNothing) {
  TestSurface pixels(PF_RGB565, 3, 3);
  pixels.fill(0);
  {
    RasterSurface view(pixels.desc());
    EXPECT_EQ(view.allocator(), nullptr);
    view.fillRect(1, 1, 1, 1, 0xFFFFFF);
  }
  EXPECT_EQ(pixels.pixel(1, 1), 0xFFFFu);
}

TEST(RasterSurface, attachFreesTheOwnedBufferAndBecomesAView) {
  int32_t alive = 0;
  auto* allocator = new CountingAllocator(&alive);
  TestSurface screen(PF_RGB565, 4, 2);
  {
    RasterSurface s(PF_RGB565, 8, 8, allocator);
    s.setClip({1, 1, 2, 2});
    EXPECT_EQ(allocator->live, 1);
    s.attach(screen.desc());
    EXPECT_EQ(alive, 0);  // the surface held the only count
    EXPECT_EQ(s.pixels(), screen.desc().pixels);
    EXPECT_TRUE(GUIRect::equals(s.clip(), {0, 0, 4, 2}));
  }
  EXPECT_EQ(alive, 0);
}

TEST(RasterSurface, createCompatibleKeepsTheFormat) {
  RasterSurface s(PF_INDEX8, 2, 2);
  auto other = s.createCompatible(5, 7);
  EXPECT_EQ(other->format(), PF_INDEX8);
  EXPECT_EQ(other->width(), 5);
  EXPECT_EQ(other->height(), 7);
  EXPECT_NE(other->palette(), nullptr);
}

TEST(RasterSurface, cloneCopiesPixelsAndPalette) {
  RasterSurface s(PF_INDEX8, 3, 2);
  s.palette()->setEntry(4, 0x123456);
  static_cast<uint8_t*>(s.pixels())[5] = 4;
  auto copy = s.clone();
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy->pixels(), s.pixels());
  EXPECT_EQ(static_cast<uint8_t*>(copy->pixels())[5], 4);
  EXPECT_EQ(copy->palette()->getEntry(4, PF_ARGB8888), 0x123456u);
}

TEST(RasterSurface, transformedCopiesTurnAndMirror) {
  auto s = numbered();
  struct Case {
    RasterTransform transform;
    int32_t width;
    int32_t height;
    std::vector<uint16_t> rows;
  };
  const Case cases[] = {
      {RT_NONE, 3, 2, {1, 2, 3, 4, 5, 6}},
      {RT_ROT180, 3, 2, {6, 5, 4, 3, 2, 1}},
      {RT_ROT90, 2, 3, {4, 1, 5, 2, 6, 3}},
      {RT_ROT270, 2, 3, {3, 6, 2, 5, 1, 4}},
      {RT_MIRROR_X, 3, 2, {3, 2, 1, 6, 5, 4}},
      {RT_MIRROR_Y, 3, 2, {4, 5, 6, 1, 2, 3}},
  };
  for (const Case& c : cases) {
    auto t = s->createTransformed(c.transform);
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(t->width(), c.width);
    ASSERT_EQ(t->height(), c.height);
    std::vector<uint16_t> rows;
    for (int32_t y = 0; y < c.height; ++y) {
      for (int32_t x = 0; x < c.width; ++x) {
        rows.push_back(at(*t, x, y));
      }
    }
    EXPECT_EQ(rows, c.rows) << "transform " << c.transform;
  }
  EXPECT_EQ(s->createTransformed(RT_ANGLE), nullptr);
}

TEST(RasterSurface, copiesAreNullWhenNoBufferCanBeMade) {
  auto* allocator = new CountingAllocator;
  allocator->addRef();
  auto s = numbered();
  allocator->failNext = true;
  EXPECT_EQ(s->clone(allocator), nullptr);
  EXPECT_EQ(s->createTransformed(RT_ROT90, allocator), nullptr);
  RasterSurface none(PF_NONE, 3, 3);
  EXPECT_EQ(none.clone(), nullptr);
  allocator->release();
}

TEST(RasterSurface, transformInPlaceReplacesTheBuffer) {
  auto s = numbered();
  ASSERT_TRUE(s->transformInPlace(RT_ROT270));
  EXPECT_EQ(s->width(), 2);
  EXPECT_EQ(s->height(), 3);
  EXPECT_EQ(at(*s, 0, 0), 3);
  EXPECT_EQ(at(*s, 1, 2), 4);
  EXPECT_TRUE(GUIRect::equals(s->clip(), {0, 0, 2, 3}));

  TestSurface pixels(PF_RGB565, 2, 2);
  RasterSurface view(pixels.desc());
  EXPECT_FALSE(view.transformInPlace(RT_ROT90));
}

TEST(RasterSurface, transformInPlaceWithAnotherAllocatorHandsTheBufferToIt) {
  int32_t alive = 0;
  auto* first = new CountingAllocator(&alive);
  auto* second = new CountingAllocator(&alive);
  second->addRef();
  {
    auto s = numbered(first);
    ASSERT_TRUE(s->transformInPlace(RT_MIRROR_X, second));
    // The old buffer went back to the allocator that made it, which had no
    // other count left.
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(s->allocator(), second);
    EXPECT_EQ(second->live, 1);
    EXPECT_EQ(at(*s, 0, 0), 3);
  }
  EXPECT_EQ(second->live, 0);
  second->release();
  EXPECT_EQ(alive, 0);
}

TEST(RasterSurface, transformInPlaceKeepsTheColoursOfIndexedSurfaces) {
  RasterSurface s(PF_INDEX8, 2, 1);
  s.palette()->setEntry(1, 0xABCDEF);
  static_cast<uint8_t*>(s.pixels())[0] = 1;
  ASSERT_TRUE(s.transformInPlace(RT_ROT90));
  EXPECT_EQ(s.width(), 1);
  EXPECT_EQ(static_cast<uint8_t*>(s.pixels())[0], 1);
  EXPECT_EQ(s.palette()->getEntry(1, PF_ARGB8888), 0xABCDEFu);
}

TEST(RasterSurface, tintedMasksAndMaskedSprites) {
  RasterSurface glyph(PF_ALPHA8, 2, 1);
  static_cast<uint8_t*>(glyph.pixels())[0] = 255;
  static_cast<uint8_t*>(glyph.pixels())[1] = 0;
  RasterSurface dest(PF_RGB565, 2, 1);
  dest.drawSurfaceTinted(0, 0, glyph, 0xFF0000, 3, RT_NONE);
  EXPECT_EQ(at(dest, 0, 0), 0xF800);
  EXPECT_EQ(at(dest, 1, 0), 0);

  RasterSurface sprite(PF_ARGB8888, 2, 1);
  static_cast<uint32_t*>(sprite.pixels())[0] = 0xFF00FF00;
  static_cast<uint32_t*>(sprite.pixels())[1] = 0x00FFFFFF;
  RasterSurface target(PF_RGB565, 2, 1);
  target.drawSurfaceMasked(0, 0, sprite, nullptr, 0xFF00FF, RT_NONE);
  EXPECT_EQ(at(target, 0, 0), 0x07E0);
  EXPECT_EQ(at(target, 1, 0), 0);
  RasterSurface mask(PF_ALPHA8, 2, 1);
  static_cast<uint8_t*>(mask.pixels())[1] = 255;
  target.drawSurfaceMasked(0, 0, sprite, &mask, kNoKey, RT_NONE);
  EXPECT_EQ(at(target, 1, 0), 0xFFFF);
}

}  // namespace
}  // namespace qel::raster::testing
