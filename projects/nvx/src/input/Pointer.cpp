#include "nvx/src/input/Pointer.h"

#include <cstdlib>

#include "gamelib/ScreenCanvas.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Person.h"

namespace nvx {

using gamelib::ScreenCanvas;

namespace {

constexpr int32_t firstArrowZone = 14;
constexpr int32_t arrowZoneCount = 4;
// Scroll directions of the arrow zones 14 to 17: left, right, up, down.
constexpr int32_t arrowDirections[arrowZoneCount] = {4, 5, 2, 3};

bool inside(const qel::lang::DintArray& zone, int32_t x, int32_t y) {
  return zone.at(0) < x && x < zone.at(1) && zone.at(2) < y && y < zone.at(3);
}

void activateSelected() {
  MainCanvas::pendingKey = MainCanvas::selectKey;
  MainCanvas::updateMapScreen();
}

}  // namespace

void Pointer::handlePointer(int32_t x, int32_t y) {
  const int32_t zone = MainCanvas::hotZoneAt(x, y);
  if (zone >= 0) {
    MainCanvas::update(MainCanvas::keyCodeList->at(zone));
    return;
  }
  switch (MainCanvas::gameState) {
    case MainCanvas::stateLevel: steer(x, y); break;
    case MainCanvas::stateDialog: MainCanvas::dialogPointer(x, y); break;
    case MainCanvas::stateMapScreen:
      if (MainCanvas::shopMode)
        gridPointer(x, y);
      else
        mapPointer(x, y);
      break;
    case MainCanvas::stateLanguage: languagePointer(x, y); break;
    default: break;
  }
}

void Pointer::steer(int32_t x, int32_t y) {
  if (const Person* person = Person::selected()) {
    int32_t px = 0, py = 0;
    person->getScreenPosition(px, py);
    const int32_t dx = x - px, dy = y - py;
    MainCanvas::pendingKey = std::abs(dx) > std::abs(dy) ? (dx > 0 ? 39 : 37) : (dy > 0 ? 40 : 38);
    MainCanvas::handleLevelKeys();
    return;
  }
  for (int32_t i = 0; i < arrowZoneCount; ++i) {
    if (inside(*MainCanvas::hotZones->at(firstArrowZone + i), x, y)) {
      MainCanvas::scrollView(arrowDirections[i]);
      return;
    }
  }
}

int32_t Pointer::cornerSpot(int32_t x, int32_t y) {
  int32_t hit = -1;
  const int32_t leftW = MainCanvas::spriteWidth(MainCanvas::spriteTopLeft);
  if (0 <= x && x < leftW && 0 <= y && y < MainCanvas::spriteHeight(MainCanvas::spriteTopLeft))
    hit = MainCanvas::placeMapMenu;
  const int32_t rightW = MainCanvas::spriteWidth(MainCanvas::spriteTopRight);
  if (MainCanvas::screenWidth - rightW <= x && x < MainCanvas::screenWidth && 0 <= y &&
      y < MainCanvas::spriteHeight(MainCanvas::spriteTopRight))
    hit = MainCanvas::placeBreakIn;
  return hit;
}

void Pointer::mapPointer(int32_t x, int32_t y) {
  if (const int32_t corner = cornerSpot(x, y); corner >= 0) {
    tapSpot(corner);
    return;
  }
  const qel::lang::DshortArray2dPtr& groups = MainCanvas::resShortRows;
  if (!groups) return;
  const int32_t groupCount = std::min<int32_t>(groups->length(), std::size(spotOfGroup));
  for (int32_t g = 0; g < groupCount; ++g) {
    const qel::lang::DshortArrayPtr& rects = groups->at(g);
    if (!rects) continue;
    for (int32_t i = 0; i + 3 < rects->length(); i += 4) {
      const int32_t left = rects->at(i) + MainCanvas::layoutX;
      const int32_t top = rects->at(i + 1) + MainCanvas::layoutY;
      if (x < left || x >= left + rects->at(i + 2) || y < top || y >= top + rects->at(i + 3)) continue;
      ScreenCanvas::resetKeys();
      const int32_t spot = spotOfGroup[g];
      MainCanvas::pendingKey = MainCanvas::noKey;
      if (spot == MainCanvas::mapPlace) {
        activateSelected();
        return;
      }
      if (spot >= MainCanvas::placeFirstPerson && spot <= MainCanvas::placeLastPerson && !MainCanvas::placeOpen(spot))
        continue;
      MainCanvas::mapSpotPending = 1;
      selectSpot(spot);
      if (spot >= MainCanvas::placeLeader && spot <= MainCanvas::placeLastPerson)
        MainCanvas::chosenPerson = MainCanvas::persons->at(spot - MainCanvas::placeLeader);
      return;
    }
  }
}

void Pointer::tapSpot(int32_t spot) {
  if (spot == MainCanvas::mapPlace) {
    activateSelected();
    return;
  }
  MainCanvas::mapSpotPending = 1;
  selectSpot(spot);
}

void Pointer::selectSpot(int32_t spot) {
  MainCanvas::mapPlace = static_cast<int8_t>(spot);
  const qel::lang::DintArray& place = *MainCanvas::mapPlaces->at(spot);
  MainCanvas::cursorTargetX = place.at(MainCanvas::placeXColumn);
  MainCanvas::cursorTargetY = place.at(MainCanvas::placeYColumn);
}

void Pointer::gridPointer(int32_t x, int32_t y) {
  const int32_t cell = MainCanvas::spriteWidth(MainCanvas::spriteShopItem);
  const int32_t stepX = cell + MainCanvas::shopGapX;
  const int32_t stepY = cell + MainCanvas::shopGapY;
  if (stepX > 0 && stepY > 0) {
    const int32_t dx = x - MainCanvas::shopGridX;
    const int32_t dy = y - MainCanvas::shopGridY;
    const int32_t column = dx / stepX;
    const int32_t row = dy / stepY;
    const int32_t rows = MainCanvas::itemTable->length() / MainCanvas::shopColumns;
    if (0 <= column && column < MainCanvas::shopColumns && 0 <= row && row < rows) {
      if (column == MainCanvas::shopColumn && row == MainCanvas::shopRow) {
        activateSelected();
      } else {
        MainCanvas::shopColumn = column;
        MainCanvas::shopRow = row;
        MainCanvas::moveGridSelection(-1);
      }
    }
  }
  ScreenCanvas::resetKeys();
}

void Pointer::languagePointer(int32_t x, int32_t y) {
  const int32_t row = MainCanvas::languageRowAt(x, y);
  if (row < 0) return;
  MainCanvas::languageIndex = row;
  if (ScreenCanvas* canvas = ScreenCanvas::current()) {
    canvas->keyPressed(MainCanvas::selectKey);
    canvas->keyReleased(MainCanvas::selectKey);
  }
}

}  // namespace nvx
