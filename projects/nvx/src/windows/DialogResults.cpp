#include "nvx/src/windows/DialogResults.h"

#include "gamelib/ScreenCanvas.h"
#include "nvx/src/state/MainCanvas.h"

namespace nvx {

void DialogResults::dispatchDialogResult() {
  MainCanvas::plainList = 0;
  MainCanvas::noFrame = 0;
  const uint8_t before = MainCanvas::gameState;
  bool handled = false;
  switch (MainCanvas::dialogReturnState) {
    case MainCanvas::stateSplash: handled = titleDialogResult(); break;
    case MainCanvas::stateLevel: handled = levelDialogResult(); break;
    case MainCanvas::stateMapScreen: handled = mapDialogResult(); break;
    default: break;
  }
  if (!handled && MainCanvas::gameState == before) MainCanvas::enter(MainCanvas::dialogReturnState);
  gamelib::ScreenCanvas::resetKeys();
  MainCanvas::pendingKey = MainCanvas::noKey;
}

}  // namespace nvx
