#include <algorithm>
#include <cstdlib>

#include "microedition/lcdui/DGraphics.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/windows/DialogWindow.h"

namespace nvx {

using qel::lcdui::DGraphicsPtr;

namespace {

constexpr int32_t bodyColour = 0x8C8C8C;
constexpr int32_t panelColour = 0xAEA79F;
constexpr int32_t titleBarColour = 0x63767B;
constexpr int32_t minimumThumb = 4;

int32_t frameWidth(int32_t set) { return GameTables::spriteTable->at(set)->at(2); }
int32_t frameHeight(int32_t set) { return GameTables::spriteTable->at(set)->at(3); }

void clipToScreen(const DGraphicsPtr& g) { g->setClip(0, 0, GameState::screenWidth, GameState::screenHeight); }

}  // namespace

int32_t DialogWindow::pulseGrey() {
  const int32_t level = std::abs(12 - FrameClock::clockPhase) * 510 / 24;
  return level * 0x010101;
}

void DialogWindow::paintTiledBackground(const DGraphicsPtr& g) {
  const int32_t cell = GameState::cellSize;
  if (cell <= 0) return;
  const int32_t columns = GameState::screenWidth / cell;
  const int32_t rows = GameState::screenHeight / cell;
  for (int32_t column = 0; column <= columns + 1; ++column)
    for (int32_t row = 0; row <= rows + 1; ++row)
      SpriteDrawing::drawSpriteFrame(g, backgroundTileSprite, 0, column * cell, row * cell);
}

void DialogWindow::paintWindowFrame(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h, int32_t b,
                                    int32_t t, bool background) {
  if (background) paintTiledBackground(g);
  clipToScreen(g);
  g->setColor(0u);
  for (int32_t i = 1; i <= shadowDepth; ++i)
    g->drawRect(x + shadowDepth + i, y + shadowDepth + i, w - 2 * i, h - 2 * i);
  SpriteDrawing::drawButtonBox(g, x, y, w, h, true, b >= 1 ? bodyColour : panelColour);
  if (b > 0) SpriteDrawing::drawButtonBox(g, x + b, y + b, w - 2 * b, h - 2 * b, false, panelColour);
  SpriteDrawing::drawButtonBox(g, x + b, y + b, w - 2 * b, t, false, titleBarColour);
  SpriteDrawing::drawSpriteFrame(g, titleOrnamentSprite, 0, x + b + 2, y + b + 2);
  SpriteDrawing::drawSpriteFrame(g, titleOrnamentSprite, 0, x + w - b - frameWidth(titleOrnamentSprite) - 2, y + b + 2);
  clipToScreen(g);
}

void DialogWindow::paintSoftKeyBar(const DGraphicsPtr& g) {
  const int32_t tileWidth = frameWidth(barTileSprite);
  const int32_t tileTop = GameState::screenHeight - frameHeight(barTileSprite);
  for (int32_t x = 0; tileWidth > 0 && x < GameState::screenWidth; x += tileWidth)
    SpriteDrawing::drawSpriteFrame(g, barTileSprite, 0, x, tileTop);
  KeyInput::setHotZone(barClearedZone, 0, 0, 0, 0);
  const int32_t y = GameState::screenHeight - softKeyBarHeight + buttonOffset;
  const int32_t keys = softKeys ? softKeys->length() : 0;
  if (keys > 0) paintSoftKeyButton(g, softKeyMargin, y, softKeys->at(0) - softKeyAccept, leftSoftKeyZone);
  if (keys > 1)
    paintSoftKeyButton(g,
                       GameState::screenWidth - frameWidth(softKeyButtonSprite) - softKeyMargin,
                       y,
                       softKeys->at(1) - softKeyAccept,
                       rightSoftKeyZone);
  clipToScreen(g);
}

void DialogWindow::paintSoftKeyButton(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t arrowFrame, int32_t zone) {
  const int32_t w = frameWidth(softKeyButtonSprite);
  const int32_t h = frameHeight(softKeyButtonSprite);
  SpriteDrawing::drawSpriteFrame(g, softKeyButtonSprite, 0, x, y);
  SpriteDrawing::drawSpriteFrame(g,
                                 softKeyArrowSprite,
                                 arrowFrame,
                                 x + (w - frameWidth(softKeyArrowSprite)) / 2,
                                 y + (h - frameHeight(softKeyArrowSprite)) / 2);
  KeyInput::setHotZone(zone, x, y, w, h);
}

void DialogWindow::paintScrollBar(const DGraphicsPtr& g, int32_t visible, int32_t first) {
  const int32_t piece = frameHeight(scrollPieceSprite);
  const int32_t bottom = contentY + visibleHeight - piece;
  SpriteDrawing::drawSpriteFrame(g, scrollPieceSprite, 0, scrollBarX, contentY);
  for (int32_t y = contentY + piece; y < bottom; y += piece)
    SpriteDrawing::drawSpriteFrame(g, scrollPieceSprite, 2, scrollBarX, y);
  SpriteDrawing::drawSpriteFrame(g, scrollPieceSprite, 1, scrollBarX, bottom);
  const int32_t total = std::max(lineCount, 1);
  const int32_t track = scrollTrackHeight;
  const int32_t ratio = thumbScale * visible / total;
  const int32_t thumb = std::max(track * ratio / thumbScale, minimumThumb);
  const int32_t offset = total - first <= visible
                             ? track - thumb
                             : std::min(track - thumb, track * (thumbScale * first / total) / thumbScale);
  const int32_t thumbTop = contentY + piece + offset;
  SpriteDrawing::drawButtonBox(g, scrollBarX + 1, thumbTop, scrollBarWidth - 2, thumb, true, titleBarColour);
  SpriteDrawing::drawSpriteFrame(g,
                                 scrollGripSprite,
                                 0,
                                 scrollBarX + 1 + (scrollBarWidth - 2 - frameWidth(scrollGripSprite)) / 2,
                                 thumbTop + (thumb - frameHeight(scrollGripSprite)) / 2);
  clipToScreen(g);
}

void DialogWindow::paintWindowScrollArrows(const DGraphicsPtr& g, int32_t visible, int32_t first) {
  const int32_t w = frameWidth(scrollPieceSprite);
  const int32_t h = frameHeight(scrollPieceSprite);
  const bool text = dialogKind == kindText;
  const int32_t colour = text && !scrolls ? 0 : pulseGrey();
  if (!text || first > 0) SpriteDrawing::drawBevelBox(g, scrollBarX, contentY, w, h, false, -1, colour, colour);
  if (!text || lineCount - first > visible)
    SpriteDrawing::drawBevelBox(g, scrollBarX, contentY + visibleHeight - h, w, h, false, -1, colour, colour);
  clipToScreen(g);
}

}  // namespace nvx
