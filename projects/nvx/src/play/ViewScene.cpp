#include "nvx/src/play/ViewScene.h"

#include <algorithm>

#include "lang/DInteger.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"

namespace nvx {

using qel::lcdui::DGraphicsPtr;

namespace {

constexpr int32_t firstFloor = 13;

bool running() { return GameState::skipWorldLogic == 1; }

int32_t keyOf(int32_t x, int32_t y) { return (x << 8) | (y & 0xff); }

RoomObject* objectAt(const qel::util::DHashtablePtr& table, int32_t x, int32_t y) {
  return table ? static_cast<RoomObject*>(table->get(keyOf(x, y))) : nullptr;
}

int32_t spriteHeight(int32_t set) { return GameTables::spriteTable[set][3]; }

Person* crewAt(int32_t i) { return static_cast<Person*>(GameTables::activePersons->elementAt(i)); }

// A cell class drawn as a neighbour's floor: walls and the floors that stand
// for their axis are folded onto the plain floors 13 and 16.
int32_t edgeFrame(int32_t v, bool horizontal) {
  if (horizontal && (v == 14 || v == 15)) return 13;
  if (!horizontal && (v == 17 || v == 18)) return 16;
  return v;
}

int32_t cornerFrame(int32_t v) {
  if (v < firstFloor) return 16;
  if (v == 14 || v == 15) return 13;
  if (v == 17 || v == 18) return 16;
  return v;
}

}  // namespace

void ViewScene::makeTrailImage() {
  WorldState::trailGraphics.release();
  WorldState::trailImage = qel::lcdui::DImage::createImage(GameState::screenWidth, GameState::screenHeight);
  WorldState::trailGraphics = WorldState::trailImage->getGraphics();
  computeVisibleCells();
}

void ViewScene::invalidateScene() {
  KeyInput::clearHotZones();
  WorldState::sceneDirty = 1;
  if (GameState::mapPainting) WorldState::sceneDirtyAgain_ = 1;
}

void ViewScene::paintLevel(const DGraphicsPtr& g) {
  if (!WorldState::trailGraphics) return;
  const int32_t sw = GameState::screenWidth, sh = GameState::screenHeight;
  if (WorldState::sceneDirty) {
    GameState::mapPainting = 1;
    const int32_t c = GameState::cellSize;
    if (WorldState::mapWidth * c < sw || WorldState::mapHeight * c < ViewScene::mapAreaHeight) {
      const DGraphicsPtr& t = WorldState::trailGraphics;
      t->setColor(static_cast<uint32_t>(running() ? runningBackground : planningBackground));
      t->setClip(0, 0, sw, sh);
      t->fillRect(0, 0, sw, sh);
    }
  }
  paintScene(g);
  if (running()) {
    paintBombs(g);
    paintVehicleOverlay(g);
  }
  paintPersons(g);
  if (running()) paintVehicle(g);
  paintBarStatus(g);
  paintStepClock(g);
  MapScreen::paintCursor(g, MapScreen::cursorX, MapScreen::cursorY, 0);
  if (GameState::touchInput) {
    g->setClip(0, 0, sw, sh);
    if (WorldState::selectedPerson)
      paintPersonButtons(g);
    else
      paintScrollArrows(g);
  }
  WorldState::sceneRebuilt_ = 0;
  if (WorldState::sceneDirtyAgain) {
    WorldState::sceneDirtyAgain_ = 0;
  } else {
    WorldState::sceneDirty = 0;
  }
  GameState::mapPainting = 0;
}

void ViewScene::paintScene(const DGraphicsPtr& g) {
  if (WorldState::sceneDirty) {
    WorldState::sceneRebuilt_ = 1;
    const int32_t c = std::max<int32_t>(GameState::cellSize, 1);
    const int32_t tiles = running() ? runTileSprite : tileSprite;
    const int32_t x0 = -(WorldState::mapOriginX / c);
    const int32_t x1 = WorldState::visibleColumns + x0 + 2;
    const int32_t y0 = -(WorldState::mapOriginY / c);
    const int32_t y1 = WorldState::visibleRows + y0 + 2;
    if (running()) paintWallEdges(x0, x1, y0, y1, tiles);
    paintCells(x0, x1, y0, y1, tiles);
    if (!running()) {
      WorldState::trailGraphics->setClip(0, 0, GameState::screenWidth, GameState::screenHeight);
      paintPlanTrails(x0, x1, y0, y1);
      paintVehicle(WorldState::trailGraphics);
      paintBombs(WorldState::trailGraphics);
    }
  }
  if (WorldState::sceneRebuilt) paintBar(WorldState::trailGraphics, false);
  g->drawImage(WorldState::trailImage, 0, -WorldState::shakeOffset, 0, 0);
}

void ViewScene::paintWallEdges(int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t tiles) {
  const DGraphicsPtr& t = WorldState::trailGraphics;
  const int32_t c = GameState::cellSize, half = c / 2;
  // Cuts {left, right, top, bottom} that leave the half toward a direction
  // (left, up, right, down) and the quarter toward a corner (top-left,
  // top-right, bottom-right, bottom-left).
  static constexpr int32_t halfCuts[4][4] = {{0, 1, 0, 0}, {0, 0, 0, 1}, {1, 0, 0, 0}, {0, 0, 1, 0}};
  static constexpr int32_t quarterCuts[4][4] = {{0, 1, 0, 1}, {1, 0, 0, 1}, {1, 0, 1, 0}, {0, 1, 1, 0}};
  const int32_t xs = std::max(x0, 0), xe = std::min<int32_t>(x1, WorldState::mapWidth);
  const int32_t ys = std::max(y0, 0), ye = std::min<int32_t>(y1, WorldState::mapHeight);
  for (int32_t x = xs; x < xe; ++x) {
    for (int32_t y = ys; y < ye; ++y) {
      if (WorldRules::cellClass(x, y, false) >= firstFloor) continue;
      const int32_t px = WorldState::mapOriginX + x * c, py = WorldState::mapOriginY + y * c;
      bool corners[4] = {false, false, false, false};
      for (int32_t d = 0; d < 4; ++d) {
        int32_t v =
            WorldRules::cellClass(x + GameTables::directionSteps[0][d], y + GameTables::directionSteps[1][d], true);
        if (v < firstFloor) continue;
        v = edgeFrame(v, d == 0 || d == 2);
        const auto& cut = halfCuts[d];
        SpriteDrawing::drawSprite(t, tiles, v, px, py, cut[0] * half, cut[1] * half, cut[2] * half, cut[3] * half);
        corners[d] = true;
        corners[(d + 3) % 4] = true;
      }
      for (int32_t k = 0; k < 4; ++k) {
        if (corners[k]) continue;
        const int32_t v = cornerFrame(
            WorldRules::cellClass(x + GameTables::diagonalSteps[0][k], y + GameTables::diagonalSteps[1][k], true));
        const auto& cut = quarterCuts[k];
        SpriteDrawing::drawSprite(t, tiles, v, px, py, cut[0] * half, cut[1] * half, cut[2] * half, cut[3] * half);
      }
    }
  }
}

void ViewScene::paintCells(int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t tiles) {
  const DGraphicsPtr& t = WorldState::trailGraphics;
  const int32_t c = GameState::cellSize;
  const bool run = running();
  const bool alarmsShown = !run && GameTables::alarmLinks && WorldState::alarmBoxesOff == 0;
  for (int32_t x = x0; x < x1; ++x) {
    for (int32_t y = y0; y < y1; ++y) {
      const bool onMap = x >= 0 && y >= 0 && x < WorldState::mapWidth && y < WorldState::mapHeight;
      int32_t value = run ? 16 : firstFloor;
      if (onMap) {
        value = WorldState::grid[x][y];
        if (!run && value >= firstFloor) value = firstFloor;
      }
      RoomObject* object = onMap ? objectAt(GameTables::roomObjects, x, y) : nullptr;
      const bool openGround = object && (object->type == 1 || object->type == 2);
      const int32_t px = WorldState::mapOriginX + x * c, py = WorldState::mapOriginY + y * c;
      if (!(run && openGround)) {
        if (!run) SpriteDrawing::drawSpriteFrame(t, tiles, firstFloor, px, py);
        SpriteDrawing::drawSpriteFrame(t, tiles, value, px, py);
      }
      if (alarmsShown && onMap) {
        if (auto* link = static_cast<qel::lang::DInteger*>(GameTables::alarmLinks->get(keyOf(x, y)))) {
          // A guarded cell whose box is missing keeps no mark.
          if (auto* box = static_cast<RoomObject*>(GameTables::roomObjects->get(link->intValue())))
            SpriteDrawing::drawSpriteFrame(t, tiles, 15 + box->amount, px, py);
        }
      }
      if (object) object->paint(t);
    }
  }
}

void ViewScene::paintPlanTrails(int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
  if (!GameTables::activePersons) return;
  const DGraphicsPtr& t = WorldState::trailGraphics;
  const int32_t c = GameState::cellSize, h = c / 2;
  // Trail dots advance by a twelfth of a cell; a cell below 12 pixels still moves them on.
  const int32_t advance = std::max(c / 12, 1);
  const int32_t dot = GameState::screenHeight > 400 ? 4 : 2;
  const Person* selected = Person::selected();
  for (int32_t i = 0; i < GameTables::activePersons->size(); ++i) {
    Person& p = *crewAt(i);
    p.planLoad = p.load;
    const bool forecast = selected && selected->id == p.id;
    int32_t counted = -1;
    for (int32_t s = 0; s < WorldState::stepIndex && s < p.steps->size(); ++s) {
      const Path& step = *static_cast<Path*>(p.steps->elementAt(s));
      const int32_t action = step.getAction();
      if (action == Path::Walk && step.x >= x0 && step.x < x1 && step.y >= y0 && step.y < y1) {
        const int32_t dx = GameTables::directionSteps[0][step.getDirection()];
        const int32_t dy = GameTables::directionSteps[1][step.getDirection()];
        t->setColor(static_cast<uint32_t>(GameTables::colourTable[p.id]));
        const int32_t bx = WorldState::mapOriginX + step.x * c + h + p.id - 1;
        const int32_t by = WorldState::mapOriginY + step.y * c + h + p.id - 1;
        for (int32_t k = 0; k < c; k += advance) t->fillRect(bx + k * dx, by + k * dy, dot, dot);
      }
      if (forecast) {
        const int32_t slot = step.getItemSlot();
        const bool takes =
            action == Path::Take || (action == Path::Work && slot < p.pockets->length() && p.pockets[slot] == 's');
        if (!takes) {
          counted = -1;
        } else if (step.packed() != counted) {
          counted = step.packed();
          const int8_t px = p.x, py = p.y;
          const int32_t pd = p.direction;
          p.x = step.x;
          p.y = step.y;
          p.direction = step.getDirection();
          const RoomObject* target = WorldRules::objectInFront(p);
          p.x = px;
          p.y = py;
          p.direction = pd;
          if (target && target->content > 0 && target->content < GameTables::levelTotals->length() &&
              target->amount > 0 && GameTables::levelTotals[target->content] < 1)
            p.planLoad = static_cast<int8_t>(p.planLoad + GameTables::alarmTable[target->content][1]);
        }
      }
      if (step.x == WorldState::exitX && step.y == WorldState::exitY) p.planLoad = p.load;
    }
  }
}

void ViewScene::paintPersons(const DGraphicsPtr& g) {
  WorldState::exitMoveSouth = 0;
  WorldState::exitMoveNorth = 0;
  if (GameTables::activePersons)
    for (int32_t i = 0; i < GameTables::activePersons->size(); ++i) crewAt(i)->paint(g);
  if ((WorldState::phase == 2 || WorldState::phase == 3) && GameTables::savedIds) {
    for (int32_t i = 0; i < GameTables::savedIds->size(); ++i) {
      qel::lang::DObjectPtr jailed = GameTables::savedIds->elementAt(i);
      if (GameTables::levelList && GameTables::levelList->contains(jailed)) continue;
      auto* p = static_cast<Person*>(jailed.get());
      p->action = 0;
      p->paint(g);
    }
  }
}

void ViewScene::paintBombs(const DGraphicsPtr& g) {
  if (!GameTables::bombs || GameTables::bombs->size() == 0) return;
  const bool run = running();
  for (qel::util::DEnumerationPtr e = GameTables::bombs->elements(); e->hasMoreElements();) {
    auto* bomb = static_cast<RoomObject*>(e->nextElement());
    if (run || bomb->openStamp - 5 <= WorldState::stepIndex) bomb->paint(g);
  }
}

void ViewScene::paintVehicle(const DGraphicsPtr& g) {
  // The vehicle never reaches below the map area.
  const int32_t cutBottom =
      std::max(0, spriteHeight(planVehicleSprite) - ViewScene::mapAreaHeight + WorldState::vehicleY);
  if (running()) {
    SpriteDrawing::drawSprite(
        g, WorldRules::vehicleSprite, 0, WorldState::vehicleX, WorldState::vehicleY, 0, 0, 0, cutBottom);
    SpriteDrawing::drawSpriteFrame(g, policeSprite, 0, WorldState::policeOffset, WorldState::policeY);
  } else if (WorldState::sceneRebuilt && WorldState::vehicleY <= ViewScene::mapAreaHeight) {
    SpriteDrawing::drawSprite(g, planVehicleSprite, 0, WorldState::vehicleX, WorldState::vehicleY, 0, 0, 0, cutBottom);
    g->setClip(0, 0, GameState::screenWidth, GameState::screenHeight);
  }
}

void ViewScene::paintVehicleOverlay(const DGraphicsPtr& g) {
  if (!running()) return;
  SpriteDrawing::drawSpriteFrame(g,
                                 WorldState::exitMoveSouth ? vehicleOverlayA1 : vehicleOverlayA0,
                                 0,
                                 WorldState::vehicleX + GameState::overlayAX,
                                 WorldState::vehicleY + GameState::overlayAY);
  const int32_t b = WorldState::exitMoveNorth ? vehicleOverlayB1 : vehicleOverlayB0;
  SpriteDrawing::drawSpriteFrame(g,
                                 b,
                                 0,
                                 WorldState::vehicleX + GameState::overlayBX,
                                 WorldState::vehicleY + GameState::overlayBY - spriteHeight(b));
}

}  // namespace nvx
