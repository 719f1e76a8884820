#include "nvx/src/screens/Overlays.h"

#include "lang/DInteger.h"
#include "microedition/lcdui/DGraphics.h"
#include "nvx/src/screens/Ticker.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/windows/DialogWindow.h"

namespace nvx {

using qel::lcdui::DGraphicsPtr;

int32_t Overlays::spriteWidth(int32_t row) { return GameTables::spriteTable->at(row)->at(2); }

int32_t Overlays::spriteHeight(int32_t row) { return GameTables::spriteTable->at(row)->at(3); }

int32_t Overlays::bubbleStep(int32_t y) { return y < 61 ? bubbleRise : -bubbleRise; }

void Overlays::paintSpeechBubble(const DGraphicsPtr& g, int32_t x, int32_t y, bool atCursorOnly) {
  if (!GameState::tickerRunning || !GameState::tickerText) return;
  if (atCursorOnly && !Ticker::cursorAt(x, y)) return;
  const int32_t dy = bubbleStep(y);
  const int32_t middleX = GameState::viewWidth >> 1;
  for (int32_t k = bubbleSteps - 1; k >= 0; --k) {
    x += (middleX - x) >> 1;
    y += dy;
    const int32_t row = SpriteRows::spriteBubbleDot + k;
    SpriteDrawing::drawSpriteFrame(g, row, 0, x - (spriteWidth(row) >> 1), y - (spriteHeight(row) >> 1));
  }
  const int32_t s = spriteWidth(SpriteRows::spriteBubbleMiddle);
  const int32_t endWidth = spriteWidth(SpriteRows::spriteBubbleEnd);
  const int32_t endHeight = spriteHeight(SpriteRows::spriteBubbleEnd);
  const int32_t boxWidth = bubbleMiddles * s;
  const int32_t bx = middleX - (boxWidth >> 1);
  const int32_t by = y - (endHeight >> 1) + dy;
  GameState::tickerLeft_ = bx;
  GameState::tickerY_ = by + ((endHeight - GameState::textLineHeight) >> 1);
  GameState::tickerWidth_ = boxWidth;
  if (GameState::tickerX > bx + boxWidth) GameState::tickerX_ = bx + boxWidth;
  SpriteDrawing::drawSpriteFrame(g, SpriteRows::spriteBubbleEnd, 0, bx - (endWidth >> 1), by);
  SpriteDrawing::drawSpriteFrame(g, SpriteRows::spriteBubbleEnd, 0, bx + boxWidth - (endWidth >> 1), by);
  for (int32_t j = 0; j < bubbleMiddles; ++j)
    SpriteDrawing::drawSpriteFrame(g, SpriteRows::spriteBubbleMiddle, 0, bx + j * s, by);
}

void Overlays::paintHintBlink(const DGraphicsPtr& g) {
  if (!GameState::hintPending || GameState::shopMode || GameState::pulsePhase <= 12) return;
  if (!Ticker::cursorAt(GameState::tickerPlaceX, GameState::tickerPlaceY)) return;
  const int32_t x = GameState::screenWidth - spriteWidth(SpriteRows::spriteItemLine) - 2;
  const int32_t y = GameState::cursorOffsetY - spriteHeight(SpriteRows::spriteBottomBar) + GameState::viewHeight;
  DialogWindow::paintSoftKeyButton(g, x, y, hintIcon, hintZone);
}

void Overlays::paintRetries(const DGraphicsPtr& g) {
  if (GameState::difficulty <= 0) return;
  const int32_t y = GameState::viewHeight - GameState::textLineHeight - 3;
  const qel::lang::DshortArrayPtr label = LanguageTexts::getText(retriesText);
  BitmapText::drawText(g, label, 3, y);
  // The count follows the label.
  BitmapText::drawString(
      g, qel::lang::DInteger::toString(GameState::retriesLeft), GameState::textCharWidth * label->length() + 3, y);
}

void Overlays::paintMoneyBar(const DGraphicsPtr& g) {
  const qel::lang::DshortArrayPtr digits =
      LanguageTexts::stringToGlyphs(qel::lang::DInteger::toString(GameState::money));
  const int32_t textWidth = GameState::textCharWidth * digits->length();
  const int32_t right = GameState::viewWidth - spriteWidth(SpriteRows::spriteTopRight);
  const int32_t leftLimit = spriteWidth(SpriteRows::spriteTopLeft);
  const int32_t barHeight = spriteHeight(spriteMoneyBar);
  const int32_t top = (spriteHeight(SpriteRows::spriteTopBar) - barHeight) >> 1;
  int32_t x = right - spriteWidth(spriteMoneyBar);
  SpriteDrawing::drawSpriteFrame(g, spriteMoneyBar, 0, x, top);
  const int32_t filler = spriteWidth(spriteMoneyFiller);
  while (filler > 0 && right - x < textWidth + 8 && x - filler >= leftLimit) {
    x -= filler;
    SpriteDrawing::drawSpriteFrame(g, spriteMoneyFiller, 0, x, top);
  }
  const int32_t dot = spriteWidth(spriteMoneyDot);
  SpriteDrawing::drawSpriteFrame(
      g, spriteMoneyDot, 0, x - dot, top + ((barHeight - spriteHeight(spriteMoneyDot)) >> 1));
  BitmapText::drawText(g, digits, right - 4 - textWidth, top + ((barHeight - GameState::textLineHeight) >> 1));
}

}  // namespace nvx
