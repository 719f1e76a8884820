#include "nvx/src/state/StateMachine.h"

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/state/GameScreens.h"
#include "nvx/src/state/MainCanvas.h"

namespace nvx {

using qel::lcdui::DGraphicsPtr;
using qel::lcdui::DImagePtr;

namespace {

// A splash picture that cannot be read leaves the field as it was.
void loadSplashPicture(DImagePtr& field, const char16_t* name) {
  try {
    if (DImagePtr picture = MainCanvas::imageByName(qel::lang::DStringPtr(name))) field = picture;
  } catch (qel::lang::DExceptionBase& e) {
    e.rethrowUnless(qel::lang::ExceptionCode::IO);
  }
}

void requireInstance() {
  if (!MainCanvas::instance) qel::lang::throwException(qel::lang::ExceptionCode::NullPointer);
}

}  // namespace

void StateMachine::paint(const DGraphicsPtr& g) {
  if (!g || MainCanvas::gameState == stateShutDown || MainCanvas::loadingPictures) return;
  GameScreens* screens = GameScreens::current();
  if (screens) {
    switch (MainCanvas::gameState) {
      case stateSplash: screens->paintSplash(g); break;
      case stateLevel:
        screens->paintLevel(g);
        screens->paintHintOverlay(g);
        break;
      case stateDialog: screens->paintDialog(backGraphics, g); break;
      case stateMapScreen:
        screens->paintMapScreen(g);
        screens->paintHintOverlay(g);
        break;
      case stateBestResults: screens->paintBestResults(g); break;
      case stateLanguage: screens->paintLanguageScreen(g); break;
      default: break;
    }
    screens->paintTicker(g);
  }
  paintWaitBox(g);
}

void StateMachine::update(int32_t key) {
  MainCanvas::pendingKey = key;
  if (MainCanvas::gameState == stateSplash) {
    splashKeys();
    return;
  }
  GameScreens* screens = GameScreens::current();
  if (!screens) return;
  switch (MainCanvas::gameState) {
    case stateLevel:
      screens->levelKeys();
      if (!MainCanvas::skipWorldLogic) screens->levelLogic();
      break;
    case stateDialog: screens->dialogKeys(); break;
    case stateMapScreen: screens->updateMapScreen(); break;
    case stateBestResults: screens->updateBestResults(); break;
    case stateLanguage: screens->updateLanguageScreen(); break;
    default: break;
  }
}

void StateMachine::splashKeys() {
  MainCanvas::pendingKey = MainCanvas::noKey;
  if (MainCanvas::splashStep == 5) ++MainCanvas::splashStep;
}

void StateMachine::advanceSplash() {
  GameScreens* screens = GameScreens::current();
  switch (MainCanvas::splashStep) {
    case 1:
      loadSplashPicture(MainCanvas::splashImage, u"prov");
      MainCanvas::halfSecondCount = 1;
      MainCanvas::splashStep = 4;
      return;
    case 4:
      MainCanvas::splashImage.release();
      loadSplashPicture(MainCanvas::splashImage, u"logo2");
      loadSplashPicture(MainCanvas::backImage, u"title");
      MainCanvas::halfSecondCount = 1;
      MainCanvas::splashStep = 5;
      return;
    case 5:
      if (MainCanvas::halfSecondCount > 1) {
        MainCanvas::splashImage.release();
      } else if (MainCanvas::splashImage) {
        return;
      }
      MainCanvas::backImage.release();
      MainCanvas::halfSecondCount = 1;
      break;
    case 6:
    case 8: MainCanvas::loadPicture((MainCanvas::splashStep - 6) / 2); break;
    case 10:
      MainCanvas::loadPicture(2);
      layOutScreen();
      break;
    case 12:
    case 14:
    case 16:
    case 24: break;
    case 18:
      MainCanvas::backImage = qel::lcdui::DImage::createImage(MainCanvas::screenWidth, MainCanvas::screenHeight);
      backGraphics = MainCanvas::backImage->getGraphics();
      if (screens) screens->initMapScale();
      break;
    case 20: MainCanvas::loadLanguage(); break;
    case 22:
      requireInstance();
      if (screens) screens->loadAtStartUp();
      break;
    case 26: afterSplash(); return;
    default: return;
  }
  ++MainCanvas::splashStep;
}

void StateMachine::layOutScreen() {
  qel::lang::DshortArray2d& sprites = *MainCanvas::spriteTable;
  qel::lang::DshortArray& title = *sprites.at(MainCanvas::spriteTitle);
  auto* titlePicture =
      dynamic_cast<qel::lcdui::DImage*>(MainCanvas::pictures ? MainCanvas::pictures->at(2).get() : nullptr);
  if (titlePicture && MainCanvas::viewWidth > 176) title.at(2) = static_cast<int16_t>(titlePicture->getWidth());
  const int32_t topBarHeight = sprites.at(MainCanvas::spriteTopBar)->at(3);
  MainCanvas::layoutBottom = MainCanvas::viewHeight - sprites.at(MainCanvas::spriteBottomBar)->at(3);
  MainCanvas::layoutX = (MainCanvas::viewWidth - title.at(2)) >> 1;
  const int32_t h = MainCanvas::viewHeight == 220 ? 208 : MainCanvas::viewHeight;
  MainCanvas::layoutY = ((h - title.at(3) - topBarHeight) >> 1) + topBarHeight;
  if (MainCanvas::viewHeight < 120) MainCanvas::layoutY += 10;
  qel::lang::DintArray2d& places = *MainCanvas::mapPlaces;
  for (int32_t i = 0; i < places.length(); ++i) {
    places.at(i)->at(0) += MainCanvas::layoutX;
    places.at(i)->at(1) += MainCanvas::layoutY;
  }
  qel::lang::DshortArray2d& points = *MainCanvas::mapPoints;
  for (int32_t i = 0; i < points.length(); ++i) {
    points.at(i)->at(0) = static_cast<int16_t>(points.at(i)->at(0) + MainCanvas::layoutX);
    points.at(i)->at(1) = static_cast<int16_t>(points.at(i)->at(1) + MainCanvas::layoutY);
  }
  MainCanvas::mapPlace = 0;
  MainCanvas::cursorTargetX = places.at(0)->at(MainCanvas::placeXColumn);
  MainCanvas::cursorTargetY = places.at(MainCanvas::mapPlace)->at(MainCanvas::placeYColumn);
}

void StateMachine::afterSplash() {
  MainCanvas::splashImage.release();
  GameScreens* screens = GameScreens::current();
  if (!MainCanvas::introShown) {
    if (screens) screens->openStartUpDialog();
    MainCanvas::introShown = 1;
  } else if (!MainCanvas::optionsMissing) {
    if (screens) screens->openMainMenu();
  } else {
    if (screens) screens->openFirstRunInfo();
    MainCanvas::optionsMissing = 0;
  }
}

void StateMachine::runPendingTransition() {
  if (!MainCanvas::transitionArmed) return;
  MainCanvas::transitionArmed = 0;
  const uint8_t transition = MainCanvas::pendingTransition;
  MainCanvas::pendingTransition = 0;
  GameScreens* screens = GameScreens::current();
  switch (transition) {
    case 1:
      if (screens) screens->setUpLevel();
      break;
    case 2:
      if (screens) screens->enterPlanning();
      break;
    case 3:
      requireInstance();
      if (screens) screens->enterMapScreen();
      break;
    case 4:
      MainCanvas::winnerRow = -1;
      if (screens) screens->enterBestResults();
      break;
    default: break;
  }
}

void StateMachine::enter(uint8_t state) { MainCanvas::gameState = state; }

void StateMachine::enterDialog() {
  MainCanvas::clearHotZones();
  if (MainCanvas::gameState != stateDialog) MainCanvas::dialogReturnState = MainCanvas::gameState;
  if (GameScreens* screens = GameScreens::current()) screens->layoutDialog();
  enter(stateDialog);
  MainCanvas::tickerText.release();
}

void StateMachine::paintWaitBox(const DGraphicsPtr& g) {
  if (!MainCanvas::pendingTransition) return;
  qel::lang::DshortArrayPtr text = MainCanvas::getText(waitText);
  const int32_t textWidth = MainCanvas::textCharWidth * text->length();
  const int32_t left = MainCanvas::viewWidth / 2 - textWidth / 2 - 8;
  const int32_t top = MainCanvas::viewHeight / 2 - MainCanvas::textLineHeight / 2 - 4;
  MainCanvas::drawButtonBox(g, left, top, textWidth + 16, MainCanvas::textLineHeight + 8, true, waitBoxColour);
  MainCanvas::drawText(g, text, left + 8, top + 4);
  MainCanvas::transitionArmed = 1;
}

}  // namespace nvx
