#include <cstdlib>

#include "lang/DShort.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/raster/RasterSurface.h"
#include "nvx/src/screens/SplashScreen.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/windows/DialogWindow.h"

namespace nvx {

using qel::lang::DbyteArray;
using qel::lang::DbyteArrayPtr;
using qel::lcdui::DGraphics;
using qel::lcdui::DGraphicsPtr;

namespace {

constexpr int32_t selectedBarColour = 0xFFFFFF;
constexpr int32_t barColour = 0x736D65;
constexpr int32_t barFillColour = 0x63767B;
constexpr int32_t separatorColour = 0x848484;
constexpr int32_t effectsLabel = 281;
constexpr int32_t musicLabel = 282;
constexpr int32_t checkBoxShift = 3;

int32_t frameWidth(int32_t set) { return GameTables::spriteTable->at(set)->at(2); }
int32_t frameHeight(int32_t set) { return GameTables::spriteTable->at(set)->at(3); }

void clipToScreen(const DGraphicsPtr& g) { g->setClip(0, 0, GameState::screenWidth, GameState::screenHeight); }

void copyPicture(const DGraphicsPtr& to, const DGraphicsPtr& from) {
  clipToScreen(to);
  to->surface().drawSurface(0, 0, from->surface(), nullptr, qel::raster::RT_NONE);
}

// Where a text line of the font sits in a line of height h.
int32_t textTop(int32_t top, int32_t h) { return top + (h - GameState::textLineHeight) / 2; }

void paintValueBar(const DGraphicsPtr& g, int32_t item, int32_t lineTop) {
  using W = DialogWindow;
  clipToScreen(g);
  g->setColor(static_cast<uint32_t>(item == W::selection ? selectedBarColour : barColour));
  g->drawRect(W::contentX - 1, lineTop - 1, W::contentWidth, W::lineHeight - 3);
  g->setColor(static_cast<uint32_t>(barFillColour));
  g->fillRect(
      W::contentX + 1, lineTop + 1, (W::contentWidth - 4) * W::itemValue(item) / W::valueSteps, W::lineHeight - 7);
}

void paintItem(const DGraphicsPtr& g, int32_t item, int32_t top, int32_t height) {
  using W = DialogWindow;
  const int32_t left = W::windowX + W::leftInset;
  const int32_t checkWidth = W::hasToggles ? frameWidth(W::checkBoxSprite) + checkBoxShift : 0;
  int32_t textX = W::contentX;
  if (W::itemIcons) {
    if (DbyteArrayPtr icon = qel::lang::dynamicPtrCast<DbyteArray>(W::itemIcons->at(item))) {
      // A plain list draws room-object pictures as their outline shapes; other sets (the jail
      // list's person icons) have no shape and show their frame.
      if (W::plainList && icon->at(0) == W::objectIconSprite)
        SpriteDrawing::drawShape(g, icon->at(1), 1, left + checkWidth, top, 0);
      else
        SpriteDrawing::drawSpriteFrame(g, icon->at(0), icon->at(1), left + checkWidth, top);
    } else {
      textX -= (W::itemPictureWidth() + W::iconGap) / 2;
    }
  }
  const int32_t id = W::itemIds->at(item);
  if (W::hasToggles && id >= 0) {
    const int32_t checkTop = W::itemLines->at(item) == 1 && W::touchRowHeight
                                 ? top + (height - frameHeight(W::checkBoxSprite)) / 2
                                 : top + 1;
    SpriteDrawing::drawSpriteFrame(g, W::checkBoxSprite, W::itemToggles->at(item) ? 1 : 0, left, checkTop);
  }
  if (id < 0) {
    BitmapText::drawText(
        g, LanguageTexts::getText(id == -2 ? effectsLabel : musicLabel), textX, textTop(top, W::lineHeight));
    paintValueBar(g, item, top + W::lineHeight);
    return;
  }
  qel::lang::DshortArrayPtr text = W::getItemText(item);
  if (text->length() < W::wrapChars && W::dialogKind != W::kindOptions)
    textX += (W::contentWidth - text->length() * GameState::textCharWidth) / 2;
  if (W::itemLines->at(item) == 1)
    BitmapText::drawText(g, text, textX, textTop(top, height));
  else
    BitmapText::drawWrapped(
        g, text, 0, textX, textTop(top, W::lineHeight), W::wrapChars, W::itemLines->at(item), W::lineHeight);
}

void paintMenuArrows(const DGraphicsPtr& g, int32_t top, int32_t height) {
  using W = DialogWindow;
  const int32_t arrowWidth = frameWidth(W::listArrowSprite);
  const int32_t d = std::abs(12 - FrameClock::clockPhase);
  const int32_t rowWidth = W::contentWidth + (W::scrolls ? 0 : 3);
  const int32_t y = top + (height - frameHeight(W::listArrowSprite)) / 2 - 4;
  SpriteDrawing::drawSpriteFrame(g, W::listArrowSprite, 0, W::contentX - 2 * arrowWidth + d, y);
  SpriteDrawing::drawSpriteFrame(g, W::listArrowSprite, 0, W::contentX + rowWidth + arrowWidth / 2 - d, y);
}

}  // namespace

void DialogWindow::paintDialog(const DGraphicsPtr& back, const DGraphicsPtr& g) {
  if (!ready || !g) return;
  GameState::mapPainting = 1;
  if (back) {
    if (GameState::dialogReturnState == StateMachine::stateSplash) {
      SplashScreen::paintSplash(back);
    } else if (backdropPending) {
      copyPicture(back, g);
    }
    backdropPending = 0;
    copyPicture(g, back);
  }
  g->setColor(0u);
  if (!noFrame) {
    paintWindowFrame(g, windowX, windowY, windowWidth, windowHeight, border, titleHeight, true);
    BitmapText::drawText(g, titleText, titleTextX, titleTextY);
    if (titleIcons) {
      if (titleIcons->length() == 3)
        SpriteDrawing::drawSpriteFrame(g, titleIcons->at(0), titleIcons->at(2), titleIconX, titleIconY);
      SpriteDrawing::drawSpriteFrame(g, titleIcons->at(0), titleIcons->at(1), titleIconX, titleIconY);
    }
  }
  clipToScreen(g);
  g->setColor(0u);
  if (dialogKind == kindText)
    paintTextWindow(g);
  else
    paintListWindow(g);
  clipToScreen(g);
  if (dialogId == frameLessMenu && GameState::rateImage)
    g->drawImage(GameState::rateImage, GameState::screenWidth, 0, DGraphics::TOP | DGraphics::RIGHT, 0);
  if (dialogId != frameLessMenu) paintSoftKeyBar(g);
  clipToScreen(g);
  GameState::mapPainting = 0;
}

void DialogWindow::paintTextWindow(const DGraphicsPtr& g) {
  if (scrolls) paintScrollBar(g, visibleLines, selection);
  BitmapText::drawWrapped(
      g, bodyText, selection, contentX, textTop(contentY, lineHeight), wrapChars, visibleLines, lineHeight);
  dialogDirty_ = 0;
  if (scrolls) paintWindowScrollArrows(g, visibleLines, selection);
}

void DialogWindow::paintListWindow(const DGraphicsPtr& g) {
  clipToScreen(g);
  const int32_t first = firstShownItem();
  if (scrolls) paintScrollBar(g, pageItems, first);
  int32_t top = contentY;
  int32_t selectedTop = -1, selectedHeight = 0;
  for (int32_t i = first; i < first + pageItems; ++i) {
    const int32_t height = itemRowHeight(i);
    if (plainList && i > first) {
      g->setClip(windowX, windowY, windowWidth, windowHeight);
      g->setColor(static_cast<uint32_t>(separatorColour));
      g->drawLine(windowX + border + 1, top - 1, windowX + windowWidth - border - 2, top - 1);
    }
    paintItem(g, i, top, height);
    if (i == selection) {
      selectedTop = top;
      selectedHeight = height;
    }
    top += height;
  }
  clipToScreen(g);
  dialogDirty_ = 0;
  if (scrolls) paintWindowScrollArrows(g, pageItems, first);
  if (selectedTop < 0) return;
  if (dialogId == frameLessMenu) {
    paintMenuArrows(g, selectedTop, selectedHeight);
  } else if (!plainList) {
    const int32_t grey = pulseGrey();
    SpriteDrawing::drawBevelBox(g, contentX - 2, selectedTop, contentWidth + 4, selectedHeight, false, -1, grey, grey);
  }
  clipToScreen(g);
}

}  // namespace nvx
