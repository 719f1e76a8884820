#include "nvx/src/state/NightvaultGame.h"

#include "gamelib/GameLib.h"
#include "nvx/src/screens/SplashScreen.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/store/GameStore.h"

namespace nvx {

namespace {

gamelib::GamePtr makeGame() { return new NightvaultGame(); }

}  // namespace

void NightvaultGame::registerWithGameLib() { gamelib::GameLib::registerGame(&makeGame); }

void NightvaultGame::initStatics() {
  MainCanvas::initStatics();
  tables_.mapPlaces = GameTables::mapPlaces;
  tables_.mapPoints = GameTables::mapPoints;
  tables_.spriteTable = GameTables::spriteTable;
  tables_.shortRows = GameTables::resShortRows;
}

// The layout bytes in the order of "res.dat".
gamelib::ResTables& NightvaultGame::layoutTables() {
  const int8_t bytes[] = {GameState::barButtonX,
                          GameState::barButtonY,
                          static_cast<int8_t>(GameState::cellSize),
                          GameState::overlayAX,
                          GameState::overlayAY,
                          GameState::overlayBX,
                          GameState::overlayBY,
                          GameState::textCharWidth,
                          GameState::textLineHeight};
  static_assert(sizeof bytes == gamelib::ResTables::LayoutByteCount);
  for (int i = 0; i < gamelib::ResTables::LayoutByteCount; ++i) tables_.layoutBytes[i] = bytes[i];
  return tables_;
}

void NightvaultGame::setDerivedLayout(int32_t cursorOffsetY, int32_t layoutValue2, int32_t layoutValue3) {
  const int8_t* b = tables_.layoutBytes;
  GameState::barButtonX_ = b[0];
  GameState::barButtonY_ = b[1];
  GameState::cellSize_ = b[2];
  GameState::overlayAX_ = b[3];
  GameState::overlayAY_ = b[4];
  GameState::overlayBX_ = b[5];
  GameState::overlayBY_ = b[6];
  GameState::textCharWidth_ = b[7];
  GameState::textLineHeight_ = b[8];
  GameState::cursorOffsetY_ = cursorOffsetY;
  GameState::layoutValue2_ = layoutValue2;
  GameState::layoutValue3_ = layoutValue3;
}

void NightvaultGame::init() { MainCanvas::init(new MainCanvas()); }

void NightvaultGame::step() { FrameClock::step(); }

void NightvaultGame::paint(qel::lcdui::DGraphicsPtr g) { StateMachine::paint(g); }

void NightvaultGame::onPause() { SplashScreen::onPause(); }

bool NightvaultGame::saveOnExit() { return GameState::saveOnExit != 0; }

void NightvaultGame::saveLevelState() { GameStore::saveLevelState(); }

void NightvaultGame::shutdown() { SplashScreen::shutdown(); }

void NightvaultGame::releaseStatics() {
  StateMachine::backGraphics_.release();
  MainCanvas::releaseStatics();
  tables_ = gamelib::ResTables();
}

}  // namespace nvx
