#include "gamelib/GameLib.h"
#include "gamelib/ImageManager.h"
#include "gamelib/LangInfo.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "nvx/src/state/MainCanvas.h"

namespace nvx {

using gamelib::GameLib;

void MainCanvas::init(const MainCanvasPtr& canvas) {
  instance = canvas;
  touchInput_ = qel::lang::DSystem::getIntProperty(u"input.touchscreen") != 0 ? 1 : 0;
  introShown = 0;
  enter(stateLanguage);
  languageIndex = gamelib::LangInfo::currentLanguage();
  if (gamelib::LangInfo::languageCount() >= 2) {
    layoutLanguageScreen();
  } else {
    pendingKey = selectKey;
    updateLanguageScreen();
    pendingKey = noKey;
  }
  guiImages = new gamelib::ImageManager();
  guiImages->load(u"img/gui");
  if (touchInput) {
    arrowUp = GameLib::loadImage(u"arrow_up");
    arrowDown = GameLib::loadImage(u"arrow_down");
    arrowLeft = GameLib::loadImage(u"arrow_left");
    arrowRight = GameLib::loadImage(u"arrow_right");
  }
  rateImage = GameLib::loadImage(u"rate");
  infoImage = GameLib::loadImage(u"info");
  clockStart_ = qel::lang::DSystem::currentTimeMillis(0);
}

}  // namespace nvx
