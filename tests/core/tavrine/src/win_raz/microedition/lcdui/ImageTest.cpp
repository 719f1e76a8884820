#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "Fixtures.h"
#include "SurfacePixels.h"
#include "io/DByteArrayInputStream.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "lang/DintArray.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/DPalette.h"
#include "microedition/raster/RasterPalette.h"
#include "microedition/raster/RasterSurface.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

namespace {

using qel::lang::DintArray;
using qel::lang::DintArrayPtr;
using qel::lcdui::DImage;
using qel::lcdui::DImagePtr;
using qel::lcdui::DPalette;
using qel::lcdui::DPalettePtr;
namespace code = qel::lang::ExceptionCode;
namespace raster = qel::raster;

// A width x height RGB565 image whose pixel (x, y) is x * 16 + y.
DImagePtr numbered(int width, int height) {
  DImagePtr image = DImage::createImage(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(image->surface().pixels()) + y * image->surface().stride())[x] =
          static_cast<uint16_t>(x * 16 + y);
  return image;
}

TEST(BlankImage, StartsWhiteOrIndexZero) {
  EXPECT_EQ(pixelAt(*DImage::createImage(3, 2), 2, 1), 0xFFFFu);
  EXPECT_EQ(pixelAt(*DImage::createImageOfFormat(3, 2, raster::PF_ARGB8888), 2, 1), 0x00FFFFFFu);
  const DImagePtr indexed = DImage::createImageOfFormat(3, 2, raster::PF_INDEX8);
  EXPECT_EQ(pixelAt(*indexed, 2, 1), 0u);
  EXPECT_TRUE(indexed->hasPalette());
  EXPECT_FALSE(DImage::createImage(3, 2)->isKeyed());
  EXPECT_TRUE(DImage::createImage(3, 2)->isMutable());
}

// An image never comes back without pixels.
TEST(BlankImage, RefusesSizesItCannotHold) {
  EXPECT_THROWS_CODE(code::IllegalArgument, DImage::createImage(0, 5));
  EXPECT_THROWS_CODE(code::IllegalArgument, DImage::createImage(5, -1));
  EXPECT_THROWS_CODE(code::NullPointer, DImage::createImage(20000, 10));
  EXPECT_THROWS_CODE(code::NullPointer, DImage(std::make_unique<raster::RasterSurface>(raster::PF_NONE, 4, 4)));
  EXPECT_THROWS_CODE(code::NullPointer, DImage(nullptr));
}

TEST(ImageTransform, SpriteNumbersMapToCopies) {
  const DImagePtr source = numbered(10, 20);
  const DImagePtr turned = DImage::createTransformedImage(source, 5);
  EXPECT_EQ(turned->getWidth(), 20);
  EXPECT_EQ(turned->getHeight(), 10);
  // Clockwise: the source's bottom-left corner becomes the top-left one.
  EXPECT_EQ(pixelAt(*turned, 0, 0), pixelAt(*source, 0, 19));
  EXPECT_EQ(pixelAt(*DImage::createTransformedImage(source, 6), 0, 0), pixelAt(*source, 9, 0));
  EXPECT_EQ(pixelAt(*DImage::createTransformedImage(source, 2), 0, 0), pixelAt(*source, 9, 0));
  EXPECT_EQ(pixelAt(*DImage::createTransformedImage(source, 3), 0, 0), pixelAt(*source, 9, 19));
  EXPECT_EQ(pixelAt(*DImage::createTransformedImage(source, 0), 4, 7), pixelAt(*source, 4, 7));
  for (int transform : {1, 4, 7, 8, -1})
    EXPECT_THROWS_CODE(code::IllegalArgument, DImage::createTransformedImage(source, transform)) << transform;
  EXPECT_THROWS_CODE(code::NullPointer, DImage::createTransformedImage(nullptr, 0));
}

TEST(ImageTransform, KeepsKeyAndPalette) {
  const DImagePtr source = DImage::createImageOfFormat(4, 2, raster::PF_INDEX8);
  source->setKeyed(true);
  source->surface().palette()->setEntry(0, 0x123456);
  const DImagePtr copy = DImage::createTransformedImage(source, 3);
  EXPECT_TRUE(copy->isKeyed());
  EXPECT_EQ(copy->surface().palette()->getEntry(0, raster::PF_ARGB8888), 0x123456u);
}

TEST(ImagePalette, CopiesInAndOut) {
  EXPECT_FALSE(DImage::createImage(2, 2)->hasPalette());
  EXPECT_FALSE(DImage::createImage(2, 2)->getPalette());
  EXPECT_FALSE(DImage::createImage(2, 2)->setPalette(new DPalette(256)));
  const DImagePtr indexed = DImage::createImageOfFormat(2, 2, raster::PF_INDEX8);
  const DPalettePtr palette(new DPalette(256));
  palette->palette().setEntry(0, 0xFF0000);
  EXPECT_TRUE(indexed->setPalette(palette));
  const DPalettePtr copy = indexed->getPalette();
  EXPECT_NE(copy, palette);
  EXPECT_EQ(copy->palette().getEntry(0, raster::PF_RGB565), 0xF800u);
  EXPECT_EQ(copy->getClassName(), "DObject");
  EXPECT_THROWS_CODE(code::NullPointer, indexed->setPalette(nullptr));
}

TEST(ImageKey, FillWithColorKeyMakesEveryPixelTransparent) {
  const DImagePtr image = DImage::createImage(3, 3);
  image->fillWithColorKey();
  EXPECT_TRUE(image->isKeyed());
  EXPECT_EQ(pixelAt(*image, 1, 2), 0xF81Fu);
}

TEST(ImageRgb, ConvertsAndLeavesKeyedPixelsUntouched) {
  const DImagePtr image = DImage::createImage(2, 2);
  image->surface().fillRect(0, 0, 2, 2, 0x12FF34);
  image->surface().fillRect(1, 1, 1, 1, DImage::kKeyColour);
  image->setKeyed(true);
  const DintArrayPtr rgb(new DintArray(4));
  for (int i = 0; i < 4; ++i) rgb[i] = 7;
  image->getRGB(rgb, 0, 2, 0, 0, 2, 2);
  EXPECT_EQ(static_cast<uint32_t>(rgb[0]), 0xFF10FC30u);
  EXPECT_EQ(static_cast<uint32_t>(rgb[2]), 0xFF10FC30u);
  EXPECT_EQ(rgb[3], 7);
}

TEST(ImageRgb, ArgbImagesReadAsStored) {
  const DImagePtr image = DImage::createImageOfFormat(2, 1, raster::PF_ARGB8888);
  image->surface().fillRect(1, 0, 1, 1, 0x80123456);
  const DintArrayPtr rgb(new DintArray(2));
  image->getRGB(rgb, 0, 2, 0, 0, 2, 1);
  EXPECT_EQ(static_cast<uint32_t>(rgb[0]), 0x00FFFFFFu);
  EXPECT_EQ(static_cast<uint32_t>(rgb[1]), 0x80123456u);
}

TEST(ImageRgb, OffsetAndScanLengthPlaceTheWords) {
  const DImagePtr image = numbered(3, 2);
  const DintArrayPtr rgb(new DintArray(12));
  image->getRGB(rgb, 2, 5, 1, 0, 2, 2);
  const auto word = [](uint32_t p) {
    return static_cast<int32_t>(0xFF000000u | (p >> 11 & 0x1F) << 19 | (p >> 5 & 0x3F) << 10 | (p & 0x1F) << 3);
  };
  EXPECT_EQ(rgb[2], word(pixelAt(*image, 1, 0)));
  EXPECT_EQ(rgb[3], word(pixelAt(*image, 2, 0)));
  EXPECT_EQ(rgb[7], word(pixelAt(*image, 1, 1)));
  EXPECT_EQ(rgb[0], 0);
  EXPECT_EQ(rgb[4], 0);
}

TEST(ImageRgb, ChecksRectangleAndArray) {
  const DImagePtr image = DImage::createImage(4, 4);
  const DintArrayPtr rgb(new DintArray(16));
  EXPECT_THROWS_CODE(code::IllegalArgument, image->getRGB(rgb, 0, 4, -1, 0, 4, 4));
  EXPECT_THROWS_CODE(code::IllegalArgument, image->getRGB(rgb, 0, 4, 1, 0, 4, 4));
  EXPECT_THROWS_CODE(code::IllegalArgument, image->getRGB(rgb, 0, 4, 0, 1, 4, 4));
  EXPECT_THROWS_CODE(code::ArrayIndexOutOfBounds, image->getRGB(new DintArray(15), 0, 4, 0, 0, 4, 4));
  EXPECT_THROWS_CODE(code::ArrayIndexOutOfBounds, image->getRGB(rgb, 1, 4, 0, 0, 4, 4));
  EXPECT_THROWS_CODE(code::ArrayIndexOutOfBounds, image->getRGB(rgb, 0, 3, 0, 0, 4, 4));
  EXPECT_THROWS_CODE(code::ArrayIndexOutOfBounds, image->getRGB(rgb, -1, 4, 0, 0, 2, 2));
  EXPECT_THROWS_CODE(code::NullPointer, image->getRGB(nullptr, 0, 4, 0, 0, 4, 4));
  EXPECT_NO_THROW(image->getRGB(rgb, 0, 4, 0, 0, 4, 4));
}

TEST(ImageStream, DecodesTheWholeContentAndTakesTheStreamName) {
  const std::vector<uint8_t> data = readFixture("png_rgb8.png");
  const qel::lang::DbyteArrayPtr bytes(new qel::lang::DbyteArray(static_cast<int32_t>(data.size())));
  std::copy(data.begin(), data.end(), reinterpret_cast<uint8_t*>(bytes->data()));
  const DImagePtr image = DImage::createImageFromStream(new qel::io::DByteArrayInputStream(bytes), 5, false);
  EXPECT_EQ(image->getWidth(), 5);
  EXPECT_EQ(image->getHeight(), 7);
  ASSERT_TRUE(image->getName());
  EXPECT_EQ(image->getName()->length(), 0);
  EXPECT_EQ(image->getFrameDelay(), 0);
  EXPECT_THROWS_CODE(code::NullPointer, DImage::createImageFromStream(nullptr, 0, false));
  EXPECT_THROWS_CODE(code::IllegalArgument,
                     DImage::createImageFromStream(new qel::io::DByteArrayInputStream(bytes), 1, false));
}

}  // namespace
