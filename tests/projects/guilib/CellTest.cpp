#include <gtest/gtest.h>

#include "../gamelib/GameFolder.h"
#include "../gamelib/Pixels.h"
#include "../gamelib/TestPng.h"
#include "gamelib/GameLib.h"
#include "gamelib/ImageManager.h"
#include "guilib/GUIAnimation.h"
#include "lang/DObjectArray.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

using guilib::GUIAnimation;
using guilib::GUIAnimationPtr;
using guilib::GUIRect;
using qel::lcdui::DImage;
using qel::lcdui::DImagePtr;

namespace {

constexpr uint32_t kWhite = 0xF8FCF8;

// A 10 x 10 picture whose pixels tell their own coordinates.
DImagePtr tile() {
  const std::string png = testPng(10, 10, sourcePicture(10, 10));
  return DImage::createImageFromData(
      reinterpret_cast<const uint8_t*>(png.data()), static_cast<int32_t>(png.size()), false);
}

DImagePtr whiteCanvas(int size) {
  DImagePtr canvas = DImage::createImage(size, size);
  qel::lcdui::DGraphicsPtr g = canvas->getGraphics();
  g->setColor(0xFFFFFFu);
  g->fillRect(0, 0, size, size);
  return canvas;
}

TEST(CellTest, TiledPictureFollowsItsAlignmentAndStaysInTheBox) {
  // 25 x 25 box at (5, 5): the remainder is 5 on each axis.
  struct Case {
    int32_t alignment;
    int32_t startX, startY;  // where the grid's first tile starts
  } cases[] = {
      {0, 5, 5},      // from the corner
      {1, 5 - 5, 5},  // right: 5 - 10
      {2, 5 - 3, 5},  // centre: 5 / 2 - 10 / 2
      {4, 5, 5 - 5},  // bottom
      {8, 5, 5 - 3},  // vertical centre
      {2 | 8, 5 - 3, 5 - 3},
      {1 | 4, 0, 0},
  };
  for (const Case& c : cases) {
    DImagePtr canvas = whiteCanvas(40);
    GUIAnimationPtr cell = new GUIAnimation(tile());
    cell->setTilingAlignment(c.alignment);
    cell->paintTiled(canvas->getGraphics(), 5, 5, 25, 25);
    ImagePixels pixels(canvas);
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) {
        const bool inside = x >= 5 && x < 30 && y >= 5 && y < 30;
        const uint32_t expected = inside ? through565(sourcePixel((x - c.startX) % 10, (y - c.startY) % 10)) : kWhite;
        ASSERT_EQ(pixels.at(x, y), expected) << "alignment " << c.alignment << " at " << x << "," << y;
      }
  }
}

TEST(CellTest, TilingLeavesTheClipAsItWas) {
  DImagePtr canvas = whiteCanvas(40);
  qel::lcdui::DGraphicsPtr g = canvas->getGraphics();
  g->setClip(2, 3, 30, 31);
  GUIAnimationPtr cell = new GUIAnimation(tile());
  cell->paintTiled(g, 5, 5, 25, 25);
  EXPECT_EQ(g->getClipX(), 2);
  EXPECT_EQ(g->getClipY(), 3);
  EXPECT_EQ(g->getClipWidth(), 30);
  EXPECT_EQ(g->getClipHeight(), 31);
}

TEST(CellTest, HugeBoxOfSmallTilesOnlyWalksTheClip) {
  DImagePtr canvas = whiteCanvas(40);
  GUIAnimationPtr cell = new GUIAnimation(tile());
  cell->paintTiled(canvas->getGraphics(), -2000000000, -2000000000, 2100000000, 2100000000);
  ImagePixels pixels(canvas);
  // 2000000000 is a multiple of 10: the grid meets the canvas at 0.
  EXPECT_EQ(pixels.at(0, 0), through565(sourcePixel(0, 0)));
  EXPECT_EQ(pixels.at(39, 39), through565(sourcePixel(9, 9)));
}

TEST(CellTest, ColouredRectangleFillsAndOutlinesOnceAtItsSize) {
  struct Case {
    int32_t fill, border;
    uint32_t corner, inside;
  } cases[] = {
      {-1, 0x000000, 0x000000, kWhite},    // outline only, w - 1 by h - 1
      {0xFF0000, -1, 0xF80000, 0xF80000},  // fill only
      {0xFF0000, 0x0000FF, 0x0000F8, 0xF80000},
  };
  for (const Case& c : cases) {
    DImagePtr canvas = whiteCanvas(20);
    qel::lcdui::DGraphicsPtr g = canvas->getGraphics();
    g->setColor(0x00FF00u);
    GUIAnimationPtr cell = new GUIAnimation(c.fill, c.border);
    cell->setSize(6, 4);
    cell->paint(g, 2, 2);
    EXPECT_EQ(g->getColor(), 0x00FF00u);
    ImagePixels pixels(canvas);
    EXPECT_EQ(pixels.at(2, 2), c.corner);
    EXPECT_EQ(pixels.at(7, 5), c.corner);  // the outline's far corner at (2 + 5, 2 + 3)
    EXPECT_EQ(pixels.at(4, 3), c.inside);
    EXPECT_EQ(pixels.at(8, 6), kWhite);
  }
}

TEST(CellTest, RectangleOfSizeZeroDrawsNothingButTilesToTheBox) {
  DImagePtr canvas = whiteCanvas(20);
  GUIAnimationPtr cell = new GUIAnimation(0xFF0000, -1);
  cell->paint(canvas->getGraphics(), 0, 0);
  EXPECT_EQ(ImagePixels(canvas).at(0, 0), kWhite);
  cell->paintTiled(canvas->getGraphics(), 3, 3, 5, 5);
  ImagePixels pixels(canvas);
  EXPECT_EQ(pixels.at(3, 3), 0xF80000u);
  EXPECT_EQ(pixels.at(7, 7), 0xF80000u);
  EXPECT_EQ(pixels.at(8, 8), kWhite);
  EXPECT_EQ(cell->getSize().width, 0);
}

// Image frames 0 = the red left half and 1 = the blue right half of an
// 8 x 4 picture; animation 0 shows frame 0 then frame 1; animation 1 has
// no frames, so its size is 0 x 0.
class AnimationCellTest : public ::testing::Test {
protected:
  void SetUp() override {
    std::vector<uint32_t> picture;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 8; ++x) picture.push_back(x < 4 ? 0xFF0000 : 0x0000FF);
    DataBytes bin;
    bin.s16(2).s16(0).s16(0).s16(4).s16(4).s16(4).s16(0).s16(4).s16(4);
    bin.s16(2);
    bin.s16(2);
    bin.byte(1).s16(0).s16(0).s16(0).byte(0);
    bin.byte(1).s16(0).s16(0).s16(1).byte(0);
    bin.byte(0);
    bin.s16(0).byte(0);
    folder.addEntry("img/cells.png", testPng(8, 4, picture));
    folder.addEntry("img/cells.bin", bin.bytes());
    folder.openArchive();
    images = new gamelib::ImageManager();
    images->load(u"img/cells");
  }
  void TearDown() override { gamelib::GameLib::setSearchPath(nullptr); }

  GameFolder folder;
  gamelib::ImageManagerPtr images;
};

TEST_F(AnimationCellTest, NonLoopingAnimationStopsFinishedOnItsLastFrame) {
  DImagePtr canvas = whiteCanvas(20);
  GUIAnimationPtr cell = new GUIAnimation(images, 0, false);
  EXPECT_EQ(cell->getSize().width, 4);
  EXPECT_EQ(cell->getSize().height, 4);
  cell->paint(canvas->getGraphics(), 0, 0);
  EXPECT_EQ(ImagePixels(canvas).at(1, 1), 0xF80000u);
  EXPECT_FALSE(cell->isFinished());
  EXPECT_EQ(cell->getFrame(), 1);
  cell->paint(canvas->getGraphics(), 0, 0);
  EXPECT_EQ(ImagePixels(canvas).at(1, 1), 0x0000F8u);
  EXPECT_TRUE(cell->isFinished());
  EXPECT_EQ(cell->getFrame(), 1);
}

TEST_F(AnimationCellTest, LoopingAnimationWrapsAndTiledPaintAdvancesOnce) {
  DImagePtr canvas = whiteCanvas(20);
  GUIAnimationPtr cell = new GUIAnimation(images, 0, true);
  cell->paintTiled(canvas->getGraphics(), 0, 0, 8, 8);
  ImagePixels first(canvas);
  EXPECT_EQ(first.at(1, 1), 0xF80000u);
  EXPECT_EQ(first.at(5, 5), 0xF80000u);  // every tile shows the same frame
  EXPECT_EQ(cell->getFrame(), 1);
  cell->paint(canvas->getGraphics(), 0, 0);
  EXPECT_EQ(cell->getFrame(), 0);
  EXPECT_FALSE(cell->isFinished());
}

// A transition cell painted outside the clip must still run to its end.
TEST_F(AnimationCellTest, TiledAnimationOutsideTheClipStillAdvances) {
  DImagePtr canvas = whiteCanvas(20);
  qel::lcdui::DGraphicsPtr g = canvas->getGraphics();
  g->setClip(12, 12, 4, 4);
  GUIAnimationPtr cell = new GUIAnimation(images, 0, false);
  cell->paintTiled(g, 0, 0, 8, 8);
  EXPECT_EQ(cell->getFrame(), 1);
  EXPECT_FALSE(cell->isFinished());
  cell->paintTiled(g, 0, 0, 8, 8);
  EXPECT_TRUE(cell->isFinished());
  EXPECT_EQ(ImagePixels(canvas).at(1, 1), kWhite);
}

TEST_F(AnimationCellTest, CellsOfSizeZeroTileNothing) {
  DImagePtr canvas = whiteCanvas(20);
  GUIAnimationPtr empty = new GUIAnimation(images, 1, false);
  GUIAnimationPtr missing = new GUIAnimation(images, 7, false);
  for (const GUIAnimationPtr& cell : {empty, missing}) {
    EXPECT_EQ(cell->getSize().width, 0);
    cell->paintTiled(canvas->getGraphics(), 0, 0, 20, 20);
    cell->paint(canvas->getGraphics(), 0, 0);
  }
  EXPECT_EQ(ImagePixels(canvas).at(0, 0), kWhite);
}

TEST_F(AnimationCellTest, FrameRectangleIsEmptyWithoutARecord) {
  GUIAnimationPtr picture = new GUIAnimation(tile());
  GUIAnimationPtr animation = new GUIAnimation(images, 0, false);
  for (const GUIAnimationPtr& cell : {picture, animation}) {
    const GUIRect r = cell->getFrameRect(7);
    EXPECT_EQ(r.x | r.y | r.width | r.height, 0);
  }
  EXPECT_TRUE(picture->isFinished());
}

}  // namespace
