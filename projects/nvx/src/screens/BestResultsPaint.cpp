#include "lang/DString.h"
#include "lang/DintArray.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/screens/BestResults.h"
#include "nvx/src/state/MainCanvas.h"

namespace nvx {

using qel::lang::DshortArrayPtr;
using qel::lcdui::DGraphicsPtr;

namespace {

void clipToScreen(const DGraphicsPtr& g) { g->setClip(0, 0, MainCanvas::screenWidth, MainCanvas::screenHeight); }

DshortArrayPtr nameOf(int32_t row) {
  auto* names = dynamic_cast<qel::lang::DObjectArray*>(MainCanvas::bestResults->elementAt(0));
  return DshortArrayPtr(dynamic_cast<qel::lang::DshortArray*>(names->at(row).get()));
}

int32_t amountOf(int32_t row) {
  return dynamic_cast<qel::lang::DintArray*>(MainCanvas::bestResults->elementAt(1))->at(row);
}

}  // namespace

int32_t BestResults::bestRowX() { return MainCanvas::viewWidth / 2 - bestRowChars * MainCanvas::textCharWidth / 2; }

int32_t BestResults::bestRowY(int32_t row) {
  const int32_t l = MainCanvas::textLineHeight;
  int32_t y = MainCanvas::bestFirstRowY + row * (l + 3);
  if (MainCanvas::winnerRow >= 0 && row >= MainCanvas::winnerRow) y += l / 2 + 1;
  if (MainCanvas::winnerRow >= 0 && row > MainCanvas::winnerRow) y += l / 2 + 2;
  return y;
}

void BestResults::composeBestResults() {
  const DGraphicsPtr& g = MainCanvas::backGraphics;
  const int32_t c = MainCanvas::textCharWidth;
  clipToScreen(g);
  const int32_t topBarHeight = MainCanvas::spriteTable[MainCanvas::spriteTopBar][3];
  if (MainCanvas::layoutX >= 1 || MainCanvas::layoutY > topBarHeight) {
    g->setColor(0);
    g->fillRect(0, 0, MainCanvas::viewWidth, MainCanvas::viewHeight);
  }
  MainCanvas::drawSpriteFrame(g, MainCanvas::spriteTitle, 0, MainCanvas::layoutX, MainCanvas::layoutY);
  clipToScreen(g);
  const DshortArrayPtr title = MainCanvas::getText(bestTitleText);
  MainCanvas::drawText(g, title, MainCanvas::viewWidth / 2 - title->length() * c / 2, MainCanvas::bestTableTop);
  const int32_t left = bestRowX();
  for (int32_t row = 0; row < resultRows; ++row) {
    const int32_t y = bestRowY(row);
    if (row != MainCanvas::winnerRow) MainCanvas::drawText(g, nameOf(row), left, y);
    const DshortArrayPtr amount =
        MainCanvas::stringToGlyphs(qel::lang::DString::concat(u"$", qel::lang::DString::valueOf(amountOf(row))));
    MainCanvas::drawText(g, amount, left + (bestRowChars - amount->length()) * c, y);
  }
  MainCanvas::softKeys = MainCanvas::softKeysFor(1);
  MainCanvas::paintSoftKeyBar(g);
  MainCanvas::bestResultsRepaint = 0;
}

void BestResults::paintBestResults(const DGraphicsPtr& g) {
  if (!MainCanvas::backImage || !MainCanvas::backGraphics || !MainCanvas::bestResults) return;
  if (MainCanvas::bestResultsRepaint) composeBestResults();
  clipToScreen(g);
  g->drawImage(MainCanvas::backImage, 0, 0, 0, 0);
  if (MainCanvas::winnerRow < 0) return;
  const int32_t c = MainCanvas::textCharWidth;
  const int32_t l = MainCanvas::textLineHeight;
  const int32_t x = bestRowX();
  const int32_t y = bestRowY(MainCanvas::winnerRow);
  MainCanvas::drawText(g, nameOf(MainCanvas::winnerRow), x, y);
  const int32_t letterX = x + MainCanvas::letterCursor * c;
  if (MainCanvas::pulsePhase > 12)
    MainCanvas::drawText(g, MainCanvas::getText(letterCursorText), letterX, y + l / 2 + 2);
  if (MainCanvas::touchInput) {
    MainCanvas::setHotZone(6, letterX, y - 2 * l, c, 2 * l);
    MainCanvas::setHotZone(7, letterX, y + l, c, 2 * l);
    MainCanvas::setHotZone(8, letterX - 2 * c, y, 2 * c, l);
    MainCanvas::setHotZone(9, letterX + c, y, 2 * c, l);
  }
}

}  // namespace nvx
