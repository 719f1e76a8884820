#include "nvx/src/screens/MapScreen.h"

#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "microedition/lcdui/DGraphics.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Person.h"

namespace nvx {

using qel::lcdui::DGraphicsPtr;

namespace {

// The picture set of the screens other than level play.
constexpr int32_t mapPictures = 2;
// More hops than places means the links lead in a circle.
constexpr int32_t maxSkips = 9;
// Touch zones of the item line: '4', '6' and '5'.
constexpr int32_t leftZone = 8;
constexpr int32_t rightZone = 9;
constexpr int32_t selectZone = 3;
constexpr int32_t shopBorder = 2;

int32_t spriteW(int32_t row) { return MainCanvas::spriteWidth(row); }
int32_t spriteH(int32_t row) { return MainCanvas::spriteHeight(row); }

void targetPlace() {
  const qel::lang::DintArray& place = *MainCanvas::mapPlaces->at(MainCanvas::mapPlace);
  MainCanvas::cursorTargetX = place.at(MainCanvas::placeXColumn);
  MainCanvas::cursorTargetY = place.at(MainCanvas::placeYColumn);
}

// One axis of the glide: half the way (rounded toward minus infinity), the
// last pixel at once.
int32_t glideStep(int32_t at, int32_t target) {
  const int32_t distance = target - at;
  return distance == 1 ? target : at + (distance >> 1);
}

}  // namespace

Person* MapScreen::chosen() { return static_cast<Person*>(MainCanvas::chosenPerson.get()); }

bool MapScreen::placeOpen(int32_t place) {
  if (place < placeFirstPerson || place > placeLastPerson) return true;
  const int32_t level = MainCanvas::levelNumber - 1;
  if (level < 0 || level >= MainCanvas::levelTable->length()) return false;
  const qel::lang::DObjectPtr person = MainCanvas::persons->at(place - placeLeader);
  if (!person || MainCanvas::savedIds->contains(person)) return false;
  return MainCanvas::levelTable->at(level)->at(place + 4) != 0;
}

int32_t MapScreen::shopCellX(int32_t column) {
  const int32_t w = spriteW(MainCanvas::spriteShopItem);
  return (w + shopGapX) * column + w / 2 + shopGridX;
}

int32_t MapScreen::shopCellY(int32_t row) {
  const int32_t h = spriteH(MainCanvas::spriteShopItem);
  return (h + shopGapY) * row + h / 2 + shopGridY;
}

void MapScreen::enterMapScreen() {
  MainCanvas::swapPictures(mapPictures);
  MainCanvas::enter(MainCanvas::stateMapScreen);
  MainCanvas::mapFullRepaint = 1;
  const bool menuPlays = MainCanvas::sounds && MainCanvas::sounds->isPlaying(mapMusic);
  if (!menuPlays && MainCanvas::mapMessage != briefingMessage && MainCanvas::mapMessage != hintMessage &&
      MainCanvas::sounds) {
    MainCanvas::sounds->stop(-1, false);
    MainCanvas::sounds->play(mapMusic, true, 0);
  }
  MainCanvas::clearHotZones();
  gamelib::ScreenCanvas::resetKeys();
  MainCanvas::pendingKey = MainCanvas::noKey;
}

void MapScreen::moveCursor(int32_t direction) {
  if (MainCanvas::shopMode) {
    const int32_t rows = MainCanvas::itemPairCount;
    switch (direction) {
      case 0:
        MainCanvas::shopColumn = MainCanvas::shopColumn == 0 ? shopColumns - 1 : MainCanvas::shopColumn - 1;
        break;
      case 1:
        MainCanvas::shopColumn = MainCanvas::shopColumn == shopColumns - 1 ? 0 : MainCanvas::shopColumn + 1;
        break;
      case 2: MainCanvas::shopRow = MainCanvas::shopRow == 0 ? rows - 1 : MainCanvas::shopRow - 1; break;
      case 3: MainCanvas::shopRow = MainCanvas::shopRow == rows - 1 ? 0 : MainCanvas::shopRow + 1; break;
      default: return;
    }
    moveGridSelection(-1);
    return;
  }
  int32_t place = MainCanvas::mapRoutes->at(MainCanvas::mapPlace)->at(direction);
  for (int32_t hops = 0; !placeOpen(place); ++hops) {
    if (hops == maxSkips) return;
    const int32_t from = MainCanvas::mapLinks->at(place - placeFirstPerson)->at(direction);
    place = MainCanvas::mapRoutes->at(from)->at(direction);
  }
  MainCanvas::mapPlace = static_cast<int8_t>(place);
  targetPlace();
  if (place >= placeLeader && place <= placeLastPerson)
    MainCanvas::chosenPerson = MainCanvas::persons->at(place - placeLeader);
  MainCanvas::tickerRunning = 0;
  MainCanvas::clearTicker();
  MainCanvas::showPlaceHint();
}

void MapScreen::moveGridSelection(int32_t direction) {
  if (direction >= 0) {
    moveCursor(direction);
    return;
  }
  MainCanvas::cursorTargetX = shopCellX(MainCanvas::shopColumn);
  MainCanvas::cursorTargetY = shopCellY(MainCanvas::shopRow);
  MainCanvas::showItemLine();
}

void MapScreen::openShop() {
  Person* person = chosen();
  if (!person) return;
  for (int32_t i = 0; i < MainCanvas::carrySlots->length(); ++i) MainCanvas::carrySlots->at(i) = person->pockets->at(i);
  MainCanvas::shopMode = 1;
  MainCanvas::shopRepaint = 1;
  MainCanvas::mapFullRepaint = 1;
}

void MapScreen::leaveShop() {
  MainCanvas::clearTicker();
  MainCanvas::shopMode = 0;
  MainCanvas::mapFullRepaint = 1;
  targetPlace();
  if (Person* person = chosen()) {
    bool changed = false;
    for (int32_t i = 0; i < MainCanvas::carrySlots->length(); ++i) {
      const int8_t had = MainCanvas::carrySlots->at(i);
      changed = changed || (had != Person::emptyPocket && had != person->pockets->at(i));
    }
    if (changed) person->undoAll();
  }
  MainCanvas::clearHotZones();
  gamelib::ScreenCanvas::resetKeys();
}

void MapScreen::tickMapScreen() {
  // A message waits for a requested entry into the map screen, which would
  // close its window (the game's and the training's end follow the menu's
  // next job while the map screen is still showing).
  if (MainCanvas::mapMessage != noMessage && !MainCanvas::pendingTransition) {
    showResultEvent();
    return;
  }
  if (MainCanvas::clockPhase == 0) ++mapCycleCount;
  glideCursor();
}

void MapScreen::glideCursor() {
  if (cursorX == MainCanvas::cursorTargetX && cursorY == MainCanvas::cursorTargetY) return;
  cursorX = glideStep(cursorX, MainCanvas::cursorTargetX);
  cursorY = glideStep(cursorY, MainCanvas::cursorTargetY);
  if (cursorX != MainCanvas::cursorTargetX || cursorY != MainCanvas::cursorTargetY) return;
  if (!MainCanvas::shopMode) {
    mapCursorSettled = 1;
    if (mapSpotPending) {
      MainCanvas::pendingKey = MainCanvas::selectKey;
      updateMapScreen();
      mapSpotPending = 0;
    }
  }
  mapCursorArrived = 1;
}

void MapScreen::paintMapScreen(const DGraphicsPtr& g) {
  MainCanvas::mapPainting = 1;
  const DGraphicsPtr& back = MainCanvas::backGraphics;
  if (MainCanvas::mapFullRepaint && back &&
      (MainCanvas::layoutX >= 1 || MainCanvas::layoutY > spriteH(MainCanvas::spriteTopBar))) {
    back->setClip(0, 0, MainCanvas::screenWidth, MainCanvas::screenHeight);
    back->setColor(0u);
    back->fillRect(0, 0, MainCanvas::screenWidth, MainCanvas::screenHeight);
  }
  paintMap(g);
  // The place's tag and bubble; the shop's line has its own window and the
  // hand marks its cell.
  if (!MainCanvas::shopMode) {
    MainCanvas::drawSpriteFrame(g, MainCanvas::spritePlaceTag, 0, MainCanvas::tickerPlaceX, MainCanvas::tickerPlaceY);
    if (MainCanvas::hintPending && MainCanvas::pulsePhase >= 13)
      MainCanvas::drawSpriteFrame(g,
                                  MainCanvas::spriteTag,
                                  0,
                                  MainCanvas::tickerPlaceX + spriteW(MainCanvas::spritePlaceTag),
                                  MainCanvas::tickerPlaceY);
    MainCanvas::paintSpeechBubble(g, MainCanvas::tickerPlaceX, MainCanvas::tickerPlaceY, true);
  }
  paintCursor(g, cursorX, cursorY, 0);
  MainCanvas::mapPainting = 0;
}

void MapScreen::paintMap(const DGraphicsPtr& g) {
  const DGraphicsPtr& back = MainCanvas::backGraphics;
  if (back) {
    if (MainCanvas::mapFullRepaint) {
      composeMap(back);
      MainCanvas::mapFullRepaint = 0;
      if (MainCanvas::shopMode) shopRepaint = 1;
    }
    if (shopRepaint) {
      paintShop(back);
      shopRepaint = 0;
    }
    // The open shop stands over the map persons; leaving it composes the map again.
    if (personRepaint && !MainCanvas::shopMode && MainCanvas::mapPlace >= placeLeader &&
        MainCanvas::mapPlace <= placeLastPerson) {
      paintChosenPerson(back);
      personRepaint = 0;
    }
  }
  g->setClip(0, 0, MainCanvas::screenWidth, MainCanvas::screenHeight);
  if (MainCanvas::backImage) g->drawImage(MainCanvas::backImage, 0, 0, 0, 0);
}

void MapScreen::composeMap(const DGraphicsPtr& g) {
  MainCanvas::drawSpriteFrame(g, MainCanvas::spriteTitle, 0, MainCanvas::layoutX, MainCanvas::layoutY);
  for (int32_t id = 1; id <= 4; ++id) {
    if (!placeOpen(id + placeLeader)) continue;
    const qel::lang::DshortArray& point = *MainCanvas::mapPoints->at(id);
    MainCanvas::drawSpriteFrame(g, MainCanvas::spritePersonFirst + id - 1, 0, point.at(0), point.at(1));
  }
  const int32_t tagWidth = spriteW(MainCanvas::spriteTag);
  for (int32_t i = 0; i < MainCanvas::activePersons->size(); ++i) {
    const auto* person = static_cast<Person*>(MainCanvas::activePersons->elementAt(i));
    if (person->id < 1 || person->id > 4) continue;
    const qel::lang::DintArray& place = *MainCanvas::mapPlaces->at(person->id + placeLeader);
    MainCanvas::drawSpriteFrame(g, MainCanvas::spriteTag, 0, place.at(0) - tagWidth / 2, place.at(1));
  }
  const int32_t leftWidth = spriteW(MainCanvas::spriteTopLeft);
  const int32_t rightWidth = spriteW(MainCanvas::spriteTopRight);
  const int32_t barWidth = spriteW(MainCanvas::spriteTopBar);
  MainCanvas::drawSpriteFrame(g, MainCanvas::spriteTopLeft, 0, 0, 0);
  for (int32_t x = leftWidth; barWidth > 0 && x < MainCanvas::viewWidth - rightWidth; x += barWidth)
    MainCanvas::drawSpriteFrame(g, MainCanvas::spriteTopBar, 0, x, 0);
  MainCanvas::drawSpriteFrame(g, MainCanvas::spriteTopRight, 0, MainCanvas::viewWidth - rightWidth, 0);
  qel::lang::DintArray& menuPlace = *MainCanvas::mapPlaces->at(placeMapMenu);
  menuPlace.at(0) = leftWidth / 2;
  menuPlace.at(1) = spriteH(MainCanvas::spriteTopLeft) / 2;
  qel::lang::DintArray& breakInPlace = *MainCanvas::mapPlaces->at(placeBreakIn);
  breakInPlace.at(0) = MainCanvas::viewWidth - rightWidth / 2;
  breakInPlace.at(1) = spriteH(MainCanvas::spriteTopRight) / 2;
  MainCanvas::paintMoneyBar(g);
  MainCanvas::paintRetries(g);
}

void MapScreen::layOutShop() {
  const int32_t vw = MainCanvas::viewWidth;
  const int32_t vh = MainCanvas::viewHeight;
  shopGapX = vw < 180 ? 2 : vw <= 320 ? 5 : 10;
  shopGapY = vh < 221 ? 2 : vh <= 320 ? 5 : 10;
}

void MapScreen::paintShop(const DGraphicsPtr& g) {
  const int32_t w = spriteW(MainCanvas::spriteShopItem);
  const int32_t h = spriteH(MainCanvas::spriteShopItem);
  const int32_t l = MainCanvas::textLineHeight;
  layOutShop();
  const int32_t items = MainCanvas::itemTable->length();
  const int32_t panelWidth = shopGapX + (w + shopGapX) * shopColumns + 8;
  int32_t panelHeight = (h * items) / shopColumns + 3 * shopGapY + (l + 2) + 8;
  const bool lineRoom =
      MainCanvas::viewHeight - spriteH(MainCanvas::spriteBottomBar) - spriteH(MainCanvas::spriteTopBar) > panelHeight;
  if (lineRoom) panelHeight += spriteH(MainCanvas::spriteItemLine) + shopGapY;
  const int32_t panelX = MainCanvas::viewWidth / 2 - panelWidth / 2;
  const int32_t panelY =
      (spriteH(MainCanvas::spriteTopBar) - spriteH(MainCanvas::spriteShopBase) + MainCanvas::viewHeight) / 2 -
      panelHeight / 2;
  shopGridX = panelX + shopGapX + 4;
  shopGridY = panelY + shopGapY + (l + 2) + 4;
  MainCanvas::shopLineX = panelX + 5;
  MainCanvas::shopLineY = panelY + 4;
  MainCanvas::shopLineWidth = panelWidth - 8;
  MainCanvas::paintWindowFrame(g, panelX, panelY, panelWidth, panelHeight, shopBorder, l + 2, false);

  qel::lang::DbyteArray2d& grid = *MainCanvas::shopGrid;
  for (int32_t c = 0; c < grid.length(); ++c)
    for (int32_t r = 0; r < grid.at(c)->length(); ++r) grid.at(c)->at(r) = Person::emptyPocket;
  const Person* person = chosen();
  const int32_t level = MainCanvas::levelNumber - 1;
  for (int32_t i = 0; i < items; ++i) {
    const int32_t c = i % shopColumns;
    const int32_t r = i / shopColumns;
    const int8_t letter = static_cast<int8_t>('h' + i);
    if (r < grid.at(c)->length()) grid.at(c)->at(r) = letter;
    const int32_t x = shopGridX + (w + shopGapX) * c;
    const int32_t y = shopGridY + (h + shopGapY) * r;
    MainCanvas::drawSpriteFrame(g, MainCanvas::spriteShopItem, 0, x, y);
    const qel::lang::DshortArray& item = *MainCanvas::itemTable->at(i);
    MainCanvas::drawSpriteFrame(g, MainCanvas::spriteItemIcons, item.at(2), x + 2, y + 2);
    bool carried = false;
    for (int32_t s = 0; person && s < person->pockets->length(); ++s)
      carried = carried || person->pockets->at(s) == letter;
    const bool allowed =
        level >= 0 && level < MainCanvas::levelTable->length() && MainCanvas::levelTable->at(level)->at(13 + i) != 0;
    if (carried)
      MainCanvas::drawSpriteFrame(g, MainCanvas::spriteTag, 0, x, y);
    else if (item.at(0) > MainCanvas::money || !allowed)
      MainCanvas::drawSpriteFrame(g, MainCanvas::spriteUnavailable, 0, x + 2, y + 2);
  }
  if (lineRoom) paintItemLine(g, panelX, shopGridY + (h + shopGapY) * MainCanvas::itemPairCount, panelWidth);
  MainCanvas::paintMoneyBar(g);
  moveGridSelection(-1);
}

void MapScreen::paintItemLine(const DGraphicsPtr& g, int32_t panelX, int32_t y, int32_t panelWidth) {
  const int32_t lineWidth = spriteW(MainCanvas::spriteItemLine);
  const int32_t lineHeight = spriteH(MainCanvas::spriteItemLine);
  MainCanvas::paintSoftKeyButton(g, panelX + 4, y, 0, leftZone);
  MainCanvas::paintSoftKeyButton(g, panelX + panelWidth - 4 - lineWidth, y, 1, rightZone);
  const int32_t x = panelX + panelWidth / 2 - lineWidth / 2;
  MainCanvas::drawSpriteFrame(g, MainCanvas::spriteItemLine, 0, x, y);
  MainCanvas::setHotZone(selectZone, x, y, lineWidth, lineHeight);
  if (hand())
    g->drawImage(handImage,
                 x + lineWidth / 2 - handImage->getWidth() / 2,
                 y + lineHeight / 2 - handImage->getHeight() / 2,
                 0,
                 0);
}

void MapScreen::paintChosenPerson(const DGraphicsPtr& g) {
  const Person* person = chosen();
  if (!person || person->id < 1 || person->id > 4 || !placeOpen(person->id + placeLeader)) return;
  const qel::lang::DshortArray& point = *MainCanvas::mapPoints->at(person->id);
  MainCanvas::drawSpriteFrame(g, MainCanvas::spritePersonFirst + person->id - 1, 0, point.at(0), point.at(1));
}

void MapScreen::paintCursor(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t) {
  if (!hand()) return;
  g->setClip(0, 0, MainCanvas::screenWidth, MainCanvas::screenHeight);
  g->drawImage(handImage, x - handImage->getWidth() / 2, y, 0, 0);
}

const qel::lcdui::DImagePtr& MapScreen::hand() {
  if (!handLookedUp) {
    handImage = gamelib::GameLib::loadImage(u"hand");
    handLookedUp = 1;
  }
  return handImage;
}

}  // namespace nvx
