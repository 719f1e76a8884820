#include <gtest/gtest.h>

#include "GameFolder.h"
#include "Pixels.h"
#include "TestPng.h"
#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "gamelib/GameLib.h"
#include "gamelib/ImageManager.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DshortArray2d.h"
#include "microedition/lcdui/DGraphics.h"

using gamelib::Animation;
using gamelib::ImageManager;
using qel::lcdui::DGraphics;
using qel::lcdui::DImage;
using qel::lcdui::DImagePtr;

namespace {

constexpr int kPictureW = 8, kPictureH = 4;
constexpr uint32_t kWhite = 0xF8FCF8;

// Frames: 0 = (2, 1, 3, 2), 1 = (0, 0, 1, 1), 2 = (6, 0, 2, 4).
DataBytes frameSection() {
  DataBytes data;
  data.s16(3);
  data.s16(2).s16(1).s16(3).s16(2);
  data.s16(0).s16(0).s16(1).s16(1);
  data.s16(6).s16(0).s16(2).s16(4);
  return data;
}

// One animation: frame 0 = part (0, 0, frame 0, mask 0) and part (5, -1,
// frame 1 mirrored, mask 2); frame 1 = a reference to frame 0; records for
// frame 0 (key 7 at (1, 2, 3, 4)), frame 1 a reference.
DataBytes animationFile() {
  DataBytes data = frameSection();
  data.s16(1);
  data.s16(0x8000 | 2).byte(-3).byte(4);
  data.byte(2).s16(0).s16(0).s16(0).byte(0).s16(5).s16(-1).s16(0x8000 | 1).byte(2);
  data.byte(0x80 | 0);
  data.byte(1);
  data.byte(1).s16(7).s16(1).s16(2).s16(3).s16(4);
  data.byte(0x80 | 0);
  return data;
}

class ImageManagerTest : public ::testing::Test {
protected:
  void SetUp() override {
    folder.addEntry("img/set.png", testPng(kPictureW, kPictureH, sourcePicture(kPictureW, kPictureH)));
    folder.addEntry("img/set.bin", animationFile().bytes());
    folder.openArchive();
    set = new ImageManager();
    set->load(u"img/set");
    canvas = DImage::createImage(30, 30);
  }

  uint32_t at(int x, int y) const { return ImagePixels(canvas).at(x, y); }

  GameFolder folder;
  qel::lang::DPtr<ImageManager> set;
  DImagePtr canvas;
};

TEST_F(ImageManagerTest, FramesDrawUnderEachTransformClippedToTheirTurnedSize) {
  struct Case {
    int transform, width, height;
    // The source pixel drawn at (i, j) of the turned frame.
    int (*sx)(int i, int j);
    int (*sy)(int i, int j);
  };
  const Case cases[] = {
      {0, 3, 2, [](int i, int) { return 2 + i; }, [](int, int j) { return 1 + j; }},
      {2, 3, 2, [](int i, int) { return 2 + 2 - i; }, [](int, int j) { return 1 + j; }},
      {3, 3, 2, [](int i, int) { return 2 + 2 - i; }, [](int, int j) { return 1 + 1 - j; }},
      {5, 2, 3, [](int, int j) { return 2 + j; }, [](int i, int) { return 1 + 1 - i; }},
      {6, 2, 3, [](int, int j) { return 2 + 2 - j; }, [](int i, int) { return 1 + i; }},
  };
  for (const Case& c : cases) {
    canvas = DImage::createImage(30, 30);
    set->drawFrame(canvas->getGraphics(), set->getFrame(0).get(), 10, 10, 0, c.transform, false);
    ImagePixels pixels(canvas);
    for (int j = -1; j <= c.height; ++j)
      for (int i = -1; i <= c.width; ++i) {
        bool inside = i >= 0 && j >= 0 && i < c.width && j < c.height;
        uint32_t expected = inside ? through565(sourcePixel(c.sx(i, j), c.sy(i, j))) : kWhite;
        EXPECT_EQ(pixels.at(10 + i, 10 + j), expected) << "transform " << c.transform << " at " << i << "," << j;
      }
  }
}

TEST_F(ImageManagerTest, AnchorsUseTheTurnedSizeAndTheClipIsRestored) {
  for (int shift : {0, 3}) {
    canvas = DImage::createImage(30, 30);
    qel::lcdui::DGraphicsPtr g = canvas->getGraphics();
    g->translate(shift, shift + 1);
    g->setClip(1, 2, 20, 21);
    set->drawFrame(g, set->getFrame(0).get(), 10, 10, DGraphics::HCENTER | DGraphics::VCENTER, 5, false);
    EXPECT_EQ(g->getClipX(), 1 + shift);
    EXPECT_EQ(g->getClipY(), 2 + shift + 1);
    EXPECT_EQ(g->getClipWidth(), 20);
    EXPECT_EQ(g->getClipHeight(), 21);
    // (10 - 1, 10 - 1): top left of a 2 x 3 box
    ImagePixels pixels(canvas);
    EXPECT_EQ(pixels.at(9 + shift, 10 + shift), through565(sourcePixel(2, 2))) << shift;
    EXPECT_EQ(pixels.at(8 + shift, 10 + shift), kWhite) << shift;
    EXPECT_EQ(pixels.at(10 + shift, 12 + shift), through565(sourcePixel(4, 1))) << shift;
  }
}

TEST_F(ImageManagerTest, AnimationsPaintTheirMaskedPartsAndFollowReferences) {
  ASSERT_EQ(set->animationCount(), 1);
  gamelib::AnimationPtr animation = set->getAnimation(0);
  EXPECT_EQ(animation->headerValue(0), -3);
  EXPECT_EQ(animation->headerValue(1), 4);
  EXPECT_EQ(animation->box().width, 6);
  EXPECT_EQ(animation->box().height, 3);
  EXPECT_EQ(animation->extentTop(), -1);

  EXPECT_EQ(set->paintAnimation(canvas->getGraphics(), animation.get(), 10, 10, 0, 1, false), 1);
  EXPECT_EQ(at(10, 10), through565(sourcePixel(2, 1)));
  EXPECT_EQ(at(15, 9), kWhite);  // mask 2 is not asked for

  EXPECT_EQ(set->paintAnimation(canvas->getGraphics(), animation.get(), 10, 10, 1, 255, false), 0);
  EXPECT_EQ(at(15, 9), through565(sourcePixel(0, 0)));
  EXPECT_EQ(animation->box().x, 0);
  EXPECT_EQ(animation->box().y, -1);

  canvas = DImage::createImage(30, 30);
  EXPECT_EQ(set->paintAnimationByIndex(canvas->getGraphics(), 0, 10, 10, -4, 0, true), 1);
  EXPECT_EQ(at(10, 10), through565(sourcePixel(4, 1)));  // every part mirrored
}

TEST_F(ImageManagerTest, RecordsAreFoundByKeyThroughReferences) {
  gamelib::AnimationPtr animation = set->getAnimation(0);
  int32_t x = 0, y = 0, w = 0, h = 0;
  EXPECT_TRUE(animation->findFrameRect(7, 1, x, y, w, h));
  EXPECT_EQ((std::vector<int32_t>{x, y, w, h}), (std::vector<int32_t>{1, 2, 3, 4}));
  EXPECT_FALSE(animation->findFrameRect(8, 0, x, y, w, h));
  EXPECT_FALSE(animation->findFrameRect(7, 2, x, y, w, h));
}

TEST_F(ImageManagerTest, FrameImagesAndTransformedRectangles) {
  DImagePtr frame = set->createFrameImage(2);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->getWidth(), 2);
  EXPECT_EQ(ImagePixels(frame).at(1, 3), through565(sourcePixel(7, 3)));
  EXPECT_EQ(set->createFrameImage(3), nullptr);
  EXPECT_THROW(set->getFrame(3), qel::lang::DExceptionBase);

  struct Case {
    int transform, x, y, w, h;
  };
  for (const Case& c : {Case{2, 3, 1, 3, 2}, Case{5, 1, 2, 2, 3}, Case{6, 1, 3, 2, 3}, Case{0, 2, 1, 3, 2}}) {
    ImageManager fresh;
    fresh.load(u"img/set");
    gamelib::GameImagePtr image = fresh.getFrame(0);
    image->setTransform(c.transform);
    EXPECT_EQ((std::vector<int32_t>{image->x(), image->y(), image->width(), image->height()}),
              (std::vector<int32_t>{c.x, c.y, c.w, c.h}))
        << c.transform;
  }
}

TEST(ImageManagerDataTest, ShortFramesThrowShortAnimationsKeepWhatWasRead) {
  GameFolder folder;
  DataBytes shortFrames;
  shortFrames.s16(2).s16(0).s16(0).s16(1).s16(1).s16(0);
  DataBytes noRecordFlag = frameSection();
  noRecordFlag.s16(2).s16(1).byte(1).s16(0).s16(0).s16(2).byte(0);
  DataBytes shortAnimation = noRecordFlag;
  shortAnimation.byte(0).s16(1).byte(1).s16(0);
  folder.addEntry("a.bin", shortFrames.bytes());
  folder.addEntry("b.bin", noRecordFlag.bytes());
  folder.addEntry("c.bin", shortAnimation.bytes());
  folder.addEntry("b.png", solidPng(8, 4, 0));
  folder.openArchive();

  ImageManager a, b, c, none;
  try {
    a.load(u"a");
    ADD_FAILURE() << "no exception";
  } catch (qel::lang::DExceptionBase& e) {
    EXPECT_EQ(e.code(), qel::lang::ExceptionCode::EndOfFile);
  }
  b.load(u"b");
  EXPECT_EQ(b.animationCount(), 2);
  EXPECT_EQ(b.getAnimation(0)->frameCount(), 1);
  EXPECT_EQ(b.getAnimation(1)->frameCount(), 0);  // the one being read keeps what it has
  EXPECT_EQ(b.imageWidth(), 8);
  c.load(u"c");
  EXPECT_EQ(c.getAnimation(1)->frameCount(), 1);
  EXPECT_EQ(c.imageWidth(), 0);
  EXPECT_THROW(none.load(u"missing"), qel::lang::DExceptionBase);
}

}  // namespace
