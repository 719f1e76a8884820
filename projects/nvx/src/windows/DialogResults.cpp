#include "nvx/src/windows/DialogResults.h"

#include "gamelib/ScreenCanvas.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/windows/DialogWindow.h"

namespace nvx {

void DialogResults::dispatchDialogResult() {
  DialogWindow::plainList_ = 0;
  DialogWindow::noFrame_ = 0;
  const uint8_t before = GameState::gameState;
  bool handled = false;
  switch (GameState::dialogReturnState) {
    case StateMachine::stateSplash: handled = titleDialogResult(); break;
    case StateMachine::stateLevel: handled = levelDialogResult(); break;
    case StateMachine::stateMapScreen: handled = mapDialogResult(); break;
    default: break;
  }
  if (!handled && GameState::gameState == before) StateMachine::enter(GameState::dialogReturnState);
  gamelib::ScreenCanvas::resetKeys();
  GameState::pendingKey = GameState::noKey;
}

}  // namespace nvx
