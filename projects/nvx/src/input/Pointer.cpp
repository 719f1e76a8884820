#include "nvx/src/input/Pointer.h"

#include <cstdlib>

#include "gamelib/ScreenCanvas.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/play/Keys.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/screens/LanguageScreen.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/screens/Overlays.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/windows/DialogWindow.h"
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
  GameState::pendingKey = KeyInput::selectKey;
  MapScreen::updateMapScreen();
}

}  // namespace

void Pointer::handlePointer(int32_t x, int32_t y) {
  const int32_t zone = KeyInput::hotZoneAt(x, y);
  if (zone >= 0) {
    StateMachine::update(GameTables::keyCodeList->at(zone));
    return;
  }
  switch (GameState::gameState) {
    case StateMachine::stateLevel: steer(x, y); break;
    case StateMachine::stateDialog: DialogWindow::dialogPointer(x, y); break;
    case StateMachine::stateMapScreen:
      if (GameState::shopMode)
        gridPointer(x, y);
      else
        mapPointer(x, y);
      break;
    case StateMachine::stateLanguage: languagePointer(x, y); break;
    default: break;
  }
}

void Pointer::steer(int32_t x, int32_t y) {
  if (const Person* person = Person::selected()) {
    int32_t px = 0, py = 0;
    person->getScreenPosition(px, py);
    const int32_t dx = x - px, dy = y - py;
    GameState::pendingKey = std::abs(dx) > std::abs(dy) ? (dx > 0 ? 39 : 37) : (dy > 0 ? 40 : 38);
    LevelKeys::handleLevelKeys();
    return;
  }
  for (int32_t i = 0; i < arrowZoneCount; ++i) {
    if (inside(*GameTables::hotZones->at(firstArrowZone + i), x, y)) {
      ViewScene::scrollView(arrowDirections[i]);
      return;
    }
  }
}

int32_t Pointer::cornerSpot(int32_t x, int32_t y) {
  int32_t hit = -1;
  const int32_t leftW = Overlays::spriteWidth(SpriteRows::spriteTopLeft);
  if (0 <= x && x < leftW && 0 <= y && y < Overlays::spriteHeight(SpriteRows::spriteTopLeft))
    hit = MapScreen::placeMapMenu;
  const int32_t rightW = Overlays::spriteWidth(SpriteRows::spriteTopRight);
  if (GameState::screenWidth - rightW <= x && x < GameState::screenWidth && 0 <= y &&
      y < Overlays::spriteHeight(SpriteRows::spriteTopRight))
    hit = MapScreen::placeBreakIn;
  return hit;
}

void Pointer::mapPointer(int32_t x, int32_t y) {
  if (const int32_t corner = cornerSpot(x, y); corner >= 0) {
    tapSpot(corner);
    return;
  }
  const qel::lang::DshortArray2dPtr& groups = GameTables::resShortRows;
  if (!groups) return;
  const int32_t groupCount = std::min<int32_t>(groups->length(), std::size(spotOfGroup));
  for (int32_t g = 0; g < groupCount; ++g) {
    const qel::lang::DshortArrayPtr& rects = groups->at(g);
    if (!rects) continue;
    for (int32_t i = 0; i + 3 < rects->length(); i += 4) {
      const int32_t left = rects->at(i) + GameState::layoutX;
      const int32_t top = rects->at(i + 1) + GameState::layoutY;
      if (x < left || x >= left + rects->at(i + 2) || y < top || y >= top + rects->at(i + 3)) continue;
      ScreenCanvas::resetKeys();
      const int32_t spot = spotOfGroup[g];
      GameState::pendingKey = GameState::noKey;
      if (spot == GameState::mapPlace) {
        activateSelected();
        return;
      }
      if (spot >= MapScreen::placeFirstPerson && spot <= MapScreen::placeLastPerson && !MapScreen::placeOpen(spot))
        continue;
      MapScreen::mapSpotPending = 1;
      selectSpot(spot);
      if (spot >= MapScreen::placeLeader && spot <= MapScreen::placeLastPerson)
        WorldState::chosenPerson = GameTables::persons->at(spot - MapScreen::placeLeader);
      return;
    }
  }
}

void Pointer::tapSpot(int32_t spot) {
  if (spot == GameState::mapPlace) {
    activateSelected();
    return;
  }
  MapScreen::mapSpotPending = 1;
  selectSpot(spot);
}

void Pointer::selectSpot(int32_t spot) {
  GameState::mapPlace = static_cast<int8_t>(spot);
  const qel::lang::DintArray& place = *GameTables::mapPlaces->at(spot);
  GameState::cursorTargetX = place.at(GameState::placeXColumn);
  GameState::cursorTargetY = place.at(GameState::placeYColumn);
}

void Pointer::gridPointer(int32_t x, int32_t y) {
  const int32_t cell = Overlays::spriteWidth(SpriteRows::spriteShopItem);
  const int32_t stepX = cell + MapScreen::shopGapX;
  const int32_t stepY = cell + MapScreen::shopGapY;
  if (stepX > 0 && stepY > 0) {
    const int32_t dx = x - MapScreen::shopGridX;
    const int32_t dy = y - MapScreen::shopGridY;
    const int32_t column = dx / stepX;
    const int32_t row = dy / stepY;
    const int32_t rows = GameTables::itemTable->length() / MapScreen::shopColumns;
    if (0 <= column && column < MapScreen::shopColumns && 0 <= row && row < rows) {
      if (column == GameState::shopColumn && row == GameState::shopRow) {
        activateSelected();
      } else {
        GameState::shopColumn = column;
        GameState::shopRow = row;
        MapScreen::moveGridSelection(-1);
      }
    }
  }
  ScreenCanvas::resetKeys();
}

void Pointer::languagePointer(int32_t x, int32_t y) {
  const int32_t row = LanguageScreen::languageRowAt(x, y);
  if (row < 0) return;
  GameState::languageIndex = row;
  if (ScreenCanvas* canvas = ScreenCanvas::current()) {
    canvas->keyPressed(KeyInput::selectKey);
    canvas->keyReleased(KeyInput::selectKey);
  }
}

}  // namespace nvx
