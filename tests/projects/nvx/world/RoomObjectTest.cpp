#include <gtest/gtest.h>
#include <set>

#include "lang/DInteger.h"
#include "lang/DintArray.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/Writable.h"
#include "util/DHashtable.h"

namespace nvx {
namespace {

using qel::util::DHashtable;
using qel::util::DHashtablePtr;

TEST(RoomObjectTest, PlannedFlagDecidesTheFirstState) {
  const RoomObjectPtr closedOne = new RoomObject(3, 1, 2, 0, false, 1, 4);
  const RoomObjectPtr openOne = new RoomObject(3, 1, 2, 0, true, 1, 4);
  EXPECT_EQ(closedOne->state[0], 'x');
  EXPECT_EQ(openOne->state[0], 0);
  EXPECT_EQ(openOne->state[1], 8);

  openOne->openStamp = 5;
  openOne->takeStamp = 6;
  openOne->state[1] = 2;
  openOne->reset(false);
  EXPECT_EQ(openOne->state[0], 'x');
  EXPECT_EQ(openOne->state[1], 8);
  EXPECT_EQ(openOne->openStamp, 5);
  openOne->reset(true);
  EXPECT_EQ(openOne->openStamp, 0);
  EXPECT_EQ(openOne->takeStamp, 0);
}

// Every cell of the largest map and its border ring has a key of its own.
TEST(RoomObjectTest, CellKeysNeverCollide) {
  EXPECT_EQ(WorldRules::cellKey(3, 7)->intValue(), 0x307);
  std::set<int> keys;
  for (int x = -1; x <= 127; ++x)
    for (int y = -1; y <= 127; ++y)
      EXPECT_TRUE(keys.insert(WorldRules::cellKey(x, y)->intValue()).second) << x << "," << y;
}

TEST(RoomObjectTest, CopiesAreFreshObjectsWhileSharedEntriesAreTheSame) {
  MainCanvas::initStatics();
  DHashtablePtr source = new DHashtable(11, 75);
  RoomObjectPtr bomb = new RoomObject(9, 2, 3, 1, true, 'r', 4);
  bomb->openStamp = 12;
  bomb->takeStamp = 3;
  source->put(WorldRules::cellKey(2, 3), bomb);

  DHashtablePtr copies = new DHashtable(11, 75);
  copies->put(WorldRules::cellKey(9, 9), new RoomObject(1, 9, 9, 0, false, 0, 0));
  WorldRules::copyObjects(source, copies);
  ASSERT_EQ(copies->size(), 1);
  auto* copy = static_cast<RoomObject*>(copies->get(WorldRules::cellKey(2, 3)));
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, bomb.get());
  EXPECT_EQ(copy->type, 9);
  EXPECT_EQ(copy->facing, 1);
  EXPECT_EQ(copy->content, 'r');
  EXPECT_EQ(copy->amount, 4);
  EXPECT_EQ(copy->openStamp, 12);
  EXPECT_EQ(copy->takeStamp, 3);
  EXPECT_EQ(copy->state[0], 'x') << "a copy starts closed";
  copy->state[1] = 0;
  EXPECT_EQ(bomb->state[1], 8);

  DHashtablePtr shared = new DHashtable(11, 75);
  WorldRules::shareEntries(source, shared);
  EXPECT_EQ(shared->get(WorldRules::cellKey(2, 3)), bomb.get());
}

class ProgressBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    MainCanvas::initStatics();
    nvtest::writable(GameState::screenWidth) = 240;
    image_ = qel::lcdui::DImage::createImageOfFormat(60, 20, qel::raster::PF_ARGB8888);
    g_ = image_->getGraphics();
    g_->setColor(0x123456u);
    g_->fillRect(0, 0, 60, 20);
  }
  uint32_t pixel(int x, int y) { return nvtest::pixel(image_, x, y); }
  qel::lcdui::DImagePtr image_;
  qel::lcdui::DGraphicsPtr g_;
};

// w = 240 >> 3 = 30, h = 30 / 5 + 2 = 8; the fill inside is up to 27 wide.
TEST_F(ProgressBarTest, FullBarAndHalfBar) {
  RoomObject safe(0, 0, 0, 0, false, 1, 3);
  safe.state[0] = 8;
  safe.paintProgress(g_, 8, true);
  EXPECT_EQ(pixel(1, 1), 0xffffffu);
  EXPECT_EQ(pixel(2, 2), 0x990000u);
  EXPECT_EQ(pixel(28, 6), 0x990000u);
  EXPECT_EQ(pixel(29, 6), 0xffffffu);
  EXPECT_EQ(pixel(31, 4), 0x123456u);

  safe.state[1] = 4;
  safe.paintProgress(g_, 8, false);
  EXPECT_EQ(pixel(14, 4), 0x006600u);
  EXPECT_EQ(pixel(16, 4), 0xffffffu);
}

TEST_F(ProgressBarTest, NoTotalDrawsNothing) {
  RoomObject safe(0, 0, 0, 0, false, 1, 3);
  safe.paintProgress(g_, 0, true);
  EXPECT_EQ(pixel(1, 1), 0x123456u);
}

}  // namespace
}  // namespace nvx
