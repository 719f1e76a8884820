#include "nvx/src/world/WorldScreen.h"

namespace nvx {

WorldScreen* WorldScreen::screen_ = nullptr;

void WorldScreen::install(WorldScreen* screen) { screen_ = screen; }

void WorldScreen::openNotice(int32_t dialogId, int32_t textId, const qel::lang::DbyteArrayPtr& titlePicture,
                             int32_t titleTextId) {
  if (screen_) screen_->openNotice(dialogId, textId, titlePicture, titleTextId, false);
}

void WorldScreen::openQuestion(int32_t dialogId, int32_t textId, int32_t titleTextId) {
  if (screen_) screen_->openNotice(dialogId, textId, nullptr, titleTextId, true);
}

void WorldScreen::jumpToExit() {
  if (screen_) screen_->centerViewOnExit();
}

void WorldScreen::keepInView(int32_t x, int32_t y) {
  if (screen_) screen_->keepCellInView(x, y);
}

void WorldScreen::invalidateScene() {
  if (screen_) screen_->rebuildScene();
}

void WorldScreen::showHint(int32_t hint) {
  if (screen_) screen_->showTrainingHint(hint);
}

}  // namespace nvx
