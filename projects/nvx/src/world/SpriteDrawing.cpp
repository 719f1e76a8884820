#include "nvx/src/world/SpriteDrawing.h"

#include <algorithm>

#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/DPalette.h"
#include "nvx/src/state/MainCanvas.h"

namespace nvx {

void SpriteDrawing::drawSprite(const qel::lcdui::DGraphicsPtr& g, int32_t set, int32_t frame, int32_t x, int32_t y,
                               int32_t cutLeft, int32_t cutRight, int32_t cutTop, int32_t cutBottom) {
  const auto& row = MainCanvas::spriteTable[set];
  const int32_t w = row[2], h = row[3], perRow = std::max<int32_t>(row[4], 1);
  const int32_t screenW = MainCanvas::screenWidth, screenH = MainCanvas::screenHeight;
  if (x + w <= 0 || x >= screenW || y + h <= 0 || y >= screenH) return;
  if (x < 0) cutLeft = std::max(cutLeft, -x);
  if (x + w > screenW) cutRight = std::max(cutRight, x + w - screenW);
  if (y < 0) cutTop = std::max(cutTop, -y);
  if (y + h > screenH) cutBottom = std::max(cutBottom, y + h - screenH);
  g->setClip(x + cutLeft, y + cutTop, w - cutLeft - cutRight, h - cutTop - cutBottom);
  if (!MainCanvas::pictures || row[5] < 0 || row[5] >= MainCanvas::pictures->length()) return;
  qel::lcdui::DImagePtr picture = dynamic_cast<qel::lcdui::DImage*>(MainCanvas::pictures[row[5]].get());
  if (picture) g->drawImage(picture, x - w * (frame % perRow) - row[0], y - h * (frame / perRow) - row[1], 0, 0);
}

void SpriteDrawing::drawSpriteFrame(const qel::lcdui::DGraphicsPtr& g, int32_t set, int32_t frame, int32_t x,
                                    int32_t y) {
  drawSprite(g, set, frame, x, y, 0, 0, 0, 0);
}

void SpriteDrawing::drawShape(const qel::lcdui::DGraphicsPtr& g, int32_t shape, int32_t quarterTurns, int32_t x,
                              int32_t y, int32_t colour) {
  if (shape < 0 || shape >= MainCanvas::pictureAreas->length()) return;
  const int32_t c = MainCanvas::cellSize;
  g->setColor(static_cast<uint32_t>(colour));
  g->setClip(x, y, c, c);
  const auto& rects = MainCanvas::pictureAreas[shape];
  for (int32_t i = 0; i + 3 < rects->length(); i += 4) {
    int32_t x0 = rects[i] * c >> 7, y0 = rects[i + 1] * c >> 7, x1 = rects[i + 2] * c >> 7, y1 = rects[i + 3] * c >> 7;
    for (int32_t t = 0; t < quarterTurns; ++t) {
      const int32_t turnedX0 = c - y1 - 1, turnedY0 = x0, turnedX1 = c - y0 - 1, turnedY1 = x1;
      x0 = turnedX0;
      y0 = turnedY0;
      x1 = turnedX1;
      y1 = turnedY1;
    }
    g->drawRect(x + x0, y + y0, x1 - x0, y1 - y0);
  }
}

}  // namespace nvx
