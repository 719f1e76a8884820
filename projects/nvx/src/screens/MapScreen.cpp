#include "nvx/src/screens/MapScreen.h"

#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "microedition/lcdui/DGraphics.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/screens/Overlays.h"
#include "nvx/src/screens/SplashScreen.h"
#include "nvx/src/screens/Ticker.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/windows/DialogWindow.h"
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

int32_t spriteW(int32_t row) { return Overlays::spriteWidth(row); }
int32_t spriteH(int32_t row) { return Overlays::spriteHeight(row); }

void targetPlace() {
  const qel::lang::DintArray& place = *GameTables::mapPlaces->at(GameState::mapPlace);
  GameState::cursorTargetX = place.at(GameState::placeXColumn);
  GameState::cursorTargetY = place.at(GameState::placeYColumn);
}

// One axis of the glide: half the way (rounded toward minus infinity), the
// last pixel at once.
int32_t glideStep(int32_t at, int32_t target) {
  const int32_t distance = target - at;
  return distance == 1 ? target : at + (distance >> 1);
}

}  // namespace

Person* MapScreen::chosen() { return static_cast<Person*>(WorldState::chosenPerson.get()); }

bool MapScreen::placeOpen(int32_t place) {
  if (place < placeFirstPerson || place > placeLastPerson) return true;
  const int32_t level = GameState::levelNumber - 1;
  if (level < 0 || level >= GameTables::levelTable->length()) return false;
  const qel::lang::DObjectPtr person = GameTables::persons->at(place - placeLeader);
  if (!person || GameTables::savedIds->contains(person)) return false;
  return GameTables::levelTable->at(level)->at(place + 4) != 0;
}

int32_t MapScreen::shopCellX(int32_t column) {
  const int32_t w = spriteW(SpriteRows::spriteShopItem);
  return (w + shopGapX) * column + w / 2 + shopGridX;
}

int32_t MapScreen::shopCellY(int32_t row) {
  const int32_t h = spriteH(SpriteRows::spriteShopItem);
  return (h + shopGapY) * row + h / 2 + shopGridY;
}

void MapScreen::enterMapScreen() {
  SplashScreen::swapPictures(mapPictures);
  StateMachine::enter(StateMachine::stateMapScreen);
  GameState::mapFullRepaint_ = 1;
  const bool menuPlays = GameState::sounds && GameState::sounds->isPlaying(mapMusic);
  if (!menuPlays && GameState::mapMessage != briefingMessage && GameState::mapMessage != hintMessage &&
      GameState::sounds) {
    GameState::sounds->stop(-1, false);
    GameState::sounds->play(mapMusic, true, 0);
  }
  KeyInput::clearHotZones();
  gamelib::ScreenCanvas::resetKeys();
  GameState::pendingKey = GameState::noKey;
}

void MapScreen::moveCursor(int32_t direction) {
  if (GameState::shopMode) {
    const int32_t rows = GameState::itemPairCount;
    switch (direction) {
      case 0: GameState::shopColumn = GameState::shopColumn == 0 ? shopColumns - 1 : GameState::shopColumn - 1; break;
      case 1: GameState::shopColumn = GameState::shopColumn == shopColumns - 1 ? 0 : GameState::shopColumn + 1; break;
      case 2: GameState::shopRow = GameState::shopRow == 0 ? rows - 1 : GameState::shopRow - 1; break;
      case 3: GameState::shopRow = GameState::shopRow == rows - 1 ? 0 : GameState::shopRow + 1; break;
      default: return;
    }
    moveGridSelection(-1);
    return;
  }
  int32_t place = GameTables::mapRoutes->at(GameState::mapPlace)->at(direction);
  for (int32_t hops = 0; !placeOpen(place); ++hops) {
    if (hops == maxSkips) return;
    const int32_t from = GameTables::mapLinks->at(place - placeFirstPerson)->at(direction);
    place = GameTables::mapRoutes->at(from)->at(direction);
  }
  GameState::mapPlace = static_cast<int8_t>(place);
  targetPlace();
  if (place >= placeLeader && place <= placeLastPerson)
    WorldState::chosenPerson = GameTables::persons->at(place - placeLeader);
  GameState::tickerRunning_ = 0;
  Ticker::clearTicker();
  Ticker::showPlaceHint();
}

void MapScreen::moveGridSelection(int32_t direction) {
  if (direction >= 0) {
    moveCursor(direction);
    return;
  }
  GameState::cursorTargetX = shopCellX(GameState::shopColumn);
  GameState::cursorTargetY = shopCellY(GameState::shopRow);
  Ticker::showItemLine();
}

void MapScreen::openShop() {
  Person* person = chosen();
  if (!person) return;
  for (int32_t i = 0; i < GameTables::carrySlots->length(); ++i) GameTables::carrySlots->at(i) = person->pockets->at(i);
  GameState::shopMode_ = 1;
  MapScreen::shopRepaint_ = 1;
  GameState::mapFullRepaint_ = 1;
}

void MapScreen::leaveShop() {
  Ticker::clearTicker();
  GameState::shopMode_ = 0;
  GameState::mapFullRepaint_ = 1;
  targetPlace();
  if (Person* person = chosen()) {
    bool changed = false;
    for (int32_t i = 0; i < GameTables::carrySlots->length(); ++i) {
      const int8_t had = GameTables::carrySlots->at(i);
      changed = changed || (had != Person::emptyPocket && had != person->pockets->at(i));
    }
    if (changed) person->undoAll();
  }
  KeyInput::clearHotZones();
  gamelib::ScreenCanvas::resetKeys();
}

void MapScreen::tickMapScreen() {
  // A message waits for a requested entry into the map screen, which would
  // close its window (the game's and the training's end follow the menu's
  // next job while the map screen is still showing).
  if (GameState::mapMessage != noMessage && !GameState::pendingTransition) {
    showResultEvent();
    return;
  }
  if (FrameClock::clockPhase == 0) ++mapCycleCount_;
  glideCursor();
}

void MapScreen::glideCursor() {
  if (cursorX == GameState::cursorTargetX && cursorY == GameState::cursorTargetY) return;
  cursorX_ = glideStep(cursorX, GameState::cursorTargetX);
  cursorY_ = glideStep(cursorY, GameState::cursorTargetY);
  if (cursorX != GameState::cursorTargetX || cursorY != GameState::cursorTargetY) return;
  if (!GameState::shopMode) {
    mapCursorSettled_ = 1;
    if (mapSpotPending) {
      GameState::pendingKey = KeyInput::selectKey;
      updateMapScreen();
      mapSpotPending = 0;
    }
  }
  mapCursorArrived_ = 1;
}

void MapScreen::paintMapScreen(const DGraphicsPtr& g) {
  GameState::mapPainting = 1;
  const DGraphicsPtr& back = StateMachine::backGraphics;
  if (GameState::mapFullRepaint && back &&
      (GameState::layoutX >= 1 || GameState::layoutY > spriteH(SpriteRows::spriteTopBar))) {
    back->setClip(0, 0, GameState::screenWidth, GameState::screenHeight);
    back->setColor(0u);
    back->fillRect(0, 0, GameState::screenWidth, GameState::screenHeight);
  }
  paintMap(g);
  // The place's tag and bubble; the shop's line has its own window and the
  // hand marks its cell.
  if (!GameState::shopMode) {
    SpriteDrawing::drawSpriteFrame(g, SpriteRows::spritePlaceTag, 0, GameState::tickerPlaceX, GameState::tickerPlaceY);
    if (GameState::hintPending && GameState::pulsePhase >= 13)
      SpriteDrawing::drawSpriteFrame(g,
                                     SpriteRows::spriteTag,
                                     0,
                                     GameState::tickerPlaceX + spriteW(SpriteRows::spritePlaceTag),
                                     GameState::tickerPlaceY);
    Overlays::paintSpeechBubble(g, GameState::tickerPlaceX, GameState::tickerPlaceY, true);
  }
  paintCursor(g, cursorX, cursorY, 0);
  GameState::mapPainting = 0;
}

void MapScreen::paintMap(const DGraphicsPtr& g) {
  const DGraphicsPtr& back = StateMachine::backGraphics;
  if (back) {
    if (GameState::mapFullRepaint) {
      composeMap(back);
      GameState::mapFullRepaint_ = 0;
      if (GameState::shopMode) shopRepaint_ = 1;
    }
    if (shopRepaint) {
      paintShop(back);
      shopRepaint_ = 0;
    }
    // The open shop stands over the map persons; leaving it composes the map again.
    if (personRepaint && !GameState::shopMode && GameState::mapPlace >= placeLeader &&
        GameState::mapPlace <= placeLastPerson) {
      paintChosenPerson(back);
      personRepaint_ = 0;
    }
  }
  g->setClip(0, 0, GameState::screenWidth, GameState::screenHeight);
  if (GameState::backImage) g->drawImage(GameState::backImage, 0, 0, 0, 0);
}

void MapScreen::composeMap(const DGraphicsPtr& g) {
  SpriteDrawing::drawSpriteFrame(g, SpriteRows::spriteTitle, 0, GameState::layoutX, GameState::layoutY);
  for (int32_t id = 1; id <= 4; ++id) {
    if (!placeOpen(id + placeLeader)) continue;
    const qel::lang::DshortArray& point = *GameTables::mapPoints->at(id);
    SpriteDrawing::drawSpriteFrame(g, SpriteRows::spritePersonFirst + id - 1, 0, point.at(0), point.at(1));
  }
  const int32_t tagWidth = spriteW(SpriteRows::spriteTag);
  for (int32_t i = 0; i < GameTables::activePersons->size(); ++i) {
    const auto* person = static_cast<Person*>(GameTables::activePersons->elementAt(i));
    if (person->id < 1 || person->id > 4) continue;
    const qel::lang::DintArray& place = *GameTables::mapPlaces->at(person->id + placeLeader);
    SpriteDrawing::drawSpriteFrame(g, SpriteRows::spriteTag, 0, place.at(0) - tagWidth / 2, place.at(1));
  }
  const int32_t leftWidth = spriteW(SpriteRows::spriteTopLeft);
  const int32_t rightWidth = spriteW(SpriteRows::spriteTopRight);
  const int32_t barWidth = spriteW(SpriteRows::spriteTopBar);
  SpriteDrawing::drawSpriteFrame(g, SpriteRows::spriteTopLeft, 0, 0, 0);
  for (int32_t x = leftWidth; barWidth > 0 && x < GameState::viewWidth - rightWidth; x += barWidth)
    SpriteDrawing::drawSpriteFrame(g, SpriteRows::spriteTopBar, 0, x, 0);
  SpriteDrawing::drawSpriteFrame(g, SpriteRows::spriteTopRight, 0, GameState::viewWidth - rightWidth, 0);
  qel::lang::DintArray& menuPlace = *GameTables::mapPlaces->at(placeMapMenu);
  menuPlace.at(0) = leftWidth / 2;
  menuPlace.at(1) = spriteH(SpriteRows::spriteTopLeft) / 2;
  qel::lang::DintArray& breakInPlace = *GameTables::mapPlaces->at(placeBreakIn);
  breakInPlace.at(0) = GameState::viewWidth - rightWidth / 2;
  breakInPlace.at(1) = spriteH(SpriteRows::spriteTopRight) / 2;
  Overlays::paintMoneyBar(g);
  Overlays::paintRetries(g);
}

void MapScreen::layOutShop() {
  const int32_t vw = GameState::viewWidth;
  const int32_t vh = GameState::viewHeight;
  shopGapX_ = vw < 180 ? 2 : vw <= 320 ? 5 : 10;
  shopGapY_ = vh < 221 ? 2 : vh <= 320 ? 5 : 10;
}

void MapScreen::paintShop(const DGraphicsPtr& g) {
  const int32_t w = spriteW(SpriteRows::spriteShopItem);
  const int32_t h = spriteH(SpriteRows::spriteShopItem);
  const int32_t l = GameState::textLineHeight;
  layOutShop();
  const int32_t items = GameTables::itemTable->length();
  const int32_t panelWidth = shopGapX + (w + shopGapX) * shopColumns + 8;
  int32_t panelHeight = (h * items) / shopColumns + 3 * shopGapY + (l + 2) + 8;
  const bool lineRoom =
      GameState::viewHeight - spriteH(SpriteRows::spriteBottomBar) - spriteH(SpriteRows::spriteTopBar) > panelHeight;
  if (lineRoom) panelHeight += spriteH(SpriteRows::spriteItemLine) + shopGapY;
  const int32_t panelX = GameState::viewWidth / 2 - panelWidth / 2;
  const int32_t panelY =
      (spriteH(SpriteRows::spriteTopBar) - spriteH(SpriteRows::spriteShopBase) + GameState::viewHeight) / 2 -
      panelHeight / 2;
  shopGridX = panelX + shopGapX + 4;
  shopGridY = panelY + shopGapY + (l + 2) + 4;
  GameState::shopLineX_ = panelX + 5;
  GameState::shopLineY_ = panelY + 4;
  GameState::shopLineWidth_ = panelWidth - 8;
  DialogWindow::paintWindowFrame(g, panelX, panelY, panelWidth, panelHeight, shopBorder, l + 2, false);

  qel::lang::DbyteArray2d& grid = *GameTables::shopGrid;
  for (int32_t c = 0; c < grid.length(); ++c)
    for (int32_t r = 0; r < grid.at(c)->length(); ++r) grid.at(c)->at(r) = Person::emptyPocket;
  const Person* person = chosen();
  const int32_t level = GameState::levelNumber - 1;
  for (int32_t i = 0; i < items; ++i) {
    const int32_t c = i % shopColumns;
    const int32_t r = i / shopColumns;
    const int8_t letter = static_cast<int8_t>('h' + i);
    if (r < grid.at(c)->length()) grid.at(c)->at(r) = letter;
    const int32_t x = shopGridX + (w + shopGapX) * c;
    const int32_t y = shopGridY + (h + shopGapY) * r;
    SpriteDrawing::drawSpriteFrame(g, SpriteRows::spriteShopItem, 0, x, y);
    const qel::lang::DshortArray& item = *GameTables::itemTable->at(i);
    SpriteDrawing::drawSpriteFrame(g, SpriteRows::spriteItemIcons, item.at(2), x + 2, y + 2);
    bool carried = false;
    for (int32_t s = 0; person && s < person->pockets->length(); ++s)
      carried = carried || person->pockets->at(s) == letter;
    const bool allowed =
        level >= 0 && level < GameTables::levelTable->length() && GameTables::levelTable->at(level)->at(13 + i) != 0;
    if (carried)
      SpriteDrawing::drawSpriteFrame(g, SpriteRows::spriteTag, 0, x, y);
    else if (item.at(0) > GameState::money || !allowed)
      SpriteDrawing::drawSpriteFrame(g, SpriteRows::spriteUnavailable, 0, x + 2, y + 2);
  }
  if (lineRoom) paintItemLine(g, panelX, shopGridY + (h + shopGapY) * GameState::itemPairCount, panelWidth);
  Overlays::paintMoneyBar(g);
  moveGridSelection(-1);
}

void MapScreen::paintItemLine(const DGraphicsPtr& g, int32_t panelX, int32_t y, int32_t panelWidth) {
  const int32_t lineWidth = spriteW(SpriteRows::spriteItemLine);
  const int32_t lineHeight = spriteH(SpriteRows::spriteItemLine);
  DialogWindow::paintSoftKeyButton(g, panelX + 4, y, 0, leftZone);
  DialogWindow::paintSoftKeyButton(g, panelX + panelWidth - 4 - lineWidth, y, 1, rightZone);
  const int32_t x = panelX + panelWidth / 2 - lineWidth / 2;
  SpriteDrawing::drawSpriteFrame(g, SpriteRows::spriteItemLine, 0, x, y);
  KeyInput::setHotZone(selectZone, x, y, lineWidth, lineHeight);
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
  const qel::lang::DshortArray& point = *GameTables::mapPoints->at(person->id);
  SpriteDrawing::drawSpriteFrame(g, SpriteRows::spritePersonFirst + person->id - 1, 0, point.at(0), point.at(1));
}

void MapScreen::paintCursor(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t) {
  if (!hand()) return;
  g->setClip(0, 0, GameState::screenWidth, GameState::screenHeight);
  g->drawImage(handImage, x - handImage->getWidth() / 2, y, 0, 0);
}

const qel::lcdui::DImagePtr& MapScreen::hand() {
  if (!handLookedUp) {
    handImage_ = gamelib::GameLib::loadImage(u"hand");
    handLookedUp_ = 1;
  }
  return handImage;
}

}  // namespace nvx
