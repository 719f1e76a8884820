#include "nvx/src/state/NightvaultScreens.h"

#include "nvx/src/state/MainCanvas.h"

namespace nvx {

void NightvaultScreens::installLive() {
  static NightvaultScreens screens;
  GameScreens::install(&screens);
  WorldScreen::install(&screens);
}

void NightvaultScreens::paintSplash(const qel::lcdui::DGraphicsPtr&) {
}

void NightvaultScreens::paintLevel(const qel::lcdui::DGraphicsPtr&) {
}

void NightvaultScreens::paintDialog(const qel::lcdui::DGraphicsPtr&, const qel::lcdui::DGraphicsPtr&) {
}

void NightvaultScreens::paintMapScreen(const qel::lcdui::DGraphicsPtr&) {
}

void NightvaultScreens::paintBestResults(const qel::lcdui::DGraphicsPtr&) {
}

void NightvaultScreens::paintLanguageScreen(const qel::lcdui::DGraphicsPtr&) {
}

void NightvaultScreens::paintHintOverlay(const qel::lcdui::DGraphicsPtr&) {
}

void NightvaultScreens::paintTicker(const qel::lcdui::DGraphicsPtr&) {
}

void NightvaultScreens::levelKeys() {
}

void NightvaultScreens::levelLogic() {
}

void NightvaultScreens::dialogKeys() {
}

void NightvaultScreens::updateMapScreen() {
}

void NightvaultScreens::updateBestResults() {
}

void NightvaultScreens::updateLanguageScreen() {
}

void NightvaultScreens::handlePointer(int32_t, int32_t) {
}

void NightvaultScreens::worldSteps() {
}

void NightvaultScreens::tickMapScreen() {
}

void NightvaultScreens::tickBestResults() {
}

void NightvaultScreens::tickTicker() {
}

void NightvaultScreens::setUpLanguageScreen() {
}

void NightvaultScreens::initMapScale() {
}

void NightvaultScreens::loadAtStartUp() {
}

void NightvaultScreens::setUpLevel() {
}

void NightvaultScreens::enterPlanning() {
}

void NightvaultScreens::enterMapScreen() {
}

void NightvaultScreens::enterBestResults() {
}

void NightvaultScreens::layoutDialog() {
  MainCanvas::prepareDialog(0);
}

void NightvaultScreens::openStartUpDialog() {
}

void NightvaultScreens::openMainMenu() {
}

void NightvaultScreens::openFirstRunInfo() {
}

void NightvaultScreens::onPause() {
}

void NightvaultScreens::saveLevelState() {
}

void NightvaultScreens::shutdown() {
}

void NightvaultScreens::openNotice(int32_t dialogId, int32_t textId, const qel::lang::DbyteArrayPtr& titlePicture,
                                   int32_t titleTextId, bool twoKeys) {
  MainCanvas::openDialog(static_cast<uint8_t>(dialogId), titlePicture, textId, nullptr,
                         twoKeys ? new qel::lang::DshortArray(2, 0, 126, 127) : new qel::lang::DshortArray(1, 0, 126),
                         static_cast<int16_t>(titleTextId));
}

void NightvaultScreens::centerViewOnExit() {
}

void NightvaultScreens::keepCellInView(int32_t, int32_t) {
}

void NightvaultScreens::rebuildScene() {
}

void NightvaultScreens::showTrainingHint(int32_t) {
}

}  // namespace nvx
