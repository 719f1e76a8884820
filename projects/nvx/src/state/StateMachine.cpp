#include "nvx/src/state/StateMachine.h"

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
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
  switch (MainCanvas::gameState) {
    case stateSplash: MainCanvas::paintSplash(g); break;
    case stateLevel:
      MainCanvas::paintLevel(g);
      MainCanvas::paintHintBlink(g);
      break;
    case stateDialog: MainCanvas::paintDialog(backGraphics, g); break;
    case stateMapScreen:
      MainCanvas::paintMapScreen(g);
      MainCanvas::paintHintBlink(g);
      break;
    case stateBestResults: MainCanvas::paintBestResults(g); break;
    case stateLanguage: MainCanvas::paintLanguageScreen(g); break;
    default: break;
  }
  MainCanvas::paintTicker(g);
  paintWaitBox(g);
}

void StateMachine::update(int32_t key) {
  MainCanvas::pendingKey = key;
  if (MainCanvas::gameState == stateSplash) {
    splashKeys();
    return;
  }
  switch (MainCanvas::gameState) {
    case stateLevel:
      MainCanvas::handleLevelKeys();
      if (!MainCanvas::skipWorldLogic) MainCanvas::stepVehicle();
      break;
    case stateDialog: MainCanvas::dialogStep(); break;
    case stateMapScreen: MainCanvas::updateMapScreen(); break;
    case stateBestResults: MainCanvas::updateBestResults(); break;
    case stateLanguage: MainCanvas::updateLanguageScreen(); break;
    default: break;
  }
}

void StateMachine::splashKeys() {
  MainCanvas::pendingKey = MainCanvas::noKey;
  if (MainCanvas::splashStep == 5) ++MainCanvas::splashStep;
}

void StateMachine::advanceSplash() {
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
      MainCanvas::computeVisibleCells();
      break;
    case 20: MainCanvas::loadLanguage(); break;
    case 22:
      requireInstance();
      MainCanvas::startupLoad(MainCanvas::instance);
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
  if (!MainCanvas::introShown) {
    MainCanvas::showStartQuestion();
    MainCanvas::introShown = 1;
  } else if (!MainCanvas::optionsMissing) {
    MainCanvas::showMainMenu();
  } else {
    MainCanvas::resetBestResults();
    MainCanvas::showInfoText();
    MainCanvas::optionsMissing = 0;
  }
}

void StateMachine::runPendingTransition() {
  if (!MainCanvas::transitionArmed) return;
  MainCanvas::transitionArmed = 0;
  const uint8_t transition = MainCanvas::pendingTransition;
  MainCanvas::pendingTransition = 0;
  switch (transition) {
    case 1: MainCanvas::setUpLevel(); break;
    case 2: MainCanvas::enterPlanning(); break;
    case 3:
      requireInstance();
      MainCanvas::enterMapScreen();
      break;
    case 4:
      MainCanvas::winnerRow = -1;
      MainCanvas::enterBestResults();
      break;
    default: break;
  }
}

void StateMachine::enter(uint8_t state) { MainCanvas::gameState = state; }

void StateMachine::enterDialog() {
  MainCanvas::clearHotZones();
  if (MainCanvas::gameState != stateDialog) MainCanvas::dialogReturnState = MainCanvas::gameState;
  if (MainCanvas::gameState != stateDialog) MainCanvas::backdropPending = 1;
  MainCanvas::prepareDialog(0);
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
