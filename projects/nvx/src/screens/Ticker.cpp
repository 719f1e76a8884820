#include "nvx/src/screens/Ticker.h"

#include "lang/DInteger.h"
#include "lang/DObjectArray.h"
#include "lang/DShort.h"
#include "microedition/lcdui/DGraphics.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Person.h"

namespace nvx {

using qel::lang::DshortArray;
using qel::lang::DshortArrayPtr;

void Ticker::setTicker(const DshortArrayPtr& text, int32_t x, int32_t y, int32_t width, int8_t loops) {
  MainCanvas::tickerText = text;
  MainCanvas::tickerLoops = loops;
  MainCanvas::tickerLeft = x;
  MainCanvas::tickerY = y;
  MainCanvas::tickerWidth = width;
  MainCanvas::tickerX = x + width;
}

void Ticker::clearTicker() { MainCanvas::tickerText.release(); }

int32_t Ticker::tickerTextWidth() {
  return MainCanvas::tickerText ? MainCanvas::textCharWidth * MainCanvas::tickerText->length() : 0;
}

bool Ticker::cursorAt(int32_t x, int32_t y) { return MainCanvas::cursorTargetX == x && MainCanvas::cursorTargetY == y; }

void Ticker::tickTicker() {
  if (!MainCanvas::tickerText || !(MainCanvas::tickerRunning || MainCanvas::shopMode)) return;
  const int32_t width = tickerTextWidth();
  if (MainCanvas::tickerLoops == waitThenScroll && MainCanvas::tickerPassCount > 3)
    MainCanvas::tickerLoops = scrollInOnce;
  const int32_t right = MainCanvas::tickerLeft + MainCanvas::tickerWidth;
  if (MainCanvas::tickerLoops == scrollInOnce && MainCanvas::tickerX + width < right) return;
  if (MainCanvas::tickerLoops != waitThenScroll) --MainCanvas::tickerX;
  if (MainCanvas::tickerX + width < MainCanvas::tickerLeft) {
    MainCanvas::tickerX = right;
    if (MainCanvas::tickerLoops >= 0 && --MainCanvas::tickerLoops < 1) {
      MainCanvas::tickerText.release();
      MainCanvas::tickerRunning = 0;
    }
  }
}

void Ticker::paintTicker(const qel::lcdui::DGraphicsPtr& g) {
  if (!MainCanvas::tickerText || !(MainCanvas::tickerRunning || MainCanvas::shopMode)) return;
  if (MainCanvas::gameState != MainCanvas::stateLevel && !cursorAt(MainCanvas::tickerPlaceX, MainCanvas::tickerPlaceY))
    return;
  MainCanvas::drawGlyphs(g,
                         MainCanvas::tickerText,
                         MainCanvas::tickerX,
                         MainCanvas::tickerY,
                         MainCanvas::tickerLeft,
                         MainCanvas::tickerLeft + MainCanvas::tickerWidth);
}

void Ticker::showPlaceHint() {
  MainCanvas::hintPending = 0;
  DshortArrayPtr text = new DshortArray(1);
  if (!MainCanvas::shopMode) {
    MainCanvas::placeLineX = 0;
    MainCanvas::placeLineWidth = MainCanvas::viewWidth;
    MainCanvas::placeLineY = MainCanvas::viewHeight - MainCanvas::textLineHeight - 2;
    const qel::lang::DintArray& place = *MainCanvas::mapPlaces->at(MainCanvas::mapPlace);
    text = MainCanvas::getText(place.at(2));
    MainCanvas::tickerPlaceX = place.at(MainCanvas::placeXColumn);
    MainCanvas::tickerPlaceY = place.at(MainCanvas::placeYColumn);
    const int32_t option = MainCanvas::mapPlace + firstPlaceHintOption;
    if (!MainCanvas::options->at(option) && MainCanvas::difficulty == -1) MainCanvas::hintPending = 1;
    if (MainCanvas::tickerRunning && MainCanvas::hintPending) {
      MainCanvas::options->at(option) = 1;
      MainCanvas::hintPending = 0;
    }
  }
  setTicker(text, MainCanvas::placeLineX, MainCanvas::placeLineY, MainCanvas::placeLineWidth, 1);
}

void Ticker::showItemLine() {
  const int32_t letter = MainCanvas::shopGrid->at(MainCanvas::shopColumn)->at(MainCanvas::shopRow);
  if (letter == 0 || letter == Person::emptyPocket) return;
  const qel::lang::DshortArray& item = *MainCanvas::itemTable->at(MainCanvas::itemIndex(letter));
  qel::lang::DObjectArrayPtr params = new qel::lang::DObjectArray(3);
  params->at(0) = new qel::lang::DShort(static_cast<int16_t>(letter));
  params->at(1) = qel::lang::DInteger::toString(item.at(0));
  params->at(2) = new qel::lang::DInteger(item.at(1));
  const DshortArrayPtr text = MainCanvas::formatText(itemLineText, params);
  MainCanvas::tickerPassCount = 0;
  MainCanvas::tickerPlaceX = MainCanvas::cursorTargetX;
  MainCanvas::tickerPlaceY = MainCanvas::cursorTargetY;
  setTicker(text, MainCanvas::shopLineX, MainCanvas::shopLineY, MainCanvas::shopLineWidth, waitThenScroll);
  MainCanvas::tickerX = MainCanvas::shopLineX;
}

}  // namespace nvx
