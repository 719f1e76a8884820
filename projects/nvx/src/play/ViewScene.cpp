#include "nvx/src/play/ViewScene.h"

#include <algorithm>

#include "lang/DInteger.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"

namespace nvx {

using qel::lcdui::DGraphicsPtr;

namespace {

constexpr int32_t firstFloor = 13;

bool running() { return MainCanvas::skipWorldLogic == 1; }

int32_t keyOf(int32_t x, int32_t y) { return (x << 8) | (y & 0xff); }

RoomObject* objectAt(const qel::util::DHashtablePtr& table, int32_t x, int32_t y) {
  return table ? static_cast<RoomObject*>(table->get(keyOf(x, y))) : nullptr;
}

int32_t spriteHeight(int32_t set) { return MainCanvas::spriteTable[set][3]; }

Person* crewAt(int32_t i) { return static_cast<Person*>(MainCanvas::activePersons->elementAt(i)); }

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
  MainCanvas::trailGraphics.release();
  MainCanvas::trailImage = qel::lcdui::DImage::createImage(MainCanvas::screenWidth, MainCanvas::screenHeight);
  MainCanvas::trailGraphics = MainCanvas::trailImage->getGraphics();
  computeVisibleCells();
}

void ViewScene::invalidateScene() {
  MainCanvas::clearHotZones();
  MainCanvas::sceneDirty = 1;
  if (MainCanvas::mapPainting) MainCanvas::sceneDirtyAgain = 1;
}

void ViewScene::paintLevel(const DGraphicsPtr& g) {
  if (!MainCanvas::trailGraphics) return;
  const int32_t sw = MainCanvas::screenWidth, sh = MainCanvas::screenHeight;
  if (MainCanvas::sceneDirty) {
    MainCanvas::mapPainting = 1;
    const int32_t c = MainCanvas::cellSize;
    if (MainCanvas::mapWidth * c < sw || MainCanvas::mapHeight * c < MainCanvas::mapAreaHeight) {
      const DGraphicsPtr& t = MainCanvas::trailGraphics;
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
  MainCanvas::paintCursor(g, MainCanvas::cursorX, MainCanvas::cursorY, 0);
  if (MainCanvas::touchInput) {
    g->setClip(0, 0, sw, sh);
    if (MainCanvas::selectedPerson)
      paintPersonButtons(g);
    else
      paintScrollArrows(g);
  }
  MainCanvas::sceneRebuilt = 0;
  if (MainCanvas::sceneDirtyAgain) {
    MainCanvas::sceneDirtyAgain = 0;
  } else {
    MainCanvas::sceneDirty = 0;
  }
  MainCanvas::mapPainting = 0;
}

void ViewScene::paintScene(const DGraphicsPtr& g) {
  if (MainCanvas::sceneDirty) {
    MainCanvas::sceneRebuilt = 1;
    const int32_t c = std::max<int32_t>(MainCanvas::cellSize, 1);
    const int32_t tiles = running() ? runTileSprite : tileSprite;
    const int32_t x0 = -(MainCanvas::mapOriginX / c);
    const int32_t x1 = MainCanvas::visibleColumns + x0 + 2;
    const int32_t y0 = -(MainCanvas::mapOriginY / c);
    const int32_t y1 = MainCanvas::visibleRows + y0 + 2;
    if (running()) paintWallEdges(x0, x1, y0, y1, tiles);
    paintCells(x0, x1, y0, y1, tiles);
    if (!running()) {
      MainCanvas::trailGraphics->setClip(0, 0, MainCanvas::screenWidth, MainCanvas::screenHeight);
      paintPlanTrails(x0, x1, y0, y1);
      paintVehicle(MainCanvas::trailGraphics);
      paintBombs(MainCanvas::trailGraphics);
    }
  }
  if (MainCanvas::sceneRebuilt) paintBar(MainCanvas::trailGraphics, false);
  g->drawImage(MainCanvas::trailImage, 0, -MainCanvas::shakeOffset, 0, 0);
}

void ViewScene::paintWallEdges(int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t tiles) {
  const DGraphicsPtr& t = MainCanvas::trailGraphics;
  const int32_t c = MainCanvas::cellSize, half = c / 2;
  // Cuts {left, right, top, bottom} that leave the half toward a direction
  // (left, up, right, down) and the quarter toward a corner (top-left,
  // top-right, bottom-right, bottom-left).
  static constexpr int32_t halfCuts[4][4] = {{0, 1, 0, 0}, {0, 0, 0, 1}, {1, 0, 0, 0}, {0, 0, 1, 0}};
  static constexpr int32_t quarterCuts[4][4] = {{0, 1, 0, 1}, {1, 0, 0, 1}, {1, 0, 1, 0}, {0, 1, 1, 0}};
  const int32_t xs = std::max(x0, 0), xe = std::min<int32_t>(x1, MainCanvas::mapWidth);
  const int32_t ys = std::max(y0, 0), ye = std::min<int32_t>(y1, MainCanvas::mapHeight);
  for (int32_t x = xs; x < xe; ++x) {
    for (int32_t y = ys; y < ye; ++y) {
      if (MainCanvas::cellClass(x, y, false) >= firstFloor) continue;
      const int32_t px = MainCanvas::mapOriginX + x * c, py = MainCanvas::mapOriginY + y * c;
      bool corners[4] = {false, false, false, false};
      for (int32_t d = 0; d < 4; ++d) {
        int32_t v =
            MainCanvas::cellClass(x + MainCanvas::directionSteps[0][d], y + MainCanvas::directionSteps[1][d], true);
        if (v < firstFloor) continue;
        v = edgeFrame(v, d == 0 || d == 2);
        const auto& cut = halfCuts[d];
        MainCanvas::drawSprite(t, tiles, v, px, py, cut[0] * half, cut[1] * half, cut[2] * half, cut[3] * half);
        corners[d] = true;
        corners[(d + 3) % 4] = true;
      }
      for (int32_t k = 0; k < 4; ++k) {
        if (corners[k]) continue;
        const int32_t v = cornerFrame(
            MainCanvas::cellClass(x + MainCanvas::diagonalSteps[0][k], y + MainCanvas::diagonalSteps[1][k], true));
        const auto& cut = quarterCuts[k];
        MainCanvas::drawSprite(t, tiles, v, px, py, cut[0] * half, cut[1] * half, cut[2] * half, cut[3] * half);
      }
    }
  }
}

void ViewScene::paintCells(int32_t x0, int32_t x1, int32_t y0, int32_t y1, int32_t tiles) {
  const DGraphicsPtr& t = MainCanvas::trailGraphics;
  const int32_t c = MainCanvas::cellSize;
  const bool run = running();
  const bool alarmsShown = !run && MainCanvas::alarmLinks && MainCanvas::alarmBoxesOff == 0;
  for (int32_t x = x0; x < x1; ++x) {
    for (int32_t y = y0; y < y1; ++y) {
      const bool onMap = x >= 0 && y >= 0 && x < MainCanvas::mapWidth && y < MainCanvas::mapHeight;
      int32_t value = run ? 16 : firstFloor;
      if (onMap) {
        value = MainCanvas::grid[x][y];
        if (!run && value >= firstFloor) value = firstFloor;
      }
      RoomObject* object = onMap ? objectAt(MainCanvas::roomObjects, x, y) : nullptr;
      const bool openGround = object && (object->type == 1 || object->type == 2);
      const int32_t px = MainCanvas::mapOriginX + x * c, py = MainCanvas::mapOriginY + y * c;
      if (!(run && openGround)) {
        if (!run) MainCanvas::drawSpriteFrame(t, tiles, firstFloor, px, py);
        MainCanvas::drawSpriteFrame(t, tiles, value, px, py);
      }
      if (alarmsShown && onMap) {
        if (auto* link = static_cast<qel::lang::DInteger*>(MainCanvas::alarmLinks->get(keyOf(x, y)))) {
          // A guarded cell whose box is missing keeps no mark.
          if (auto* box = static_cast<RoomObject*>(MainCanvas::roomObjects->get(link->intValue())))
            MainCanvas::drawSpriteFrame(t, tiles, 15 + box->amount, px, py);
        }
      }
      if (object) object->paint(t);
    }
  }
}

void ViewScene::paintPlanTrails(int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
  if (!MainCanvas::activePersons) return;
  const DGraphicsPtr& t = MainCanvas::trailGraphics;
  const int32_t c = MainCanvas::cellSize, h = c / 2;
  // Trail dots advance by a twelfth of a cell; a cell below 12 pixels still moves them on.
  const int32_t advance = std::max(c / 12, 1);
  const int32_t dot = MainCanvas::screenHeight > 400 ? 4 : 2;
  const Person* selected = Person::selected();
  for (int32_t i = 0; i < MainCanvas::activePersons->size(); ++i) {
    Person& p = *crewAt(i);
    p.planLoad = p.load;
    const bool forecast = selected && selected->id == p.id;
    int32_t counted = -1;
    for (int32_t s = 0; s < MainCanvas::stepIndex && s < p.steps->size(); ++s) {
      const Path& step = *static_cast<Path*>(p.steps->elementAt(s));
      const int32_t action = step.getAction();
      if (action == Path::Walk && step.x >= x0 && step.x < x1 && step.y >= y0 && step.y < y1) {
        const int32_t dx = MainCanvas::directionSteps[0][step.getDirection()];
        const int32_t dy = MainCanvas::directionSteps[1][step.getDirection()];
        t->setColor(static_cast<uint32_t>(MainCanvas::colourTable[p.id]));
        const int32_t bx = MainCanvas::mapOriginX + step.x * c + h + p.id - 1;
        const int32_t by = MainCanvas::mapOriginY + step.y * c + h + p.id - 1;
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
          const RoomObject* target = MainCanvas::objectInFront(p);
          p.x = px;
          p.y = py;
          p.direction = pd;
          if (target && target->content > 0 && target->content < MainCanvas::levelTotals->length() &&
              target->amount > 0 && MainCanvas::levelTotals[target->content] < 1)
            p.planLoad = static_cast<int8_t>(p.planLoad + MainCanvas::alarmTable[target->content][1]);
        }
      }
      if (step.x == MainCanvas::exitX && step.y == MainCanvas::exitY) p.planLoad = p.load;
    }
  }
}

void ViewScene::paintPersons(const DGraphicsPtr& g) {
  MainCanvas::exitMoveSouth = 0;
  MainCanvas::exitMoveNorth = 0;
  if (MainCanvas::activePersons)
    for (int32_t i = 0; i < MainCanvas::activePersons->size(); ++i) crewAt(i)->paint(g);
  if ((MainCanvas::phase == 2 || MainCanvas::phase == 3) && MainCanvas::savedIds) {
    for (int32_t i = 0; i < MainCanvas::savedIds->size(); ++i) {
      qel::lang::DObjectPtr jailed = MainCanvas::savedIds->elementAt(i);
      if (MainCanvas::levelList && MainCanvas::levelList->contains(jailed)) continue;
      auto* p = static_cast<Person*>(jailed.get());
      p->action = 0;
      p->paint(g);
    }
  }
}

void ViewScene::paintBombs(const DGraphicsPtr& g) {
  if (!MainCanvas::bombs || MainCanvas::bombs->size() == 0) return;
  const bool run = running();
  for (qel::util::DEnumerationPtr e = MainCanvas::bombs->elements(); e->hasMoreElements();) {
    auto* bomb = static_cast<RoomObject*>(e->nextElement());
    if (run || bomb->openStamp - 5 <= MainCanvas::stepIndex) bomb->paint(g);
  }
}

void ViewScene::paintVehicle(const DGraphicsPtr& g) {
  // The vehicle never reaches below the map area.
  const int32_t cutBottom =
      std::max(0, spriteHeight(planVehicleSprite) - MainCanvas::mapAreaHeight + MainCanvas::vehicleY);
  if (running()) {
    MainCanvas::drawSprite(
        g, MainCanvas::vehicleSprite, 0, MainCanvas::vehicleX, MainCanvas::vehicleY, 0, 0, 0, cutBottom);
    MainCanvas::drawSpriteFrame(g, policeSprite, 0, MainCanvas::policeOffset, MainCanvas::policeY);
  } else if (MainCanvas::sceneRebuilt && MainCanvas::vehicleY <= MainCanvas::mapAreaHeight) {
    MainCanvas::drawSprite(g, planVehicleSprite, 0, MainCanvas::vehicleX, MainCanvas::vehicleY, 0, 0, 0, cutBottom);
    g->setClip(0, 0, MainCanvas::screenWidth, MainCanvas::screenHeight);
  }
}

void ViewScene::paintVehicleOverlay(const DGraphicsPtr& g) {
  if (!running()) return;
  MainCanvas::drawSpriteFrame(g,
                              MainCanvas::exitMoveSouth ? vehicleOverlayA1 : vehicleOverlayA0,
                              0,
                              MainCanvas::vehicleX + MainCanvas::overlayAX,
                              MainCanvas::vehicleY + MainCanvas::overlayAY);
  const int32_t b = MainCanvas::exitMoveNorth ? vehicleOverlayB1 : vehicleOverlayB0;
  MainCanvas::drawSpriteFrame(g,
                              b,
                              0,
                              MainCanvas::vehicleX + MainCanvas::overlayBX,
                              MainCanvas::vehicleY + MainCanvas::overlayBY - spriteHeight(b));
}

}  // namespace nvx
