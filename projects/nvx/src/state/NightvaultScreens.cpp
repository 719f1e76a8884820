#include "nvx/src/state/NightvaultScreens.h"

#include "nvx/src/state/MainCanvas.h"

namespace nvx {

void NightvaultScreens::installLive() {
  static NightvaultScreens screens;
  GameScreens::install(&screens);
  WorldScreen::install(&screens);
}

void NightvaultScreens::paintSplash(const qel::lcdui::DGraphicsPtr& g) { MainCanvas::paintSplash(g); }

void NightvaultScreens::paintLevel(const qel::lcdui::DGraphicsPtr& g) { MainCanvas::paintLevel(g); }

void NightvaultScreens::paintDialog(const qel::lcdui::DGraphicsPtr& back, const qel::lcdui::DGraphicsPtr& g) {
  MainCanvas::paintDialog(back, g);
}

void NightvaultScreens::paintMapScreen(const qel::lcdui::DGraphicsPtr& g) { MainCanvas::paintMapScreen(g); }

void NightvaultScreens::paintBestResults(const qel::lcdui::DGraphicsPtr& g) { MainCanvas::paintBestResults(g); }

void NightvaultScreens::paintLanguageScreen(const qel::lcdui::DGraphicsPtr& g) { MainCanvas::paintLanguageScreen(g); }

void NightvaultScreens::paintHintOverlay(const qel::lcdui::DGraphicsPtr& g) { MainCanvas::paintHintBlink(g); }

void NightvaultScreens::paintTicker(const qel::lcdui::DGraphicsPtr& g) { MainCanvas::paintTicker(g); }

void NightvaultScreens::levelKeys() { MainCanvas::handleLevelKeys(); }

void NightvaultScreens::levelLogic() { MainCanvas::stepVehicle(); }

void NightvaultScreens::dialogKeys() { MainCanvas::dialogStep(); }

void NightvaultScreens::updateMapScreen() { MainCanvas::updateMapScreen(); }

void NightvaultScreens::updateBestResults() { MainCanvas::updateBestResults(); }

void NightvaultScreens::updateLanguageScreen() { MainCanvas::updateLanguageScreen(); }

void NightvaultScreens::handlePointer(int32_t x, int32_t y) { MainCanvas::handlePointer(x, y); }

void NightvaultScreens::worldSteps() {
  MainCanvas::planKeys();
  MainCanvas::worldTick();
}

void NightvaultScreens::tickMapScreen() { MainCanvas::tickMapScreen(); }

void NightvaultScreens::tickBestResults() { MainCanvas::bestResultsClock(); }

void NightvaultScreens::tickTicker() { MainCanvas::tickTicker(); }

void NightvaultScreens::setUpLanguageScreen() { MainCanvas::layoutLanguageScreen(); }

void NightvaultScreens::initMapScale() { MainCanvas::computeVisibleCells(); }

void NightvaultScreens::loadAtStartUp() { MainCanvas::startupLoad(MainCanvas::instance); }

void NightvaultScreens::setUpLevel() { MainCanvas::setUpLevel(); }

void NightvaultScreens::enterPlanning() { MainCanvas::enterPlanning(); }

void NightvaultScreens::enterMapScreen() { MainCanvas::enterMapScreen(); }

void NightvaultScreens::enterBestResults() { MainCanvas::enterBestResults(); }

void NightvaultScreens::layoutDialog() {
  if (MainCanvas::gameState != MainCanvas::stateDialog) MainCanvas::backdropPending = 1;
  MainCanvas::prepareDialog(0);
}

void NightvaultScreens::openStartUpDialog() { MainCanvas::showStartQuestion(); }

void NightvaultScreens::openMainMenu() { MainCanvas::showMainMenu(); }

void NightvaultScreens::openFirstRunInfo() {
  MainCanvas::resetBestResults();
  MainCanvas::showInfoText();
}

void NightvaultScreens::onPause() { MainCanvas::onPause(); }

void NightvaultScreens::saveLevelState() { MainCanvas::saveLevelState(); }

void NightvaultScreens::shutdown() { MainCanvas::shutdown(); }

void NightvaultScreens::openNotice(int32_t dialogId, int32_t textId, const qel::lang::DbyteArrayPtr& titlePicture,
                                   int32_t titleTextId, bool twoKeys) {
  MainCanvas::openDialog(static_cast<uint8_t>(dialogId),
                         titlePicture,
                         textId,
                         nullptr,
                         MainCanvas::softKeysFor(twoKeys ? 2 : 1),
                         static_cast<int16_t>(titleTextId));
}

void NightvaultScreens::centerViewOnExit() { MainCanvas::centerViewOnExit(); }

void NightvaultScreens::keepCellInView(int32_t x, int32_t y) { MainCanvas::centerViewOn(x, y, false, false, false); }

void NightvaultScreens::rebuildScene() { MainCanvas::invalidateScene(); }

void NightvaultScreens::showTrainingHint(int32_t hint) { MainCanvas::showHint(hint, -1, 0, false); }

}  // namespace nvx
