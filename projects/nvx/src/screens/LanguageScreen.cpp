#include "nvx/src/screens/LanguageScreen.h"

#include <algorithm>
#include <cstdlib>

#include "gamelib/LangInfo.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/StringManager.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/windows/DialogWindow.h"

namespace nvx {

using gamelib::LangInfo;
using gamelib::ScreenCanvas;
using qel::lang::DStringPtr;
using qel::lcdui::DGraphics;
using qel::lcdui::DGraphicsPtr;
using qel::lcdui::DImagePtr;

namespace {

// The name every language's alphabet picture is built from.
constexpr const char16_t* alphabetPicture = u"abc";

int32_t flagWidth(int32_t i) {
  const DImagePtr flag = LangInfo::languageFlag(i);
  return flag ? flag->getWidth() : 0;
}

}  // namespace

void LanguageScreen::layoutLanguageScreen() {
  const int32_t font = ScreenCanvas::getFontHeight();
  const int32_t n = LangInfo::languageCount();
  const int32_t w = ScreenCanvas::screenWidth, h = ScreenCanvas::screenHeight;
  GameState::langRowHeight_ = font + 6;
  const DImagePtr firstFlag = n > 0 ? LangInfo::languageFlag(0) : DImagePtr();
  if (firstFlag && firstFlag->getHeight() >= font) GameState::langRowHeight_ = firstFlag->getHeight() + 6;
  if (GameState::touchInput) GameState::langRowHeight_ = GameState::langRowHeight * 5 / 3;
  GameState::langTitleHeight_ = font + 2;
  GameState::langMargin_ = h < 241 ? 3 : 4;
  GameState::langPanelWidth_ = w < 241 ? w * 3 / 4 : w / 2;
  GameState::langPanelHeight_ = std::max(h / 2, n * GameState::langRowHeight + 10) + GameState::langTitleHeight;
  GameState::langPanelX_ = (w - GameState::langPanelWidth) / 2;
  GameState::langPanelY_ = (h - GameState::langPanelHeight) / 2;
  GameState::langListTop_ =
      GameState::langPanelY +
      ((GameState::langPanelHeight - n * GameState::langRowHeight) + GameState::langTitleHeight) / 2;
  GameState::langRowWidth_ = GameState::langPanelWidth - 4 * GameState::langMargin;
  GameState::langRowX_ = GameState::langPanelX + 2 * GameState::langMargin;
  GameState::langNameWidth_ = 0;
  for (int32_t i = 0; i < n; ++i)
    GameState::langNameWidth_ =
        std::max(GameState::langNameWidth, ScreenCanvas::stringWidth(LangInfo::languageName(i)));
}

void LanguageScreen::paintLanguageScreen(const DGraphicsPtr& g) {
  const int32_t w = ScreenCanvas::screenWidth, h = ScreenCanvas::screenHeight;
  g->setColor(0x000000u);
  g->fillRect(0, 0, w, h);
  DialogWindow::paintWindowFrame(g,
                                 GameState::langPanelX,
                                 GameState::langPanelY,
                                 GameState::langPanelWidth,
                                 GameState::langPanelHeight,
                                 GameState::langMargin,
                                 GameState::langTitleHeight,
                                 false);
  const int32_t grey = std::abs(12 - GameState::pulsePhase) * 510 / 24 * 0x010101;
  SpriteDrawing::drawBevelBox(g,
                              GameState::langRowX,
                              GameState::langListTop + GameState::languageIndex * GameState::langRowHeight,
                              GameState::langRowWidth,
                              GameState::langRowHeight,
                              false,
                              highlightFill,
                              grey,
                              grey);
  g->setClip(0, 0, w, h);
  const int32_t n = LangInfo::languageCount();
  const int32_t w0 = n > 0 ? flagWidth(0) : 0;
  const int32_t gap = w0 + (w0 >> 1);
  const int32_t x = GameState::langRowX + (((GameState::langRowWidth - GameState::langNameWidth) - gap) >> 1);
  for (int32_t i = 0; i < n; ++i) {
    const int32_t y = GameState::langListTop + i * GameState::langRowHeight + (GameState::langRowHeight >> 1);
    if (const DImagePtr flag = LangInfo::languageFlag(i))
      g->drawImage(flag, x, y, DGraphics::LEFT | DGraphics::VCENTER, 0);
    ScreenCanvas::drawString(g, LangInfo::languageName(i), x + gap, y - 1, DGraphics::LEFT | DGraphics::VCENTER);
  }
}

void LanguageScreen::updateLanguageScreen() {
  const int32_t n = LangInfo::languageCount();
  switch (KeyInput::keyAction(GameState::pendingKey)) {
    case KeyInput::actionUp:
      if (--GameState::languageIndex < 0) GameState::languageIndex = n - 1;
      break;
    case KeyInput::actionDown:
      if (++GameState::languageIndex >= n) GameState::languageIndex = 0;
      break;
    case KeyInput::actionSelect: applyLanguage(); break;
    default: break;
  }
}

void LanguageScreen::applyLanguage() {
  if (GameState::languageIndex < 0 || GameState::languageIndex >= LangInfo::languageCount())
    GameState::languageIndex = 0;
  const int32_t index = GameState::languageIndex;
  LangInfo::selectLanguage(index);
  const DStringPtr id = LangInfo::languageId(index);
  GameTables::pictureNames[0] = DStringPtr(alphabetPicture) + u"_" + id;
  StateMachine::enter(StateMachine::stateSplash);
  GameState::saveOnExit = 1;
  GameState::texts = new gamelib::StringManager(false);
  GameState::texts->load(DStringPtr(u"res_") + id + u".dat", gamelib::StringManager::RecordLines, true);
}

int32_t LanguageScreen::languageRowAt(int32_t x, int32_t y) {
  if (x < GameState::langRowX || x >= GameState::langRowX + GameState::langRowWidth || GameState::langRowHeight <= 0)
    return -1;
  const int32_t row = (y - GameState::langListTop) / GameState::langRowHeight;
  return row >= 0 && row < LangInfo::languageCount() ? row : -1;
}

}  // namespace nvx
