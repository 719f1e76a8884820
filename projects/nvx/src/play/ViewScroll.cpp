#include <algorithm>

#include "lang/DExceptionBase.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "nvx/src/world/WorldRules.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"

namespace nvx {

namespace {

constexpr uint32_t selectionOutOfRange = 0x05800001u;

// One axis of the view: the new origin for the cell (or pixel amount) arg
// on a screen of size with the map's cells, the origin now at origin.
int32_t moveAxis(int32_t arg, int32_t size, int32_t origin, int32_t cells, bool center, bool forceCenter,
                 bool relative) {
  const int32_t c = GameState::cellSize, half = c / 2, total = cells * c;
  if (total <= size) return (size - total) / 2;
  int32_t next = origin;
  if (relative) {
    next = origin - arg;
  } else if (center) {
    next = size / 2 - c * arg - half;
  } else {
    const int32_t p = origin + c * arg;
    if (p > size - c - half && origin > size - total)
      next = (1 - arg) * c;
    else if (p < half)
      next = size - (arg + 2) * c;
    else
      return origin;
  }
  if (next == origin) return origin;
  if (forceCenter) next = size / 2 - c * arg - half;
  return std::clamp(next, size - total, 0);
}

}  // namespace

void ViewScene::centerViewOn(int32_t column, int32_t row, bool center, bool forceCenter, bool relative) {
  const int32_t x = moveAxis(
      column, GameState::screenWidth, WorldState::mapOriginX, WorldState::mapWidth, center, forceCenter, relative);
  const int32_t y = moveAxis(
      row, ViewScene::mapAreaHeight, WorldState::mapOriginY, WorldState::mapHeight, center, forceCenter, relative);
  if (x == WorldState::mapOriginX && y == WorldState::mapOriginY) return;
  WorldState::mapOriginX_ = x;
  WorldState::mapOriginY_ = y;
  WorldRules::stepVehicle();
  invalidateScene();
}

void ViewScene::scrollView(int32_t direction) {
  const int32_t halfHeight = ViewScene::mapAreaHeight >> 1, halfWidth = GameState::screenWidth >> 1;
  switch (direction) {
    case 2: centerViewOn(0, -halfHeight, false, false, true); break;
    case 3: centerViewOn(0, halfHeight, false, false, true); break;
    case 4: centerViewOn(-halfWidth, 0, false, false, true); break;
    case 5: centerViewOn(halfWidth, 0, false, false, true); break;
    default: break;
  }
}

void ViewScene::centerViewOnExit() { centerViewOn(WorldState::exitX, WorldState::exitY, true, false, false); }

Person* ViewScene::selectedFromIndex() {
  const int32_t i = GameState::selectionIndex;
  if (!GameTables::activePersons || i >= GameTables::activePersons->size())
    throw qel::lang::DExceptionBase(selectionOutOfRange);
  return static_cast<Person*>(GameTables::activePersons->elementAt(i));
}

void ViewScene::checkBombsDue() {
  if (GameState::skipWorldLogic || !GameTables::bombs) return;
  for (qel::util::DEnumerationPtr e = GameTables::bombs->elements(); e->hasMoreElements();) {
    if (static_cast<RoomObject*>(e->nextElement())->openStamp == WorldState::stepIndex + 1) {
      invalidateScene();
      return;
    }
  }
}

void ViewScene::computeVisibleCells() {
  const int32_t c = std::max<int32_t>(GameState::cellSize, 1);
  WorldState::visibleColumns_ = GameState::screenWidth / c;
  WorldState::visibleRows_ = GameState::screenHeight / c;
  const int32_t bar = GameTables::spriteTable ? GameTables::spriteTable[barSprite][3] : 0;
  ViewScene::mapAreaHeight_ = GameState::screenHeight - bar;
}

std::string ViewScene::stepClockText(int32_t steps) {
  const int32_t minutes = steps / 60, seconds = steps - 60 * minutes;
  return std::to_string(minutes) + ":" + (seconds < 10 ? "0" : "") + std::to_string(seconds);
}

}  // namespace nvx
