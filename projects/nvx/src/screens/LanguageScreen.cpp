#include "nvx/src/screens/LanguageScreen.h"

#include <algorithm>
#include <cstdlib>

#include "gamelib/LangInfo.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/StringManager.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/MainCanvas.h"

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
  MainCanvas::langRowHeight = font + 6;
  const DImagePtr firstFlag = n > 0 ? LangInfo::languageFlag(0) : DImagePtr();
  if (firstFlag && firstFlag->getHeight() >= font) MainCanvas::langRowHeight = firstFlag->getHeight() + 6;
  if (MainCanvas::touchInput) MainCanvas::langRowHeight = MainCanvas::langRowHeight * 5 / 3;
  MainCanvas::langTitleHeight = font + 2;
  MainCanvas::langMargin = h < 241 ? 3 : 4;
  MainCanvas::langPanelWidth = w < 241 ? w * 3 / 4 : w / 2;
  MainCanvas::langPanelHeight = std::max(h / 2, n * MainCanvas::langRowHeight + 10) + MainCanvas::langTitleHeight;
  MainCanvas::langPanelX = (w - MainCanvas::langPanelWidth) / 2;
  MainCanvas::langPanelY = (h - MainCanvas::langPanelHeight) / 2;
  MainCanvas::langListTop =
      MainCanvas::langPanelY +
      ((MainCanvas::langPanelHeight - n * MainCanvas::langRowHeight) + MainCanvas::langTitleHeight) / 2;
  MainCanvas::langRowWidth = MainCanvas::langPanelWidth - 4 * MainCanvas::langMargin;
  MainCanvas::langRowX = MainCanvas::langPanelX + 2 * MainCanvas::langMargin;
  MainCanvas::langNameWidth = 0;
  for (int32_t i = 0; i < n; ++i)
    MainCanvas::langNameWidth =
        std::max(MainCanvas::langNameWidth, ScreenCanvas::stringWidth(LangInfo::languageName(i)));
}

void LanguageScreen::paintLanguageScreen(const DGraphicsPtr& g) {
  const int32_t w = ScreenCanvas::screenWidth, h = ScreenCanvas::screenHeight;
  g->setColor(0x000000u);
  g->fillRect(0, 0, w, h);
  MainCanvas::paintWindowFrame(g,
                               MainCanvas::langPanelX,
                               MainCanvas::langPanelY,
                               MainCanvas::langPanelWidth,
                               MainCanvas::langPanelHeight,
                               MainCanvas::langMargin,
                               MainCanvas::langTitleHeight,
                               false);
  const int32_t grey = std::abs(12 - MainCanvas::pulsePhase) * 510 / 24 * 0x010101;
  MainCanvas::drawBevelBox(g,
                           MainCanvas::langRowX,
                           MainCanvas::langListTop + MainCanvas::languageIndex * MainCanvas::langRowHeight,
                           MainCanvas::langRowWidth,
                           MainCanvas::langRowHeight,
                           false,
                           highlightFill,
                           grey,
                           grey);
  g->setClip(0, 0, w, h);
  const int32_t n = LangInfo::languageCount();
  const int32_t w0 = n > 0 ? flagWidth(0) : 0;
  const int32_t gap = w0 + (w0 >> 1);
  const int32_t x = MainCanvas::langRowX + (((MainCanvas::langRowWidth - MainCanvas::langNameWidth) - gap) >> 1);
  for (int32_t i = 0; i < n; ++i) {
    const int32_t y = MainCanvas::langListTop + i * MainCanvas::langRowHeight + (MainCanvas::langRowHeight >> 1);
    if (const DImagePtr flag = LangInfo::languageFlag(i))
      g->drawImage(flag, x, y, DGraphics::LEFT | DGraphics::VCENTER, 0);
    ScreenCanvas::drawString(g, LangInfo::languageName(i), x + gap, y - 1, DGraphics::LEFT | DGraphics::VCENTER);
  }
}

void LanguageScreen::updateLanguageScreen() {
  const int32_t n = LangInfo::languageCount();
  switch (MainCanvas::keyAction(MainCanvas::pendingKey)) {
    case MainCanvas::actionUp:
      if (--MainCanvas::languageIndex < 0) MainCanvas::languageIndex = n - 1;
      break;
    case MainCanvas::actionDown:
      if (++MainCanvas::languageIndex >= n) MainCanvas::languageIndex = 0;
      break;
    case MainCanvas::actionSelect: applyLanguage(); break;
    default: break;
  }
}

void LanguageScreen::applyLanguage() {
  if (MainCanvas::languageIndex < 0 || MainCanvas::languageIndex >= LangInfo::languageCount())
    MainCanvas::languageIndex = 0;
  const int32_t index = MainCanvas::languageIndex;
  LangInfo::selectLanguage(index);
  const DStringPtr id = LangInfo::languageId(index);
  MainCanvas::pictureNames[0] = DStringPtr(alphabetPicture) + u"_" + id;
  MainCanvas::enter(MainCanvas::stateSplash);
  MainCanvas::saveOnExit = 1;
  MainCanvas::texts = new gamelib::StringManager(false);
  MainCanvas::texts->load(DStringPtr(u"res_") + id + u".dat", gamelib::StringManager::RecordLines, true);
}

int32_t LanguageScreen::languageRowAt(int32_t x, int32_t y) {
  if (x < MainCanvas::langRowX || x >= MainCanvas::langRowX + MainCanvas::langRowWidth ||
      MainCanvas::langRowHeight <= 0)
    return -1;
  const int32_t row = (y - MainCanvas::langListTop) / MainCanvas::langRowHeight;
  return row >= 0 && row < LangInfo::languageCount() ? row : -1;
}

}  // namespace nvx
