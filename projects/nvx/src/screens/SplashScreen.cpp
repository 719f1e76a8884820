#include "nvx/src/screens/SplashScreen.h"

#include "gamelib/ScreenCanvas.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/windows/DialogWindow.h"

namespace nvx {

using qel::lcdui::DGraphics;
using qel::lcdui::DGraphicsPtr;

namespace {

void paintProgress(const DGraphicsPtr& g) {
  g->setColor(0xFFFFFFu);
  // A tenth of the width at step 7, nine tenths at step 23.
  const int32_t tenths = (GameState::splashStep - 5) / 2;
  SpriteDrawing::drawButtonBox(g,
                               0,
                               GameState::viewHeight - SplashScreen::progressHeight,
                               tenths * GameState::viewWidth / 10,
                               SplashScreen::progressHeight,
                               true,
                               SplashScreen::progressColour);
}

}  // namespace

void SplashScreen::paintSplash(const DGraphicsPtr& g) {
  const int32_t w = GameState::viewWidth, h = GameState::viewHeight;
  switch (GameState::splashStep) {
    case 0:
      g->setColor(0xFFFFFFu);
      g->fillRect(0, 0, 500, 500);
      GameState::screenWidth_ = GameState::viewWidth_ = gamelib::ScreenCanvas::screenWidth;
      GameState::screenHeight_ = GameState::viewHeight_ = gamelib::ScreenCanvas::screenHeight;
      GameState::splashStep = 1;
      break;
    case 2:
      if (!GameState::splashImage) break;
      g->setColor(0x000000u);
      g->fillRect(0, 0, w, h);
      drawSplashImage(g, true);
      break;
    case 3:
      g->setColor(0xFFFFFFu);
      g->fillRect(0, 0, w, h);
      drawSplashImage(g, true);
      break;
    case 5: drawSplashImage(g, false); break;
    case 7:
    case 9:
    case 11:
    case 13:
    case 15:
    case 17:
    case 19:
    case 21:
    case 23:
      paintProgress(g);
      ++GameState::splashStep;
      break;
    case 25:
      g->setColor(0x000000u);
      g->setClip(0, 0, w, h);
      g->fillRect(0, 0, w, h);
      SpriteDrawing::drawSpriteFrame(g, SpriteRows::spriteTitle, 0, GameState::layoutX, GameState::layoutY);
      DialogWindow::paintTiledBackground(g);
      GameState::splashStep = 26;
      break;
    default: break;
  }
}

void SplashScreen::drawSplashImage(const DGraphicsPtr& g, bool centred) {
  const int32_t w = GameState::viewWidth, h = GameState::viewHeight;
  if (const qel::lcdui::DImagePtr& picture = GameState::splashImage) {
    if (centred)
      g->drawImage(picture, (w - picture->getWidth()) >> 1, (h - picture->getHeight()) >> 1, 0, 0);
    else
      g->drawImage(picture, (w - picture->getWidth()) >> 1, 0, DGraphics::TOP | DGraphics::LEFT, 0);
    if (GameState::backImage) g->drawImage(GameState::backImage, w, 0, DGraphics::TOP | DGraphics::RIGHT, 0);
    return;
  }
  g->setColor(192, 192, 192);
  g->fillRect(0, 0, w, h);
  if (GameState::backImage)
    g->drawImage(GameState::backImage, w >> 1, h >> 1, DGraphics::HCENTER | DGraphics::VCENTER, 0);
}

}  // namespace nvx
