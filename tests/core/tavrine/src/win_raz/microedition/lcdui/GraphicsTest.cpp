#include <gtest/gtest.h>
#include <vector>

#include "PngDump.h"
#include "SurfacePixels.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "lang/DintArray.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/DPalette.h"
#include "microedition/lcdui/DVideoStream.h"
#include "microedition/raster/RasterSurface.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"
#include "tests/support/OutputFolder.h"

namespace {

using qel::lang::DbyteArray;
using qel::lang::DintArray;
using qel::lang::DintArrayPtr;
using qel::lcdui::DFont;
using qel::lcdui::DGraphics;
using qel::lcdui::DGraphicsPtr;
using qel::lcdui::DImage;
using qel::lcdui::DImagePtr;
namespace code = qel::lang::ExceptionCode;
namespace raster = qel::raster;

constexpr uint16_t kBackground = 0x0841;

void setPixel(DImage& image, int x, int y, uint32_t value) {
  raster::RasterSurface& s = image.surface();
  auto* row = static_cast<uint8_t*>(s.pixels()) + y * s.stride();
  if (s.format() == raster::PF_ARGB8888)
    reinterpret_cast<uint32_t*>(row)[x] = value;
  else
    reinterpret_cast<uint16_t*>(row)[x] = static_cast<uint16_t>(value);
}

std::vector<uint32_t> pixelsOf(const DImage& image) {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < image.getHeight(); ++y)
    for (int x = 0; x < image.getWidth(); ++x) pixels.push_back(pixelAt(image, x, y));
  return pixels;
}

// A w x h RGB565 image (w <= 4, h <= 3 for distinct pixels) whose red grows
// to the right and green downwards.
DImagePtr numbered(int w, int h) {
  DImagePtr image = DImage::createImage(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) setPixel(*image, x, y, (x * 7 + 3) % 32 << 11 | (y * 20 + 5) % 64 << 5 | (31 - x * 3));
  return image;
}

struct Canvas {
  explicit Canvas(int w = 32, int h = 32) : image(DImage::createImage(w, h)), g(image->getGraphics()) {
    image->surface().fillRect(0, 0, w, h, 0x080808);
  }
  uint32_t at(int x, int y) const { return pixelAt(*image, x, y); }
  DImagePtr image;
  DGraphicsPtr g;
};

// Which source pixel a sprite transform shows at (i, j) of its w x h source.
void sourceOf(int transform, int w, int h, int i, int j, int& sx, int& sy) {
  switch (transform) {
    case 1:
      sx = i;
      sy = h - 1 - j;
      break;
    case 2:
      sx = w - 1 - i;
      sy = j;
      break;
    case 3:
      sx = w - 1 - i;
      sy = h - 1 - j;
      break;
    case 5:
      sx = j;
      sy = h - 1 - i;
      break;
    case 6:
      sx = w - 1 - j;
      sy = i;
      break;
    default:
      sx = i;
      sy = j;
      break;
  }
}

struct AnchorCase {
  int anchor;
  int shiftX;  // in widths: 0, 1 (RIGHT) or 2 (HCENTER, half)
  int shiftY;
};

// Every case is also copied into one overview picture, written beside the
// test as "anchors_by_transforms.png" (rows: anchors, columns: transforms).
TEST(GraphicsPlacement, AnchorsByTransformsTable) {
  const AnchorCase anchors[] = {{0, 0, 0},
                                {3, 2, 2},
                                {40, 1, 1},
                                {33, 2, 1},
                                {10, 1, 2},
                                {20, 0, 0},
                                {9, 1, 0},
                                {34, 0, 1},
                                {64, 0, 0},
                                {4 | 8, 1, 0}};
  const int transforms[] = {0, 1, 2, 3, 4, 5, 6, 7, 9};
  const int w = 4, h = 3;
  const DImagePtr sprite = numbered(w, h);
  const DImagePtr overview = DImage::createImage(33 * 9, 33 * 10);
  const DGraphicsPtr sheet = overview->getGraphics();
  for (int row = 0; row < 10; ++row) {
    const AnchorCase& a = anchors[row];
    for (int column = 0; column < 9; ++column) {
      const int transform = transforms[column];
      Canvas canvas;
      canvas.g->translate(2, 3);
      canvas.g->drawImage(sprite, 10, 9, a.anchor, transform);
      const bool turned = transform == 5 || transform == 6;
      const int dw = turned ? h : w, dh = turned ? w : h;
      const int left = 12 - (a.shiftX == 1 ? dw : a.shiftX == 2 ? dw >> 1 : 0);
      const int top = 12 - (a.shiftY == 1 ? dh : a.shiftY == 2 ? dh >> 1 : 0);
      for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
          uint32_t expected = kBackground;
          if (x >= left && x < left + dw && y >= top && y < top + dh) {
            int sx = 0, sy = 0;
            sourceOf(transform, w, h, x - left, y - top, sx, sy);
            expected = pixelAt(*sprite, sx, sy);
          }
          ASSERT_EQ(canvas.at(x, y), expected)
              << "anchor " << a.anchor << " transform " << transform << " at " << x << ", " << y;
        }
      }
      sheet->drawImageOpaque(canvas.image, column * 33, row * 33, 0, 0);
    }
  }
  EXPECT_TRUE(dumpPng(*overview, (nvtest::outputFolder() / "anchors_by_transforms.png").string()));
}

TEST(GraphicsPlacement, TurnedImageCentredOnItsPoint) {
  Canvas canvas(100, 100);
  canvas.g->drawImage(numbered(10, 20), 50, 50, 3, 5);
  EXPECT_EQ(canvas.at(39, 45), kBackground);
  EXPECT_NE(canvas.at(40, 45), kBackground);
  EXPECT_NE(canvas.at(59, 54), kBackground);
  EXPECT_EQ(canvas.at(60, 54), kBackground);
  EXPECT_EQ(canvas.at(59, 55), kBackground);
  EXPECT_EQ(canvas.at(40, 44), kBackground);
}

TEST(GraphicsClip, TranslatedAndCutToTheSurface) {
  Canvas canvas;
  canvas.g->translate(5, 5);
  canvas.g->setClip(0, 0, 10, 10);
  EXPECT_EQ(canvas.g->getClipX(), 5);
  EXPECT_EQ(canvas.g->getClipY(), 5);
  EXPECT_EQ(canvas.g->getClipWidth(), 10);
  canvas.g->clipRect(-10, -10, 12, 12);
  EXPECT_EQ(canvas.g->getClipX(), 5);
  EXPECT_EQ(canvas.g->getClipWidth(), 2);
  EXPECT_EQ(canvas.g->getClipHeight(), 2);
  canvas.g->setColor(0xFFFFFF);
  canvas.g->fillRect(-5, -5, 40, 40);
  EXPECT_EQ(canvas.at(5, 5), 0xFFFFu);
  EXPECT_EQ(canvas.at(6, 6), 0xFFFFu);
  EXPECT_EQ(canvas.at(7, 7), kBackground);
  canvas.g->setClip(20, 20, 50, 50);
  EXPECT_EQ(canvas.g->getClipWidth(), 7);
  EXPECT_EQ(canvas.g->getTranslateX(), 5);
}

TEST(GraphicsClip, EachContextKeepsItsOwnClip) {
  const DImagePtr image = DImage::createImage(8, 8);
  const DGraphicsPtr a = image->getGraphics();
  const DGraphicsPtr b = image->getGraphics();
  a->setClip(0, 0, 2, 2);
  EXPECT_EQ(b->getClipWidth(), 8);
  EXPECT_EQ(a->getClassName(), "DObject");
  EXPECT_EQ(image->getClassName(), "DImage");
}

TEST(GraphicsState, ColourAndStartingValues) {
  Canvas canvas;
  EXPECT_EQ(canvas.g->getColor(), 0u);
  EXPECT_EQ(canvas.g->getFont(), DFont::getDefaultFont());
  canvas.g->setColor(300, 0, 0);
  EXPECT_EQ(canvas.g->getColor(), 0x2C0000u);
  canvas.g->setColor(0xFF123456);
  EXPECT_EQ(canvas.g->getColor(), 0xFF123456u);
}

// The context holds the image it draws on.
TEST(GraphicsState, KeepsItsImageAlive) {
  const DGraphicsPtr g = DImage::createImage(4, 4)->getGraphics();
  g->setColor(0xFF0000);
  g->fillRect(0, 0, 4, 4);
  EXPECT_EQ(*static_cast<uint16_t*>(g->surface().pixels()), 0xF800u);
}

TEST(GraphicsShapes, TranslatedLinesAndRectangles) {
  Canvas canvas;
  canvas.g->translate(1, 2);
  canvas.g->setColor(0xFFFFFF);
  canvas.g->drawRect(0, 0, 3, 2);
  EXPECT_EQ(canvas.at(1, 2), 0xFFFFu);
  EXPECT_EQ(canvas.at(4, 4), 0xFFFFu);
  EXPECT_EQ(canvas.at(2, 3), kBackground);
  canvas.g->drawLine(0, 10, 4, 10);
  EXPECT_EQ(canvas.at(5, 12), 0xFFFFu);
  EXPECT_EQ(canvas.at(6, 12), kBackground);
}

TEST(GraphicsImages, KeyedArgbAndOpaqueDrawing) {
  const DImagePtr keyed = numbered(2, 1);
  setPixel(*keyed, 1, 0, 0xF81F);
  keyed->setKeyed(true);
  Canvas canvas;
  canvas.g->drawImage(keyed, 0, 0, 0, 0);
  EXPECT_EQ(canvas.at(1, 0), kBackground);
  canvas.g->drawImageOpaque(keyed, 0, 1, 0, 0);
  EXPECT_EQ(canvas.at(1, 1), 0xF81Fu);

  const DImagePtr argb = DImage::createImageOfFormat(2, 1, raster::PF_ARGB8888);
  setPixel(*argb, 0, 0, 0xFFFF0000);
  setPixel(*argb, 1, 0, 0x00FF0000);
  canvas.g->drawImage(argb, 0, 2, 0, 0);
  EXPECT_EQ(canvas.at(0, 2), 0xF800u);
  EXPECT_EQ(canvas.at(1, 2), kBackground);
  EXPECT_THROWS_CODE(code::NullPointer, canvas.g->drawImage(nullptr, 0, 0, 0, 0));
}

TEST(GraphicsImages, ConstantAlphaSkipsTheKeyColour) {
  const DImagePtr sprite = numbered(2, 1);
  setPixel(*sprite, 1, 0, 0xF81F);
  Canvas canvas;
  canvas.g->drawImage(sprite, 0, 0, 255, 0, 0, nullptr);
  EXPECT_EQ(canvas.at(0, 0), pixelAt(*sprite, 0, 0));
  EXPECT_EQ(canvas.at(1, 0), kBackground);
  canvas.g->drawImage(sprite, 0, 1, 0, 0, 0, nullptr);
  EXPECT_EQ(canvas.at(0, 1), kBackground);
}

TEST(GraphicsImages, PalettedImagesUseTheGivenPalette) {
  const DImagePtr indexed = DImage::createImageOfFormat(1, 1, raster::PF_INDEX8);
  const qel::lcdui::DPalettePtr palette(new qel::lcdui::DPalette(256));
  palette->palette().setEntry(0, 0x00FF00);
  Canvas canvas;
  canvas.g->drawImage(indexed, palette, 0, 0, 0, 0);
  EXPECT_EQ(canvas.at(0, 0), 0x07E0u);
  EXPECT_THROWS_CODE(code::NullPointer, canvas.g->drawImage(indexed, qel::lcdui::DPalettePtr(), 0, 0, 0, 0));
}

TEST(GraphicsImages, MaskImageGivesTheAlpha) {
  const DImagePtr mask = DImage::createImageOfFormat(2, 1, raster::PF_ARGB8888);
  setPixel(*mask, 0, 0, 0xFF000000);
  setPixel(*mask, 1, 0, 0x00000000);
  const DImagePtr source = DImage::createImageOfFormat(2, 1, raster::PF_ARGB8888);
  source->surface().fillRect(0, 0, 2, 1, 0xFF0000FF);
  Canvas canvas;
  canvas.g->drawImage(source, mask, 0, 0, 0, 0);
  EXPECT_EQ(canvas.at(0, 0), 0x001Fu);
  EXPECT_EQ(canvas.at(1, 0), kBackground);
}

TEST(GraphicsImages, RotatedDrawingOnlyForKeyedImages) {
  const DImagePtr sprite = numbered(2, 2);
  Canvas canvas;
  canvas.g->drawImageRotated(sprite, 0, 0, 0, 0.0f);
  EXPECT_EQ(canvas.at(0, 0), kBackground);
  sprite->setKeyed(true);
  canvas.g->drawImageRotated(sprite, 0, 0, 0, 0.0f);
  EXPECT_EQ(canvas.at(1, 1), pixelAt(*sprite, 1, 1));
}

TEST(GraphicsImages, MaskDrawsTheColourThroughAChannel) {
  const DImagePtr coverage = DImage::createImageOfFormat(2, 1, raster::PF_ARGB8888);
  setPixel(*coverage, 0, 0, 0xFF000000);
  setPixel(*coverage, 1, 0, 0x00FFFFFF);
  Canvas canvas;
  canvas.g->drawMask(0x00FF00, coverage, 0, 0, 17, 0, 0);
  EXPECT_EQ(canvas.at(0, 0), 0x07E0u);
  EXPECT_EQ(canvas.at(1, 0), kBackground);
  canvas.g->drawMask(0x00FF00, coverage, 0, 1, 0, 0, 0);
  EXPECT_EQ(canvas.at(0, 1), kBackground);
  EXPECT_EQ(canvas.at(1, 1), 0x07E0u);
}

TEST(GraphicsRgb, KeyWordsAreSkippedExactly) {
  const DintArrayPtr words(new DintArray(4));
  words[0] = 0x00FF00FF;
  words[1] = static_cast<int32_t>(0xFFFF00FF);
  words[2] = 0x00FF0000;
  words[3] = 0x12345678;
  Canvas canvas;
  canvas.g->translate(5, 5);
  canvas.g->drawRGB(words, 0, 4, 0, 0, 4, 1, false);
  EXPECT_EQ(canvas.at(0, 0), kBackground);
  EXPECT_EQ(canvas.at(1, 0), 0xF81Fu);
  EXPECT_EQ(canvas.at(2, 0), 0xF800u);
  EXPECT_EQ(canvas.at(3, 0), 0x32AFu);
  canvas.g->drawRGB(words, 2, 4, 0, 1, 1, 1, true);
  EXPECT_EQ(canvas.at(0, 1), kBackground);
  canvas.g->drawRGB(words, 1, 4, 0, 2, 1, 1, true);
  EXPECT_EQ(canvas.at(0, 2), 0xF81Fu);
}

TEST(GraphicsRgb, ChecksTheArray) {
  Canvas canvas;
  const DintArrayPtr words(new DintArray(8));
  EXPECT_THROWS_CODE(code::ArrayIndexOutOfBounds, canvas.g->drawRGB(words, 0, 4, 0, 0, 4, 3, false));
  EXPECT_THROWS_CODE(code::ArrayIndexOutOfBounds, canvas.g->drawRGB(words, 1, 4, 0, 0, 4, 2, false));
  EXPECT_THROWS_CODE(code::ArrayIndexOutOfBounds, canvas.g->drawRGB(words, 0, 3, 0, 0, 4, 2, true));
  EXPECT_THROWS_CODE(code::ArrayIndexOutOfBounds, canvas.g->drawRGB(words, -1, 4, 0, 0, 1, 1, true));
  EXPECT_THROWS_CODE(code::NullPointer, canvas.g->drawRGB(nullptr, 0, 4, 0, 0, 4, 2, true));
  EXPECT_NO_THROW(canvas.g->drawRGB(words, 0, 4, 0, 0, 4, 2, false));
}

TEST(GraphicsYuv, GreyPictureAndShortPlanes) {
  const qel::lang::DbyteArrayPtr luma(new DbyteArray(4));
  const qel::lang::DbyteArrayPtr chroma(new DbyteArray(1));
  for (int i = 0; i < 4; ++i) luma[i] = static_cast<int8_t>(0x80);
  chroma[0] = static_cast<int8_t>(0x80);
  Canvas canvas;
  canvas.g->translate(1, 1);
  canvas.g->drawYUV(luma, chroma, chroma, 0, 0, 2, 1, 0, 0, 2, 2);
  EXPECT_EQ(canvas.at(1, 1), 0x8410u);
  EXPECT_EQ(canvas.at(2, 2), 0x8410u);
  EXPECT_EQ(canvas.at(0, 0), kBackground);
  EXPECT_THROWS_CODE(code::ArrayIndexOutOfBounds, canvas.g->drawYUV(luma, chroma, chroma, 0, 0, 2, 1, 0, 0, 3, 2));
  EXPECT_THROWS_CODE(code::ArrayIndexOutOfBounds, canvas.g->drawYUV(luma, chroma, chroma, 0, 1, 2, 1, 0, 0, 2, 2));
}

class RecordingVideo : public qel::lcdui::DVideoStream {
public:
  int32_t getWidth() override { return 10; }
  int32_t getHeight() override { return 6; }
  void drawFrame(DGraphics&, int32_t x, int32_t y, int32_t width, int32_t height) override {
    drawn = {x, y, width, height};
  }
  std::vector<int32_t> drawn;
};

TEST(GraphicsVideo, StreamDrawsAtTheAnchoredPoint) {
  Canvas canvas;
  canvas.g->translate(100, 100);
  const qel::lang::DPtr<RecordingVideo> video(new RecordingVideo);
  canvas.g->drawVideoFrame(video, 20, 20, 8 | 2);
  EXPECT_EQ(video->drawn, (std::vector<int32_t>{10, 17, 10, 6}));
}

class GraphicsText : public testing::Test {
protected:
  std::vector<uint32_t> draw(int x, int y, int anchor) {
    Canvas canvas(64, 32);
    canvas.g->setColor(0xFF0000);
    canvas.g->drawString(u"Hi!", x, y, anchor);
    return pixelsOf(*canvas.image);
  }
  DFont& font = *DFont::getDefaultFont();
  int width = font.stringWidth(u"Hi!");
};

// Each anchor equals the top-left placement moved by the text's size.
TEST_F(GraphicsText, AnchorsMoveTheText) {
  const int height = font.getHeight();
  EXPECT_EQ(draw(30, 10, DGraphics::TOP | DGraphics::RIGHT), draw(30 - width, 10, DGraphics::TOP | DGraphics::LEFT));
  EXPECT_EQ(draw(30, 10, DGraphics::TOP | DGraphics::LEFT | DGraphics::RIGHT),
            draw(30, 10, DGraphics::TOP | DGraphics::LEFT));
  EXPECT_EQ(draw(30, 10, DGraphics::HCENTER), draw(30 - (width >> 1), 10, 0));
  EXPECT_EQ(draw(30, 25, DGraphics::BOTTOM | DGraphics::LEFT), draw(30, 25 - height, 0));
  EXPECT_EQ(draw(30, 25, DGraphics::VCENTER), draw(30, 25 - (height >> 1), 0));
  EXPECT_EQ(draw(30, 25, DGraphics::BASELINE), draw(30, 25 - font.getAscent(), 0));
}

// Glyph masks tint the RGB565 surface: full coverage is the pure colour,
// and nothing lands outside the text's cells.
TEST_F(GraphicsText, GlyphsAreTintedInTheCurrentColour) {
  Canvas canvas(64, 32);
  canvas.g->setColor(0xFF0000);
  canvas.g->translate(3, 2);
  canvas.g->drawString(u"Hi!", 2, 4, 0);
  int full = 0, blended = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 64; ++x) {
      const uint32_t p = canvas.at(x, y);
      if (p == kBackground) continue;
      EXPECT_TRUE(x >= 5 && x < 5 + width && y >= 6 && y < 6 + font.getHeight()) << x << ", " << y;
      if (p == 0xF800u)
        ++full;
      else
        ++blended;
    }
  }
  EXPECT_GT(full, 0);
  EXPECT_GT(blended, 0);
}

TEST_F(GraphicsText, DrawCharIsUntranslatedAndReturnsTheAdvance) {
  Canvas canvas(64, 32);
  canvas.g->translate(20, 20);
  canvas.g->setColor(0xFFFFFF);
  EXPECT_EQ(canvas.g->drawChar(u'H', 0, 0), font.charWidth(u'H'));
  bool inkNearOrigin = false;
  for (int y = 0; y < font.getHeight(); ++y)
    for (int x = 0; x < font.charWidth(u'H'); ++x) inkNearOrigin = inkNearOrigin || canvas.at(x, y) != kBackground;
  EXPECT_TRUE(inkNearOrigin);
}

TEST_F(GraphicsText, NothingWithoutClipOrFont) {
  Canvas canvas(64, 32);
  canvas.g->setClip(0, 0, 0, 10);
  EXPECT_NO_THROW(canvas.g->drawString(nullptr, 0, 0, 0));
  canvas.g->setClip(0, 0, 64, 32);
  canvas.g->setFont(nullptr);
  canvas.g->drawString(u"Hi", 0, 0, 0);
  EXPECT_EQ(pixelsOf(*canvas.image), std::vector<uint32_t>(64 * 32, kBackground));
  EXPECT_THROWS_CODE(code::NullPointer, canvas.g->drawChar(u'H', 0, 0));
}

}  // namespace
