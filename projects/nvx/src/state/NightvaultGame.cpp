#include "nvx/src/state/NightvaultGame.h"

#include "gamelib/GameLib.h"
#include "nvx/src/state/MainCanvas.h"

namespace nvx {

namespace {

gamelib::GamePtr makeGame() { return new NightvaultGame(); }

}  // namespace

void NightvaultGame::registerWithGameLib() { gamelib::GameLib::registerGame(&makeGame); }

void NightvaultGame::initStatics() {
  MainCanvas::initStatics();
  tables_.mapPlaces = MainCanvas::mapPlaces;
  tables_.mapPoints = MainCanvas::mapPoints;
  tables_.spriteTable = MainCanvas::spriteTable;
  tables_.shortRows = MainCanvas::resShortRows;
}

// The layout bytes in the order of "res.dat".
gamelib::ResTables& NightvaultGame::layoutTables() {
  const int8_t bytes[] = {MainCanvas::barButtonX,
                          MainCanvas::barButtonY,
                          static_cast<int8_t>(MainCanvas::cellSize),
                          MainCanvas::overlayAX,
                          MainCanvas::overlayAY,
                          MainCanvas::overlayBX,
                          MainCanvas::overlayBY,
                          MainCanvas::textCharWidth,
                          MainCanvas::textLineHeight};
  static_assert(sizeof bytes == gamelib::ResTables::LayoutByteCount);
  for (int i = 0; i < gamelib::ResTables::LayoutByteCount; ++i) tables_.layoutBytes[i] = bytes[i];
  return tables_;
}

void NightvaultGame::setDerivedLayout(int32_t cursorOffsetY, int32_t layoutValue2, int32_t layoutValue3) {
  const int8_t* b = tables_.layoutBytes;
  MainCanvas::barButtonX = b[0];
  MainCanvas::barButtonY = b[1];
  MainCanvas::cellSize = b[2];
  MainCanvas::overlayAX = b[3];
  MainCanvas::overlayAY = b[4];
  MainCanvas::overlayBX = b[5];
  MainCanvas::overlayBY = b[6];
  MainCanvas::textCharWidth = b[7];
  MainCanvas::textLineHeight = b[8];
  MainCanvas::cursorOffsetY = cursorOffsetY;
  MainCanvas::layoutValue2 = layoutValue2;
  MainCanvas::layoutValue3 = layoutValue3;
}

void NightvaultGame::init() { MainCanvas::init(new MainCanvas()); }

void NightvaultGame::step() { MainCanvas::step(); }

void NightvaultGame::paint(qel::lcdui::DGraphicsPtr g) { MainCanvas::paint(g); }

void NightvaultGame::onPause() { MainCanvas::onPause(); }

bool NightvaultGame::saveOnExit() { return MainCanvas::saveOnExit != 0; }

void NightvaultGame::saveLevelState() { MainCanvas::saveLevelState(); }

void NightvaultGame::shutdown() { MainCanvas::shutdown(); }

void NightvaultGame::releaseStatics() {
  MainCanvas::backGraphics.release();
  MainCanvas::releaseStatics();
  tables_ = gamelib::ResTables();
}

}  // namespace nvx
