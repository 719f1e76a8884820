#include <algorithm>
#include <set>

#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/screens/Overlays.h"
#include "nvx/src/screens/Ticker.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "tests/projects/nvx/map/MapFixture.h"
#include "tests/support/Writable.h"
#include "util/DVector.h"

namespace nvx {
namespace {

using qel::lcdui::DImage;
using qel::lcdui::DImagePtr;

// The map screen and its shop painted from the demo data's pictures; each
// picture is dumped as a PNG into the build tree for people to look at.
class MapPictureTest : public MapFixture {
protected:
  void SetUp() override {
    MapFixture::SetUp();
    for (int id = 1; id <= 4; ++id) offer(id, true);
  }

  static DImagePtr paintScreen() {
    DImagePtr screen = DImage::createImage(240, 320);
    nvtest::writable(GameState::mapFullRepaint) = 1;
    MapScreen::paintMapScreen(screen->getGraphics());
    Ticker::paintTicker(screen->getGraphics());
    return screen;
  }

  static bool same(const DImagePtr& a, const DImagePtr& b, int x, int y, int w, int h) {
    for (int i = x; i < x + w; ++i)
      for (int j = y; j < y + h; ++j)
        if (nvtest::pixel(a, i, j) != nvtest::pixel(b, i, j)) return false;
    return true;
  }
};

// A missing cursor picture is looked up once, not at every paint: one that
// turns up later is not drawn.
TEST_F(MapPictureTest, AMissingHandIsLookedUpOnce) {
  const std::string hand = "240x320/hand.png";
  const nv::demodata::ArchiveEntry* picture = nvtest::demoData().find(hand);
  ASSERT_NE(picture, nullptr);
  folder_.removeEntry(hand);
  folder_.openArchive();
  const DImagePtr without = paintScreen();
  folder_.addEntry(hand, picture->data);
  folder_.openArchive();
  EXPECT_TRUE(same(without, paintScreen(), 0, 0, 240, 320));
}

TEST_F(MapPictureTest, MapScreen) {
  GameTables::activePersons->addElement(GameTables::persons->at(3));
  placeCursorAt(4);
  nvtest::writable(GameState::tickerRunning) = 1;
  Ticker::showPlaceHint();
  const DImagePtr screen = paintScreen();
  nvtest::dumpPng(screen, "map-screen");

  // The map picture fills its box below the top bar: many colours, no black hole.
  std::set<uint32_t> colours;
  for (int x = GameState::layoutX; x < GameState::layoutX + 240; x += 4)
    for (int y = GameState::layoutY; y < GameState::layoutY + 171; y += 4) colours.insert(nvtest::pixel(screen, x, y));
  EXPECT_GT(colours.size(), 8u);
  // Places 8 and 1 sit on the centres of the top bar's corners.
  EXPECT_EQ(GameTables::mapPlaces[8][0], Overlays::spriteWidth(SpriteRows::spriteTopLeft) / 2);
  EXPECT_EQ(GameTables::mapPlaces[1][0], 240 - Overlays::spriteWidth(SpriteRows::spriteTopRight) / 2);

  // A person the level does not offer is left off the map.
  const int p = 2;
  const int px = GameTables::mapPoints[p][0], py = GameTables::mapPoints[p][1];
  const int pw = Overlays::spriteWidth(SpriteRows::spritePersonFirst + p - 1);
  const int ph = Overlays::spriteHeight(SpriteRows::spritePersonFirst + p - 1);
  offer(p, false);
  const DImagePtr without = paintScreen();
  EXPECT_FALSE(same(screen, without, px, py, pw, ph));
  EXPECT_TRUE(same(screen, without, 0, 0, 240, Overlays::spriteHeight(SpriteRows::spriteTopBar)));

  // The money bar shows the amount.
  GameState::money = 987654;
  const DImagePtr richer = paintScreen();
  EXPECT_FALSE(same(without, richer, 120, 0, 120, Overlays::spriteHeight(SpriteRows::spriteTopBar)));
}

// Twelve item cells in two rows of six; items the money does not reach are
// marked, a carried one is tagged.
TEST_F(MapPictureTest, ShopCells) {
  for (int i = 0; i < 12; ++i) GameTables::levelTable[6][13 + i] = 1;
  placeCursorAt(3);
  WorldState::chosenPerson = GameTables::persons->at(1);
  person(1).pockets[0] = 'k';
  MapScreen::openShop();
  GameState::money = 1000000;
  paintScreen();
  nvtest::writable(MapScreen::cursorX) = GameState::cursorTargetX;
  nvtest::writable(MapScreen::cursorY) = GameState::cursorTargetY;
  const DImagePtr rich = paintScreen();
  nvtest::dumpPng(rich, "map-shop");
  GameState::money = 100;
  const DImagePtr poor = paintScreen();
  nvtest::dumpPng(poor, "map-shop-poor");

  // The slot picture alone, as the reference of a cell.
  DImagePtr slot = DImage::createImage(240, 320);
  SpriteDrawing::drawSpriteFrame(slot->getGraphics(), SpriteRows::spriteShopItem, 0, 0, 0);
  const int w = Overlays::spriteWidth(SpriteRows::spriteShopItem);
  const int h = Overlays::spriteHeight(SpriteRows::spriteShopItem);
  auto cellAt = [&](const DImagePtr& image, int x, int y) {
    for (int j = 10; j < h; ++j)
      if (nvtest::pixel(image, x, y + j) != nvtest::pixel(slot, 0, j) ||
          nvtest::pixel(image, x + 1, y + j) != nvtest::pixel(slot, 1, j))
        return false;
    return true;
  };
  int cells = 0;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 7; ++c) {
      const int x = MapScreen::shopGridX + (w + MapScreen::shopGapX) * c;
      const int y = MapScreen::shopGridY + (h + MapScreen::shopGapY) * r;
      const bool expected = c < 6 && r < 2;
      EXPECT_EQ(cellAt(rich, x, y), expected) << c << "," << r;
      cells += cellAt(rich, x, y);
      if (!expected) continue;
      const int item = r * 6 + c;
      const bool marked = item != 3 && GameTables::itemTable[item][0] > 100;
      EXPECT_EQ(!same(rich, poor, x, y, w, h), marked) << "item " << item;
    }
  EXPECT_EQ(cells, 12);
  EXPECT_EQ(GameTables::shopGrid[5][1], 's');

  // The carried item shows the tag over its cell.
  person(1).pockets[0] = 't';
  GameState::money = 1000000;
  nvtest::writable(MapScreen::shopRepaint) = 1;
  const DImagePtr untagged = paintScreen();
  const int kx = MapScreen::shopGridX + (w + MapScreen::shopGapX) * 3;
  EXPECT_FALSE(same(rich, untagged, kx, MapScreen::shopGridY, w, h));
  EXPECT_TRUE(same(rich, untagged, MapScreen::shopGridX, MapScreen::shopGridY, w, h));
}

// Buying redraws the chosen person, but not over the open shop: person 1 stands behind it.
TEST_F(MapPictureTest, TheOpenShopStaysOverTheChosenPerson) {
  placeCursorAt(3);
  WorldState::chosenPerson = GameTables::persons->at(1);
  MapScreen::openShop();
  const DImagePtr before = paintScreen();
  nvtest::writable(MapScreen::personRepaint) = 1;
  DImagePtr after = DImage::createImage(240, 320);
  MapScreen::paintMapScreen(after->getGraphics());
  // Compared below the shop's title line, whose text scrolls from paint to paint.
  const int px = GameTables::mapPoints[1][0], py = GameTables::mapPoints[1][1];
  const int top = std::max<int>(py, MapScreen::shopGridY);
  const int bottom = py + Overlays::spriteHeight(SpriteRows::spritePersonFirst);
  ASSERT_LT(top, bottom) << "the person stands behind the shop's cells";
  EXPECT_TRUE(same(before, after, px, top, Overlays::spriteWidth(SpriteRows::spritePersonFirst), bottom - top));
}

}  // namespace
}  // namespace nvx
