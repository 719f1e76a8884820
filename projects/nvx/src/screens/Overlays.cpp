#include "nvx/src/screens/Overlays.h"

#include "lang/DInteger.h"
#include "microedition/lcdui/DGraphics.h"
#include "nvx/src/state/MainCanvas.h"

namespace nvx {

using qel::lcdui::DGraphicsPtr;

int32_t Overlays::spriteWidth(int32_t row) { return MainCanvas::spriteTable->at(row)->at(2); }

int32_t Overlays::spriteHeight(int32_t row) { return MainCanvas::spriteTable->at(row)->at(3); }

int32_t Overlays::bubbleStep(int32_t y) { return y < 61 ? bubbleRise : -bubbleRise; }

void Overlays::paintSpeechBubble(const DGraphicsPtr& g, int32_t x, int32_t y, bool atCursorOnly) {
  if (!MainCanvas::tickerRunning || !MainCanvas::tickerText) return;
  if (atCursorOnly && !MainCanvas::cursorAt(x, y)) return;
  const int32_t dy = bubbleStep(y);
  const int32_t middleX = MainCanvas::viewWidth >> 1;
  for (int32_t k = bubbleSteps - 1; k >= 0; --k) {
    x += (middleX - x) >> 1;
    y += dy;
    const int32_t row = MainCanvas::spriteBubbleDot + k;
    MainCanvas::drawSpriteFrame(g, row, 0, x - (spriteWidth(row) >> 1), y - (spriteHeight(row) >> 1));
  }
  const int32_t s = spriteWidth(MainCanvas::spriteBubbleMiddle);
  const int32_t endWidth = spriteWidth(MainCanvas::spriteBubbleEnd);
  const int32_t endHeight = spriteHeight(MainCanvas::spriteBubbleEnd);
  const int32_t boxWidth = bubbleMiddles * s;
  const int32_t bx = middleX - (boxWidth >> 1);
  const int32_t by = y - (endHeight >> 1) + dy;
  MainCanvas::tickerLeft = bx;
  MainCanvas::tickerY = by + ((endHeight - MainCanvas::textLineHeight) >> 1);
  MainCanvas::tickerWidth = boxWidth;
  if (MainCanvas::tickerX > bx + boxWidth) MainCanvas::tickerX = bx + boxWidth;
  MainCanvas::drawSpriteFrame(g, MainCanvas::spriteBubbleEnd, 0, bx - (endWidth >> 1), by);
  MainCanvas::drawSpriteFrame(g, MainCanvas::spriteBubbleEnd, 0, bx + boxWidth - (endWidth >> 1), by);
  for (int32_t j = 0; j < bubbleMiddles; ++j)
    MainCanvas::drawSpriteFrame(g, MainCanvas::spriteBubbleMiddle, 0, bx + j * s, by);
}

void Overlays::paintHintBlink(const DGraphicsPtr& g) {
  if (!MainCanvas::hintPending || MainCanvas::shopMode || MainCanvas::pulsePhase <= 12) return;
  if (!MainCanvas::cursorAt(MainCanvas::tickerPlaceX, MainCanvas::tickerPlaceY)) return;
  const int32_t x = MainCanvas::screenWidth - spriteWidth(MainCanvas::spriteItemLine) - 2;
  const int32_t y = MainCanvas::cursorOffsetY - spriteHeight(MainCanvas::spriteBottomBar) + MainCanvas::viewHeight;
  MainCanvas::paintSoftKeyButton(g, x, y, hintIcon, hintZone);
}

void Overlays::paintRetries(const DGraphicsPtr& g) {
  if (MainCanvas::difficulty <= 0) return;
  const int32_t y = MainCanvas::viewHeight - MainCanvas::textLineHeight - 3;
  const qel::lang::DshortArrayPtr label = MainCanvas::getText(retriesText);
  MainCanvas::drawText(g, label, 3, y);
  // The count follows the label.
  MainCanvas::drawString(
      g, qel::lang::DInteger::toString(MainCanvas::retriesLeft), MainCanvas::textCharWidth * label->length() + 3, y);
}

void Overlays::paintMoneyBar(const DGraphicsPtr& g) {
  const qel::lang::DshortArrayPtr digits = MainCanvas::stringToGlyphs(qel::lang::DInteger::toString(MainCanvas::money));
  const int32_t textWidth = MainCanvas::textCharWidth * digits->length();
  const int32_t right = MainCanvas::viewWidth - spriteWidth(MainCanvas::spriteTopRight);
  const int32_t leftLimit = spriteWidth(MainCanvas::spriteTopLeft);
  const int32_t barHeight = spriteHeight(spriteMoneyBar);
  const int32_t top = (spriteHeight(MainCanvas::spriteTopBar) - barHeight) >> 1;
  int32_t x = right - spriteWidth(spriteMoneyBar);
  MainCanvas::drawSpriteFrame(g, spriteMoneyBar, 0, x, top);
  const int32_t filler = spriteWidth(spriteMoneyFiller);
  while (filler > 0 && right - x < textWidth + 8 && x - filler >= leftLimit) {
    x -= filler;
    MainCanvas::drawSpriteFrame(g, spriteMoneyFiller, 0, x, top);
  }
  const int32_t dot = spriteWidth(spriteMoneyDot);
  MainCanvas::drawSpriteFrame(g, spriteMoneyDot, 0, x - dot, top + ((barHeight - spriteHeight(spriteMoneyDot)) >> 1));
  MainCanvas::drawText(g, digits, right - 4 - textWidth, top + ((barHeight - MainCanvas::textLineHeight) >> 1));
}

}  // namespace nvx
