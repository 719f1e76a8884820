#include <gtest/gtest.h>

#include "GameFolder.h"
#include "Pixels.h"
#include "TestPng.h"
#include "gamelib/GameLib.h"
#include "gamelib/ImageFont.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "microedition/lcdui/DGraphics.h"

using gamelib::ImageFont;
using gamelib::ScreenCanvas;
using qel::lcdui::DGraphics;
using qel::lcdui::DImage;
using qel::lcdui::DImagePtr;

namespace {

constexpr uint32_t kWhite = 0xF8FCF8;

// A glyph table: count, spacing, then (character, width) per glyph.
std::string glyphTable(int spacing, const std::vector<std::pair<std::string, int>>& glyphs) {
  DataBytes data;
  data.byte(static_cast<int>(glyphs.size())).byte(spacing);
  for (const auto& [chars, width] : glyphs) data.utf(chars).byte(width);
  return data;
}

// Page 0: " " 2 wide, "A" 1, "B" 3 (a 6 x 3 picture); page 1: "C" 2; page 2
// has no picture; page 3 a picture and a short table.
class ImageFontTest : public ::testing::Test {
protected:
  void SetUp() override {
    folder.addEntry("f_0.png", testPng(6, 3, sourcePicture(6, 3)));
    folder.addEntry("f_0", glyphTable(1, {{" ", 2}, {"A", 1}, {"B", 3}}));
    folder.addEntry("f_1.png", solidPng(2, 3, 0x0000F8));
    folder.addEntry("f_1", glyphTable(1, {{"C", 2}}));
    folder.addEntry("f_3.png", solidPng(2, 3, 0xF80000));
    folder.addEntry("f_3", std::string("\x05\x01", 2));
    folder.addEntry("f_4.png", solidPng(2, 3, 0x00FC00));
    folder.addEntry("f_4", glyphTable(1, {{"D", 2}}));
    folder.openArchive();
    font = new ImageFont();
    font->load(u"f", false);
    ScreenCanvas::screenHeight = 40;
    canvas = DImage::createImage(40, 40);
  }
  void TearDown() override { ScreenCanvas::screenHeight = 0; }

  GameFolder folder;
  qel::lang::DPtr<ImageFont> font;
  DImagePtr canvas;
};

TEST_F(ImageFontTest, PagesWithoutPicturesAreSkippedAndOnlyCompleteTablesCount) {
  EXPECT_EQ(font->pageCount(), 3);  // pages 0, 1 and 4; 3 is short
  EXPECT_EQ(font->spacing(), 1);
  EXPECT_EQ(font->charset(2), nullptr);
  EXPECT_EQ(font->getHeight(), 3);
  EXPECT_EQ(font->stringWidth(u"AB"), (1 + 1) + (3 + 1));
  EXPECT_EQ(font->stringWidth(u" C"), (2 + 1) + (2 + 1));
  EXPECT_EQ(font->stringWidth(u"D?"), 0);  // page 4 lies past the counted pages; '?' is nowhere
  EXPECT_EQ(font->stringWidth(u""), 0);
}

TEST_F(ImageFontTest, GlyphsAreCutFromTheirPagesWithSpacing) {
  font->drawString(canvas->getGraphics(), u"B A", 10, 10, 0);
  ImagePixels pixels(canvas);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(pixels.at(10 + i, 10), through565(sourcePixel(3 + i, 0)));
  EXPECT_EQ(pixels.at(13, 10), kWhite);                         // spacing
  EXPECT_EQ(pixels.at(17, 12), through565(sourcePixel(2, 2)));  // "A" after 3 + 1 and the blank's 2 + 1
  EXPECT_EQ(pixels.at(18, 12), kWhite);
}

TEST_F(ImageFontTest, TheCallersClipComesBackUnderATranslation) {
  qel::lcdui::DGraphicsPtr g = canvas->getGraphics();
  g->translate(3, 4);
  g->setClip(0, 0, 30, 30);
  font->drawString(g, u"BB", 10, 10, 0);
  EXPECT_EQ(g->getClipX(), 3);
  EXPECT_EQ(g->getClipY(), 4);
  EXPECT_EQ(g->getClipWidth(), 30);
  EXPECT_EQ(g->getClipHeight(), 30);
  ImagePixels pixels(canvas);
  EXPECT_EQ(pixels.at(13, 14), through565(sourcePixel(3, 0)));
  EXPECT_EQ(pixels.at(17, 14), through565(sourcePixel(3, 0)));  // the second glyph, 3 + 1 further on
}

TEST_F(ImageFontTest, AnchorsAndVisibility) {
  font->drawString(canvas->getGraphics(), u"C", 20, 10, DGraphics::HCENTER | DGraphics::RIGHT);
  ImagePixels moved(canvas);
  EXPECT_EQ(moved.at(20 - 1 - 3, 10), 0x0000F8u);  // width 3: moved left by 1 + 3
  EXPECT_EQ(moved.at(20 - 1 - 3 + 2, 10), kWhite);

  struct Case {
    int y;
    bool drawn;
  };
  for (const Case& c : {Case{40, false}, Case{39, true}, Case{-4, false}, Case{-2, true}}) {
    DImagePtr sheet = DImage::createImage(40, 40);
    font->drawString(sheet->getGraphics(), u"C", 5, c.y, 0);
    ImagePixels pixels(sheet);
    bool any = false;
    for (int y = 0; y < 40; ++y) any = any || pixels.at(5, y) != kWhite;
    EXPECT_EQ(any, c.drawn) << c.y;
  }
}

TEST(ImageFontEmptyTest, NoFirstPageHasNoHeight) {
  GameFolder folder;
  folder.openArchive();
  ImageFont font;
  font.load(u"none", false);
  EXPECT_EQ(font.pageCount(), 0);
  EXPECT_EQ(font.stringWidth(u"xyz"), 0);
  EXPECT_THROW(font.getHeight(), qel::lang::DExceptionBase);
}

}  // namespace
