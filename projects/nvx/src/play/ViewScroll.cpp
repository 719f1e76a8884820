#include <algorithm>

#include "lang/DExceptionBase.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Person.h"
#include "nvx/src/world/RoomObject.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"

namespace nvx {

namespace {

constexpr uint32_t selectionOutOfRange = 0x05800001u;

// One axis of the view: the new origin for the cell (or pixel amount) arg
// on a screen of size with the map's cells, the origin now at origin.
int32_t moveAxis(int32_t arg, int32_t size, int32_t origin, int32_t cells, bool center, bool forceCenter,
                 bool relative) {
  const int32_t c = MainCanvas::cellSize, half = c / 2, total = cells * c;
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
      column, MainCanvas::screenWidth, MainCanvas::mapOriginX, MainCanvas::mapWidth, center, forceCenter, relative);
  const int32_t y = moveAxis(
      row, MainCanvas::mapAreaHeight, MainCanvas::mapOriginY, MainCanvas::mapHeight, center, forceCenter, relative);
  if (x == MainCanvas::mapOriginX && y == MainCanvas::mapOriginY) return;
  MainCanvas::mapOriginX = x;
  MainCanvas::mapOriginY = y;
  MainCanvas::stepVehicle();
  invalidateScene();
}

void ViewScene::scrollView(int32_t direction) {
  const int32_t halfHeight = MainCanvas::mapAreaHeight >> 1, halfWidth = MainCanvas::screenWidth >> 1;
  switch (direction) {
    case 2: centerViewOn(0, -halfHeight, false, false, true); break;
    case 3: centerViewOn(0, halfHeight, false, false, true); break;
    case 4: centerViewOn(-halfWidth, 0, false, false, true); break;
    case 5: centerViewOn(halfWidth, 0, false, false, true); break;
    default: break;
  }
}

void ViewScene::centerViewOnExit() { centerViewOn(MainCanvas::exitX, MainCanvas::exitY, true, false, false); }

Person* ViewScene::selectedFromIndex() {
  const int32_t i = MainCanvas::selectionIndex;
  if (!MainCanvas::activePersons || i >= MainCanvas::activePersons->size())
    throw qel::lang::DExceptionBase(selectionOutOfRange);
  return static_cast<Person*>(MainCanvas::activePersons->elementAt(i));
}

void ViewScene::checkBombsDue() {
  if (MainCanvas::skipWorldLogic || !MainCanvas::bombs) return;
  for (qel::util::DEnumerationPtr e = MainCanvas::bombs->elements(); e->hasMoreElements();) {
    if (static_cast<RoomObject*>(e->nextElement())->openStamp == MainCanvas::stepIndex + 1) {
      invalidateScene();
      return;
    }
  }
}

void ViewScene::computeVisibleCells() {
  const int32_t c = std::max<int32_t>(MainCanvas::cellSize, 1);
  MainCanvas::visibleColumns = MainCanvas::screenWidth / c;
  MainCanvas::visibleRows = MainCanvas::screenHeight / c;
  const int32_t bar = MainCanvas::spriteTable ? MainCanvas::spriteTable[barSprite][3] : 0;
  MainCanvas::mapAreaHeight = MainCanvas::screenHeight - bar;
}

std::string ViewScene::stepClockText(int32_t steps) {
  const int32_t minutes = steps / 60, seconds = steps - 60 * minutes;
  return std::to_string(minutes) + ":" + (seconds < 10 ? "0" : "") + std::to_string(seconds);
}

}  // namespace nvx
