#include <fstream>
#include <gtest/gtest.h>

#include "gamelib/GameLib.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "lang/DintArray.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "tests/projects/gamelib/GameFolder.h"
#include "tests/support/DemoData.h"
#include "tests/support/PngDump.h"
#include "tests/support/ScreenPixels.h"
#include "tests/support/Writable.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"

namespace nvx {
namespace {

using qel::lcdui::DImage;
using qel::lcdui::DImagePtr;

// The demo data set as the builder makes it, with its pictures loaded the way
// the game loads them; each test paints levels of it.
class LevelPaintTest : public ::testing::Test {
protected:
  void SetUp() override {
    nvtest::openDemoData(folder_);
    MainCanvas::initStatics();
    const char16_t* names[] = {u"abc", u"pic1", u"pic2", u"pic3", u"pic4", u"pic5", u"pic6"};
    GameState::pictures = new qel::lang::DObjectArray(8);
    for (int i = 3; i <= 6; ++i) {
      GameState::pictures[i] = gamelib::GameLib::loadImage(names[i]);
      ASSERT_TRUE(GameState::pictures[i]) << i;
    }
    GameState::difficulty = 0;
    WorldState::stepIndex = 0;
    nvtest::writable(WorldState::mapOriginX) = 0;
    nvtest::writable(WorldState::mapOriginY) = 0;
  }
  void TearDown() override { gamelib::GameLib::setSearchPath(nullptr); }

  // The level's cells, objects and a crew of three, the way the level view
  // layers them, into a picture of the whole map.
  DImagePtr paintLevel(int level, bool running) {
    EXPECT_TRUE(WorldRules::loadLevel(level));
    GameState::levelNumber = static_cast<int8_t>(level);
    nvtest::writable(GameState::skipWorldLogic) = running ? 1 : 0;
    const int cell = GameState::cellSize;
    nvtest::writable(GameState::screenWidth) = WorldState::mapWidth * cell;
    nvtest::writable(GameState::screenHeight) = WorldState::mapHeight * cell;
    DImagePtr picture =
        DImage::createImageOfFormat(GameState::screenWidth, GameState::screenHeight, qel::raster::PF_ARGB8888);
    qel::lcdui::DGraphicsPtr g = picture->getGraphics();
    const int tiles = running ? 0 : 2;
    for (int x = 0; x < WorldState::mapWidth; ++x)
      for (int y = 0; y < WorldState::mapHeight; ++y)
        SpriteDrawing::drawSpriteFrame(g, tiles, WorldState::grid[x][y], x * cell, y * cell);
    for (auto e = GameTables::roomObjects->elements(); e->hasMoreElements();)
      static_cast<RoomObject*>(e->nextElement())->paint(g);
    GameTables::activePersons->removeAllElements();
    for (int id : {0, 2, 3}) {
      PersonPtr p = new Person(id);
      p->resetPlan();
      p->y = static_cast<int8_t>(p->y + (id == 0 ? 0 : id == 2 ? -1 : 1));
      p->direction = 3;
      GameTables::activePersons->addElement(p);
      p->paint(g);
    }
    return picture;
  }

  // Whether the cell shows the colour anywhere.
  static bool cellHas(const DImagePtr& image, int cx, int cy, uint32_t colour) {
    const int cell = GameState::cellSize;
    for (int x = 0; x < cell; ++x)
      for (int y = 0; y < cell; ++y)
        if (nvtest::pixel(image, cx * cell + x, cy * cell + y) == colour) return true;
    return false;
  }

  GameFolder folder_;
};

// Planning shows loot containers as outlines in the loot colour, decoration
// in grey; running draws the object sheet over the tiles.
TEST_F(LevelPaintTest, EveryLevelPaintsInBothModes) {
  for (int level = 1; level <= 26; ++level) {
    SCOPED_TRACE(level);
    const DImagePtr planning = paintLevel(level, false);
    bool lootShown = false;
    for (auto e = GameTables::roomObjects->elements(); e->hasMoreElements();) {
      const auto* o = static_cast<RoomObject*>(e->nextElement());
      const bool lootColour = cellHas(planning, o->x, o->y, 0xb80066);
      if (lootColour) lootShown = true;
      const bool outlined = GameTables::objectTypeTable[o->type][4] >= 0 && (o->type < 22 || o->type > 24);
      if ((o->flags() & RoomObject::inertFlag) && outlined) {
        EXPECT_TRUE(cellHas(planning, o->x, o->y, 0x595959)) << "decoration at " << int(o->x) << "," << int(o->y);
      }
    }
    const int briefing = GameTables::levelTable[level - 1][25];
    bool lootOnSale = false;
    for (int k = 1; k <= 5; ++k) lootOnSale |= GameTables::levelTotals[k] > 0;
    if (briefing != 20 && !lootOnSale) {
      EXPECT_TRUE(lootShown);
    }
    if (level == 1 || level == 7 || level == 9)
      nvtest::dumpPng(planning, "level" + std::to_string(level) + "-planning");

    const DImagePtr running = paintLevel(level, true);
    const DImagePtr tilesOnly =
        DImage::createImageOfFormat(running->getWidth(), running->getHeight(), qel::raster::PF_ARGB8888);
    for (auto e = GameTables::roomObjects->elements(); e->hasMoreElements();) {
      const auto* o = static_cast<RoomObject*>(e->nextElement());
      if (o->type == 6 && WorldState::alarmBoxesOff > 0) continue;
      bool differs = false;
      const int cell = GameState::cellSize;
      qel::lcdui::DGraphicsPtr g = tilesOnly->getGraphics();
      SpriteDrawing::drawSpriteFrame(g, 0, WorldState::grid[o->x][o->y], o->x * cell, o->y * cell);
      for (int i = 0; i < cell && !differs; ++i)
        for (int j = 0; j < cell && !differs; ++j)
          differs = nvtest::pixel(running, o->x * cell + i, o->y * cell + j) !=
                    nvtest::pixel(tilesOnly, o->x * cell + i, o->y * cell + j);
      EXPECT_TRUE(differs) << "object " << o->type << " at " << int(o->x) << "," << int(o->y) << " drawn";
    }
    if (level == 1 || level == 7 || level == 9) nvtest::dumpPng(running, "level" + std::to_string(level) + "-running");
  }
}

}  // namespace
}  // namespace nvx
