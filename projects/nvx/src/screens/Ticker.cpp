#include "nvx/src/screens/Ticker.h"

#include "lang/DInteger.h"
#include "lang/DObjectArray.h"
#include "lang/DShort.h"
#include "microedition/lcdui/DGraphics.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/world/Person.h"

namespace nvx {

using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;

void Ticker::setTicker(const DshortArrayPtr& text, int32_t x, int32_t y, int32_t width, int8_t loops) {
  GameState::tickerText = text;
  GameState::tickerLoops_ = loops;
  GameState::tickerLeft_ = x;
  GameState::tickerY_ = y;
  GameState::tickerWidth_ = width;
  GameState::tickerX_ = x + width;
}

void Ticker::clearTicker() { GameState::tickerText.release(); }

int32_t Ticker::tickerTextWidth() {
  return GameState::tickerText ? GameState::textCharWidth * GameState::tickerText->length() : 0;
}

bool Ticker::cursorAt(int32_t x, int32_t y) { return GameState::cursorTargetX == x && GameState::cursorTargetY == y; }

void Ticker::tickTicker() {
  if (!GameState::tickerText || !(GameState::tickerRunning || GameState::shopMode)) return;
  const int32_t width = tickerTextWidth();
  if (GameState::tickerLoops == waitThenScroll && GameState::tickerPassCount > 3)
    GameState::tickerLoops_ = scrollInOnce;
  const int32_t right = GameState::tickerLeft + GameState::tickerWidth;
  if (GameState::tickerLoops == scrollInOnce && GameState::tickerX + width < right) return;
  if (GameState::tickerLoops != waitThenScroll) --GameState::tickerX_;
  if (GameState::tickerX + width < GameState::tickerLeft) {
    GameState::tickerX_ = right;
    if (GameState::tickerLoops >= 0 && --GameState::tickerLoops_ < 1) {
      GameState::tickerText.release();
      GameState::tickerRunning_ = 0;
    }
  }
}

void Ticker::paintTicker(const qel::lcdui::DGraphicsPtr& g) {
  if (!GameState::tickerText || !(GameState::tickerRunning || GameState::shopMode)) return;
  if (GameState::gameState != StateMachine::stateLevel && !cursorAt(GameState::tickerPlaceX, GameState::tickerPlaceY))
    return;
  BitmapText::drawGlyphs(g,
                         GameState::tickerText,
                         GameState::tickerX,
                         GameState::tickerY,
                         GameState::tickerLeft,
                         GameState::tickerLeft + GameState::tickerWidth);
}

void Ticker::showPlaceHint() {
  GameState::hintPending = 0;
  DshortArrayPtr text = new DshortArray(1);
  if (!GameState::shopMode) {
    GameState::placeLineX_ = 0;
    GameState::placeLineWidth_ = GameState::viewWidth;
    GameState::placeLineY_ = GameState::viewHeight - GameState::textLineHeight - 2;
    const qel::lang::DintArray& place = *GameTables::mapPlaces->at(GameState::mapPlace);
    text = LanguageTexts::getText(place.at(2));
    GameState::tickerPlaceX_ = place.at(GameState::placeXColumn);
    GameState::tickerPlaceY_ = place.at(GameState::placeYColumn);
    const int32_t option = GameState::mapPlace + firstPlaceHintOption;
    if (!GameTables::options->at(option) && GameState::difficulty == -1) GameState::hintPending = 1;
    if (GameState::tickerRunning && GameState::hintPending) {
      GameTables::options->at(option) = 1;
      GameState::hintPending = 0;
    }
  }
  setTicker(text, GameState::placeLineX, GameState::placeLineY, GameState::placeLineWidth, 1);
}

void Ticker::showItemLine() {
  const int32_t letter = GameTables::shopGrid->at(GameState::shopColumn)->at(GameState::shopRow);
  if (letter == 0 || letter == Person::emptyPocket) return;
  const qel::lang::DshortArray& item = *GameTables::itemTable->at(KeyInput::itemIndex(letter));
  qel::lang::DObjectArrayPtr params = new qel::lang::DObjectArray(3);
  params->at(0) = new qel::lang::DShort(static_cast<int16_t>(letter));
  params->at(1) = qel::lang::DInteger::toString(item.at(0));
  params->at(2) = new qel::lang::DInteger(item.at(1));
  const DshortArrayPtr text = BitmapText::formatText(itemLineText, params);
  GameState::tickerPassCount = 0;
  GameState::tickerPlaceX_ = GameState::cursorTargetX;
  GameState::tickerPlaceY_ = GameState::cursorTargetY;
  setTicker(text, GameState::shopLineX, GameState::shopLineY, GameState::shopLineWidth, waitThenScroll);
  GameState::tickerX_ = GameState::shopLineX;
}

}  // namespace nvx
