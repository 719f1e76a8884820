#include "nvx/src/text/SpriteDrawing.h"

#include <algorithm>

#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/GameHelpers.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"

namespace nvx {

using qel::lcdui::DGraphicsPtr;
using qel::lcdui::DImage;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

DImage* pictureOf(int32_t index) {
  if (!GameState::pictures || index < 0 || index >= GameState::pictures->length()) return nullptr;
  return dynamic_cast<DImage*>(GameState::pictures->at(index).get());
}

}  // namespace

void SpriteDrawing::drawSprite(const DGraphicsPtr& g, int32_t set, int32_t frame, int32_t x, int32_t y, int32_t cutLeft,
                               int32_t cutRight, int32_t cutTop, int32_t cutBottom) {
  auto row = GameTables::spriteTable->at(set);
  int32_t w = row[2];
  int32_t h = row[3];
  int32_t sw = GameState::screenWidth;
  int32_t sh = GameState::screenHeight;
  if (x + w <= 0 || x >= sw || y + h <= 0 || y >= sh) return;
  if (x < 0) cutLeft = std::max(cutLeft, -x);
  if (x + w - sw > 0) cutRight = std::max(cutRight, x + w - sw);
  if (y < 0) cutTop = std::max(cutTop, -y);
  if (y + h - sh > 0) cutBottom = std::max(cutBottom, y + h - sh);
  g->setClip(x + cutLeft, y + cutTop, w - cutLeft - cutRight, h - cutTop - cutBottom);
  int32_t perRow = row[4];
  DImage* picture = pictureOf(row[5]);
  if (!picture || perRow <= 0) return;
  int32_t column = frame % perRow;
  int32_t line = frame / perRow;
  g->drawImage(qel::lcdui::DImagePtr(picture), x - w * column - row[0], y - h * line - row[1], 0, 0);
}

void SpriteDrawing::drawSpriteFrame(const DGraphicsPtr& g, int32_t set, int32_t frame, int32_t x, int32_t y) {
  drawSprite(g, set, frame, x, y, 0, 0, 0, 0);
}

void SpriteDrawing::drawShape(const DGraphicsPtr& g, int32_t shape, int32_t quarterTurns, int32_t x, int32_t y,
                              int32_t colour) {
  if (shape < 0) return;
  auto rects = GameTables::pictureAreas->at(shape);
  int32_t cell = GameState::cellSize;
  g->setColor(static_cast<uint32_t>(colour));
  g->setClip(x, y, cell, cell);
  int32_t turns = quarterTurns > 0 ? quarterTurns % 4 : 0;
  for (int32_t i = 0; i + 3 < rects->length(); i += 4) {
    int32_t x0 = rects[i] * cell >> 7, y0 = rects[i + 1] * cell >> 7;
    int32_t x1 = rects[i + 2] * cell >> 7, y1 = rects[i + 3] * cell >> 7;
    for (int32_t t = 0; t < turns; ++t) {
      int32_t nx0 = cell - y1 - 1, ny0 = x0, nx1 = cell - y0 - 1, ny1 = x1;
      x0 = nx0, y0 = ny0, x1 = nx1, y1 = ny1;
    }
    g->drawRect(x + x0, y + y0, x1 - x0, y1 - y0);
  }
}

void SpriteDrawing::drawBevelBox(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h, bool pressed,
                                 int32_t fill, int32_t lightColour, int32_t darkColour) {
  g->setClip(x, y, w, h);
  if (fill >= 0) {
    g->setColor(static_cast<uint32_t>(fill));
    g->fillRect(x, y, w - 1, h - 1);
  }
  g->setColor(static_cast<uint32_t>(pressed ? darkColour : lightColour));
  g->drawRect(x, y, w - 1, h - 1);
  g->setColor(static_cast<uint32_t>(pressed ? lightColour : darkColour));
  g->drawLine(x, y, x + w - 1, y);
  g->drawLine(x, y, x, y + h - 2);
}

void SpriteDrawing::drawButtonBox(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h, bool pressed,
                                  int32_t fill) {
  drawBevelBox(g, x, y, w, h, pressed, fill, buttonLight, buttonDark);
}

void SpriteDrawing::loadPicture(int32_t i) {
  try {
    if (!GameState::pictures) GameState::pictures = new qel::lang::DObjectArray(8);
    qel::lcdui::DImagePtr picture = GameHelpers::imageByName(
        qel::lang::DStringPtr(dynamic_cast<qel::lang::DString*>(GameTables::pictureNames->at(i).get())));
    if (picture) GameState::pictures->at(i) = picture;
  } catch (qel::lang::DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
  }
}

}  // namespace nvx
