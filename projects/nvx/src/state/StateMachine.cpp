#include "nvx/src/state/StateMachine.h"

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/play/EnteringPlay.h"
#include "nvx/src/play/Keys.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/screens/BestResults.h"
#include "nvx/src/screens/LanguageScreen.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/screens/Overlays.h"
#include "nvx/src/screens/SplashScreen.h"
#include "nvx/src/screens/Ticker.h"
#include "nvx/src/state/GameHelpers.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/windows/GameDialogs.h"
#include "nvx/src/world/WorldRules.h"

namespace nvx {

using qel::lcdui::DGraphicsPtr;
using qel::lcdui::DImagePtr;

namespace {

// A splash picture that cannot be read leaves the field as it was.
void loadSplashPicture(DImagePtr& field, const char16_t* name) {
  try {
    if (DImagePtr picture = GameHelpers::imageByName(qel::lang::DStringPtr(name))) field = picture;
  } catch (qel::lang::DExceptionBase& e) {
    e.rethrowUnless(qel::lang::ExceptionCode::IO);
  }
}

void requireInstance() {
  if (!MainCanvas::instance) qel::lang::throwException(qel::lang::ExceptionCode::NullPointer);
}

}  // namespace

void StateMachine::paint(const DGraphicsPtr& g) {
  if (!g || GameState::gameState == stateShutDown || GameState::loadingPictures) return;
  switch (GameState::gameState) {
    case stateSplash: SplashScreen::paintSplash(g); break;
    case stateLevel:
      ViewScene::paintLevel(g);
      Overlays::paintHintBlink(g);
      break;
    case stateDialog: DialogWindow::paintDialog(backGraphics, g); break;
    case stateMapScreen:
      MapScreen::paintMapScreen(g);
      Overlays::paintHintBlink(g);
      break;
    case stateBestResults: BestResults::paintBestResults(g); break;
    case stateLanguage: LanguageScreen::paintLanguageScreen(g); break;
    default: break;
  }
  Ticker::paintTicker(g);
  paintWaitBox(g);
}

void StateMachine::update(int32_t key) {
  GameState::pendingKey = key;
  if (GameState::gameState == stateSplash) {
    splashKeys();
    return;
  }
  switch (GameState::gameState) {
    case stateLevel:
      LevelKeys::handleLevelKeys();
      if (!GameState::skipWorldLogic) WorldRules::stepVehicle();
      break;
    case stateDialog: DialogWindow::dialogStep(); break;
    case stateMapScreen: MapScreen::updateMapScreen(); break;
    case stateBestResults: BestResults::updateBestResults(); break;
    case stateLanguage: LanguageScreen::updateLanguageScreen(); break;
    default: break;
  }
}

void StateMachine::splashKeys() {
  GameState::pendingKey = GameState::noKey;
  if (GameState::splashStep == 5) ++GameState::splashStep;
}

void StateMachine::advanceSplash() {
  switch (GameState::splashStep) {
    case 1:
      loadSplashPicture(GameState::splashImage_, u"prov");
      GameState::halfSecondCount = 1;
      GameState::splashStep = 4;
      return;
    case 4:
      GameState::splashImage_.release();
      loadSplashPicture(GameState::splashImage_, u"logo2");
      loadSplashPicture(GameState::backImage_, u"title");
      GameState::halfSecondCount = 1;
      GameState::splashStep = 5;
      return;
    case 5:
      if (GameState::halfSecondCount > 1) {
        GameState::splashImage_.release();
      } else if (GameState::splashImage) {
        return;
      }
      GameState::backImage_.release();
      GameState::halfSecondCount = 1;
      break;
    case 6:
    case 8: SpriteDrawing::loadPicture((GameState::splashStep - 6) / 2); break;
    case 10:
      SpriteDrawing::loadPicture(2);
      layOutScreen();
      break;
    case 12:
    case 14:
    case 16:
    case 24: break;
    case 18:
      GameState::backImage_ = qel::lcdui::DImage::createImage(GameState::screenWidth, GameState::screenHeight);
      backGraphics_ = GameState::backImage->getGraphics();
      ViewScene::computeVisibleCells();
      break;
    case 20: LanguageTexts::loadLanguage(); break;
    case 22:
      requireInstance();
      SplashScreen::startupLoad(MainCanvas::instance);
      break;
    case titleMenusStep: afterSplash(); return;
    default: return;
  }
  ++GameState::splashStep;
}

void StateMachine::layOutScreen() {
  qel::lang::DshortArray2d& sprites = *GameTables::spriteTable;
  qel::lang::DshortArray& title = *sprites.at(SpriteRows::spriteTitle);
  auto* titlePicture =
      dynamic_cast<qel::lcdui::DImage*>(GameState::pictures ? GameState::pictures->at(2).get() : nullptr);
  if (titlePicture && GameState::viewWidth > 176) title.at(2) = static_cast<int16_t>(titlePicture->getWidth());
  const int32_t topBarHeight = sprites.at(SpriteRows::spriteTopBar)->at(3);
  GameState::layoutBottom_ = GameState::viewHeight - sprites.at(SpriteRows::spriteBottomBar)->at(3);
  GameState::layoutX_ = (GameState::viewWidth - title.at(2)) >> 1;
  const int32_t h = GameState::viewHeight == 220 ? 208 : GameState::viewHeight;
  GameState::layoutY_ = ((h - title.at(3) - topBarHeight) >> 1) + topBarHeight;
  if (GameState::viewHeight < 120) GameState::layoutY_ += 10;
  qel::lang::DintArray2d& places = *GameTables::mapPlaces;
  for (int32_t i = 0; i < places.length(); ++i) {
    places.at(i)->at(0) += GameState::layoutX;
    places.at(i)->at(1) += GameState::layoutY;
  }
  qel::lang::DshortArray2d& points = *GameTables::mapPoints;
  for (int32_t i = 0; i < points.length(); ++i) {
    points.at(i)->at(0) = static_cast<int16_t>(points.at(i)->at(0) + GameState::layoutX);
    points.at(i)->at(1) = static_cast<int16_t>(points.at(i)->at(1) + GameState::layoutY);
  }
  GameState::mapPlace = 0;
  GameState::cursorTargetX = places.at(0)->at(GameState::placeXColumn);
  GameState::cursorTargetY = places.at(GameState::mapPlace)->at(GameState::placeYColumn);
}

void StateMachine::afterSplash() {
  GameState::splashImage_.release();
  if (!GameState::introShown) {
    GameDialogs::showStartQuestion();
    GameState::introShown = 1;
  } else if (!GameState::optionsMissing) {
    GameDialogs::showMainMenu();
  } else {
    BestResults::resetBestResults();
    GameDialogs::showInfoText();
    GameState::optionsMissing = 0;
  }
}

void StateMachine::runPendingTransition() {
  if (!GameState::transitionArmed) return;
  GameState::transitionArmed_ = 0;
  const uint8_t transition = GameState::pendingTransition;
  GameState::pendingTransition = 0;
  switch (transition) {
    case 1: EnteringPlay::setUpLevel(); break;
    case 2: EnteringPlay::enterPlanning(); break;
    case 3:
      requireInstance();
      MapScreen::enterMapScreen();
      break;
    case 4:
      GameState::winnerRow = -1;
      BestResults::enterBestResults();
      break;
    default: break;
  }
}

bool StateMachine::readyForNotice() {
  if (GameState::pendingTransition) return false;
  switch (GameState::gameState) {
    case stateSplash: return GameState::splashStep == titleMenusStep;
    case stateDialog:
      return GameState::dialogReturnState == stateSplash && DialogWindow::dialogId == GameDialogs::mainMenuId;
    case stateLevel:
    case stateMapScreen: return true;
    default: return false;
  }
}

void StateMachine::enter(uint8_t state) { GameState::gameState_ = state; }

void StateMachine::enterDialog() {
  KeyInput::clearHotZones();
  if (GameState::gameState != stateDialog) GameState::dialogReturnState_ = GameState::gameState;
  if (GameState::gameState != stateDialog) DialogWindow::backdropPending = 1;
  DialogWindow::prepareDialog(0);
  enter(stateDialog);
  GameState::tickerText.release();
}

void StateMachine::paintWaitBox(const DGraphicsPtr& g) {
  if (!GameState::pendingTransition) return;
  qel::lang::DshortArrayPtr text = LanguageTexts::getText(waitText);
  const int32_t textWidth = GameState::textCharWidth * text->length();
  const int32_t left = GameState::viewWidth / 2 - textWidth / 2 - 8;
  const int32_t top = GameState::viewHeight / 2 - GameState::textLineHeight / 2 - 4;
  SpriteDrawing::drawButtonBox(g, left, top, textWidth + 16, GameState::textLineHeight + 8, true, waitBoxColour);
  BitmapText::drawText(g, text, left + 8, top + 4);
  GameState::transitionArmed_ = 1;
}

}  // namespace nvx
