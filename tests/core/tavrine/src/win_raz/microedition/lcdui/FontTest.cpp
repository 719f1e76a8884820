#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>

#include "lang/DString.h"
#include "microedition/lcdui/DCharMask.h"
#include "microedition/lcdui/DFont.h"
#include "tests/core/tavrine/src/common/lang/ExpectCode.h"

namespace {

using qel::lang::DStringPtr;
using qel::lcdui::DCharMask;
using qel::lcdui::DCharMaskPtr;
using qel::lcdui::DFont;
using qel::lcdui::DFontPtr;

int dpi192() { return 192; }

class FontTest : public testing::Test {
protected:
  void TearDown() override {
    DFont::setDpiSource(nullptr);
    DFont::setPixelDoubling(false);
    DFont::releaseFonts();
  }
};

int ink(const DCharMask& mask) {
  return std::accumulate(mask.pixels(), mask.pixels() + mask.width() * mask.height(), 0);
}

struct PixelCase {
  int size;
  int sizeMode;
  int expected;
};

TEST_F(FontTest, ProfileSizesInPixels) {
  const PixelCase cases[] = {{8, 1, -12}, {0, 1, -14}, {16, 1, -17}, {5, 1, 13}, {20, 0, 20}, {-9, 0, -9}, {8, 2, 0}};
  for (const PixelCase& c : cases)
    EXPECT_EQ(DFont::toPixels(c.size, c.sizeMode), c.expected) << c.size << "/" << c.sizeMode;
}

TEST_F(FontTest, DpiSourceAndPixelDoublingScaleTheSize) {
  DFont::setDpiSource(&dpi192);
  EXPECT_EQ(DFont::toPixels(8, 1), -24);
  DFont::setDpiSource(nullptr);
  DFont::setPixelDoubling(true);
  EXPECT_EQ(DFont::toPixels(8, 1), -9);
  EXPECT_EQ(DFont::toPixels(16, 1), -13);
  EXPECT_EQ(DFont::toPixels(30, 0), 30);
}

TEST_F(FontTest, CacheSharesFontsByNameStyleAndSize) {
  const DFontPtr proportional = DFont::getFont(64, 0, 0, 1);
  EXPECT_EQ(proportional->getFace(), 64);
  const DFontPtr monospace = DFont::getFont(32, 0, 0, 1);
  EXPECT_EQ(monospace, proportional);
  EXPECT_EQ(proportional->getFace(), 32);
  EXPECT_TRUE(proportional->getFaceName()->equals(u"Courier New"));
  EXPECT_NE(DFont::getFont(32, 1, 0, 1), monospace);
  EXPECT_NE(DFont::getFont(32, 0, 16, 1), monospace);
  EXPECT_NE(DFont::getFont(0, 0, 0, 1), monospace);
}

TEST_F(FontTest, DefaultFontIsSmallPlainTahoma) {
  const DFontPtr font = DFont::getDefaultFont();
  EXPECT_EQ(font, DFont::getFont(0, 0, 8, 1));
  EXPECT_EQ(font, DFont::getDefaultFont());
  EXPECT_TRUE(font->getFaceName()->equals(u"Tahoma"));
  EXPECT_GT(font->getHeight(), 0);
  EXPECT_EQ(font->getHeight(), font->getAscent() + font->getDescent());
}

// A face without a name of its own uses the system face's.
TEST_F(FontTest, UnknownFaceUsesTheSystemFaceName) {
  const DFontPtr font = DFont::getFont(7, 0, 8, 1);
  EXPECT_TRUE(font->getFaceName()->equals(u"Tahoma"));
  EXPECT_EQ(font->getFace(), 7);
}

TEST_F(FontTest, LargerSizesAreTaller) {
  const int small = DFont::getFont(0, 0, 8, 1)->getHeight();
  const int medium = DFont::getFont(0, 0, 0, 1)->getHeight();
  const int large = DFont::getFont(0, 0, 16, 1)->getHeight();
  EXPECT_LT(small, medium);
  EXPECT_LT(medium, large);
}

TEST_F(FontTest, MasksFillTheCharacterCell) {
  const DFontPtr font = DFont::getFont(0, 0, 0, 1);
  const DCharMaskPtr mask = font->getCharMask(u'W');
  ASSERT_TRUE(mask);
  EXPECT_EQ(mask->character(), u'W');
  EXPECT_EQ(mask->height(), font->getHeight());
  EXPECT_EQ(mask->width(), font->charWidth(u'W'));
  EXPECT_GT(ink(*mask), 0);
  EXPECT_EQ(font->getCharMask(u'W'), mask);
  EXPECT_EQ(font->getClassName(), "DObject");
  EXPECT_EQ(mask->getClassName(), "DObject");
  EXPECT_EQ(ink(*font->getCharMask(u' ')), 0);
}

TEST_F(FontTest, AdvancesOfProportionalAndMonospaceFaces) {
  const DFontPtr system = DFont::getFont(0, 0, 0, 1);
  EXPECT_GT(system->charWidth(u'W'), system->charWidth(u'i'));
  const DFontPtr monospace = DFont::getFont(32, 0, 0, 1);
  EXPECT_EQ(monospace->charWidth(u'W'), monospace->charWidth(u'i'));
}

TEST_F(FontTest, StringWidthSumsTheAdvances) {
  const DFontPtr font = DFont::getFont(0, 0, 0, 1);
  EXPECT_EQ(font->stringWidth(u"Wii"), font->charWidth(u'W') + 2 * font->charWidth(u'i'));
  EXPECT_EQ(font->stringWidth(u""), 0);
  EXPECT_THROWS_CODE(qel::lang::ExceptionCode::NullPointer, font->stringWidth(nullptr));
}

TEST_F(FontTest, StylesReachTheGlyphs) {
  const DCharMaskPtr plain = DFont::getFont(0, 0, 0, 1)->getCharMask(u'H');
  const DCharMaskPtr bold = DFont::getFont(0, 1, 0, 1)->getCharMask(u'H');
  EXPECT_GT(ink(*bold), ink(*plain));
  const DFontPtr underlined = DFont::getFont(0, 4, 0, 1);
  const DCharMaskPtr space = underlined->getCharMask(u' ');
  bool fullRow = false;
  for (int r = 0; r < space->height(); ++r)
    fullRow = fullRow || std::all_of(space->row(r), space->row(r) + space->width(), [](uint8_t v) { return v == 255; });
  EXPECT_TRUE(fullRow);
  const DFontPtr boldItalic = DFont::getFont(0, 3, 0, 1);
  EXPECT_EQ(boldItalic->getStyle(), 3);
  EXPECT_NE(boldItalic, DFont::getFont(0, 1, 0, 1));
}

TEST_F(FontTest, ReleasingTheCacheMakesNewFonts) {
  const DFont* before = DFont::getDefaultFont().get();
  const DFontPtr kept = DFont::getDefaultFont();
  DFont::releaseFonts();
  EXPECT_NE(DFont::getDefaultFont().get(), before);
  EXPECT_EQ(kept->refCount(), 1);
}

}  // namespace
