#include "lang/DString.h"
#include "lang/DintArray.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/screens/BestResults.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/windows/DialogWindow.h"

namespace nvx {

using qel::lang::DshortArrayPtr;
using qel::lcdui::DGraphicsPtr;

namespace {

void clipToScreen(const DGraphicsPtr& g) { g->setClip(0, 0, GameState::screenWidth, GameState::screenHeight); }

DshortArrayPtr nameOf(int32_t row) {
  auto* names = dynamic_cast<qel::lang::DObjectArray*>(GameTables::bestResults->elementAt(0));
  return DshortArrayPtr(dynamic_cast<qel::lang::DshortArray*>(names->at(row).get()));
}

int32_t amountOf(int32_t row) {
  return dynamic_cast<qel::lang::DintArray*>(GameTables::bestResults->elementAt(1))->at(row);
}

}  // namespace

int32_t BestResults::bestRowX() { return GameState::viewWidth / 2 - bestRowChars * GameState::textCharWidth / 2; }

int32_t BestResults::bestRowY(int32_t row) {
  const int32_t l = GameState::textLineHeight;
  int32_t y = GameState::bestFirstRowY + row * (l + 3);
  if (GameState::winnerRow >= 0 && row >= GameState::winnerRow) y += l / 2 + 1;
  if (GameState::winnerRow >= 0 && row > GameState::winnerRow) y += l / 2 + 2;
  return y;
}

void BestResults::composeBestResults() {
  const DGraphicsPtr& g = StateMachine::backGraphics;
  const int32_t c = GameState::textCharWidth;
  clipToScreen(g);
  const int32_t topBarHeight = GameTables::spriteTable[SpriteRows::spriteTopBar][3];
  if (GameState::layoutX >= 1 || GameState::layoutY > topBarHeight) {
    g->setColor(0);
    g->fillRect(0, 0, GameState::viewWidth, GameState::viewHeight);
  }
  SpriteDrawing::drawSpriteFrame(g, SpriteRows::spriteTitle, 0, GameState::layoutX, GameState::layoutY);
  clipToScreen(g);
  const DshortArrayPtr title = LanguageTexts::getText(bestTitleText);
  BitmapText::drawText(g, title, GameState::viewWidth / 2 - title->length() * c / 2, GameState::bestTableTop);
  const int32_t left = bestRowX();
  for (int32_t row = 0; row < resultRows; ++row) {
    const int32_t y = bestRowY(row);
    if (row != GameState::winnerRow) BitmapText::drawText(g, nameOf(row), left, y);
    const DshortArrayPtr amount =
        LanguageTexts::stringToGlyphs(qel::lang::DString::concat(u"$", qel::lang::DString::valueOf(amountOf(row))));
    BitmapText::drawText(g, amount, left + (bestRowChars - amount->length()) * c, y);
  }
  DialogWindow::softKeys = DialogWindow::softKeysFor(1);
  DialogWindow::paintSoftKeyBar(g);
  GameState::bestResultsRepaint_ = 0;
}

void BestResults::paintBestResults(const DGraphicsPtr& g) {
  if (!GameState::backImage || !StateMachine::backGraphics || !GameTables::bestResults) return;
  if (GameState::bestResultsRepaint) composeBestResults();
  clipToScreen(g);
  g->drawImage(GameState::backImage, 0, 0, 0, 0);
  if (GameState::winnerRow < 0) return;
  const int32_t c = GameState::textCharWidth;
  const int32_t l = GameState::textLineHeight;
  const int32_t x = bestRowX();
  const int32_t y = bestRowY(GameState::winnerRow);
  BitmapText::drawText(g, nameOf(GameState::winnerRow), x, y);
  const int32_t letterX = x + GameState::letterCursor * c;
  if (GameState::pulsePhase > 12)
    BitmapText::drawText(g, LanguageTexts::getText(letterCursorText), letterX, y + l / 2 + 2);
  if (GameState::touchInput) {
    KeyInput::setHotZone(6, letterX, y - 2 * l, c, 2 * l);
    KeyInput::setHotZone(7, letterX, y + l, c, 2 * l);
    KeyInput::setHotZone(8, letterX - 2 * c, y, 2 * c, l);
    KeyInput::setHotZone(9, letterX + c, y, 2 * c, l);
  }
}

}  // namespace nvx
