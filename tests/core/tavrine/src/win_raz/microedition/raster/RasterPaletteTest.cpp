#include <gtest/gtest.h>

#include "TestSurface.h"
#include "microedition/raster/RasterBlit.h"
#include "microedition/raster/RasterPalette.h"

namespace qel::raster::testing {
namespace {

TEST(RasterPalette, entriesAndTheirRgb565Cache) {
  RasterPalette palette;
  palette.setEntry(3, 0xFF00FF);
  EXPECT_EQ(palette.getEntry(3, PF_ARGB8888), 0xFF00FFu);
  EXPECT_EQ(palette.getEntry(3, PF_RGB565), 0xF81Fu);
  EXPECT_EQ(palette.getEntry(3, PF_INDEX8), 0u);
  EXPECT_EQ(palette.getEntry(-1, PF_ARGB8888), 0u);
  EXPECT_EQ(palette.getEntry(256, PF_ARGB8888), 0u);
  palette.setEntry(256, 0xFFFFFF);  // ignored
  palette.setEntry(-1, 0xFFFFFF);

  const auto* cache = static_cast<const uint16_t*>(palette.getTable(PF_RGB565));
  EXPECT_EQ(cache[3], 0xF81F);
  // A change makes the cache stale; the next request rebuilds it.
  palette.setEntry(3, 0x00FF00);
  EXPECT_EQ(static_cast<const uint16_t*>(palette.getTable(PF_RGB565))[3], 0x07E0);
  EXPECT_EQ(static_cast<const uint32_t*>(palette.getTable(PF_ARGB8888))[3], 0x00FF00u);
  EXPECT_EQ(palette.getTable(PF_RGB888), nullptr);
}

TEST(RasterPalette, assignCopiesEntriesAndResizes) {
  RasterPalette source(16);
  source.setEntry(15, 0x123456);
  source.getTable(PF_RGB565);
  RasterPalette target;
  target.assign(source);
  EXPECT_EQ(target.count(), 16);
  EXPECT_EQ(target.getEntry(15, PF_ARGB8888), 0x123456u);
  EXPECT_EQ(target.getEntry(15, PF_RGB565), convertColor(PF_RGB565, 0x123456));
  EXPECT_EQ(target.getEntry(16, PF_ARGB8888), 0u);

  RasterPalette same(16);
  same.setEntry(0, 0xFFFFFF);
  same.getTable(PF_RGB565);
  same.assign(source);
  EXPECT_EQ(same.getEntry(0, PF_RGB565), 0u);
}

TEST(RasterPalette, indicesBeyondAShortPaletteDrawColourZero) {
  RasterPalette shortPalette(4);
  shortPalette.setEntry(1, 0xFFFFFF);
  TestSurface source(PF_INDEX8, 2, 1);
  source.setPixel(0, 0, 1);
  source.setPixel(1, 0, 200);
  TestSurface dest(PF_RGB565, 2, 1);
  dest.fill(0x1234);
  BlitRequest r;
  r.dest = &dest.desc();
  r.source = &source.desc();
  r.palette = &shortPalette;
  blit(r);
  EXPECT_EQ(dest.pixel(0, 0), 0xFFFFu);
  EXPECT_EQ(dest.pixel(1, 0), 0u);
}

}  // namespace
}  // namespace qel::raster::testing
