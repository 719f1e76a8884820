#include <climits>
#include <gtest/gtest.h>

#include "CountingAllocator.h"
#include "microedition/raster/RasterPalette.h"
#include "microedition/raster/RasterSurface.h"

namespace qel::raster::testing {
namespace {

TEST(DefaultRasterAllocator, stridesPadTwoByteRowsToFourBytesAndNeverOneByteRows) {
  struct Case {
    PixelFormat format;
    int32_t width;
    int32_t stride;
  };
  const Case cases[] = {{PF_RGB565, 3, 8},
                        {PF_RGB565, 2, 4},
                        {PF_RGB565, 1, 4},
                        {PF_INDEX8, 3, 3},
                        {PF_ALPHA8, 5, 5},
                        {PF_ARGB8888, 3, 12},
                        {PF_RGB888, 1, 5},
                        {PF_RGB888, 3, 9},
                        {PF_RGB555, 5, 12}};
  for (const Case& c : cases) {
    RasterSurface surface(c.format, c.width, 2);
    ASSERT_NE(surface.pixels(), nullptr);
    EXPECT_EQ(surface.stride(), c.stride) << c.format << " " << c.width;
  }
}

TEST(DefaultRasterAllocator, indexedBuffersGetAZeroedPaletteOf256Entries) {
  RasterSurface indexed(PF_INDEX8, 4, 4);
  ASSERT_NE(indexed.palette(), nullptr);
  EXPECT_EQ(indexed.palette()->count(), 256);
  EXPECT_EQ(indexed.palette()->getEntry(255, PF_ARGB8888), 0u);
  RasterSurface plain(PF_RGB565, 4, 4);
  EXPECT_EQ(plain.palette(), nullptr);
}

TEST(DefaultRasterAllocator, refusesBadSizesWithoutAllocating) {
  struct Case {
    PixelFormat format;
    int32_t width;
    int32_t height;
  };
  const Case cases[] = {{PF_RGB565, 0, 5},
                        {PF_RGB565, 5, 0},
                        {PF_RGB565, -1, 5},
                        {PF_RGB565, 5, -7},
                        {PF_RGB565, 16385, 1},
                        {PF_RGB565, 1, 16385},
                        {PF_ARGB8888, 70000, 70000},
                        {PF_ARGB8888, INT_MAX, INT_MAX},
                        {PF_NONE, 4, 4},
                        {static_cast<PixelFormat>(42), 4, 4}};
  for (const Case& c : cases) {
    auto* allocator = new CountingAllocator;
    {
      RasterSurface surface(c.format, c.width, c.height, allocator);
      EXPECT_EQ(surface.pixels(), nullptr) << c.width << "x" << c.height;
      EXPECT_EQ(allocator->allocCalls, 0);
      // Drawing on a surface without pixels does nothing.
      surface.fillRect(0, 0, 10, 10, 0xFFFFFF);
      surface.drawLine({0, 0}, {3, 7}, 0xFFFFFF);
      RasterSurface source(PF_RGB565, 2, 2);
      surface.drawSurface(0, 0, source, nullptr, RT_NONE);
    }
  }
  RasterSurface largest(PF_RGB565, 16384, 1);
  EXPECT_NE(largest.pixels(), nullptr);
}

TEST(DefaultRasterAllocator, failedAllocationLeavesTheDescriptorUnchanged) {
  CountingAllocator allocator;
  allocator.addRef();
  allocator.failNext = true;
  SurfaceDesc desc;
  desc.format = PF_INDEX8;
  desc.width = 4;
  desc.height = 4;
  desc.stride = 77;
  EXPECT_FALSE(allocator.createBuffer(desc));
  EXPECT_EQ(desc.stride, 77);
  EXPECT_EQ(desc.pixels, nullptr);
  EXPECT_EQ(desc.palette, nullptr);
}

TEST(RasterAllocator, surfacesHoldACountAndFreeTheirBufferThroughTheirAllocator) {
  int32_t alive = 0;
  auto* allocator = new CountingAllocator(&alive);
  allocator->addRef();
  {
    RasterSurface a(PF_RGB565, 4, 4, allocator);
    RasterSurface b(PF_INDEX8, 4, 4, allocator);
    EXPECT_EQ(allocator->refCount(), 3);
    EXPECT_EQ(allocator->live, 2);
  }
  EXPECT_EQ(allocator->live, 0);
  EXPECT_EQ(allocator->refCount(), 1);
  RasterSurface* last = new RasterSurface(PF_RGB565, 2, 2, allocator);
  allocator->release();
  EXPECT_EQ(alive, 1);
  delete last;
  EXPECT_EQ(alive, 0);
}

TEST(RasterAllocator, defaultIsCreatedOnFirstUseEvenWithoutAHolder) {
  RasterAllocator::destroyDefault();
  RasterAllocator* first = RasterAllocator::getDefault();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(RasterAllocator::getDefault(), first);
  EXPECT_EQ(first->refCount(), 1);
  {
    RasterSurface surface(PF_RGB565, 3, 3);
    EXPECT_EQ(surface.allocator(), first);
    EXPECT_EQ(first->refCount(), 2);
  }
  RasterAllocator::createHolder();
  EXPECT_EQ(RasterAllocator::getDefault(), first);
}

TEST(RasterAllocator, surfacesOutliveTheDefaultsShutdown) {
  RasterAllocator::createHolder();
  auto survivor = std::make_unique<RasterSurface>(PF_RGB565, 3, 3);
  RasterAllocator* used = survivor->allocator();
  RasterAllocator::destroyDefault();
  EXPECT_EQ(used->refCount(), 1);
  survivor->fillRect(0, 0, 3, 3, 0xFFFFFF);
  survivor.reset();
  EXPECT_NE(RasterAllocator::getDefault(), nullptr);
}

}  // namespace
}  // namespace qel::raster::testing
