#include <gtest/gtest.h>
#include <set>

#include "../gamelib/GameFolder.h"
#include "../gamelib/Pixels.h"
#include "../gamelib/TestPng.h"
#include "gamelib/GameLib.h"
#include "gamelib/ImageFont.h"
#include "gamelib/ScreenCanvas.h"
#include "guilib/GUIFont.h"
#include "guilib/GUITextChunk.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "util/DVector.h"

using guilib::GUIFont;
using guilib::GUIFontPtr;
using guilib::GUITextChunk;
using guilib::GUITextChunkPtr;
using qel::lcdui::DFont;
using qel::lcdui::DImage;
using qel::lcdui::DImagePtr;

namespace {

constexpr uint32_t kWhite = 0xF8FCF8;

DImagePtr whiteCanvas(qel::lcdui::DGraphicsPtr& g) {
  DImagePtr canvas = DImage::createImage(40, 30);
  g = canvas->getGraphics();
  g->setColor(0xFFFFFFu);
  g->fillRect(0, 0, 40, 30);
  return canvas;
}

// The colours a drawing left on the canvas, white aside.
std::set<uint32_t> inkOf(const DImagePtr& canvas) {
  ImagePixels pixels(canvas);
  std::set<uint32_t> ink;
  for (int y = 0; y < canvas->getHeight(); ++y)
    for (int x = 0; x < canvas->getWidth(); ++x)
      if (pixels.at(x, y) != kWhite) ink.insert(pixels.at(x, y));
  return ink;
}

TEST(GUIFontTest, SystemFontDrawsInItsColourOrTheGraphicsOneAndRestoresBoth) {
  struct Case {
    int32_t colour;
    uint32_t ink;
  } cases[] = {{0xFF0000, 0xF80000}, {GUIFont::GraphicsColour, 0x0000F8}};
  for (const Case& c : cases) {
    qel::lcdui::DGraphicsPtr g;
    DImagePtr canvas = whiteCanvas(g);
    qel::lcdui::DFontPtr before = DFont::getFont(DFont::FACE_MONOSPACE, 0, DFont::SIZE_SMALL, DFont::SIZE_IN_PIXELS);
    g->setFont(before);
    g->setColor(0x0000FFu);
    GUIFontPtr font = new GUIFont(
        DFont::getFont(DFont::FACE_SYSTEM, DFont::STYLE_BOLD, DFont::SIZE_LARGE, DFont::SIZE_IN_PIXELS), c.colour);
    font->drawString(g, u"W", 2, 2, 0);
    EXPECT_EQ(g->getColor(), 0x0000FFu);
    EXPECT_EQ(g->getFont(), before);
    const std::set<uint32_t> ink = inkOf(canvas);
    EXPECT_TRUE(ink.count(c.ink)) << std::hex << c.colour;
    EXPECT_GT(font->getHeight(), 0);
    EXPECT_GT(font->stringWidth(u"WW"), font->stringWidth(u"W"));
  }
}

TEST(GUIFontTest, BitmapFontDrawsItsOwnPixelsWhateverTheColour) {
  GameFolder folder;
  DataBytes table;
  table.byte(1).byte(0).utf("A").byte(3);
  folder.addEntry("f_0.png", solidPng(3, 4, 0x00FF00));
  folder.addEntry("f_0", table);
  folder.openArchive();
  gamelib::ImageFontPtr bitmap = new gamelib::ImageFont();
  bitmap->load(u"f", false);
  GUIFontPtr font = new GUIFont(bitmap);
  qel::lcdui::DGraphicsPtr g;
  DImagePtr canvas = whiteCanvas(g);
  // Image fonts draw only on the game screen's rows: the canvas stands for it.
  gamelib::ScreenCanvas::screenHeight = canvas->getHeight();
  g->setColor(0xFF0000u);
  font->drawString(g, u"A", 5, 5, 0);
  gamelib::ScreenCanvas::screenHeight = 0;
  EXPECT_EQ(inkOf(canvas), std::set<uint32_t>{0x00FC00});
  EXPECT_EQ(font->getHeight(), 4);
  EXPECT_EQ(font->stringWidth(u"A"), 3);
  EXPECT_EQ(font->getClassName(), "GUIFont");
  gamelib::GameLib::setSearchPath(nullptr);
}

TEST(GUITextChunkTest, ChildrenListAppearsWithTheFirstChildAndHoldsRepeats) {
  GUITextChunkPtr paragraph = new GUITextChunk(GUITextChunk::Paragraph, 0);
  EXPECT_EQ(paragraph->children, nullptr);
  GUITextChunkPtr word = new GUITextChunk(GUITextChunk::Text, GUITextChunk::AlignCentre);
  word->content = qel::lang::DStringPtr(u"vault");
  paragraph->addChild(word);
  paragraph->addChild(word);
  ASSERT_NE(paragraph->children, nullptr);
  EXPECT_EQ(paragraph->children->size(), 2);
  EXPECT_EQ(paragraph->children->elementAt(1), word.get());
  EXPECT_THROW(paragraph->addChild(nullptr), qel::lang::DExceptionBase);
  EXPECT_EQ(paragraph->children->size(), 2);
}

}  // namespace
